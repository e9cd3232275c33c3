#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/file.h"

namespace konwerter::engine::mdx {

// Writes the blocks of an index file one after the other through a large buffer, so that
// the file sees few big writes. Pages are counted from the start of the file.
class PageWriter {
 public:
  // Blocks go to `file` from page `first_page` on.
  PageWriter(platform::File& file, std::uint32_t first_page);
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  // Appends one block at next_page() and returns its page.
  // REQUIRES: block.size() == kBlockSize. Throws platform::IoError on a write failure.
  std::uint32_t Append(std::span<const std::uint8_t> block);

  // Replaces a block appended earlier (whether still buffered or already written).
  // REQUIRES: `page` was returned by Append; block.size() == kBlockSize.
  void Rewrite(std::uint32_t page, std::span<const std::uint8_t> block);

  // Writes out what is buffered. Throws platform::IoError on a write failure.
  void Flush();

  // The page the next block will take.
  std::uint32_t next_page() const;

 private:
  platform::File& file_;
  std::uint32_t buffer_page_;  // page of the first buffered byte
  std::vector<std::uint8_t> buffer_;
};

}  // namespace konwerter::engine::mdx
