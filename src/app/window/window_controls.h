#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace konwerter::app::window {

// The two windows of the operator described control by control, for any toolkit that draws
// them: object names, kinds, positions and sizes in pixels at 96 dots per inch inside the
// client area, captions and tab order. Texts are the system's cp1250 bytes. The font is the
// platform's default sans serif at 8 points; both windows have a fixed dialog border and
// open centred on the screen.

enum class ControlKind {
  kLabel,
  kEdit,        // one-line text field
  kButton,      // push button; `glyph` says which picture it carries
  kFlatButton,  // flat picture button without focus; `caption` is its hint
  kCheckBox,
  kProgressBar,  // range `minimum`..`maximum`
  kGrid,         // the renumbering grid (see renumbering_grid.h for its columns)
};

enum class ButtonGlyph { kNone, kOk, kCancel, kAddRow, kDeleteRow };

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

struct ControlSpec {
  std::string name;  // the object name, e.g. "Edit1", "cbosoby"
  ControlKind kind = ControlKind::kLabel;
  Bounds bounds;
  std::string caption;  // cp1250; the hint of a flat button; empty for edits and bars
  int tab_order = -1;   // position in the tab order; -1 for controls outside it
  bool bold = false;
  bool visible = true;
  // A label that widens to fit its caption in the window's font (the width given is what
  // it takes in the original 8-point font); other controls keep their size.
  bool auto_size = false;
  ButtonGlyph glyph = ButtonGlyph::kNone;
  int minimum = 0;  // progress bars only
  int maximum = 0;

  // Whether the control takes the keyboard focus when tabbed to (progress bars hold a
  // place in the tab order but are passed over).
  bool TakesFocus() const { return tab_order >= 0 && kind != ControlKind::kProgressBar; }
};

struct WindowSpec {
  std::string name;     // "TForm1", "TForm2"
  std::string caption;  // cp1250
  int client_width = 0;
  int client_height = 0;
  std::vector<ControlSpec> controls;  // in creation order

  // The control of that name. REQUIRES: it exists.
  const ControlSpec& Control(std::string_view control_name) const;
  // The names of the controls that take the focus, in tab order.
  std::vector<std::string> FocusOrder() const;
};

// The main window "Konwerter" (361 x 512: the DOS edition's 361 x 486 and, below its
// buttons, the box "Odbuduj indeksy z tabel (pomiń pliki .ntx)").
WindowSpec MainWindowSpec();

// The renumbering dialog "Przenumerowanie numerów statystycznych gmin" (436 x 357); its
// grid is wider than the DOS edition's by the column of row numbers.
WindowSpec RenumberingDialogSpec();

}  // namespace konwerter::app::window
