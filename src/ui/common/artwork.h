// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's pictures, compiled in from art/ as ":/art/<file name>".
//
//   QImage background = LoadArt("main-background.jpg");
//   QPixmap glyph = LoadArtPixmap("optics-telescope.png");

#include <QImage>
#include <QPixmap>
#include <QString>

[[nodiscard]] QString ArtPath(const QString& name);

// The picture in 32-bit RGB (ARGB32 for pictures with transparency); a missing picture
// gives a null image and a warning on the console.
[[nodiscard]] QImage LoadArt(const QString& name);
[[nodiscard]] QPixmap LoadArtPixmap(const QString& name);
