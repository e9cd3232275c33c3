#pragma once

#include <cstdint>
#include <string>

#include "platform/io_error.h"

namespace konwerter::source {

// What makes a Clipper index unfit to answer look-ups for its table, found when it is opened
// and checked. The numbers' meaning depends on the kind; the run's catalogue renders the text.
enum class IndexFaultKind : std::uint8_t {
  kNone,
  kShortHeader,       // the file is shorter than its 1024-byte header
  kKeyTooLong,        // first: the key size, above 255
  kNoRoomForKeys,     // first: a key size that leaves no room for two keys in a page
  kRootOffGrid,       // first: a root page offset that is no page's offset
  kRootBeyondFile,    // first: the root page offset
  kKeySizeNotSought,  // first: the index's key size, second: the key size the converter seeks
  kPageUnreadable,    // first: the offset of a page beyond the file or off the page grid
  kPageDamaged,       // first: the offset of a page whose slots leave it or whose keys are
                      // out of order
  kTreeOutOfOrder,    // first: the offset of a page whose keys do not fit between its
                      // neighbours in the page above
  kTreeLoops,         // first: the offset of a page met twice, or deeper than 30 levels
  kRecordOutside,     // first: the 1-based record number an entry holds, second: the table's
                      // record count
};

struct IndexFault {
  IndexFaultKind kind = IndexFaultKind::kNone;
  std::uint64_t first = 0;
  std::uint64_t second = 0;
  bool operator==(const IndexFault&) const = default;
  explicit operator bool() const { return kind != IndexFaultKind::kNone; }
};

// A damaged index met during a look-up (the index changed since it was checked, or was never
// checked): what is wrong with it, and the file.
class IndexDamaged : public platform::IoError {
 public:
  IndexDamaged(IndexFault fault, const std::string& path)
      : platform::IoError(platform::IoFault::kIndexDamaged, path), index_fault_(fault) {}
  const IndexFault& index_fault() const { return index_fault_; }

 private:
  IndexFault index_fault_;
};

}  // namespace konwerter::source
