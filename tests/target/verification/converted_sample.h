#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "tests/support/temp_dir.h"

namespace konwerter::testing {

// The built-in sample site (scale 1, seed 1) converted once per test program, as a clean
// database to compare against and to plant faults in.
const std::filesystem::path& ConvertedSample();

// A copy of the converted sample in a folder of its own, for one test to damage.
class SampleCopy {
 public:
  SampleCopy();

  const std::filesystem::path& folder() const { return copy_.path(); }
  // A file of the copy by its path under BAZA, e.g. "OSOBY/Osoby.dbf".
  std::filesystem::path File(std::string_view relative) const;

  // Whole-file edits of a file under BAZA.
  std::vector<std::uint8_t> Bytes(std::string_view relative) const;
  void Write(std::string_view relative, const std::vector<std::uint8_t>& bytes) const;

 private:
  TempDir copy_;
};

// Where record `number` (1-based) of a .dbf starts in its bytes, from the header.
std::size_t RecordOffset(const std::vector<std::uint8_t>& table, std::uint32_t number);
std::uint32_t RecordCount(const std::vector<std::uint8_t>& table);
// Offset of `field` within a record, from the table's field descriptors; throws when the
// table has no such field.
std::size_t FieldOffset(const std::vector<std::uint8_t>& table, std::string_view field);
// Where `text` first occurs in `bytes`; throws when it does not.
std::size_t OffsetOf(const std::vector<std::uint8_t>& bytes, std::string_view text);

}  // namespace konwerter::testing
