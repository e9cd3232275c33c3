#pragma once

#include <filesystem>

#include "target/verification/finding.h"
#include "target/verification/key_sets.h"
#include "target/verification/reference_map.h"
#include "target/verification/sequence_rows.h"
#include "target/verification/table_image.h"

namespace konwerter::verification {

// Checks the identifiers a sequence gave the records of `table`: each present, `width`
// hexadecimal digits, unique; and the sequence's row (nullptr when the sequence table has
// none) above every one of them. Adds what differs to `check` and returns the identifiers
// met, for the references to the table.
IdentifierSet CheckIdentifiers(const TableImage& table, const SequenceUse& sequence,
                               const SequenceRow* row, const std::filesystem::path& sequence_file,
                               DatabaseCheck& check);

}  // namespace konwerter::verification
