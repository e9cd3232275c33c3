#include "renumber/renumbering_file.h"

#include <sstream>

#include "platform/dos_path.h"
#include "platform/file.h"

namespace konwerter::renumber {

namespace {

bool EndsWithExe(std::string_view path) {
  if (path.size() < 4) return false;
  const std::string_view tail = path.substr(path.size() - 4);
  return tail[0] == '.' && (tail[1] | 0x20) == 'e' && (tail[2] | 0x20) == 'x' &&
         (tail[3] | 0x20) == 'e';
}

// Reads one "old|new" line into the table; false when a part does not parse.
bool ApplyLine(std::string_view line, RenumberingTable& table) {
  const auto bar = line.find('|');
  if (bar == std::string_view::npos) return true;
  constexpr std::size_t kNewPartLength = 10;
  int old_number = 0;
  int new_number = 0;
  if (!ParseCommuneNumber(line.substr(0, bar), old_number) ||
      !ParseCommuneNumber(line.substr(bar + 1, kNewPartLength), new_number)) {
    return false;
  }
  table.Set(old_number, static_cast<std::uint16_t>(new_number));
  return true;
}

}  // namespace

std::string RenumberingFilePath(std::string_view program_path) {
  if (EndsWithExe(program_path)) {
    return std::string(program_path.substr(0, program_path.size() - 3)) + "gm";
  }
  return std::string(program_path) + ".gm";
}

bool LoadRenumberingFile(std::string_view path, RenumberingTable& table) {
  return !ReadRenumberingFile(path, table).has_value();
}

std::optional<RenumberingFileFault> ReadRenumberingFile(std::string_view path,
                                                        RenumberingTable& table) {
  table.Clear();
  const std::optional<std::string> text = platform::File::ReadWhole(platform::HostPath(path));
  if (!text) return std::nullopt;
  std::istringstream file(*text);
  std::string line;
  int line_number = 0;
  while (std::getline(file, line)) {
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!ApplyLine(line, table)) return RenumberingFileFault{line_number, line};
  }
  return std::nullopt;
}

}  // namespace konwerter::renumber
