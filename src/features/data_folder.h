// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <vector>

// The folder the program was installed to read its data from (<datadir>/tidewell), as
// configured at build time.
[[nodiscard]] std::filesystem::path InstalledDataFolder();

// The build folder the executable runs from: the folder one or two above it that holds the
// CMake cache (a build tree keeps its programs in build/src/<area>/ and its tests in
// build/tests/). Empty for an installed program.
[[nodiscard]] std::filesystem::path BuildTreeOf(const std::filesystem::path& executableDir);

// The folders a file that the program reads at run time is looked for in, in order: beside
// the executable; when it runs from a build folder, that folder (where the data is made) and
// the folder above it (the source tree, where docs/ is, when the build folder sits inside it);
// <exe dir>/../share/tidewell (an installed bin/ beside share/, whatever prefix it was
// installed to); the installed data folder. The working folder is never looked in: a "Data"
// folder of the user's own must not stand in for the program's.
[[nodiscard]] std::vector<std::filesystem::path>
RuntimeSearchFolders(const std::filesystem::path& executableDir,
                     const std::filesystem::path& installedDir = InstalledDataFolder());

// Finds a file or folder that the program reads at run time ("Data", "docs/tidewell.htm")
// in the folders above. Gives the first that exists, else its place in the installed folder
// (so that opening it fails as a missing file would, naming where it belongs; never a path
// relative to the working folder).
[[nodiscard]] std::filesystem::path
FindRuntimePath(const std::filesystem::path& relative, const std::filesystem::path& executableDir,
                const std::filesystem::path& installedDir = InstalledDataFolder());

// The folder of the running program's executable (empty when it cannot be told).
[[nodiscard]] std::filesystem::path ExecutableFolder();

// The folder of the feature data files.
[[nodiscard]] std::filesystem::path FindDataFolder(const std::filesystem::path& executableDir);
