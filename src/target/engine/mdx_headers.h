#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/calendar_date.h"
#include "target/engine/key_encoding.h"
#include "target/engine/mdx_format.h"
#include "target/engine/mdx_tag_builder.h"

namespace konwerter::engine::mdx {

// What the file header, a tag's slot and a tag's header block say about a written tag.
struct WrittenTag {
  std::string name;  // upper case, at most kMaxTagNameLength characters
  std::string expression;
  KeyType key_type = KeyType::kCharacter;
  std::uint8_t key_format = kKeyFormatFieldsOnly;
  std::size_t key_length = 0;
  std::uint32_t header_page = 0;
  TagExtent extent;
  bool has_keys = false;
};

// The links of one tag slot in the binary search tree of tag names: slot numbers (1-based)
// of the left and right child and of the parent, 0 for none.
struct NameThreads {
  std::uint8_t left = 0;
  std::uint8_t right = 0;
  std::uint8_t parent = 0;

  friend bool operator==(const NameThreads&, const NameThreads&) = default;
};

// Threads of the name tree for the tags in slot order: slot 1 is the root; each later slot
// descends from it comparing the NUL-padded names byte by byte (smaller to the left,
// otherwise to the right) and hangs on the first empty link.
// REQUIRES: names.size() <= kMaxTags.
std::vector<NameThreads> NameTreeThreads(const std::vector<std::string>& names);

// Pages 0 to 3: the file header of a production index of `page_count` pages for table
// `table_name`, and the tag table with its anchor slot and one slot per tag.
// REQUIRES: tags.size() <= kMaxTags.
std::vector<std::uint8_t> EncodeFileHeader(std::string_view table_name,
                                           const std::vector<WrittenTag>& tags,
                                           std::uint32_t page_count, platform::CalendarDate today);

// The header block of one tag.
// REQUIRES: tag.expression.size() < kTagExpressionSize.
std::array<std::uint8_t, kBlockSize> EncodeTagHeader(const WrittenTag& tag);

}  // namespace konwerter::engine::mdx
