#include "target/engine/mdx_page_writer.h"

#include <algorithm>

#include "target/engine/mdx_format.h"

namespace konwerter::engine::mdx {

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;

std::uint64_t PageOffset(std::uint32_t page) {
  return std::uint64_t{page} * kPageSize;
}

}  // namespace

PageWriter::PageWriter(platform::File& file, std::uint32_t first_page)
    : file_(file), buffer_page_(first_page) {
  buffer_.reserve(kBufferSize);
}

std::uint32_t PageWriter::Append(std::span<const std::uint8_t> block) {
  if (buffer_.size() + block.size() > kBufferSize) Flush();
  const std::uint32_t page = next_page();
  buffer_.insert(buffer_.end(), block.begin(), block.end());
  return page;
}

void PageWriter::Rewrite(std::uint32_t page, std::span<const std::uint8_t> block) {
  if (page >= buffer_page_) {
    const std::size_t at = (page - buffer_page_) * kPageSize;
    std::copy(block.begin(), block.end(), buffer_.begin() + static_cast<std::ptrdiff_t>(at));
  } else {
    file_.WriteAt(PageOffset(page), block);
  }
}

void PageWriter::Flush() {
  if (buffer_.empty()) return;
  file_.WriteAt(PageOffset(buffer_page_), buffer_);
  buffer_page_ = next_page();
  buffer_.clear();
}

std::uint32_t PageWriter::next_page() const {
  return buffer_page_ + static_cast<std::uint32_t>(buffer_.size() / kPageSize);
}

}  // namespace konwerter::engine::mdx
