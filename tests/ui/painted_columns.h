// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading a list's columns from what it paints: each column in its own colour.

#include <QImage>
#include <QList>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <utility>

// The leftmost and rightmost columns of the well that hold a pixel of the colour, and how many
// such pixels there are.
struct TColourSpan {
    int Left = 1 << 20, Right = -1, Pixels = 0;
};
inline TColourSpan ColourSpan(const QImage& image, const QRect& well, const QColor& colour) {
    TColourSpan span;
    for (int y = well.top(); y <= well.bottom(); ++y)
        for (int x = well.left(); x <= well.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) >
                40)
                continue;
            span = {std::min(span.Left, x), std::max(span.Right, x), span.Pixels + 1};
        }
    return span;
}

// The columns a list paints, each in its colour, left to right: what each shows in the two
// pictures differs only for the columns that follow the date.
inline void CompareColumns(const QImage& before, const QImage& after, const QRect& well,
                           const QList<std::pair<QColor, bool>>& columns) {
    int right = -1;
    for (const auto& [colour, changes] : columns) {
        const TColourSpan span = ColourSpan(before, well, colour);
        QVERIFY2(span.Pixels > 10, qPrintable(colour.name()));
        QVERIFY2(span.Left > right, qPrintable(colour.name()));
        right = span.Right;
        const QRect column(span.Left, well.top(), span.Right - span.Left + 1, well.height());
        QCOMPARE(before.copy(column) != after.copy(column), changes);
    }
}
