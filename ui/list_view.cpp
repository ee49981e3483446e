#include "ui/list_view.h"

#include <commctrl.h>

#include "base/dpi.h"

void SetUpReportList(HWND list, std::span<const ListColumn> columns) {
  ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  const UINT dpi = WindowDpi(list);
  for (size_t index = 0; index < columns.size(); ++index) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = columns[index].centred ? LVCFMT_CENTER : LVCFMT_LEFT;
    column.cx = ScaleForDpi(columns[index].widthAt96Dpi, dpi);
    column.pszText = const_cast<wchar_t*>(columns[index].caption);
    ListView_InsertColumn(list, static_cast<int>(index), &column);
  }
}

void SetReportListDpi(HWND list, std::span<const ListColumn> columns, UINT dpi) {
  for (size_t index = 0; index < columns.size(); ++index) {
    ListView_SetColumnWidth(list, static_cast<int>(index),
                            ScaleForDpi(columns[index].widthAt96Dpi, dpi));
  }
}

std::vector<int> SelectedRows(HWND list) {
  std::vector<int> rows;
  for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
    rows.push_back(row);
  }
  return rows;
}

void SelectOnlyRow(HWND list, int row) {
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
  ListView_SetItemState(list, row, state, state);
  ListView_EnsureVisible(list, row, FALSE);
}
