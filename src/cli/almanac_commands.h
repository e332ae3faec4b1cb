// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <ostream>

#include "cli/almanac_args.h"

// One command of tidewell-almanac.
struct TAlmanacCommand {
    const char* Name;
    const char* Usage;   // operands, as shown by --help
    const char* Summary; // one line
    int (*Run)(const TAlmanacArgs& args, std::ostream& out);
    // False for commands that compute nothing for a place or a time zone: they never open
    // the settings store.
    bool NeedsObserver = true;
};

// Every command, in the order --help lists them.
[[nodiscard]] const TAlmanacCommand* AlmanacCommands(int& count);

// The command of that name, or nullptr.
[[nodiscard]] const TAlmanacCommand* FindAlmanacCommand(const std::string& name);

void PrintAlmanacHelp(std::ostream& out);

// The observer of the settings store. Called at most once, and only when a command that needs
// an observer was not given every observer option.
using TStoredObserver = std::function<TObserver()>;

// Runs the whole command line as main() does: returns the exit status, and writes usage
// errors (status 2) and other failures (status 1) as one line to `err`. `stored` gives the
// observer for options not given; without it they are latitude 0, longitude 0, zone 0, no
// daylight saving.
int RunAlmanac(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
               const TStoredObserver& stored = {});

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
int RunTerminator(const TAlmanacArgs& args, std::ostream& out);
