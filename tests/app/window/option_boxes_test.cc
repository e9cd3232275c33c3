#include "app/window/option_boxes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "app/window/window_controls.h"

namespace konwerter::app::window {
namespace {

using ::testing::ElementsAreArray;

std::vector<OptionBoxSpec> EveryBox() {
  std::vector<OptionBoxSpec> boxes(kMainWindowBoxes.begin(), kMainWindowBoxes.end());
  boxes.insert(boxes.end(), kRenumberingDialogBoxes.begin(), kRenumberingDialogBoxes.end());
  return boxes;
}

// Each box turns its own option and no other, both ways.
TEST(OptionBoxesTest, EachBoxHoldsAnOptionOfItsOwn) {
  const std::vector<OptionBoxSpec> boxes = EveryBox();
  for (const OptionBoxSpec& turned : boxes) {
    run::RunOptions options = OptionsAtStart();
    SetChecked(options, turned.box, !turned.checked_at_start);
    for (const OptionBoxSpec& other : boxes) {
      const bool expected =
          other.box == turned.box ? !other.checked_at_start : other.checked_at_start;
      EXPECT_EQ(IsChecked(options, other.box), expected)
          << turned.control_name << " turned, " << other.control_name << " read";
    }
    EXPECT_EQ(SpecOf(turned.box).control_name, turned.control_name);
  }
}

// The window starts with the options a run from the terminal starts with.
TEST(OptionBoxesTest, TheBoxesStartAsARunsOptionsDo) {
  const run::RunOptions defaults;
  for (const OptionBoxSpec& box : EveryBox()) {
    EXPECT_EQ(box.checked_at_start, IsChecked(defaults, box.box)) << box.control_name;
  }
}

std::vector<std::string> CheckBoxesOf(const WindowSpec& window) {
  std::vector<std::string> names;
  for (const ControlSpec& control : window.controls) {
    if (control.kind == ControlKind::kCheckBox) names.push_back(control.name);
  }
  return names;
}

std::vector<std::string> NamesOf(std::span<const OptionBoxSpec> boxes) {
  std::vector<std::string> names;
  for (const OptionBoxSpec& box : boxes) names.emplace_back(box.control_name);
  return names;
}

// A front end connects the boxes its window's table lists: every check box of the window is
// there, in the order the window creates them.
TEST(OptionBoxesTest, EachWindowsTableListsEveryCheckBoxItHas) {
  EXPECT_THAT(CheckBoxesOf(MainWindowSpec()), ElementsAreArray(NamesOf(kMainWindowBoxes)));
  EXPECT_THAT(CheckBoxesOf(RenumberingDialogSpec()),
              ElementsAreArray(NamesOf(kRenumberingDialogBoxes)));
}

}  // namespace
}  // namespace konwerter::app::window
