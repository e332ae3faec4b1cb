// SPDX-License-Identifier: GPL-3.0-or-later
// The settings values as LoadSettings reads them: each line of the input is the stored text
// of one value of the settings key, in the order of SettingDefs() (the version, position,
// time zone, printing choices ...). The values, not a fuzzed database file, are what
// Tidewell's own code parses, repairs and migrates; a fuzzed file would mostly exercise
// SQLite's page checks, which reject it as damaged before any value is read.
//
// Properties: the observer is a real place, the time server is either read as a host and a
// port 1..65535 or refused with a message quoting it, and a second start finds nothing left
// to repair (every repair was stored; a zone name the database lacks is only said again).

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "settings/load_settings.h"
#include "settings/settings.h"
#include "settings/settings_observer.h"
#include "settings/settings_store.h"
#include "settings/time_server_address.h"

namespace fs = std::filesystem;

namespace {

// One store for the whole run, in memory-backed storage when there is some.
TSettingsStore& Store() {
    // Never destroyed: the exit handler below still needs it after static destruction.
    static const std::string& folder = *new std::string([] {
        std::string pattern = (fs::exists("/dev/shm") ? std::string("/dev/shm")
                                                      : fs::temp_directory_path().string()) +
                              "/tidewell-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(folder, ignored);
        });
        return pattern;
    }());
    static TSettingsStore store(folder + "/settings.db", 1000);
    return store;
}

std::vector<TNamedText> ValuesOf(std::string_view input) {
    std::vector<TNamedText> values;
    for (const TSettingDef& def : SettingDefs()) {
        if (input.empty()) break;
        const std::size_t end = input.find('\n');
        values.push_back({std::string(def.Name), std::string(input.substr(0, end))});
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TSettingsStore& store = Store();
    (void)store.DeleteKey(SettingsKeyPath);
    (void)store.DeleteKey(UserKeyPath);
    const auto key = store.OpenKey(SettingsKeyPath, true);
    FUZZ_CHECK(key.has_value());
    FUZZ_CHECK(store.WriteTexts(
        *key, ValuesOf(std::string_view(reinterpret_cast<const char*>(data), size))));

    TSettings settings;
    (void)LoadSettings(store, settings, {});
    const TObserver observer = ObserverFromSettings(settings);
    FUZZ_CHECK(std::isfinite(observer.ObserverLatitude) &&
               std::fabs(observer.ObserverLatitude) <= std::numbers::pi / 2 + 1e-12);
    FUZZ_CHECK(std::isfinite(observer.ObserverLongitude) &&
               std::fabs(observer.ObserverLongitude) <= std::numbers::pi + 1e-12);

    const TTimeServerCheck server = CheckTimeServerAddress(settings.TimeServer);
    FUZZ_CHECK(server.Address ? !server.Address->Host.empty() && server.Address->Port >= 1 &&
                                    server.Address->Port <= 65535
                              : server.Problem.rfind("The time server \"", 0) == 0);

    std::vector<std::string> warnings;
    TSettings again;
    (void)LoadSettings(store, again,
                       [&](const std::string& message) { warnings.push_back(message); });
    // A stored zone name this computer's tz database lacks is kept (another computer may have
    // it) and said again at each start: not a repair left undone.
    std::erase_if(warnings, [](const std::string& message) {
        return message.find("Your time zone setting could not be used") != std::string::npos;
    });
    FUZZ_CHECK(warnings.empty());
    for (const TSettingDef& def : SettingDefs())
        FUZZ_CHECK(SettingText(again, def) == SettingText(settings, def));
    return 0;
}
