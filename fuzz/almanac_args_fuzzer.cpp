// The almanac's command line: the input is its words, separated by NUL bytes. Every word
// list either is refused with a usage error or gives an observer at a real place; the year
// operands either are refused or lie in 1..9999 in order.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "cli/almanac_args.h"
#include "fuzz_check.h"

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
    return 0;
}
