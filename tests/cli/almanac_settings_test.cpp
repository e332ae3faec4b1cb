#include <gtest/gtest.h>

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
#endif

} // namespace
