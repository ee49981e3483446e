#pragma once
// Report-style list views: their columns and look, set up once.

#include <windows.h>

#include <span>
#include <string>
#include <vector>

struct ListColumn {
  const wchar_t* caption;
  int widthAt96Dpi;
  bool centred;
};

// Grid lines, whole-row selection and the columns, sized for the list's DPI.
void SetUpReportList(HWND list, std::span<const ListColumn> columns);

// Sizes the columns of a list set up by SetUpReportList with these columns
// anew for the DPI; for a list whose window moved to a monitor of another DPI
// (WM_DPICHANGED). A width the user dragged goes back to the column's own.
void SetReportListDpi(HWND list, std::span<const ListColumn> columns, UINT dpi);

// The selected rows, first to last.
std::vector<int> SelectedRows(HWND list);
// Selects the row alone and makes it the focused, visible one.
void SelectOnlyRow(HWND list, int row);
