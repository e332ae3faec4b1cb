#pragma once

// Runs the almanac in-process and keeps what it wrote, for the command-line tests.

#include <sstream>
#include <string>
#include <vector>

#include "cli/almanac_commands.h"

struct TRun {
    int Status = 0;
    std::string Out;
    std::string Err;
    std::vector<std::string> Lines; // Out split at its line ends
};

inline TRun Almanac(const std::vector<std::string>& words) {
    std::ostringstream out;
    std::ostringstream err;
    TRun run;
    run.Status = RunAlmanac(words, out, err);
    run.Out = out.str();
    run.Err = err.str();
    std::istringstream lines(run.Out);
    for (std::string line; std::getline(lines, line);)
        run.Lines.push_back(line);
    return run;
}
