// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the program reads the present instant: the system clock, or in tests a clock that
// stands still or runs shifted. The instant is shown in the observer's configured zone,
// never in the computer's own.
//
//   TClockSource clock = OrSystemClock(setup.Clock);
//   const QDateTime now = clock().toUTC();

#include <functional>

#include <QDateTime>

// The present instant, in whatever zone the QDateTime carries; callers take it toUTC().
using TClockSource = std::function<QDateTime()>;

[[nodiscard]] QDateTime SystemClockNow();

// The given source, or the system clock when it is empty.
[[nodiscard]] TClockSource OrSystemClock(TClockSource clock);
