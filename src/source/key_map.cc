#include "source/key_map.h"

#include <algorithm>

#include "platform/dbf_layout.h"
#include "source/numeric_text.h"
#include "source/source_table_slot.h"

namespace konwerter::source {

namespace {

std::string_view FieldBytes(std::span<const std::uint8_t> record, const SourceField& field) {
  return {reinterpret_cast<const char*>(record.data()) + field.offset, field.bytes_in_record};
}

// A DOS key: 4 raw bytes, a shorter field completed with zero bytes as the reader does.
constexpr std::size_t kBinaryKeySize = 4;

}  // namespace

std::optional<KeyMap> BuildKeyMap(std::string_view path, const KeyRecipe& recipe,
                                  std::vector<std::uint32_t>* damaged_records) {
  OpenedTable opened = SourceTableSlot::Open(path);
  if (!opened.table || opened.status != kSourceOk) return std::nullopt;
  SourceTableSlot& table = *opened.table;
  const SourceField* key_field = table.FieldNamed(recipe.key_field);
  const SourceField* line_field =
      recipe.line_field.empty() ? nullptr : table.FieldNamed(recipe.line_field);
  if (key_field == nullptr || (!recipe.line_field.empty() && line_field == nullptr)) {
    return std::nullopt;
  }
  constexpr std::uint32_t kReadAhead = 32000;
  table.SetReadAhead(kReadAhead);
  KeyMap keys;
  keys.reserve(table.header().record_count);
  for (std::int32_t record = 0; !table.at_end(); table.Next(), ++record) {
    const std::span<const std::uint8_t> bytes = table.CurrentRecordBytes();
    if (bytes[0] != dbf::kLiveRecord && bytes[0] != dbf::kDeletedRecord) {
      if (damaged_records != nullptr)
        damaged_records->push_back(static_cast<std::uint32_t>(record) + 1);
      continue;
    }
    std::string key(FieldBytes(bytes, *key_field).substr(0, kBinaryKeySize));
    key.resize(kBinaryKeySize, '\0');
    if (line_field != nullptr) {
      key += static_cast<char>(ParseInteger(FieldBytes(bytes, *line_field)).value);
    }
    key.resize(recipe.key_size, ' ');
    keys.emplace(std::move(key), record);  // the first record of a key stays
  }
  return keys;
}

}  // namespace konwerter::source
