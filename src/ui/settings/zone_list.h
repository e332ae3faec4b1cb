// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The configuration's time-zone list: the 49 fixed offsets ("GMT - 12:00" .. "GMT + 12:00")
// as always, then every zone of the system's tz database. The list is editable and searches
// as the user types: "syd" offers Australia/Sydney, "eastern" US/Eastern.
//
//   SetUpZoneList(*combo);
//   const TZoneSelection chosen = SelectedZone(*combo);
//   if (chosen.Error != TZoneError::None) ShowMessage(this, ZoneProblem(chosen));

#include <optional>
#include <string>

#include <QString>

#include "engine/observer_zone.h"

class QComboBox;

inline constexpr int GreenwichZone = 24;
inline constexpr int FixedZoneCount = 49;

// "GMT - 12:00" .. "GMT" .. "GMT + 12:00" for the zone indices 0..48.
[[nodiscard]] QString TimeZoneText(int index);

// What the list's text stands for: a fixed offset, a named zone, or neither (and why).
struct TZoneSelection {
    QString Text;
    int FixedIndex = -1; // 0..48 for a fixed offset
    std::optional<TObserverZone> Named;
    TZoneError Error = TZoneError::None;
};

// Fills the list and makes it searchable, in the colours of the window's other lists.
void SetUpZoneList(QComboBox& list);

[[nodiscard]] TZoneSelection SelectedZone(const QComboBox& list);

// Shows the named zone when it has a name the database holds, else the fixed offset.
void ShowZone(QComboBox& list, int fixedIndex, const std::string& zoneName);

// The message for a text that is neither a fixed offset nor a zone of the database.
[[nodiscard]] QString ZoneProblem(const TZoneSelection& selection);
