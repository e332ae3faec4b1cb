// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/date_time.h"
#include "engine/observer.h"

// A mistake on the command line; main() prints it on one line and exits with status 2.
struct TUsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The observer options given on the command line. Each one given replaces that part of the
// stored observer; the store is consulted only when one is missing.
struct TObserverOptions {
    std::optional<double> LatitudeRad;
    std::optional<double> LongitudeRad; // west-positive, as the engine counts
    std::optional<int> ZoneMinutes;
    std::optional<bool> Dst;                 // --dst or --no-dst, the last one given
    std::optional<TObserverZone> NamedZone; // --tz NAME, in place of --zone and --dst

    [[nodiscard]] bool Any() const {
        return LatitudeRad || LongitudeRad || ZoneMinutes || Dst || NamedZone;
    }
    [[nodiscard]] bool Complete() const {
        return LatitudeRad && LongitudeRad && (NamedZone || (ZoneMinutes && Dst));
    }
};

// The stored observer with every option given put in its place.
[[nodiscard]] TObserver WithObserverOptions(const TObserverOptions& given, const TObserver& stored);

struct TAlmanacArgs {
    std::string Command;               // "now", "moon", ... ; empty with --help
    std::vector<std::string> Operands; // the command's own words, options removed
    std::string File;                  // --file F
    std::string At;                    // --at "YYYY-MM-DD HH:MM" (local civil time)
    std::string What;                  // --what KIND,KIND... (ics)
    std::string Output;                // -o FILE (ics); empty: standard output
    std::string Date;                  // --date YYYY-MM-DD (terminator)
    std::string Files;                 // --files NAME,NAME... (terminator)
    std::string MinKm;                 // --min-km N (terminator)
    TObserverOptions Given;            // the observer options on the command line
    TObserver Observer;                // Given over the stored observer (or the defaults)
    bool ObserverGiven = false;        // any of --lat/--lon/--zone/--dst/--no-dst was given
    bool Help = false;
    bool Version = false;              // --version
};

// Reads the command line (argv[1..]). Observer options may stand anywhere.
// `defaults` is the observer used for options not given.
[[nodiscard]] TAlmanacArgs ParseAlmanacArgs(const std::vector<std::string>& words,
                                            const TObserver& defaults = TObserver{});

// Strict number parsing for operands: the whole word must be the number, written in plain
// decimal digits with an optional leading minus and (ParseNumber only) one decimal point.
// No plus sign, exponent, blanks, hexadecimal, "inf" or "nan".
[[nodiscard]] double ParseNumber(const std::string& word, const std::string& what);
[[nodiscard]] int ParseWholeNumber(const std::string& word, const std::string& what, int low,
                                   int high);

// The YEAR [YEAR2] operands of the yearly commands (YEAR2 required when secondRequired).
void ParseYearRange(const TAlmanacArgs& args, int& first, int& last, bool secondRequired = false);

// "YYYY-MM-DD" exactly (four, two and two digits), a day of the engine's calendar in years
// 1..9999 (so 1500-02-29 exists and 1582-10-05 .. 1582-10-14 do not). `what` names the
// value in the message.
[[nodiscard]] TDateRec ParseIsoDate(const std::string& word, const std::string& what = "date");

// "YYYY-MM-DD HH:MM" exactly, local civil time, as --at takes it.
[[nodiscard]] TDateRec ParseIsoMinute(const std::string& text, const std::string& what);
