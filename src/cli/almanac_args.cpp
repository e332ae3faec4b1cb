#include "cli/almanac_args.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "engine/angles.h"

double ParseNumber(const std::string& word, const std::string& what) {
    if (word.empty()) throw TUsageError(what + " is empty");
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (end == word.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(value))
        throw TUsageError(what + " is not a number: '" + word + "'");
    return value;
}

int ParseWholeNumber(const std::string& word, const std::string& what, int low, int high) {
    const double value = ParseNumber(word, what);
    if (value != std::trunc(value))
        throw TUsageError(what + " must be a whole number: '" + word + "'");
    if (value < low || value > high)
        throw TUsageError(what + " must lie between " + std::to_string(low) + " and " +
                          std::to_string(high) + ": '" + word + "'");
    return static_cast<int>(value);
}

namespace {

double RangedDegrees(const std::string& word, const std::string& what, double limit) {
    const double value = ParseNumber(word, what);
    if (std::fabs(value) > limit)
        throw TUsageError(what + " must lie between -" + std::to_string(static_cast<int>(limit)) +
                          " and " + std::to_string(static_cast<int>(limit)) + ": '" + word + "'");
    return value;
}

const std::string& ValueOf(const std::vector<std::string>& words, size_t& i) {
    if (i + 1 >= words.size()) throw TUsageError(words[i] + " needs a value");
    return words[++i];
}

} // namespace

TAlmanacArgs ParseAlmanacArgs(const std::vector<std::string>& words, const TObserver& defaults) {
    TAlmanacArgs args;
    args.Observer = defaults;
    bool dst = defaults.DstMinutes != 0;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w == "--help" || w == "-h") {
            args.Help = true;
        } else if (w == "--lat") {
            args.Observer.ObserverLatitude =
                DegToRad(RangedDegrees(ValueOf(words, i), "--lat", 90));
            args.ObserverGiven = true;
        } else if (w == "--lon") {
            // East-positive on the command line, west-positive inside the engine.
            args.Observer.ObserverLongitude =
                -DegToRad(RangedDegrees(ValueOf(words, i), "--lon", 180));
            args.ObserverGiven = true;
        } else if (w == "--zone") {
            args.Observer.ZoneMinutes = ParseWholeNumber(ValueOf(words, i), "--zone", -720, 840);
            args.ObserverGiven = true;
        } else if (w == "--dst") {
            dst = true;
            args.ObserverGiven = true;
        } else if (w == "--file") {
            args.File = ValueOf(words, i);
        } else if (w == "--at") {
            args.At = ValueOf(words, i);
        } else if (w == "--what") {
            args.What = ValueOf(words, i);
        } else if (w == "-o" || w == "--output") {
            args.Output = ValueOf(words, i);
        } else if (w.size() > 1 && w[0] == '-' && !std::isdigit(static_cast<unsigned char>(w[1])) &&
                   w[1] != '.') {
            throw TUsageError("unknown option '" + w + "' (see --help)");
        } else if (args.Command.empty()) {
            args.Command = w;
        } else {
            args.Operands.push_back(w);
        }
    }
    args.Observer.DstMinutes = dst ? 60 : 0;
    return args;
}

void ParseYearRange(const TAlmanacArgs& args, int& first, int& last, bool secondRequired) {
    const size_t wanted = secondRequired ? 2 : 1;
    if (args.Operands.size() < wanted || args.Operands.size() > 2)
        throw TUsageError(args.Command +
                          (secondRequired ? " needs YEAR1 YEAR2" : " needs YEAR [YEAR2]"));
    first = ParseWholeNumber(args.Operands[0], "YEAR", 1, 9999);
    last = args.Operands.size() == 2 ? ParseWholeNumber(args.Operands[1], "YEAR2", 1, 9999) : first;
    if (last < first) throw TUsageError("YEAR2 must not come before YEAR");
}
