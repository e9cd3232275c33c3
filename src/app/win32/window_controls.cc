#include "app/win32/window_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/win32/glyph_buttons.h"
#include "app/win32/wide_text.h"

namespace konwerter::win32 {

namespace {

using app::window::ControlKind;
using app::window::ControlSpec;

HFONT MakeFont(int weight, DisplayScale scale) {
  return ::CreateFontW(-scale(11), 0, 0, 0, weight, FALSE, FALSE, FALSE, EASTEUROPE_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

struct ClassAndStyle {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

ClassAndStyle ClassOf(const ControlSpec& control) {
  const DWORD tab = control.TakesFocus() ? WS_TABSTOP : 0;
  switch (control.kind) {
    case ControlKind::kEdit:
      return {L"EDIT", ES_AUTOHSCROLL | tab, WS_EX_CLIENTEDGE};
    case ControlKind::kButton:
      if (control.glyph != app::window::ButtonGlyph::kNone) {
        return {L"BUTTON", BS_OWNERDRAW | tab, 0};  // a picture beside the caption
      }
      return {L"BUTTON", BS_PUSHBUTTON | tab, 0};
    case ControlKind::kFlatButton:
      return {L"BUTTON", BS_OWNERDRAW, 0};
    case ControlKind::kCheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | tab, 0};
    case ControlKind::kProgressBar:
      return {PROGRESS_CLASSW, 0, 0};
    case ControlKind::kLabel:
    case ControlKind::kGrid:
      break;
  }
  return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
}

void AddHint(HWND parent, HWND control, const std::wstring& hint) {
  const HWND tips = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      parent, nullptr, nullptr, nullptr);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = parent;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(hint.c_str());
  ::SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The program's icon in the size of a system metric, shared: Windows keeps it for the
// program's life.
HICON ProgramIcon(int width_metric, int height_metric) {
  const HANDLE icon = ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                   ::GetSystemMetrics(width_metric),
                                   ::GetSystemMetrics(height_metric), LR_DEFAULTCOLOR | LR_SHARED);
  return icon != nullptr ? static_cast<HICON>(icon) : ::LoadIconW(nullptr, IDI_APPLICATION);
}

// A flat picture button's caption is its hint: the button shows its picture alone.
std::wstring CaptionOf(const ControlSpec& control) {
  return WideFromCp1250(control.caption);
}

HFONT FontOf(const ControlSpec& control, const WindowFonts& fonts) {
  return control.bold ? fonts.bold() : fonts.normal();
}

// Where a control stands at the fonts' scale: its bounds scaled, widened to show its caption
// where the table asks for that.
RECT PlaceOf(const app::window::WindowSpec& spec, const ControlSpec& control,
             const WindowFonts& fonts) {
  const DisplayScale scale = fonts.scale();
  const app::window::Bounds& bounds = control.bounds;
  const int room = std::max(scale(bounds.width), scale(spec.client_width - bounds.left));
  const int width =
      std::clamp(WidthToShow(control, FontOf(control, fonts), CaptionOf(control), scale),
                 scale(bounds.width), room);
  const int left = scale(bounds.left);
  const int top = scale(bounds.top);
  return {left, top, left + width, top + scale(bounds.height)};
}

}  // namespace

int TextWidth(HFONT font, std::wstring_view text) {
  const HDC screen = ::GetDC(nullptr);
  const HGDIOBJ previous = ::SelectObject(screen, font);
  SIZE size{};
  ::GetTextExtentPoint32W(screen, text.data(), static_cast<int>(text.size()), &size);
  ::SelectObject(screen, previous);
  ::ReleaseDC(nullptr, screen);
  return size.cx;
}

int WidthToShow(const ControlSpec& control, HFONT font, std::wstring_view caption,
                DisplayScale scale) {
  // A label that sizes itself, and a check box, is never narrower than its caption in the
  // font at hand: a substitute for MS Sans Serif may be wider. Nothing stands to their right.
  if (control.auto_size) return TextWidth(font, caption);
  if (control.kind == ControlKind::kCheckBox) {
    return SystemMetric(SM_CXMENUCHECK, scale) + scale(kCheckBoxGap) + TextWidth(font, caption);
  }
  return 0;
}

void EnsureCommonControls() {
  INITCOMMONCONTROLSEX common{sizeof common, ICC_PROGRESS_CLASS | ICC_BAR_CLASSES |
                                                 ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                                 ICC_TREEVIEW_CLASSES};
  ::InitCommonControlsEx(&common);
}

WindowFonts::WindowFonts(DisplayScale scale)
    : scale_(scale), normal_(MakeFont(FW_NORMAL, scale)), bold_(MakeFont(FW_BOLD, scale)) {}

WindowFonts::~WindowFonts() {
  ::DeleteObject(normal_);
  ::DeleteObject(bold_);
}

ControlWindows::ControlWindows(HWND parent, const app::window::WindowSpec& spec,
                               const WindowFonts& fonts)
    : scale_(fonts.scale()) {
  std::vector<std::size_t> order(spec.controls.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  // Tab order first; the rest (labels) after, in their own order.
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const int ta = spec.controls[a].tab_order, tb = spec.controls[b].tab_order;
    return (ta < 0 ? INT32_MAX : ta) < (tb < 0 ? INT32_MAX : tb);
  });
  for (const std::size_t index : order) {
    const ControlSpec& control = spec.controls[index];
    if (control.kind == ControlKind::kGrid) continue;
    const ClassAndStyle kind = ClassOf(control);
    const int id = kFirstId + static_cast<int>(index);
    const DWORD visible = control.visible ? WS_VISIBLE : 0;
    const RECT place = PlaceOf(spec, control, fonts);
    const HWND window =
        ::CreateWindowExW(kind.ex_style, kind.window_class, CaptionOf(control).c_str(),
                          WS_CHILD | visible | kind.style, place.left, place.top,
                          place.right - place.left, place.bottom - place.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control, fonts)), FALSE);
    if (control.kind == ControlKind::kProgressBar) {
      ::SendMessageW(window, PBM_SETRANGE32, control.minimum, control.maximum);
    }
    if (control.kind == ControlKind::kFlatButton) {
      AddHint(parent, window, WideFromCp1250(control.caption));
    }
    windows_.emplace(control.name, window);
    names_.emplace(id, control.name);
    if (control.glyph != app::window::ButtonGlyph::kNone) {
      glyphs_.emplace(window, GlyphButton{control.glyph, control.kind == ControlKind::kFlatButton});
    }
  }
}

void ControlWindows::Place(const app::window::WindowSpec& spec, const WindowFonts& fonts) {
  scale_ = fonts.scale();
  for (const ControlSpec& control : spec.controls) {
    const auto found = windows_.find(control.name);
    if (found == windows_.end()) continue;  // the grid
    const RECT place = PlaceOf(spec, control, fonts);
    ::SetWindowPos(found->second, nullptr, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(found->second, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control, fonts)),
                   TRUE);
  }
}

HWND ControlWindows::Get(std::string_view name) const {
  const auto found = windows_.find(name);
  if (found == windows_.end()) throw std::out_of_range("no control " + std::string(name));
  return found->second;
}

bool ControlWindows::DrawButton(const DRAWITEMSTRUCT& item) const {
  const auto found = glyphs_.find(item.hwndItem);
  if (found == glyphs_.end()) return false;
  DrawGlyphButton(item, found->second.glyph, found->second.flat, scale_);
  return true;
}

std::string ControlWindows::NameOf(int id) const {
  const auto found = names_.find(id);
  return found == names_.end() ? std::string() : found->second;
}

std::optional<app::window::OptionBox> ControlWindows::BoxOf(
    HWND control, std::span<const app::window::OptionBoxSpec> boxes) const {
  for (const app::window::OptionBoxSpec& box : boxes) {
    if (Get(box.control_name) == control) return box.box;
  }
  return std::nullopt;
}

void ControlWindows::ShowBoxes(std::span<const app::window::OptionBoxSpec> boxes,
                               const run::RunOptions& options) const {
  for (const app::window::OptionBoxSpec& box : boxes) {
    const bool checked = app::window::IsChecked(options, box.box);
    ::SendMessageW(Get(box.control_name), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

HWND CreateDialogWindow(const wchar_t* window_class, const app::window::WindowSpec& spec,
                        HWND owner, void* self, DisplayScale scale) {
  const SIZE frame =
      FrameSize(spec.client_width, spec.client_height, kDialogStyle, kDialogExStyle, scale);
  const int left = (::GetSystemMetrics(SM_CXSCREEN) - frame.cx) / 2;
  const int top = (::GetSystemMetrics(SM_CYSCREEN) - frame.cy) / 2;
  const std::wstring caption = WideFromCp1250(spec.caption);
  return ::CreateWindowExW(kDialogExStyle, window_class, caption.c_str(), kDialogStyle, left, top,
                           frame.cx, frame.cy, owner, nullptr, ::GetModuleHandleW(nullptr), self);
}

void RegisterDialogClass(const wchar_t* class_name, bool program_icon) {
  static std::set<std::wstring> registered;
  if (!registered.insert(class_name).second) return;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = ::GetModuleHandleW(nullptr);
  window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = class_name;
  if (program_icon) {
    window_class.hIcon = ProgramIcon(SM_CXICON, SM_CYICON);
    window_class.hIconSm = ProgramIcon(SM_CXSMICON, SM_CYSMICON);
  }
  ::RegisterClassExW(&window_class);
}

std::string TextOf(HWND control) {
  const int length = ::GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  ::GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return Cp1250FromWide(text);
}

}  // namespace konwerter::win32
