#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace konwerter::tools {

// One variable of a Clipper memory file.
struct MemVariable {
  enum class Type { kCharacter, kNumeric, kDate, kLogical };

  std::string name;          // at most 10 characters
  Type type = Type::kCharacter;
  std::string text;          // kCharacter: the bytes (in the DOS code page)
  double number = 0;         // kNumeric; kDate: the day number Clipper stores
  bool logical = false;      // kLogical

  static MemVariable Character(std::string name, std::string text);
  static MemVariable Numeric(std::string name, double value);
  static MemVariable Date(std::string name, double day_number);
  static MemVariable Logical(std::string name, bool value);
};

// Writes the variables in order, as Clipper's SAVE TO does, ending with the 1A byte.
void WriteMemFile(const std::filesystem::path& path, const std::vector<MemVariable>& variables);

// Writes a `polskie.lit` whose code-page marker (offset 141) is `marker`.
void WritePolskieLit(const std::filesystem::path& path, std::uint8_t marker);

}  // namespace konwerter::tools
