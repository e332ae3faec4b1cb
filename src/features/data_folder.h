#pragma once

#include <filesystem>

// The folder the program was installed to read its data from (<datadir>/tidewell).
[[nodiscard]] std::filesystem::path InstalledDataFolder();

// Finds a file or folder that the program reads at run time ("Data", "docs/tidewell.htm"):
// relative to the working directory first, then beside the executable, then two folders
// above it (a build tree keeps its programs in build/src/<area>/ and the data in build/),
// then in the installed data folder. Gives the first that exists, else the relative path
// unchanged (so that opening it fails as a missing file would).
[[nodiscard]] std::filesystem::path
FindRuntimePath(const std::filesystem::path& relative, const std::filesystem::path& executableDir,
                const std::filesystem::path& installedDir = InstalledDataFolder());

// The folder of the feature data files.
[[nodiscard]] std::filesystem::path FindDataFolder(const std::filesystem::path& executableDir);
