// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/program_version.h"

std::string VersionNotice(std::string_view command) {
    std::string notice(command);
    notice.append(" (").append(ProgramName).append(") ").append(ProgramVersionNumber);
    notice.append("\nCopyright (C) 2026 The Tidewell developers\n"
                  "License GPLv3+: ")
        .append(ProgramLicenceName)
        .append(" <https://www.gnu.org/licenses/gpl-3.0.html>\n"
                "This is free software: you are free to change and redistribute it.\n"
                "There is NO WARRANTY, to the extent permitted by law.\n");
    return notice;
}
