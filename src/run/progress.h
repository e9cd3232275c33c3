#pragma once

#include <cstdint>
#include <string_view>

namespace konwerter::run {

// What converters report while they work. The driver's progress bars implement it for the
// window and the terminal; tests count the calls.
class Progress {
 public:
  virtual ~Progress() = default;
  // One step of the whole run (one per target table started).
  virtual void GroupStep() = 0;
  // A converter starts filling a target table from `record_count` source records.
  virtual void TableStart(std::string_view table_name, std::uint32_t record_count) = 0;
  // One source record read.
  virtual void RecordStep() = 0;
  // Between converters: lets a window repaint; nothing waits here.
  virtual void ConverterPause() = 0;
};

}  // namespace konwerter::run
