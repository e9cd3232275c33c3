#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "renumber/renumbering_table.h"

namespace konwerter::renumber {

// The renumbering file lies beside the program: "konwerter.exe" gives "konwerter.gm"; a
// program without the ".exe" extension gets ".gm" appended to its path.
std::string RenumberingFilePath(std::string_view program_path);

// Empties the table and fills it from the file's lines "old|new". A missing or unreadable
// file is not a fault (the table stays empty, the result is true); a line whose numbers
// do not parse stops the reading and gives false. Lines without "|" are skipped; a later
// line for the same old number wins. Lines may end in CR LF or LF.
bool LoadRenumberingFile(std::string_view path, RenumberingTable& table);

// The line that stopped the reading of a faulty file: its number (from 1) and its text as
// read (without its line end).
struct RenumberingFileFault {
  int line_number = 0;
  std::string line;
};

// LoadRenumberingFile that says which line is faulty: nullopt when the file was read whole
// or is missing.
std::optional<RenumberingFileFault> ReadRenumberingFile(std::string_view path,
                                                        RenumberingTable& table);

}  // namespace konwerter::renumber
