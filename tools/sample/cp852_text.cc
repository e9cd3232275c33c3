#include "tools/sample/cp852_text.h"

#include "platform/cp1250_case.h"
#include "platform/text_encoding.h"
#include "source/transliteration.h"

namespace konwerter::tools::sample {

// The sample's texts hold ASCII and the 18 Polish letters only, and those are exactly what
// the transliteration maps between the program's cp1250 and the DOS cp852.

std::string Cp852(std::string_view utf8) {
  return source::Transliterate(platform::Cp1250FromUtf8(utf8), source::kCp1250Page,
                               source::kCp852Page);
}

std::string Cp852Upper(std::string_view cp852) {
  const std::string cp1250 = source::Transliterate(cp852, source::kCp852Page, source::kCp1250Page);
  return source::Transliterate(platform::ToUpperCp1250(cp1250), source::kCp1250Page,
                               source::kCp852Page);
}

}  // namespace konwerter::tools::sample
