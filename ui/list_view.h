#pragma once
// Report-style list views: their columns and look, set up once.

#include <windows.h>

#include <vector>

struct ListColumn {
  const wchar_t* caption;
  int widthAt96Dpi;
  bool centred;
};

// Grid lines, whole-row selection and the columns, sized for the list's DPI.
void SetUpReportList(HWND list, const std::vector<ListColumn>& columns);
