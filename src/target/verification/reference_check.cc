#include "target/verification/reference_check.h"

#include <algorithm>
#include <utility>

#include "target/engine/field_value.h"

namespace konwerter::verification {

namespace {

std::string NameOf(const TableName& table) {
  return std::string(table.folder) + "\\" + std::string(table.table);
}

std::string NameOf(const TableName& table, std::string_view fields) {
  return NameOf(table) + "|" + std::string(fields);
}

// A key as a finding shows it: its parts in the system's text, joined by spaces.
std::string Shown(std::string_view key) {
  std::string text =
      engine::LoadText({reinterpret_cast<const std::uint8_t*>(key.data()), key.size()});
  std::replace(text.begin(), text.end(), '\x1F', ' ');
  return text;
}

// The check of one reference over the records of one table.
class ReferenceWalk {
 public:
  ReferenceWalk(const TableImage& table, const Reference& reference, DatabaseCheck& check)
      : table_(table), reference_(reference), check_(check) {}

  void Run(const ReferredKeys::Identifiers& identifiers, int width);
  void Run(const TextKeySet& texts);

 private:
  // Calls judge(record, key) for every record that names a record.
  template <typename Judge>
  void ForEachReference(Judge judge);
  void Add(FindingKind kind, std::uint32_t record, std::string_view key) {
    check_.Add(kind, table_.file(), record, std::string(reference_.fields), Shown(key),
               NameOf(reference_.referred) + " (" + std::string(reference_.referred_fields) + ")");
  }
  void Unresolved(std::uint32_t record, std::string_view key) {
    Add(reference_.may_dangle ? FindingKind::kReferenceDangling : FindingKind::kReferenceUnresolved,
        record, key);
  }

  const TableImage& table_;
  const Reference& reference_;
  DatabaseCheck& check_;
};

template <typename Judge>
void ReferenceWalk::ForEachReference(Judge judge) {
  const KeyFields fields(table_.layout(), reference_.fields);
  if (!fields.valid()) return;
  std::string key;
  for (std::uint32_t record = 1; record <= table_.record_count(); ++record) {
    const std::string_view value = fields.Of(table_.Record(record), key);
    if (value.empty() || value == reference_.no_record) continue;
    judge(record, value);
  }
}

void ReferenceWalk::Run(const ReferredKeys::Identifiers& identifiers, int width) {
  ForEachReference([&](std::uint32_t record, std::string_view key) {
    const std::optional<std::uint32_t> number = IdentifierNumber(key, width);
    if (!number || (identifiers.next_value && *number >= *identifiers.next_value)) {
      Add(FindingKind::kReferenceNeverAssigned, record, key);
    } else if (!identifiers.set.Contains(*number)) {
      Unresolved(record, key);
    }
  });
}

void ReferenceWalk::Run(const TextKeySet& texts) {
  std::string held;
  ForEachReference([&](std::uint32_t record, std::string_view key) {
    held.assign(key);
    if (!texts.Contains(held)) Unresolved(record, key);
  });
}

}  // namespace

void ReferredKeys::AddIdentifiers(const TableName& table, IdentifierSet identifiers,
                                  std::optional<std::uint64_t> next_value) {
  identifiers_.insert_or_assign(NameOf(table), Identifiers{std::move(identifiers), next_value});
}

void ReferredKeys::AddTexts(const TableName& table, std::string_view fields, TextKeySet keys) {
  texts_.insert_or_assign(NameOf(table, fields), std::move(keys));
}

const ReferredKeys::Identifiers* ReferredKeys::IdentifiersOf(const TableName& table) const {
  const auto found = identifiers_.find(NameOf(table));
  return found == identifiers_.end() ? nullptr : &found->second;
}

const TextKeySet* ReferredKeys::TextsOf(const TableName& table, std::string_view fields) const {
  const auto found = texts_.find(NameOf(table, fields));
  return found == texts_.end() ? nullptr : &found->second;
}

void CheckReferences(const TableImage& table, const Reference& reference, const ReferredKeys& keys,
                     DatabaseCheck& check) {
  ReferenceWalk walk(table, reference, check);
  if (const SequenceUse* sequence = SequenceOf(reference.referred)) {
    if (const auto* identifiers = keys.IdentifiersOf(reference.referred)) {
      walk.Run(*identifiers, sequence->width);
    }
  } else if (const TextKeySet* texts =
                 keys.TextsOf(reference.referred, reference.referred_fields)) {
    walk.Run(*texts);
  }
}

}  // namespace konwerter::verification
