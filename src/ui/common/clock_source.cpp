#include "ui/main/clock_source.h"

QDateTime SystemClockNow() {
    return QDateTime::currentDateTime();
}

TClockSource OrSystemClock(TClockSource clock) {
    return clock ? std::move(clock) : TClockSource(SystemClockNow);
}
