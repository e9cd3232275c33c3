#pragma once

#include <optional>
#include <string_view>

#include "source/key_map.h"

namespace konwerter::run {

// A Clipper index the converters seek in, and how its keys are made from its table (in the
// same folder), so that the look-up can be built from the table when the index is stale or
// damaged.
struct IndexKeys {
  std::string_view index_file;
  std::string_view table_file;
  source::KeyRecipe recipe;
};

// The entry for an index file (name compared without regard to letter case); nullopt for
// an index the catalogue does not know.
std::optional<IndexKeys> FindIndexKeys(std::string_view index_file);

}  // namespace konwerter::run
