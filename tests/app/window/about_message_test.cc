#include "app/window/about_message.h"

#include <gtest/gtest.h>

#include <string>

#include "app/version.h"

namespace konwerter::testing {
namespace {

TEST(AboutMessageTest, NamesTheProgramItsVersionAndWhatItDoes) {
  const platform::OperatorMessage about = app::window::AboutMessage("konwerter");
  EXPECT_EQ(about.caption, "O programie");
  EXPECT_EQ(about.text, "konwerter " + std::string(app::VersionText()) +
                            "\r\nKonwerter danych systemu TEROKAN z wersji DOS do wersji Windows");
  EXPECT_EQ(about.buttons, platform::MessageButtons::kOk);
}

}  // namespace
}  // namespace konwerter::testing
