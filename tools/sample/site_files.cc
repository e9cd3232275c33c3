#include "tools/sample/site_files.h"

#include <utility>

namespace konwerter::tools::sample {

SiteFiles::SiteFiles(std::filesystem::path root) : root_(std::move(root)) {}

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

SampleTable::SampleTable(SiteFiles& files, SiteFolder folder, std::string_view file_name,
                         std::vector<DosField> fields)
    : files_(files), path_(files.PathOf(folder, file_name)), writer_(path_, fields) {
  for (const DosField& field : fields) widths_.push_back(field.width);
}

SampleTable::~SampleTable() {
  try {
    Finish();
  } catch (...) {
    // A destructor must not throw; the caller that wants the error calls Finish().
  }
}

void SampleTable::Add(std::vector<std::string> values, bool deleted) {
  for (std::size_t i = 0; i < values.size() && i < widths_.size(); ++i) {
    if (values[i].size() > widths_[i]) values[i].resize(widths_[i]);
  }
  writer_.Add(values, deleted);
}

void SampleTable::Finish() {
  if (finished_) return;
  finished_ = true;
  writer_.Finish();
  files_.Note(path_, SampleFileKind::kTable, writer_.record_count());
}

DosField Text(std::string name, std::uint8_t width) {
  return {std::move(name), 'C', width, 0};
}

DosField Number(std::string name, std::uint8_t width, std::uint8_t decimals) {
  return {std::move(name), 'N', width, decimals};
}

DosField Date(std::string name) {
  return {std::move(name), 'D', 8, 0};
}

DosField Logical(std::string name) {
  return {std::move(name), 'L', 1, 0};
}

std::string Whole(long long value, int width) {
  return DosNumber(static_cast<double>(value), width, 0);
}

std::string YesNo(bool value) {
  return value ? "T" : "F";
}

}  // namespace konwerter::tools::sample
