#include "app/win32/grid_control.h"

#include <algorithm>
#include <vector>

#include "app/win32/wide_text.h"

namespace konwerter::win32 {

namespace {

constexpr wchar_t kSelf[] = L"KonwerterGrid";  // the window property holding the object
constexpr int kTitlePadding = 14;              // a title's margins inside its column
constexpr int kDataColumns = 2;

GridControl* Owner(HWND window) {
  return static_cast<GridControl*>(::GetPropW(window, kSelf));
}

bool ShiftDown() {
  return (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

// The light colour of the current row's other cells: the highlight mixed with the window.
COLORREF RowColour() {
  const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  const auto mix = [](int a, int b) { return static_cast<BYTE>((a + 3 * b) / 4); };
  return RGB(mix(GetRValue(highlight), GetRValue(window)),
             mix(GetGValue(highlight), GetGValue(window)),
             mix(GetBValue(highlight), GetBValue(window)));
}

}  // namespace

GridControl::GridControl(HWND parent, const app::window::Bounds& bounds, int id,
                         const WindowFonts& fonts)
    : scale_(fonts.scale()) {
  EnsureCommonControls();
  list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA |
                                LVS_NOSORTHEADER | LVS_SINGLESEL,
                            scale_(bounds.left), scale_(bounds.top), scale_(bounds.width),
                            scale_(bounds.height), parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  ::SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.normal()), FALSE);
  ::SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
  // A report view's rows are as high as its small pictures when those are higher.
  row_height_ = ::ImageList_Create(1, scale_(app::window::kGridRowHeight), ILC_COLOR, 0, 0);
  ::SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(row_height_));
  CreateColumns(fonts);
  ::SetPropW(list_, kSelf, this);
  list_procedure_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
      list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GridControl::ListProcedure)));
}

GridControl::~GridControl() {
  if (editor_ != nullptr && ::IsWindow(editor_)) ::RemovePropW(editor_, kSelf);
  if (::IsWindow(list_)) {
    ::SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(list_procedure_));
    ::RemovePropW(list_, kSelf);
  }
  ::ImageList_Destroy(row_height_);
}

void GridControl::CreateColumns(const WindowFonts& fonts) {
  const std::vector<app::window::GridColumn> columns = app::window::RenumberingGridColumns();
  // The titles are measured in the font the title row draws them in.
  const HWND header = reinterpret_cast<HWND>(::SendMessageW(list_, LVM_GETHEADER, 0, 0));
  auto title_font = reinterpret_cast<HFONT>(::SendMessageW(header, WM_GETFONT, 0, 0));
  if (title_font == nullptr) title_font = fonts.normal();
  LVCOLUMNW number{};
  number.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_FMT;
  number.fmt = LVCFMT_RIGHT;
  number.cx = scale_(app::window::kRowNumberWidth);
  number.pszText = const_cast<wchar_t*>(L"");
  ::SendMessageW(list_, LVM_INSERTCOLUMNW, kNumberColumn, reinterpret_cast<LPARAM>(&number));
  for (std::size_t i = 0; i < columns.size(); ++i) {
    std::wstring title = WideFromCp1250(columns[i].title);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    // The whole title shows, also in a font wider than the one the widths were made for.
    column.cx =
        std::max(scale_(columns[i].width), TextWidth(title_font, title) + scale_(kTitlePadding));
    column.pszText = title.data();
    ::SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i + 1),
                   reinterpret_cast<LPARAM>(&column));
  }
}

LRESULT GridControl::CallList(UINT message, WPARAM w, LPARAM l) const {
  return ::CallWindowProcW(list_procedure_, list_, message, w, l);
}

LRESULT GridControl::CallEditor(UINT message, WPARAM w, LPARAM l) const {
  return ::CallWindowProcW(editor_procedure_, editor_, message, w, l);
}

int GridControl::current_row() const {
  return grid_ == nullptr ? 0 : grid_->current_row();
}

int GridControl::row_count() const {
  return grid_ == nullptr ? 0 : grid_->row_count();
}

void GridControl::Show(app::window::RenumberingGrid& grid) {
  EndEdit(false);
  grid_ = &grid;
  ::SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(grid.row_count()), 0);
  ::SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(grid.current_row()), FALSE);
  ::InvalidateRect(list_, nullptr, TRUE);
}

void GridControl::RedrawRow(int row) const {
  ::SendMessageW(list_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

void GridControl::MoveTo(int row, int column) {
  if (grid_ == nullptr) return;
  EndEdit(true);
  const int previous = current_row();
  grid_->SetCurrentRow(std::clamp(row, 0, row_count() - 1));
  column_ = std::clamp(column, 0, kDataColumns - 1);
  ::SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(current_row()), FALSE);
  RedrawRow(previous);
  RedrawRow(current_row());
}

bool GridControl::TabStaysInside(bool backward) const {
  if (backward) return current_row() > 0 || column_ > 0;
  return current_row() < row_count() - 1 || column_ < kDataColumns - 1;
}

void GridControl::Tab(bool backward) {
  const int cell = current_row() * kDataColumns + column_ + (backward ? -1 : 1);
  MoveTo(cell / kDataColumns, cell % kDataColumns);
}

bool GridControl::KeyDown(WPARAM key) {
  const int page =
      std::max(1, static_cast<int>(::SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0)) - 1);
  switch (key) {
    case VK_UP:
      MoveTo(current_row() - 1, column_);
      return true;
    case VK_DOWN:
      MoveTo(current_row() + 1, column_);
      return true;
    case VK_LEFT:
      MoveTo(current_row(), column_ - 1);
      return true;
    case VK_RIGHT:
      MoveTo(current_row(), column_ + 1);
      return true;
    case VK_PRIOR:
      MoveTo(current_row() - page, column_);
      return true;
    case VK_NEXT:
      MoveTo(current_row() + page, column_);
      return true;
    case VK_HOME:
      MoveTo(0, column_);
      return true;
    case VK_END:
      MoveTo(row_count() - 1, column_);
      return true;
    case VK_TAB:
      Tab(ShiftDown());
      return true;
    case VK_RETURN:
    case VK_F2:
      BeginEdit(std::nullopt);
      return true;
    default:
      return false;
  }
}

void GridControl::Click(LPARAM where, bool double_click) {
  const bool had_focus = ::GetFocus() == list_;
  ::SetFocus(list_);
  LVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
  ::SendMessageW(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.iItem < 0 || hit.iItem >= row_count()) return;
  const int column = hit.iSubItem == kNumberColumn ? column_ : hit.iSubItem - 1;
  const bool on_current = hit.iItem == current_row() && column == column_;
  MoveTo(hit.iItem, column);
  if (hit.iSubItem != kNumberColumn && (double_click || (on_current && had_focus))) {
    BeginEdit(std::nullopt);
  }
}

void GridControl::BeginEdit(std::optional<wchar_t> first_key) {
  if (grid_ == nullptr || editor_ != nullptr) return;
  editing_row_ = current_row();
  editing_column_ = column_;
  ::SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(editing_row_), FALSE);
  RECT cell{};
  cell.top = editing_column_ + 1;
  cell.left = LVIR_BOUNDS;
  ::SendMessageW(list_, LVM_GETSUBITEMRECT, static_cast<WPARAM>(editing_row_),
                 reinterpret_cast<LPARAM>(&cell));
  const std::wstring text = first_key ? std::wstring(1, *first_key)
                                      : WideFromCp1250(grid_->Cell(editing_row_, editing_column_));
  // Inside the cell's grid lines, its text where the cell draws it.
  const int inset = scale_(2);
  editor_ = ::CreateWindowExW(0, L"EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                              cell.left + inset, cell.top + 1, cell.right - cell.left - inset - 1,
                              cell.bottom - cell.top - 1, list_, nullptr, nullptr, nullptr);
  ::SendMessageW(editor_, WM_SETFONT, ::SendMessageW(list_, WM_GETFONT, 0, 0), FALSE);
  ::SetPropW(editor_, kSelf, this);
  editor_procedure_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
      editor_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GridControl::EditorProcedure)));
  const int length = static_cast<int>(text.size());
  ::SendMessageW(editor_, EM_SETSEL, first_key ? length : 0, length);
  ::SetFocus(editor_);
}

void GridControl::EndEdit(bool keep) {
  if (editor_ == nullptr) return;
  const HWND editor = editor_;
  if (keep && grid_ != nullptr && editing_row_ < row_count()) {
    grid_->SetCell(editing_row_, editing_column_, TextOf(editor));
  }
  editor_ = nullptr;  // leaving the field below must not end the edit a second time
  const bool had_focus = ::GetFocus() == editor;
  ::RemovePropW(editor, kSelf);
  ::DestroyWindow(editor);
  if (had_focus) ::SetFocus(list_);
  RedrawRow(editing_row_);
}

LRESULT CALLBACK GridControl::ListProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  GridControl* self = Owner(window);
  if (self == nullptr) return ::DefWindowProcW(window, message, w, l);
  return self->ListMessage(message, w, l);
}

LRESULT CALLBACK GridControl::EditorProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  GridControl* self = Owner(window);
  if (self == nullptr) return ::DefWindowProcW(window, message, w, l);
  // A field whose edit has ended only goes on being an edit field until it is gone.
  if (self->editor_ != window) {
    return ::CallWindowProcW(self->editor_procedure_, window, message, w, l);
  }
  return self->EditorMessage(message, w, l);
}

LRESULT GridControl::ListMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = CallList(message, w, l) | DLGC_WANTARROWS | DLGC_WANTCHARS;
      const auto* key = reinterpret_cast<const MSG*>(l);
      if (key != nullptr && key->message == WM_KEYDOWN &&
          (key->wParam == VK_RETURN || key->wParam == VK_F2 ||
           (key->wParam == VK_TAB && TabStaysInside(ShiftDown())))) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_KEYDOWN:
      if (KeyDown(w)) return 0;
      break;
    case WM_CHAR:
      if (w >= L' ') BeginEdit(static_cast<wchar_t>(w));
      return 0;  // no search by the first letters
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Click(l, message == WM_LBUTTONDBLCLK);
      return 0;  // no selection, no dragging
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
      EndEdit(true);
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(l);
      if (header->code == HDN_BEGINTRACKW || header->code == HDN_BEGINTRACKA) EndEdit(true);
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      RedrawRow(current_row());  // the current cell shows brighter while the grid has focus
      break;
    default:
      break;
  }
  return CallList(message, w, l);
}

LRESULT GridControl::EditorMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_GETDLGCODE:
      return CallEditor(message, w, l) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      switch (w) {
        case VK_RETURN:
          EndEdit(true);
          return 0;
        case VK_ESCAPE:
          EndEdit(false);
          return 0;
        case VK_TAB:
          if (TabStaysInside(ShiftDown())) {
            Tab(ShiftDown());
          } else {
            EndEdit(true);
            ::SendMessageW(::GetParent(list_), WM_NEXTDLGCTL, ShiftDown() ? 1 : 0, FALSE);
          }
          return 0;
        case VK_UP:
        case VK_DOWN:
          MoveTo(current_row() + (w == VK_UP ? -1 : 1), column_);
          return 0;
        default:
          break;
      }
      break;
    case WM_CHAR:
      if (w == L'\r' || w == L'\t' || w == 0x1B) return 0;  // handled as keys, no beep
      break;
    case WM_KILLFOCUS:
      EndEdit(true);  // the focus went elsewhere: keep what was typed
      return 0;
    default:
      break;
  }
  return CallEditor(message, w, l);
}

bool GridControl::Notify(const NMHDR& header, LRESULT& result) {
  if (header.hwndFrom != list_) return false;
  if (header.code == LVN_GETDISPINFOW) {
    auto& item = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item;
    if ((item.mask & LVIF_TEXT) == 0 || item.iItem < 0 || item.iItem >= row_count()) return true;
    shown_text_ = item.iSubItem == kNumberColumn
                      ? std::to_wstring(item.iItem + 1)
                      : WideFromCp1250(grid_->Cell(item.iItem, item.iSubItem - 1));
    if (item.cchTextMax > 0) {
      const std::size_t length =
          std::min(shown_text_.size(), static_cast<std::size_t>(item.cchTextMax - 1));
      std::copy_n(shown_text_.c_str(), length, item.pszText);
      item.pszText[length] = L'\0';
    }
    result = 0;
    return true;
  }
  if (header.code == NM_CUSTOMDRAW) {
    result =
        CustomDraw(const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header)));
    return true;
  }
  return false;
}

LRESULT GridControl::CustomDraw(NMLVCUSTOMDRAW& draw) const {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      break;
    default:
      return CDRF_DODEFAULT;
  }
  const int row = static_cast<int>(draw.nmcd.dwItemSpec);
  const bool current = row == current_row();
  draw.clrText = ::GetSysColor(COLOR_WINDOWTEXT);
  draw.clrTextBk = ::GetSysColor(COLOR_WINDOW);
  if (draw.iSubItem == kNumberColumn) {
    draw.clrTextBk = ::GetSysColor(COLOR_BTNFACE);  // row numbers, as a title column
  } else if (current && draw.iSubItem - 1 == column_) {
    const bool focused = ::GetFocus() == list_ || editor_ != nullptr;
    draw.clrText = ::GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    draw.clrTextBk = focused ? ::GetSysColor(COLOR_HIGHLIGHT) : RowColour();
  } else if (current) {
    draw.clrTextBk = RowColour();
  }
  return CDRF_NEWFONT;
}

}  // namespace konwerter::win32
