#include "app/win32/display_scale.h"

namespace konwerter::win32 {

namespace {

// The calls that know each screen's scale came with Windows 10 1607: looked up at run time,
// so that the program still starts on earlier Windows.
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Call>
Call UserCall(const char* name) {
  const FARPROC found = ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

DisplayScale SystemScale() {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return DisplayScale(dpi);
}

DisplayScale WindowScale(HWND window) {
  const auto get_dpi_for_window = UserCall<GetDpiForWindowCall>("GetDpiForWindow");
  if (get_dpi_for_window == nullptr) return SystemScale();
  return DisplayScale(static_cast<int>(get_dpi_for_window(window)));
}

int SystemMetric(int index, DisplayScale scale) {
  const auto for_dpi = UserCall<GetSystemMetricsForDpiCall>("GetSystemMetricsForDpi");
  if (for_dpi != nullptr) return for_dpi(index, static_cast<UINT>(scale.dpi()));
  return ::MulDiv(::GetSystemMetrics(index), scale.dpi(), SystemScale().dpi());
}

SIZE FrameSize(int client_width, int client_height, DWORD style, DWORD ex_style,
               DisplayScale scale) {
  const auto for_dpi = UserCall<AdjustWindowRectExForDpiCall>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, scale(client_width), scale(client_height)};
  if (for_dpi != nullptr) {
    for_dpi(&frame, style, FALSE, ex_style, static_cast<UINT>(scale.dpi()));
  } else {
    ::AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace konwerter::win32
