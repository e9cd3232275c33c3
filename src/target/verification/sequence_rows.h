#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "target/verification/finding.h"
#include "target/verification/table_image.h"

namespace konwerter::verification {

// One row of the sequence table.
struct SequenceRow {
  std::string name;              // TableName without trailing spaces (cp1250)
  std::uint64_t next_value = 0;  // NextVal; 0 when blank or no number
  std::uint32_t record = 0;
};

// The rows of a converted database's sequence table (BAZA\ADMIN\Dostep.dbf).
class SequenceRows {
 public:
  SequenceRows() = default;
  // Reads every row, adding to `check` the rows no converter writes and the sequences
  // written twice.
  SequenceRows(const TableImage& dostep, DatabaseCheck& check);

  // The row of a sequence, its name compared ignoring ASCII case (the table's index keys
  // the upper-cased name); nullptr when none.
  const SequenceRow* Find(std::string_view name) const;

 private:
  std::vector<SequenceRow> rows_;
};

}  // namespace konwerter::verification
