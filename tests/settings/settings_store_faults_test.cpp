// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "child_process.h"
#include "settings/load_settings.h"
#include "settings/named_location.h"
#include "settings/settings_store.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr int ShortBusyTimeoutMs = 300;

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The damaged files kept aside in the folder, without their log files.
std::vector<fs::path> DamagedCopies(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.find(".damaged-") != std::string::npos && !name.ends_with("-wal") &&
            !name.ends_with("-shm"))
            found.push_back(entry.path());
    }
    return found;
}

int CountDamagedCopies(const fs::path& folder) {
    return static_cast<int>(DamagedCopies(folder).size());
}

// A store as a start leaves it, with some values replaced; closed again.
void MakeStore(const std::string& path, const std::vector<TNamedText>& values) {
    TSettingsStore store(path);
    TSettings settings;
    (void)LoadSettings(store, settings, nullptr);
    const auto key = store.OpenKey(SettingsKeyPath, false);
    ASSERT_TRUE(key && store.WriteTexts(*key, values));
}

std::string StoredValue(const std::string& path, std::string_view name) {
    TSettingsStore store(path);
    const auto key = store.OpenKey(SettingsKeyPath, false);
    return key ? store.ReadText(*key, name) : "<no key>";
}

// Opens the store as a start does (on a full disk if asked) and tells what it found.
TChildReport StartAndReport(const std::string& path, const std::string& mustNotBeWritable,
                            bool fullDisk = false) {
    TChildReport report;
    if (fullDisk && !LimitFileSize(0)) return report;
    report["writable"] = std::to_string(access(mustNotBeWritable.c_str(), W_OK) == 0);
    TSettingsStore store(path, ShortBusyTimeoutMs);
    TSettings settings;
    std::vector<std::string> warnings;
    const TZoneOffsets offsets =
        LoadSettings(store, settings, [&](const std::string& text) { warnings.push_back(text); });
    report["readOnly"] = std::to_string(store.IsReadOnly());
    report["readOnlyMessage"] = std::to_string(!store.ReadOnlyMessage().empty());
    report["recovered"] = std::to_string(!store.RecoveryMessage().empty());
    report["warnings"] = std::to_string(warnings.size());
    report["warnedCannotSave"] =
        std::to_string(!warnings.empty() && warnings[0] == store.ReadOnlyMessage() &&
                       warnings[0].find("cannot be saved") != std::string::npos);
    report["inUse"] =
        std::to_string(!warnings.empty() && warnings[0].find("in use") != std::string::npos);
    report["LatDeg"] = SettingText(settings, *FindSettingDef("LatDeg"));
    report["Location"] = settings.Location;
    report["zone"] = std::to_string(offsets.ZoneMinutes);
    const auto key = store.OpenKey(SettingsKeyPath, false);
    report["written"] = std::to_string(key && store.WriteText(*key, "LatDeg", "12"));
    report["created"] = std::to_string(store.OpenKey("SoftWare\\Brivant\\Other", true).has_value());
    return report;
}

// A file that can be read but not written is used read-only, whatever makes it so: the values
// are the user's, the start says once (and truly) that changes cannot be saved, and nothing
// is moved aside or changed. The child runs as "nobody" when the tests run as root.
TEST(SettingsStoreFaults, AStoreThatCannotBeWrittenIsReadNotMovedAside) {
    struct TCase {
        const char* What;
        mode_t FileMode;
        mode_t FolderMode;
        bool FolderIsTheObstacle;
        bool FullDisk = false;
    };
    const std::vector<TCase> cases = {{"read-only file", 0444, 0777, false},
                                      {"read-only folder", 0666, 0555, true},
                                      {"both read-only", 0444, 0555, false},
                                      {"full disk", 0666, 0777, false, true}};
    for (const TCase& c : cases) {
        TTempFolder folder;
        const std::string path = folder.File("settings.db");
        MakeStore(path, {{"LatDeg", "41"}, {"TimeZone", "30"}, {"Location", "Hilltop"}});
        const std::string before = FileBytes(path);
        ASSERT_EQ(chmod(path.c_str(), c.FileMode), 0);
        ASSERT_EQ(chmod(folder.Path().c_str(), c.FolderMode), 0);
        const std::string obstacle = c.FolderIsTheObstacle ? folder.Path().string() : path;
        const TChildReport report =
            RunInChild([&] { return StartAndReport(path, obstacle, c.FullDisk); }, true);
        chmod(folder.Path().c_str(), 0700);
        chmod(path.c_str(), 0600);

        SCOPED_TRACE(c.What);
        ASSERT_EQ(report.at("exit"), "0");
        ASSERT_NE(report.at("uid"), "0");
        ASSERT_EQ(report.at("writable"), c.FullDisk ? "1" : "0"); // the set-up denies writing
        EXPECT_EQ(report.at("inUse"), "0");
        EXPECT_EQ(report.at("readOnly"), "1");
        EXPECT_EQ(report.at("readOnlyMessage"), "1");
        EXPECT_EQ(report.at("recovered"), "0");
        EXPECT_EQ(report.at("warnings"), "1");
        EXPECT_EQ(report.at("warnedCannotSave"), "1");
        EXPECT_EQ(report.at("LatDeg"), "41");
        EXPECT_EQ(report.at("Location"), "Hilltop");
        EXPECT_EQ(report.at("zone"), "180");
        EXPECT_EQ(report.at("written"), "0");
        EXPECT_EQ(report.at("created"), "0");
        EXPECT_EQ(CountDamagedCopies(folder.Path()), 0);
        EXPECT_EQ(FileBytes(path), before);
        EXPECT_EQ(StoredValue(path, "LatDeg"), "41");
    }
}

// Another copy holding the write lock for longer than the busy timeout: the store is read
// as it was last committed and used read-only. A lock released within the timeout is
// waited for, and the store is writable.
TEST(SettingsStoreFaults, ALockHeldByAnotherConnectionIsWaitedForThenReadOnly) {
    TTempFolder folder;
    const std::string path = folder.File("settings.db");
    MakeStore(path, {{"LatDeg", "41"}});
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &holder), SQLITE_OK);
    const auto exec = [holder](const char* sql) {
        return sqlite3_exec(holder, sql, nullptr, nullptr, nullptr);
    };
    ASSERT_EQ(exec("BEGIN IMMEDIATE"), SQLITE_OK);
    ASSERT_EQ(exec("UPDATE vals SET value = '99' WHERE name = 'LatDeg'"), SQLITE_OK);
    {
        TSettingsStore store(path, ShortBusyTimeoutMs);
        EXPECT_TRUE(store.IsReadOnly());
        EXPECT_NE(store.ReadOnlyMessage().find("in use"), std::string::npos);
        EXPECT_TRUE(store.RecoveryMessage().empty());
        const auto key = store.OpenKey(SettingsKeyPath, false);
        ASSERT_TRUE(key);
        EXPECT_EQ(store.ReadText(*key, "LatDeg"), "41");
        EXPECT_FALSE(store.WriteText(*key, "LatDeg", "12"));
    }
    EXPECT_EQ(CountDamagedCopies(folder.Path()), 0);

    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        exec("COMMIT");
    });
    {
        TSettingsStore store(path, 5000);
        release.join();
        EXPECT_FALSE(store.IsReadOnly());
        EXPECT_TRUE(store.ReadOnlyMessage().empty());
        const auto key = store.OpenKey(SettingsKeyPath, false);
        ASSERT_TRUE(key);
        EXPECT_EQ(store.ReadText(*key, "LatDeg"), "99");
        EXPECT_TRUE(store.WriteText(*key, "LatDeg", "12"));
    }
    sqlite3_close(holder);
    EXPECT_EQ(StoredValue(path, "LatDeg"), "12");
}

// Two copies starting at the same moment on a store that does not exist yet: both must
// end up with a store they can write, none with one in memory.
TEST(SettingsStoreFaults, TwoCopiesStartingOnANewStoreBothGetTheFile) {
    TTempFolder folder;
    constexpr int Rounds = 60;
    int failures = 0;
    for (int round = 0; round < Rounds; ++round) {
        const std::string path = folder.File("settings-" + std::to_string(round) + ".db");
        int gate[2];
        ASSERT_EQ(pipe(gate), 0);
        std::vector<pid_t> children;
        for (int copy = 0; copy < 2; ++copy) {
            const pid_t pid = fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                close(gate[1]);
                char go = 0;
                (void)!read(gate[0], &go, 1);
                TSettingsStore store(path);
                TSettings settings;
                int warnings = 0; // "held no settings" above all
                (void)LoadSettings(store, settings, [&](const std::string&) { ++warnings; });
                const auto key = store.OpenKey(SettingsKeyPath, false);
                const bool ok = warnings == 0 && store.IsPersistent() && !store.IsReadOnly() &&
                                store.RecoveryMessage().empty() && key &&
                                store.WriteText(*key, "Copy" + std::to_string(copy), "x");
                _exit(ok ? 0 : 1);
            }
            children.push_back(pid);
        }
        close(gate[0]);
        close(gate[1]); // both copies go
        for (pid_t pid : children) {
            int status = 0;
            waitpid(pid, &status, 0);
            failures += !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        failures += StoredValue(path, "Copy0") != "x" || StoredValue(path, "Copy1") != "x";
    }
    EXPECT_EQ(failures, 0) << "in " << Rounds << " rounds";
}

// Room in the empty log file for its header and one page, not two: the first commit that
// changes one page goes through, any larger one fails as on a full disk.
constexpr long RoomForOnePage = 32 + 24 + 4096 + 16;

TEST(SettingsStoreFaults, AFailedCommitLeavesNothingHalfWritten) {
    TTempFolder folder;
    const std::string path = folder.File("settings.db");
    MakeStore(path, {});
    ASSERT_FALSE(fs::exists(path + "-wal")); // merged when the last connection closed
    const TChildReport report = RunInChild(
        [&] {
            TSettingsStore store(path);
            TChildReport r;
            r["opened"] = std::to_string(!store.IsReadOnly() && store.IsPersistent() &&
                                         LimitFileSize(RoomForOnePage));
            // Two new keys and a value in one commit: more than one page.
            r["key"] = std::to_string(store.OpenKey("SoftWare\\A\\B\\C", true).has_value());
            const auto user = store.OpenKey(UserKeyPath, false);
            std::vector<TNamedText> values;
            for (int i = 0; i < 200; ++i)
                values.push_back({"Value" + std::to_string(i), std::string(40, 'x')});
            r["values"] = std::to_string(user && store.WriteTexts(*user, values));
            r["small"] = std::to_string(user && store.WriteText(*user, "Small", "1"));
            return r;
        },
        false);
    ASSERT_EQ(report.at("exit"), "0");
    EXPECT_EQ(report.at("opened"), "1");
    EXPECT_EQ(report.at("key"), "0");
    EXPECT_EQ(report.at("values"), "0");
    EXPECT_EQ(report.at("small"), "1"); // the limit lets one page through

    TSettingsStore store(path);
    EXPECT_TRUE(store.RecoveryMessage().empty());
    EXPECT_FALSE(store.OpenKey("SoftWare\\A", false));
    const auto user = store.OpenKey(UserKeyPath, false);
    ASSERT_TRUE(user);
    EXPECT_EQ(store.ReadText(*user, "Value0"), "");
    EXPECT_EQ(store.ReadText(*user, "Small"), "1");
}

// A start that cannot finish (here the disk fills after its first page) leaves the old
// store as it was, so the next start migrates it once, not twice.
TEST(SettingsStoreFaults, AStartCutShortLeavesNoHalfMigratedStore) {
    TTempFolder folder;
    const std::string path = folder.File("settings.db");
    {
        TSettingsStore store(path);
        const auto user = store.OpenKey(UserKeyPath, true);
        const auto key = store.OpenKey(SettingsKeyPath, true);
        ASSERT_TRUE(user && key);
        ASSERT_TRUE(store.WriteText(*user, "Version", "V2.00"));
        std::vector<TNamedText> values;
        for (const TSettingDef& def : SettingDefs())
            values.push_back({std::string(def.Name), std::string(def.Default)});
        ASSERT_TRUE(store.WriteTexts(*key, values));
        ASSERT_TRUE(store.WriteTexts(*key, {{"Version", "V2.00"}, {"TimeZone", "5"}}));
    }
    const TChildReport report = RunInChild(
        [&] {
            TSettingsStore store(path);
            if (!LimitFileSize(RoomForOnePage)) return TChildReport{};
            TSettings settings;
            std::vector<std::string> warnings;
            (void)LoadSettings(store, settings,
                               [&](const std::string& text) { warnings.push_back(text); });
            return TChildReport{{"zone", std::to_string(settings.TimeZone)},
                                {"warnings", std::to_string(warnings.size())}};
        },
        false);
    ASSERT_EQ(report.at("exit"), "0");
    EXPECT_EQ(report.at("zone"), "10"); // the run itself goes on with migrated values
    EXPECT_EQ(report.at("warnings"), "1");
    EXPECT_EQ(StoredValue(path, "TimeZone"), "5");
    EXPECT_EQ(StoredValue(path, "Version"), "V2.00");

    TSettingsStore store(path);
    TSettings settings;
    (void)LoadSettings(store, settings, nullptr);
    EXPECT_EQ(settings.TimeZone, 10);
    EXPECT_TRUE(ReadNamedLocation(store, HomeLocationName).has_value());
}

sqlite3* OpenRaw(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) return nullptr;
    // Nothing merged into the file behind the test's back.
    sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    return db;
}

int Exec(sqlite3* db, const std::string& sql) {
    return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
}

// Rows of the values table stored in plain byte order under a schema that declares them
// case-insensitive: "LatDeg" sorts before "latmin" only by the declared order. SQLite's
// quick check does not look at row order; such a file reads values as missing.
void PutRowsOutOfOrder(const std::string& path) {
    sqlite3* db = OpenRaw(path);
    ASSERT_TRUE(db);
    const auto setCollation = [&db](const char* from, const char* to) {
        ASSERT_EQ(Exec(db, std::string("PRAGMA writable_schema = ON;"
                                       "UPDATE sqlite_schema SET sql = replace(sql,"
                                       " 'name TEXT NOT NULL COLLATE ") +
                               from + ", value', 'name TEXT NOT NULL COLLATE " + to +
                               ", value') WHERE name = 'vals';"
                               "PRAGMA writable_schema = OFF;"),
                  SQLITE_OK);
    };
    ASSERT_EQ(Exec(db, "PRAGMA journal_mode = DELETE"), SQLITE_OK);
    setCollation("NOCASE", "BINARY");
    sqlite3_close(db);
    db = OpenRaw(path); // the schema as now declared
    ASSERT_EQ(Exec(db, "CREATE TEMP TABLE saved AS SELECT * FROM vals;"
                       "DELETE FROM vals; INSERT INTO vals SELECT * FROM saved;"),
              SQLITE_OK);
    setCollation("BINARY", "NOCASE");
    sqlite3_close(db);
    db = OpenRaw(path);
    std::string quick;
    sqlite3_exec(
        db, "PRAGMA quick_check",
        [](void* text, int, char** values, char**) {
            *static_cast<std::string*>(text) = values[0] ? values[0] : "";
            return 0;
        },
        &quick, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(quick, "ok"); // the damage the quick check misses
}

// A damaged file is moved aside exactly as it was found, whether the damage shows when it
// is opened (rows out of order, found by the full integrity check) or only when a value
// is read during the start; the start then runs on a fresh store and says so.
TEST(SettingsStoreFaults, ADamagedStoreIsMovedAsideUntouchedAndReplaced) {
    {
        TTempFolder folder;
        const std::string path = folder.File("settings.db");
        MakeStore(path, {{"LatDeg", "41"}, {"latmin", "15"}, {"LongDeg", "072"}});
        PutRowsOutOfOrder(path);
        const std::string before = FileBytes(path);
        TSettingsStore store(path);
        EXPECT_FALSE(store.RecoveryMessage().empty());
        const std::vector<fs::path> aside = DamagedCopies(folder.Path());
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_TRUE(FileBytes(aside[0]) == before) << "the damaged file was changed";
        TSettings settings;
        std::vector<std::string> warnings;
        (void)LoadSettings(store, settings,
                           [&](const std::string& text) { warnings.push_back(text); });
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0], store.RecoveryMessage());
    }
    {
        TTempFolder folder;
        const std::string path = folder.File("settings.db");
        MakeStore(path, {{"LatDeg", "41"}});
        TSettingsStore store(path); // opened while the file was sound
        ASSERT_TRUE(store.RecoveryMessage().empty());
        // Another copy commits a change, so the store reads the file afresh; then the
        // page of values goes bad on disk.
        sqlite3* other = OpenRaw(path);
        ASSERT_TRUE(other);
        ASSERT_EQ(Exec(other, "PRAGMA user_version = 7"), SQLITE_OK);
        sqlite3_stmt* query = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(other,
                                     "SELECT rootpage FROM sqlite_schema WHERE name = 'vals'", -1,
                                     &query, nullptr),
                  SQLITE_OK);
        ASSERT_EQ(sqlite3_step(query), SQLITE_ROW);
        const long page = sqlite3_column_int(query, 0);
        sqlite3_finalize(query);
        {
            std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
            file.seekp((page - 1) * 4096);
            file << std::string(64, '\xee');
        }
        const std::string before = FileBytes(path);

        TSettings settings;
        std::vector<std::string> warnings;
        (void)LoadSettings(store, settings,
                           [&](const std::string& text) { warnings.push_back(text); });
        ASSERT_FALSE(warnings.empty());
        EXPECT_NE(warnings[0].find(".damaged-"), std::string::npos) << warnings[0];
        EXPECT_EQ(warnings[0], store.RecoveryMessage());
        EXPECT_FALSE(store.IsDamaged());
        EXPECT_EQ(settings.Position.Latitude.Deg, 0);
        EXPECT_EQ(settings.Location, "Home Location");
        const std::vector<fs::path> aside = DamagedCopies(folder.Path());
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_TRUE(FileBytes(aside[0]) == before) << "the damaged file was changed";
        sqlite3_close(other);
        EXPECT_EQ(StoredValue(path, "Location"), "Home Location"); // the fresh store
    }
}

// A file SQLite cannot use as a store is kept aside, and so are log files beside a sound
// store that SQLite cannot use: once, with one message, and the next start is clean. Never
// "in use", which only another connection holding the store may cause.
TEST(SettingsStoreFaults, UnusableFilesAreKeptAsideOnceAndTheNextStartIsClean) {
    const auto start = [](const std::string& path) {
        return RunInChild([&] { return StartAndReport(path, path); }, true);
    };
    for (const std::string what :
         {"byte 47 6", "byte 18 3", "-wal folder", "-shm folder", "-wal pipe", "-shm pipe",
          "-wal /dev/null", "-shm /dev/zero", "read-only leftovers"}) {
        SCOPED_TRACE(what);
        TTempFolder folder;
        const std::string path = folder.File("settings.db");
        const std::string log = path + what.substr(0, 4);
        MakeStore(path, {{"LatDeg", "41"}});
        ASSERT_EQ(chmod(folder.Path().c_str(), 0777) | chmod(path.c_str(), 0666), 0);
        if (what.starts_with("byte"))
            std::fstream(path, std::ios::binary | std::ios::in | std::ios::out)
                .seekp(std::stol(what.substr(5, 2)))
                .put(char(what.back() - '0'));
        else if (what.ends_with("folder"))
            fs::create_directory(log);
        else if (what.ends_with("pipe"))
            mkfifo(log.c_str(), 0666);
        else if (what.find("/dev/") != std::string::npos)
            fs::create_symlink(what.substr(5), log);
        else if (chmod(path.c_str(), 0444) == 0) {
            (void)start(path); // leaves -wal and -shm as read-only as the file was
            chmod(path.c_str(), 0666);
        }
        const TChildReport first = start(path);
        const TChildReport next = start(path);
        EXPECT_EQ(first.at("LatDeg"), what.starts_with("byte") ? "00" : "41");
        EXPECT_EQ(first.at("recovered") + first.at("warnings") + first.at("inUse"), "110");
        EXPECT_EQ(first.at("readOnly") + first.at("written"), "01");
        EXPECT_EQ(next.at("recovered") + next.at("warnings") + next.at("readOnly"), "000");
        EXPECT_EQ(next.at("LatDeg") + next.at("written"), "121");
    }
}

// A first start on a full disk runs in memory and leaves no empty file, which the next start
// would take for a store that lost its settings.
TEST(SettingsStoreFaults, AFirstStartOnAFullDiskLeavesNoFileBehind) {
    TTempFolder folder;
    const std::string path = folder.File("settings.db");
    const TChildReport report = RunInChild([&] { return StartAndReport(path, path, true); }, false);
    EXPECT_EQ(report.at("recovered") + report.at("LatDeg"), "100"); // said so, on defaults
    EXPECT_TRUE(fs::is_empty(folder.Path()));
}

// Random damage to a stored file (TIDEWELL_DAMAGE_CASES cases): each start ends with the
// user's values or with the file kept aside, never read-only, and the next start is clean.
TEST(SettingsStoreFaults, RandomDamageEndsWithTheValuesOrTheFileKeptAside) {
    const char* asked = std::getenv("TIDEWELL_DAMAGE_CASES");
    const int cases = asked ? std::atoi(asked) : 40;
    TTempFolder folder;
    MakeStore(folder.File("sound.db"), {{"LatDeg", "41"}, {"Location", "Hilltop"}});
    const std::string sound = FileBytes(folder.File("sound.db"));
    std::mt19937 random(20261207);
    int failures = 0;
    for (int n = 0; n < cases; ++n) {
        const std::string path = folder.File("case" + std::to_string(n) + ".db");
        // Bytes overwritten in the header or anywhere, or the file cut short.
        std::string bytes = sound;
        const std::size_t kind = random() % 3, at = random() % (kind ? bytes.size() : 100);
        const std::size_t end = std::min(bytes.size(), at + 1 + random() % (kind ? 64 : 4));
        if (kind == 1) bytes.resize(at);
        for (std::size_t i = at; i < std::min(end, bytes.size()); ++i)
            bytes[i] = char(random());
        std::ofstream(path, std::ios::binary) << bytes;
        const TChildReport first = StartAndReport(path, path);
        const TChildReport next = StartAndReport(path, path);
        const bool usable = first.at("readOnly") + first.at("written") + next.at("warnings") +
                                next.at("readOnly") + next.at("written") ==
                            "01001";
        const bool kept = first.at("recovered") == "1" && first.at("LatDeg") == "00";
        const bool intact = first.at("LatDeg") == "41" && first.at("Location") == "Hilltop";
        failures += !usable || !(kept || intact);
    }
    EXPECT_EQ(failures, 0) << "in " << cases << " cases";
}

} // namespace
