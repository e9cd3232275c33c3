// The native renumbering grid driven as an operator would, key by key and click by click:
// needs a display (scripts/windows-check.sh runs it under xvfb-run wine).

#include "app/win32/grid_control.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "app/win32/renumbering_frame.h"
#include "app/win32/wide_text.h"
#include "app/window/main_window.h"
#include "tests/support/temp_dir.h"

namespace konwerter::win32 {
namespace {

class GridControlTest : public ::testing::Test {
 protected:
  GridControlTest() {
    rules_.renumbering_dialog().grid().Assign({{"12", "345"}, {"7", "8"}, {"1061", "1062"}});
    frame_.ShowRules();
    ::ShowWindow(frame_.window(), SW_SHOW);
    ::SetFocus(list());
  }
  // What the grid queued for itself (repaints) is handled before the dialog goes.
  ~GridControlTest() override {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }

  HWND list() { return frame_.grid().window(); }
  const app::window::RenumberingGrid& grid() { return rules_.renumbering_dialog().grid(); }
  void Key(HWND window, WPARAM key) { ::SendMessageW(window, WM_KEYDOWN, key, 0); }
  void Type(HWND window, std::wstring_view text) {
    for (const wchar_t c : text) ::SendMessageW(window, WM_CHAR, c, 0);
  }
  // A click in the middle of a cell (column 0 "Stary numer", 1 "Nowy numer").
  void Click(int row, int column) {
    RECT cell{};
    cell.top = column + 1;
    cell.left = LVIR_BOUNDS;
    ::SendMessageW(list(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&cell));
    const LPARAM where = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    ::SendMessageW(list(), WM_LBUTTONDOWN, MK_LBUTTON, where);
    ::SendMessageW(list(), WM_LBUTTONUP, 0, where);
  }
  std::wstring ListText(int row, int column) {
    wchar_t text[64] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 64;
    ::SendMessageW(list(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
    return text;
  }
  std::wstring Title(int column) {
    wchar_t text[64] = {};
    LVCOLUMNW title{};
    title.mask = LVCF_TEXT;
    title.pszText = text;
    title.cchTextMax = 64;
    ::SendMessageW(list(), LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                   reinterpret_cast<LPARAM>(&title));
    return text;
  }
  int Width(int column) {
    return static_cast<int>(::SendMessageW(list(), LVM_GETCOLUMNWIDTH, column, 0));
  }

  testing::TempDir dir_;
  const WindowFonts fonts_;
  app::window::MainWindow rules_{dir_.Join("konwerter.exe")};
  RenumberingFrame frame_{rules_.renumbering_dialog(), rules_.options(), fonts_, nullptr};
};

TEST_F(GridControlTest, ShowsRowNumbersAndWholeTitlesInColumnsThatCanBeWidened) {
  EXPECT_EQ(Title(1), L"Stary numer");
  EXPECT_EQ(Title(2), L"Nowy numer");
  EXPECT_GE(Width(1), 75);
  EXPECT_GE(Width(2), 73);
  // The title whole on one line, in the font of the title row.
  const HWND header = reinterpret_cast<HWND>(::SendMessageW(list(), LVM_GETHEADER, 0, 0));
  const auto title_font = reinterpret_cast<HFONT>(::SendMessageW(header, WM_GETFONT, 0, 0));
  EXPECT_GT(Width(2),
            TextWidth(title_font != nullptr ? title_font : fonts_.normal(), L"Nowy numer"));
  EXPECT_EQ(ListText(0, 0), L"1");
  EXPECT_EQ(ListText(2, 0), L"3");
  EXPECT_EQ(ListText(2, 1), L"1061");
  EXPECT_EQ(ListText(1, 2), L"8");
  EXPECT_EQ(::GetWindowLongPtrW(header, GWL_STYLE) & HDS_NOSIZING, 0);
  ::SendMessageW(list(), LVM_SETCOLUMNWIDTH, 2, 120);
  EXPECT_EQ(Width(2), 120);
}

TEST_F(GridControlTest, ArrowKeysTabAndClicksMoveTheCurrentCell) {
  EXPECT_EQ(grid().current_row(), 0);
  EXPECT_EQ(frame_.grid().current_column(), 0);
  Key(list(), VK_DOWN);
  Key(list(), VK_DOWN);
  Key(list(), VK_DOWN);  // stays on the last row
  EXPECT_EQ(grid().current_row(), 2);
  Key(list(), VK_RIGHT);
  Key(list(), VK_RIGHT);
  EXPECT_EQ(frame_.grid().current_column(), 1);
  Key(list(), VK_UP);
  Key(list(), VK_LEFT);
  EXPECT_EQ(grid().current_row(), 1);
  EXPECT_EQ(frame_.grid().current_column(), 0);
  Key(list(), VK_TAB);  // to the next cell, then to the next row
  Key(list(), VK_TAB);
  EXPECT_EQ(grid().current_row(), 2);
  EXPECT_EQ(frame_.grid().current_column(), 0);
  Key(list(), VK_HOME);
  EXPECT_EQ(grid().current_row(), 0);
  Click(1, 1);
  EXPECT_EQ(grid().current_row(), 1);
  EXPECT_EQ(frame_.grid().current_column(), 1);
  EXPECT_EQ(frame_.grid().editor(), nullptr);  // a click on another cell only moves there
}

TEST_F(GridControlTest, TheCurrentCellIsDrawnHighlightedAndItsRowLighter) {
  Key(list(), VK_DOWN);
  Key(list(), VK_RIGHT);
  const auto colours = [&](int row, int column) {
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {list(), 0, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    draw.iSubItem = column + 1;
    LRESULT result = 0;
    EXPECT_TRUE(frame_.grid().Notify(draw.nmcd.hdr, result));
    return draw.clrTextBk;
  };
  EXPECT_EQ(colours(1, 1), ::GetSysColor(COLOR_HIGHLIGHT));
  const COLORREF row = colours(1, 0);
  EXPECT_NE(row, ::GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_NE(row, ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(colours(0, 1), ::GetSysColor(COLOR_WINDOW));
}

TEST_F(GridControlTest, TypingEditsInPlaceAndEnterOrLeavingKeepsIt) {
  Type(list(), L"4");  // the first key starts the edit and is its first character
  ASSERT_NE(frame_.grid().editor(), nullptr);
  Type(frame_.grid().editor(), L"2");
  Key(frame_.grid().editor(), VK_RETURN);
  EXPECT_EQ(frame_.grid().editor(), nullptr);
  EXPECT_EQ(grid().Cell(0, 0), "42");
  EXPECT_EQ(::GetFocus(), list());

  Key(list(), VK_F2);  // F2 edits the cell's own text
  ASSERT_NE(frame_.grid().editor(), nullptr);
  EXPECT_EQ(TextOf(frame_.grid().editor()), "42");
  Key(frame_.grid().editor(), VK_ESCAPE);  // dropped
  EXPECT_EQ(grid().Cell(0, 0), "42");

  Type(list(), L"9");
  Key(frame_.grid().editor(), VK_DOWN);  // kept, and the next row becomes current
  EXPECT_EQ(grid().Cell(0, 0), "9");
  EXPECT_EQ(grid().current_row(), 1);

  Type(list(), L"5");
  ::SendMessageW(frame_.Control("SpeedButton1"), BM_CLICK, 0, 0);  // a new row keeps it
  EXPECT_EQ(grid().Cell(1, 0), "5");
  EXPECT_EQ(grid().row_count(), 4);
  EXPECT_EQ(grid().current_row(), 3);
  EXPECT_EQ(ListText(3, 0), L"4");
}

// A click on the current cell opens its editor at once, so no key typed after it is lost.
TEST_F(GridControlTest, TypingRightAfterClickingTheCurrentCellKeepsEveryDigit) {
  Click(0, 1);
  ASSERT_EQ(frame_.grid().editor(), nullptr);
  Click(0, 1);
  ASSERT_NE(frame_.grid().editor(), nullptr);
  Type(frame_.grid().editor(), L"12");  // replaces the cell's text, which the edit selected
  Key(frame_.grid().editor(), VK_RETURN);
  EXPECT_EQ(grid().Cell(0, 1), "12");
}

// Opened over a window on a screen of 144 dots per inch (150 %), the dialog, its grid with
// its columns and rows, the grid's edit field and its boxes are half as large again.
TEST_F(GridControlTest, OnAScreenOfMoreDotsPerInchTheDialogAndItsGridScale) {
  const DisplayScale scale(144);
  const WindowFonts fonts(scale);
  RenumberingFrame dialog(rules_.renumbering_dialog(), rules_.options(), fonts, nullptr);
  dialog.ShowRules();
  ::ShowWindow(dialog.window(), SW_SHOW);
  const app::window::WindowSpec spec = app::window::RenumberingDialogSpec();
  const auto place = [&](HWND window) {
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    ::MapWindowPoints(nullptr, dialog.window(), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
  };
  RECT client{};
  ::GetClientRect(dialog.window(), &client);
  EXPECT_GE(client.right, scale(spec.client_width));
  EXPECT_GE(client.bottom, scale(spec.client_height));

  const HWND list = dialog.grid().window();
  const app::window::Bounds& grid = spec.Control("StringGrid1").bounds;
  const RECT bounds = place(list);
  EXPECT_EQ(bounds.left, scale(grid.left));
  EXPECT_EQ(bounds.top, scale(grid.top));
  EXPECT_EQ(bounds.right - bounds.left, scale(grid.width));
  EXPECT_EQ(bounds.bottom - bounds.top, scale(grid.height));
  EXPECT_EQ(::SendMessageW(list, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(fonts.normal()));
  EXPECT_EQ(::SendMessageW(list, LVM_GETCOLUMNWIDTH, GridControl::kNumberColumn, 0),
            scale(app::window::kRowNumberWidth));
  const std::vector<app::window::GridColumn> columns = app::window::RenumberingGridColumns();
  for (int column = 0; column < 2; ++column) {
    EXPECT_GE(::SendMessageW(list, LVM_GETCOLUMNWIDTH, column + 1, 0),
              scale(columns[static_cast<std::size_t>(column)].width));
  }
  RECT row{};
  row.left = LVIR_BOUNDS;
  ::SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  EXPECT_GE(row.bottom - row.top, scale(app::window::kGridRowHeight));

  ::SetFocus(list);
  ::SendMessageW(list, WM_KEYDOWN, VK_F2, 0);
  const HWND editor = dialog.grid().editor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(::SendMessageW(editor, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(fonts.normal()));
  RECT cell{};
  cell.top = 1;
  cell.left = LVIR_BOUNDS;
  ::SendMessageW(list, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
  RECT field{};
  ::GetWindowRect(editor, &field);
  ::MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&field), 2);
  EXPECT_EQ(field.left, cell.left + scale(2));
  EXPECT_EQ(field.right, cell.right - 1);
  ::SendMessageW(editor, WM_KEYDOWN, VK_ESCAPE, 0);

  for (const char* name : {"cboe", "BitBtn1", "SpeedButton1"}) {
    const app::window::Bounds& box = spec.Control(name).bounds;
    const RECT at = place(dialog.Control(name));
    EXPECT_EQ(at.left, scale(box.left)) << name;
    EXPECT_EQ(at.top, scale(box.top)) << name;
    EXPECT_EQ(at.bottom - at.top, scale(box.height)) << name;
  }
}

}  // namespace
}  // namespace konwerter::win32
