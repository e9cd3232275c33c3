#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/dos/dos_table_writer.h"
#include "tools/sample/sample_site.h"
#include "tools/sample/site_folders.h"

namespace konwerter::tools::sample {

// The site's root folder and the list of files written so far.
class SiteFiles {
 public:
  explicit SiteFiles(std::filesystem::path root);

  // The path of `file` in `folder`, creating the folder when missing.
  std::filesystem::path PathOf(SiteFolder folder, std::string_view file) const;
  // Adds a written file to the report; the records of tables count toward the total.
  void Note(const std::filesystem::path& path, SampleFileKind kind, std::uint64_t records);

  const std::filesystem::path& root() const { return root_; }
  const SampleSiteReport& report() const { return report_; }

 private:
  std::filesystem::path root_;
  SampleSiteReport report_;
};

// A DOS table being written into the site; noted in the report when finished.
class SampleTable {
 public:
  SampleTable(SiteFiles& files, SiteFolder folder, std::string_view file_name,
              std::vector<DosField> fields);
  SampleTable(const SampleTable&) = delete;
  SampleTable& operator=(const SampleTable&) = delete;
  ~SampleTable();  // finishes the table if Finish() was not called

  // Adds a record; see DosTableWriter::Add. Values longer than their field are cut to its
  // width, as Clipper's REPLACE cuts them.
  void Add(std::vector<std::string> values, bool deleted = false);
  // Finishes the file and notes it in the report. Later calls do nothing.
  void Finish();

  // Records added so far; the 1-based number of the last record added.
  std::uint32_t count() const { return writer_.record_count(); }

 private:
  SiteFiles& files_;
  std::filesystem::path path_;
  std::vector<std::uint8_t> widths_;
  DosTableWriter writer_;
  bool finished_ = false;
};

// A character field of the given width; a binary DOS key (4) or dictionary reference (2)
// is a character field too.
DosField Text(std::string name, std::uint8_t width);
DosField Number(std::string name, std::uint8_t width, std::uint8_t decimals = 0);
// A Clipper date field (D, "YYYYMMDD"); dates that may be invalid go into Text(name, 8).
DosField Date(std::string name);
DosField Logical(std::string name);

// A whole number as an N field of that width holds it.
std::string Whole(long long value, int width);
// The logical field's byte.
std::string YesNo(bool value);

}  // namespace konwerter::tools::sample
