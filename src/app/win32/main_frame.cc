#include "app/win32/main_frame.h"

#include <commctrl.h>
#include <commdlg.h>

#include "app/win32/renumbering_frame.h"
#include "app/win32/wide_text.h"
#include "app/window/about_message.h"
#include "app/window/option_boxes.h"

namespace konwerter::win32 {

namespace {

constexpr wchar_t kClassName[] = L"KonwerterTForm1";
// A command of the system menu: below 0xF000, its low four bits clear.
constexpr UINT kAboutCommand = 0x0010;

}  // namespace

MainFrame::MainFrame(app::window::MainWindow& rules, run::Session& session,
                     const platform::Clock& clock, const WindowFonts& fonts)
    : rules_(rules), session_(session), clock_(clock), fonts_(fonts) {
  RegisterDialogClass(kClassName, true);
  const app::window::WindowSpec spec = app::window::MainWindowSpec();
  window_ = CreateDialogWindow(kClassName, spec, nullptr, this, fonts_.scale());
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainFrame::Procedure));
  controls_ = std::make_unique<ControlWindows>(window_, spec, fonts_);
  messages_ = std::make_unique<MessageBoxes>(window_, fonts_);
  focus_ = controls_->Get(spec.FocusOrder().front());  // Edit1, first in the tab order
  AddAboutEntry();
  // The system's scale is the main screen's at logon; the screen the window opened on may
  // have another one since.
  const DisplayScale screen = WindowScale(window_);
  if (screen != fonts_.scale()) Rescale(screen, nullptr);
  ShowFields();
}

void MainFrame::AddAboutEntry() {
  const HMENU menu = ::GetSystemMenu(window_, FALSE);
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, kAboutCommand,
                WideFromCp1250(app::window::kAboutMenuEntry).c_str());
}

void MainFrame::Rescale(DisplayScale scale, const RECT* frame) {
  if (scale == fonts_.scale()) {
    current_fonts_ = &fonts_;
  } else {
    std::unique_ptr<WindowFonts>& fonts = scaled_fonts_[scale.dpi()];
    if (fonts == nullptr) fonts = std::make_unique<WindowFonts>(scale);
    current_fonts_ = fonts.get();
  }
  const app::window::WindowSpec spec = app::window::MainWindowSpec();
  controls_->Place(spec, fonts());
  messages_->UseFonts(fonts());
  constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (frame != nullptr) {
    ::SetWindowPos(window_, nullptr, frame->left, frame->top, frame->right - frame->left,
                   frame->bottom - frame->top, kFlags);
    return;
  }
  const SIZE size =
      FrameSize(spec.client_width, spec.client_height, kDialogStyle, kDialogExStyle, scale);
  ::SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, kFlags | SWP_NOMOVE);
}

MainFrame::~MainFrame() {
  if (window_ != nullptr && ::IsWindow(window_)) {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
  }
}

LRESULT CALLBACK MainFrame::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<MainFrame*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, w, l);
  return self->Handle(window, message, w, l);
}

LRESULT MainFrame::Handle(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
      return 0;
    case WM_SYSCOMMAND:
      if ((w & 0xFFF0) == kAboutCommand) {
        messages_->Show(app::window::AboutMessage("konwerter"));
        return 0;
      }
      break;
    case WM_HELP:  // F1
      if (!busy_) messages_->Show(app::window::AboutMessage("konwerter"));
      return TRUE;
    case WM_DPICHANGED:
      Rescale(DisplayScale(HIWORD(w)), reinterpret_cast<const RECT*>(l));
      return 0;
    case WM_DRAWITEM:
      if (controls_->DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(l))) return TRUE;
      break;
    case WM_ACTIVATE:
      // The control that had the focus gets it back with the window; the first time, Edit1.
      if (LOWORD(w) == WA_INACTIVE) {
        const HWND focused = ::GetFocus();
        if (focused != nullptr && ::IsChild(window_, focused)) focus_ = focused;
      } else if (focus_ != nullptr && ::IsWindow(focus_)) {
        ::SetFocus(focus_);
      }
      return 0;
    case WM_SETCURSOR:
      if (busy_) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      if (!busy_) CloseWindow();  // a run is never cut short by closing its window
      return 0;
    case WM_DESTROY:
      window_ = nullptr;
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, w, l);
}

void MainFrame::Command(int id, int code, HWND control) {
  if (id == IDCANCEL) {  // Escape
    return;
  }
  const std::string name = controls_->NameOf(id);
  if (name == "Edit1" || name == "Edit2") {
    if (code == EN_CHANGE && !showing_fields_) {
      (name == "Edit1" ? rules_.input_folder() : rules_.output_folder()) =
          TextOf(controls_->Get(name));
    }
    return;
  }
  if (code != BN_CLICKED) return;
  if (name == "Button1") {
    rules_.ChooseInputFolder(*this);
  } else if (name == "Button2") {
    rules_.ChooseOutputFolder(*this);
  } else if (name == "BitBtn1") {
    rules_.StartConversion(*this, {session_, *this, *messages_, clock_});
  } else if (name == "BitBtn2") {
    rules_.Close(*this);
  } else if (const auto box = controls_->BoxOf(control, app::window::kMainWindowBoxes)) {
    const bool checked = ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    rules_.SetOption(*this, *box, checked);
  }
}

std::optional<std::string> MainFrame::ChooseFile() {
  std::wstring file(MAX_PATH * 4, L'\0');
  file.replace(0, 3, L"*.*");
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.Flags = OFN_HIDEREADONLY | OFN_NOVALIDATE | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
  file.resize(std::wcslen(file.c_str()));
  return Cp1250FromWide(file);
}

bool MainFrame::RunRenumberingDialog() {
  RenumberingFrame dialog(rules_.renumbering_dialog(), rules_.options(), fonts(), window_);
  return dialog.RunModal();
}

void MainFrame::ShowFields() {
  showing_fields_ = true;
  ::SetWindowTextW(controls_->Get("Edit1"), WideFromCp1250(rules_.input_folder()).c_str());
  ::SetWindowTextW(controls_->Get("Edit2"), WideFromCp1250(rules_.output_folder()).c_str());
  controls_->ShowBoxes(app::window::kMainWindowBoxes, rules_.options());
  showing_fields_ = false;
}

void MainFrame::SetBusy(bool busy) {
  // What the operator clicked or typed during the run is dropped, not acted on afterwards.
  if (!busy) ProcessMessages();
  busy_ = busy;
  ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

bool MainFrame::IsInputToThisWindow(const MSG& message) const {
  const bool input = (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) ||
                     (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) ||
                     (message.message >= WM_NCMOUSEMOVE && message.message <= WM_NCXBUTTONDBLCLK);
  return input && (message.hwnd == window_ || ::IsChild(window_, message.hwnd));
}

void MainFrame::ProcessMessages() {
  last_processing_ = ::GetTickCount64();
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (busy_ && IsInputToThisWindow(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

void MainFrame::ProcessMessagesNowAndThen() {
  if (::GetTickCount64() - last_processing_ >= kProcessingInterval) ProcessMessages();
}

void MainFrame::CloseWindow() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

void MainFrame::ShowRunPosition(int position) {
  ::SendMessageW(controls_->Get("ProgressBar1"), PBM_SETPOS, position, 0);
  ::SetWindowTextW(controls_->Get("lile"), std::to_wstring(position).c_str());
  ::UpdateWindow(controls_->Get("ProgressBar1"));
  ProcessMessagesNowAndThen();
}

void MainFrame::ShowTable(std::string_view caption, int record_maximum) {
  const HWND label = controls_->Get("Label5");
  ::SetWindowTextW(label, WideFromCp1250(caption).c_str());
  ::UpdateWindow(label);
  const HWND bar = controls_->Get("ProgressBar2");
  ::SendMessageW(bar, PBM_SETRANGE32, 0, record_maximum);
  ::SendMessageW(bar, PBM_SETPOS, 0, 0);
  ::UpdateWindow(bar);
  ProcessMessagesNowAndThen();
}

void MainFrame::ShowRecordPosition(int position) {
  const HWND bar = controls_->Get("ProgressBar2");
  ::SendMessageW(bar, PBM_SETPOS, position, 0);
  ::UpdateWindow(bar);
  ProcessMessagesNowAndThen();
}

// The pause between converters repaints the window and lets it answer the system, without
// holding the run up.
void MainFrame::Pause() {
  ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  ProcessMessages();
}

void MainFrame::Reset() {
  ::SendMessageW(controls_->Get("ProgressBar1"), PBM_SETPOS, 0, 0);
  ::SendMessageW(controls_->Get("ProgressBar2"), PBM_SETPOS, 0, 0);
  ProcessMessages();
}

}  // namespace konwerter::win32
