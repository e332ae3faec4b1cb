#pragma once

// The program's name and version as the about box and the printed pages show them, and the
// address of its home page (none yet: there is no public home page, and no address is made
// up; printed footers leave the address out while it is empty).

#include <QString>

#include "settings/settings.h"

inline const QString ProgramVersionCaption =
    QStringLiteral("Tidewell ") + QString::fromUtf8(CurrentVersion.data(), CurrentVersion.size());
inline const QString HomePageAddress;
