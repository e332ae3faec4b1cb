// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/whole_file_qt.h"

#include <QFile>

#include "engine/whole_file.h"

std::string FileSystemPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

bool SaveWholeFile(const QString& path, const QByteArray& bytes, QString& error) {
    std::string reason;
    if (WriteWholeFile(FileSystemPath(path),
                       std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                       reason))
        return true;
    error = QString::fromLocal8Bit(reason.c_str());
    return false;
}
