// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's name and version as the about box and the printed pages show them, and the
// address of its home page (none yet: there is no public home page, and no address is made
// up; printed footers leave the address out while it is empty).

#include <QString>

#include "engine/program_version.h"

inline const QString ProgramVersionCaption =
    QString::fromUtf8(ProgramName.data(), ProgramName.size()) + QLatin1Char(' ') +
    QString::fromUtf8(ProgramVersion.data(), ProgramVersion.size());
inline const QString HomePageAddress;
