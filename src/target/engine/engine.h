#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/calendar_date.h"
#include "target/engine/value_observer.h"

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

  // Who hears of values stored otherwise than given (numbers too wide, texts cut); none
  // when null. The observer must outlive every table that stores while it is set.
  void set_value_observer(ValueObserver* observer) { value_observer_ = observer; }
  // Tells the observer, if any, of a value stored otherwise than given.
  void ReportAltered(std::string_view table_path, ValueAlteration alteration,
                     std::string_view field, std::string_view given,
                     std::string_view stored) const {
    if (value_observer_ != nullptr) {
      value_observer_->OnAltered(table_path, alteration, field, given, stored);
    }
  }

  // The date written as the last update into table headers and index files.
  void set_today(platform::CalendarDate today) { today_ = today; }
  platform::CalendarDate today() const { return today_; }

 private:
  platform::CalendarDate today_;
  std::map<std::string, std::string> driver_parameters_;
  ValueObserver* value_observer_ = nullptr;
};

}  // namespace konwerter::engine
