#include "convert/number_texts.h"

#include <cstdio>

namespace konwerter::convert {

std::string RightAligned(std::uint32_t number, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%*u", width, static_cast<unsigned>(number));
  return text;
}

std::string ZeroPadded(std::uint32_t number, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*u", width, static_cast<unsigned>(number));
  return text;
}

}  // namespace konwerter::convert
