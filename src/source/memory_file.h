#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "source/transliteration.h"

namespace konwerter::source {

// Reads a Clipper memory file (.mem) and appends one "NAME=value" line per variable, in
// file order: character values transliterated by `pages`, logicals as "1"/"0", numbers
// and dates in "%g" form with "." as the decimal separator. True when the file could be
// opened (also when it ends early); false when it cannot be opened (nothing appended) or
// a read fault interrupts it (the lines read so far stay).
// `faults`, when given, learns what the file had wrong: an entry cut short by the end of
// the file, a variable name holding "=" (given with "?" in its place, so that it cannot
// pass for another variable in the NAME=value list).
struct MemoryFileFaults {
  bool truncated = false;
  int names_with_equals = 0;
};
bool ReadMemoryFile(std::string_view path, const CodePages& pages, std::vector<std::string>& lines,
                    MemoryFileFaults* faults = nullptr);

// The value of the first "NAME=value" line whose name is `name`: the text after the first
// "=". Empty when there is none.
std::string ValueOf(const std::vector<std::string>& lines, std::string_view name);

}  // namespace konwerter::source
