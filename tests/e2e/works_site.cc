#include "tests/e2e/works_site.h"

#include <filesystem>

#include "source/table_catalogue.h"
#include "tools/dos/catalogue_table_writer.h"
#include "tools/sample/cp852_text.h"

namespace konwerter::testing {

namespace fs = std::filesystem;
namespace tables = source::tables;
using tools::CatalogueTableWriter;
using tools::DosKey;
using tools::DosReference;
using tools::sample::Cp852;

namespace {

// A coded dictionary: its own reference, the code and the name, by their fields.
void WriteCoded(const fs::path& folder, const tables::TableLayout& layout, std::string_view key,
                std::string_view code, std::string_view name,
                const std::vector<DosCoded>& entries) {
  CatalogueTableWriter table(folder, layout);
  for (const DosCoded& e : entries) {
    table.Add({{key, DosReference(e.id)}, {code, Cp852(e.code)}, {name, Cp852(e.name)}});
  }
}

}  // namespace

void WriteWorksRegister(const fs::path& folder, const DosWorksFolders& data) {
  CatalogueTableWriter kerg(folder, tables::kKerg);
  std::vector<tools::NtxEntry> index;
  for (const DosReportedWork& r : data.register_records) {
    kerg.Add({{"ID_KERG", DosKey(r.id_kerg)},
              {"NR_G", r.nr_g},
              {"NR_WYK", Cp852(r.nr_wyk)},
              {"WYKON", DosKey(r.wykon)},
              {"ZLECEN", DosKey(r.zlecen)},
              {"UWAGI", Cp852(r.uwagi)},
              {"POL_WL", Cp852(r.pol_wl)},
              {"D_P_ZAK", r.d_p_zak},
              {"D_ROZ_P", r.d_roz_p},
              {"D_PRZ_O", r.d_prz_o},
              {"OPIS", Cp852(r.opis)}});
    index.push_back({DosKey(r.id_kerg), kerg.record_count()});
  }
  tools::WriteNtx(folder / "kerg.ntx", {4, "ID_KERG"}, data.register_index.value_or(index));

  CatalogueTableWriter quantities(folder, tables::kKergasor);
  for (const DosQuantity& q : data.quantities) {
    quantities.Add({{"ID_RKERG", DosKey(q.id_rkerg)},
                    {"RO_ROBOTY", DosReference(q.ro_roboty)},
                    {"WIELKOSC", q.wielkosc}});
  }
  CatalogueTableWriter covered(folder, tables::kZgloObdg);
  for (const DosCoveredParcel& c : data.covered) {
    covered.Add({{"ID_OPE", DosKey(c.id_ope)},
                 {"ID_DZIALKI", DosKey(c.id_dzialki)},
                 {"PRZED_PO", c.przed_po}});
  }
  WriteRasterExtents(folder, tables::kObRr, data.extents);
}

namespace {

void WriteWorkList(const fs::path& folder, const DosWorksFolders& data) {
  CatalogueTableWriter roboty(folder, tables::kRoboty);
  for (const DosWork& w : data.works) {
    roboty.Add({{"ID_KERG", DosKey(w.id_kerg)},
                {"JEDN_SEG", w.jedn_seg},
                {"NR_PORZ", w.nr_porz},
                {"ROK", w.rok},
                {"LP", w.lp},
                {"INNA_NAZWA", Cp852(w.inna_nazwa)},
                {"JESTWKERGU", w.jestwkergu ? "T" : "F"}});
  }
  CatalogueTableWriter obreb(folder, tables::kObreb);
  for (const DosPrecinct& p : data.precincts) {
    obreb.Add({{"ID_OBR", DosKey(p.id_obr)},
               {"NR_G", p.nr_g},
               {"NR_OBR", p.nr_obr},
               {"NAZWA", Cp852(p.nazwa)},
               {"KOD_OBR", p.kod_obr}});
  }
  CatalogueTableWriter dz(folder, tables::kDz);
  for (const DosParcel& p : data.parcels) {
    dz.Add({{"ID_DZIALKI", DosKey(p.id_dzialki)},
            {"ID_OBREBU", DosKey(p.id_obrebu)},
            {"L_DZIALKI", p.l_dzialki},
            {"M_DZIALKI", p.m_dzialki},
            {"NR_ARKUSZA", p.nr_arkusza}});
  }
  fs::remove(folder / tables::kCechy.file);
  if (data.features) {
    WriteCoded(folder, tables::kCechy, "ID_CECHY", "CECHA", "NAZ_CECHY", *data.features);
  }
}

}  // namespace

void WriteWorksFolders(const DosSite& site, const DosWorksFolders& data) {
  WriteWorkList(site.folder("groboty"), data);
  const fs::path register_folder = site.folder("LZGLO");
  WriteWorksRegister(register_folder, data);
  WriteCoded(register_folder, tables::kZgloAsortym, "ID_ASORT", "ASORT", "NAZWA_A",
             data.work_assortments);
  const fs::path orders = site.folder("LZLEC");
  WriteCoded(orders, tables::kZlecAsortym, "ID_ASORT", "ASORT", "NAZWA_A", data.order_assortments);
  WriteCoded(orders, tables::kObsluga, "ID_OBSLUGA", "OBSLUGA", "NAZW_IMIE", data.services);

  CatalogueTableWriter gmina(site.persons_folder(), tables::kGmina);
  for (const DosCommune& c : data.communes) {
    gmina.Add({{"ID", DosReference(c.id)},
               {"NR_W", c.nr_w},
               {"NR_G", c.nr_g},
               {"NAZWA", Cp852(c.nazwa)}});
  }
}

}  // namespace konwerter::testing
