#pragma once

#include <cstddef>
#include <filesystem>
#include <ostream>

#include "target/verification/finding.h"

namespace konwerter::cli {

// Prints the check of a converted database for the operator, in Polish (UTF-8): failures,
// then warnings, each grouped by kind and then by file with their counts, listing at most
// `listed_per_group` findings of a group and saying how many more there are; then the
// verdict. Files are shown relative to `output_folder` when they lie in it.
void PrintDatabaseCheck(const verification::DatabaseCheck& check,
                        const std::filesystem::path& output_folder, std::size_t listed_per_group,
                        std::ostream& out);

}  // namespace konwerter::cli
