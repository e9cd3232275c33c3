#include "platform/cp1250_case.h"

#include <algorithm>

namespace konwerter::platform {

unsigned char LowerCp1250(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
  switch (c) {
    case 0x8A:  // Š
    case 0x8C:  // Ś
    case 0x8D:  // Ť
    case 0x8E:  // Ž
    case 0x8F:  // Ź
      return static_cast<unsigned char>(c + 0x10);
    case 0xA3:
      return 0xB3;  // Ł
    case 0xA5:
      return 0xB9;  // Ą
    case 0xAA:
      return 0xBA;  // Ş
    case 0xAF:
      return 0xBF;  // Ż
    case 0xBC:
      return 0xBE;  // Ľ
    default:
      if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
      return c;
  }
}

unsigned char UpperCp1250(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x9A:
    case 0x9C:
    case 0x9D:
    case 0x9E:
    case 0x9F:
      return static_cast<unsigned char>(c - 0x10);
    case 0xB3:
      return 0xA3;
    case 0xB9:
      return 0xA5;
    case 0xBA:
      return 0xAA;
    case 0xBF:
      return 0xAF;
    case 0xBE:
      return 0xBC;
    default:
      if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
      return c;
  }
}

std::string ToUpperCp1250(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(UpperCp1250(static_cast<unsigned char>(c)));
  return result;
}

bool EqualIgnoringCaseCp1250(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerCp1250(static_cast<unsigned char>(x)) ==
                  LowerCp1250(static_cast<unsigned char>(y));
         });
}

}  // namespace konwerter::platform
