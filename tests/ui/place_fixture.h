// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Observing places for the tests of the daily view and the observing aid: seeded into the
// settings as the configuration window stores them, as the engine's observer, and the
// almanac's CSV rows for the same place.

#include <cmath>
#include <numbers>

#include <QProcess>

#include "engine/observer.h"
#include "print_fixture.h"

struct TPlace {
    const char* Name;
    double LatDeg;  // north positive
    double LongDeg; // east positive
    int ZoneMinutes;
    bool Dst;
};

inline const TPlace NewYork{"New York", 40.5, -74.0, -300, false};
inline const TPlace Latitude50{"Fifty North", 50.0, 0.0, 0, false};
inline const TPlace Tromso{"Tromso", 69.65, 19.0, 60, false};
inline const TPlace Longyearbyen{"Longyearbyen", 78.2, 15.5, 60, false};
inline const TPlace McMurdo{"McMurdo", -77.85, 166.5, 720, false};
inline const TPlace ACoruna{"A Coruna", 43.35, -8.4, 60, true};
inline const TPlace Sydney{"Sydney", -33.85, 151.2, 600, false};

inline TObserver ObserverOf(const TPlace& place) {
    TObserver o;
    o.ObserverLatitude = place.LatDeg * std::numbers::pi / 180.0;
    o.ObserverLongitude = -place.LongDeg * std::numbers::pi / 180.0; // positive west
    o.Zone = TObserverZone::Fixed(place.ZoneMinutes, place.Dst ? 60 : 0);
    return o;
}

// Degrees and minutes of an angle's size, as the configuration stores them.
inline std::pair<std::string, std::string> DegMin(double angle) {
    const int total = static_cast<int>(std::lround(std::fabs(angle) * 60.0));
    return {std::to_string(total / 60), std::to_string(total % 60)};
}

inline TSeed PlaceSeed(const TPlace& place,
                       std::vector<std::pair<std::string, std::string>> more = {}) {
    const auto [latDeg, latMin] = DegMin(place.LatDeg);
    const auto [longDeg, longMin] = DegMin(place.LongDeg);
    std::vector<std::pair<std::string, std::string>> values = {
        {"LatDeg", latDeg},
        {"LatMin", latMin},
        {"LatSec", "00"},
        {"LatDir", place.LatDeg < 0 ? "South" : "North"},
        {"LongDeg", longDeg},
        {"LongMin", longMin},
        {"LongSec", "00"},
        {"LongDir", place.LongDeg < 0 ? "West" : "East"},
        {"TimeZone", std::to_string(place.ZoneMinutes / 30 + 24)},
        {"DaylightSavings", place.Dst ? "True" : "False"},
        {"Location", place.Name}};
    values.insert(values.end(), more.begin(), more.end());
    return [values](const std::string& path) {
        TSettingsStore store(path);
        TSettings settings;
        (void)LoadSettings(store, settings, [](const std::string&) {});
        const auto key = store.OpenKey(SettingsKeyPath, false);
        QVERIFY(key.has_value());
        for (const auto& [name, value] : values)
            QVERIFY(store.WriteText(*key, name, value));
    };
}

// The almanac's CSV for the place: the rows after the heading, split at commas.
inline QList<QStringList> AlmanacAt(const TPlace& place, const QStringList& command) {
    QStringList args = {"--lat",  QString::number(place.LatDeg, 'f', 6),
                        "--lon",  QString::number(place.LongDeg, 'f', 6),
                        "--zone", QString::number(place.ZoneMinutes)};
    if (place.Dst) args << "--dst";
    return AlmanacCsvRows(args + command);
}

// "HH:MM" as minutes of the day; -1 for "*****", -2 for "None".
inline int AlmanacMinutes(const QString& text) {
    if (text == "None") return -2;
    if (text.size() != 5 || text[2] != ':') return -1;
    return text.left(2).toInt() * 60 + text.mid(3).toInt();
}
