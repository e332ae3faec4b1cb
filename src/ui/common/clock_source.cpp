// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/clock_source.h"

QDateTime SystemClockNow() {
    return QDateTime::currentDateTimeUtc();
}

TClockSource OrSystemClock(TClockSource clock) {
    return clock ? std::move(clock) : TClockSource(SystemClockNow);
}
