#include "app/win32/outcome_frame.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "app/win32/wide_text.h"

namespace konwerter::win32 {

namespace {

using app::window::OutcomeButton;

constexpr int kFirstButtonId = 100;

const wchar_t* IconOf(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::kStop:
      return IDI_ERROR;
    case platform::MessageIcon::kWarning:
      return IDI_WARNING;
    case platform::MessageIcon::kQuestion:
      return IDI_QUESTION;
    case platform::MessageIcon::kNone:
      break;
  }
  return IDI_INFORMATION;
}

std::wstring Joined(const std::vector<std::string>& lines) {
  std::wstring joined;
  for (const std::string& line : lines) {
    if (!joined.empty()) joined += L"\r\n";
    joined += WideFromCp1250(line);
  }
  return joined;
}

RECT WorkArea(HWND owner) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  const HMONITOR screen = owner != nullptr ? ::MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                                           : ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  if (::GetMonitorInfoW(screen, &monitor)) return monitor.rcWork;
  RECT area{0, 0, 1024, 768};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

}  // namespace

ReportOpener ShellReportOpener() {
  return [](const std::wstring& path) {
    ::ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  };
}

OutcomeFrame::OutcomeFrame(app::window::OutcomeDialog dialog, const WindowFonts& fonts, HWND owner,
                           ReportOpener open_report)
    : dialog_(std::move(dialog)),
      fonts_(fonts),
      owner_(owner),
      open_report_(std::move(open_report)) {
  EnsureCommonControls();
  RegisterDialogClass(kClassName, false);
  const RECT work = WorkArea(owner_);
  const DisplayScale scale = fonts_.scale();
  const app::window::Size client =
      OutcomeClientSize(dialog_, Measures(),
                        {scale.UnscaledFitting(work.right - work.left),
                         scale.UnscaledFitting(work.bottom - work.top)});
  const SIZE frame = FrameSize(client.width, client.height, Style(), kDialogExStyle, scale);
  const int width = frame.cx;
  const int height = frame.cy;
  const std::wstring caption = WideFromCp1250(dialog_.caption);
  window_ = ::CreateWindowExW(kDialogExStyle, kClassName, caption.c_str(), Style(),
                              work.left + (work.right - work.left - width) / 2,
                              work.top + (work.bottom - work.top - height) / 2, width, height,
                              owner_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OutcomeFrame::Procedure));
  CreateParts();
  LayOut();
}

OutcomeFrame::~OutcomeFrame() {
  if (window_ != nullptr && ::IsWindow(window_)) {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
  }
}

DWORD OutcomeFrame::Style() const {
  return dialog_.resizable ? WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME : kDialogStyle;
}

app::window::TextMeasures OutcomeFrame::Measures() const {
  const HDC screen = ::GetDC(nullptr);
  const HGDIOBJ previous = ::SelectObject(screen, fonts_.normal());
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(screen, &metrics);
  ::SelectObject(screen, previous);
  ::ReleaseDC(nullptr, screen);
  int widest = 0;
  for (const std::string& line : dialog_.TextLines()) {
    widest = std::max(widest, TextWidth(fonts_.normal(), WideFromCp1250(line)));
  }
  // The layout counts pixels at 96 dots per inch; the fonts are of the screen's scale. The
  // edit field's own margins on both sides.
  const DisplayScale scale = fonts_.scale();
  return {scale.UnscaledHolding(metrics.tmHeight + metrics.tmExternalLeading),
          scale.UnscaledHolding(widest) + 12};
}

HWND OutcomeFrame::Part(const wchar_t* window_class, const std::wstring& text, DWORD style,
                        DWORD ex_style) {
  const HWND part = ::CreateWindowExW(ex_style, window_class, text.c_str(), WS_CHILD | style, 0, 0,
                                      0, 0, window_, nullptr, nullptr, nullptr);
  ::SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.normal()), FALSE);
  return part;
}

void OutcomeFrame::CreateParts() {
  if (dialog_.icon != platform::MessageIcon::kNone) {
    icon_ = Part(L"STATIC", L"", SS_ICON);
    ::SendMessageW(icon_, STM_SETICON,
                   reinterpret_cast<WPARAM>(::LoadIconW(nullptr, IconOf(dialog_.icon))), 0);
  }
  const bool long_text =
      static_cast<int>(dialog_.TextLines().size()) > app::window::kOutcomeTextLines;
  text_ = Part(L"EDIT", WideFromCp1250(dialog_.text),
               ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | (long_text ? WS_VSCROLL : 0));
  facts_ = Part(L"STATIC", Joined(dialog_.facts), SS_LEFT | SS_NOPREFIX);
  list_title_ = Part(L"STATIC", WideFromCp1250(dialog_.list_title), SS_LEFT | SS_NOPREFIX);
  list_ = Part(WC_TREEVIEWW, L"",
               WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
               WS_EX_CLIENTEDGE);
  FillList();
  for (std::size_t i = 0; i < dialog_.buttons.size(); ++i) {
    const bool closing = i + 1 == dialog_.buttons.size();
    const HWND button = Part(L"BUTTON", WideFromCp1250(ButtonCaption(dialog_.buttons[i])),
                             WS_TABSTOP | (closing ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
    ::SetWindowLongPtrW(button, GWLP_ID, static_cast<LONG_PTR>(kFirstButtonId + i));
    buttons_.push_back(button);
  }
  // Tab goes from the list to the buttons in their order.
  HWND after = list_;
  for (const HWND button : buttons_) {
    ::SetWindowPos(button, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = button;
  }
}

void OutcomeFrame::FillList() {
  for (const platform::MessageDetailGroup& group : dialog_.groups) {
    std::wstring heading = WideFromCp1250(dialog_.GroupHeading(group));
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = heading.data();
    const auto parent = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(list_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    for (const std::string& line : group.lines) {
      std::wstring text = WideFromCp1250(line);
      insert.hParent = parent;
      insert.item.pszText = text.data();
      ::SendMessageW(list_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
    }
    ::SendMessageW(list_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
  }
  const auto first = reinterpret_cast<LPARAM>(::SendMessageW(list_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  if (first != 0) ::SendMessageW(list_, TVM_ENSUREVISIBLE, 0, first);
}

HWND OutcomeFrame::button(OutcomeButton kind) const {
  const auto found = std::find(dialog_.buttons.begin(), dialog_.buttons.end(), kind);
  return buttons_.at(static_cast<std::size_t>(found - dialog_.buttons.begin()));
}

void OutcomeFrame::LayOut() {
  RECT client{};
  ::GetClientRect(window_, &client);
  const DisplayScale scale = fonts_.scale();
  const app::window::OutcomeLayout layout =
      LayOutOutcome(dialog_, Measures(),
                    {scale.UnscaledFitting(client.right), scale.UnscaledFitting(client.bottom)});
  // Both edges of a part scaled, so that parts that meet at 96 dots per inch meet here too.
  const auto place = [scale](HWND part, const app::window::Bounds& bounds) {
    if (part == nullptr) return;
    const bool shown = bounds.width > 0 && bounds.height > 0;
    const int left = scale(bounds.left);
    const int top = scale(bounds.top);
    ::SetWindowPos(part, nullptr, left, top, scale(bounds.left + bounds.width) - left,
                   scale(bounds.top + bounds.height) - top,
                   SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  };
  place(icon_, layout.icon);
  place(text_, layout.text);
  place(facts_, layout.facts);
  place(list_title_, layout.list_title);
  place(list_, layout.list);
  for (std::size_t i = 0; i < buttons_.size(); ++i) place(buttons_[i], layout.buttons[i]);
  ::InvalidateRect(window_, nullptr, TRUE);
}

void OutcomeFrame::RunModal() {
  const bool owner_enabled = owner_ != nullptr && ::IsWindowEnabled(owner_);
  if (owner_enabled) ::EnableWindow(owner_, FALSE);
  ::ShowWindow(window_, SW_SHOW);
  ::SetFocus(buttons_.back());
  MSG message;
  while (!done_ && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (::IsDialogMessageW(window_, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  if (owner_enabled) ::EnableWindow(owner_, TRUE);
  ::ShowWindow(window_, SW_HIDE);
  if (owner_ != nullptr) ::SetActiveWindow(owner_);
}

void OutcomeFrame::CopyToClipboard() const {
  const std::wstring text = WideFromCp1250(dialog_.ClipboardText());
  if (!::OpenClipboard(window_)) return;
  ::EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(::GlobalLock(memory)));
    ::GlobalUnlock(memory);
    if (::SetClipboardData(CF_UNICODETEXT, memory) == nullptr) ::GlobalFree(memory);
  }
  ::CloseClipboard();
}

void OutcomeFrame::Pressed(OutcomeButton kind) {
  switch (kind) {
    case OutcomeButton::kOpenReport:
      open_report_(app::window::ReportHostPath(dialog_.report_path).wstring());
      return;
    case OutcomeButton::kCopy:
      CopyToClipboard();
      return;
    case OutcomeButton::kOk:
    case OutcomeButton::kClose:
      done_ = true;
      return;
  }
}

LRESULT CALLBACK OutcomeFrame::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<OutcomeFrame*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, w, l);
  return self->Handle(window, message, w, l);
}

LRESULT OutcomeFrame::Handle(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(w);
      if (id == IDOK) {
        Pressed(dialog_.buttons.back());  // Enter: the closing button, the default
      } else if (id == IDCANCEL) {
        done_ = true;  // Escape
      } else if (id >= kFirstButtonId && id < kFirstButtonId + static_cast<int>(buttons_.size()) &&
                 HIWORD(w) == BN_CLICKED) {
        Pressed(dialog_.buttons[static_cast<std::size_t>(id - kFirstButtonId)]);
      }
      return 0;
    }
    case WM_SIZE:
      if (!buttons_.empty()) LayOut();
      return 0;
    case WM_GETMINMAXINFO: {
      const app::window::Size smallest = OutcomeMinimumSize(dialog_, Measures());
      const SIZE frame =
          FrameSize(smallest.width, smallest.height, Style(), kDialogExStyle, fonts_.scale());
      auto* limits = reinterpret_cast<MINMAXINFO*>(l);
      limits->ptMinTrackSize = {frame.cx, frame.cy};
      return 0;
    }
    case WM_CLOSE:
      done_ = true;
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, w, l);
}

}  // namespace konwerter::win32
