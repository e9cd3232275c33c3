#include "tools/sample/site_context.h"

#include <algorithm>

#include "tools/dos/dos_table_writer.h"

namespace konwerter::tools::sample {

std::uint32_t SiteContext::ReferableCount(std::uint32_t per_scale) const {
  return std::min<std::uint32_t>(Count(per_scale), 65000);
}

std::vector<std::uint32_t> KeyHistory(SiteRandom& random, std::uint32_t count) {
  std::vector<std::uint32_t> keys;
  keys.reserve(count);
  std::uint32_t key = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    key += random.Percent(20) ? static_cast<std::uint32_t>(random.Between(2, 6)) : 1;
    keys.push_back(i + 3 >= count ? key + 70000 + i : key);
  }
  return keys;
}

std::string KeyOf(SiteRandom& random, const std::vector<std::uint32_t>& keys, int unset_percent) {
  if (keys.empty() || random.Percent(unset_percent)) return DosKey(0);
  return DosKey(keys[random.Below(static_cast<std::uint32_t>(keys.size()))]);
}

std::string ReferenceTo(SiteRandom& random, std::uint32_t count, int unset_percent) {
  if (count == 0 || random.Percent(unset_percent)) return DosReference(0);
  return DosReference(static_cast<std::uint16_t>(1 + random.Below(count)));
}

std::string SomeDate(SiteRandom& random, int first_year, int last_year) {
  return DosDate(random.Between(first_year, last_year), random.Between(1, 12),
                 random.Between(1, 28));
}

std::string MaybeDate(SiteRandom& random, int percent) {
  return random.Percent(percent) ? SomeDate(random) : std::string();
}

std::string DateText(SiteRandom& random, int percent) {
  if (random.Percent(1)) return DosDate(random.Between(1995, 2003), 2, 31);
  return MaybeDate(random, percent);
}

}  // namespace konwerter::tools::sample
