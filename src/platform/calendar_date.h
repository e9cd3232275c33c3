#pragma once

namespace konwerter::platform {

// A day of the Gregorian calendar.
struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;

  friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// True when the date exists (1 <= month <= 12, day within the month, leap years counted).
bool IsValidDate(const CalendarDate& date);

}  // namespace konwerter::platform
