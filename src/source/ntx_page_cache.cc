#include "source/ntx_page_cache.h"

namespace konwerter::source {

bool IndexPage::Load(platform::File& file, std::uint32_t offset, std::size_t key_size) {
  if (file.ReadAt(offset, bytes) < bytes.size()) return false;
  ordered = IsOrderedPage(bytes, key_size);
  return true;
}

std::optional<PageStep> IndexPage::Find(std::span<const std::uint8_t> key) const {
  if (ordered) return FindInOrderedPage(bytes, key);
  return FindInPage(bytes, key);
}

const IndexPage* IndexPageCache::Get(platform::File& file, std::uint32_t offset,
                                     std::size_t key_size) {
  if (const auto held = pages_.find(offset); held != pages_.end()) return &held->second;
  IndexPage page;
  if (!page.Load(file, offset, key_size)) return nullptr;
  if (pages_.size() >= kMaxPages) pages_.clear();
  return &pages_.emplace(offset, page).first->second;
}

}  // namespace konwerter::source
