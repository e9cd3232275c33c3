#pragma once

#include <cstdint>
#include <span>

namespace konwerter::tools::sample {

// A small deterministic random source (SplitMix64). The standard distributions are left
// out on purpose: their results differ between library implementations, and the sample
// site must give the same bytes everywhere for the same seed.
class SiteRandom {
 public:
  explicit SiteRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next();
  // A number in [0, bound). REQUIRES: bound > 0.
  std::uint32_t Below(std::uint32_t bound);
  // A number in [low, high]. REQUIRES: low <= high.
  int Between(int low, int high);
  // True with the given chance in percent.
  bool Percent(int chance);

  // One element of a non-empty span.
  template <typename T>
  const T& Pick(std::span<const T> items) {
    return items[Below(static_cast<std::uint32_t>(items.size()))];
  }

 private:
  std::uint64_t state_;
};

}  // namespace konwerter::tools::sample
