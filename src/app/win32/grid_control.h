#pragma once

#include <windows.h>
// after windows.h, which it builds on
#include <commctrl.h>

#include <optional>
#include <string>

#include "app/win32/window_controls.h"
#include "app/window/renumbering_grid.h"

namespace konwerter::win32 {

// The renumbering grid as a list view in report view: row numbers, then the columns
// "Stary numer" and "Nowy numer" under a title row whose columns the operator can widen. The
// list view draws the rows, the title row and the scroll bars; this class keeps the current
// cell, which it draws highlighted (its row lighter), moves with the arrow keys, Tab,
// Page Up/Down, Home/End and the mouse, and edits in place in an edit field laid over the
// cell: typing starts it with the key typed, F2, Enter, a double click or a click on the
// current cell with the cell's text; Enter, Tab, the arrow keys up and down or leaving the
// field keep what was typed, Escape drops it. Every edit and every move of the current row
// goes straight into the dialog's rules.
class GridControl {
 public:
  // Creates the list view as a child of `parent` with the control identifier `id`, at
  // `bounds` (pixels at 96 dots per inch), its columns and rows at the fonts' scale.
  GridControl(HWND parent, const app::window::Bounds& bounds, int id, const WindowFonts& fonts);
  ~GridControl();
  GridControl(const GridControl&) = delete;
  GridControl& operator=(const GridControl&) = delete;

  HWND window() const { return list_; }
  // The edit field of an edit in progress; nullptr when none.
  HWND editor() const { return editor_; }
  // The current cell's column: 0 "Stary numer", 1 "Nowy numer".
  int current_column() const { return column_; }

  // Shows the rows of `grid` (its current row included) and reports to it from now on. An
  // edit in progress is dropped.
  void Show(app::window::RenumberingGrid& grid);
  // Ends an edit in progress, keeping what was typed.
  void CommitEdit() { EndEdit(true); }

  // The list view's notifications to the dialog (texts of the rows, drawing of the cells):
  // true when handled, with the answer in `result`.
  bool Notify(const NMHDR& header, LRESULT& result);

  static constexpr int kNumberColumn = 0;  // the list view's column of row numbers

 private:
  static LRESULT CALLBACK ListProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK EditorProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT ListMessage(UINT message, WPARAM w, LPARAM l);
  LRESULT EditorMessage(UINT message, WPARAM w, LPARAM l);
  LRESULT CallList(UINT message, WPARAM w, LPARAM l) const;
  LRESULT CallEditor(UINT message, WPARAM w, LPARAM l) const;

  void CreateColumns(const WindowFonts& fonts);
  bool KeyDown(WPARAM key);
  // Whether Tab (forward, or backward with Shift) moves within the grid.
  bool TabStaysInside(bool backward) const;
  void Tab(bool backward);
  void Click(LPARAM where, bool double_click);
  void MoveTo(int row, int column);
  void BeginEdit(std::optional<wchar_t> first_key);
  void EndEdit(bool keep);
  void RedrawRow(int row) const;
  int current_row() const;
  int row_count() const;
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) const;

  DisplayScale scale_;
  HWND list_ = nullptr;
  HWND editor_ = nullptr;
  WNDPROC list_procedure_ = nullptr;
  WNDPROC editor_procedure_ = nullptr;
  HIMAGELIST row_height_ = nullptr;  // sets the height of the rows
  app::window::RenumberingGrid* grid_ = nullptr;
  int column_ = 0;
  int editing_row_ = -1;
  int editing_column_ = 0;
  std::wstring shown_text_;  // the text handed to the list view last
};

}  // namespace konwerter::win32
