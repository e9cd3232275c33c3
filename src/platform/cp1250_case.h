#pragma once

#include <string>
#include <string_view>

namespace konwerter::platform {

// Letter case of the program's cp1250 text: ASCII letters and the accented letters the page
// holds in pairs (Polish letters included: ą/Ą, ł/Ł, ś/Ś, ź/Ź, ż/Ż ...).
unsigned char LowerCp1250(unsigned char c);
unsigned char UpperCp1250(unsigned char c);
std::string ToUpperCp1250(std::string_view text);
bool EqualIgnoringCaseCp1250(std::string_view a, std::string_view b);

}  // namespace konwerter::platform
