#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/sample/site_files.h"
#include "tools/sample/site_random.h"

namespace konwerter::tools::sample {

// What the domains written first offer the domains that refer to them.
struct SiteModel {
  std::vector<std::uint32_t> persons;    // DOS keys of persons in osoby.dbf
  std::vector<std::uint32_t> works;      // DOS keys of works in roboty.dbf
  std::vector<std::uint32_t> parcels;    // DOS keys of parcels in dz.dbf
  std::vector<std::uint32_t> precincts;  // DOS keys of precincts in obreb.dbf
  std::uint32_t kerg_records = 0;        // records of kerg.dbf
  std::uint16_t assortments = 0;         // records of asortym.dbf of the works register
  std::uint16_t features = 0;            // records of cechy.dbf
  std::uint16_t order_assortments = 0;   // records of asortym.dbf of the orders folder
  std::uint16_t services = 0;            // records of obsluga.dbf
  std::uint16_t document_kinds = 0;      // records of ind_dok.dbf
  std::uint16_t descriptions = 0;        // records of slownik.dbf
  std::uint32_t order_cards = 0;         // records of kart_zam.dbf
  std::uint32_t settlements = 0;         // records of rozlicz.dbf
  std::uint32_t receipts = 0;            // records of nrkp.dbf
  std::uint32_t coefficients = 0;        // records of opis_wsp.dbf
  std::uint32_t deliveries = 0;          // records of dostawy.dbf
  std::vector<int> map_kinds;            // nr_romap of ind_map.dbf
};

// Everything a domain writer works with.
struct SiteContext {
  SiteFiles& files;
  SiteRandom& random;
  SiteModel& model;
  int scale = 1;
  bool earlier_orders_edition = false;  // see SampleSiteOptions
  bool stale_work_index = true;         // see SampleSiteOptions

  // `per_scale` records for every unit of scale.
  std::uint32_t Count(std::uint32_t per_scale) const { return per_scale * scale; }
  // The same, kept below the 65535 records that a 2-byte record reference can reach.
  std::uint32_t ReferableCount(std::uint32_t per_scale) const;
};

// Keys for `count` records the way a long-used DOS site has them: ascending, with gaps
// where records were deleted over the years, so that the last keys lie well above the
// record count; and a few keys far above everything.
std::vector<std::uint32_t> KeyHistory(SiteRandom& random, std::uint32_t count);

// A random element of the keys as a stored DOS key, or 0 (not set) with the given chance.
std::string KeyOf(SiteRandom& random, const std::vector<std::uint32_t>& keys,
                  int unset_percent = 3);
// A 1-based record reference to one of `count` records, or 0 with the given chance.
std::string ReferenceTo(SiteRandom& random, std::uint32_t count, int unset_percent = 3);

// The values of the DOS key fields that do not count as set.
inline constexpr std::uint32_t kSpacesKey = 0x20202020;
inline constexpr std::uint32_t kNoKey = 0xFFFFFFFF;
inline constexpr std::uint16_t kNoReference = 0xFFFF;

// A valid date text of the years the DOS edition was in use.
std::string SomeDate(SiteRandom& random, int first_year = 1992, int last_year = 2004);
// The same in `percent` of the cases, otherwise an empty date.
std::string MaybeDate(SiteRandom& random, int percent);
// A date kept in a character field: as MaybeDate, but now and then a day that does not
// exist (31 February), as typed into the DOS edition.
std::string DateText(SiteRandom& random, int percent);

}  // namespace konwerter::tools::sample
