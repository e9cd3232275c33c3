#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "run/run_context.h"
#include "run/translation_table.h"

namespace konwerter::convert {

// Identifier widths of the numbered registers: documents, orders, settlement lines and
// receipts take 8 hexadecimal digits, dictionary codes (descriptions, document kinds,
// deliveries, coefficients) 4.
inline constexpr int kDocumentIdWidth = 8;
inline constexpr int kCodeWidth = 4;

// The numbering of a register whose records take identifiers in the order they are
// written: 1, 2, 3, ... in upper-case hexadecimal of a fixed width. Each identifier is kept
// by its source record's 1-based number in the register's translation table, where the
// tables that name a record by its number (movements, links, raster extents, lines) find
// it; the register's sequence row holds the number the next identifier would take.
class RegisterNumbering {
 public:
  // Sizes and empties `numbers` for a source of `source_records` records.
  RegisterNumbering(run::RunContext& context, run::TranslationTable& numbers,
                    std::uint32_t source_records, int width);
  RegisterNumbering(const RegisterNumbering&) = delete;
  RegisterNumbering& operator=(const RegisterNumbering&) = delete;

  // The next identifier, kept for the source record `record`.
  std::string Next(std::uint32_t record);
  // The next identifier of a record no other table names by its number: kept nowhere.
  std::string NextUnkept();
  // Writes the register's sequence row `name`.
  void WriteSequenceRow(std::string_view name) const;

 private:
  run::RunContext& context_;
  run::TranslationTable& numbers_;
  const int width_;
  std::uint32_t next_ = 1;
};

}  // namespace konwerter::convert
