// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "settings/load_settings.h"
#include "settings/settings_store.h"

namespace {

#ifdef ALMANAC_PATH
std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The almanac reads the observer from a store whose position is damaged: it warns on
// plain lines and computes for the repaired position, never for "nan".
TEST(AlmanacProgram, DamagedStoredPositionIsRepairedWithPlainWarnings) {
    const std::filesystem::path config = testing::TempDir() + "/almanac-damaged-config";
    std::filesystem::remove_all(config);
    {
        TSettingsStore store((config / "tidewell" / "settings.db").string());
        TSettings settings;
        (void)LoadSettings(store, settings, nullptr);
        const auto key = store.OpenKey("HKEY_TIDEWELL", false);
        ASSERT_TRUE(key && store.WriteTexts(*key, {{"LatDeg", "nan"}, {"LongDeg", "9e9"}}));
    }
    const std::filesystem::path out = config / "out.txt";
    const std::filesystem::path err = config / "err.txt";
    const std::string command = "XDG_CONFIG_HOME=" + config.string() + " " + ALMANAC_PATH +
                                " now > " + out.string() + " 2> " + err.string();
    ASSERT_EQ(std::system(command.c_str()), 0);

    const std::string errors = FileText(err);
    EXPECT_EQ(errors.find('\r'), std::string::npos) << errors;
    std::istringstream lines(errors);
    int warnings = 0;
    for (std::string line; std::getline(lines, line); ++warnings)
        EXPECT_EQ(line.rfind("tidewell-almanac: settings: Your ", 0), 0u) << line;
    EXPECT_EQ(warnings, 2) << errors; // latitude and longitude
    const std::string report = FileText(out);
    EXPECT_EQ(report.find("nan"), std::string::npos) << report;
    EXPECT_EQ(report.find("inf"), std::string::npos) << report;
    std::filesystem::remove_all(config);
}

struct TProgramRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// The real program with its configuration folder in `config`, after the commands `shell`.
TProgramRun RunProgram(const std::filesystem::path& config, const std::string& arguments,
                       const std::string& shell = "") {
    const std::filesystem::path out = config / "out.txt";
    const std::filesystem::path err = config / "err.txt";
    const std::string command = shell + "XDG_CONFIG_HOME=" + config.string() + " " + ALMANAC_PATH +
                                " " + arguments + " > " + out.string() + " 2> " + err.string();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, FileText(out), FileText(err)};
}

std::string FirstLines(const std::string& text, int count) {
    size_t end = 0;
    for (int i = 0; i < count && end != std::string::npos; ++i)
        end = text.find('\n', end + (i ? 1 : 0));
    return text.substr(0, end);
}

// Each observer option on the command line replaces its part of the stored observer, and
// --no-dst switches stored daylight saving off. The store is opened only when a command
// needs an observer and an option is missing: a damaged stored value, repaired with a warning
// when the store is read, shows whether it was.
TEST(AlmanacProgram, OptionsOverrideTheStoreWhichIsOpenedOnlyWhenNeeded) {
    const std::filesystem::path config = testing::TempDir() + "/almanac-override-config";
    std::filesystem::remove_all(config);
    {
        TSettingsStore store((config / "tidewell" / "settings.db").string());
        TSettings settings;
        (void)LoadSettings(store, settings, nullptr);
        const auto key = store.OpenKey("HKEY_TIDEWELL", false);
        // 40 N, zone index 34 = UTC+05:00, daylight saving on; the longitude damaged.
        ASSERT_TRUE(key && store.WriteTexts(*key, {{"LatDeg", "40"},
                                                   {"LatDir", "North"},
                                                   {"TimeZone", "34"},
                                                   {"DaylightSavings", "True"},
                                                   {"LongDeg", "9e9"}}));
    }
    for (const char* unopened : {"easter 2026", "dateinfo 2026-01-01", "--help",
                                 "--lat 10 --lon 20 --zone 60 --no-dst now"}) {
        const TProgramRun run = RunProgram(config, unopened);
        EXPECT_EQ(run.Err.find("settings"), std::string::npos) << unopened << ": " << run.Err;
    }

    const TProgramRun noDst = RunProgram(config, "--no-dst now");
    ASSERT_EQ(noDst.Status, 0) << noDst.Err;
    EXPECT_THAT(noDst.Err,
                testing::HasSubstr("tidewell-almanac: settings: Your longitude setting"));
    EXPECT_THAT(FirstLines(noDst.Out, 2), testing::HasSubstr("(UTC+05:00)"));
    EXPECT_THAT(FirstLines(noDst.Out, 2), testing::HasSubstr("40\u00b000'00\" N"));

    const TProgramRun stored = RunProgram(config, "--lat -12.5 now");
    ASSERT_EQ(stored.Status, 0) << stored.Err;
    EXPECT_THAT(FirstLines(stored.Out, 2), testing::HasSubstr("(UTC+06:00)"));
    EXPECT_THAT(FirstLines(stored.Out, 2), testing::HasSubstr("12\u00b030'00\" S"));

    const TProgramRun given = RunProgram(config, "--dst --zone -300 --no-dst now");
    EXPECT_THAT(FirstLines(given.Out, 2), testing::HasSubstr("(UTC-05:00)")); // the last one wins
    std::filesystem::remove_all(config);
}
// A store the almanac cannot write is read as it is: here the disk is full (a file-size
// limit below the index file SQLite needs; a full disk sends no signal). A damaged one is
// kept aside once, and the almanac refuses rather than answer for another place.
TEST(AlmanacProgram, AStoreItCannotWriteIsReadAndADamagedOneRefused) {
    const std::filesystem::path config = testing::TempDir() + "/almanac-store-config";
    const std::filesystem::path path = config / "tidewell" / "settings.db";
    for (const bool damaged : {false, true}) {
        std::filesystem::remove_all(config);
        {
            TSettingsStore store(path.string());
            TSettings settings;
            (void)LoadSettings(store, settings, nullptr);
            const auto key = store.OpenKey("HKEY_TIDEWELL", false);
            ASSERT_TRUE(key && store.WriteTexts(*key, {{"LatDeg", "41"}, {"TimeZone", "30"}}));
        }
        if (damaged) // the schema format: 6 is none that SQLite knows
            std::fstream(path, std::ios::binary | std::ios::in | std::ios::out).seekp(47).put(6);
        const TProgramRun run =
            RunProgram(config, "now", damaged ? "" : "trap '' XFSZ; ulimit -f 16; ");
        EXPECT_EQ(run.Status, damaged ? 1 : 0);
        EXPECT_THAT(run.Err,
                    testing::HasSubstr(damaged ? "damaged and has been kept as" : "no room"));
        EXPECT_EQ(run.Out.find("41\u00b000'00\" N") != std::string::npos, !damaged) << run.Out;
        const TProgramRun next = RunProgram(config, "now"); // clean, with room again
        EXPECT_EQ(next.Status, 0);
        EXPECT_EQ(next.Err, "");
    }
    std::filesystem::remove_all(config);
}
#endif

} // namespace
