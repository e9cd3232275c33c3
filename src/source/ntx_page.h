#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace konwerter::source {

// Where a key leads in one index page: the first item slot p (1 to N + 1) whose key is not
// below the sought key, slot N + 1 when every key of the page is below it.
struct PageStep {
  std::uint32_t child = 0;   // file offset of the page below slot p; 0 = none
  std::uint32_t record = 0;  // 1-based record number stored in slot p
  bool equal = false;        // slot p holds a key and it equals the sought key
};

// Finds the step for `key` in a 1024-byte page whose keys are `key.size()` bytes long.
// Keys compare byte by byte as unsigned values. nullopt when the page is damaged: its item
// count or a slot offset would take the search outside the page.
std::optional<PageStep> FindInPage(std::span<const std::uint8_t> page,
                                   std::span<const std::uint8_t> key);

// True when every slot of the page (1 to N + 1) lies inside it and its keys of `key_size`
// bytes stand in ascending order (equal neighbours allowed). In such a page the step for a
// key can be found by halving; FindInPage then never meets a damaged slot.
bool IsOrderedPage(std::span<const std::uint8_t> page, std::size_t key_size);

// The same step as FindInPage, found by halving the key slots.
// REQUIRES: IsOrderedPage(page, key.size()).
PageStep FindInOrderedPage(std::span<const std::uint8_t> page, std::span<const std::uint8_t> key);

}  // namespace konwerter::source
