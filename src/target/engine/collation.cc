#include "target/engine/collation.h"

#include <algorithm>

#include "target/engine/collation_db852po0_data.h"

namespace konwerter::engine {
namespace {

constexpr std::uint8_t kPadByte = ' ';

std::uint8_t PaddedByteAt(std::span<const std::uint8_t> key, std::size_t position) {
  return position < key.size() ? key[position] : kPadByte;
}

int Sign(int difference) {
  return (difference > 0) - (difference < 0);
}

}  // namespace

int CompareCollated(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
  const std::size_t length = std::max(a.size(), b.size());
  int secondary_order = 0;  // the first secondary difference, used if all primaries tie
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint8_t x = PaddedByteAt(a, i);
    const std::uint8_t y = PaddedByteAt(b, i);
    if (x == y) continue;
    const int primary = kDb852po0Primary[x] - kDb852po0Primary[y];
    if (primary != 0) return Sign(primary);
    if (secondary_order == 0) secondary_order = Sign(kDb852po0Secondary[x] - kDb852po0Secondary[y]);
  }
  return secondary_order;
}

// All primary weights, then the secondary weights of the letters only. Keys of one length
// give primary parts of one length, and equal primary parts put letters at the same
// positions, so the secondary parts line up too.
void AppendCollationSortKey(std::span<const std::uint8_t> key, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + key.size());
  std::transform(key.begin(), key.end(), out.begin() + static_cast<std::ptrdiff_t>(start),
                 [](std::uint8_t byte) { return static_cast<char>(kDb852po0Primary[byte]); });
  for (const std::uint8_t byte : key) {
    const std::uint8_t secondary = kDb852po0Secondary[byte];
    if (secondary != 0) out.push_back(static_cast<char>(secondary));
  }
}

void CollationSortKeyHead(std::span<const std::uint8_t> key, std::span<std::uint8_t> out) {
  const std::size_t primaries = std::min(key.size(), out.size());
  for (std::size_t i = 0; i < primaries; ++i) out[i] = kDb852po0Primary[key[i]];
  std::size_t at = primaries;
  for (std::size_t i = 0; i < key.size() && at < out.size(); ++i) {
    const std::uint8_t secondary = kDb852po0Secondary[key[i]];
    if (secondary != 0) out[at++] = secondary;
  }
  std::fill(out.begin() + static_cast<std::ptrdiff_t>(at), out.end(), std::uint8_t{0});
}

std::uint8_t UpperCp852(std::uint8_t byte) {
  return kDb852po0Upper[byte];
}

}  // namespace konwerter::engine
