// SPDX-License-Identifier: GPL-3.0-or-later
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

// The fields of one CSV line, quotes and doubled quotes undone.
inline std::vector<std::string> SplitCsv(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(field);
    return fields;
}
