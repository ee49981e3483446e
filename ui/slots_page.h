#pragma once
// The "Voice slots" page of the options window: the table of voice slots, one
// row each, and what its buttons and keys do. Changes go to slots.ini at once:
// "Add" and "Edit" through the slot editor, "Delete" and "Clear all" after a
// question; each ends with the owner rebuilding the table from the file.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "reading/hot_keys.h"
#include "settings/voice_slot.h"
#include "speech/engines.h"
#include "ui/slot_editor.h"
#include "ui/table_page.h"

// What the page, and the slot editor it shows, ask of the window that holds
// it.
class SlotsPageOwner : public SlotEditorOwner {
 public:
  // The slot table rebuilt from slots.ini as a whole: the page's rows and
  // one hot key per slot.
  virtual void LoadVoiceSlots() = 0;
  // Every hot key of the program let go while the answer lives.
  virtual HotKeyRelease ReleaseHotKeys() = 0;
  // The program's reading, options and pause keys, which no slot may take.
  virtual std::vector<HotKeyWord> FixedHotKeys() const = 0;

 protected:
  ~SlotsPageOwner() = default;
};

class TSlotsPage : public TTablePage {
 public:
  // The slots are kept in the file at `storePath`; the editor offers the
  // catalogue's voices.
  TSlotsPage(SlotsPageOwner& owner, Engines& engines, std::wstring storePath);

  int Count() const { return static_cast<int>(slots_.size()); }
  // Slot n as its row shows it; throws std::out_of_range when there is no
  // slot n.
  VoiceSlot Slot(int n) const;
  // A row at the end of the table. Its hot key is the one its text names,
  // as a hot key field would take it.
  void AddSlot(const VoiceSlot& slot);
  void Clear();

  void SetDpi(UINT dpi) override;

  void OnAdd() override;
  void OnEdit() override;
  void OnDelete() override;
  void OnClearAll() override;

 protected:
  void OnInit() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  int RowCount() const override { return Count(); }
  std::wstring CellText(int row, int column) const override;

 private:
  std::vector<std::wstring> HotKeyTextsBut(int exceptRow) const;
  std::optional<VoiceSlot> EditSlot(SlotEditorRequest request);
  void SaveSlot(int number, const VoiceSlot& slot);
  void DeleteRows(const std::vector<int>& rows);

  SlotsPageOwner& owner_;
  Engines& engines_;
  std::wstring storePath_;
  // The rows from the top down, slot n in row n.
  std::vector<VoiceSlot> slots_;
};
