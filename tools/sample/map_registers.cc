// BDGMAPAZ, BDGMAPAE, BDGZARYSY: the map documentation register (KMZ), the KME register and
// the register of outlines, each with its loan movements.

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

// The fields of a dictionary whose records carry a code that is only tested for being set:
// the code, the name and the short code.
struct CodedFields {
  std::string_view code, name, short_code;
};

std::uint16_t WriteCodedTable(
    SiteContext& site, const tables::TableLayout& layout, NameCase name_case,
    const CodedFields& fields,
    const std::vector<std::pair<std::string_view, std::string_view>>& rows) {
  SampleTable table(site.files, layout, name_case);
  for (const auto& [name, code] : rows) {
    const auto record = static_cast<std::uint16_t>(table.count() + 1);
    table.Add({{fields.code, DosReference(record == 3 ? 0 : record)},
               {fields.name, Cp852(name)},
               {fields.short_code, Cp852(code)}});
  }
  table.Finish();
  return static_cast<std::uint16_t>(table.count());
}

void WriteKmz(SiteContext& site) {
  SiteRandom& random = site.random;
  site.model.descriptions = WriteCodedTable(site, tables::kSlownik, NameCase::kAsCatalogued,
                                            {"SKR_OPIS", "OPIS", "KOD_OPIS"},
                                            {{"mapa zasadnicza", "MZ"},
                                             {"mapa ewidencyjna", "ME"},
                                             {"opis nieaktualny", "XX"},
                                             {"mapa sytuacyjno-wysokościowa", "SW"},
                                             {"mapa uzbrojenia terenu", "UT"},
                                             {"mapa klasyfikacyjna gleb", "KG"},
                                             {"szkic przeglądowy", "SP"}});
  site.model.document_kinds =
      WriteCodedTable(site, tables::kIndDok, NameCase::kUpper, {"SKR_DOK", "NAZ_DOK", "KOD_DOK"},
                      {{"oryginał", "OR"},
                       {"kopia", "KO"},
                       {"nieużywany", "NU"},
                       {"matryca", "MA"},
                       {"diapozytyw", "DI"},
                       {"odbitka", "OD"}});
  SampleTable table(site.files, tables::kMetryka);
  const std::vector<std::uint32_t> keys = KeyHistory(random, site.Count(250));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const bool lent = random.Percent(30);
    std::string system = random.Percent(95) ? "6" : "a";
    if (i % 61 == 9) system = "\xFF";  // a record the DOS edition marked as cancelled
    table.Add({{"ID_DOK", DosKey(i % 71 == 13 ? 0 : keys[i])},
               {"SKR_DOK", ReferenceTo(random, site.model.document_kinds)},
               {"GODLO", SomeSheet(random)},
               {"UKLAD", system},
               {"NR_EWID", "KMZ-" + std::to_string(i + 1)},
               {"SKR_OPIS", ReferenceTo(random, site.model.descriptions)},
               {"D_ZAL", DateText(random, 95)},
               {"D_AKT", DateText(random, 40)},
               {"ID_OSOBY", lent ? KeyOf(random, site.model.persons, 0) : DosKey(0)},
               {"D_WYP", lent ? SomeDate(random) : ""},
               {"D_PLAN", lent ? DateText(random, 80) : ""},
               {"ID_ZAM", KeyOf(random, site.model.works, 60)},
               {"UWAGI", Cp852(random.Pick(Remarks()))}},
              random.Percent(2));
  }
  table.Finish();
  WriteLoanMovements(site, tables::kRuchM, table.count());
}

struct Register {
  const tables::TableLayout& table;
  NameCase name_case;
  std::string_view key;
  bool with_kind;
  const tables::TableLayout& movements;
  const tables::TableLayout& extents;
  std::uint32_t per_scale;
};

void WriteRegister(SiteContext& site, const Register& definition) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, definition.table, definition.name_case);
  const std::vector<std::uint32_t> keys = KeyHistory(random, site.Count(definition.per_scale));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const bool lent = random.Percent(25);
    std::vector<FieldValue> values{{definition.key, DosKey(i % 67 == 11 ? kSpacesKey : keys[i])}};
    if (definition.with_kind) {
      values.push_back({"SKR_DOK", ReferenceTo(random, site.model.document_kinds)});
    }
    const std::string commune = i % 59 == 7 ? std::string(4, '\xFF') : CommuneSegment(random);
    for (FieldValue value :
         {FieldValue{"CZLON_1", commune},
          FieldValue{"CZLON_2", std::string(random.Percent(80) ? "1" : "2")},
          FieldValue{"CZLON_3", Whole(static_cast<long long>(i % 999999 + 1), 6)},
          FieldValue{"CZLON_4", std::string(random.Percent(90) ? "" : "A")},
          FieldValue{"ID_OSOBY", lent ? KeyOf(random, site.model.persons, 0) : DosKey(0)},
          FieldValue{"D_WYP", lent ? SomeDate(random) : ""},
          FieldValue{"D_PLAN", lent ? DateText(random, 80) : ""},
          FieldValue{"ID_ZAM", KeyOf(random, site.model.works, 70)},
          FieldValue{"UWAGI", Cp852(random.Pick(Remarks()))}}) {
      values.push_back(std::move(value));
    }
    table.Add(std::move(values), random.Percent(2));
  }
  table.Finish();
  WriteLoanMovements(site, definition.movements, table.count());
  WriteRasterExtents(site, definition.extents, table.count());
}

}  // namespace

void WriteMapRegisters(SiteContext& site) {
  WriteKmz(site);
  WriteRegister(site, {tables::kMEwid, NameCase::kUpper, "ID_EWID", true, tables::kRuchE,
                       tables::kObRe, 250});
  WriteRegister(site, {tables::kZEwid, NameCase::kAsCatalogued, "ID_ZARYS", false, tables::kRuchZ,
                       tables::kObRz, 200});
}

}  // namespace konwerter::tools::sample
