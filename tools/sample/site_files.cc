#include "tools/sample/site_files.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <utility>

namespace konwerter::tools::sample {

namespace {

SiteFolder FolderOf(const source::tables::TableLayout& table) {
  for (const SiteFolderInfo& info : SiteFolders()) {
    if (info.variable == table.variable) return info.folder;
  }
  throw std::invalid_argument("no site folder for " + std::string(table.variable));
}

std::string StoredName(std::string_view name, NameCase name_case) {
  std::string stored(name);
  if (name_case == NameCase::kUpper) {
    std::transform(stored.begin(), stored.end(), stored.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  }
  return stored;
}

}  // namespace

SiteFiles::SiteFiles(std::filesystem::path root, source::SourceEdition edition)
    : root_(std::move(root)), edition_(edition) {}

std::filesystem::path SiteFiles::PathOf(SiteFolder folder, std::string_view file) const {
  const std::filesystem::path directory = root_ / FolderInfo(folder).host_path;
  std::filesystem::create_directories(directory);
  return directory / file;
}

void SiteFiles::Note(const std::filesystem::path& path, SampleFileKind kind,
                     std::uint64_t records) {
  report_.files.push_back({path.lexically_relative(root_), kind, records});
  if (kind == SampleFileKind::kTable) report_.total_records += records;
}

SampleTable::SampleTable(SiteFiles& files, const source::tables::TableLayout& table,
                         NameCase name_case)
    : SampleTable(files, table, StoredName(table.file, name_case)) {}

SampleTable::SampleTable(SiteFiles& files, const source::tables::TableLayout& table,
                         std::string_view file_name)
    : files_(files),
      order_(table, files.edition()),
      path_(files.PathOf(FolderOf(table), file_name)),
      fields_(DosFieldsOf(table, files.edition())),
      writer_(path_, fields_) {}

SampleTable::~SampleTable() {
  try {
    Finish();
  } catch (...) {
    // A destructor must not throw; the caller that wants the error calls Finish().
  }
}

void SampleTable::Add(std::vector<FieldValue> values, bool deleted) {
  std::vector<std::string> ordered = order_.Arrange(std::move(values));
  for (std::size_t i = 0; i < ordered.size(); ++i) {
    if (ordered[i].size() > fields_[i].width) ordered[i].resize(fields_[i].width);
  }
  writer_.Add(ordered, deleted);
}

void SampleTable::Finish() {
  if (finished_) return;
  finished_ = true;
  writer_.Finish();
  files_.Note(path_, SampleFileKind::kTable, writer_.record_count());
}

std::string Whole(long long value, int width) {
  return DosNumber(static_cast<double>(value), width, 0);
}

std::string YesNo(bool value) {
  return value ? "T" : "F";
}

}  // namespace konwerter::tools::sample
