// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/regional_names.h"

namespace {

TRegionalNames& Current() {
    static TRegionalNames names = EnglishNames();
    return names;
}

} // namespace

const TRegionalNames& EnglishNames() {
    static const TRegionalNames names{
        {"January", "February", "March", "April", "May", "June", "July", "August", "September",
         "October", "November", "December"},
        {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
        {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
        {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}};
    return names;
}

const TRegionalNames& RegionalNames() {
    return Current();
}

void SetRegionalNames(const TRegionalNames& names) {
    Current() = names;
}

const std::string& LongMonthName(int month) {
    static const std::string none;
    if (month < 1 || month > 12) return none;
    return Current().LongMonthNames[month - 1];
}
