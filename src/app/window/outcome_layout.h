#pragma once

#include <vector>

#include "app/window/outcome_dialog.h"
#include "app/window/window_controls.h"

namespace konwerter::app::window {

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// What the layout needs to know of the toolkit's font, in pixels.
struct TextMeasures {
  int line_height = 13;  // one line of text (a list row takes two pixels more)
  int text_width = 0;    // the widest line of the dialog's outcome text
};

// Where each part of the outcome dialog stands in its client area. A part the dialog does
// not have (no icon, no counts, no list) has an empty bounds.
struct OutcomeLayout {
  Bounds icon;
  Bounds text;  // a read-only text that scrolls when the text is longer than it
  Bounds facts;
  Bounds list_title;
  Bounds list;
  std::vector<Bounds> buttons;  // in the order of OutcomeDialog::buttons
};

inline constexpr int kOutcomeButtonWidth = 97;
inline constexpr int kOutcomeButtonHeight = 25;
inline constexpr int kOutcomeIconSize = 32;
// The outcome text shows this many lines at most; a longer one scrolls.
inline constexpr int kOutcomeTextLines = 6;

// The client size the dialog opens with: as large as its text and list want, never larger
// than `work_area` (the screen less its task bar) leaves room for, with the window's frame.
// A long list scrolls instead of growing the dialog past the screen.
Size OutcomeClientSize(const OutcomeDialog& dialog, const TextMeasures& measures, Size work_area);

// The smallest client size the operator may resize the outcome dialog to.
Size OutcomeMinimumSize(const OutcomeDialog& dialog, const TextMeasures& measures);

// The parts of the dialog laid out in a client area of that size: text and counts at the
// top beside the icon, the list filling the middle, the buttons at the bottom right.
OutcomeLayout LayOutOutcome(const OutcomeDialog& dialog, const TextMeasures& measures, Size client);

}  // namespace konwerter::app::window
