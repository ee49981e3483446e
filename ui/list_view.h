#pragma once
// Report-style list views: their columns and look, set up once.

#include <windows.h>

#include <string>
#include <vector>

struct ListColumn {
  const wchar_t* caption;
  int widthAt96Dpi;
  bool centred;
};

// Grid lines, whole-row selection and the columns, sized for the list's DPI.
void SetUpReportList(HWND list, const std::vector<ListColumn>& columns);

// The text of a cell: column 0 is the row's caption, column n its sub-item n - 1.
std::wstring ListViewCellText(HWND list, int row, int column);
