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
// usage errors as one line to `err`. `defaults` is the observer for options not given.
int RunAlmanac(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
               const TObserver& defaults = TObserver{});

// The commands.
int RunNow(const TAlmanacArgs& args, std::ostream& out);
int RunMoon(const TAlmanacArgs& args, std::ostream& out);
int RunPhases(const TAlmanacArgs& args, std::ostream& out);
int RunRiseSet(const TAlmanacArgs& args, std::ostream& out);
int RunApsides(const TAlmanacArgs& args, std::ostream& out);
int RunEclipses(const TAlmanacArgs& args, std::ostream& out);
int RunSeasons(const TAlmanacArgs& args, std::ostream& out);
int RunEaster(const TAlmanacArgs& args, std::ostream& out);
int RunDateInfo(const TAlmanacArgs& args, std::ostream& out);
int RunFeatures(const TAlmanacArgs& args, std::ostream& out);
int RunIcs(const TAlmanacArgs& args, std::ostream& out);
