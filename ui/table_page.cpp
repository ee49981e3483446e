#include "ui/table_page.h"

namespace {

bool OnlyCtrlDown() {
  return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
}

}  // namespace

// Insert adds, F2 and the double click edit, Delete deletes, and Delete with
// Ctrl as the only modifier clears the table.
TTablePage::TableCommand TTablePage::TableCommandOf(const NMHDR& notification) {
  if (notification.code == NM_DBLCLK) return TableCommand::Edit;
  if (notification.code != LVN_KEYDOWN) return TableCommand::None;
  switch (reinterpret_cast<const NMLVKEYDOWN&>(notification).wVKey) {
    case VK_INSERT:
      return TableCommand::Add;
    case VK_F2:
      return TableCommand::Edit;
    case VK_DELETE:
      return OnlyCtrlDown() ? TableCommand::ClearAll : TableCommand::Delete;
    default:
      return TableCommand::None;
  }
}

bool TTablePage::HandleTableMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto& notification = *reinterpret_cast<const NMHDR*>(lParam);
    if (notification.hwndFrom != Table()) return false;
    if (notification.code == LVN_GETDISPINFOW) {
      ShowCellText(reinterpret_cast<const NMLVDISPINFOW&>(notification));
      return true;
    }
    const TableCommand command = TableCommandOf(notification);
    Run(command);
    return command != TableCommand::None;
  }
  if (message != WM_COMMAND) return false;
  const int id = LOWORD(wParam);
  const TableCommand command = id == 0                   ? TableCommand::None
                               : id == buttons_.add      ? TableCommand::Add
                               : id == buttons_.edit     ? TableCommand::Edit
                               : id == buttons_.remove   ? TableCommand::Delete
                               : id == buttons_.clearAll ? TableCommand::ClearAll
                                                         : TableCommand::None;
  Run(command);
  return command != TableCommand::None;
}

void TTablePage::Run(TableCommand command) {
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

void TTablePage::ShowRows() const {
  ListView_SetItemCountEx(Table(), RowCount(), 0);
  InvalidateRect(Table(), nullptr, TRUE);
}

void TTablePage::ShowOtherRows() const {
  ListView_SetItemState(Table(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetSelectionMark(Table(), -1);
  ShowRows();
}

void TTablePage::ShowCellText(const NMLVDISPINFOW& display) const {
  const LVITEMW& item = display.item;
  if ((item.mask & LVIF_TEXT) == 0 || item.iItem < 0 || item.iItem >= RowCount()) return;
  lstrcpynW(item.pszText, CellText(item.iItem, item.iSubItem).c_str(), item.cchTextMax);
}
