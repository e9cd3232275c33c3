// WriteProductionIndex: the production index file as a whole. Pages 0-3 (file header and
// tag table) are written last, when every tag's place is known; each tag is its header
// block followed by its nodes, root last.

#include <array>
#include <limits>
#include <string>

#include "platform/dos_path.h"
#include "platform/file.h"
#include "platform/io_error.h"
#include "platform/text_encoding.h"
#include "target/engine/failure.h"
#include "target/engine/mdx_format.h"
#include "target/engine/mdx_headers.h"
#include "target/engine/mdx_key_sort.h"
#include "target/engine/mdx_page_writer.h"
#include "target/engine/mdx_tag_builder.h"
#include "target/engine/production_index.h"
#include "target/engine/record_layout.h"

namespace konwerter::engine {

namespace {

std::size_t RequiredKeyLength(KeyType type) {
  switch (type) {
    case KeyType::kNumeric:
      return kNumericKeyLength;
    case KeyType::kDate:
      return kDateKeyLength;
    case KeyType::kCharacter:
      break;
  }
  return 0;
}

// Refuses a tag the file cannot hold, before anything is written.
void CheckTag(const TagBuild& tag, const std::string& where) {
  const std::string& name = tag.definition.name;
  if (name.empty() || name.size() > mdx::kMaxTagNameLength) {
    Fail(EngineFault::kIndexTagNameRefused, where, name);
  }
  if (tag.definition.expression.size() >= mdx::kTagExpressionSize) {
    Fail(EngineFault::kTagExpressionTooLong, where, name);
  }
  const std::size_t required = RequiredKeyLength(tag.key_type);
  const bool length_ok = required != 0
                             ? tag.key_length == required
                             : tag.key_length >= 1 && tag.key_length <= mdx::kMaxKeyLength;
  if (!length_ok) Fail(EngineFault::kKeyLengthRefused, where, name);
  if (tag.keys.size() % tag.key_length != 0 ||
      tag.keys.size() / tag.key_length > std::numeric_limits<std::uint32_t>::max()) {
    Fail(EngineFault::kKeysIncomplete, where, name);
  }
}

mdx::WrittenTag WriteTag(const TagBuild& tag, mdx::PageWriter& pages) {
  const std::array<std::uint8_t, mdx::kBlockSize> placeholder{};
  mdx::WrittenTag written;
  written.name = UpperAscii(tag.definition.name);
  written.expression = tag.definition.expression;
  written.key_type = tag.key_type;
  written.key_format = tag.key_format;
  written.key_length = tag.key_length;
  written.header_page = pages.Append(placeholder);

  const std::span<const std::uint8_t> keys(tag.keys);
  const auto key_of = [&](std::uint32_t record) {
    return keys.subspan(std::size_t{record - 1} * tag.key_length, tag.key_length);
  };
  mdx::TagBuilder builder(tag.key_length, pages);
  const std::vector<std::uint32_t> records = mdx::SortedRecords(tag.key_type, tag.key_length, keys);
  for (std::size_t i = 0; i < records.size(); ++i) {
    // Keys are taken in key order, all over memory: ask for them a few records ahead.
    if (i + mdx::kPrefetchDistance < records.size()) {
      mdx::PrefetchKey(key_of(records[i + mdx::kPrefetchDistance]));
    }
    builder.Add(key_of(records[i]), records[i]);
  }
  written.extent = builder.Finish();
  written.has_keys = !keys.empty();
  pages.Rewrite(written.header_page, mdx::EncodeTagHeader(written));
  return written;
}

}  // namespace

void WriteProductionIndex(const std::string& path, std::string_view table_name,
                          const std::vector<TagBuild>& tags, platform::CalendarDate today) {
  const std::string where = platform::Utf8FromCp1250(path);
  if (tags.size() > mdx::kMaxTags) Fail(EngineFault::kTooManyTags, where);
  for (const TagBuild& tag : tags) CheckTag(tag, where);

  platform::File file = platform::File::Create(platform::HostPath(path));
  mdx::PageWriter pages(file, mdx::kFirstTagHeaderPage);
  std::vector<mdx::WrittenTag> written;
  written.reserve(tags.size());
  for (const TagBuild& tag : tags) written.push_back(WriteTag(tag, pages));
  pages.Flush();
  file.WriteAt(0, mdx::EncodeFileHeader(table_name, written, pages.next_page(), today));
  if (!file.Close()) throw platform::IoError(platform::IoFault::kWrite, where);
}

}  // namespace konwerter::engine
