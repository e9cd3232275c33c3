#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace konwerter::source {

// What keeps a DOS table from being read as its header describes it, found when it is
// opened. The numbers' meaning depends on the kind; the run's catalogue renders the text.
enum class TableFaultKind : std::uint8_t {
  kNone,
  kCannotOpen,             // the file is there but cannot be opened for reading
  kEmptyFile,              // the file holds no byte
  kShorterThanHeader,      // the file is shorter than the 12 bytes the reader takes first
  kNoFields,               // first: the header length, too short for one field
  kHeaderBeyondFile,       // first: the header length, second: the file's size
  kZeroRecordLength,       // the record length is 0
  kDescriptorsBeyondFile,  // the field descriptors run past the end of the file
  kNoDescriptorEnd,        // first: the fields read, second: the header length
  kHeaderLengthMismatch,   // first: the header length, second: the length the field
                           // descriptors and their terminator call for
  kBadDescriptor,          // first: the field's number, second: its width; name, type
  kRecordLengthMismatch,   // first: the record length, second: the sum of the field widths
  kRecordsMisaligned,      // first: records whose deletion flag is neither " " nor "*",
                           // second: records sampled
};

struct TableFault {
  TableFault() = default;
  TableFault(TableFaultKind kind_, std::uint64_t first_ = 0, std::uint64_t second_ = 0,
             std::string name_ = {}, char type_ = 0)
      : kind(kind_), first(first_), second(second_), name(std::move(name_)), type(type_) {}

  TableFaultKind kind = TableFaultKind::kNone;
  std::uint64_t first = 0;
  std::uint64_t second = 0;
  std::string name;  // a field's name as stored
  char type = 0;     // a field's type byte; 0 when it is no letter
  bool operator==(const TableFault&) const = default;
  explicit operator bool() const { return kind != TableFaultKind::kNone; }
};

}  // namespace konwerter::source
