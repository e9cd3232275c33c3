#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace konwerter::platform {
namespace {

TEST(TextEncodingTest, PolishLettersRoundTrip) {
  const std::string cp1250 =
      "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF";
  EXPECT_EQ(Utf8FromCp1250(cp1250), "ĄĆĘŁŃÓŚŹŻąćęłńóśźż");
  EXPECT_EQ(Cp1250FromUtf8("ĄĆĘŁŃÓŚŹŻąćęłńóśźż"), cp1250);
}

TEST(TextEncodingTest, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Cp1250FromUtf8(Utf8FromCp1250(all)), all);
}

TEST(TextEncodingTest, UnknownAndMalformedTextBecomesQuestionMarks) {
  EXPECT_EQ(Cp1250FromUtf8("a\xE2\x82"), "a??");
  EXPECT_EQ(Cp1250FromUtf8("日"), "?");
}

}  // namespace
}  // namespace konwerter::platform
