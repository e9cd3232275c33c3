#pragma once

#include <QFont>
#include <QWidget>
#include <string_view>

#include "app/window/window_controls.h"

namespace konwerter::gui {

// The font of both windows: the platform's default sans serif at 8 points.
QFont WindowFont();

// Gives `form` the window's caption, font, fixed client size and border, and creates every
// control of `window` on it with its object name, kind, position, size, caption and tab
// order. Labels, progress bars and flat buttons take no focus.
void BuildWindow(const app::window::WindowSpec& window, QWidget& form);

// Moves a window to the middle of its screen. Before the window is first shown its frame is
// not known yet, so it may end up off the middle by the frame's width.
void CentreOnScreen(QWidget& form);

// The control of `form` with that object name. REQUIRES: it exists and is a T.
template <typename T>
T& Control(const QWidget& form, std::string_view name) {
  T* control =
      form.findChild<T*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  Q_ASSERT(control != nullptr);
  return *control;
}

}  // namespace konwerter::gui
