#include "app/win32/renumbering_frame.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/win32/wide_text.h"
#include "app/window/renumbering_grid.h"

namespace konwerter::win32 {

namespace {

constexpr wchar_t kClassName[] = L"KonwerterTForm2";
constexpr int kFirstCellId = 1000;  // cell (slot, column): kFirstCellId + 2 * slot + column
constexpr int kScrollWidth = 16;
constexpr std::array<const char*, 6> kSegmentBoxes = {"cboe", "cbob", "cbop", "cbos", "cbz", "cbk"};

}  // namespace

RenumberingFrame::RenumberingFrame(app::window::RenumberingDialog& rules, run::RunOptions& options,
                                   const WindowFonts& fonts, HWND owner)
    : rules_(rules), options_(options), fonts_(fonts), owner_(owner) {
  RegisterDialogClass(kClassName, false);
  const app::window::WindowSpec spec = app::window::RenumberingDialogSpec();
  window_ = CreateDialogWindow(kClassName, spec, owner_, this, fonts_.scale());
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongPtrW(window_, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(&RenumberingFrame::Procedure));
  CreateGrid();
  controls_ = std::make_unique<ControlWindows>(window_, spec, fonts_);
  messages_ = std::make_unique<MessageBoxes>(window_);
}

RenumberingFrame::~RenumberingFrame() {
  if (window_ != nullptr && ::IsWindow(window_)) {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
  }
}

// A child window at `bounds` (pixels at 96 dots per inch), at the fonts' scale: both edges
// scaled, so that neighbours keep meeting.
HWND RenumberingFrame::CreateChild(const wchar_t* window_class, const wchar_t* text, DWORD style,
                                   const app::window::Bounds& bounds, int id) const {
  const DisplayScale scale = fonts_.scale();
  const int left = scale(bounds.left);
  const int top = scale(bounds.top);
  const HWND child = ::CreateWindowExW(
      0, window_class, text, WS_CHILD | style, left, top, scale(bounds.left + bounds.width) - left,
      scale(bounds.top + bounds.height) - top, window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.normal()), FALSE);
  return child;
}

void RenumberingFrame::CreateGrid() {
  const app::window::Bounds grid =
      app::window::RenumberingDialogSpec().Control("StringGrid1").bounds;
  const std::vector<app::window::GridColumn> columns = app::window::RenumberingGridColumns();
  // A row of the grid is 16 pixels high with a 1-pixel grid line below it; here the edit
  // boxes' borders draw that line.
  const int row_height = app::window::kGridRowHeight + 1;
  int left = grid.left;
  for (const app::window::GridColumn& column : columns) {
    CreateChild(L"STATIC", WideFromCp1250(column.title).c_str(),
                WS_VISIBLE | SS_CENTER | SS_SUNKEN | SS_NOPREFIX,
                {left, grid.top, column.width, row_height}, 0);
    left += column.width;
  }
  const int slots = (grid.height - row_height) / row_height;
  for (int slot = 0; slot < slots; ++slot) {
    CellPair pair{};
    int cell_left = grid.left;
    for (int column = 0; column < 2; ++column) {
      const int width = columns[static_cast<std::size_t>(column)].width;
      const HWND cell =
          CreateChild(L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP,
                      {cell_left, grid.top + row_height * (slot + 1), width, row_height},
                      kFirstCellId + 2 * slot + column);
      (column == 0 ? pair.old_number : pair.new_number) = cell;
      cell_left += width;
    }
    cells_.push_back(pair);
  }
  scroll_ = CreateChild(L"SCROLLBAR", nullptr, WS_VISIBLE | SBS_VERT,
                        {left, grid.top + row_height, kScrollWidth, row_height * slots}, 0);
}

void RenumberingFrame::ShowGrid() {
  filling_ = true;
  const app::window::RenumberingGrid& grid = rules_.grid();
  const int slots = static_cast<int>(cells_.size());
  top_row_ = std::clamp(top_row_, 0, std::max(0, grid.row_count() - slots));
  for (int slot = 0; slot < slots; ++slot) {
    const int row = top_row_ + slot;
    const bool shown = row < grid.row_count();
    for (int column = 0; column < 2; ++column) {
      const HWND cell = column == 0 ? cells_[static_cast<std::size_t>(slot)].old_number
                                    : cells_[static_cast<std::size_t>(slot)].new_number;
      ::SetWindowTextW(cell, shown ? WideFromCp1250(grid.Cell(row, column)).c_str() : L"");
      ::ShowWindow(cell, shown ? SW_SHOW : SW_HIDE);
    }
  }
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMax = std::max(0, grid.row_count() - 1);
  info.nPage = static_cast<UINT>(slots);
  info.nPos = top_row_;
  ::SetScrollInfo(scroll_, SB_CTL, &info, TRUE);
  filling_ = false;
}

void RenumberingFrame::ShowRowVisible(int row) {
  const int slots = static_cast<int>(cells_.size());
  if (row < top_row_) top_row_ = row;
  if (row >= top_row_ + slots) top_row_ = row - slots + 1;
  ShowGrid();
  const int slot = row - top_row_;
  if (slot >= 0 && slot < slots) ::SetFocus(cells_[static_cast<std::size_t>(slot)].old_number);
}

bool RenumberingFrame::RunModal() {
  rules_.Showing();
  top_row_ = 0;
  ShowGrid();
  for (const char* box : kSegmentBoxes) {
    const bool* option = app::window::CheckBoxOption(options_, box);
    ::SendMessageW(controls_->Get(box), BM_SETCHECK, *option ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  ::EnableWindow(owner_, FALSE);
  ::ShowWindow(window_, SW_SHOW);
  if (!cells_.empty()) ::SetFocus(cells_.front().old_number);
  MSG message;
  while (!done_ && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (::IsDialogMessageW(window_, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  ::EnableWindow(owner_, TRUE);
  ::ShowWindow(window_, SW_HIDE);
  ::SetActiveWindow(owner_);
  return accepted_;
}

LRESULT CALLBACK RenumberingFrame::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<RenumberingFrame*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, w, l);
  return self->Handle(window, message, w, l);
}

LRESULT RenumberingFrame::Handle(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
      return 0;
    case WM_VSCROLL: {
      const int slots = static_cast<int>(cells_.size());
      switch (LOWORD(w)) {
        case SB_LINEUP:
          --top_row_;
          break;
        case SB_LINEDOWN:
          ++top_row_;
          break;
        case SB_PAGEUP:
          top_row_ -= slots;
          break;
        case SB_PAGEDOWN:
          top_row_ += slots;
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
          top_row_ = HIWORD(w);
          break;
        default:
          break;
      }
      ShowGrid();
      return 0;
    }
    case WM_CLOSE:
      Leave();
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, w, l);
}

void RenumberingFrame::Leave() {
  if (rules_.ConfirmLeave(*messages_)) done_ = true;
}

void RenumberingFrame::Command(int id, int code, HWND control) {
  if (id >= kFirstCellId && id < kFirstCellId + 2 * static_cast<int>(cells_.size())) {
    const int row = top_row_ + (id - kFirstCellId) / 2;
    const int column = (id - kFirstCellId) % 2;
    if (row >= rules_.grid().row_count()) return;
    if (code == EN_CHANGE && !filling_) rules_.grid().SetCell(row, column, TextOf(control));
    if (code == EN_SETFOCUS) rules_.grid().SetCurrentRow(row);
    return;
  }
  if (id == IDCANCEL) {  // Escape
    Leave();
    return;
  }
  if (code != BN_CLICKED) return;
  const std::string name = controls_->NameOf(id);
  if (name == "SpeedButton1") {
    rules_.AddRow();
    ShowRowVisible(rules_.grid().current_row());
  } else if (name == "SpeedButton2") {
    rules_.DeleteRow();
    ShowRowVisible(rules_.grid().current_row());
  } else if (name == "BitBtn1") {
    if (rules_.Accept(*messages_)) {
      accepted_ = true;
      done_ = true;
    }
  } else if (name == "BitBtn2") {
    Leave();
  } else if (!name.empty()) {
    const bool checked = ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    rules_.SegmentBoxClicked(name, checked, *messages_);
  }
}

}  // namespace konwerter::win32
