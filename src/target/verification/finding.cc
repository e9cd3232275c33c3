#include "target/verification/finding.h"

#include "platform/text_encoding.h"

namespace konwerter::verification {

Severity SeverityOf(FindingKind kind) {
  switch (kind) {
    case FindingKind::kOptionalTableMissing:
    case FindingKind::kUnexpectedFile:
    case FindingKind::kDosKeyRepeated:
    case FindingKind::kSequenceUnknown:
    case FindingKind::kReferenceDangling:
      return Severity::kWarning;
    default:
      return Severity::kFailure;
  }
}

std::uint64_t DatabaseCheck::failures() const {
  std::uint64_t total = 0;
  for (const auto& [kind, count] : counts) {
    if (SeverityOf(kind) == Severity::kFailure) total += count;
  }
  return total;
}

std::uint64_t DatabaseCheck::warnings() const {
  std::uint64_t total = 0;
  for (const auto& [kind, count] : counts) {
    if (SeverityOf(kind) == Severity::kWarning) total += count;
  }
  return total;
}

void DatabaseCheck::Add(FindingKind kind, std::filesystem::path file, std::uint32_t record,
                        std::string field, std::string value, std::string expected) {
  ++counts[kind];
  if (++group_counts[{kind, file}] <= kListedPerGroup) {
    findings.push_back({kind, std::move(file), record, std::move(field), std::move(value),
                        std::move(expected), SeverityOf(kind)});
  }
}

void DatabaseCheck::AddIndexDamaged(std::filesystem::path file, const engine::EngineError& error) {
  const std::size_t listed = findings.size();
  Add(FindingKind::kIndexDamaged, std::move(file), 0,
      platform::Cp1250FromUtf8(error.subject().name),
      platform::Cp1250FromUtf8(error.subject().table));
  if (findings.size() > listed) findings.back().index_fault = error.fault();
}

}  // namespace konwerter::verification
