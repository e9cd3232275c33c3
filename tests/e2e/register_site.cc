#include "tests/e2e/register_site.h"

#include "source/table_catalogue.h"
#include "tools/dos/catalogue_table_writer.h"
#include "tools/dos/dos_table_writer.h"
#include "tools/sample/cp852_text.h"

namespace konwerter::testing {

namespace fs = std::filesystem;
namespace tables = source::tables;
using tools::CatalogueTableWriter;
using tools::DosKey;
using tools::DosReference;
using tools::FieldValue;
using tools::sample::Cp852;

namespace {

fs::path Folder(const DosSite& site, std::string_view name) {
  const fs::path folder = site.folder(name);
  fs::create_directories(folder);
  return folder;
}

void WriteMovements(const fs::path& folder, const tables::TableLayout& layout,
                    const std::vector<DosMovement>& movements) {
  CatalogueTableWriter table(folder, layout);
  for (const DosMovement& m : movements) {
    table.Add({{"ID_DOK", DosKey(m.id_dok)},
               {"ID_OSOBY", DosKey(m.id_osoby)},
               {"D_WYP", m.d_wyp},
               {"D_ZWROTU", m.d_zwrotu}});
  }
}

// slownik.dbf or ind_dok.dbf: the code, the name and the short code, by their fields.
void WriteCoded(const fs::path& folder, const tables::TableLayout& layout, std::string_view code,
                std::string_view name, std::string_view short_code,
                const std::vector<DosCodedEntry>& entries) {
  CatalogueTableWriter table(folder, layout);
  for (const DosCodedEntry& e : entries) {
    table.Add(
        {{code, DosReference(e.code)}, {name, Cp852(e.name)}, {short_code, Cp852(e.short_code)}});
  }
}

void WriteLinks(const fs::path& folder, const tables::TableLayout& layout, std::string_view field,
                const std::vector<DosLink>& links) {
  CatalogueTableWriter table(folder, layout);
  for (const DosLink& link : links) {
    table.Add({{"ID_OPE", DosKey(link.id_ope)}, {field, link.reference}});
  }
}

struct MapRegisterFiles {
  const char* folder;
  const tables::TableLayout& documents;
  const char* key;
  bool with_kind;
  const tables::TableLayout& movements;
  const tables::TableLayout& extents;
};

void WriteMapRegister(const DosSite& site, const MapRegisterFiles& files,
                      const DosMapRegister& data) {
  const fs::path folder = Folder(site, files.folder);
  CatalogueTableWriter table(folder, files.documents);
  for (const DosMapDocument& d : data.documents) {
    std::vector<FieldValue> values{{files.key, DosKey(d.key)}};
    if (files.with_kind) values.push_back({"SKR_DOK", DosReference(d.skr_dok)});
    for (FieldValue value :
         {FieldValue{"CZLON_1", d.czlon_1}, FieldValue{"CZLON_2", d.czlon_2},
          FieldValue{"CZLON_3", d.czlon_3}, FieldValue{"CZLON_4", d.czlon_4},
          FieldValue{"ID_OSOBY", DosKey(d.id_osoby)}, FieldValue{"D_WYP", d.d_wyp},
          FieldValue{"D_PLAN", d.d_plan}, FieldValue{"ID_ZAM", DosKey(d.id_zam)},
          FieldValue{"UWAGI", Cp852(d.uwagi)}}) {
      values.push_back(std::move(value));
    }
    table.Add(values);
  }
  table.Finish();
  WriteMovements(folder, files.movements, data.movements);
  WriteRasterExtents(folder, files.extents, data.extents);
}

struct OperatFiles {
  const char* folder;
  const tables::TableLayout& operats;
  const tables::TableLayout& assortments;
  const tables::TableLayout& features;
  const tables::TableLayout& movements;
  const tables::TableLayout* extents;
};

const OperatFiles kOperatFiles[] = {
    {"GOPEW", tables::kOpg, tables::kAsorEw, tables::kCechyEw, tables::kRg, nullptr},
    {"GOP", tables::kOperBu, tables::kAsorBu, tables::kCechyBu, tables::kRuchBu, &tables::kObBu},
    {"GOPP", tables::kOperP, tables::kAsorP, tables::kCechyP, tables::kRuchP, &tables::kObRp},
};

void WriteParcelLinks(const fs::path& folder, const DosOperats& data) {
  fs::remove(folder / tables::kOpnr.file);
  if (data.with_pairs) {
    CatalogueTableWriter pairs(folder, tables::kOpnr);
    for (const DosParcelPair& p : data.pairs) {
      pairs.Add({{"ID_OPE", DosKey(p.id_ope)},
                 {"ID_DZ1", DosKey(p.id_dz1)},
                 {"ID_DZ2", DosKey(p.id_dz2)}});
    }
  }
  CatalogueTableWriter links(folder, tables::kOpewObdg);
  for (const DosParcelLink& l : data.parcel_links) {
    links.Add({{"ID_OPE", DosKey(l.id_ope)},
               {"ID_DZIALKI", DosKey(l.id_dzialki)},
               {"PRZED_PO", l.przed_po}});
  }
}

}  // namespace

std::string LinkReference(std::uint16_t reference) {
  return DosReference(reference);
}

void WriteKmz(const DosSite& site, const DosKmz& data) {
  const fs::path folder = Folder(site, "GMAPAZ");
  CatalogueTableWriter table(folder, tables::kMetryka);
  for (const DosKmzDocument& d : data.documents) {
    table.Add({{"ID_DOK", DosKey(d.id_dok)},
               {"SKR_DOK", DosReference(d.skr_dok)},
               {"GODLO", d.godlo},
               {"UKLAD", d.uklad},
               {"NR_EWID", Cp852(d.nr_ewid)},
               {"SKR_OPIS", DosReference(d.skr_opis)},
               {"D_ZAL", d.d_zal},
               {"D_AKT", d.d_akt},
               {"ID_OSOBY", DosKey(d.id_osoby)},
               {"D_WYP", d.d_wyp},
               {"D_PLAN", d.d_plan},
               {"ID_ZAM", DosKey(d.id_zam)},
               {"UWAGI", Cp852(d.uwagi)}});
  }
  table.Finish();
  WriteMovements(folder, tables::kRuchM, data.movements);
  WriteCoded(folder, tables::kSlownik, "SKR_OPIS", "OPIS", "KOD_OPIS", data.descriptions);
  WriteCoded(folder, tables::kIndDok, "SKR_DOK", "NAZ_DOK", "KOD_DOK", data.kinds);
}

void WriteKme(const DosSite& site, const DosMapRegister& data) {
  WriteMapRegister(site, {"GMAPAE", tables::kMEwid, "ID_EWID", true, tables::kRuchE, tables::kObRe},
                   data);
}

void WriteOutlines(const DosSite& site, const DosMapRegister& data) {
  WriteMapRegister(
      site, {"GZARYSY", tables::kZEwid, "ID_ZARYS", false, tables::kRuchZ, tables::kObRz}, data);
}

void WriteOperats(const DosSite& site, int kind, const DosOperats& data) {
  const OperatFiles& files = kOperatFiles[kind - 1];
  const fs::path folder = Folder(site, files.folder);
  CatalogueTableWriter table(folder, files.operats);
  for (const DosOperat& o : data.operats) {
    table.Add({{"ID_OPE", DosKey(o.id_ope)},
               {kind == 1 ? "NRJEDNEWID" : "RO_ROBOTY",
                kind == 1 ? o.nrjednewid : DosReference(o.ro_roboty)},
               {"CZLON_1", o.czlon_1},
               {"CZLON_2", o.czlon_2},
               {"CZLON_3", o.czlon_3},
               {"CZLON_4", o.czlon_4},
               {"ID_KERG", DosKey(o.id_kerg)},
               {"ID_OSOBY", DosKey(o.id_osoby)},
               {"D_WYP", o.d_wyp},
               {"D_PLAN", o.d_plan},
               {"ID_ZAM", DosKey(o.id_zam)},
               {"UWAGI", Cp852(o.uwagi)},
               {"CYFR_ID", o.cyfr_id}});
  }
  table.Finish();
  WriteLinks(folder, files.assortments, "ID_ASORT", data.assortment_links);
  WriteLinks(folder, files.features, "ID_CECHY", data.feature_links);
  WriteMovements(folder, files.movements, data.movements);
  if (kind == 1) WriteParcelLinks(folder, data);
  if (files.extents != nullptr) WriteRasterExtents(folder, *files.extents, data.extents);
}

void WriteSketches(const DosSite& site, const DosSketches& data) {
  const fs::path folder = Folder(site, "GSZKICE");
  CatalogueTableWriter table(folder, tables::kSzkice);
  for (const DosSketch& s : data.sketches) {
    table.Add({{"ID_SZKICU", DosKey(s.id_szkicu)},
               {"RO_ROBOTY", DosReference(s.ro_roboty)},
               {"NR_P_J", s.nr_p_j},
               {"NR_S_J", s.nr_s_j},
               {"NR_SZ", s.nr_sz},
               {"ID_KERG", DosKey(s.id_kerg)}});
  }
  table.Finish();
  fs::remove(folder / tables::kAsorSz.file);
  fs::remove(folder / tables::kCechySz.file);
  if (data.with_links) {
    WriteLinks(folder, tables::kAsorSz, "ID_ASORT", data.assortment_links);
    WriteLinks(folder, tables::kCechySz, "ID_CECHY", data.feature_links);
  }
  WriteRasterExtents(folder, tables::kObRs, data.extents);
}

void WriteEmptyRegisters(const DosSite& site) {
  WriteKmz(site, {});
  WriteKme(site, {});
  WriteOutlines(site, {});
  for (int kind = 1; kind <= 3; ++kind) WriteOperats(site, kind, {});
  WriteSketches(site, {});
}

void WriteRasterExtents(const fs::path& folder, const tables::TableLayout& layout,
                        const std::vector<DosRasterExtent>& extents) {
  CatalogueTableWriter table(folder, layout);
  for (const DosRasterExtent& e : extents) {
    table.Add({{"ID_ZAK", DosKey(e.id_zak)},
               {"UKLAD", e.uklad},
               {"GODLO", e.godlo},
               {"RASTRY", e.rastry}});
  }
}

}  // namespace konwerter::testing
