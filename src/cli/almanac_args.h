#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "engine/observer.h"

// A mistake on the command line; main() prints it on one line and exits with status 2.
struct TUsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct TAlmanacArgs {
    std::string Command;               // "now", "moon", ... ; empty with --help
    std::vector<std::string> Operands; // the command's own words, options removed
    std::string File;                  // --file F
    std::string At;                    // --at "YYYY-MM-DD HH:MM" (local civil time)
    std::string What;                  // --what KIND,KIND... (ics)
    std::string Output;                // -o FILE (ics); empty: standard output
    TObserver Observer;                // from --lat/--lon/--zone/--dst or the defaults
    bool ObserverGiven = false;        // any of --lat/--lon/--zone/--dst was given
    bool Help = false;
};

// Reads the command line (argv[1..]). Observer options may stand anywhere.
// `defaults` is the observer used for options not given.
[[nodiscard]] TAlmanacArgs ParseAlmanacArgs(const std::vector<std::string>& words,
                                            const TObserver& defaults);

// Strict number parsing for operands: the whole word must be the number.
[[nodiscard]] double ParseNumber(const std::string& word, const std::string& what);
[[nodiscard]] int ParseWholeNumber(const std::string& word, const std::string& what, int low,
                                   int high);

// The YEAR [YEAR2] operands of the yearly commands (YEAR2 required when secondRequired).
void ParseYearRange(const TAlmanacArgs& args, int& first, int& last, bool secondRequired = false);
