#include "ui/slots_page.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "reading/system_key_name.h"
#include "settings/ini_values.h"
#include "settings/voice_slot_store.h"
#include "ui/accessible_name.h"
#include "ui/list_view.h"
#include "ui/message_boxes.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kCaption[] = L"Voice slots";
constexpr NamedControl kNamedControls[] = {{L"SlotsList", IDC_SLOTSLIST}};
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

void SetCell(HWND table, int row, int column, const std::wstring& text) {
  ListView_SetItemText(table, row, column, const_cast<wchar_t*>(text.c_str()));
}

// What the table does not show of a slot rides on its row as the item's data:
// the family (4 or 5) and the hot key word.
LPARAM RowData(int family, HotKeyWord hotKey) {
  return MAKELPARAM(hotKey, static_cast<WORD>(family));
}

LPARAM RowDataOf(HWND table, int row) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  ListView_GetItem(table, &item);
  return item.lParam;
}

std::optional<int> SlotValue(HWND table, int row, int column) {
  return ParseIniInteger(ListViewCellText(table, row, column));
}

std::wstring SlotValueText(const std::optional<int>& value) {
  return value ? std::to_wstring(*value) : L"";
}

}  // namespace

TSlotsPage::TSlotsPage(SlotsPageOwner& owner, std::wstring storePath)
    : TTablePage(IDD_PAGE_SLOTS, kCaption, kNamedControls, IDC_SLOTSLIST,
                 {IDC_SLOT_ADD_BUTTON, IDC_SLOT_EDIT_BUTTON, IDC_SLOT_DELETE_BUTTON,
                  IDC_SLOT_CLEAR_BUTTON}),
      owner_(owner),
      storePath_(std::move(storePath)) {}

void TSlotsPage::OnInit() {
  SetUpReportList(Table(), kColumns);
  NameAfterLabel(Table(), Control(IDC_SLOTS_LABEL));
}

bool TSlotsPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
  return HandleTableMessage(message, wParam, lParam);
}

int TSlotsPage::Count() const { return ListView_GetItemCount(Table()); }

VoiceSlot TSlotsPage::Slot(int n) const {
  if (n < 0 || n >= Count()) throw std::out_of_range("no such voice slot");
  const LPARAM data = RowDataOf(Table(), n);
  return {.voiceName = ListViewCellText(Table(), n, kVoiceColumn),
          .family = HIWORD(data),
          .hotKey = LOWORD(data),
          .speed = SlotValue(Table(), n, kSpeedColumn),
          .pitch = SlotValue(Table(), n, kPitchColumn),
          .volume = SlotValue(Table(), n, kVolumeColumn)};
}

void TSlotsPage::AddSlot(const VoiceSlot& slot) {
  const std::wstring hotKeyText = HotKeyToText(slot.hotKey);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = Count();
  item.pszText = const_cast<wchar_t*>(slot.voiceName.c_str());
  item.lParam = RowData(slot.family, TextToHotKey(hotKeyText));
  const int row = ListView_InsertItem(Table(), &item);
  SetCell(Table(), row, kSpeedColumn, SlotValueText(slot.speed));
  SetCell(Table(), row, kPitchColumn, SlotValueText(slot.pitch));
  SetCell(Table(), row, kVolumeColumn, SlotValueText(slot.volume));
  SetCell(Table(), row, kHotKeyColumn, hotKeyText);
}

void TSlotsPage::Clear() { ListView_DeleteAllItems(Table()); }

std::vector<std::wstring> TSlotsPage::HotKeyTextsBut(int exceptRow) const {
  std::vector<std::wstring> texts;
  for (int row = 0; row < Count(); ++row) {
    if (row != exceptRow) texts.push_back(ListViewCellText(Table(), row, kHotKeyColumn));
  }
  return texts;
}

// A new slot takes the first free number, which fills a gap in the file.
void TSlotsPage::OnAdd() {
  const std::vector<int> selected = SelectedRows(Table());
  SlotEditorRequest request;
  request.otherSlotKeys = HotKeyTextsBut(-1);
  if (!selected.empty()) request.selected = Slot(selected.front());
  if (const std::optional<VoiceSlot> slot = owner_.EditVoiceSlot(std::move(request))) {
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
  if (const std::optional<VoiceSlot> slot = owner_.EditVoiceSlot(std::move(request))) {
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
