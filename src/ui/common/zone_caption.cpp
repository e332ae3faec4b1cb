// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/zone_caption.h"

#include "engine/system_zone.h"

QString ZoneCaption(const TSettings& settings, const TObserverZone& zone, double fromUT,
                    double toUT) {
    if (!zone.IsNamed()) return {};
    const std::string place =
        settings.Location.empty() ? ZonePlaceName(zone.Name()) : settings.Location;
    const std::string first = zone.StateAt(fromUT).Abbreviation;
    const std::string last = zone.StateAt(toUT).Abbreviation;
    const std::string abbreviations = first == last ? first : first + "/" + last;
    return QString::fromStdString(place + " (" + abbreviations + ")");
}
