#pragma once

#include "platform/calendar_date.h"

namespace konwerter::platform {

// Where a run takes today's date from. The program uses the system date; tests fix it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual CalendarDate Today() const = 0;
};

class SystemClock final : public Clock {
 public:
  CalendarDate Today() const override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(CalendarDate today) : today_(today) {}
  CalendarDate Today() const override { return today_; }

 private:
  CalendarDate today_;
};

}  // namespace konwerter::platform
