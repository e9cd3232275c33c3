#include "target/verification/sequence_rows.h"

#include <algorithm>
#include <cmath>

#include "target/engine/field_value.h"
#include "target/engine/number_text.h"
#include "target/verification/reference_map.h"
#include "target/verification/value_text.h"

namespace konwerter::verification {

namespace {

std::uint64_t NextValue(std::span<const std::uint8_t> field) {
  const std::optional<double> value = engine::ParseNumberText(engine::AsChars(field));
  if (!value || !(*value > 0) || *value > 1e15) return 0;
  return static_cast<std::uint64_t>(std::floor(*value));
}

bool IsKnown(std::string_view name) {
  const auto sequences = Sequences();
  return std::any_of(sequences.begin(), sequences.end(), [&](const SequenceUse& use) {
    return engine::SameNameIgnoringCase(use.row, name);
  });
}

}  // namespace

SequenceRows::SequenceRows(const TableImage& dostep, DatabaseCheck& check) {
  const engine::RecordLayout& layout = dostep.layout();
  const int name_field = layout.Find("TableName");
  const int value_field = layout.Find("NextVal");
  for (std::uint32_t record = 1; record <= dostep.record_count(); ++record) {
    const auto bytes = dostep.Record(record);
    SequenceRow row{FieldText(layout.Bytes(bytes, name_field)),
                    NextValue(layout.Bytes(bytes, value_field)), record};
    if (!IsKnown(row.name)) {
      check.Add(FindingKind::kSequenceUnknown, dostep.file(), record, row.name,
                std::to_string(row.next_value));
    } else if (Find(row.name) != nullptr) {
      check.Add(FindingKind::kSequenceDuplicate, dostep.file(), record, row.name,
                std::to_string(row.next_value));
    }
    rows_.push_back(std::move(row));
  }
}

const SequenceRow* SequenceRows::Find(std::string_view name) const {
  const auto found = std::find_if(rows_.begin(), rows_.end(), [&](const SequenceRow& row) {
    return engine::SameNameIgnoringCase(row.name, name);
  });
  return found == rows_.end() ? nullptr : &*found;
}

}  // namespace konwerter::verification
