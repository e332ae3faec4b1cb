// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/save_folder.h"

#include <QDir>

QString SuggestedSavePath(QStandardPaths::StandardLocation folder, const QString& fileName) {
    // The desktop names the folder even when it was never made; a dialog given a missing
    // folder starts in the working folder instead.
    const QString named = QStandardPaths::writableLocation(folder);
    const QDir chosen = !named.isEmpty() && QDir(named).exists() ? QDir(named) : QDir::home();
    return chosen.filePath(fileName);
}
