#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/win32/display_scale.h"
#include "app/window/option_boxes.h"
#include "app/window/window_controls.h"
#include "run/run_options.h"

namespace konwerter::win32 {

// The font of both windows: MS Sans Serif, height -11 (8 points at 96 dots per inch) scaled
// for the screen, and its bold face for titles. Deleted with the object. The windows lay
// their controls out at the fonts' scale.
class WindowFonts {
 public:
  explicit WindowFonts(DisplayScale scale = DisplayScale());
  ~WindowFonts();
  WindowFonts(const WindowFonts&) = delete;
  WindowFonts& operator=(const WindowFonts&) = delete;

  HFONT normal() const { return normal_; }
  HFONT bold() const { return bold_; }
  DisplayScale scale() const { return scale_; }

 private:
  DisplayScale scale_;
  HFONT normal_;
  HFONT bold_;
};

// The Windows controls of a window made from its description, by object name.
class ControlWindows {
 public:
  // Creates every control of `spec` but the grid (the dialog draws that itself) as children
  // of `parent`, placed at the fonts' scale. The controls that take the focus are created in
  // tab order, so the Tab key visits them in that order. A control's identifier is its place
  // in `spec` plus kFirstId.
  ControlWindows(HWND parent, const app::window::WindowSpec& spec, const WindowFonts& fonts);

  // Places the controls again for other fonts, of another scale (the window moved to a
  // screen of other dots per inch).
  void Place(const app::window::WindowSpec& spec, const WindowFonts& fonts);

  static constexpr int kFirstId = 100;

  // REQUIRES: the window has a control of that name.
  HWND Get(std::string_view name) const;
  // The object name of a control identifier; empty when it is none of these.
  std::string NameOf(int id) const;

  // The box of `boxes` that `control` shows; nullopt when it shows none of them.
  std::optional<app::window::OptionBox> BoxOf(
      HWND control, std::span<const app::window::OptionBoxSpec> boxes) const;
  // Checks each box of `boxes` as `options` holds its option.
  void ShowBoxes(std::span<const app::window::OptionBoxSpec> boxes,
                 const run::RunOptions& options) const;

  // Draws a picture button (the buttons with a glyph and the flat buttons are drawn by the
  // window); false when the item is none of them. For the parent's WM_DRAWITEM.
  bool DrawButton(const DRAWITEMSTRUCT& item) const;

 private:
  struct GlyphButton {
    app::window::ButtonGlyph glyph;
    bool flat;
  };

  std::map<std::string, HWND, std::less<>> windows_;
  std::map<int, std::string> names_;
  std::map<HWND, GlyphButton> glyphs_;
  DisplayScale scale_;  // of the fonts the controls are placed for
};

// Registers the common controls' window classes the windows use (progress bars, list and
// tree views, tool tips); safe to call again.
void EnsureCommonControls();

// Window style of both windows: a fixed dialog border with a caption and a close box.
inline constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
inline constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// The width in pixels of `text` drawn in `font`.
int TextWidth(HFONT font, std::wstring_view text);

// The width a control needs to show all of its caption in `font`, on a screen of `scale`
// (0: its own width will do).
int WidthToShow(const app::window::ControlSpec& control, HFONT font, std::wstring_view caption,
                DisplayScale scale = DisplayScale());
inline constexpr int kCheckBoxGap = 6;  // between the box and its caption

// Registers, once per class name, the window class of a dialog window: the default window
// procedure (the frames answer their messages by subclassing), the arrow cursor, the face
// colour of buttons as background, and, with `program_icon`, the program's icon (resource 1;
// Windows' application icon for a program without one).
void RegisterDialogClass(const wchar_t* class_name, bool program_icon);

// The text of a control in code page 1250.
std::string TextOf(HWND control);

// Creates a top-level window of the class with the description's caption and client size
// at `scale`, centred on the screen.
HWND CreateDialogWindow(const wchar_t* window_class, const app::window::WindowSpec& spec,
                        HWND owner, void* self, DisplayScale scale);

}  // namespace konwerter::win32
