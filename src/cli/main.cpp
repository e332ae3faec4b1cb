#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/almanac_commands.h"
#include "cli/message_line.h"
#include "engine/whole_file.h"
#include "settings/load_settings.h"
#include "settings/settings_observer.h"
#include "settings/settings_store.h"

namespace {

// The observer of Tidewell's settings when the program has stored them; the almanac never
// creates a store of its own. Asked for only when an observer option is missing, so the
// commands that need none, and runs that give every option, never open the store.
TObserver StoredObserver() {
    const std::string path = TSettingsStore::DefaultPath();
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return TObserver{};
    TSettingsStore store(path);
    TSettings settings = DefaultSettings();
    (void)LoadSettings(store, settings, [](const std::string& message) {
        // The leading line break is for the window's message box, not for a terminal.
        const auto start = message.find_first_not_of("\r\n");
        if (start != std::string::npos)
            std::cerr << "tidewell-almanac: settings: " << MessageLine(message.substr(start))
                      << '\n';
    });
    return ObserverFromSettings(settings);
}

} // namespace

int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    const std::vector<std::string> words(argv + 1, argv + argc);
    return RunAlmanac(words, std::cout, std::cerr, StoredObserver);
}
