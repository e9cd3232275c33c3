#pragma once

#include <windows.h>

namespace konwerter::win32 {

// Sizes in the window tables are pixels at 96 dots per inch. A screen set to more dots per
// inch (125 %, 150 %, ...) gets them scaled, so the windows keep their proportions and,
// drawn by the program itself rather than stretched by Windows, stay sharp.
class DisplayScale {
 public:
  static constexpr int kBaseDpi = 96;

  constexpr DisplayScale() = default;
  constexpr explicit DisplayScale(int dpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}

  int dpi() const { return dpi_; }
  // `pixels` at 96 dots per inch on this screen, rounded to the nearest pixel.
  int operator()(int pixels) const { return ::MulDiv(pixels, dpi_, kBaseDpi); }
  // `pixels` (0 or more) on this screen as pixels at 96 dots per inch: rounded down, what
  // fits in them once scaled back (an area to lay out in)...
  int UnscaledFitting(int pixels) const { return pixels * kBaseDpi / dpi_; }
  // ... and rounded up, what holds them once scaled back (a text's measures).
  int UnscaledHolding(int pixels) const { return (pixels * kBaseDpi + dpi_ - 1) / dpi_; }

  friend bool operator==(const DisplayScale&, const DisplayScale&) = default;

 private:
  int dpi_ = kBaseDpi;
};

// The system's scale: the main screen's when the operator logged on.
DisplayScale SystemScale();

// The scale of the screen `window` is on (Windows 10 1607 and later; before them: the
// system's).
DisplayScale WindowScale(HWND window);

// GetSystemMetrics(`index`) for a screen of `scale`.
int SystemMetric(int index, DisplayScale scale);

// The outer size of a window of the given styles whose client area measures `client_width`
// by `client_height` pixels at 96 dots per inch, on a screen of `scale`.
SIZE FrameSize(int client_width, int client_height, DWORD style, DWORD ex_style,
               DisplayScale scale);

}  // namespace konwerter::win32
