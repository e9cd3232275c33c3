#include "app/cli/verify_report.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "run/check_texts.h"

namespace konwerter::cli {

namespace {

namespace fs = std::filesystem;
using verification::DatabaseCheck;
using verification::Finding;
using verification::FindingKind;
using verification::Severity;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string Shown(const fs::path& file, const fs::path& output_folder) {
  const fs::path relative = file.lexically_relative(output_folder);
  if (relative.empty() || *relative.begin() == "..") return Utf8(file);
  return Utf8(relative);
}

// The kinds of one severity that were found, in the order the kinds are declared.
std::vector<FindingKind> KindsFound(const DatabaseCheck& check, Severity severity) {
  std::vector<FindingKind> kinds;
  for (const auto& [kind, count] : check.counts) {
    if (count > 0 && verification::SeverityOf(kind) == severity) kinds.push_back(kind);
  }
  return kinds;
}

void PrintGroup(const DatabaseCheck& check, FindingKind kind, const fs::path& file,
                std::uint64_t count, const fs::path& output_folder, std::size_t listed_per_group,
                std::ostream& out) {
  out << "    " << Shown(file, output_folder) << ": " << count << "\n";
  std::size_t listed = 0;
  for (const Finding& finding : check.findings) {
    if (finding.kind != kind || finding.file != file) continue;
    if (listed == listed_per_group) break;
    const std::string line = run::DescribeFinding(finding);
    if (line.empty()) continue;
    out << "      " << platform::Utf8FromCp1250(line) << "\n";
    ++listed;
  }
  if (listed > 0 && count > listed) out << "      ... i jeszcze " << count - listed << "\n";
}

void PrintSeverity(const DatabaseCheck& check, Severity severity, const fs::path& output_folder,
                   std::size_t listed_per_group, std::ostream& out) {
  const std::vector<FindingKind> kinds = KindsFound(check, severity);
  if (kinds.empty()) return;
  out << (severity == Severity::kFailure ? "Błędy: " : "Ostrzeżenia: ")
      << (severity == Severity::kFailure ? check.failures() : check.warnings()) << "\n";
  for (const FindingKind kind : kinds) {
    out << "  " << platform::Utf8FromCp1250(run::KindTitle(kind)) << ": " << check.counts.at(kind)
        << "\n";
    for (const auto& [group, count] : check.group_counts) {
      if (group.first == kind) {
        PrintGroup(check, kind, group.second, count, output_folder, listed_per_group, out);
      }
    }
  }
}

}  // namespace

void PrintDatabaseCheck(const DatabaseCheck& check, const fs::path& output_folder,
                        std::size_t listed_per_group, std::ostream& out) {
  out << "Sprawdzenie bazy " << Utf8(output_folder) << "\n";
  if (!check.converted_database) {
    out << "To nie jest baza po konwersji: brak BAZA/ADMIN/Dostep.dbf.\n";
    return;
  }
  PrintSeverity(check, Severity::kFailure, output_folder, listed_per_group, out);
  PrintSeverity(check, Severity::kWarning, output_folder, listed_per_group, out);
  if (check.failures() > 0) {
    out << "Wynik: baza niespójna (błędy: " << check.failures()
        << ", ostrzeżenia: " << check.warnings() << ").\n";
  } else if (check.warnings() > 0) {
    out << "Wynik: baza spójna, z ostrzeżeniami (" << check.warnings() << ").\n";
  } else {
    out << "Wynik: baza spójna.\n";
  }
}

}  // namespace konwerter::cli
