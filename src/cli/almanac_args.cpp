// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/almanac_args.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "cli/message_line.h"
#include "engine/angles.h"

namespace {

// Digits with an optional leading minus and, when fractions are allowed, at most one
// decimal point; at least one digit.
bool IsPlainDecimal(std::string_view word, bool fraction) {
    if (!word.empty() && word.front() == '-') word.remove_prefix(1);
    bool digit = false;
    bool point = false;
    for (const char c : word) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && fraction && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

} // namespace

double ParseNumber(const std::string& word, const std::string& what) {
    if (word.empty()) throw TUsageError(what + " is empty");
    double value = 0.0;
    const char* last = word.data() + word.size();
    if (!IsPlainDecimal(word, true) ||
        std::from_chars(word.data(), last, value, std::chars_format::fixed).ptr != last ||
        !std::isfinite(value))
        throw TUsageError(what + " is not a number: " + QuotedArgument(word));
    return value;
}

int ParseWholeNumber(const std::string& word, const std::string& what, int low, int high) {
    if (word.empty()) throw TUsageError(what + " is empty");
    if (!IsPlainDecimal(word, false)) {
        if (IsPlainDecimal(word, true))
            throw TUsageError(what + " must be a whole number: " + QuotedArgument(word));
        throw TUsageError(what + " is not a number: " + QuotedArgument(word));
    }
    long long value = 0;
    const char* last = word.data() + word.size();
    const auto [end, error] = std::from_chars(word.data(), last, value);
    if (error != std::errc() || end != last || value < low || value > high)
        throw TUsageError(what + " must lie between " + std::to_string(low) + " and " +
                          std::to_string(high) + ": " + QuotedArgument(word));
    return static_cast<int>(value);
}

TObserver WithObserverOptions(const TObserverOptions& given, const TObserver& stored) {
    TObserver observer = stored;
    if (given.LatitudeRad) observer.ObserverLatitude = *given.LatitudeRad;
    if (given.LongitudeRad) observer.ObserverLongitude = *given.LongitudeRad;
    if (given.NamedZone) {
        observer.Zone = *given.NamedZone;
    } else if (given.ZoneMinutes || given.Dst) {
        // A fixed offset given in part keeps the rest from the stored zone.
        const TZoneState kept = stored.Zone.StateAt(UnixEpochJD);
        const int zone = given.ZoneMinutes ? *given.ZoneMinutes : kept.StandardOffsetSeconds / 60;
        const int dst = given.Dst ? (*given.Dst ? 60 : 0)
                                  : (kept.OffsetSeconds - kept.StandardOffsetSeconds) / 60;
        observer.Zone = TObserverZone::Fixed(zone, dst);
    }
    return observer;
}

namespace {

double RangedDegrees(const std::string& word, const std::string& what, double limit) {
    const double value = ParseNumber(word, what);
    if (std::fabs(value) > limit)
        throw TUsageError(what + " must lie between -" + std::to_string(static_cast<int>(limit)) +
                          " and " + std::to_string(static_cast<int>(limit)) + ": " +
                          QuotedArgument(word));
    return value;
}

const std::string& ValueOf(const std::vector<std::string>& words, size_t& i) {
    if (i + 1 >= words.size()) throw TUsageError(words[i] + " needs a value");
    return words[++i];
}

TObserverZone NamedZoneOf(const std::string& name) {
    TNamedZoneLookup found = LookUpNamedZone(name);
    if (!found.Zone) throw TUsageError(ZoneErrorMessage(found.Error, name));
    return *found.Zone;
}

// A named zone keeps its own daylight saving: no fixed offset beside it.
void RefuseMixedZones(const TObserverOptions& given) {
    if (given.NamedZone && given.ZoneMinutes)
        throw TUsageError("--tz and --zone cannot be given together");
    if (given.NamedZone && given.Dst)
        throw TUsageError("--tz keeps the zone's own daylight saving: no --dst or --no-dst");
}

// The options that take a text, and the field it goes to.
struct TTextOption {
    std::string_view Name;
    std::string TAlmanacArgs::*Field;
};
constexpr TTextOption TextOptions[] = {
    {"--file", &TAlmanacArgs::File},     {"--at", &TAlmanacArgs::At},
    {"--what", &TAlmanacArgs::What},     {"-o", &TAlmanacArgs::Output},
    {"--output", &TAlmanacArgs::Output}, {"--date", &TAlmanacArgs::Date},
    {"--files", &TAlmanacArgs::Files},   {"--min-km", &TAlmanacArgs::MinKm}};

const TTextOption* FindTextOption(std::string_view word) {
    for (const TTextOption& option : TextOptions)
        if (option.Name == word) return &option;
    return nullptr;
}

// An empty text would read as "not given" and quietly mean the default: refused, as an
// empty number is.
const std::string& TextValueOf(const std::vector<std::string>& words, size_t& i) {
    const std::string& value = ValueOf(words, i);
    if (value.empty()) throw TUsageError(words[i - 1] + " is empty");
    return value;
}

} // namespace

TAlmanacArgs ParseAlmanacArgs(const std::vector<std::string>& words, const TObserver& defaults) {
    TAlmanacArgs args;
    TObserverOptions& given = args.Given;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w == "--help" || w == "-h") {
            args.Help = true;
        } else if (w == "--version") {
            args.Version = true;
        } else if (w == "--lat") {
            given.LatitudeRad = DegToRad(RangedDegrees(ValueOf(words, i), "--lat", 90));
        } else if (w == "--lon") {
            // East-positive on the command line, west-positive inside the engine.
            given.LongitudeRad = -DegToRad(RangedDegrees(ValueOf(words, i), "--lon", 180));
        } else if (w == "--zone") {
            given.ZoneMinutes = ParseWholeNumber(ValueOf(words, i), "--zone", -720, 840);
        } else if (w == "--tz") {
            given.NamedZone = NamedZoneOf(ValueOf(words, i));
        } else if (w == "--dst") {
            given.Dst = true;
        } else if (w == "--no-dst") {
            given.Dst = false;
        } else if (const TTextOption* option = FindTextOption(w)) {
            args.*(option->Field) = TextValueOf(words, i);
        } else if (w.size() > 1 && w[0] == '-' && !std::isdigit(static_cast<unsigned char>(w[1])) &&
                   w[1] != '.') {
            throw TUsageError("unknown option " + QuotedArgument(w) + " (see --help)");
        } else if (args.Command.empty()) {
            args.Command = w;
        } else {
            args.Operands.push_back(w);
        }
    }
    RefuseMixedZones(given);
    args.ObserverGiven = given.Any();
    args.Observer = WithObserverOptions(given, defaults);
    return args;
}

void ParseYearRange(const TAlmanacArgs& args, int& first, int& last, bool secondRequired) {
    const size_t wanted = secondRequired ? 2 : 1;
    if (args.Operands.size() < wanted || args.Operands.size() > 2)
        throw TUsageError(args.Command +
                          (secondRequired ? " needs YEAR1 YEAR2" : " needs YEAR [YEAR2]"));
    first = ParseWholeNumber(args.Operands[0], "YEAR", 1, LastCalendarYear);
    last = args.Operands.size() == 2
               ? ParseWholeNumber(args.Operands[1], "YEAR2", 1, LastCalendarYear)
               : first;
    if (last < first) throw TUsageError("YEAR2 must not come before YEAR");
}

namespace {

// The value of `count` decimal digits at `at`, or -1 when any of them is not a digit.
int Digits(std::string_view text, size_t at, size_t count) {
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

TDateRec ParseIsoDate(const std::string& word, const std::string& what) {
    if (word.size() != 10 || word[4] != '-' || word[7] != '-' || Digits(word, 0, 4) < 0 ||
        Digits(word, 5, 2) < 0 || Digits(word, 8, 2) < 0)
        throw TUsageError(what + " must be written YYYY-MM-DD: " + QuotedArgument(word));
    const int year = Digits(word, 0, 4);
    const int month = Digits(word, 5, 2);
    const int day = Digits(word, 8, 2);
    if (year < 1 || !IsValidDate(year, month, day))
        throw TUsageError("no such date: " + QuotedArgument(word));
    return MakeDate(year, month, day);
}

TDateRec ParseIsoMinute(const std::string& text, const std::string& what) {
    const TUsageError bad(what + " needs \"YYYY-MM-DD HH:MM\", got " + QuotedArgument(text));
    if (text.size() != 16 || text[10] != ' ' || text[13] != ':') throw bad;
    const int hour = Digits(text, 11, 2);
    const int minute = Digits(text, 14, 2);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) throw bad;
    TDateRec date;
    try {
        date = ParseIsoDate(text.substr(0, 10), what);
    } catch (const TUsageError&) {
        throw bad;
    }
    return MakeDate(date.Year, date.Month, date.Day, hour, minute);
}
