#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "platform/calendar_date.h"

namespace konwerter::engine {

// The database session: the dBase driver's settings and what the engine counts while it
// works. One per program; tables are opened through it.
class Engine {
 public:
  // Today's date, for the headers of the files the engine writes, starts as the system date.
  Engine();

  // Sets a parameter of the dBase driver ("LANGDRIVER", "LEVEL"); the engine writes level 5
  // tables with the db852po0 language driver, which are the values the program sets.
  void SetDriverParameter(std::string_view name, std::string_view value);
  std::string DriverParameter(std::string_view name) const;

  // Numbers too wide for their field were stored as "*" fill; counted per table file name.
  void CountOverflow(const std::string& table_name) { ++overflows_[table_name]; }
  const std::map<std::string, std::int64_t>& overflows() const { return overflows_; }
  void ClearOverflows() { overflows_.clear(); }
  std::int64_t total_overflows() const;

  // The date written as the last update into table headers and index files.
  void set_today(platform::CalendarDate today) { today_ = today; }
  platform::CalendarDate today() const { return today_; }

 private:
  platform::CalendarDate today_;
  std::map<std::string, std::string> driver_parameters_;
  std::map<std::string, std::int64_t> overflows_;
};

}  // namespace konwerter::engine
