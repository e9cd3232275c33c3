// The converter table: 24 steps, and after which of them the window pauses.

#include "app/converter_steps.h"

#include <gtest/gtest.h>

#include <vector>

namespace konwerter::app {
namespace {

TEST(ConverterStepsTest, TwentyFourStepsPausingAfterTheirGroups) {
  // Registers 1-7, the orders domain 8-12 each pause; coefficients, interest and the sales
  // register (13-15) run on without; then order assortments, works, parcels and persons
  // pause, the other dictionaries and the coordinate systems do not.
  const std::vector<bool> pauses = {true,  true, true, true,  true,  true,  true,  true,
                                    true,  true, true, true,  false, false, false, true,
                                    false, true, true, false, false, false, true,  false};
  const auto& steps = ConverterSteps();
  ASSERT_EQ(steps.size(), pauses.size());
  for (std::size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(steps[i].pause_after, pauses[i]) << "step " << i + 1 << " " << steps[i].name;
  }
}

}  // namespace
}  // namespace konwerter::app
