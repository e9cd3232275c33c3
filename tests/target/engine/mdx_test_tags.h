#pragma once

// Tags of a production index built by hand for the index tests: keys made from text,
// numbers and dates the way the key expressions make them.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/calendar_date.h"
#include "platform/text_encoding.h"
#include "target/engine/code_page_tables.h"
#include "target/engine/key_encoding.h"
#include "target/engine/mdx_format.h"
#include "target/engine/production_index.h"

namespace konwerter::engine::testing {

using Bytes = std::vector<std::uint8_t>;

// UTF-8 text as the cp852 bytes a table of the Polish driver holds.
inline Bytes Cp852(std::string_view utf8) {
  Bytes out;
  for (const char c : platform::Cp1250FromUtf8(utf8)) {
    out.push_back(kCp1250ToCp852[static_cast<std::uint8_t>(c)]);
  }
  return out;
}

// A character tag: record n holds values[n - 1], padded with spaces to `width`.
inline TagBuild CharacterTag(std::string name, std::size_t width,
                             const std::vector<std::string>& values) {
  TagBuild tag{{name, name}, KeyType::kCharacter, mdx::kKeyFormatFieldsOnly, width, {}};
  for (const auto& value : values) {
    Bytes key = Cp852(value);
    key.resize(width, ' ');
    tag.keys.insert(tag.keys.end(), key.begin(), key.end());
  }
  return tag;
}

// A numeric tag: record n holds the field text values[n - 1].
inline TagBuild NumericTag(std::string name, const std::vector<std::string>& values) {
  TagBuild tag{{name, name}, KeyType::kNumeric, mdx::kKeyFormatFieldsOnly, kNumericKeyLength, {}};
  for (const auto& value : values) {
    Bytes key(kNumericKeyLength);
    EncodeNumericKeyFromText(value, key);
    tag.keys.insert(tag.keys.end(), key.begin(), key.end());
  }
  return tag;
}

// A date tag: record n holds dates[n - 1] (nullopt: a blank date).
inline TagBuild DateTag(std::string name,
                        const std::vector<std::optional<platform::CalendarDate>>& dates) {
  TagBuild tag{{name, name}, KeyType::kDate, mdx::kKeyFormatFieldsOnly, kDateKeyLength, {}};
  for (const auto& date : dates) {
    Bytes key(kDateKeyLength);
    EncodeDateKey(date, key);
    tag.keys.insert(tag.keys.end(), key.begin(), key.end());
  }
  return tag;
}

// The key of record `record` (1-based) in a tag.
inline Bytes KeyOfRecord(const TagBuild& tag, std::uint32_t record) {
  const auto begin = tag.keys.begin() + static_cast<std::ptrdiff_t>((record - 1) * tag.key_length);
  return Bytes(begin, begin + static_cast<std::ptrdiff_t>(tag.key_length));
}

inline constexpr platform::CalendarDate kToday{2024, 5, 17};

}  // namespace konwerter::engine::testing
