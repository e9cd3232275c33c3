#include "convert/polish_name_set.h"

#include <array>

#include "platform/cp1250_case.h"

namespace konwerter::convert {

namespace {

// Alphabetic weight of a lower-case cp1250 byte: Polish letters right after their base
// letter, other accented letters after those; 0 for everything that is not a letter.
int LetterWeight(unsigned char c) {
  static constexpr std::array<std::pair<unsigned char, char>, 9> kPolish = {{
      {0xB9, 'a'},
      {0xE6, 'c'},
      {0xEA, 'e'},
      {0xB3, 'l'},
      {0xF1, 'n'},
      {0xF3, 'o'},
      {0x9C, 's'},
      {0x9F, 'z'},
      {0xBF, 'z'},
  }};
  if (c >= 'a' && c <= 'z') return (c - 'a' + 1) * 4;
  for (const auto& [letter, base] : kPolish) {
    if (letter == c) return (base - 'a' + 1) * 4 + (c == 0xBF ? 2 : 1);  // ź before ż
  }
  return 0;
}

}  // namespace

std::string PolishSortKey(std::string_view text) {
  // Primary part: one weight per character (symbols, then digits, then letters); then the
  // case-folded bytes themselves, so that only case variants share a key.
  std::string primary;
  std::string folded;
  for (const char ch : text) {
    const unsigned char lower = platform::LowerCp1250(static_cast<unsigned char>(ch));
    const int letter = LetterWeight(lower);
    int weight = 0;
    if (letter != 0) {
      weight = 0x40 + letter;
    } else if (lower >= '0' && lower <= '9') {
      weight = 0x30 + (lower - '0');
    } else if (lower >= 0x80) {
      weight = 0xF0;  // other accented letters and symbols of the upper half
    } else {
      weight = 0x01 + (lower >> 3);  // spaces and punctuation first
    }
    primary += static_cast<char>(weight);
    folded += static_cast<char>(lower);
  }
  return primary + '\0' + folded;
}

void PolishNameSet::Add(std::string_view name) {
  names_.try_emplace(PolishSortKey(name), std::string(name));
}

std::vector<std::string> PolishNameSet::Names() const {
  std::vector<std::string> names;
  names.reserve(names_.size());
  for (const auto& entry : names_) names.push_back(entry.second);
  return names;
}

}  // namespace konwerter::convert
