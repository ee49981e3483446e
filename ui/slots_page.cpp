#include "ui/slots_page.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "reading/system_key_name.h"
#include "settings/ini_values.h"
#include "ui/list_view.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kCaption[] = L"Voice slots";

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
// the family (4 or 5) and the hot key word itself, which a key without a name
// would not get back from its empty text.
LPARAM RowData(const VoiceSlot& slot) {
  return MAKELPARAM(slot.hotKey, static_cast<WORD>(slot.family));
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

TSlotsPage::TSlotsPage() : TOptionsPage(IDD_PAGE_SLOTS, kCaption) {}

void TSlotsPage::OnInit() {
  table_ = Control(IDC_SLOTSLIST);
  SetUpReportList(table_, kColumns);
}

VoiceSlot TSlotsPage::Slot(int n) const {
  if (n < 0 || n >= ListView_GetItemCount(table_)) throw std::out_of_range("no such voice slot");
  const LPARAM data = RowDataOf(table_, n);
  return {.voiceName = ListViewCellText(table_, n, kVoiceColumn),
          .family = HIWORD(data),
          .hotKey = LOWORD(data),
          .speed = SlotValue(table_, n, kSpeedColumn),
          .pitch = SlotValue(table_, n, kPitchColumn),
          .volume = SlotValue(table_, n, kVolumeColumn)};
}

void TSlotsPage::AddSlot(const VoiceSlot& slot) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = ListView_GetItemCount(table_);
  item.pszText = const_cast<wchar_t*>(slot.voiceName.c_str());
  item.lParam = RowData(slot);
  const int row = ListView_InsertItem(table_, &item);
  SetCell(table_, row, kSpeedColumn, SlotValueText(slot.speed));
  SetCell(table_, row, kPitchColumn, SlotValueText(slot.pitch));
  SetCell(table_, row, kVolumeColumn, SlotValueText(slot.volume));
  SetCell(table_, row, kHotKeyColumn, HotKeyToText(slot.hotKey));
}

void TSlotsPage::SetDpi(UINT dpi) { SetReportListDpi(table_, kColumns, dpi); }
