// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "settings/settings.h"

class TSettingsStore;

// Shows a warning to the user; the window layer puts it in a message box with an OK button.
using TSettingsWarning = std::function<void(const std::string& message)>;

// The main window's clock offsets that follow from the settings.
struct TZoneOffsets {
    int ZoneMinutes = 0;
    int DstMinutes = 0;
};

// Reads every setting into `settings`, creating the store with its defaults on the first
// start, repairing damaged values and migrating stores of earlier versions. All changes to
// the store are made in one transaction. Afterwards every start-up message is handed to
// `warn`, in this order: the store's RecoveryMessage() (also when a file found corrupt
// while reading was moved aside during this call), its ReadOnlyMessage(), that the
// changes could not be saved, then one message per repaired value. A window gathering
// them into one message box needs no other source.
[[nodiscard]] TZoneOffsets LoadSettings(TSettingsStore& store, TSettings& settings,
                                        const TSettingsWarning& warn);

// The time-zone warning shown when the stored time zone was empty.
inline constexpr const char* DamagedTimeZoneMessage =
    "\r\nYour Timezone setting was damaged. Please reset it in Tidewell's Configuration screen.";
