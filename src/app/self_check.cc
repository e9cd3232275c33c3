#include "app/self_check.h"

#include "platform/dos_path.h"
#include "platform/text_encoding.h"
#include "run/check_texts.h"
#include "run/messages.h"
#include "target/verification/database_check.h"

namespace konwerter::app {

namespace {

constexpr std::size_t kExamplesPerLine = 5;

// The check's findings as the report lists them: one line per kind and file, with its count
// and the first findings as examples.
std::vector<CheckLine> CheckLines(const verification::DatabaseCheck& check) {
  std::vector<CheckLine> lines;
  for (const auto& [group, count] : check.group_counts) {
    CheckLine line;
    line.failure = verification::SeverityOf(group.first) == verification::Severity::kFailure;
    line.file = platform::Cp1250FromUtf8(
        std::string(reinterpret_cast<const char*>(group.second.u8string().c_str())));
    line.what = run::KindTitle(group.first);
    line.count = count;
    for (const verification::Finding& finding : check.findings) {
      if (line.examples.size() == kExamplesPerLine) break;
      if (finding.kind != group.first || finding.file != group.second) continue;
      if (std::string text = run::DescribeFinding(finding); !text.empty()) {
        line.examples.push_back(std::move(text));
      }
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace

CheckSummary CheckConvertedDatabase(const std::string& output_path) {
  const verification::DatabaseCheck check =
      verification::CheckConvertedDatabase(platform::HostPath(output_path));
  CheckSummary summary;
  summary.ran = true;
  summary.failures = check.converted_database ? check.failures() : 1;
  summary.warnings = check.warnings();
  summary.lines = CheckLines(check);
  return summary;
}

std::string CheckFact(const CheckSummary& check) {
  return run::CheckFact(check.ran, check.failures, check.warnings);
}

void AddCheckWarnings(const CheckSummary& check, run::RunReport& report) {
  for (const CheckLine& line : check.lines) {
    if (line.failure) continue;
    report.Warn({run::WarningKind::kCheckFinding, line.file, line.count, 0, line.what});
  }
}

}  // namespace konwerter::app
