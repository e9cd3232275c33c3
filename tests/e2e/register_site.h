#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "source/table_catalogue.h"
#include "tests/e2e/dos_site.h"

namespace konwerter::testing {

// The map-documentation side of a hand-made DOS site. Texts are UTF-8 (stored as cp852);
// dates are DOS date texts "YYYYMMDD"; keys and references are numbers, written as the DOS
// edition stores them.

// A loan movement: the document by its record number in the register source.
struct DosMovement {
  std::uint32_t id_dok = 0, id_osoby = 0;
  std::string d_wyp{}, d_zwrotu{};
};

// A row of a raster-extent table (ob_r?.dbf): `rastry` is the raw coverage bits.
struct DosRasterExtent {
  std::uint32_t id_zak = 0;
  std::string uklad = "6", godlo = "4.125.12", rastry = std::string(6, '\0');
};

// Writes a raster-extent table (ob_re.dbf, ob_rr.dbf, ...) into the folder.
void WriteRasterExtents(const std::filesystem::path& folder,
                        const source::tables::TableLayout& layout,
                        const std::vector<DosRasterExtent>& extents);

// KMZ (BDGMAPAZ): metryka.dbf, ruch_m.dbf, slownik.dbf, ind_dok.dbf.
struct DosKmzDocument {
  std::uint32_t id_dok = 0;
  std::uint16_t skr_dok = 0, skr_opis = 0;
  std::string godlo{}, uklad = "6", nr_ewid{}, d_zal{}, d_akt{};
  std::uint32_t id_osoby = 0;
  std::string d_wyp{}, d_plan{};
  std::uint32_t id_zam = 0;
  std::string uwagi{};
};
struct DosCodedEntry {  // slownik.dbf or ind_dok.dbf
  std::uint16_t code = 0;
  std::string name{}, short_code{};
};
struct DosKmz {
  std::vector<DosKmzDocument> documents;
  std::vector<DosMovement> movements;
  std::vector<DosCodedEntry> descriptions, kinds;
};

// KME (BDGMAPAE) or outlines (BDGZARYSY): the register, its movements, its raster extents.
struct DosMapDocument {
  std::uint32_t key = 0;
  std::uint16_t skr_dok = 0;                               // KME only
  std::string czlon_1{}, czlon_2{}, czlon_3{}, czlon_4{};  // czlon_3 as the N(6) field's text
  std::uint32_t id_osoby = 0;
  std::string d_wyp{}, d_plan{};
  std::uint32_t id_zam = 0;
  std::string uwagi{};
};
struct DosMapRegister {
  std::vector<DosMapDocument> documents;
  std::vector<DosMovement> movements;
  std::vector<DosRasterExtent> extents;
};

// Operats of one kind (BDGOPEW, BDGOP, BDGOPP).
struct DosOperat {
  std::uint32_t id_ope = 0;
  std::string nrjednewid{};     // kind 1: the N(3) field's text
  std::uint16_t ro_roboty = 0;  // kinds 2 and 3
  std::string czlon_1{}, czlon_2{}, czlon_3{}, czlon_4{};
  std::uint32_t id_kerg = 0, id_osoby = 0;
  std::string d_wyp{}, d_plan{};
  std::uint32_t id_zam = 0;
  std::string uwagi{}, cyfr_id{};
};
struct DosLink {  // an assortment or feature link: the raw 2 bytes of the reference
  std::uint32_t id_ope = 0;
  std::string reference{};
};
struct DosParcelPair {
  std::uint32_t id_ope = 0, id_dz1 = 0, id_dz2 = 0;
};
struct DosParcelLink {
  std::uint32_t id_ope = 0, id_dzialki = 0;
  std::string przed_po{};
};
struct DosOperats {
  std::vector<DosOperat> operats;
  std::vector<DosLink> assortment_links, feature_links;
  std::vector<DosMovement> movements;
  std::vector<DosParcelPair> pairs;  // kind 1
  bool with_pairs = true;            // kind 1: whether opnr.dbf exists
  std::vector<DosParcelLink> parcel_links;
  std::vector<DosRasterExtent> extents;  // kinds 2 and 3
};

// Field sketches (BDGSZKICE).
struct DosSketch {
  std::uint32_t id_szkicu = 0;
  std::uint16_t ro_roboty = 0;
  std::string nr_p_j{}, nr_s_j{}, nr_sz{};
  std::uint32_t id_kerg = 0;
};
struct DosSketches {
  std::vector<DosSketch> sketches;
  std::vector<DosLink> assortment_links, feature_links;
  bool with_links = true;  // whether asor_sz.dbf and cechy_sz.dbf exist
  std::vector<DosRasterExtent> extents;
};

// A reference as the DOS edition stores it in a link table.
std::string LinkReference(std::uint16_t reference);

// Each writes the whole source folder of its register, replacing what is there.
void WriteKmz(const DosSite& site, const DosKmz& data);
void WriteKme(const DosSite& site, const DosMapRegister& data);
void WriteOutlines(const DosSite& site, const DosMapRegister& data);
void WriteOperats(const DosSite& site, int kind, const DosOperats& data);
void WriteSketches(const DosSite& site, const DosSketches& data);

// Every register folder with empty tables, so that a whole run gets through them.
void WriteEmptyRegisters(const DosSite& site);

}  // namespace konwerter::testing
