#pragma once

// Where and in which civil time the observer stands. Owned by the main window and
// passed by const reference to every routine that needs it.
struct TObserver {
    double ObserverLongitude = 0.0; // radians, positive west of Greenwich
    double ObserverLatitude = 0.0;  // radians, positive north
    int ZoneMinutes = 0;            // standard time minus UT, minutes
    int DstMinutes = 0;             // 60 while daylight saving is on, else 0

    // Local civil time minus UT, in days.
    [[nodiscard]] double LocalOffsetDays() const { return (ZoneMinutes + DstMinutes) / 1440.0; }
};
