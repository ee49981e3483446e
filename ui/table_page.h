#pragma once
// An options page built around a table with "Add", "Edit" and "Delete"
// buttons, and perhaps "Clear all": the buttons, the table's keys (Insert,
// F2, Delete, Ctrl+Delete) and a double click on it run the same commands.

#include <windows.h>

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
  // for; answers whether the message was one of them.
  bool HandleTableMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  enum class TableCommand { None, Add, Edit, Delete, ClearAll };
  static TableCommand TableCommandOf(const NMHDR& notification);
  void Run(TableCommand command);

  int tableId_;
  TableButtons buttons_;
};
