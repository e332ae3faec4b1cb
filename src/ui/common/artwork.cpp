// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/artwork.h"

#include <QDebug>

QString ArtPath(const QString& name) {
    return QStringLiteral(":/art/") + name;
}

QImage LoadArt(const QString& name) {
    QImage picture(ArtPath(name));
    if (picture.isNull()) {
        qWarning() << "Tidewell: picture not found:" << ArtPath(name);
        return picture;
    }
    return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
}

QPixmap LoadArtPixmap(const QString& name) {
    return QPixmap::fromImage(LoadArt(name));
}
