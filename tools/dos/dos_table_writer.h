#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/calendar_date.h"
#include "tools/dos/block_writer.h"

namespace konwerter::tools {

// A field of a DOS table as Clipper declares it.
struct DosField {
  std::string name;  // stored as given (Clipper stores upper case); 1 to 10 characters
  char type = 'C';   // C, N, D, L, M
  std::uint8_t width = 1;
  std::uint8_t decimals = 0;
};

// The date of last update the writer stores unless told otherwise, so that equal tables
// give equal bytes.
inline constexpr platform::CalendarDate kDosTableDefaultDate{1999, 11, 30};

// Writes a dBase III table the way Clipper writes one (version byte 03, a 32-byte header,
// 32-byte field descriptors, the 0D terminator, the records, the 1A end mark). Records are
// streamed to the file in large blocks, so tables of millions of records need little
// memory.
class DosTableWriter {
 public:
  // Creates the file and writes its header. Throws std::invalid_argument for a field list
  // Clipper cannot store (a name of 0 or more than 10 characters, a width of 0, a record
  // longer than 65535 bytes, a year of last update outside 1900..2155) and
  // platform::IoError when the file cannot be created.
  DosTableWriter(const std::filesystem::path& path, std::vector<DosField> fields,
                 platform::CalendarDate last_update = kDosTableDefaultDate);
  DosTableWriter(const DosTableWriter&) = delete;
  DosTableWriter& operator=(const DosTableWriter&) = delete;
  ~DosTableWriter();  // finishes the table if Finish() was not called

  // Adds a record. `values` holds one entry per field: the bytes to store, any bytes at
  // all (binary keys included). Shorter values are padded with spaces: on the left for N
  // fields, on the right for the others.
  // REQUIRES: values.size() == fields.size(), no value longer than its field (otherwise
  // std::invalid_argument); Finish() not called yet (otherwise std::logic_error).
  void Add(const std::vector<std::string>& values, bool deleted = false);
  // Writes the record count into the header and the end mark, and closes the file.
  // Later calls do nothing.
  void Finish();

  std::uint32_t record_count() const { return record_count_; }
  std::uint16_t record_length() const { return record_length_; }
  std::uint16_t header_length() const { return header_length_; }

 private:
  void WriteHeader(platform::CalendarDate last_update);

  std::vector<DosField> fields_;
  std::optional<BlockWriter> out_;
  std::vector<std::uint8_t> record_;  // the record being assembled, reused
  std::uint32_t record_count_ = 0;
  std::uint16_t record_length_ = 1;
  std::uint16_t header_length_ = 0;
};

// Values as the DOS edition stores them in character fields.
std::string DosKey(std::uint32_t key);              // 4 bytes, little-endian
std::string DosReference(std::uint16_t record);     // 2 bytes, little-endian
std::string DosDate(int year, int month, int day);  // "YYYYMMDD"
// A number as Clipper writes it into an N field: right-aligned, `decimals` digits after
// the point, rounded; asterisks across the whole width when it does not fit.
std::string DosNumber(double value, int width, int decimals = 0);

}  // namespace konwerter::tools
