#include "tests/e2e/works_site.h"

#include <filesystem>

#include "tools/dos/dos_table_writer.h"
#include "tools/sample/cp852_text.h"

namespace konwerter::testing {

namespace fs = std::filesystem;
using tools::DosKey;
using tools::DosReference;
using tools::DosTableWriter;
using tools::sample::Cp852;

namespace {

void WriteCoded(const fs::path& path, const char* key, const char* code, const char* name,
                std::uint8_t name_width, const std::vector<DosCoded>& entries) {
  DosTableWriter table(path, {{key, 'C', 2}, {code, 'C', 2}, {name, 'C', name_width}});
  for (const DosCoded& e : entries) table.Add({DosReference(e.id), Cp852(e.code), Cp852(e.name)});
}

}  // namespace

void WriteWorksRegister(const fs::path& folder, const DosWorksFolders& data) {
  DosTableWriter kerg(folder / "kerg.dbf", {{"ID_KERG", 'C', 4},
                                            {"NR_G", 'N', 3},
                                            {"NR_WYK", 'C', 15},
                                            {"WYKON", 'C', 4},
                                            {"ZLECEN", 'C', 4},
                                            {"UWAGI", 'C', 50},
                                            {"POL_WL", 'C', 60},
                                            {"D_P_ZAK", 'C', 8},
                                            {"D_ROZ_P", 'C', 8},
                                            {"D_PRZ_O", 'C', 8},
                                            {"OPIS", 'C', 80}});
  std::vector<tools::NtxEntry> index;
  for (const DosReportedWork& r : data.register_records) {
    kerg.Add({DosKey(r.id_kerg), r.nr_g, Cp852(r.nr_wyk), DosKey(r.wykon), DosKey(r.zlecen),
              Cp852(r.uwagi), Cp852(r.pol_wl), r.d_p_zak, r.d_roz_p, r.d_prz_o, Cp852(r.opis)});
    index.push_back({DosKey(r.id_kerg), kerg.record_count()});
  }
  tools::WriteNtx(folder / "kerg.ntx", {4, "ID_KERG"}, data.register_index.value_or(index));

  DosTableWriter quantities(
      folder / "kergasor.dbf",
      {{"ID_RKERG", 'C', 4}, {"RO_ROBOTY", 'C', 2}, {"WIELKOSC", 'N', 10, 4}});
  for (const DosQuantity& q : data.quantities) {
    quantities.Add({DosKey(q.id_rkerg), DosReference(q.ro_roboty), q.wielkosc});
  }
  DosTableWriter covered(folder / "obdg.dbf",
                         {{"ID_OPE", 'C', 4}, {"ID_DZIALKI", 'C', 4}, {"PRZED_PO", 'C', 1}});
  for (const DosCoveredParcel& c : data.covered) {
    covered.Add({DosKey(c.id_ope), DosKey(c.id_dzialki), c.przed_po});
  }
  WriteRasterExtents(folder / "ob_rr.dbf", data.extents);
}

namespace {

void WriteWorkList(const fs::path& folder, const DosWorksFolders& data) {
  DosTableWriter roboty(folder / "roboty.dbf", {{"ID_KERG", 'C', 4},
                                                {"JEDN_SEG", 'C', 4},
                                                {"NR_PORZ", 'N', 5},
                                                {"ROK", 'N', 4},
                                                {"LP", 'N', 4},
                                                {"INNA_NAZWA", 'C', 20},
                                                {"JESTWKERGU", 'L', 1}});
  for (const DosWork& w : data.works) {
    roboty.Add({DosKey(w.id_kerg), w.jedn_seg, w.nr_porz, w.rok, w.lp, Cp852(w.inna_nazwa),
                w.jestwkergu ? "T" : "F"});
  }
  DosTableWriter obreb(folder / "obreb.dbf", {{"ID_OBR", 'C', 4},
                                              {"NR_G", 'C', 5},
                                              {"NR_OBR", 'C', 4},
                                              {"NAZWA", 'C', 30},
                                              {"KOD_OBR", 'C', 2}});
  for (const DosPrecinct& p : data.precincts) {
    obreb.Add({DosKey(p.id_obr), p.nr_g, p.nr_obr, Cp852(p.nazwa), p.kod_obr});
  }
  DosTableWriter dz(folder / "dz.dbf", {{"ID_DZIALKI", 'C', 4},
                                        {"ID_OBREBU", 'C', 4},
                                        {"L_DZIALKI", 'N', 6},
                                        {"M_DZIALKI", 'N', 4},
                                        {"NR_ARKUSZA", 'N', 3}});
  for (const DosParcel& p : data.parcels) {
    dz.Add({DosKey(p.id_dzialki), DosKey(p.id_obrebu), p.l_dzialki, p.m_dzialki, p.nr_arkusza});
  }
  fs::remove(folder / "cechy.dbf");
  if (data.features) {
    WriteCoded(folder / "cechy.dbf", "ID_CECHY", "CECHA", "NAZ_CECHY", 60, *data.features);
  }
}

}  // namespace

void WriteWorksFolders(const DosSite& site, const DosWorksFolders& data) {
  WriteWorkList(site.folder("groboty"), data);
  const fs::path register_folder = site.folder("LZGLO");
  WriteWorksRegister(register_folder, data);
  WriteCoded(register_folder / "asortym.dbf", "ID_ASORT", "ASORT", "NAZWA_A", 60,
             data.work_assortments);
  const fs::path orders = site.folder("LZLEC");
  WriteCoded(orders / "asortym.dbf", "ID_ASORT", "ASORT", "NAZWA_A", 60, data.order_assortments);
  WriteCoded(orders / "obsluga.dbf", "ID_OBSLUGA", "OBSLUGA", "NAZW_IMIE", 30, data.services);

  DosTableWriter gmina(site.persons_folder() / "gmina.dbf",
                       {{"ID", 'C', 2}, {"NR_W", 'N', 2}, {"NR_G", 'N', 3}, {"NAZWA", 'C', 25}});
  for (const DosCommune& c : data.communes) {
    gmina.Add({DosReference(c.id), c.nr_w, c.nr_g, Cp852(c.nazwa)});
  }
}

}  // namespace konwerter::testing
