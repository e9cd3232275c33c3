#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace konwerter::engine {

// What went wrong in the engine, as far as the table builder needs to tell.
enum class EngineErrorCode {
  kInvalidDirectory,  // the table's folder does not exist
  kNoSuchTable,       // the table's .dbf does not exist
  kNoSuchIndex,       // the table declares a production index that is missing or unreadable
  kKeyViolation,      // a unique index holds a key twice
  kOther,             // everything else: a damaged file, an unknown field or tag, ...
};

// Why a tag's key expression was refused.
enum class ExpressionFault : std::uint8_t {
  kNone,
  kUnexpectedCharacter,  // text follows a whole expression
  kUnknownFunction,      // `name`: a function the engine does not know
  kNeedsCharacter,       // `name` (UPPER or +) was given a value that is not text
  kStrNeedsNumber,       // STR() of a field that is not numeric
  kStrLengthRefused,     // STR()'s length or decimals out of range
  kDtosNeedsDate,        // DTOS() of a field that is not a date
  kNoSuchField,          // `name`: no field of the table has the name
  kFieldNotKeyable,      // `name`: a field that cannot be part of a key (a memo)
  kMissingCharacter,     // `name`: the character expected, "(" or ")" or ","
  kNameExpected,         // neither a field nor a function where one must stand
  kNumberExpected,       // no number where one must stand
  kKeyTooLong,           // `number`: the longest key a tag may have
  kLogicalAlone,         // a logical field alone cannot be a key
};

struct ExpressionError {
  ExpressionFault fault = ExpressionFault::kNone;
  std::string name;
  std::uint64_t number = 0;
};

// What the engine could not do. The comment names the parts of the subject a fault fills
// besides the table.
enum class EngineFault : std::uint8_t {
  // Folders and table files
  kFolderMissing,    // the table's folder does not exist
  kTableMissing,     // the table's .dbf does not exist
  kTableCannotOpen,  // the .dbf is there but cannot be opened
  kTableNotOpen,     // a request that needs the table open
  // A damaged table file
  kTableShorterThanHeader,  // shorter than a header
  kHeaderBeyondFile,        // the header length runs past the file
  kHeaderUnreadable,        // the header could not be read
  kVersionUnsupported,      // not a dBase III-family table
  kFieldListBeyondHeader,   // the field descriptors run past the header
  kFieldWithoutName,        // a field descriptor without a name
  kFieldTypeUnsupported,    // name: the field
  kFieldWidthDamaged,       // name: the field
  kFieldNameRepeated,       // name: the field
  kNoFields,                // the header describes no field
  kRecordLengthMismatch,    // the record length is not the fields' widths
  kRecordsBeyondFile,       // the record count runs past the file
  kRecordsCutShort,         // the file has become shorter than its records
  // A field list or request the engine refuses
  kFieldNameRefused,         // name: the field as given
  kFieldDefinitionRefused,   // name: the field (its width or type)
  kFieldCountRefused,        // no fields, or more than a table may have
  kRecordTooLong,            // the fields' widths exceed a record's length
  kSchemaNumberBad,          // name: the schema item whose width or decimals are no number
  kRestructureFieldUnknown,  // a restructure names a field the table does not have
  kTooManyRecords,           // the table cannot take another record
  // Fields and records
  kNoSuchField,          // name: the field
  kNoSuchFieldNumber,    // number: the field's position
  kFieldTakesNoText,     // name: the field, detail: the text
  kFieldTakesNoNumber,   // name: the field
  kFieldTakesNoDate,     // name: the field
  kFieldTakesNoLogical,  // name: the field
  kDateInvalid,          // name: the field
  kFieldHoldsNoNumber,   // name: the field
  kNoCurrentRecord,      // an edit without a current record
  kFieldNotPending,      // name: a field set outside an appended or edited record
  // Tags of the production index
  kNoSuchTag,             // name: the tag
  kNoCurrentIndex,        // a key search without a current index
  kIndexFieldMissing,     // name: the field, detail: the tag to index it
  kTagNameRefused,        // name: the tag
  kIndexTagNameRefused,   // name: the tag, refused as the index file is written
  kTagExpressionRefused,  // name: the tag, detail: its expression; the expression's fault
  kTagExpressionTooLong,  // name: the tag
  kKeyLengthRefused,      // name: the tag
  kKeysIncomplete,        // name: the tag
  kTooManyTags,           // more tags than an index file holds
  kKeyRepeated,           // a unique tag holds a key twice
  // A missing or damaged index file
  kIndexFileMissing,     // the .mdx is not there
  kIndexFileShort,       // shorter than its header
  kIndexBlockSize,       // a block size no index has
  kIndexTagTable,        // a damaged tag table
  kIndexTagWithoutName,  // a tag without a name
  kIndexTagHeader,       // name: the tag whose header is damaged
  kIndexTagExpression,   // name: the tag whose expression is damaged
  kIndexTagMissing,      // name: the tag the file lacks
  kIndexTreeLoops,       // the tree leads back into itself
  kIndexNodeKeyCount,    // a node counts more keys than it holds
  kIndexPageBeyondFile,  // a page past the file's end
};

// The builder's code of a fault.
EngineErrorCode CodeOf(EngineFault fault);

// What a fault concerns, as far as its message needs it.
struct FaultSubject {
  std::string table;           // the table's or index's path or name (UTF-8)
  std::string name;            // a field or tag; empty when none
  std::string detail;          // a second name or a value (see EngineFault); empty when none
  std::int64_t number = 0;     // a field's position, as asked (it may be negative)
  ExpressionError expression;  // why a tag's expression was refused
};

// An error of the dBase engine: a fault and what it concerns. The operator's text is the
// run's to word (its catalogue renders every fault); what() is a short technical text.
class EngineError : public std::runtime_error {
 public:
  EngineError(EngineFault fault, FaultSubject subject);

  EngineFault fault() const { return fault_; }
  EngineErrorCode code() const { return CodeOf(fault_); }
  const FaultSubject& subject() const { return subject_; }

 private:
  EngineFault fault_;
  FaultSubject subject_;
};

}  // namespace konwerter::engine
