#pragma once

#include <windows.h>

#include "app/win32/display_scale.h"
#include "app/window/window_controls.h"

namespace konwerter::win32 {

// The icon of a button's picture (16 x 16, from the program's resources); nullptr for none.
// The icons are shared and never destroyed.
HICON GlyphIcon(app::window::ButtonGlyph glyph);

// Draws an owner-drawn picture button as the system draws a push button (in the theme of
// the window when it has one), its picture left of its caption, both centred. A flat button
// shows only its picture on the window's face and a sunken edge while pressed. The picture
// and its gap to the caption are drawn at `scale`.
void DrawGlyphButton(const DRAWITEMSTRUCT& item, app::window::ButtonGlyph glyph, bool flat,
                     DisplayScale scale);

}  // namespace konwerter::win32
