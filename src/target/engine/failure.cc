#include "target/engine/failure.h"

#include <string>
#include <utility>

namespace konwerter::engine {

namespace {

// "engine fault 24 (NAZWA): C:\BAZA\OSOBY\Osoby.dbf"
std::string TechnicalText(EngineFault fault, const FaultSubject& subject) {
  std::string text = "engine fault " + std::to_string(static_cast<int>(fault));
  if (!subject.name.empty()) text += " (" + subject.name + ")";
  return text + ": " + subject.table;
}

}  // namespace

EngineErrorCode CodeOf(EngineFault fault) {
  switch (fault) {
    case EngineFault::kFolderMissing:
      return EngineErrorCode::kInvalidDirectory;
    case EngineFault::kTableMissing:
    case EngineFault::kTableCannotOpen:
      return EngineErrorCode::kNoSuchTable;
    case EngineFault::kNoSuchTag:
    case EngineFault::kIndexFileMissing:
    case EngineFault::kIndexFileShort:
    case EngineFault::kIndexBlockSize:
    case EngineFault::kIndexTagTable:
    case EngineFault::kIndexTagWithoutName:
    case EngineFault::kIndexTagHeader:
    case EngineFault::kIndexTagExpression:
    case EngineFault::kIndexTagMissing:
    case EngineFault::kIndexTreeLoops:
    case EngineFault::kIndexNodeKeyCount:
    case EngineFault::kIndexPageBeyondFile:
      return EngineErrorCode::kNoSuchIndex;
    case EngineFault::kKeyRepeated:
      return EngineErrorCode::kKeyViolation;
    default:
      return EngineErrorCode::kOther;
  }
}

EngineError::EngineError(EngineFault fault, FaultSubject subject)
    : std::runtime_error(TechnicalText(fault, subject)),
      fault_(fault),
      subject_(std::move(subject)) {}

void Fail(EngineFault fault, std::string_view table, std::string_view name,
          std::string_view detail) {
  FaultSubject subject;
  subject.table = table;
  subject.name = name;
  subject.detail = detail;
  throw EngineError(fault, std::move(subject));
}

}  // namespace konwerter::engine
