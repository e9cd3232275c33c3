#include "platform/calendar_date.h"

namespace konwerter::platform {

bool IsValidDate(const CalendarDate& date) {
  if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1) {
    return false;
  }
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
  const int days = kDays[date.month - 1] + (date.month == 2 && leap ? 1 : 0);
  return date.day <= days;
}

}  // namespace konwerter::platform
