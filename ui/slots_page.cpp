#include "ui/slots_page.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "reading/system_key_name.h"
#include "settings/voice_slot_store.h"
#include "ui/accessible_name.h"
#include "ui/list_view.h"
#include "ui/message_boxes.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kCaption[] = L"Voice slots";
// The names under which cfg.ini keeps the focused control.
constexpr NamedControl kFocusNames[] = {{L"SlotsList", IDC_SLOTSLIST}};
constexpr wchar_t kSelectSlotText[] = L"Please, select voice slot to change.";
constexpr wchar_t kDeleteSelectedText[] = L"Are you sure to delete selected slots?";
constexpr wchar_t kClearAllText[] = L"Are you sure to delete all voice slots?";
constexpr wchar_t kCannotDeleteText[] = L"Can't delete voice slots.";
constexpr wchar_t kCannotSaveText[] = L"Can't save voice slot.";

std::wstring DeleteSlotText(int row) {
  return L"Are you sure to delete slot " + std::to_wstring(row + 1) + L"?";
}

// The columns of the table: the voice, speed, pitch and volume as stored,
// and the hot key.
enum SlotColumn { kVoiceColumn, kSpeedColumn, kPitchColumn, kVolumeColumn, kHotKeyColumn };
constexpr ListColumn kColumns[] = {{L"Voice", 115, false},
                                   {L"Speed", 55, true},
                                   {L"Pitch", 55, true},
                                   {L"Volume", 55, true},
                                   {L"Hot key", 84, true}};

std::wstring SlotValueText(const std::optional<int>& value) {
  return value ? std::to_wstring(*value) : L"";
}

}  // namespace

TSlotsPage::TSlotsPage(SlotsPageOwner& owner, Engines& engines, std::wstring storePath)
    : TTablePage(IDD_PAGE_SLOTS, kCaption, kFocusNames, IDC_SLOTSLIST,
                 {IDC_SLOT_ADD_BUTTON, IDC_SLOT_EDIT_BUTTON, IDC_SLOT_DELETE_BUTTON,
                  IDC_SLOT_CLEAR_BUTTON}),
      owner_(owner),
      engines_(engines),
      storePath_(std::move(storePath)) {}

void TSlotsPage::OnInit() {
  SetUpReportList(Table(), kColumns);
  NameAfterLabel(Table(), Control(IDC_SLOTS_LABEL));
}

bool TSlotsPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
  return HandleTableMessage(message, wParam, lParam);
}

VoiceSlot TSlotsPage::Slot(int n) const {
  if (n < 0 || n >= Count()) throw std::out_of_range("no such voice slot");
  return slots_[static_cast<size_t>(n)];
}

void TSlotsPage::AddSlot(const VoiceSlot& slot) {
  VoiceSlot row = slot;
  row.hotKey = TextToHotKey(HotKeyToText(slot.hotKey));
  slots_.push_back(std::move(row));
  ShowRows();
}

// The rows that follow are other slots.
void TSlotsPage::Clear() {
  slots_.clear();
  ShowOtherRows();
}

std::wstring TSlotsPage::CellText(int row, int column) const {
  const VoiceSlot& slot = slots_[static_cast<size_t>(row)];
  switch (column) {
    case kVoiceColumn:
      return slot.voiceName;
    case kSpeedColumn:
      return SlotValueText(slot.speed);
    case kPitchColumn:
      return SlotValueText(slot.pitch);
    case kVolumeColumn:
      return SlotValueText(slot.volume);
    default:
      return HotKeyToText(slot.hotKey);
  }
}

std::vector<std::wstring> TSlotsPage::HotKeyTextsBut(int exceptRow) const {
  std::vector<std::wstring> texts;
  for (int row = 0; row < Count(); ++row) {
    if (row != exceptRow) texts.push_back(CellText(row, kHotKeyColumn));
  }
  return texts;
}

// The editor shows with every key of the program let go, so that the user
// can press any of them into its hot key box and none starts a reading; they
// come back whatever ends the editor.
std::optional<VoiceSlot> TSlotsPage::EditSlot(SlotEditorRequest request) {
  request.fixedKeys = owner_.FixedHotKeys();
  const HotKeyRelease release = owner_.ReleaseHotKeys();
  return EditVoiceSlot(Instance(), GetAncestor(Handle(), GA_ROOT), engines_, owner_, request);
}

// A new slot takes the first free number, which fills a gap in the file.
void TSlotsPage::OnAdd() {
  const std::vector<int> selected = SelectedRows(Table());
  SlotEditorRequest request;
  request.otherSlotKeys = HotKeyTextsBut(-1);
  if (!selected.empty()) request.selected = Slot(selected.front());
  if (const std::optional<VoiceSlot> slot = EditSlot(std::move(request))) {
    SaveSlot(FirstFreeSlotNumber(storePath_), *slot);
  }
  SetFocus(Table());
}

void TSlotsPage::OnEdit() {
  const std::vector<int> selected = SelectedRows(Table());
  if (selected.empty()) {
    ShowInformation(Handle(), kSelectSlotText);
    return;
  }
  const int row = selected.front();
  SlotEditorRequest request;
  request.mode = SlotEditorMode::Edit;
  request.selected = Slot(row);
  request.otherSlotKeys = HotKeyTextsBut(row);
  if (const std::optional<VoiceSlot> slot = EditSlot(std::move(request))) {
    SaveSlot(row, *slot);
  }
  SetFocus(Table());
}

void TSlotsPage::SaveSlot(int number, const VoiceSlot& slot) {
  try {
    WriteVoiceSlot(storePath_, number, slot);
  } catch (...) {
    ShowWarning(Handle(), kCannotSaveText);
  }
  owner_.LoadVoiceSlots();
}

void TSlotsPage::OnDelete() {
  const std::vector<int> selected = SelectedRows(Table());
  const bool confirmed =
      selected.size() == 1
          ? AskYesNo(Handle(), DeleteSlotText(selected.front()), MB_ICONQUESTION)
          : selected.size() > 1 && AskYesNo(Handle(), kDeleteSelectedText, MB_ICONQUESTION);
  if (confirmed) {
    DeleteRows(selected);
    owner_.LoadVoiceSlots();
    const int above = selected.front() - 1;
    if (selected.size() == 1 && above >= 0 && above < Count()) SelectOnlyRow(Table(), above);
  }
  SetFocus(Table());
}

// Last first, so that the numbers of the rows still to go stay right. A
// deletion that stops (a header edited by hand) or fails ends the command;
// the rebuild that follows shows what the file holds.
void TSlotsPage::DeleteRows(const std::vector<int>& rows) {
  int count = Count();
  try {
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
      if (!DeleteVoiceSlot(storePath_, *row, count--)) return;
    }
  } catch (...) {
    ShowMessage(Handle(), kCannotDeleteText);
  }
}

void TSlotsPage::OnClearAll() {
  if (!AskYesNo(Handle(), kClearAllText, MB_ICONWARNING)) return;
  Clear();
  try {
    DeleteAllVoiceSlots(storePath_);
  } catch (...) {
    ShowMessage(Handle(), kCannotDeleteText);
  }
  owner_.LoadVoiceSlots();
}

void TSlotsPage::SetDpi(UINT dpi) { SetReportListDpi(Table(), kColumns, dpi); }
