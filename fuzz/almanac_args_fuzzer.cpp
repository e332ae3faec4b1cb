// SPDX-License-Identifier: GPL-3.0-or-later
// The almanac's command line: the input is its words, separated by NUL bytes. Every word
// list either is refused with a usage error or gives an observer at a real place; the year
// operands either are refused or lie in 1..9999 in order. Run through the whole program, any
// message it writes is exactly one line of well-formed UTF-8 without control characters, and a
// refusal writes nothing else.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "cli/almanac_args.h"
#include "cli/almanac_commands.h"
#include "cli/message_line.h"
#include "fuzz_check.h"

namespace {

// Whether the command is quick enough to run for every input and touches no file: long
// spans of years are left to the benchmarks, and file names to the moon_file harness.
bool WorthRunning(const TAlmanacArgs& args) {
    if (!args.File.empty() || !args.Output.empty()) return false;
    for (const char* yearly : {"phases", "apsides", "eclipses", "seasons", "easter", "ics"}) {
        if (args.Command != yearly) continue;
        try {
            int first = 0, last = 0;
            ParseYearRange(args, first, last);
            return last - first <= 2;
        } catch (const TUsageError&) {
            return true; // refused before any work
        }
    }
    return args.Operands.size() <= 16;
}

void CheckOneLineMessages(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    const int status = RunAlmanac(words, out, err);
    const std::string message = err.str();
    FUZZ_CHECK(status == 0 || status == 1 || status == 2);
    FUZZ_CHECK(status == 0 || !message.empty());
    FUZZ_CHECK(status != 2 || out.str().empty());
    FUZZ_CHECK(message.empty() ||
               (std::count(message.begin(), message.end(), '\n') == 1 && message.back() == '\n'));
    FUZZ_CHECK(std::none_of(message.begin(), message.end() - (message.empty() ? 0 : 1),
                            [](char c) { return static_cast<unsigned char>(c) < 0x20; }));
    // Nothing left to escape: well-formed UTF-8 without control characters.
    const std::string line = message.substr(0, message.empty() ? 0 : message.size() - 1);
    FUZZ_CHECK(MessageLine(line) == line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\0')
            words.emplace_back();
        else
            words.back() += static_cast<char>(data[i]);
    }
    TAlmanacArgs args;
    try {
        args = ParseAlmanacArgs(words, TObserver{});
    } catch (const TUsageError&) {
        CheckOneLineMessages(words); // refused while reading the options
        return 0;
    }
    FUZZ_CHECK(std::isfinite(args.Observer.ObserverLatitude) &&
               std::fabs(args.Observer.ObserverLatitude) <= std::numbers::pi / 2 + 1e-12);
    FUZZ_CHECK(std::isfinite(args.Observer.ObserverLongitude) &&
               std::fabs(args.Observer.ObserverLongitude) <= std::numbers::pi + 1e-12);
    for (bool secondRequired : {false, true}) {
        try {
            int first = 0, last = 0;
            ParseYearRange(args, first, last, secondRequired);
            FUZZ_CHECK(first >= 1 && first <= last && last <= 9999);
        } catch (const TUsageError&) {
        }
    }
    for (const std::string& operand : args.Operands) {
        try {
            const TDateRec date = ParseIsoDate(operand);
            FUZZ_CHECK(date.Year >= 1 && date.Year <= 9999 && operand.size() == 10);
        } catch (const TUsageError&) {
        }
    }
    if (WorthRunning(args)) CheckOneLineMessages(words);
    return 0;
}
