// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where a save dialog starts: the user's folder for that kind of file (Documents, Pictures)
// when it exists, else the home folder, never the working folder.
//
//   SuggestedSavePath(QStandardPaths::DocumentsLocation, "Tidewell times March 2026.pdf")

#include <QStandardPaths>
#include <QString>

[[nodiscard]] QString SuggestedSavePath(QStandardPaths::StandardLocation folder,
                                        const QString& fileName);
