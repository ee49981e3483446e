#include "ui/slots_page.h"

#include <commctrl.h>

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

}  // namespace

TSlotsPage::TSlotsPage() : TOptionsPage(IDD_PAGE_SLOTS, kCaption) {}

void TSlotsPage::OnInit() {
  table_ = Control(IDC_SLOTSLIST);
  SetUpReportList(table_, kColumns);
}

SlotVoiceSettings TSlotsPage::Slot(int n) const {
  SlotVoiceSettings slot;
  slot.voiceName = ListViewCellText(table_, n, kVoiceColumn);
  slot.family = families_.at(static_cast<size_t>(n));
  slot.speed = ListViewCellText(table_, n, kSpeedColumn);
  slot.pitch = ListViewCellText(table_, n, kPitchColumn);
  slot.volume = ListViewCellText(table_, n, kVolumeColumn);
  return slot;
}

void TSlotsPage::AddSlot(const SlotVoiceSettings& slot, const std::wstring& hotKeyText) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = ListView_GetItemCount(table_);
  item.pszText = const_cast<wchar_t*>(slot.voiceName.c_str());
  const int row = ListView_InsertItem(table_, &item);
  SetCell(table_, row, kSpeedColumn, slot.speed);
  SetCell(table_, row, kPitchColumn, slot.pitch);
  SetCell(table_, row, kVolumeColumn, slot.volume);
  SetCell(table_, row, kHotKeyColumn, hotKeyText);
  families_.push_back(slot.family);
}

void TSlotsPage::SetDpi(UINT dpi) { SetReportListDpi(table_, kColumns, dpi); }
