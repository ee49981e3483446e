#include "ui/slots_page.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "reading/system_key_name.h"
#include "settings/ini_values.h"
#include "settings/voice_slot_store.h"
#include "ui/list_view.h"
#include "ui/message_boxes.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kCaption[] = L"Voice slots";
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
    : TOptionsPage(IDD_PAGE_SLOTS, kCaption), owner_(owner), storePath_(std::move(storePath)) {}

void TSlotsPage::OnInit() {
  table_ = Control(IDC_SLOTSLIST);
  SetUpReportList(table_, kColumns);
}

bool TSlotsPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
  if (message == WM_NOTIFY) {
    const auto& notification = *reinterpret_cast<const NMHDR*>(lParam);
    if (notification.hwndFrom == table_) RunTableCommand(TableCommandOf(notification));
    return false;
  }
  if (message != WM_COMMAND) return false;
  switch (LOWORD(wParam)) {
    case IDC_SLOT_ADD_BUTTON:
      RunTableCommand(TableCommand::Add);
      return true;
    case IDC_SLOT_EDIT_BUTTON:
      RunTableCommand(TableCommand::Edit);
      return true;
    case IDC_SLOT_DELETE_BUTTON:
      RunTableCommand(TableCommand::Delete);
      return true;
    case IDC_SLOT_CLEAR_BUTTON:
      RunTableCommand(TableCommand::ClearAll);
      return true;
    default:
      return false;
  }
}

void TSlotsPage::RunTableCommand(TableCommand command) {
  switch (command) {
    case TableCommand::Add:
      OnAdd();
      break;
    case TableCommand::Edit:
      OnEdit();
      break;
    case TableCommand::Delete:
      OnDelete();
      break;
    case TableCommand::ClearAll:
      OnClearAll();
      break;
    case TableCommand::None:
      break;
  }
}

int TSlotsPage::Count() const { return ListView_GetItemCount(table_); }

VoiceSlot TSlotsPage::Slot(int n) const {
  if (n < 0 || n >= Count()) throw std::out_of_range("no such voice slot");
  const LPARAM data = RowDataOf(table_, n);
  return {.voiceName = ListViewCellText(table_, n, kVoiceColumn),
          .family = HIWORD(data),
          .hotKey = LOWORD(data),
          .speed = SlotValue(table_, n, kSpeedColumn),
          .pitch = SlotValue(table_, n, kPitchColumn),
          .volume = SlotValue(table_, n, kVolumeColumn)};
}

void TSlotsPage::AddSlot(const VoiceSlot& slot) {
  const std::wstring hotKeyText = HotKeyToText(slot.hotKey);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = Count();
  item.pszText = const_cast<wchar_t*>(slot.voiceName.c_str());
  item.lParam = RowData(slot.family, TextToHotKey(hotKeyText));
  const int row = ListView_InsertItem(table_, &item);
  SetCell(table_, row, kSpeedColumn, SlotValueText(slot.speed));
  SetCell(table_, row, kPitchColumn, SlotValueText(slot.pitch));
  SetCell(table_, row, kVolumeColumn, SlotValueText(slot.volume));
  SetCell(table_, row, kHotKeyColumn, hotKeyText);
}

void TSlotsPage::Clear() { ListView_DeleteAllItems(table_); }

std::vector<std::wstring> TSlotsPage::HotKeyTextsBut(int exceptRow) const {
  std::vector<std::wstring> texts;
  for (int row = 0; row < Count(); ++row) {
    if (row != exceptRow) texts.push_back(ListViewCellText(table_, row, kHotKeyColumn));
  }
  return texts;
}

// A new slot takes the first free number, which fills a gap in the file.
void TSlotsPage::OnAdd() {
  const std::vector<int> selected = SelectedRows(table_);
  SlotEditorRequest request;
  request.otherSlotKeys = HotKeyTextsBut(-1);
  if (!selected.empty()) request.selected = Slot(selected.front());
  if (const std::optional<VoiceSlot> slot = owner_.EditVoiceSlot(std::move(request))) {
    SaveSlot(FirstFreeSlotNumber(storePath_), *slot);
  }
  SetFocus(table_);
}

void TSlotsPage::OnEdit() {
  const std::vector<int> selected = SelectedRows(table_);
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
  SetFocus(table_);
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
  const std::vector<int> selected = SelectedRows(table_);
  const bool confirmed =
      selected.size() == 1
          ? AskYesNo(Handle(), DeleteSlotText(selected.front()), MB_ICONQUESTION)
          : selected.size() > 1 && AskYesNo(Handle(), kDeleteSelectedText, MB_ICONQUESTION);
  if (confirmed) {
    DeleteRows(selected);
    owner_.LoadVoiceSlots();
    const int above = selected.front() - 1;
    if (selected.size() == 1 && above >= 0 && above < Count()) SelectOnlyRow(table_, above);
  }
  SetFocus(table_);
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

void TSlotsPage::SetDpi(UINT dpi) { SetReportListDpi(table_, kColumns, dpi); }
