// The message box flags the operator's messages get on Windows: the numbers the original
// window used, for the kinds of message the driver and the dialog show.

#include "app/win32/message_boxes.h"

#include <gtest/gtest.h>

namespace konwerter::win32 {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

TEST(MessageBoxFlagsTest, EachKindOfMessageHasTheFlagsOfTheOriginalWindow) {
  // "Dokonać konwersji ?": Yes and No, No the default, the question icon.
  EXPECT_EQ(
      MessageBoxFlags({"", "", MessageButtons::kYesNo, MessageIcon::kQuestion, MessageAnswer::kNo}),
      0x124u);
  // "Wystąpił błąd podczas konwersji:": OK with the stop icon.
  EXPECT_EQ(MessageBoxFlags({"", "", MessageButtons::kOk, MessageIcon::kStop}), 0x10u);
  // "Konwersja została zakończona.": a plain OK box.
  EXPECT_EQ(MessageBoxFlags({"", ""}), 0x0u);
  // The renumbering dialog's question on leaving: Yes the default.
  EXPECT_EQ(MessageBoxFlags(
                {"", "", MessageButtons::kYesNo, MessageIcon::kQuestion, MessageAnswer::kYes}),
            0x24u);
}

}  // namespace
}  // namespace konwerter::win32
