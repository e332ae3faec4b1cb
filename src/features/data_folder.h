#pragma once

#include <filesystem>
#include <vector>

// The folder the program was installed to read its data from (<datadir>/tidewell), as
// configured at build time.
[[nodiscard]] std::filesystem::path InstalledDataFolder();

// The folders a file that the program reads at run time is looked for in, in order: the
// working directory; beside the executable; two folders above it (a build tree keeps its
// programs in build/src/<area>/ and the data in build/); three folders above it (the source
// tree, where docs/ is, when the build folder sits inside it); <exe dir>/../share/tidewell
// (an installed bin/ beside share/, whatever prefix it was installed to); the installed data
// folder.
[[nodiscard]] std::vector<std::filesystem::path>
RuntimeSearchFolders(const std::filesystem::path& executableDir,
                     const std::filesystem::path& installedDir = InstalledDataFolder());

// Finds a file or folder that the program reads at run time ("Data", "docs/tidewell.htm")
// in the folders above. Gives the first that exists, else the relative path unchanged (so
// that opening it fails as a missing file would).
[[nodiscard]] std::filesystem::path
FindRuntimePath(const std::filesystem::path& relative, const std::filesystem::path& executableDir,
                const std::filesystem::path& installedDir = InstalledDataFolder());

// The folder of the running program's executable (empty when it cannot be told).
[[nodiscard]] std::filesystem::path ExecutableFolder();

// The folder of the feature data files.
[[nodiscard]] std::filesystem::path FindDataFolder(const std::filesystem::path& executableDir);
