#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/calendar_date.h"
#include "target/engine/field.h"
#include "target/engine/key_encoding.h"

namespace konwerter::engine {

// One tag to be written into a production index, with the keys of every record.
struct TagBuild {
  TagDefinition definition;  // name (upper case, at most 10 characters) and expression
  KeyType key_type = KeyType::kCharacter;
  std::uint8_t key_format = 0;  // as KeyExpression::key_format()
  std::size_t key_length = 0;
  // key_length bytes per record, record n (1-based) at (n - 1) * key_length; every record
  // of the table has a key, deleted ones included.
  std::vector<std::uint8_t> keys;
};

// What a production index says about one of its tags.
struct TagInfo {
  TagDefinition definition;
  KeyType key_type = KeyType::kCharacter;
  std::size_t key_length = 0;
};

// Writes the production index at `path` (replacing the file) for the table `table_name`
// (the .dbf's base name) with the tags in order: each tag's keys are sorted once
// (collation order for character keys, ties by record number) and written as leaves, then
// upper levels. `today` is the creation and update date in the header.
// Throws platform::IoError on a write failure, EngineError kOther when a tag cannot be
// written (more tags than the file holds, a key longer than a node allows).
void WriteProductionIndex(const std::string& path, std::string_view table_name,
                          const std::vector<TagBuild>& tags, platform::CalendarDate today);

// Reads the tag table of the production index at `path`. Throws EngineError kNoSuchIndex
// when the file is missing or its header or tag table is damaged (every size and page
// number read is checked against the file).
std::vector<TagInfo> ReadProductionIndexTags(const std::string& path);

// Walks one tag's leaves in key order: (key bytes, record number) pairs. For checks and
// tests; throws EngineError kNoSuchIndex on a damaged file (a cycle ends at a depth bound).
struct IndexEntry {
  std::vector<std::uint8_t> key;
  std::uint32_t record = 0;
};
std::vector<IndexEntry> ReadProductionIndexKeys(const std::string& path, std::string_view tag);

}  // namespace konwerter::engine
