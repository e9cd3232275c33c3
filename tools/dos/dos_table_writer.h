#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"

namespace konwerter::tools {

// A field of a DOS table as Clipper declares it.
struct DosField {
  std::string name;  // stored as given (Clipper stores upper case); at most 10 characters
  char type = 'C';   // C, N, D, L, M
  std::uint8_t width = 1;
  std::uint8_t decimals = 0;
};

// Writes a dBase III table the way Clipper writes one (version byte 03, a 32-byte header,
// 32-byte field descriptors, the 0D terminator, the records, the 1A end mark). Records are
// streamed to the file, so tables of millions of records need little memory.
class DosTableWriter {
 public:
  DosTableWriter(const std::filesystem::path& path, std::vector<DosField> fields);
  DosTableWriter(const DosTableWriter&) = delete;
  DosTableWriter& operator=(const DosTableWriter&) = delete;
  ~DosTableWriter();  // finishes the table if Finish() was not called

  // Adds a record. `values` holds one entry per field: the bytes to store, any bytes at
  // all (binary keys included). Shorter values are padded with spaces: on the left for N
  // fields, on the right for the others.
  // REQUIRES: values.size() == fields.size(), no value longer than its field.
  void Add(const std::vector<std::string>& values, bool deleted = false);
  // Writes the record count into the header and the end mark.
  void Finish();

  std::uint32_t record_count() const { return record_count_; }

 private:
  std::vector<DosField> fields_;
  std::optional<platform::File> file_;
  std::vector<std::uint8_t> buffer_;
  std::uint32_t record_count_ = 0;
  std::uint16_t record_length_ = 1;
};

// Values as the DOS edition stores them in character fields.
std::string DosKey(std::uint32_t key);             // 4 bytes, little-endian
std::string DosReference(std::uint16_t record);    // 2 bytes, little-endian
std::string DosDate(int year, int month, int day); // "YYYYMMDD"
// A number as Clipper writes it into an N field: right-aligned, `decimals` digits.
std::string DosNumber(double value, int width, int decimals = 0);

}  // namespace konwerter::tools
