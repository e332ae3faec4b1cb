// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/whole_file.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string SystemError() {
    return std::strerror(errno);
}

// The file a write to path reaches: the one a symbolic link names, else path itself.
fs::path ResolvedTarget(const std::string& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    const fs::path resolved = fs::weakly_canonical(path, error);
    return error ? fs::path(path) : resolved;
}

// ".name.<random>.tmp" beside target: hidden, and never a name the user chose.
std::string TemporaryName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    const unsigned tag = seed ^ (static_cast<unsigned>(::getpid()) << 12) ^ counter++;
    std::string name = ".";
    name.append(target.filename().string()).append(".").append(std::to_string(tag));
    return (target.parent_path() / name.append(".tmp")).string();
}

// Flushes the folder's entry of a renamed file; a folder that cannot be opened is no
// failure, the rename itself has been done.
void SyncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

TFileReplacement::TFileReplacement(const std::string& target) : Target(ResolvedTarget(target)) {
    // A file the user may not write is not replaced behind its back.
    if (::access(Target.c_str(), F_OK) == 0 && ::access(Target.c_str(), W_OK) != 0) {
        Reason = SystemError();
        return;
    }
    // Mode 0666 less the umask for a new file, as any other program would create it.
    for (int attempt = 0; attempt < 100 && Fd < 0; ++attempt) {
        Temp = TemporaryName(Target);
        Fd = ::open(Temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (Fd < 0 && errno != EEXIST) break;
    }
    if (Fd < 0) {
        Reason = SystemError();
        Temp.clear();
        return;
    }
    struct stat old {};
    if (::stat(Target.c_str(), &old) == 0) (void)::fchmod(Fd, old.st_mode & 07777);
}

TFileReplacement::~TFileReplacement() {
    if (Fd >= 0) ::close(Fd);
    if (!Committed && !Temp.empty()) ::unlink(Temp.c_str());
}

bool TFileReplacement::Fail(const std::string& what) {
    Reason = what;
    return false;
}

bool TFileReplacement::Write(std::string_view bytes) {
    if (Fd < 0) return false;
    while (!bytes.empty()) {
        const ssize_t n = ::write(Fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Fail(n < 0 ? SystemError() : "nothing could be written");
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool TFileReplacement::Commit() {
    if (Fd < 0 || Committed) return false;
    // Data another writer put into the file by its name is flushed through this descriptor
    // too: it is the same file.
    const bool synced = ::fsync(Fd) == 0;
    const std::string syncError = synced ? std::string() : SystemError();
    const bool closed = ::close(Fd) == 0;
    Fd = -1;
    if (!synced) return Fail(syncError);
    if (!closed) return Fail(SystemError());
    if (::rename(Temp.c_str(), Target.c_str()) != 0) return Fail(SystemError());
    Committed = true;
    SyncFolder(fs::path(Target).parent_path());
    return true;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error) {
    TFileReplacement file(path);
    if (file.Ready() && file.Write(bytes) && file.Commit()) return true;
    error = file.Error();
    return false;
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}
