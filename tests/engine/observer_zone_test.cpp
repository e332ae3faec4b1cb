// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "engine/date_time.h"
#include "engine/observer_zone.h"

// Expected values: the zones' published rules, checked with Python's zoneinfo.
namespace {

// An empty name stands for a fixed offset of +5:30 with an hour of daylight saving.
TObserverZone ZoneOf(const char* name) {
    if (!*name) return TObserverZone::Fixed(330, 60);
    const TNamedZoneLookup found = LookUpNamedZone(name);
    EXPECT_TRUE(found.Zone) << ZoneErrorMessage(found.Error, name);
    return found.Zone.value_or(TObserverZone());
}

struct StateCase { // at an instant (UT): offset and standard offset in minutes, flag, name
    const char* Zone;
    int Year, Month, Day, Hour, Minute, Second, OffsetMinutes, StandardMinutes;
    bool Daylight;
    const char* Abbreviation;
};
class ZoneStateTest : public testing::TestWithParam<StateCase> {};

TEST_P(ZoneStateTest, OffsetFlagAndAbbreviationAtAnInstant) {
    const StateCase& c = GetParam();
    const TZoneState s =
        ZoneOf(c.Zone).StateAt(JulianDayOf(c.Year, c.Month, c.Day, c.Hour, c.Minute, c.Second));
    EXPECT_EQ(s.OffsetMinutes(), c.OffsetMinutes);
    EXPECT_EQ(s.StandardOffsetSeconds, c.StandardMinutes * 60);
    EXPECT_EQ(s.IsDaylightSaving, c.Daylight);
    EXPECT_EQ(s.Abbreviation, c.Abbreviation);
}

// The years past 2037 lie beyond the last transition Debian's files list.
INSTANTIATE_TEST_SUITE_P(
    Zones, ZoneStateTest,
    testing::Values(StateCase{"America/New_York", 2026, 3, 8, 6, 59, 59, -300, -300, false, "EST"},
                    StateCase{"America/New_York", 2026, 3, 8, 7, 0, 0, -240, -300, true, "EDT"},
                    StateCase{"America/New_York", 2041, 3, 10, 7, 0, 0, -240, -300, true, "EDT"},
                    StateCase{"Australia/Sydney", 2046, 1, 1, 0, 0, 0, 660, 600, true, "AEDT"},
                    StateCase{"Australia/Lord_Howe", 2026, 1, 15, 0, 0, 0, 660, 630, true, "+11"},
                    StateCase{"Pacific/Chatham", 2055, 7, 1, 0, 0, 0, 765, 765, false, "+1245"},
                    StateCase{"", 2026, 7, 1, 0, 0, 0, 390, 330, true, ""}));

struct LocalCase { // a local time; its instants in minutes from 0h UT of the local date
    const char* Zone;
    int Year, Month, Day, Hour, Minute, EarliestMinutes, LatestMinutes;
    TLocalTimeKind Kind;
};
class LocalToUTTest : public testing::TestWithParam<LocalCase> {};

TEST_P(LocalToUTTest, SkippedAndRepeatedHours) {
    const LocalCase& c = GetParam();
    const double day = JulianDayOf(c.Year, c.Month, c.Day);
    for (const auto& [choice, minutes] : {std::pair{TLocalChoice::Earliest, c.EarliestMinutes},
                                          std::pair{TLocalChoice::Latest, c.LatestMinutes}}) {
        const TLocalToUT ut =
            ZoneOf(c.Zone).LocalToUT(day + (c.Hour * 60 + c.Minute) / 1440.0, choice);
        EXPECT_NEAR((ut.JD - day) * 1440.0, minutes, 1e-3) << c.Zone;
        EXPECT_EQ(ut.Kind, c.Kind) << c.Zone;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Zones, LocalToUTTest,
    testing::Values(
        LocalCase{"America/New_York", 2026, 3, 8, 2, 30, 420, 420, TLocalTimeKind::Skipped},
        LocalCase{"America/New_York", 2026, 11, 1, 1, 30, 330, 390, TLocalTimeKind::Repeated},
        LocalCase{"America/New_York", 2040, 3, 11, 2, 30, 420, 420, TLocalTimeKind::Skipped},
        LocalCase{"Australia/Lord_Howe", 2026, 4, 5, 1, 45, -555, -525, TLocalTimeKind::Repeated},
        LocalCase{"Pacific/Chatham", 2026, 9, 27, 3, 0, -600, -600, TLocalTimeKind::Skipped},
        LocalCase{"America/New_York", 2026, 11, 1, 12, 0, 1020, 1020, TLocalTimeKind::Unique}));

// Every hour (and a minute) of two years: the local reading of an instant leads back to it.
TEST(ObserverZone, LocalTimeOfAnInstantLeadsBackToIt) {
    for (const char* name : {"America/New_York", "Australia/Lord_Howe", "Pacific/Chatham"})
        for (const int year : {2026, 2044})
            for (double ut = JulianDayOf(year, 1, 1); ut < JulianDayOf(year + 1, 1, 1);
                 ut += 61.0 / 1440) {
                const TObserverZone zone = ZoneOf(name);
                const double local = ut + zone.StateAt(ut).OffsetDays();
                const double early = zone.LocalToUT(local, TLocalChoice::Earliest).JD;
                const double late = zone.LocalToUT(local, TLocalChoice::Latest).JD;
                ASSERT_LT(std::min(std::abs(early - ut), std::abs(late - ut)), 1e-7) << name << ut;
            }
}

TEST(ObserverZone, NamesTheDatabaseLacksAreErrors) {
    for (const auto& [name, error] :
         {std::pair<std::string, TZoneError>{"Mars/Olympus_Mons", TZoneError::UnknownZone},
          {"", TZoneError::MalformedName},
          {"../../etc/passwd", TZoneError::MalformedName},
          {std::string(65, 'a'), TZoneError::MalformedName},
          {"Etc/GMT+5", TZoneError::None}})
        EXPECT_EQ(LookUpNamedZone(name).Error, error) << name;
}

// Runs itself again where an empty folder hides /usr/share/zoneinfo (a mount namespace).
TEST(ObserverZone, MissingDatabaseIsReported) {
    if (std::getenv("TIDEWELL_ZONEINFO_HIDDEN")) // the child: 0 when neither finds a database
        std::exit(LookUpNamedZone("Europe/London").Error != TZoneError::NoDatabase ||
                  !NamedZoneNames().empty());
    const std::string command =
        "unshare --mount true 2>/dev/null || exit 77; TIDEWELL_ZONEINFO_HIDDEN=1 unshare "
        "--mount --propagation private sh -c 'mount -t tmpfs none /usr/share/zoneinfo && exec "
        "/proc/" +
        std::to_string(getpid()) +
        "/exe --gtest_filter=ObserverZone.MissingDatabaseIsReported' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no mount namespace for the test";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
