// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Setting the computer's clock, behind a small interface so that tests use a fake and no
// test ever sets the real clock.

#include <ctime>
#include <optional>

#include "engine/date_time.h"

class TSystemClock {
  public:
    virtual ~TSystemClock() = default;
    // Sets the clock to the universal time given (year, month, day, hour, minute, second;
    // the milliseconds are taken as 0). False when the clock could not be set.
    [[nodiscard]] virtual bool SetUniversalTime(const TDateRec& utc) = 0;
};

// The real clock, through clock_settime(CLOCK_REALTIME). Changing it needs the right to
// (CAP_SYS_TIME, usually root); without it the call fails and nothing changes.
class TRealSystemClock final : public TSystemClock {
  public:
    [[nodiscard]] bool SetUniversalTime(const TDateRec& utc) override;
};

// Seconds since 1970-01-01 00:00 UT of a universal date and time; empty for a date that
// is not a calendar date or lies outside the range of the system's time.
[[nodiscard]] std::optional<timespec> UniversalTimespec(const TDateRec& utc);
