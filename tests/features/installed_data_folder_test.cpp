// SPDX-License-Identifier: GPL-3.0-or-later
// Where an installed program finds its files: share/tidewell beside its bin/ folder, whatever
// prefix it was installed to, before the prefix configured at build time.

#include <gtest/gtest.h>

#include <fstream>

#include "features/data_folder.h"
#include "settings/temp_folder.h"

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

TEST(InstalledDataFolder, ShareFolderBesideBinThenConfiguredPrefixThenNothing) {
    TTempFolder root;
    const fs::path oldCwd = fs::current_path();
    fs::current_path(root.Path()); // a working folder holding none of the files
    const fs::path bin = root.Path() / "opt" / "moon" / "bin";
    const fs::path share = root.Path() / "opt" / "moon" / "share" / "tidewell";
    const fs::path configured = root.Path() / "usr" / "local" / "share" / "tidewell";
    fs::create_directories(bin);

    // Nothing anywhere (a Data folder in the working folder is not the program's): the
    // configured place, so that opening it fails as a missing file would.
    fs::create_directories(root.Path() / "Data");
    EXPECT_EQ(FindRuntimePath("Data", bin, configured), (configured / "Data").lexically_normal());
    // Only the configured prefix holds the files (a program copied elsewhere).
    fs::create_directories(configured / "Data");
    Touch(configured / "docs" / "tidewell.htm");
    EXPECT_EQ(FindRuntimePath("Data", bin, configured), (configured / "Data").lexically_normal());
    // Installed to another prefix than the configured one: its own files win.
    fs::create_directories(share / "Data");
    Touch(share / "docs" / "tidewell.htm");
    EXPECT_EQ(FindRuntimePath("Data", bin, configured), (share / "Data").lexically_normal());
    EXPECT_EQ(FindRuntimePath("docs/tidewell.htm", bin, configured),
              (share / "docs" / "tidewell.htm").lexically_normal());
    EXPECT_EQ(FindDataFolder(bin).lexically_normal(), (share / "Data").lexically_normal());

    fs::current_path(oldCwd);
}

TEST(InstalledDataFolder, HelpPageOfTheSourceTreeForABuildInsideIt) {
    TTempFolder root;
    const fs::path oldCwd = fs::current_path();
    fs::current_path(root.Path() / ".."); // not the source tree
    const fs::path exe = root.Path() / "build" / "src" / "ui";
    fs::create_directories(exe);
    Touch(root.Path() / "build" / "CMakeCache.txt");
    Touch(root.Path() / "docs" / "tidewell.htm");
    EXPECT_EQ(FindRuntimePath("docs/tidewell.htm", exe, {}),
              (root.Path() / "docs" / "tidewell.htm").lexically_normal());
    fs::current_path(oldCwd);
}

} // namespace
