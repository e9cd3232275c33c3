#include "app/self_check.h"

#include "platform/text_encoding.h"

namespace konwerter::app {

CheckSummary CheckConvertedDatabase(const std::string&) {
  return {};
}

std::string CheckFact(const CheckSummary& check) {
  using platform::Cp1250FromUtf8;
  if (!check.ran) return Cp1250FromUtf8("Sprawdzenie bazy wynikowej: nie wykonano");
  if (check.passed()) {
    return Cp1250FromUtf8("Sprawdzenie bazy wynikowej: bez błędów (ostrzeżeń: ") +
           std::to_string(check.warnings) + ")";
  }
  return Cp1250FromUtf8("Sprawdzenie bazy wynikowej: błędy: ") + std::to_string(check.failures);
}

void AddCheckWarnings(const CheckSummary& check, run::RunReport& report) {
  for (const CheckLine& line : check.lines) {
    if (line.failure) continue;
    report.Warn({run::WarningKind::kCheckFinding, line.file, line.count, 0, line.what});
  }
}

}  // namespace konwerter::app
