#include "settings/coordinate_systems.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/cp1250_case.h"
#include "platform/dos_path.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "run/catalogue.h"
#include "run/messages.h"
#include "run/prechecks.h"
#include "run/run_context.h"
#include "settings/coordinate_system_65.h"

namespace konwerter::settings {

namespace {

constexpr std::string_view kMarkerExtension = ".MEM";
constexpr std::string_view kWorksVariable = "BDGROBOTY";
// Section sizes are metres; anything beyond this is damage, and could not be written whole.
constexpr double kLargestSize = 1e12;

// System names are the marker file names without extension: "65" or a single character.
std::vector<std::string> SystemNames(const std::string& works_folder) {
  std::vector<std::string> names;
  for (const std::string& file : platform::ListFiles(works_folder)) {
    const std::string upper = platform::ToUpperCp1250(file);
    if (upper.size() < kMarkerExtension.size() ||
        upper.compare(upper.size() - kMarkerExtension.size(), kMarkerExtension.size(),
                      kMarkerExtension) != 0) {
      continue;
    }
    const std::string name = upper.substr(0, upper.size() - kMarkerExtension.size());
    if (name == "65" || name.size() == 1) names.push_back(name);
  }
  return names;
}

// A leading decimal number of a line: blanks skipped, optional sign, digits with an
// optional fraction. Nothing when the line does not begin with one.
std::optional<double> LeadingNumber(const std::string& line) {
  std::size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos) return std::nullopt;
  const std::size_t start = at;
  if (line[at] == '+' || line[at] == '-') ++at;
  const std::size_t digits = at;
  while (at < line.size() && std::isdigit(static_cast<unsigned char>(line[at]))) ++at;
  bool any_digit = at > digits;
  if (at < line.size() && line[at] == '.') {
    ++at;
    while (at < line.size() && std::isdigit(static_cast<unsigned char>(line[at]))) {
      ++at;
      any_digit = true;
    }
  }
  if (!any_digit) return std::nullopt;
  const bool plus = line[start] == '+';
  double value = 0;
  const auto [end, error] =
      std::from_chars(line.data() + start + (plus ? 1 : 0), line.data() + at, value);
  // A size that no whole number of the description can hold is no size.
  if (error != std::errc() || !(std::fabs(value) <= kLargestSize)) return std::nullopt;
  return value;
}

std::string Rounded(double value) {
  return std::to_string(static_cast<long long>(std::round(value)));
}

// The lines of one system's .def file, built and then written at once.
class Description {
 public:
  void Add(const std::string& line) { text_.append(line).append("\r\n"); }
  void Write(const std::string& path) const {
    platform::File file = platform::File::Create(platform::HostPath(path));
    file.Write({reinterpret_cast<const std::uint8_t*>(text_.data()), text_.size()});
  }

 private:
  std::string text_;
};

class SystemConverter {
 public:
  SystemConverter(run::RunContext& context, std::string name)
      : context_(context), name_(std::move(name)) {}

  // Builds the description; false when it cannot be completed.
  bool Build(Description& description);
  // The file that kept the description from being completed, as the host names it.
  const std::string& faulty_file() const { return faulty_file_; }

 private:
  bool CopyDosDescription(Description& description);
  bool AddCorners(Description& description);
  // The corner table is there but cannot be read or lacks a field: a warning says why.
  void LeaveOutCorners(const run::Failure& failure);

  run::RunContext& context_;
  std::string name_;
  std::string faulty_file_;
};

bool SystemConverter::Build(Description& description) {
  if (name_ == "65") {
    for (const std::string& line : BuiltInDescription65()) description.Add(line);
    return true;
  }
  return CopyDosDescription(description) && AddCorners(description);
}

bool SystemConverter::CopyDosDescription(Description& description) {
  const std::string path = context_.directories.Folder("BDLWZORCE") + name_ + ".def";
  faulty_file_ = platform::HostForm(path);
  const std::optional<std::string> text = platform::File::ReadWhole(platform::HostPath(path));
  if (!text) return false;
  std::istringstream in(*text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    const auto end_mark = line.find('\x1A');  // a DOS text file ends at its end mark
    if (end_mark != std::string::npos) line.resize(end_mark);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (end_mark != std::string::npos) {
      if (!line.empty()) lines.push_back(std::move(line));
      break;
    }
    lines.push_back(std::move(line));
  }
  if (lines.size() < 3) return false;
  const auto dx = LeadingNumber(lines[1]);
  const auto dy = LeadingNumber(lines[2]);
  if (!dx || !dy) return false;
  description.Add("1:" + Rounded(*dy / 800 * 1000) + "            & skala sekcji pierwotnych");
  description.Add(Rounded(*dx) + "               & wymiary dx sekcji pierwotnej");
  description.Add(Rounded(*dy) + "               & wymiary dy sekcji pierwotnej");
  for (std::size_t i = 3; i < lines.size(); ++i) {
    description.Add(source::ToProgramText(lines[i], context_.code_pages));
  }
  return true;
}

// The lower-left corners of the primary sections, from lok_p<name>.dbf. A damaged record is
// read around and counted as the table's damage.
bool SystemConverter::AddCorners(Description& description) {
  const std::string file = "lok_p" + name_ + ".dbf";
  faulty_file_ = platform::HostForm(run::SourcePath(context_, kWorksVariable, file));
  source::SourceTables& tables = context_.source_tables;
  const run::Result<std::optional<source::TableHandle>> opened =
      run::OpenOptionalSourceTable(context_, kWorksVariable, file);
  if (!opened) {
    LeaveOutCorners(opened.error());
    return false;
  }
  if (!*opened) return false;
  const source::TableHandle corners = **opened;
  std::string emblem, x, y;
  run::Failure missing =
      run::SourceFailure(context_, run::FailureKind::kFieldMissing, kWorksVariable, file);
  for (const auto& [field, destination, capacity] :
       {std::tuple<std::string_view, std::string*, std::size_t>{"godlo10", &emblem, 10},
        {"xx", &x, 7},
        {"yy", &y, 7}}) {
    tables.BindText(field, destination, capacity);
    if (tables.status() != source::kSourceNoSuchField) continue;
    missing.detail += (missing.detail.empty() ? "" : ", ") + std::string(field);
  }
  if (!missing.detail.empty()) {
    tables.Close(corners);
    LeaveOutCorners(missing);
    return false;
  }
  bool first = true;
  std::uint32_t number = 1;
  for (; !tables.AtEnd(corners); tables.NextRecord(corners), ++number) {
    tables.ReadRecord(corners);
    if (tables.CurrentRecordDamaged(corners)) {
      context_.ledger.DamagedRecord(run::SourcePath(context_, kWorksVariable, file), number);
      continue;
    }
    if (emblem.empty()) continue;
    std::string line = emblem;
    std::replace(line.begin(), line.end(), ' ', '_');
    line.append(" ").append(x).append(" ").append(y);
    if (first) {
      line += platform::Cp1250FromUtf8("  & Lewe, dolne narożniki sekcji pierwotnych");
      first = false;
    }
    description.Add(line);
  }
  tables.Close(corners);
  return true;
}

void SystemConverter::LeaveOutCorners(const run::Failure& failure) {
  context_.report.Warn({run::WarningKind::kOptionalSourceLeftOut, failure.host_path, 0, 0,
                        run::FailureReason(failure)});
}

}  // namespace

run::Status ConvertCoordinateSystems(run::RunContext& context) {
  const std::string folder = context.output_path + "BAZA\\UKLADY\\";
  platform::CreateFolders(folder);
  for (const std::string& name : SystemNames(context.directories.Folder("BDGROBOTY"))) {
    const std::string path = folder + name + ".def";
    Description description;
    SystemConverter converter(context, name);
    if (converter.Build(description)) {
      description.Write(path);
    } else {
      platform::RemoveFile(path);
      context.messages.Show(run::IncompleteCoordinateSystem(name));
      // The run still counts as converted, but the operator must find this in the summary.
      context.report.Warn(
          {run::WarningKind::kCoordinateSystemIncomplete, converter.faulty_file(), 0, 0, name});
    }
  }
  return {};
}

}  // namespace konwerter::settings
