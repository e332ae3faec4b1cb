// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>

#include <fstream>
#include <iterator>

#include "settings/settings_store.h"
#include "temp_folder.h"

namespace {

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsLogFile(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    return name.ends_with("-wal") || name.ends_with("-shm");
}

// The files in the folder whose names start with the prefix, without the log files that
// belong to them unless asked for.
std::vector<std::filesystem::path> FilesStartingWith(const std::filesystem::path& folder,
                                                     const std::string& prefix,
                                                     bool withLogs = false) {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().rfind(prefix, 0) == 0 &&
            (withLogs || !IsLogFile(entry.path())))
            found.push_back(entry.path());
    }
    return found;
}

TEST(SettingsStore, KeysAndValuesIgnoreCaseAndLastAcrossReopening) {
    TTempFolder folder;
    const std::string path = folder.File("settings.db");
    {
        TSettingsStore store(path);
        EXPECT_TRUE(store.RecoveryMessage().empty());
        EXPECT_FALSE(store.OpenKey("SoftWare\\Brivant\\User", false));
        const auto home = store.OpenKey("SoftWare\\Brivant\\User\\Home Location", true);
        ASSERT_TRUE(home);
        EXPECT_TRUE(store.WriteText(*home, "Timezone", "24"));
        ASSERT_TRUE(store.OpenKey("SoftWare\\Brivant\\User\\Seaside", true));
        ASSERT_TRUE(store.OpenKey("SoftWare\\Brivant\\User\\alpine", true));
    }
    TSettingsStore store(path);
    const auto user = store.OpenKey("Software\\Brivant\\USER", false);
    ASSERT_TRUE(user);
    EXPECT_EQ(store.ListSubKeys(*user),
              (std::vector<std::string>{"alpine", "Home Location", "Seaside"}));
    const auto home = store.OpenKey("software\\brivant\\user\\home location", false);
    ASSERT_TRUE(home);
    EXPECT_EQ(store.ReadText(*home, "TimeZone"), "24");
    EXPECT_EQ(store.ReadText(*home, "DST"), "");
    // Writing under another spelling replaces the one value.
    EXPECT_TRUE(store.WriteText(*home, "TIMEZONE", "25"));
    EXPECT_EQ(store.ReadText(*home, "Timezone"), "25");
    EXPECT_FALSE(store.OpenKey("", true));
}

TEST(SettingsStore, DeleteRemovesEverythingBelowAndStaleHandlesRefuseWrites) {
    TTempFolder folder;
    TSettingsStore store(folder.File("settings.db"));
    const auto hilltop = store.OpenKey("SoftWare\\Brivant\\User\\Hilltop", true);
    ASSERT_TRUE(hilltop);
    ASSERT_TRUE(store.WriteText(*hilltop, "Latitude", "411530 North"));
    const auto deeper = store.OpenKey("SoftWare\\Brivant\\User\\Hilltop\\Notes", true);
    ASSERT_TRUE(deeper);
    ASSERT_TRUE(store.WriteText(*deeper, "Text", "x"));

    EXPECT_TRUE(store.DeleteKey("software\\brivant\\user\\HILLTOP"));
    EXPECT_FALSE(store.DeleteKey("SoftWare\\Brivant\\User\\Hilltop"));
    EXPECT_FALSE(store.OpenKey("SoftWare\\Brivant\\User\\Hilltop\\Notes", false));
    EXPECT_TRUE(store.OpenKey("SoftWare\\Brivant\\User", false));
    EXPECT_FALSE(store.WriteText(*hilltop, "Latitude", "000000 North"));
    EXPECT_EQ(store.ReadText(*hilltop, "Latitude"), "");

    // A key made again under the old name starts empty.
    const auto again = store.OpenKey("SoftWare\\Brivant\\User\\Hilltop", true);
    ASSERT_TRUE(again);
    EXPECT_EQ(store.ReadText(*again, "Latitude"), "");
    EXPECT_TRUE(store.ListSubKeys(*again).empty());
}

TEST(SettingsStore, TransactionsAreAllOrNothing) {
    TTempFolder folder;
    TSettingsStore store(folder.File("settings.db"));
    const auto key = store.OpenKey("HKEY_TIDEWELL", true);
    ASSERT_TRUE(key);
    {
        TSettingsStore::TTransaction transaction(store);
        store.WriteText(*key, "LatDeg", "41");
        store.WriteTexts(*key, {{"LatMin", "15"}, {"LatSec", "30"}});
        // destroyed without Commit
    }
    EXPECT_EQ(store.ReadText(*key, "LatDeg"), "");
    EXPECT_EQ(store.ReadText(*key, "LatSec"), "");

    // One failing write undoes the whole batch.
    TStoreKey stale{*key};
    stale.Id += 1000;
    {
        TSettingsStore::TTransaction transaction(store);
        store.WriteText(*key, "LatDeg", "41");
        store.WriteText(stale, "LatMin", "15");
        EXPECT_FALSE(transaction.Commit());
    }
    EXPECT_EQ(store.ReadText(*key, "LatDeg"), "");
    EXPECT_FALSE(store.WriteTexts(*key, {{"LatDeg", "41"}, {"", "nameless"}}));
    EXPECT_EQ(store.ReadText(*key, "LatDeg"), "");

    {
        TSettingsStore::TTransaction transaction(store);
        store.WriteText(*key, "LatDeg", "41");
        EXPECT_TRUE(transaction.Commit());
    }
    EXPECT_EQ(store.ReadText(*key, "LatDeg"), "41");
}

TEST(SettingsStore, UnreadableFilesAreKeptAsideAndAFreshStoreIsMade) {
    TTempFolder folder;
    const std::string path = folder.File("settings.db");
    const std::string garbage = "This is not a database, but it may be the user's only copy.";
    const auto check = [&](const std::string& expectedOldBytes) {
        TSettingsStore store(path);
        EXPECT_FALSE(store.RecoveryMessage().empty());
        EXPECT_TRUE(store.IsPersistent());
        const auto aside = FilesStartingWith(folder.Path(), "settings.db.damaged-");
        ASSERT_EQ(aside.size(), 1u);
        if (!expectedOldBytes.empty()) {
            EXPECT_EQ(FileBytes(aside[0]), expectedOldBytes);
        }
        EXPECT_NE(store.RecoveryMessage().find(aside[0].string()), std::string::npos);
        const auto key = store.OpenKey("HKEY_TIDEWELL", true);
        ASSERT_TRUE(key);
        EXPECT_TRUE(store.WriteText(*key, "Version", "V2.62"));
        for (const auto& old : FilesStartingWith(folder.Path(), "settings.db.damaged-", true))
            std::filesystem::remove_all(old);
    };

    { std::ofstream(path, std::ios::binary) << garbage; }
    check(garbage);
    EXPECT_TRUE(TSettingsStore(path).RecoveryMessage().empty()); // the fresh one is fine

    // A real database of some other program is not taken over either.
    std::filesystem::remove(path);
    { TSettingsStore store(path); }
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(path + suffix);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE photos(id)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    check("");

    // A file cut short in the middle.
    std::filesystem::remove(path);
    {
        TSettingsStore store(path);
        const auto key = store.OpenKey("HKEY_TIDEWELL", true);
        std::vector<TNamedText> values;
        for (int i = 0; i < 400; ++i)
            values.push_back({"Value" + std::to_string(i), garbage});
        ASSERT_TRUE(store.WriteTexts(*key, values));
    }
    ASSERT_GT(std::filesystem::file_size(path), 3 * 4096u);
    std::filesystem::resize_file(path, 4096 + 100);
    check("");

    // A folder standing where the file should be.
    for (const auto& old : FilesStartingWith(folder.Path(), "settings.db"))
        std::filesystem::remove_all(old);
    std::filesystem::create_directory(path);
    check("");
}

// A damaged file whose log still holds changes: the three files are kept aside together,
// exactly as they were found.
TEST(SettingsStore, ADamagedFileIsKeptAsideWithItsLogFiles) {
    TTempFolder folder;
    const std::string path = folder.File("settings.db");
    const std::string copy = folder.File("copy.db");
    {
        TSettingsStore store(path);
        ASSERT_TRUE(store.OpenKey("HKEY_TIDEWELL", true));
    }
    {
        TSettingsStore store(path);
        const auto key = store.OpenKey("HKEY_TIDEWELL", false);
        ASSERT_TRUE(key && store.WriteText(*key, "LatDeg", "41"));
        for (const char* suffix : {"", "-wal", "-shm"}) // as a crash leaves them
            std::filesystem::copy_file(path + suffix, copy + suffix);
    }
    ASSERT_GT(std::filesystem::file_size(copy + "-wal"), 0u);
    {
        // Garbage over the second page, the table of keys, which the log does not hold.
        std::fstream file(copy, std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(4096 + 8);
        file << std::string(200, '\x7f');
    }
    const std::vector<std::string> before = {FileBytes(copy), FileBytes(copy + "-wal")};

    TSettingsStore store(copy);
    EXPECT_FALSE(store.RecoveryMessage().empty());
    const auto aside = FilesStartingWith(folder.Path(), "copy.db.damaged-");
    ASSERT_EQ(aside.size(), 1u);
    // The -shm file is only an index of the log that any reader rebuilds.
    EXPECT_TRUE(FileBytes(aside[0]) == before[0]);
    EXPECT_TRUE(FileBytes(aside[0].string() + "-wal") == before[1]);
    EXPECT_TRUE(std::filesystem::exists(aside[0].string() + "-shm"));
    const auto key = store.OpenKey("HKEY_TIDEWELL", false);
    EXPECT_FALSE(key); // a fresh store, not the old log replayed into it
}

TEST(SettingsStore, AStoreThatCannotBeMadeLivesInMemory) {
    TTempFolder folder;
    { std::ofstream(folder.File("plain-file")) << "x"; }
    TSettingsStore store(folder.File("plain-file") + "/tidewell/settings.db");
    EXPECT_FALSE(store.IsPersistent());
    EXPECT_TRUE(store.IsNew()); // holds nothing: a first start, not lost settings
    EXPECT_FALSE(store.RecoveryMessage().empty());
    const auto key = store.OpenKey("HKEY_TIDEWELL", true);
    ASSERT_TRUE(key);
    EXPECT_TRUE(store.WriteText(*key, "Version", "V2.62"));
    EXPECT_EQ(store.ReadText(*key, "version"), "V2.62");
}

TEST(SettingsStore, DefaultPathFollowsTheConfigurationFolder) {
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedConfig = oldConfig ? oldConfig : "";
    const std::string savedHome = oldHome ? oldHome : "";

    setenv("XDG_CONFIG_HOME", "/nowhere/config", 1);
    EXPECT_EQ(TSettingsStore::DefaultPath(), "/nowhere/config/tidewell/settings.db");
    setenv("XDG_CONFIG_HOME", "relative/config", 1); // not absolute: ignored
    setenv("HOME", "/nowhere/home", 1);
    EXPECT_EQ(TSettingsStore::DefaultPath(), "/nowhere/home/.config/tidewell/settings.db");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(TSettingsStore::DefaultPath(), "/nowhere/home/.config/tidewell/settings.db");

    if (oldConfig) setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    if (oldHome)
        setenv("HOME", savedHome.c_str(), 1);
    else
        unsetenv("HOME");
}

// Two running copies: each counts up one shared value and writes its own values. Lost
// updates or a damaged file would show in the count or in the next open.
TEST(SettingsStore, TwoProcessesWritingAtOnceLoseNothing) {
    TTempFolder folder;
    const std::string path = folder.File("settings.db");
    constexpr int Rounds = 150;
    {
        TSettingsStore store(path);
        ASSERT_TRUE(store.OpenKey("HKEY_TIDEWELL", true));
    }
    // Both copies open the store, then wait at the pipe until the parent lets them go.
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::vector<pid_t> children;
    for (int copy = 0; copy < 2; ++copy) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(gate[1]);
            TSettingsStore store(path);
            char go = 0;
            (void)!read(gate[0], &go, 1);
            auto key = store.OpenKey("HKEY_TIDEWELL", false);
            bool ok = key.has_value() && store.RecoveryMessage().empty();
            for (int i = 0; ok && i < Rounds; ++i) {
                TSettingsStore::TTransaction transaction(store);
                const int count = std::atoi(store.ReadText(*key, "Count").c_str());
                ok = store.WriteText(*key, "Count", std::to_string(count + 1)) &&
                     store.WriteText(*key, "Copy" + std::to_string(copy) + "-" + std::to_string(i),
                                     "x") &&
                     transaction.Commit();
            }
            _exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    close(gate[0]);
    close(gate[1]);
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    TSettingsStore store(path);
    EXPECT_TRUE(store.RecoveryMessage().empty());
    const auto key = store.OpenKey("HKEY_TIDEWELL", false);
    ASSERT_TRUE(key);
    EXPECT_EQ(store.ReadText(*key, "Count"), std::to_string(2 * Rounds));
    int missing = 0;
    for (int copy = 0; copy < 2; ++copy)
        for (int i = 0; i < Rounds; ++i)
            missing += store.ReadText(*key, "Copy" + std::to_string(copy) + "-" +
                                                std::to_string(i)) != "x";
    EXPECT_EQ(missing, 0);
}

} // namespace
