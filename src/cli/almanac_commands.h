#pragma once

#include <ostream>

#include "cli/almanac_args.h"

// One command of tidewell-almanac.
struct TAlmanacCommand {
    const char* Name;
    const char* Usage;   // operands, as shown by --help
    const char* Summary; // one line
    int (*Run)(const TAlmanacArgs& args, std::ostream& out);
};

// Every command, in the order --help lists them.
[[nodiscard]] const TAlmanacCommand* AlmanacCommands(int& count);

// The command of that name, or nullptr.
[[nodiscard]] const TAlmanacCommand* FindAlmanacCommand(const std::string& name);

void PrintAlmanacHelp(std::ostream& out);

// Runs the whole command line as main() does: returns the exit status, and writes
// usage errors as one line to `err`.
int RunAlmanac(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

// The commands.
int RunNow(const TAlmanacArgs& args, std::ostream& out);
int RunMoon(const TAlmanacArgs& args, std::ostream& out);
int RunPhases(const TAlmanacArgs& args, std::ostream& out);
