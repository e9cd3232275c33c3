#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"
#include "target/engine/engine_error.h"
#include "target/engine/production_index.h"

namespace konwerter::engine::mdx {

// Reads a production index written by this engine or another dBase engine, trusting
// nothing: every size and page number is checked against the file before it is used, and
// any damage gives EngineError kNoSuchIndex naming the file.
class IndexReader {
 public:
  // Opens the file at the program path `path` and reads its header, tag table and tag
  // headers. Throws EngineError kNoSuchIndex when the file is missing or damaged.
  explicit IndexReader(const std::string& path);
  // Reads the bytes of a whole index file already in memory, with the same checks; `where`
  // names the file in messages (UTF-8). For readers that walk every tag: no block is read
  // or copied twice.
  IndexReader(std::vector<std::uint8_t> image, std::string where);

  const std::vector<TagInfo>& tags() const { return infos_; }

  // Every (key, record) of the tag named `tag` (ASCII case ignored), in the order of its
  // leaves. Throws EngineError kNoSuchIndex when there is no such tag or its tree is
  // damaged (a page outside the file, an entry count beyond the node, a tree deeper than
  // any real one or visiting more nodes than the file holds).
  std::vector<IndexEntry> Keys(std::string_view tag);

  // The same walk without copying: `visit` gets each (key, record) in leaf order; the key's
  // bytes stay valid only during the call. Throws as Keys does, possibly after some calls.
  using EntryVisitor = std::function<void(std::span<const std::uint8_t> key, std::uint32_t record)>;
  void VisitKeys(std::string_view tag, const EntryVisitor& visit);

 private:
  struct TagLayout {
    std::uint32_t root_page = 0;
    std::size_t key_length = 0;
    std::size_t item_length = 0;
    std::size_t keys_per_node = 0;
  };
  struct Walk;

  void ReadHeader();
  void ReadTagSlot(std::span<const std::uint8_t> slot);
  // The block at `page`, checked to lie within the file after the tag table. Read from the
  // file into buffer number `buffer` (one per tree level, so a parent node stays valid
  // while its children are read), or a view of the image.
  std::span<const std::uint8_t> ReadBlock(std::uint32_t page, std::size_t buffer);
  void WalkNode(std::uint32_t page, int depth, Walk& walk);
  [[noreturn]] void Damaged(EngineFault fault, std::string_view tag = {}) const;

  std::string where_;                   // the file's path, for messages (UTF-8)
  std::optional<platform::File> file_;  // none when reading an image
  std::vector<std::uint8_t> image_;
  std::vector<std::vector<std::uint8_t>> buffers_;
  std::uint64_t file_size_ = 0;
  std::size_t block_size_ = 0;
  std::vector<TagInfo> infos_;
  std::vector<TagLayout> layouts_;
};

}  // namespace konwerter::engine::mdx
