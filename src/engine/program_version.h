// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's name and version, once: the about box, the printed pages' footer, the
// settings store's Version value, the calendar files' product identifier and both programs'
// --version read them. The build reads the version from this file too (CMakeLists.txt), for
// the manual pages, the AppStream file and the package, so it is written nowhere else.

#include <string>
#include <string_view>

inline constexpr std::string_view ProgramName = "Tidewell";
inline constexpr std::string_view ProgramVersion = "V2.62";
// The version without its "V", as version numbers are written on the command line.
inline constexpr std::string_view ProgramVersionNumber = ProgramVersion.substr(1);

// The licence, as SPDX names it and in words.
inline constexpr std::string_view ProgramLicenceId = "GPL-3.0-or-later";
inline constexpr std::string_view ProgramLicenceName =
    "GNU General Public License, version 3 or later";

// What `command --version` prints: the command with the program's name and version, the
// copyright and the licence, the lines ending in '\n'.
[[nodiscard]] std::string VersionNotice(std::string_view command);
