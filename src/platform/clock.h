#pragma once

#include "platform/calendar_date.h"

namespace konwerter::platform {

// A time of day, to the second.
struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Where a run takes today's date and the time from. The program uses the system's; tests
// fix them.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual CalendarDate Today() const = 0;
  virtual TimeOfDay Now() const = 0;
};

class SystemClock final : public Clock {
 public:
  CalendarDate Today() const override;
  TimeOfDay Now() const override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(CalendarDate today) : today_(today) {}
  CalendarDate Today() const override { return today_; }
  TimeOfDay Now() const override { return {}; }

 private:
  CalendarDate today_;
};

}  // namespace konwerter::platform
