#pragma once

// Where the program reads the time of day: the system clock, or in tests a clock that
// stands still or runs shifted.
//
//   TClockSource clock = OrSystemClock(setup.Clock);
//   const QDateTime now = clock(); // local time

#include <functional>

#include <QDateTime>

// The local time now.
using TClockSource = std::function<QDateTime()>;

[[nodiscard]] QDateTime SystemClockNow();

// The given source, or the system clock when it is empty.
[[nodiscard]] TClockSource OrSystemClock(TClockSource clock);
