#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/dos_site.h"
#include "tests/e2e/register_site.h"
#include "tools/dos/ntx_writer.h"

namespace konwerter::testing {

// The works register and its dictionaries on a hand-made DOS site. Texts are UTF-8 (stored
// as cp852); numbers are the texts stored in N fields ("" = blank).

struct DosWork {  // roboty.dbf of BDGROBOTY
  std::uint32_t id_kerg = 0;
  std::string jedn_seg, nr_porz = "1", rok = "2001", lp = "1", inna_nazwa;
  bool jestwkergu = false;
};

struct DosReportedWork {  // kerg.dbf of BDLZGLO
  std::uint32_t id_kerg = 0;
  std::string nr_g = "7", nr_wyk;
  std::uint32_t wykon = 0, zlecen = 0;
  std::string uwagi, pol_wl, d_p_zak, d_roz_p, d_prz_o = "20010203", opis;
};

struct DosQuantity {  // kergasor.dbf
  std::uint32_t id_rkerg = 0;
  std::uint16_t ro_roboty = 0;
  std::string wielkosc = "1.5";
};

struct DosCoveredParcel {  // obdg.dbf
  std::uint32_t id_ope = 0, id_dzialki = 0;
  std::string przed_po = "1";
};

struct DosCommune {  // gmina.dbf of BDGOSOBY
  std::uint16_t id = 0;
  std::string nr_w, nr_g, nazwa;
};

struct DosPrecinct {  // obreb.dbf
  std::uint32_t id_obr = 0;
  std::string nr_g, nr_obr, nazwa, kod_obr;
};

struct DosParcel {  // dz.dbf
  std::uint32_t id_dzialki = 0, id_obrebu = 0;
  std::string l_dzialki = "1", m_dzialki = "0", nr_arkusza = "1";
};

struct DosCoded {  // asortym.dbf (both), obsluga.dbf, cechy.dbf
  std::uint16_t id = 0;
  std::string code, name;
};

struct DosWorksFolders {
  std::vector<DosWork> works;
  std::vector<DosReportedWork> register_records;
  // kerg.ntx; by default one entry per register record, keyed by its id_kerg.
  std::optional<std::vector<tools::NtxEntry>> register_index;
  std::vector<DosQuantity> quantities;
  std::vector<DosCoveredParcel> covered;
  std::vector<DosRasterExtent> extents;
  std::vector<DosCommune> communes;
  std::vector<DosPrecinct> precincts;
  std::vector<DosParcel> parcels;
  std::vector<DosCoded> work_assortments, order_assortments, services;
  std::optional<std::vector<DosCoded>> features;  // nullopt: no cechy.dbf
};

// Writes kerg.dbf with kerg.ntx, kergasor.dbf, obdg.dbf and ob_rr.dbf into the folder.
void WriteWorksRegister(const std::filesystem::path& folder, const DosWorksFolders& data);

// Writes the tables into the site's folders, replacing the small tables the site holds
// only for sizing. Call before the run is prepared.
void WriteWorksFolders(const DosSite& site, const DosWorksFolders& data);

}  // namespace konwerter::testing
