#pragma once

#include <string>
#include <string_view>

namespace konwerter::source {

// Code page numbers of the Polish letter table.
enum CodePage : int {
  kNoCodePage = -1,
  kMarker7CPage = 0,      // DOS page selected by the marker 7C
  kNoDiacriticsPage = 1,  // letters without diacritics
  kMazoviaPage = 2,
  kCp852Page = 3,
  kCp1250Page = 4,    // Windows 1250, the program's own text
  kMarker8DPage = 5,  // DOS page selected by the marker 8D
  kUnselectedPage = 6,
};

// The run's source and target code page. While the source is kNoCodePage no text is
// transliterated; the target is always cp1250.
struct CodePages {
  int source = kNoCodePage;
  int target = kCp1250Page;

  bool transliterating() const { return source != kNoCodePage; }
};

// Maps the 18 Polish letters of `text` from one code page to another; every other byte
// passes unchanged. From the page without diacritics nothing is replaced.
// REQUIRES: 0 <= from, to <= 6.
std::string Transliterate(std::string_view text, int from, int to);

// Transliterates from the run's source page to its target page, or returns the text as it
// is while no source page is set.
std::string ToProgramText(std::string_view text, const CodePages& pages);

// Sets pages.source from the marker byte at offset 141 of `polskie.lit` in the folder
// (a program path; a backslash is appended when missing). Code page 852 when the file is
// missing or too short (the result is then false). Throws IoError on a read fault.
bool DetectSourceCodePage(std::string_view folder, CodePages& pages);

}  // namespace konwerter::source
