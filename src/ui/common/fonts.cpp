#include "ui/common/fonts.h"

#include <cmath>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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
    InstallFontSubstitutions();
    QFont font(family);
    font.setPointSize(std::max(1, ScaledPoints(scale, nominalPoints)));
    font.setBold(bold);
    return font;
}

QFont PixelFont(const QString& family, int pixels, bool bold) {
    InstallFontSubstitutions();
    QFont font(family);
    font.setPixelSize(std::max(1, pixels));
    font.setBold(bold);
    return font;
}
