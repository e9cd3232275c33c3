#pragma once

#include <filesystem>
#include <string_view>

#include "target/verification/finding.h"
#include "target/verification/table_image.h"

namespace konwerter::verification {

// Checks the production index of a table read whole, with the engine's index reader and key
// builder: the index holds the tags of `index_definitions` (the catalogue's string), and in
// each tag every record has exactly one key, that key is the tag's expression evaluated on
// the record, and the keys come in the order of the table's collation (equal keys by record
// number). Each difference is added to `check`.
// REQUIRES: index_definitions is not empty.
void CheckIndex(const TableImage& table, const std::filesystem::path& mdx_file,
                std::string_view index_definitions, DatabaseCheck& check);

}  // namespace konwerter::verification
