#pragma once
// The owner-drawn voice list of the voice picker: a list box whose
// word-wrapped items are drawn white with black text, the selected item in
// dark blue with white text and the item under the mouse in a lighter blue
// with white text.
//
// Like the list it replaces, it reports a change of its selection only when
// it next draws its items and finds the selected index different from the one
// it reported last. A selection moved while the list is hidden is therefore
// reported when the list is shown again.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

enum class VoiceItemLook { Normal, Hot, Selected };

// Draws one item into the rectangle: the background of its look and the text
// word-wrapped inside a small margin (given at 96 DPI, scaled to dpi). Used by
// the list and by tests.
void DrawVoiceListItem(HDC dc, const RECT& item, const std::wstring& text, VoiceItemLook look,
                       HFONT font, UINT dpi);

class TVoiceList {
 public:
  using ChangeHandler = std::function<void(int oldIndex, int newIndex)>;
  using ClickHandler = std::function<void()>;

  TVoiceList() = default;
  // Lets go of the list box if it outlives this object.
  ~TVoiceList();
  TVoiceList(const TVoiceList&) = delete;
  TVoiceList& operator=(const TVoiceList&) = delete;

  // Takes over a list box of the template (LBS_OWNERDRAWVARIABLE |
  // LBS_HASSTRINGS). onClick runs when a mouse button goes down in the list,
  // before the list moves its selection: an owner that ignores changes until
  // the first click thus sees the change that this click makes.
  void Attach(HWND listBox, ChangeHandler onChange, ClickHandler onClick);
  HWND Handle() const { return handle_; }

  int Count() const;
  // -1 when no item is selected.
  int ItemIndex() const;
  void SetItemIndex(int index) const;
  std::wstring Item(int index) const;
  std::vector<std::wstring> Items() const;
  // Replaces all items at once.
  void SetItems(const std::vector<std::wstring>& items);
  void AddItem(const std::wstring& item);
  void Clear();
  // The item under the mouse, -1 for none.
  int HotItem() const { return hotItem_; }

  // The list's window moved to a monitor of this DPI (WM_DPICHANGED): the
  // items' margins follow it and every item is measured anew, with the font
  // the list box holds then. Called once the list box has its font for the
  // new DPI. Until the first call the list uses the DPI its window had when
  // attached.
  void SetDpi(UINT dpi);

  // The owner passes on WM_MEASUREITEM and WM_DRAWITEM; both answer whether
  // the message was this list's.
  bool MeasureItem(MEASUREITEMSTRUCT& measure) const;
  bool DrawItem(const DRAWITEMSTRUCT& draw);

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
  void ListMessage(UINT message, LPARAM lParam);
  int ItemAt(LPARAM point) const;
  void TrackHover(LPARAM point);
  void SetHotItem(int index);
  void InvalidateItem(int index) const;
  int ItemTextWidth() const;
  int ItemHeight(int index) const;
  VoiceItemLook LookOf(const DRAWITEMSTRUCT& draw) const;
  void ReportSelection();
  void Detach();

  HWND handle_ = nullptr;
  UINT dpi_ = 96;
  ChangeHandler onChange_;
  ClickHandler onClick_;
  int reportedIndex_ = -1;
  int hotItem_ = -1;
  bool trackingLeave_ = false;
};
