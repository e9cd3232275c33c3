#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "target/engine/record_layout.h"
#include "target/table_catalogue.h"
#include "target/verification/finding.h"

namespace konwerter::verification {

// A table file read whole, its header found as the catalogue defines it, so that its
// records lie where the catalogue's schema puts them.
class TableImage {
 public:
  TableImage(std::filesystem::path file, engine::RecordLayout layout,
             std::vector<std::uint8_t> bytes, std::size_t header_length,
             std::uint32_t record_count);

  const std::filesystem::path& file() const { return file_; }
  const engine::RecordLayout& layout() const { return layout_; }
  std::uint32_t record_count() const { return record_count_; }

  // Record `number` (1-based). REQUIRES: 1 <= number <= record_count().
  std::span<const std::uint8_t> Record(std::uint32_t number) const {
    return std::span<const std::uint8_t>(bytes_).subspan(
        header_length_ + std::size_t{number - 1} * layout_.record_length(),
        layout_.record_length());
  }

 private:
  std::filesystem::path file_;
  engine::RecordLayout layout_;
  std::vector<std::uint8_t> bytes_;
  std::size_t header_length_ = 0;
  std::uint32_t record_count_ = 0;
};

// The catalogue's fields of a table as the engine stores them (upper-case names, fixed
// widths).
engine::RecordLayout CatalogueLayout(const target::tables::TableStrings& strings);

// Reads the table file and checks its header against the catalogue entry and the file:
// version, language driver, production-index flag, header and record length, every field
// descriptor, the header's terminator, the records within the file and the end mark after
// them. Each difference is added to `check`. Returns the table unless its records cannot
// be found where the catalogue puts them (an unreadable, damaged or truncated file, a field
// list other than the catalogue's).
std::optional<TableImage> ReadTable(const std::filesystem::path& file,
                                    const target::tables::TableStrings& strings,
                                    DatabaseCheck& check);

// The bytes of a whole file; nullopt when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& file);

}  // namespace konwerter::verification
