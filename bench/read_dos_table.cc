// Reads a large DOS table front to back through the source table reader, every field bound
// as text, and sets its speed beside `cat FILE >/dev/null` (warm cache) and the Python
// library dbfread iterating the same file.
//
// Usage: read_dos_table [records (1000000)] [folder (the system's temporary folder)]
//                       [dbfread sample records (100000)]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "source/source_tables.h"
#include "tools/dos/dos_table_writer.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A table shaped like the DOS edition's registers: names, binary keys, dates, amounts.
void WriteTable(const fs::path& path, std::uint32_t records) {
  using konwerter::tools::DosField;
  konwerter::tools::DosTableWriter writer(path, {{"NAZWISKO", 'C', 30},
                                                 {"IMIE", 'C', 20},
                                                 {"KOD", 'C', 4},
                                                 {"REF", 'C', 2},
                                                 {"D_WYP", 'D', 8},
                                                 {"KWOTA", 'N', 10, 2},
                                                 {"ILE", 'N', 5},
                                                 {"AKT", 'L', 1},
                                                 {"UWAGI", 'C', 40}});
  for (std::uint32_t i = 0; i < records; ++i) {
    writer.Add({"Kowalski \x9D\xA2\x64\xAB " + std::to_string(i % 977), "Jan",
                konwerter::tools::DosKey(i), konwerter::tools::DosReference(i % 65000),
                konwerter::tools::DosDate(1990 + i % 20, 1 + i % 12, 1 + i % 28),
                konwerter::tools::DosNumber((i % 100000) / 100.0, 10, 2),
                konwerter::tools::DosNumber(i % 1000, 5), i % 2 ? "T" : "F",
                i % 5 ? "" : "uwagi do rekordu"},
               i % 50 == 0);
  }
  writer.Finish();
}

// Reads every record; returns the seconds taken (and a checksum, so nothing is skipped).
double ReadWithSourceTables(const fs::path& path, std::size_t& checksum) {
  konwerter::source::CodePages pages;
  pages.source = konwerter::source::kCp852Page;
  konwerter::source::SourceTables tables(pages);
  const Clock::time_point start = Clock::now();
  const auto table = tables.Open(konwerter::platform::Cp1250FromUtf8(path.string()));
  if (table == 0) {
    std::cerr << "cannot open " << path << " (status " << tables.status() << ")\n";
    std::exit(1);
  }
  tables.SetReadAhead(table, 32000);
  const auto info = tables.Describe(table);
  std::vector<std::string> values(info->fields.size());
  for (std::size_t i = 0; i < values.size(); ++i) tables.BindText(info->fields[i].name, &values[i]);
  while (!tables.AtEnd(table)) {
    tables.ReadRecord(table);
    checksum += values[0].size() + values.back().size();
    tables.NextRecord(table);
  }
  tables.CloseAll();
  return SecondsSince(start);
}

double TimeCommand(const std::string& command) {
  const Clock::time_point start = Clock::now();
  if (std::system(command.c_str()) != 0) {
    std::cerr << "failed: " << command << "\n";
    return -1;
  }
  return SecondsSince(start);
}

// dbfread iterating the first `sample` records; the seconds it reports for them.
double DbfreadSeconds(const fs::path& path, std::uint32_t sample) {
  const std::string command =
      "/usr/bin/python3 -c 'import sys, time, itertools, dbfread\n"
      "t = dbfread.DBF(sys.argv[1], encoding=\"cp852\", ignore_missing_memofile=True)\n"
      "s = time.perf_counter()\n"
      "n = sum(1 for _ in itertools.islice(t, int(sys.argv[2])))\n"
      "print(time.perf_counter() - s)' '" +
      path.string() + "' " + std::to_string(sample);
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  double seconds = -1;
  if (std::fscanf(pipe, "%lf", &seconds) != 1) seconds = -1;
  ::pclose(pipe);
  return seconds;
}

void Report(const char* what, double seconds, double records, double bytes) {
  std::printf("%-34s %8.3f s %12.0f records/s %9.1f MB/s\n", what, seconds, records / seconds,
              bytes / seconds / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  const std::uint32_t records =
      argc > 1 ? static_cast<std::uint32_t>(std::stoul(argv[1])) : 1000000;
  const fs::path folder = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path();
  const std::uint32_t sample = argc > 3 ? static_cast<std::uint32_t>(std::stoul(argv[3])) : 100000;
  const fs::path path = folder / "benchosoby.dbf";

  Clock::time_point start = Clock::now();
  WriteTable(path, records);
  const auto bytes = static_cast<double>(fs::file_size(path));
  std::printf("table: %u records, %.1f MB, written in %.2f s\n", records, bytes / 1e6,
              SecondsSince(start));

  const std::string cat = "cat '" + path.string() + "' >/dev/null";
  TimeCommand(cat);  // warm the cache
  double cat_seconds = 1e9;
  for (int i = 0; i < 3; ++i) cat_seconds = std::min(cat_seconds, TimeCommand(cat));

  std::size_t checksum = 0;
  double reader_seconds = 1e9;
  for (int i = 0; i < 3; ++i)
    reader_seconds = std::min(reader_seconds, ReadWithSourceTables(path, checksum));

  const std::uint32_t dbfread_records = std::min(sample, records);
  const double dbfread_sample = DbfreadSeconds(path, dbfread_records);
  const double dbfread_seconds = dbfread_sample * records / dbfread_records;

  Report("cat (warm cache)", cat_seconds, records, bytes);
  Report("source table reader, all as text", reader_seconds, records, bytes);
  if (dbfread_sample > 0) {
    Report("dbfread (extrapolated)", dbfread_seconds, records, bytes);
    std::printf("dbfread sample: %u records in %.3f s\n", dbfread_records, dbfread_sample);
  } else {
    std::printf("dbfread: not available\n");
  }
  std::printf("reader / cat: %.2f   reader / dbfread: %.1fx   (checksum %zu)\n",
              cat_seconds / reader_seconds,
              dbfread_sample > 0 ? dbfread_seconds / reader_seconds : 0.0, checksum);
  fs::remove(path);
  return 0;
}
