// BDGOPEW, BDGOP, BDGOPP: the registers of operats (register, base-and-use, transitional)
// with their loan movements and their links to assortments, features and parcels.

#include <string>
#include <vector>

#include "tools/dos/dos_table_writer.h"
#include "tools/sample/cp852_text.h"
#include "tools/sample/movements.h"
#include "tools/sample/raster_extents.h"
#include "tools/sample/site_domains.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

namespace {

struct OperatKind {
  SiteFolder folder;
  const char* operats;
  const char* assortments;
  const char* features;
  const char* movements;
  const char* extents;  // nullptr: the register keeps no raster extents
  bool register_kind;   // kind 1: commune unit and parcel links
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

std::vector<std::string> OperatRecord(SiteContext& site, const OperatKind& kind, std::size_t i,
                                      std::uint32_t key) {
  SiteRandom& random = site.random;
  const bool lent = random.Percent(25);
  std::vector<std::string> values{DosKey(i % 73 == 17 ? 0 : key)};
  values.push_back(kind.register_kind ? (i % 89 == 4 ? std::string()
                                                     : Whole(Communes()[random.Below(8)].number, 3))
                                      : ReferenceTo(random, site.model.assortments, 10));
  const std::string commune = i % 83 == 6 ? std::string(4, '\xFF') : CommuneSegment(random);
  for (std::string value :
       {commune, std::to_string(random.Between(1, 30)),
        Whole(static_cast<long long>(i % 999999 + 1), 6),
        std::string(random.Percent(90) ? "" : "B"), KeyOf(random, site.model.works, 30),
        lent ? KeyOf(random, site.model.persons, 0) : DosKey(0), lent ? SomeDate(random) : "",
        lent ? DateText(random, 80) : "", KeyOf(random, site.model.works, 80),
        Cp852(random.Pick(Remarks())), DigitalId(random, i)}) {
    values.push_back(std::move(value));
  }
  return values;
}

void WriteLinks(SiteContext& site, const OperatKind& kind, std::uint32_t operats) {
  SiteRandom& random = site.random;
  SampleTable assortments(site.files, kind.folder, kind.assortments,
                          {Text("ID_OPE", 4), Text("ID_ASORT", 2)});
  SampleTable features(site.files, kind.folder, kind.features,
                       {Text("ID_OPE", 4), Text("ID_CECHY", 2)});
  for (std::uint32_t operat = 1; operat <= operats; ++operat) {
    for (int i = random.Between(0, 2); i > 0; --i) {
      assortments.Add(
          {DosKey(operat), random.Percent(3) ? "  " : ReferenceTo(random, site.model.assortments)});
    }
    for (int i = random.Between(0, 2); i > 0; --i) {
      features.Add({DosKey(operat), ReferenceTo(random, site.model.features)});
    }
  }
  assortments.Add({DosKey(0), DosReference(1)});
  features.Add({DosKey(operats + 200), DosReference(1)});
  assortments.Finish();
  features.Finish();
}

// Kind 1: parcels before and after a change, as pairs (opnr.dbf) and as single links.
void WriteParcelLinks(SiteContext& site, const OperatKind& kind, std::uint32_t operats) {
  SiteRandom& random = site.random;
  SampleTable pairs(site.files, kind.folder, "opnr.dbf",
                    {Text("ID_OPE", 4), Text("ID_DZ1", 4), Text("ID_DZ2", 4)});
  SampleTable links(site.files, kind.folder, "OBDG.DBF",
                    {Text("ID_OPE", 4), Text("ID_DZIALKI", 4), Text("PRZED_PO", 1)});
  for (std::uint32_t operat = 1; operat <= operats; ++operat) {
    if (!random.Percent(50)) continue;
    for (int i = random.Between(0, 2); i > 0; --i) {
      const std::string before = KeyOf(random, site.model.parcels, 0);
      const std::string after = KeyOf(random, site.model.parcels, 0);
      pairs.Add({DosKey(operat), before, after});
      // The DOS edition also keeps the parts of a pair as single links.
      links.Add({DosKey(operat), before, "0"});
      links.Add({DosKey(operat), after, "1"});
    }
    for (int i = random.Between(0, 2); i > 0; --i) {
      links.Add(
          {DosKey(operat), KeyOf(random, site.model.parcels, 0), random.Percent(50) ? "0" : "1"});
    }
  }
  links.Add({DosKey(0), KeyOf(random, site.model.parcels, 0), "0"});
  pairs.Finish();
  links.Finish();
}

void WriteKind(SiteContext& site, const OperatKind& kind) {
  SiteRandom& random = site.random;
  std::vector<DosField> fields{Text("ID_OPE", 4),
                               kind.register_kind ? Number("NRJEDNEWID", 3) : Text("RO_ROBOTY", 2)};
  for (DosField field :
       {Text("CZLON_1", 4), Text("CZLON_2", 4), Number("CZLON_3", 6), Text("CZLON_4", 4),
        Text("ID_KERG", 4), Text("ID_OSOBY", 4), Text("D_WYP", 8), Text("D_PLAN", 8),
        Text("ID_ZAM", 4), Text("UWAGI", 30), Text("CYFR_ID", 44)}) {
    fields.push_back(std::move(field));
  }
  SampleTable table(site.files, kind.folder, kind.operats, std::move(fields));
  const std::vector<std::uint32_t> keys = KeyHistory(random, site.Count(kind.per_scale));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    table.Add(OperatRecord(site, kind, i, keys[i]), random.Percent(2));
  }
  table.Finish();
  WriteLinks(site, kind, table.count());
  WriteLoanMovements(site, kind.folder, kind.movements, table.count());
  if (kind.register_kind) WriteParcelLinks(site, kind, table.count());
  if (kind.extents != nullptr) WriteRasterExtents(site, kind.folder, kind.extents, table.count());
}

}  // namespace

void WriteOperats(SiteContext& site) {
  WriteKind(site, {SiteFolder::kOperatsEw, "opg.dbf", "asor_ew.dbf", "cechy_ew.dbf", "RG.DBF",
                   nullptr, true, 300});
  WriteKind(site, {SiteFolder::kOperatsBu, "oper_bu.dbf", "asor_bu.dbf", "cechy_bu.dbf",
                   "ruch_bu.dbf", "ob_bu.dbf", false, 200});
  WriteKind(site, {SiteFolder::kOperatsP, "OPER_P.DBF", "asor_p.dbf", "cechy_p.dbf", "ruch_p.dbf",
                   "ob_rp.dbf", false, 200});
}

}  // namespace konwerter::tools::sample
