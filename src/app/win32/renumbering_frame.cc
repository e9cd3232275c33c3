#include "app/win32/renumbering_frame.h"

#include <string>

namespace konwerter::win32 {

namespace {

constexpr wchar_t kClassName[] = L"KonwerterTForm2";
constexpr int kGridId = 1000;  // beside the identifiers of ControlWindows

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
  // The grid first: it is first in the tab order.
  grid_ =
      std::make_unique<GridControl>(window_, spec.Control("StringGrid1").bounds, kGridId, fonts_);
  controls_ = std::make_unique<ControlWindows>(window_, spec, fonts_);
  messages_ = std::make_unique<MessageBoxes>(window_, fonts_);
}

RenumberingFrame::~RenumberingFrame() {
  grid_.reset();
  if (window_ != nullptr && ::IsWindow(window_)) {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
  }
}

void RenumberingFrame::ShowRules() {
  rules_.Showing();
  grid_->Show(rules_.grid());
  controls_->ShowBoxes(app::window::kRenumberingDialogBoxes, options_);
}

bool RenumberingFrame::RunModal() {
  ShowRules();
  ::EnableWindow(owner_, FALSE);
  ::ShowWindow(window_, SW_SHOW);
  ::SetFocus(grid_->window());
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
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (grid_->Notify(*reinterpret_cast<const NMHDR*>(l), result)) return result;
      break;
    }
    case WM_DRAWITEM:
      if (controls_->DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(l))) return TRUE;
      break;
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
  if (id == IDCANCEL) {  // Escape
    Leave();
    return;
  }
  if (code != BN_CLICKED) return;
  const std::string name = controls_->NameOf(id);
  if (name == "SpeedButton1" || name == "SpeedButton2") {
    grid_->CommitEdit();
    if (name == "SpeedButton1") {
      rules_.AddRow();
    } else {
      rules_.DeleteRow();
    }
    grid_->Show(rules_.grid());
    ::SetFocus(grid_->window());
  } else if (name == "BitBtn1") {
    grid_->CommitEdit();
    if (rules_.Accept(*messages_)) {
      accepted_ = true;
      done_ = true;
    }
  } else if (name == "BitBtn2") {
    Leave();
  } else if (const auto box = controls_->BoxOf(control, app::window::kRenumberingDialogBoxes)) {
    const bool checked = ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    rules_.SetSegmentOption(*box, checked, *messages_);
  }
}

}  // namespace konwerter::win32
