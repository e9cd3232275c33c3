#include "tools/sample/cp852_text.h"

#include <array>
#include <cstdint>
#include <utility>

namespace konwerter::tools::sample {

namespace {

// Ą Ć Ę Ł Ń Ó Ś Ź Ż and ą ć ę ł ń ó ś ź ż: Unicode code point, code page 852 byte.
constexpr std::array<std::pair<char32_t, std::uint8_t>, 18> kPolishLetters{{
    {U'Ą', 0xA4},
    {U'Ć', 0x8F},
    {U'Ę', 0xA8},
    {U'Ł', 0x9D},
    {U'Ń', 0xE3},
    {U'Ó', 0xE0},
    {U'Ś', 0x97},
    {U'Ź', 0x8D},
    {U'Ż', 0xBD},
    {U'ą', 0xA5},
    {U'ć', 0x86},
    {U'ę', 0xA9},
    {U'ł', 0x88},
    {U'ń', 0xE4},
    {U'ó', 0xA2},
    {U'ś', 0x98},
    {U'ź', 0xAB},
    {U'ż', 0xBE},
}};
constexpr std::size_t kUpperCount = 9;

char Encode(char32_t code_point) {
  if (code_point < 0x80) return static_cast<char>(code_point);
  for (const auto& [letter, byte] : kPolishLetters) {
    if (letter == code_point) return static_cast<char>(byte);
  }
  return '?';
}

}  // namespace

std::string Cp852(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code_point = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
      code_point = (code_point << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    out += Encode(code_point);
    i += length;
  }
  return out;
}

std::string Cp852Upper(std::string_view cp852) {
  std::string out(cp852);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
      continue;
    }
    for (std::size_t k = kUpperCount; k < kPolishLetters.size(); ++k) {
      if (static_cast<std::uint8_t>(c) == kPolishLetters[k].second) {
        c = static_cast<char>(kPolishLetters[k - kUpperCount].second);
        break;
      }
    }
  }
  return out;
}

}  // namespace konwerter::tools::sample
