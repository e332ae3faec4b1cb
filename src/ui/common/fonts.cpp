// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/fonts.h"

#include <algorithm>
#include <cmath>

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QWidget>

namespace {

// Families drawn with the widths the layouts were measured in: Arial's and Times New
// Roman's, which Liberation and the Chrome OS fonts copy.
bool HasLayoutWidths(const QString& family) {
    static const QStringList families = {ArialFamily,        TimesFamily, "Liberation Sans",
                                         "Liberation Serif", "Arimo",     "Tinos"};
    return families.contains(family, Qt::CaseInsensitive);
}

// A digit's advance in the faces the layouts were made for, as a share of the character
// height: 1139/2048 in Arial and 1024/2048 in Times New Roman, upright and bold alike.
double LayoutDigitWidth(const QString& family) {
    return family == TimesFamily ? 1024.0 / 2048 : 1139.0 / 2048;
}

double DigitWidth(QFont font) {
    constexpr int ProbePixels = 200;
    font.setPixelSize(ProbePixels);
    return QFontMetricsF(font).horizontalAdvance(QStringLiteral("0123456789")) / 10 / ProbePixels;
}

// The stretch (percent) that narrows a face other than the layout's to the layout's widths,
// so that its texts keep to their places; 100 for the layout's own faces. A face with
// condensed forms takes them, any other is narrowed as it is drawn.
int FittingStretch(const QFont& font, const QString& family) {
    static QHash<QString, int> known;
    const QString key = family + (font.bold() ? QStringLiteral("/bold") : QString());
    if (const auto found = known.constFind(key); found != known.cend()) return *found;
    QFont probe(font);
    int stretch = 100;
    for (int attempt = 0; attempt < 3 && !HasLayoutWidths(QFontInfo(probe).family()); ++attempt) {
        probe.setStretch(stretch);
        const double ratio = LayoutDigitWidth(family) / DigitWidth(probe);
        if (ratio >= 1) break;
        stretch = std::max(50, static_cast<int>(std::floor(stretch * ratio)));
    }
    known.insert(key, stretch);
    return stretch;
}

// The font of the family, narrowed where the face standing in for it is wider.
QFont LayoutFont(const QString& family, bool bold) {
    InstallFontSubstitutions();
    QFont font(family);
    font.setBold(bold);
    if (const int stretch = FittingStretch(font, family); stretch != 100) font.setStretch(stretch);
    return font;
}

} // namespace

void InstallFontSubstitutions() {
    if (!QFont::substitutes(ArialFamily).contains(QStringLiteral("Liberation Sans")))
        QFont::insertSubstitution(ArialFamily, QStringLiteral("Liberation Sans"));
    if (!QFont::substitutes(TimesFamily).contains(QStringLiteral("Liberation Serif")))
        QFont::insertSubstitution(TimesFamily, QStringLiteral("Liberation Serif"));
}

double FontScale(const QWidget* widget) {
    const QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? 96.0 / dpi : 1.0;
}

int ScaledPoints(double scale, int nominalPoints) {
    return static_cast<int>(std::nearbyint(scale * nominalPoints));
}

QFont ScaledFont(const QString& family, int nominalPoints, double scale, bool bold) {
    QFont font = LayoutFont(family, bold);
    font.setPointSize(std::max(1, ScaledPoints(scale, nominalPoints)));
    return font;
}

QFont PixelFont(const QString& family, int pixels, bool bold) {
    QFont font = LayoutFont(family, bold);
    font.setPixelSize(std::max(1, pixels));
    return font;
}
