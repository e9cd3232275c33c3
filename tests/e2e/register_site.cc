#include "tests/e2e/register_site.h"

#include "tools/dos/dos_table_writer.h"
#include "tools/sample/cp852_text.h"

namespace konwerter::testing {

namespace fs = std::filesystem;
using tools::DosKey;
using tools::DosReference;
using tools::DosTableWriter;
using tools::sample::Cp852;

namespace {

fs::path Folder(const DosSite& site, std::string_view name) {
  const fs::path folder = site.folder(name);
  fs::create_directories(folder);
  return folder;
}

void WriteMovements(const fs::path& path, const std::vector<DosMovement>& movements) {
  DosTableWriter table(
      path, {{"ID_DOK", 'C', 4}, {"ID_OSOBY", 'C', 4}, {"D_WYP", 'C', 8}, {"D_ZWROTU", 'C', 8}});
  for (const DosMovement& m : movements) {
    table.Add({DosKey(m.id_dok), DosKey(m.id_osoby), m.d_wyp, m.d_zwrotu});
  }
}

void WriteCoded(const fs::path& path, const char* code, const char* name, int name_width,
                const char* short_code, const std::vector<DosCodedEntry>& entries) {
  DosTableWriter table(
      path,
      {{code, 'C', 2}, {name, 'C', static_cast<std::uint8_t>(name_width)}, {short_code, 'C', 2}});
  for (const DosCodedEntry& e : entries) {
    table.Add({DosReference(e.code), Cp852(e.name), Cp852(e.short_code)});
  }
}

void WriteLinks(const fs::path& path, const char* field, const std::vector<DosLink>& links) {
  DosTableWriter table(path, {{"ID_OPE", 'C', 4}, {field, 'C', 2}});
  for (const DosLink& link : links) table.Add({DosKey(link.id_ope), link.reference});
}

void WriteMapRegister(const fs::path& folder, const char* table_file, const char* key,
                      bool with_kind, const char* movements, const char* extents,
                      const DosMapRegister& data) {
  std::vector<tools::DosField> fields{{key, 'C', 4}};
  if (with_kind) fields.push_back({"SKR_DOK", 'C', 2});
  for (tools::DosField field : std::vector<tools::DosField>{{"CZLON_1", 'C', 4},
                                                            {"CZLON_2", 'C', 4},
                                                            {"CZLON_3", 'N', 6},
                                                            {"CZLON_4", 'C', 4},
                                                            {"ID_OSOBY", 'C', 4},
                                                            {"D_WYP", 'C', 8},
                                                            {"D_PLAN", 'C', 8},
                                                            {"ID_ZAM", 'C', 4},
                                                            {"UWAGI", 'C', 30}}) {
    fields.push_back(field);
  }
  DosTableWriter table(folder / table_file, fields);
  for (const DosMapDocument& d : data.documents) {
    std::vector<std::string> values{DosKey(d.key)};
    if (with_kind) values.push_back(DosReference(d.skr_dok));
    for (std::string value : {d.czlon_1, d.czlon_2, d.czlon_3, d.czlon_4, DosKey(d.id_osoby),
                              d.d_wyp, d.d_plan, DosKey(d.id_zam), Cp852(d.uwagi)}) {
      values.push_back(std::move(value));
    }
    table.Add(values);
  }
  table.Finish();
  WriteMovements(folder / movements, data.movements);
  WriteRasterExtents(folder / extents, data.extents);
}

struct OperatFiles {
  const char* folder;
  const char* operats;
  const char* assortments;
  const char* features;
  const char* movements;
  const char* extents;
};

constexpr OperatFiles kOperatFiles[] = {
    {"GOPEW", "opg.dbf", "asor_ew.dbf", "cechy_ew.dbf", "rg.dbf", nullptr},
    {"GOP", "oper_bu.dbf", "asor_bu.dbf", "cechy_bu.dbf", "ruch_bu.dbf", "ob_bu.dbf"},
    {"GOPP", "oper_p.dbf", "asor_p.dbf", "cechy_p.dbf", "ruch_p.dbf", "ob_rp.dbf"},
};

void WriteParcelLinks(const fs::path& folder, const DosOperats& data) {
  fs::remove(folder / "opnr.dbf");
  if (data.with_pairs) {
    DosTableWriter pairs(folder / "opnr.dbf",
                         {{"ID_OPE", 'C', 4}, {"ID_DZ1", 'C', 4}, {"ID_DZ2", 'C', 4}});
    for (const DosParcelPair& p : data.pairs) {
      pairs.Add({DosKey(p.id_ope), DosKey(p.id_dz1), DosKey(p.id_dz2)});
    }
  }
  DosTableWriter links(folder / "obdg.dbf",
                       {{"ID_OPE", 'C', 4}, {"ID_DZIALKI", 'C', 4}, {"PRZED_PO", 'C', 1}});
  for (const DosParcelLink& l : data.parcel_links) {
    links.Add({DosKey(l.id_ope), DosKey(l.id_dzialki), l.przed_po});
  }
}

}  // namespace

std::string LinkReference(std::uint16_t reference) {
  return DosReference(reference);
}

void WriteKmz(const DosSite& site, const DosKmz& data) {
  const fs::path folder = Folder(site, "GMAPAZ");
  DosTableWriter table(folder / "metryka.dbf", {{"ID_DOK", 'C', 4},
                                                {"SKR_DOK", 'C', 2},
                                                {"GODLO", 'C', 13},
                                                {"UKLAD", 'C', 1},
                                                {"NR_EWID", 'C', 15},
                                                {"SKR_OPIS", 'C', 2},
                                                {"D_ZAL", 'C', 8},
                                                {"D_AKT", 'C', 8},
                                                {"ID_OSOBY", 'C', 4},
                                                {"D_WYP", 'C', 8},
                                                {"D_PLAN", 'C', 8},
                                                {"ID_ZAM", 'C', 4},
                                                {"UWAGI", 'C', 30}});
  for (const DosKmzDocument& d : data.documents) {
    table.Add({DosKey(d.id_dok), DosReference(d.skr_dok), d.godlo, d.uklad, Cp852(d.nr_ewid),
               DosReference(d.skr_opis), d.d_zal, d.d_akt, DosKey(d.id_osoby), d.d_wyp, d.d_plan,
               DosKey(d.id_zam), Cp852(d.uwagi)});
  }
  table.Finish();
  WriteMovements(folder / "ruch_m.dbf", data.movements);
  WriteCoded(folder / "slownik.dbf", "SKR_OPIS", "OPIS", 50, "KOD_OPIS", data.descriptions);
  WriteCoded(folder / "ind_dok.dbf", "SKR_DOK", "NAZ_DOK", 15, "KOD_DOK", data.kinds);
}

void WriteKme(const DosSite& site, const DosMapRegister& data) {
  WriteMapRegister(Folder(site, "GMAPAE"), "m_ewid.dbf", "ID_EWID", true, "ruch_e.dbf", "ob_re.dbf",
                   data);
}

void WriteOutlines(const DosSite& site, const DosMapRegister& data) {
  WriteMapRegister(Folder(site, "GZARYSY"), "z_ewid.dbf", "ID_ZARYS", false, "ruch_z.dbf",
                   "ob_rz.dbf", data);
}

void WriteOperats(const DosSite& site, int kind, const DosOperats& data) {
  const OperatFiles& files = kOperatFiles[kind - 1];
  const fs::path folder = Folder(site, files.folder);
  std::vector<tools::DosField> fields{{"ID_OPE", 'C', 4}};
  fields.push_back(kind == 1 ? tools::DosField{"NRJEDNEWID", 'N', 3}
                             : tools::DosField{"RO_ROBOTY", 'C', 2});
  for (tools::DosField field : std::vector<tools::DosField>{{"CZLON_1", 'C', 4},
                                                            {"CZLON_2", 'C', 4},
                                                            {"CZLON_3", 'N', 6},
                                                            {"CZLON_4", 'C', 4},
                                                            {"ID_KERG", 'C', 4},
                                                            {"ID_OSOBY", 'C', 4},
                                                            {"D_WYP", 'C', 8},
                                                            {"D_PLAN", 'C', 8},
                                                            {"ID_ZAM", 'C', 4},
                                                            {"UWAGI", 'C', 30},
                                                            {"CYFR_ID", 'C', 44}}) {
    fields.push_back(field);
  }
  DosTableWriter table(folder / files.operats, fields);
  for (const DosOperat& o : data.operats) {
    table.Add({DosKey(o.id_ope), kind == 1 ? o.nrjednewid : DosReference(o.ro_roboty), o.czlon_1,
               o.czlon_2, o.czlon_3, o.czlon_4, DosKey(o.id_kerg), DosKey(o.id_osoby), o.d_wyp,
               o.d_plan, DosKey(o.id_zam), Cp852(o.uwagi), o.cyfr_id});
  }
  table.Finish();
  WriteLinks(folder / files.assortments, "ID_ASORT", data.assortment_links);
  WriteLinks(folder / files.features, "ID_CECHY", data.feature_links);
  WriteMovements(folder / files.movements, data.movements);
  if (kind == 1) WriteParcelLinks(folder, data);
  if (files.extents != nullptr) WriteRasterExtents(folder / files.extents, data.extents);
}

void WriteSketches(const DosSite& site, const DosSketches& data) {
  const fs::path folder = Folder(site, "GSZKICE");
  DosTableWriter table(folder / "szkice.dbf", {{"ID_SZKICU", 'C', 4},
                                               {"RO_ROBOTY", 'C', 2},
                                               {"NR_P_J", 'C', 3},
                                               {"NR_S_J", 'C', 5},
                                               {"NR_SZ", 'N', 6},
                                               {"ID_KERG", 'C', 4}});
  for (const DosSketch& s : data.sketches) {
    table.Add({DosKey(s.id_szkicu), DosReference(s.ro_roboty), s.nr_p_j, s.nr_s_j, s.nr_sz,
               DosKey(s.id_kerg)});
  }
  table.Finish();
  fs::remove(folder / "asor_sz.dbf");
  fs::remove(folder / "cechy_sz.dbf");
  if (data.with_links) {
    WriteLinks(folder / "asor_sz.dbf", "ID_ASORT", data.assortment_links);
    WriteLinks(folder / "cechy_sz.dbf", "ID_CECHY", data.feature_links);
  }
  WriteRasterExtents(folder / "ob_rs.dbf", data.extents);
}

void WriteEmptyRegisters(const DosSite& site) {
  WriteKmz(site, {});
  WriteKme(site, {});
  WriteOutlines(site, {});
  for (int kind = 1; kind <= 3; ++kind) WriteOperats(site, kind, {});
  WriteSketches(site, {});
}

void WriteRasterExtents(const fs::path& path, const std::vector<DosRasterExtent>& extents) {
  DosTableWriter table(
      path, {{"ID_ZAK", 'C', 4}, {"UKLAD", 'C', 1}, {"GODLO", 'C', 13}, {"RASTRY", 'C', 6}});
  for (const DosRasterExtent& e : extents) {
    table.Add({DosKey(e.id_zak), e.uklad, e.godlo, e.rastry});
  }
}

}  // namespace konwerter::testing
