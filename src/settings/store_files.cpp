// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/store_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string UtcStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &parts);
    return text;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// "<file>.damaged-<time>", with a number added when that name is taken.
std::string FreeAsideName(const std::string& file) {
    const std::string base = file + ".damaged-" + UtcStamp();
    std::string target = base;
    for (int n = 2; Exists(target) && n < 1000; ++n)
        target = base + "-" + std::to_string(n);
    return target;
}

std::string FolderOf(const std::string& path) {
    const fs::path file(path);
    return file.has_parent_path() ? file.parent_path().string() : std::string(".");
}

// A regular file, perhaps through a symbolic link.
bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(fs::status(path, error));
}

bool CanWrite(const std::string& path) {
    return access(path.c_str(), W_OK) == 0;
}

std::optional<ino_t> InodeOf(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return std::nullopt;
    return status.st_ino;
}

// The file a line of /proc/locks is about, e.g. 10952810 in
// "1: POSIX  ADVISORY  WRITE 13770 fe:00:10952810 120 120"; nothing for a process waiting
// for a lock ("1: -> POSIX ..."), which does not hold it.
std::optional<ino_t> LockedInode(const std::string& line) {
    std::istringstream words(line);
    std::string id, kind, mode, type, pid, device;
    words >> id >> kind >> mode >> type >> pid >> device;
    const auto colon = device.rfind(':');
    if (!words || kind == "->" || colon == std::string::npos) return std::nullopt;
    try {
        return static_cast<ino_t>(std::stoull(device.substr(colon + 1)));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

std::string StoreLogPath(const std::string& path, std::string_view suffix) {
    std::error_code error;
    fs::path file(path);
    if (fs::is_symlink(file, error)) {
        const fs::path target = fs::canonical(file, error);
        if (!error) file = target;
    }
    return file.string() + std::string(suffix);
}

bool IsRegularOrMissing(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    return !fs::exists(status) || fs::is_regular_file(status);
}

bool IsMissingOrEmpty(const std::string& path) {
    std::error_code error;
    return !fs::exists(path, error) || (IsRegularFile(path) && fs::is_empty(path, error));
}

bool HasUnusableHeader(const std::string& path) {
    // The header's fields: SQLite's file format, section 1.3.
    constexpr char Magic[] = "SQLite format 3";
    constexpr std::size_t WriteVersionAt = 18;
    constexpr std::size_t ReadVersionAt = 19;
    constexpr std::size_t SchemaFormatLowByteAt = 47;
    constexpr unsigned char HighestVersion = 2;
    constexpr unsigned char HighestSchemaFormat = 4;
    std::ifstream in(path, std::ios::binary);
    char header[100];
    if (!in.read(header, sizeof header) || std::memcmp(header, Magic, sizeof Magic) != 0)
        return false; // too short or not SQLite's: SQLite itself calls it not a database
    const auto byte = [&header](std::size_t at) { return static_cast<unsigned char>(header[at]); };
    return byte(WriteVersionAt) > HighestVersion || byte(ReadVersionAt) > HighestVersion ||
           byte(SchemaFormatLowByteAt) > HighestSchemaFormat;
}

std::string KeepAside(const std::string& file) {
    const std::string target = FreeAsideName(file);
    std::error_code error;
    fs::rename(file, target, error);
    return error ? std::string() : target;
}

std::string KeepDamagedStoreAside(const std::string& path) {
    std::vector<std::string> logs;
    for (std::string_view suffix : StoreLogSuffixes)
        logs.push_back(StoreLogPath(path, suffix));
    const std::string target = KeepAside(path);
    if (target.empty()) return {};
    for (std::size_t i = 0; i < logs.size(); ++i) {
        std::error_code ignored;
        if (Exists(logs[i]))
            fs::rename(logs[i], target + std::string(StoreLogSuffixes[i]), ignored);
    }
    return target;
}

bool IsOpenElsewhere(const std::string& path) {
    const std::optional<ino_t> database = InodeOf(path);
    const std::optional<ino_t> index = InodeOf(StoreLogPath(path, "-shm"));
    std::ifstream table("/proc/locks");
    for (std::string line; std::getline(table, line);) {
        const std::optional<ino_t> inode = LockedInode(line);
        if (inode && (inode == database || inode == index)) return true;
    }
    return false;
}

std::vector<std::string> KeepUnusableLogFilesAside(const std::string& path) {
    std::vector<std::string> kept;
    const bool storeWritable = Exists(path) && CanWriteFileAndFolder(path);
    for (std::string_view suffix : StoreLogSuffixes) {
        const std::string log = StoreLogPath(path, suffix);
        if (!Exists(log)) continue;
        bool unusable = !IsRegularFile(log);
        if (!unusable && storeWritable && !CanWrite(log))
            unusable = (suffix == "-shm" || IsMissingOrEmpty(log)) && !IsOpenElsewhere(path);
        if (!unusable) continue;
        if (std::string aside = KeepAside(log); !aside.empty()) kept.push_back(std::move(aside));
    }
    return kept;
}

void RemoveUnfinishedStore(const std::string& path) {
    if (!IsRegularFile(path) || !IsMissingOrEmpty(path) || IsOpenElsewhere(path)) return;
    std::error_code ignored;
    for (std::string_view suffix : {"-wal", "-shm", "-journal"}) {
        const std::string log = path + std::string(suffix);
        if (IsRegularFile(log) && (suffix == "-shm" || IsMissingOrEmpty(log)))
            fs::remove(log, ignored);
    }
    fs::remove(path, ignored);
}

bool CanWriteFileAndFolder(const std::string& path) {
    return CanWrite(path) && CanWrite(FolderOf(path));
}

std::string ReadOnlyObstacle(const std::string& path) {
    if (!CanWrite(path)) return "the file is read-only";
    if (!CanWrite(FolderOf(path))) return "its folder is read-only";
    for (std::string_view suffix : StoreLogSuffixes) {
        const std::string log = StoreLogPath(path, suffix);
        if (Exists(log) && !CanWrite(log)) return "its file \"" + log + "\" is read-only";
    }
    return {};
}
