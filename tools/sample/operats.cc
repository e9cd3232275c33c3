// BDGOPEW, BDGOP, BDGOPP: the registers of operats (register, base-and-use, transitional)
// with their loan movements and their links to assortments, features and parcels.

#include <string>
#include <vector>

#include "source/table_catalogue.h"
#include "tools/dos/dos_table_writer.h"
#include "tools/sample/cp852_text.h"
#include "tools/sample/movements.h"
#include "tools/sample/raster_extents.h"
#include "tools/sample/site_domains.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

namespace {

namespace tables = source::tables;

struct OperatKind {
  const tables::TableLayout& operats;
  NameCase operats_case;
  const tables::TableLayout& assortments;
  const tables::TableLayout& features;
  const tables::TableLayout& movements;
  NameCase movements_case;
  const tables::TableLayout* extents;  // nullptr: the register keeps no raster extents
  bool register_kind;                  // kind 1: commune unit and parcel links
  std::uint32_t per_scale;
};

// The digital identifier of an operat: 44 characters in the DOS edition, some shorter.
std::string DigitalId(SiteRandom& random, std::size_t record) {
  std::string id = "P.1210." + std::to_string(1992 + record % 13) + "." + std::to_string(record);
  if (random.Percent(50)) {
    while (id.size() < 44) id += static_cast<char>('0' + random.Below(10));
  }
  return id;
}

std::vector<FieldValue> OperatRecord(SiteContext& site, const OperatKind& kind, std::size_t i,
                                     std::uint32_t key) {
  SiteRandom& random = site.random;
  const bool lent = random.Percent(25);
  std::vector<FieldValue> values{{"ID_OPE", DosKey(i % 73 == 17 ? 0 : key)}};
  if (kind.register_kind) {
    values.push_back(
        {"NRJEDNEWID", i % 89 == 4 ? std::string() : Whole(Communes()[random.Below(8)].number, 3)});
  } else {
    values.push_back({"RO_ROBOTY", ReferenceTo(random, site.model.assortments, 10)});
  }
  const std::string commune = i % 83 == 6 ? std::string(4, '\xFF') : CommuneSegment(random);
  for (FieldValue value :
       {FieldValue{"CZLON_1", commune},
        FieldValue{"CZLON_2", std::to_string(random.Between(1, 30))},
        FieldValue{"CZLON_3", Whole(static_cast<long long>(i % 999999 + 1), 6)},
        FieldValue{"CZLON_4", std::string(random.Percent(90) ? "" : "B")},
        FieldValue{"ID_KERG", KeyOf(random, site.model.works, 30)},
        FieldValue{"ID_OSOBY", lent ? KeyOf(random, site.model.persons, 0) : DosKey(0)},
        FieldValue{"D_WYP", lent ? SomeDate(random) : ""},
        FieldValue{"D_PLAN", lent ? DateText(random, 80) : ""},
        FieldValue{"ID_ZAM", KeyOf(random, site.model.works, 80)},
        FieldValue{"UWAGI", Cp852(random.Pick(Remarks()))},
        FieldValue{"CYFR_ID", DigitalId(random, i)}}) {
    values.push_back(std::move(value));
  }
  return values;
}

void WriteLinks(SiteContext& site, const OperatKind& kind, std::uint32_t operats) {
  SiteRandom& random = site.random;
  SampleTable assortments(site.files, kind.assortments);
  SampleTable features(site.files, kind.features);
  for (std::uint32_t operat = 1; operat <= operats; ++operat) {
    for (int i = random.Between(0, 2); i > 0; --i) {
      assortments.Add(
          {{"ID_OPE", DosKey(operat)},
           {"ID_ASORT", random.Percent(3) ? "  " : ReferenceTo(random, site.model.assortments)}});
    }
    for (int i = random.Between(0, 2); i > 0; --i) {
      features.Add(
          {{"ID_OPE", DosKey(operat)}, {"ID_CECHY", ReferenceTo(random, site.model.features)}});
    }
  }
  assortments.Add({{"ID_OPE", DosKey(0)}, {"ID_ASORT", DosReference(1)}});
  features.Add({{"ID_OPE", DosKey(operats + 200)}, {"ID_CECHY", DosReference(1)}});
  assortments.Finish();
  features.Finish();
}

// Kind 1: parcels before and after a change, as pairs (opnr.dbf) and as single links.
void WriteParcelLinks(SiteContext& site, std::uint32_t operats) {
  SiteRandom& random = site.random;
  SampleTable pairs(site.files, tables::kOpnr);
  SampleTable links(site.files, tables::kOpewObdg, NameCase::kUpper);
  const auto link = [&](std::uint32_t operat, std::string parcel, std::string przed_po) {
    links.Add({{"ID_OPE", DosKey(operat)},
               {"ID_DZIALKI", std::move(parcel)},
               {"PRZED_PO", std::move(przed_po)}});
  };
  for (std::uint32_t operat = 1; operat <= operats; ++operat) {
    if (!random.Percent(50)) continue;
    for (int i = random.Between(0, 2); i > 0; --i) {
      const std::string before = KeyOf(random, site.model.parcels, 0);
      const std::string after = KeyOf(random, site.model.parcels, 0);
      pairs.Add({{"ID_OPE", DosKey(operat)}, {"ID_DZ1", before}, {"ID_DZ2", after}});
      // The DOS edition also keeps the parts of a pair as single links.
      link(operat, before, "0");
      link(operat, after, "1");
    }
    for (int i = random.Between(0, 2); i > 0; --i) {
      const std::string parcel = KeyOf(random, site.model.parcels, 0);
      link(operat, parcel, random.Percent(50) ? "0" : "1");
    }
  }
  link(0, KeyOf(random, site.model.parcels, 0), "0");
  pairs.Finish();
  links.Finish();
}

void WriteKind(SiteContext& site, const OperatKind& kind) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, kind.operats, kind.operats_case);
  const std::vector<std::uint32_t> keys = KeyHistory(random, site.Count(kind.per_scale));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    table.Add(OperatRecord(site, kind, i, keys[i]), random.Percent(2));
  }
  table.Finish();
  WriteLinks(site, kind, table.count());
  WriteLoanMovements(site, kind.movements, table.count(), kind.movements_case);
  if (kind.register_kind) WriteParcelLinks(site, table.count());
  if (kind.extents != nullptr) WriteRasterExtents(site, *kind.extents, table.count());
}

}  // namespace

void WriteOperats(SiteContext& site) {
  constexpr NameCase kLower = NameCase::kAsCatalogued;
  constexpr NameCase kUpper = NameCase::kUpper;
  WriteKind(site, {tables::kOpg, kLower, tables::kAsorEw, tables::kCechyEw, tables::kRg, kUpper,
                   nullptr, true, 300});
  WriteKind(site, {tables::kOperBu, kLower, tables::kAsorBu, tables::kCechyBu, tables::kRuchBu,
                   kLower, &tables::kObBu, false, 200});
  WriteKind(site, {tables::kOperP, kUpper, tables::kAsorP, tables::kCechyP, tables::kRuchP, kLower,
                   &tables::kObRp, false, 200});
}

}  // namespace konwerter::tools::sample
