#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "target/engine/engine_error.h"

namespace konwerter::verification {

// What the check of a converted database can find. Each kind is a failure (the database is
// not what a correct conversion writes) or a warning (worth the operator's notice, yet
// what a correct conversion of old data may give).
enum class FindingKind {
  // Files
  kTableMissing,          // a table the converters always write is not there
  kOptionalTableMissing,  // a table written only when its DOS source exists is not there
  kUnexpectedFile,        // a table or index file no converter writes
  kTableUnreadable,       // the file cannot be opened or read
  // The .dbf header against the table catalogue and the file
  kHeaderDamaged,        // the file is shorter than its header
  kHeaderVersion,        // the version byte
  kLanguageDriver,       // the language driver byte
  kProductionIndexFlag,  // the flag of a production index, against the catalogue's tags
  kHeaderLength,         // the header length, against the catalogue's fields
  kRecordLength,         // the record length, against the catalogue's fields
  kHeaderTerminator,     // no 0D after the field descriptors
  kDescriptorMismatch,   // a field descriptor differs from the catalogue's schema
  kIndexedFieldMark,     // a descriptor's mark of a tag over that field alone
  kTableTruncated,       // the header declares more records than the file holds
  kTrailingBytes,        // bytes after the records beyond the end marker
  kEndMarkerMissing,     // no 1A after the last record
  // The production index
  kIndexMissing,      // the table has tags but no .mdx
  kIndexDamaged,      // the .mdx cannot be walked (the fault its reader found)
  kTagMismatch,       // the tags differ from the catalogue's index definitions
  kRecordWithoutKey,  // a record has no key in a tag
  kKeyWithoutRecord,  // a key names a record the table does not have
  kDuplicateKey,      // a record has more than one key in a tag
  kKeyDiffers,        // a key is not its expression evaluated on its record
  kKeyOutOfOrder,     // a key sorts before the key ahead of it
  // Identifiers and the sequence table
  kIdentifierEmpty,      // a record without its own identifier
  kIdentifierMalformed,  // an identifier that is no hexadecimal number
  kIdentifierDuplicate,  // two records with one identifier
  kDosKeyRepeated,       // two dictionary records with one identifier: the DOS key twice
  kSequenceMissing,      // no row for a sequence whose table was written
  kSequenceDuplicate,    // a sequence with more than one row
  kSequenceUnknown,      // a row no converter writes
  kSequenceTooLow,       // the next value is not above every identifier of its table
  // References between tables
  kReferenceUnresolved,     // a reference a correct conversion always resolves does not
  kReferenceNeverAssigned,  // an identifier the sequence never gave out
  kReferenceDangling,       // a reference to a dictionary record the DOS data lacked
  // The conversion's ledger against the DOS sources
  kLedgerMismatch,  // records read is not records written plus records skipped
};

enum class Severity { kFailure, kWarning };

Severity SeverityOf(FindingKind kind);

// One thing found, with what an operator needs to find it again. Texts are the system's
// (cp1250).
struct Finding {
  FindingKind kind = FindingKind::kTableMissing;
  std::filesystem::path file;  // host path of the file concerned
  std::uint32_t record = 0;    // 1-based; 0 when the finding is not about one record
  std::string field;           // field, tag or sequence name; empty when none
  std::string value;           // the value found
  std::string expected;        // what a correct conversion writes there, or where it refers
  Severity severity = Severity::kFailure;  // the kind's (SeverityOf), set by DatabaseCheck::Add
  // Of a damaged index: what the engine's reader found, the tag it concerns in `field` and
  // the file as the reader names it in `value`.
  engine::EngineFault index_fault = engine::EngineFault::kIndexFileShort;
};

// The result of checking a converted database.
struct DatabaseCheck {
  // False when the folder holds no BAZA\ADMIN\Dostep.dbf: nothing else was checked.
  bool converted_database = false;
  // Findings in the order met, at most kListedPerGroup of one kind in one file.
  std::vector<Finding> findings;
  // Every finding counted, listed or not: per kind, and per kind and file.
  std::map<FindingKind, std::uint64_t> counts;
  std::map<std::pair<FindingKind, std::filesystem::path>, std::uint64_t> group_counts;

  static constexpr std::uint64_t kListedPerGroup = 200;

  std::uint64_t failures() const;
  std::uint64_t warnings() const;
  // The database holds: it is a converted database and nothing failed (warnings allowed).
  bool holds() const { return converted_database && failures() == 0; }

  // Counts a finding, and lists it while its group has room.
  void Add(FindingKind kind, std::filesystem::path file, std::uint32_t record = 0,
           std::string field = {}, std::string value = {}, std::string expected = {});
  // Counts an index file its reader could not walk, and lists it with the reader's fault.
  void AddIndexDamaged(std::filesystem::path file, const engine::EngineError& error);
};

}  // namespace konwerter::verification
