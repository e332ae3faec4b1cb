// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/data_folder.h"

#include <system_error>

#ifndef TIDEWELL_INSTALLED_DATA_DIR
#define TIDEWELL_INSTALLED_DATA_DIR "/usr/local/share/tidewell"
#endif

namespace fs = std::filesystem;

fs::path InstalledDataFolder() {
    return TIDEWELL_INSTALLED_DATA_DIR;
}

fs::path BuildTreeOf(const fs::path& executableDir) {
    if (executableDir.empty()) return {};
    for (const fs::path& folder : {executableDir / "..", executableDir / ".." / ".."}) {
        std::error_code error;
        if (fs::is_regular_file(folder / "CMakeCache.txt", error)) return folder;
    }
    return {};
}

std::vector<fs::path> RuntimeSearchFolders(const fs::path& executableDir,
                                           const fs::path& installedDir) {
    std::vector<fs::path> folders;
    if (!executableDir.empty()) {
        folders.push_back(executableDir);
        if (const fs::path build = BuildTreeOf(executableDir); !build.empty()) {
            folders.push_back(build);
            folders.push_back(build / "..");
        }
        folders.push_back(executableDir / ".." / "share" / "tidewell");
    }
    if (!installedDir.empty()) folders.push_back(installedDir);
    return folders;
}

fs::path FindRuntimePath(const fs::path& relative, const fs::path& executableDir,
                         const fs::path& installedDir) {
    for (const fs::path& folder : RuntimeSearchFolders(executableDir, installedDir)) {
        const fs::path candidate = folder / relative;
        std::error_code error;
        if (fs::exists(candidate, error)) return candidate.lexically_normal();
    }
    return (installedDir / relative).lexically_normal();
}

fs::path FindDataFolder(const fs::path& executableDir) {
    return FindRuntimePath("Data", executableDir);
}

fs::path ExecutableFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : self.parent_path();
}
