#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "target/verification/finding.h"
#include "target/verification/key_sets.h"
#include "target/verification/reference_map.h"
#include "target/verification/table_image.h"

namespace konwerter::verification {

// The keys of the tables referred to, gathered as each of them is checked. A table that is
// missing or could not be read has none, and references to it are not judged (the table's
// own findings say why).
class ReferredKeys {
 public:
  // The identifiers of a table numbered by a sequence, and the sequence's next value
  // (nullopt when the sequence table has no row for it).
  void AddIdentifiers(const TableName& table, IdentifierSet identifiers,
                      std::optional<std::uint64_t> next_value);
  // The keys of `fields` of a table referred to by text.
  void AddTexts(const TableName& table, std::string_view fields, TextKeySet keys);

  struct Identifiers {
    IdentifierSet set;
    std::optional<std::uint64_t> next_value;
  };
  const Identifiers* IdentifiersOf(const TableName& table) const;
  const TextKeySet* TextsOf(const TableName& table, std::string_view fields) const;

 private:
  std::map<std::string, Identifiers> identifiers_;  // by folder and table
  std::map<std::string, TextKeySet> texts_;         // by folder, table and fields
};

// Checks `reference` in every record of `table`: a blank reference (any part blank) or the
// reference's own "no record" value names no record; any other must name a record of the
// referred table, and one numbered by a sequence must be an identifier the sequence gave
// out.
void CheckReferences(const TableImage& table, const Reference& reference, const ReferredKeys& keys,
                     DatabaseCheck& check);

}  // namespace konwerter::verification
