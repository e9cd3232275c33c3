#include "platform/clock.h"

#include <ctime>

namespace konwerter::platform {

namespace {

std::tm LocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local;
}

}  // namespace

CalendarDate SystemClock::Today() const {
  const std::tm local = LocalTime();
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

TimeOfDay SystemClock::Now() const {
  const std::tm local = LocalTime();
  return {local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace konwerter::platform
