#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace konwerter::source {

// How the DOS edition makes the key of a Clipper index from a record of its table: the raw
// bytes of `key_field` (a 4-byte binary key), followed, when `line_field` is named, by one
// byte holding that numeric field's value (the line number of a name line).
struct KeyRecipe {
  std::string_view key_field;
  std::string_view line_field;  // empty: none
  std::uint16_t key_size = 4;
};

// Index keys (key size bytes) -> 0-based record numbers, as an index built afresh from its
// table would answer them: for a key held by several records, the first one.
using KeyMap = std::unordered_map<std::string, std::int32_t>;

// Builds the keys of every record of the table at `path` (a program path), deleted records
// included, as Clipper indexes them (field names compared regardless of case). A damaged
// record (its deletion flag neither a space nor "*") gets no key: its 1-based number goes to
// `damaged_records` when given. nullopt when the table cannot be opened or lacks a field of
// the recipe.
std::optional<KeyMap> BuildKeyMap(std::string_view path, const KeyRecipe& recipe,
                                  std::vector<std::uint32_t>* damaged_records = nullptr);

}  // namespace konwerter::source
