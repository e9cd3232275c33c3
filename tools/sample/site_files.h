#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "source/source_edition.h"
#include "source/table_catalogue.h"
#include "tools/dos/catalogue_table_writer.h"
#include "tools/dos/dos_table_writer.h"
#include "tools/sample/sample_site.h"
#include "tools/sample/site_folders.h"

namespace konwerter::tools::sample {

// The site's root folder, the edition of its tables, and the list of files written so far.
class SiteFiles {
 public:
  SiteFiles(std::filesystem::path root, source::SourceEdition edition);

  // The path of `file` in `folder`, creating the folder when missing.
  std::filesystem::path PathOf(SiteFolder folder, std::string_view file) const;
  // Adds a written file to the report; the records of tables count toward the total.
  void Note(const std::filesystem::path& path, SampleFileKind kind, std::uint64_t records);

  const std::filesystem::path& root() const { return root_; }
  source::SourceEdition edition() const { return edition_; }
  const SampleSiteReport& report() const { return report_; }

 private:
  std::filesystem::path root_;
  source::SourceEdition edition_;
  SampleSiteReport report_;
};

// The letter case of a table's file name as the site stores it: DOS finds its files
// whatever the case, and old sites hold both.
enum class NameCase { kAsCatalogued, kUpper };

// A DOS table of the source catalogue being written into the folder of its directory
// variable, in the layout of the site's edition; noted in the report when finished.
class SampleTable {
 public:
  SampleTable(SiteFiles& files, const source::tables::TableLayout& table,
              NameCase name_case = NameCase::kAsCatalogued);
  // A table whose file name the catalogue leaves open (lok_p<system>.dbf), stored as
  // `file_name`.
  SampleTable(SiteFiles& files, const source::tables::TableLayout& table,
              std::string_view file_name);
  SampleTable(const SampleTable&) = delete;
  SampleTable& operator=(const SampleTable&) = delete;
  ~SampleTable();  // finishes the table if Finish() was not called

  // Adds a record from values by field name; see FieldOrder::Arrange. Values longer than
  // their field are cut to its width, as Clipper's REPLACE cuts them.
  void Add(std::vector<FieldValue> values, bool deleted = false);
  // Finishes the file and notes it in the report. Later calls do nothing.
  void Finish();

  // Records added so far; the 1-based number of the last record added.
  std::uint32_t count() const { return writer_.record_count(); }

 private:
  SiteFiles& files_;
  FieldOrder order_;
  std::filesystem::path path_;
  std::vector<DosField> fields_;
  DosTableWriter writer_;
  bool finished_ = false;
};

// A whole number as an N field of that width holds it.
std::string Whole(long long value, int width);
// The logical field's byte.
std::string YesNo(bool value);

}  // namespace konwerter::tools::sample
