#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>

#include "platform/file.h"
#include "source/ntx_layout.h"
#include "source/ntx_page.h"

namespace konwerter::source {

// One 1024-byte index page as read from the file, with whether its keys can be searched by
// halving (every slot inside the page, keys in ascending order).
struct IndexPage {
  std::array<std::uint8_t, ntx::kPageSize> bytes{};
  bool ordered = false;

  // Takes the page's bytes from the file at `offset`; false when fewer than 1024 arrive.
  // Throws IoError on a read fault.
  bool Load(platform::File& file, std::uint32_t offset, std::size_t key_size);
  // The step for `key` (key size bytes); nullopt when the page is damaged on the way.
  std::optional<PageStep> Find(std::span<const std::uint8_t> key) const;
};

// The pages below the root that seeks of one open index have read, by file offset. An index
// is read, never written, while it is open; the owner empties the cache whenever the file's
// modification stamp changes, so a page is read from the file once per version of the file.
class IndexPageCache {
 public:
  // The page at `offset`, read from the file on its first use. nullptr when fewer than
  // 1024 bytes arrive there (nothing is kept then, so the next use reads again).
  // The page stays valid until the next call or Clear().
  const IndexPage* Get(platform::File& file, std::uint32_t offset, std::size_t key_size);
  void Clear() { pages_.clear(); }

 private:
  // About 32 MB of pages at most; a fuller cache starts afresh.
  static constexpr std::size_t kMaxPages = 32768;

  std::unordered_map<std::uint32_t, IndexPage> pages_;
};

}  // namespace konwerter::source
