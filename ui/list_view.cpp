#include "ui/list_view.h"

#include <commctrl.h>

#include <memory>

#include "base/dpi.h"

namespace {

constexpr UINT_PTR kWidthsSubclassId = 1;

// The columns' widths at 96 DPI travel with the list window, held by a
// subclass that lets go of them when the window is destroyed.
LRESULT CALLBACK KeepWidthsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR widths) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, KeepWidthsProc, id);
    delete reinterpret_cast<std::vector<int>*>(widths);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

const std::vector<int>* WidthsAt96Dpi(HWND list) {
  DWORD_PTR widths = 0;
  if (!GetWindowSubclass(list, KeepWidthsProc, kWidthsSubclassId, &widths)) return nullptr;
  return reinterpret_cast<const std::vector<int>*>(widths);
}

void KeepWidthsAt96Dpi(HWND list, const std::vector<ListColumn>& columns) {
  auto widths = std::make_unique<std::vector<int>>();
  for (const ListColumn& column : columns) widths->push_back(column.widthAt96Dpi);
  DWORD_PTR previous = 0;
  if (GetWindowSubclass(list, KeepWidthsProc, kWidthsSubclassId, &previous))
    delete reinterpret_cast<std::vector<int>*>(previous);
  if (SetWindowSubclass(list, KeepWidthsProc, kWidthsSubclassId,
                        reinterpret_cast<DWORD_PTR>(widths.get()))) {
    widths.release();
  }
}

}  // namespace

void SetUpReportList(HWND list, const std::vector<ListColumn>& columns) {
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
  KeepWidthsAt96Dpi(list, columns);
}

void SetReportListDpi(HWND list, UINT dpi) {
  const std::vector<int>* widths = WidthsAt96Dpi(list);
  if (widths == nullptr) return;
  for (size_t index = 0; index < widths->size(); ++index)
    ListView_SetColumnWidth(list, static_cast<int>(index), ScaleForDpi((*widths)[index], dpi));
}

std::wstring ListViewCellText(HWND list, int row, int column) {
  std::wstring text(256, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const auto length = static_cast<size_t>(
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    // A text that fills the buffer may have been cut: try again with more room.
    if (length + 1 < text.size()) return text.substr(0, length);
    text.resize(text.size() * 2);
  }
}
