// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/almanac_commands.h"
#include "cli/message_line.h"
#include "engine/whole_file.h"
#include "settings/load_settings.h"
#include "settings/settings_observer.h"
#include "settings/settings_store.h"

namespace {

void PrintSettingsWarning(const std::string& message) {
    // The leading line break is for the window's message box, not for a terminal.
    const auto start = message.find_first_not_of("\r\n");
    if (start != std::string::npos)
        std::cerr << "tidewell-almanac: settings: " << MessageLine(message.substr(start)) << '\n';
}

// The almanac computes for the user's own place or not at all: when the store could not be
// read, or was damaged and has been kept aside, its observer is lost for this run.
void RefuseLostObserver(const TSettingsStore& store) {
    const std::string give = "; give --lat, --lon, --zone and --dst or --no-dst";
    if (!store.DamagedCopyPath().empty())
        throw std::runtime_error("the settings file was damaged and has been kept as \"" +
                                 store.DamagedCopyPath() + "\"; its place is lost" + give);
    if (!store.IsPersistent())
        throw std::runtime_error("the settings file \"" + store.Path() + "\" could not be read" +
                                 give);
}

// The observer of Tidewell's settings when the program has stored them; the almanac never
// creates a store of its own. Asked for only when an observer option is missing, so the
// commands that need none, and runs that give every option, never open the store. A store
// that cannot be written is read as it is.
TObserver StoredObserver() {
    const std::string path = TSettingsStore::DefaultPath();
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) return TObserver{};
    TSettingsStore store(path);
    TSettings settings = DefaultSettings();
    std::vector<std::string> warnings;
    (void)LoadSettings(store, settings,
                       [&warnings](const std::string& message) { warnings.push_back(message); });
    RefuseLostObserver(store);
    for (const std::string& message : warnings)
        PrintSettingsWarning(message);
    return ObserverFromSettings(settings);
}

} // namespace

int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    const std::vector<std::string> words(argv + 1, argv + argc);
    return RunAlmanac(words, std::cout, std::cerr, StoredObserver);
}
