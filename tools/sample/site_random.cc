#include "tools/sample/site_random.h"

namespace konwerter::tools::sample {

std::uint64_t SiteRandom::Next() {
  state_ += 0x9E3779B97F4A7C15ULL;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::uint32_t SiteRandom::Below(std::uint32_t bound) {
  return static_cast<std::uint32_t>(Next() % bound);
}

int SiteRandom::Between(int low, int high) {
  const auto span = static_cast<std::uint32_t>(high - low) + 1;
  return low + static_cast<int>(Below(span));
}

bool SiteRandom::Percent(int chance) {
  return Below(100) < static_cast<std::uint32_t>(chance);
}

}  // namespace konwerter::tools::sample
