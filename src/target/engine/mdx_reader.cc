#include "target/engine/mdx_reader.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/dos_path.h"
#include "platform/little_endian.h"
#include "platform/text_encoding.h"
#include "target/engine/failure.h"
#include "target/engine/mdx_format.h"
#include "target/engine/record_layout.h"

namespace konwerter::engine::mdx {

namespace {

// Deeper than any tree a table can need (a node holds at least 9 keys), shallow enough to
// stop a cycle of child pointers at once.
constexpr int kMaxTreeDepth = 32;
constexpr std::size_t kMaxPagesPerBlock = 32;

platform::File OpenIndex(const std::string& path, const std::string& where) {
  std::optional<platform::File> file =
      platform::File::OpenExisting(platform::HostPath(path), platform::File::Access::kRead);
  if (!file) Fail(EngineFault::kIndexFileMissing, where);
  return std::move(*file);
}

// Text of a fixed-size field: up to the first NUL, trailing spaces dropped.
std::string FixedText(std::span<const std::uint8_t> bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  std::string text(bytes.begin(), end);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::optional<KeyType> KeyTypeOf(std::uint8_t letter) {
  switch (letter) {
    case 'C':
      return KeyType::kCharacter;
    case 'N':
      return KeyType::kNumeric;
    case 'D':
      return KeyType::kDate;
    default:
      return std::nullopt;
  }
}

bool KeyLengthFits(KeyType type, std::size_t length) {
  switch (type) {
    case KeyType::kNumeric:
      return length == kNumericKeyLength;
    case KeyType::kDate:
      return length == kDateKeyLength;
    case KeyType::kCharacter:
      break;
  }
  return length >= 1 && length <= kMaxKeyLength;
}

}  // namespace

// The state of one walk of a tag's tree.
struct IndexReader::Walk {
  const TagLayout& layout;
  std::uint64_t nodes_left;  // at most every block of the file once
  const EntryVisitor& visit;
};

IndexReader::IndexReader(const std::string& path)
    : where_(platform::Utf8FromCp1250(path)), file_(OpenIndex(path, where_)) {
  file_size_ = file_->Size();
  ReadHeader();
}

IndexReader::IndexReader(std::vector<std::uint8_t> image, std::string where)
    : where_(std::move(where)), image_(std::move(image)) {
  file_size_ = image_.size();
  ReadHeader();
}

void IndexReader::ReadHeader() {
  std::vector<std::uint8_t> header(kTagTableEnd);
  if (file_size_ < kTagTableEnd) Damaged(EngineFault::kIndexFileShort);
  if (file_) {
    if (file_->ReadAt(0, header) != header.size()) Damaged(EngineFault::kIndexFileShort);
  } else {
    std::copy_n(image_.begin(), header.size(), header.begin());
  }
  const std::size_t pages_per_block = platform::LoadU16(header, kPagesPerBlockOffset);
  block_size_ = platform::LoadU16(header, kBlockSizeOffset);
  if (pages_per_block == 0 || pages_per_block > kMaxPagesPerBlock ||
      block_size_ != pages_per_block * kPageSize) {
    Damaged(EngineFault::kIndexBlockSize);
  }
  const std::size_t tag_count = platform::LoadU16(header, kTagsInUseOffset);
  if (header[kSlotLengthOffset] != kSlotLength || tag_count > kMaxTags) {
    Damaged(EngineFault::kIndexTagTable);
  }
  for (std::size_t i = 0; i < tag_count; ++i) {
    ReadTagSlot(std::span(header).subspan(kFirstSlotOffset + i * kSlotLength, kSlotLength));
  }
}

void IndexReader::ReadTagSlot(std::span<const std::uint8_t> slot) {
  TagInfo info;
  info.definition.name = FixedText(slot.subspan(kSlotNameOffset, kSlotNameSize));
  if (info.definition.name.empty()) Damaged(EngineFault::kIndexTagWithoutName);
  const std::span<const std::uint8_t> header =
      ReadBlock(platform::LoadU32(slot, kSlotHeaderPageOffset), 0);

  const std::optional<KeyType> type = KeyTypeOf(header[kTagKeyTypeOffset]);
  TagLayout layout;
  layout.root_page = platform::LoadU32(header, kTagRootPageOffset);
  layout.key_length = platform::LoadU16(header, kTagKeyLengthOffset);
  layout.item_length = platform::LoadU16(header, kTagItemLengthOffset);
  layout.keys_per_node = platform::LoadU16(header, kTagKeysPerNodeOffset);
  const std::size_t room = block_size_ - kNodeHeaderSize;
  if (!type || !KeyLengthFits(*type, layout.key_length) ||
      layout.item_length < layout.key_length + kItemPointerSize || layout.item_length > room ||
      layout.keys_per_node == 0 || layout.keys_per_node > room / layout.item_length) {
    Damaged(EngineFault::kIndexTagHeader, info.definition.name);
  }
  const auto expression = header.subspan(kTagExpressionOffset, kTagExpressionSize);
  if (std::find(expression.begin(), expression.end(), std::uint8_t{0}) == expression.end()) {
    Damaged(EngineFault::kIndexTagExpression, info.definition.name);
  }
  info.definition.expression = FixedText(expression);
  info.key_type = *type;
  info.key_length = layout.key_length;
  infos_.push_back(std::move(info));
  layouts_.push_back(layout);
}

std::vector<IndexEntry> IndexReader::Keys(std::string_view tag) {
  std::vector<IndexEntry> entries;
  VisitKeys(tag, [&](std::span<const std::uint8_t> key, std::uint32_t record) {
    entries.push_back({{key.begin(), key.end()}, record});
  });
  return entries;
}

void IndexReader::VisitKeys(std::string_view tag, const EntryVisitor& visit) {
  const auto found = std::find_if(infos_.begin(), infos_.end(), [&](const TagInfo& info) {
    return SameNameIgnoringCase(info.definition.name, tag);
  });
  if (found == infos_.end()) {
    Fail(EngineFault::kIndexTagMissing, where_, tag);
  }
  Walk walk{layouts_[static_cast<std::size_t>(found - infos_.begin())], file_size_ / block_size_,
            visit};
  WalkNode(walk.layout.root_page, 0, walk);
}

void IndexReader::WalkNode(std::uint32_t page, int depth, Walk& walk) {
  if (depth >= kMaxTreeDepth || walk.nodes_left == 0) Damaged(EngineFault::kIndexTreeLoops);
  --walk.nodes_left;
  const std::span<const std::uint8_t> node = ReadBlock(page, static_cast<std::size_t>(depth));
  const TagLayout& layout = walk.layout;
  const std::uint32_t count = platform::LoadU32(node, kNodeKeyCountOffset);
  if (count > layout.keys_per_node) Damaged(EngineFault::kIndexNodeKeyCount);
  const auto item = [&](std::size_t i) { return kNodeItemsOffset + i * layout.item_length; };
  const std::uint32_t last_pointer = platform::LoadU32(node, item(count));
  if (last_pointer == 0) {
    for (std::size_t i = 0; i < count; ++i) {
      walk.visit(node.subspan(item(i) + kItemPointerSize, layout.key_length),
                 platform::LoadU32(node, item(i)));
    }
    return;
  }
  for (std::size_t i = 0; i < count; ++i)
    WalkNode(platform::LoadU32(node, item(i)), depth + 1, walk);
  WalkNode(last_pointer, depth + 1, walk);
}

std::span<const std::uint8_t> IndexReader::ReadBlock(std::uint32_t page, std::size_t buffer) {
  const std::uint64_t offset = std::uint64_t{page} * kPageSize;
  if (offset < kTagTableEnd || offset + block_size_ > file_size_) {
    Damaged(EngineFault::kIndexPageBeyondFile);
  }
  if (!file_) return std::span<const std::uint8_t>(image_).subspan(offset, block_size_);
  if (buffers_.size() <= buffer) buffers_.resize(buffer + 1);
  std::vector<std::uint8_t>& block = buffers_[buffer];
  block.resize(block_size_);
  if (file_->ReadAt(offset, block) != block.size()) Damaged(EngineFault::kIndexPageBeyondFile);
  return block;
}

void IndexReader::Damaged(EngineFault fault, std::string_view tag) const {
  Fail(fault, where_, tag);
}

}  // namespace konwerter::engine::mdx

namespace konwerter::engine {

std::vector<TagInfo> ReadProductionIndexTags(const std::string& path) {
  return mdx::IndexReader(path).tags();
}

std::vector<IndexEntry> ReadProductionIndexKeys(const std::string& path, std::string_view tag) {
  return mdx::IndexReader(path).Keys(tag);
}

}  // namespace konwerter::engine
