#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "source/transliteration.h"

namespace konwerter::source {

// A byte-for-byte translation: every byte of a text is replaced by map[byte].
using TransliterationMap = std::array<std::uint8_t, 256>;

// The map that carries the 18 Polish letters of page `from` to page `to` and leaves every
// other byte alone. Throws std::out_of_range for a page number outside 0..6.
const TransliterationMap& MapBetween(int from, int to);

// The map from the run's source page to its target page; nullptr while no source page is set.
const TransliterationMap* ProgramTextMap(const CodePages& pages);

// Translates the bytes in place. Runs of plain ASCII are passed over eight bytes at a time:
// every map between the pages of the Polish letter table leaves the bytes below 80 hex
// alone (checked where the maps are built).
inline void ApplyMap(const TransliterationMap& map, std::span<char> text) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, sizeof word);
    if ((word & kHighBits) == 0) continue;
    for (std::size_t i = at; i < at + 8; ++i) {
      text[i] = static_cast<char>(map[static_cast<std::uint8_t>(text[i])]);
    }
  }
  for (; at < text.size(); ++at) {
    text[at] = static_cast<char>(map[static_cast<std::uint8_t>(text[at])]);
  }
}

}  // namespace konwerter::source
