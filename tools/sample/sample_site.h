#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace konwerter::tools {

// What to generate: a whole DOS site of the TEROKAN DOS edition under `output`.
struct SampleSiteOptions {
  std::filesystem::path output;
  int scale = 1;           // 1 = a small site of a few thousand records; size grows linearly
  std::uint32_t seed = 1;  // the same seed gives the same bytes
  // The earlier edition of the orders: no cechy.dbf in the works folder, order cards with
  // the logical fakt_vat instead of typ_dok, settlement lines without nr_poz.
  bool earlier_orders_edition = false;
  // kerg.ntx as old sites have it: one entry lost and one leading to the neighbouring
  // record. Off: an index that matches its table.
  bool stale_work_index = true;
};

enum class SampleFileKind { kTable, kIndex, kMemoryFile, kOther };

// One file written, with the records it holds (a table's records, an index's keys, a
// memory file's variables, 0 for other files).
struct SampleFileReport {
  std::filesystem::path path;  // relative to the output folder
  SampleFileKind kind = SampleFileKind::kTable;
  std::uint64_t records = 0;
};

struct SampleSiteReport {
  std::vector<SampleFileReport> files;  // in the order they were written
  std::uint64_t total_records = 0;      // the records of all tables
};

// Writes the DOS site: `SYSTEM` with users.dbf, bdglobal.mem, dom.mem and polskie.lit, and
// every folder the directory variables of bdglobal.mem name, with the tables, indexes and
// memory files the DOS edition keeps there. Text is Polish, in code page 852. The result
// depends on the options alone (no clock, fixed header dates).
// REQUIRES: scale >= 1 (otherwise std::invalid_argument); a non-empty output path. Folders
// are created as needed; files already there are overwritten. Throws platform::IoError when
// a file cannot be written.
SampleSiteReport GenerateSampleSite(const SampleSiteOptions& options);

}  // namespace konwerter::tools
