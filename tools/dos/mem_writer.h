#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace konwerter::tools {

// One variable of a Clipper memory file.
struct MemVariable {
  enum class Type { kCharacter, kNumeric, kDate, kLogical };

  std::string name;  // 1 to 10 characters (Clipper stores upper case)
  Type type = Type::kCharacter;
  std::string text;           // kCharacter: the bytes (in the DOS code page)
  double number = 0;          // kNumeric; kDate: the day number Clipper stores
  std::uint8_t decimals = 0;  // kNumeric: the decimals Clipper records beside the number
  bool logical = false;       // kLogical

  static MemVariable Character(std::string name, std::string text);
  // Decimals 0 for a whole number, otherwise Clipper's default of 2.
  static MemVariable Numeric(std::string name, double value);
  static MemVariable Date(std::string name, double day_number);
  static MemVariable Logical(std::string name, bool value);
};

// The number under which Clipper stores a date: its Julian day number (2000-01-01 is
// 2451545). Clipper stores an empty date as 0.
double ClipperDayNumber(int year, int month, int day);

// Writes the variables in order, as Clipper's SAVE TO does, ending with the 1A byte.
// Throws std::invalid_argument for a name of 0 or more than 10 characters or a text of
// 65535 bytes or more; platform::IoError when the file cannot be written.
void WriteMemFile(const std::filesystem::path& path, const std::vector<MemVariable>& variables);

}  // namespace konwerter::tools
