#pragma once
// The "Voice slots" page of the options window: the table of voice slots, one
// row each, and what its buttons and keys do. Changes go to slots.ini at once:
// "Add" and "Edit" through the slot editor, "Delete" and "Clear all" after a
// question; each ends with the owner rebuilding the table from the file.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/voice_slot.h"
#include "ui/slot_editor.h"
#include "ui/table_page.h"

// What the page asks of the window that holds it.
class SlotsPageOwner {
 public:
  // The slot table rebuilt from slots.ini as a whole: the page's rows and
  // one hot key per slot.
  virtual void LoadVoiceSlots() = 0;
  // Shows the slot editor for the request; answers the slot to save.
  virtual std::optional<VoiceSlot> EditVoiceSlot(SlotEditorRequest request) = 0;

 protected:
  ~SlotsPageOwner() = default;
};

class TSlotsPage : public TTablePage {
 public:
  // The slots are kept in the file at `storePath`.
  TSlotsPage(SlotsPageOwner& owner, std::wstring storePath);

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
  void SaveSlot(int number, const VoiceSlot& slot);
  void DeleteRows(const std::vector<int>& rows);

  SlotsPageOwner& owner_;
  std::wstring storePath_;
  // The rows from the top down, slot n in row n.
  std::vector<VoiceSlot> slots_;
};
