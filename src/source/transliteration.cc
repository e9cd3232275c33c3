#include "source/transliteration.h"

#include <stdexcept>
#include <string>

#include "source/transliteration_map.h"

namespace konwerter::source {

namespace {

inline constexpr int kPageCount = 7;
inline constexpr std::size_t kLetterCount = 18;

// The Polish letters in every code page, always in the order
// Ą Ć Ę Ł Ń Ó Ś Ź Ż ą ć ę ł ń ó ś ź ż.
using LetterRow = std::array<std::uint8_t, kLetterCount>;
constexpr std::array<LetterRow, kPageCount> kPolishLetters = {{
    // 0: DOS page selected by the marker 7C
    {0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F,
     0x90, 0x91},
    // 1: letters without diacritics (Z and z stand twice)
    {0x41, 0x43, 0x45, 0x4C, 0x4E, 0x4F, 0x53, 0x5A, 0x5A, 0x61, 0x63, 0x65, 0x6C, 0x6E, 0x6F, 0x73,
     0x7A, 0x7A},
    // 2: Mazovia
    {0x8F, 0x95, 0x90, 0x9C, 0xA5, 0xA3, 0x98, 0xA0, 0xA1, 0x86, 0x8D, 0x91, 0x92, 0xA4, 0xA2, 0x9E,
     0xA6, 0xA7},
    // 3: code page 852
    {0xA4, 0x8F, 0xA8, 0x9D, 0xE3, 0xE0, 0x97, 0x8D, 0xBD, 0xA5, 0x86, 0xA9, 0x88, 0xE4, 0xA2, 0x98,
     0xAB, 0xBE},
    // 4: Windows code page 1250
    {0xA5, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0x8F, 0xAF, 0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C,
     0x9F, 0xBF},
    // 5: DOS page selected by the marker 8D
    {0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6,
     0xA7, 0xA8},
    // 6: no selector
    {0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96,
     0x97, 0x98},
}};

constexpr TransliterationMap BuildMap(int from, int to) {
  TransliterationMap map{};
  for (std::size_t byte = 0; byte < map.size(); ++byte) map[byte] = static_cast<std::uint8_t>(byte);
  if (from == kNoDiacriticsPage) return map;  // its letters are plain ones: nothing to replace
  const LetterRow& source = kPolishLetters[static_cast<std::size_t>(from)];
  const LetterRow& target = kPolishLetters[static_cast<std::size_t>(to)];
  // Walk backwards so that the first position of a byte in the row wins.
  for (std::size_t p = kLetterCount; p-- > 0;) map[source[p]] = target[p];
  return map;
}

// The place of the map between two valid pages in the table of every map.
constexpr std::size_t MapIndex(int from, int to) {
  return static_cast<std::size_t>(from) * kPageCount + static_cast<std::size_t>(to);
}

constexpr std::array<TransliterationMap, std::size_t{kPageCount} * kPageCount> BuildAllMaps() {
  std::array<TransliterationMap, std::size_t{kPageCount} * kPageCount> maps{};
  for (int from = 0; from < kPageCount; ++from) {
    for (int to = 0; to < kPageCount; ++to) maps[MapIndex(from, to)] = BuildMap(from, to);
  }
  return maps;
}

constexpr auto kMaps = BuildAllMaps();

// ApplyMap passes plain ASCII over unread; that holds only while no map changes it.
constexpr bool LeavesAsciiAlone() {
  for (const TransliterationMap& map : kMaps) {
    for (std::size_t byte = 0; byte < 0x80; ++byte) {
      if (map[byte] != byte) return false;
    }
  }
  return true;
}
static_assert(LeavesAsciiAlone());

void CheckPage(int page) {
  if (page < 0 || page >= kPageCount) {
    throw std::out_of_range("Nieznany numer strony kodowej: " + std::to_string(page));
  }
}

}  // namespace

const TransliterationMap& MapBetween(int from, int to) {
  CheckPage(from);
  CheckPage(to);
  return kMaps[MapIndex(from, to)];
}

const TransliterationMap* ProgramTextMap(const CodePages& pages) {
  if (!pages.transliterating()) return nullptr;
  return &MapBetween(pages.source, pages.target);
}

std::string Transliterate(std::string_view text, int from, int to) {
  const TransliterationMap& map = MapBetween(from, to);
  std::string result(text);
  ApplyMap(map, result);
  return result;
}

std::string ToProgramText(std::string_view text, const CodePages& pages) {
  if (!pages.transliterating()) return std::string(text);
  return Transliterate(text, pages.source, pages.target);
}

}  // namespace konwerter::source
