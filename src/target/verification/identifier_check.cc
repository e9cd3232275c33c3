#include "target/verification/identifier_check.h"

#include <algorithm>
#include <string>

#include "target/engine/field_value.h"
#include "target/verification/value_text.h"

namespace konwerter::verification {

namespace {

// Identifiers are dense below the sequence's next value; a damaged next value must not
// make the set huge.
std::uint64_t DenseLimit(const TableImage& table, const SequenceRow* row) {
  const std::uint64_t records = table.record_count();
  const std::uint64_t bound = 4 * records + 65536;
  return std::min(row != nullptr ? row->next_value : records + 1, bound);
}

std::string Hex(std::uint32_t number, int width) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(static_cast<std::size_t>(width), '0');
  for (auto at = text.rbegin(); at != text.rend() && number != 0; ++at, number >>= 4) {
    *at = kDigits[number & 0x0F];
  }
  return text;
}

// The identifier field of one table, record by record.
class IdentifierWalk {
 public:
  IdentifierWalk(const TableImage& table, const SequenceUse& sequence, const SequenceRow* row,
                 DatabaseCheck& check)
      : table_(table),
        sequence_(sequence),
        field_(table.layout().Find(sequence.field)),
        check_(check),
        identifiers_(DenseLimit(table, row)) {}

  void Visit(std::uint32_t record);
  // The highest identifier met; nullopt when none.
  std::optional<std::uint32_t> highest() const { return highest_; }
  IdentifierSet Release() { return std::move(identifiers_); }

 private:
  void Add(FindingKind kind, std::uint32_t record, std::string value, std::string expected = {}) {
    check_.Add(kind, table_.file(), record, std::string(sequence_.field), std::move(value),
               std::move(expected));
  }

  const TableImage& table_;
  const SequenceUse& sequence_;
  const int field_;
  DatabaseCheck& check_;
  IdentifierSet identifiers_;
  std::optional<std::uint32_t> highest_;
};

void IdentifierWalk::Visit(std::uint32_t record) {
  const auto bytes = table_.layout().Bytes(table_.Record(record), field_);
  const std::string_view text = engine::AsChars(bytes);
  const std::size_t end = text.find_last_not_of(' ');
  if (end == std::string_view::npos) {
    Add(FindingKind::kIdentifierEmpty, record, {});
    return;
  }
  const std::optional<std::uint32_t> number =
      IdentifierNumber(text.substr(0, end + 1), sequence_.width);
  if (!number) {
    Add(FindingKind::kIdentifierMalformed, record, FieldText(bytes));
    return;
  }
  if (const std::uint32_t first = identifiers_.Insert(*number, record); first != 0) {
    Add(sequence_.per_dos_key ? FindingKind::kDosKeyRepeated : FindingKind::kIdentifierDuplicate,
        record, FieldText(bytes), std::to_string(first));
  }
  highest_ = std::max(highest_.value_or(0), *number);
}

}  // namespace

IdentifierSet CheckIdentifiers(const TableImage& table, const SequenceUse& sequence,
                               const SequenceRow* row, const std::filesystem::path& sequence_file,
                               DatabaseCheck& check) {
  IdentifierWalk walk(table, sequence, row, check);
  if (table.layout().Find(sequence.field) < 0) return walk.Release();
  for (std::uint32_t record = 1; record <= table.record_count(); ++record) walk.Visit(record);
  if (row != nullptr && walk.highest() && *walk.highest() >= row->next_value) {
    check.Add(FindingKind::kSequenceTooLow, sequence_file, row->record, row->name,
              std::to_string(row->next_value), Hex(*walk.highest(), sequence.width));
  }
  return walk.Release();
}

}  // namespace konwerter::verification
