#pragma once
// An options page built around a table with "Add", "Edit" and "Delete"
// buttons, and perhaps "Clear all": the buttons, the table's keys (Insert,
// F2, Delete, Ctrl+Delete) and a double click on it run the same commands.
// The table is a virtual list (LVS_OWNERDATA) showing the page's rows: it
// keeps no text of its own and asks the page for each cell it draws, so the
// page never reads its rows back out of the table.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ui/list_view.h"
#include "ui/options_page.h"

// The buttons' identifiers in the page's template; 0 for a button it lacks.
struct TableButtons {
  int add;
  int edit;
  int remove;
  int clearAll;
};

class TTablePage : public TOptionsPage {
 public:
  HWND Table() const { return Control(tableId_); }

  virtual void OnAdd() = 0;
  virtual void OnEdit() = 0;
  virtual void OnDelete() = 0;
  // Ctrl+Delete does nothing on a page without "Clear all".
  virtual void OnClearAll() {}

 protected:
  TTablePage(int templateId, const wchar_t* caption, std::span<const NamedControl> namedControls,
             int tableId, TableButtons buttons)
      : TOptionsPage(templateId, caption, namedControls), tableId_(tableId), buttons_(buttons) {}

  // Runs the command a button click or a notification of the table asks
  // for, or gives the table a cell's text; answers whether the message was
  // one of them.
  bool HandleTableMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // The page's rows, and the text of a cell of a row below RowCount(): column
  // 0 is the row's first.
  virtual int RowCount() const = 0;
  virtual std::wstring CellText(int row, int column) const = 0;
  // The table shows the rows as they are now.
  void ShowRows() const;
  // The same when the rows are other ones than before: as when a list's
  // items go, no row stays selected, focused or the anchor of a Shift
  // selection.
  void ShowOtherRows() const;

 private:
  void ShowCellText(const NMLVDISPINFOW& display) const;
  enum class TableCommand { None, Add, Edit, Delete, ClearAll };
  static TableCommand TableCommandOf(const NMHDR& notification);
  void Run(TableCommand command);

  int tableId_;
  TableButtons buttons_;
};
