#include "features/data_folder.h"

#include <system_error>
#include <vector>

#ifndef TIDEWELL_INSTALLED_DATA_DIR
#define TIDEWELL_INSTALLED_DATA_DIR "/usr/local/share/tidewell"
#endif

namespace fs = std::filesystem;

fs::path InstalledDataFolder() {
    return TIDEWELL_INSTALLED_DATA_DIR;
}

fs::path FindRuntimePath(const fs::path& relative, const fs::path& executableDir,
                         const fs::path& installedDir) {
    std::vector<fs::path> candidates = {relative};
    if (!executableDir.empty()) {
        candidates.push_back(executableDir / relative);
        candidates.push_back(executableDir / ".." / ".." / relative);
    }
    if (!installedDir.empty()) candidates.push_back(installedDir / relative);
    for (const fs::path& candidate : candidates) {
        std::error_code error;
        if (fs::exists(candidate, error)) return candidate.lexically_normal();
    }
    return relative;
}

fs::path FindDataFolder(const fs::path& executableDir) {
    return FindRuntimePath("Data", executableDir);
}
