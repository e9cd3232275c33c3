#pragma once

#include <array>
#include <bit>
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

// Translates the bytes in place. Only bytes of 80 hex and above are looked up, found eight
// at a time: every map between the pages of the Polish letter table leaves the bytes below
// 80 hex alone (checked where the maps are built).
inline void ApplyMap(const TransliterationMap& map, std::span<char> text) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, sizeof word);
    // Little-endian: the high bit of byte i is bit 8 i + 7 of the word.
    for (std::uint64_t high = word & kHighBits; high != 0; high &= high - 1) {
      char& byte = text[at + static_cast<std::size_t>(std::countr_zero(high)) / 8];
      byte = static_cast<char>(map[static_cast<std::uint8_t>(byte)]);
    }
  }
  for (; at < text.size(); ++at) {
    text[at] = static_cast<char>(map[static_cast<std::uint8_t>(text[at])]);
  }
}

}  // namespace konwerter::source
