#include "app/window/outcome_layout.h"

#include <algorithm>

namespace konwerter::app::window {

namespace {

constexpr int kMargin = 11;
constexpr int kGap = 8;
constexpr int kButtonGap = 6;
constexpr int kTextPadding = 10;    // a read-only text's inner margins, above and below
constexpr int kListRowExtra = 2;    // a list row is a line and two pixels
constexpr int kListFrame = 6;       // the list's border and inner margin
constexpr int kFewestListRows = 4;  // the list never shrinks below this
constexpr int kMostListRows = 24;   // the list opens no taller than this
constexpr int kPreferredWidth = 600;
constexpr int kSmallestWidth = 260;
// What the window's frame (title bar, borders) and a little room around it take.
constexpr int kFrameRoomWidth = 40;
constexpr int kFrameRoomHeight = 80;

bool HasIcon(const OutcomeDialog& dialog) {
  return dialog.icon != platform::MessageIcon::kNone;
}

int TextLeft(const OutcomeDialog& dialog) {
  return kMargin + (HasIcon(dialog) ? kOutcomeIconSize + kGap + 4 : 0);
}

int TextHeight(const OutcomeDialog& dialog, const TextMeasures& measures) {
  const int lines = std::min(static_cast<int>(dialog.TextLines().size()), kOutcomeTextLines);
  return lines * measures.line_height + kTextPadding;
}

int FactsHeight(const OutcomeDialog& dialog, const TextMeasures& measures) {
  return static_cast<int>(dialog.facts.size()) * measures.line_height;
}

// The height of everything above the list (its title included) and of the buttons' row
// below it, margins and gaps counted.
int HeightAroundList(const OutcomeDialog& dialog, const TextMeasures& measures) {
  int height =
      kMargin + std::max(TextHeight(dialog, measures), HasIcon(dialog) ? kOutcomeIconSize : 0);
  if (!dialog.facts.empty()) height += kGap + FactsHeight(dialog, measures);
  if (!dialog.groups.empty()) height += kGap + measures.line_height + 4;
  return height + kGap + kOutcomeButtonHeight + kMargin;
}

int ListRowsHeight(int rows, const TextMeasures& measures) {
  return rows * (measures.line_height + kListRowExtra) + kListFrame;
}

int ListRows(const OutcomeDialog& dialog) {
  int rows = 0;
  for (const platform::MessageDetailGroup& group : dialog.groups) {
    rows += 1 + static_cast<int>(group.lines.size());
  }
  return rows;
}

int ButtonsWidth(const OutcomeDialog& dialog) {
  const int count = static_cast<int>(dialog.buttons.size());
  return count * kOutcomeButtonWidth + std::max(0, count - 1) * kButtonGap;
}

}  // namespace

Size OutcomeMinimumSize(const OutcomeDialog& dialog, const TextMeasures& measures) {
  const int width = std::max(kSmallestWidth, ButtonsWidth(dialog) + 2 * kMargin);
  int height = HeightAroundList(dialog, measures);
  if (!dialog.groups.empty()) height += ListRowsHeight(kFewestListRows, measures);
  return {width, height};
}

Size OutcomeClientSize(const OutcomeDialog& dialog, const TextMeasures& measures, Size work_area) {
  const Size smallest = OutcomeMinimumSize(dialog, measures);
  const int wanted_width =
      dialog.resizable ? kPreferredWidth : TextLeft(dialog) + measures.text_width + kMargin;
  int wanted_height = HeightAroundList(dialog, measures);
  if (!dialog.groups.empty()) {
    wanted_height +=
        ListRowsHeight(std::clamp(ListRows(dialog), kFewestListRows, kMostListRows), measures);
  }
  const int widest = std::max(smallest.width, work_area.width - kFrameRoomWidth);
  const int tallest = std::max(smallest.height, work_area.height - kFrameRoomHeight);
  return {std::clamp(wanted_width, smallest.width, widest),
          std::clamp(wanted_height, smallest.height, tallest)};
}

OutcomeLayout LayOutOutcome(const OutcomeDialog& dialog, const TextMeasures& measures,
                            Size client) {
  OutcomeLayout layout;
  if (HasIcon(dialog)) layout.icon = {kMargin, kMargin, kOutcomeIconSize, kOutcomeIconSize};
  const int left = TextLeft(dialog);
  const int text_width = std::max(0, client.width - left - kMargin);
  layout.text = {left, kMargin, text_width, TextHeight(dialog, measures)};
  int top = kMargin + std::max(layout.text.height, layout.icon.height);
  if (!dialog.facts.empty()) {
    layout.facts = {left, top + kGap, text_width, FactsHeight(dialog, measures)};
    top = layout.facts.top + layout.facts.height;
  }
  const int buttons_top = client.height - kMargin - kOutcomeButtonHeight;
  if (!dialog.groups.empty()) {
    const int list_width = std::max(0, client.width - 2 * kMargin);
    layout.list_title = {kMargin, top + kGap, list_width, measures.line_height};
    const int list_top = layout.list_title.top + layout.list_title.height + 4;
    layout.list = {kMargin, list_top, list_width, std::max(0, buttons_top - kGap - list_top)};
  }
  int button_left = client.width - kMargin - ButtonsWidth(dialog);
  for (std::size_t i = 0; i < dialog.buttons.size(); ++i) {
    layout.buttons.push_back({button_left, buttons_top, kOutcomeButtonWidth, kOutcomeButtonHeight});
    button_left += kOutcomeButtonWidth + kButtonGap;
  }
  return layout;
}

}  // namespace konwerter::app::window
