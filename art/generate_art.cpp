// SPDX-License-Identifier: GPL-3.0-or-later
// tidewell-art: draws the program's pictures (backgrounds, glyphs, phase pictures) into the
// art folder. The look: a matte mid-grey brushed-metal frame carrying the title bar, caption
// strips and button glyphs, with dark near-black blue insets wherever values, tables and the
// Moon are shown, so that dark captions sit on metal and light values on the dark.
//
//   tidewell-art [output folder]     (default: the art folder of the source tree)

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "ui/menus/report_entries.h"

namespace {

// Palette.
const QColor Ink(30, 34, 42);              // glyphs and engraved captions
const QColor InkLight(214, 216, 220, 190); // the light edge under engraved ink
const QColor Paper(218, 218, 208);         // paper, clock face and letters in glyphs
const QColor InsetFill(10, 13, 28);        // the dark panels
const QColor InsetGuide(28, 37, 60);       // faint rules inside the panels
const QColor TileFill(17, 23, 43);         // a day's tile in the calendar
const QColor HeaderBand(22, 30, 54);       // weekday header band of the calendar
constexpr int BodyMetal = 136, TitleMetal = 148, StripMetal = 166;

QString OutDir;
int Failures = 0;

void Save(const QImage& picture, const QString& name) {
    const QString path = OutDir + "/" + name;
    const bool jpeg = name.endsWith(".jpg");
    const char* format = jpeg ? "JPG" : name.endsWith(".ico") ? "ICO" : "PNG";
    if (!picture.save(path, format, jpeg ? 94 : -1)) {
        std::fprintf(stderr, "tidewell-art: cannot write %s\n", qPrintable(path));
        ++Failures;
        return;
    }
    std::printf("%s  %dx%d\n", qPrintable(name), picture.width(), picture.height());
}

// ---- Surfaces -------------------------------------------------------------------------

// Brushed metal: long horizontal streaks of smoothed noise over a base grey, slightly cool,
// a little lighter at the top of the band.
QImage BrushedMetal(QSize size, int base, unsigned seed) {
    QImage metal(size, QImage::Format_RGB32);
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 1.0);
    const int w = size.width();
    std::vector<double> line(static_cast<size_t>(w)), sums(static_cast<size_t>(w) + 1);
    for (int y = 0; y < size.height(); ++y) {
        const double rowShift = noise(random) * 2.0;
        for (double& v : line)
            v = noise(random) * 9.0;
        for (int pass = 0; pass < 3; ++pass) { // box blur along the row: streaks
            sums[0] = 0;
            for (int x = 0; x < w; ++x)
                sums[static_cast<size_t>(x) + 1] =
                    sums[static_cast<size_t>(x)] + line[static_cast<size_t>(x)];
            for (int x = 0; x < w; ++x) {
                const int a = std::max(0, x - 7), b = std::min(w, x + 8);
                line[static_cast<size_t>(x)] =
                    (sums[static_cast<size_t>(b)] - sums[static_cast<size_t>(a)]) / (b - a);
            }
        }
        const double gradient = 5.0 * (0.5 - double(y) / std::max(1, size.height() - 1));
        auto* row = reinterpret_cast<QRgb*>(metal.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double v = base + gradient + rowShift + line[static_cast<size_t>(x)] * 2.2 +
                             noise(random) * 1.3;
            auto channel = [](double c) {
                return std::clamp(static_cast<int>(std::lround(c)), 0, 255);
            };
            row[x] = qRgb(channel(v - 2), channel(v - 1), channel(v + 2));
        }
    }
    return metal;
}

// A one-pixel bevel just outside r: light above and left when raised, dark when sunken.
void Bevel(QPainter& p, const QRect& r, bool raised, int alphaScale = 100) {
    const QColor light(255, 255, 255, 120 * alphaScale / 100);
    const QColor dark(0, 0, 0, 140 * alphaScale / 100);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(raised ? light : dark);
    p.drawLine(r.left() - 1, r.top() - 1, r.right() + 1, r.top() - 1);
    p.drawLine(r.left() - 1, r.top() - 1, r.left() - 1, r.bottom() + 1);
    p.setPen(raised ? dark : light);
    p.drawLine(r.left() - 1, r.bottom() + 1, r.right() + 1, r.bottom() + 1);
    p.drawLine(r.right() + 1, r.top(), r.right() + 1, r.bottom() + 1);
    p.restore();
}

// A dark panel sunk into the metal.
void Inset(QPainter& p, const QRect& r) {
    p.fillRect(r, InsetFill);
    Bevel(p, r, false);
    Bevel(p, r.adjusted(-1, -1, 1, 1), false, 45);
    // A soft shadow along the upper and left inner edges.
    for (int i = 0; i < 3; ++i) {
        const QColor shade(0, 0, 0, 70 - 22 * i);
        p.fillRect(QRect(r.left(), r.top() + i, r.width(), 1), shade);
        p.fillRect(QRect(r.left() + i, r.top(), 1, r.height()), shade);
    }
}

void Rule(QPainter& p, int x1, int x2, int y, const QColor& colour = InsetGuide) {
    p.fillRect(QRect(x1, y, x2 - x1 + 1, 1), colour);
}

// Engraved text: dark ink over a light edge one pixel below and right.
void Engraved(QPainter& p, const QRect& r, int flags, const QString& text, const QFont& font,
              const QColor& ink = Ink) {
    p.save();
    p.setFont(font);
    p.setPen(InkLight);
    p.drawText(r.translated(1, 1), flags, text);
    p.setPen(ink);
    p.drawText(r, flags, text);
    p.restore();
}

QFont Sans(int pixels, bool bold = false, double spacing = 100) {
    QFont font("Liberation Sans");
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setLetterSpacing(QFont::PercentageSpacing, spacing);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont Serif(int pixels, bool bold = false) {
    QFont font("Liberation Serif");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// ---- Glyphs ---------------------------------------------------------------------------

using TGlyph = std::function<void(QPainter&)>;

// The glyph drawn alone on a transparent picture of its box size.
QImage GlyphPicture(QSize size, const TGlyph& glyph) {
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    glyph(p);
    return picture;
}

// The glyph with its engraved edge: its silhouette in a light tone one pixel lower right.
QImage EngravedGlyph(QSize size, const TGlyph& glyph) {
    const QImage shape = GlyphPicture(size, glyph);
    QImage edge = shape;
    {
        QPainter p(&edge);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(edge.rect(), InkLight);
    }
    QImage result(size + QSize(1, 1), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter p(&result);
    p.drawImage(1, 1, edge);
    p.drawImage(0, 0, shape);
    return result;
}

void PlaceGlyph(QPainter& p, const QRect& box, const TGlyph& glyph) {
    p.drawImage(box.topLeft(), EngravedGlyph(box.size(), glyph));
}

QPen InkPen(double width) {
    return QPen(Ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Printer(QPainter& p) { // 21 × 21
    p.setPen(InkPen(1.0));
    p.setBrush(Paper);
    p.drawRect(QRectF(5.5, 1.5, 10, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawRoundedRect(QRectF(1, 7, 19, 9), 2, 2);
    p.setBrush(QColor(110, 230, 140));
    p.drawEllipse(QPointF(16.5, 10), 1.1, 1.1);
    p.setPen(InkPen(1.0));
    p.setBrush(Paper);
    p.drawRect(QRectF(5.5, 12.5, 10, 7));
    p.drawLine(QPointF(7.5, 15.5), QPointF(13.5, 15.5));
    p.drawLine(QPointF(7.5, 17.5), QPointF(11.5, 17.5));
}

void Binoculars(QPainter& p) { // 33 × 24
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawRoundedRect(QRectF(5, 7, 10, 15), 2.5, 2.5);
    p.drawRoundedRect(QRectF(18, 7, 10, 15), 2.5, 2.5);
    p.drawRect(QRectF(14, 10, 5, 5));
    p.drawRoundedRect(QRectF(6.5, 1.5, 7, 6.5), 1.5, 1.5);
    p.drawRoundedRect(QRectF(19.5, 1.5, 7, 6.5), 1.5, 1.5);
    QLinearGradient glass(0, 17, 0, 22);
    glass.setColorAt(0, QColor(120, 170, 220));
    glass.setColorAt(1, QColor(40, 70, 120));
    p.setBrush(glass);
    p.drawEllipse(QRectF(6.5, 17, 7, 4));
    p.drawEllipse(QRectF(19.5, 17, 7, 4));
    p.setBrush(QColor(150, 155, 165));
    p.drawEllipse(QPointF(16.5, 12.5), 1.5, 1.5);
}

void Telescope(QPainter& p) { // 33 × 24
    p.setPen(InkPen(1.4));
    p.drawLine(QPointF(15, 14), QPointF(9, 23));
    p.drawLine(QPointF(15, 14), QPointF(21, 23));
    p.drawLine(QPointF(15, 14), QPointF(15, 23));
    p.save();
    p.translate(16, 11);
    p.rotate(-27);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    QPolygonF tube({QPointF(-12, -2.4), QPointF(11, -3.6), QPointF(11, 3.6), QPointF(-12, 2.4)});
    p.drawPolygon(tube);
    p.drawRect(QRectF(10, -4.6, 4.5, 9.2));
    p.drawRect(QRectF(-16, -1.4, 4.5, 2.8));
    p.drawRect(QRectF(-5, -6.2, 7, 2));
    p.setBrush(QColor(120, 170, 220));
    p.drawRect(QRectF(14.5, -3.6, 1.2, 7.2));
    p.restore();
}

void Diagonal(QPainter& p) { // 33 × 24
    p.setPen(InkPen(1.4));
    p.drawLine(QPointF(18, 15), QPointF(12, 23));
    p.drawLine(QPointF(18, 15), QPointF(24, 23));
    p.drawLine(QPointF(18, 15), QPointF(18, 23));
    p.save();
    p.translate(17.5, 12);
    p.rotate(-10);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawPolygon(
        QPolygonF({QPointF(-9, -2.4), QPointF(10, -3.4), QPointF(10, 3.4), QPointF(-9, 2.4)}));
    p.drawRect(QRectF(9.5, -4.4, 3.5, 8.8));
    // The star diagonal: a prism box at the back with the eyepiece turned upward.
    p.drawPolygon(QPolygonF({QPointF(-9, -3), QPointF(-9, 3), QPointF(-15, 3), QPointF(-15, -3)}));
    p.drawRect(QRectF(-14.2, -10.5, 4.4, 8));
    p.drawRect(QRectF(-15.2, -12, 6.4, 2.4));
    p.setBrush(QColor(120, 170, 220));
    p.drawRect(QRectF(13, -3.4, 1.2, 6.8));
    p.restore();
}

void List(QPainter& p) { // 17 × 19
    p.setPen(InkPen(1.0));
    p.setBrush(Paper);
    p.drawRoundedRect(QRectF(1.5, 0.5, 14, 17.5), 1.5, 1.5);
    for (int i = 0; i < 4; ++i) {
        const double y = 4.5 + 3.6 * i;
        p.setPen(Qt::NoPen);
        p.setBrush(Ink);
        p.drawEllipse(QPointF(4.6, y), 1.0, 1.0);
        p.setPen(InkPen(1.2));
        p.drawLine(QPointF(7, y), QPointF(i % 2 ? 11.5 : 13, y));
    }
}

void Globe(QPainter& p) { // 21 × 19
    const QPointF c(10.5, 9.5);
    QRadialGradient sea(c - QPointF(3, 3), 11);
    sea.setColorAt(0, QColor(80, 140, 200));
    sea.setColorAt(1, QColor(25, 60, 110));
    p.setPen(InkPen(1.3));
    p.setBrush(sea);
    p.drawEllipse(c, 8.4, 8.4);
    p.setPen(QPen(QColor(200, 222, 240), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 3.6, 8.2);
    p.drawLine(QPointF(c.x(), 1.3), QPointF(c.x(), 17.7));
    p.drawLine(QPointF(2.2, c.y()), QPointF(18.8, c.y()));
    p.drawLine(QPointF(4, 5.2), QPointF(17, 5.2));
    p.drawLine(QPointF(4, 13.8), QPointF(17, 13.8));
}

void Clock(QPainter& p) { // 23 × 23
    const QPointF c(11.5, 11.5);
    p.setPen(InkPen(1.8));
    p.setBrush(Paper);
    p.drawEllipse(c, 10, 10);
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        const double inner = i % 3 == 0 ? 6.2 : 7.3;
        p.setPen(InkPen(i % 3 == 0 ? 1.3 : 0.8));
        p.drawLine(c + QPointF(std::sin(a), -std::cos(a)) * inner,
                   c + QPointF(std::sin(a), -std::cos(a)) * 8.3);
    }
    p.setPen(InkPen(1.7));
    p.drawLine(c, c + QPointF(std::sin(-M_PI / 3), -std::cos(-M_PI / 3)) * 4.8); // 10 o'clock
    p.setPen(InkPen(1.2));
    p.drawLine(c, c + QPointF(std::sin(M_PI / 3), -std::cos(M_PI / 3)) * 7.0); // 10 past
    p.setPen(QPen(QColor(190, 40, 30), 0.8));
    p.drawLine(c, c + QPointF(0.5, 7.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(c, 1.2, 1.2);
}

void Menu(QPainter& p) { // 19 × 19
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    for (int i = 0; i < 3; ++i) {
        p.drawRoundedRect(QRectF(1.5, 3 + 5.5 * i, 3, 3), 0.8, 0.8);
        p.drawRoundedRect(QRectF(6, 3 + 5.5 * i, 11.5, 3), 1, 1);
    }
}

void Home(QPainter& p) { // 21 × 21
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawPolygon(QPolygonF({QPointF(10.5, 1.5), QPointF(20, 10), QPointF(17.5, 10),
                             QPointF(10.5, 4), QPointF(3.5, 10), QPointF(1, 10)}));
    p.drawRect(QRectF(4.5, 9.5, 12, 10));
    p.drawRect(QRectF(14.5, 3, 2.5, 5));
    p.setBrush(Paper);
    p.drawRect(QRectF(9, 13, 3.5, 6.5));
}

void Gear(QPainter& p) { // 19 × 19
    const QPointF c(9.5, 9.5);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const double a = (i - 0.5) * 2 * M_PI / (teeth * 4);
        const double r = (i % 4 == 0 || i % 4 == 1) ? 9.0 : 6.8;
        const QPointF point = c + QPointF(std::cos(a), std::sin(a)) * r;
        i == 0 ? gear.moveTo(point) : gear.lineTo(point);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 2.8, 2.8);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawPath(gear.subtracted(hole));
}

void LetterInDisc(QPainter& p, QPointF centre, double radius, const QString& letter,
                  const QFont& font) {
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(centre, radius, radius);
    p.setPen(Paper);
    p.setFont(font);
    p.drawText(QRectF(centre.x() - radius, centre.y() - radius + 0.5, 2 * radius, 2 * radius),
               Qt::AlignCenter, letter);
}

void Help(QPainter& p) {
    LetterInDisc(p, {11.5, 9.5}, 8.6, "?", Sans(14, true));
} // 23 × 19
void About(QPainter& p) {
    LetterInDisc(p, {8.5, 10.5}, 8.2, "i", Serif(15, true));
} // 17 × 21

void Minimise(QPainter& p) { // 15 × 15
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawRoundedRect(QRectF(2, 10, 11, 3), 1, 1);
}

void Close(QPainter& p) { // 13 × 15
    p.setPen(InkPen(2.4));
    p.drawLine(QPointF(2.5, 4), QPointF(10.5, 12));
    p.drawLine(QPointF(10.5, 4), QPointF(2.5, 12));
}

void Switch(QPainter& p) { // 13 × 17, the Moon panel's two sets of values
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawPolygon(QPolygonF({QPointF(6.5, 1.5), QPointF(11.5, 7), QPointF(1.5, 7)}));
    p.drawPolygon(QPolygonF({QPointF(1.5, 10), QPointF(11.5, 10), QPointF(6.5, 15.5)}));
}

void Eclipse(QPainter& p) { // 29 × 25: the Moon entering the Earth's reddish shadow
    const QPointF c(14.5, 12.5);
    QRadialGradient lit(c + QPointF(4, 4), 13);
    lit.setColorAt(0, QColor(232, 230, 220));
    lit.setColorAt(1, QColor(150, 150, 146));
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(lit);
    p.drawEllipse(c, 10.5, 10.5);
    QPainterPath moon, umbra;
    moon.addEllipse(c, 9.9, 9.9);
    umbra.addEllipse(c + QPointF(-7, -6), 14, 14);
    QRadialGradient copper(c + QPointF(-7, -6), 14);
    copper.setColorAt(0.5, QColor(96, 26, 16));
    copper.setColorAt(1, QColor(196, 84, 44));
    p.setPen(Qt::NoPen);
    p.setBrush(copper);
    p.drawPath(moon.intersected(umbra));
}

// ---- Moon pictures --------------------------------------------------------------------

QImage Photograph() {
    QImage moon(ART_DIR "/full-moon-156.jpg");
    if (moon.isNull()) {
        std::fprintf(stderr, "tidewell-art: full-moon-156.jpg not found in %s\n", ART_DIR);
        ++Failures;
        moon = QImage(156, 156, QImage::Format_RGB32);
        moon.fill(Qt::gray);
    }
    return moon.convertToFormat(QImage::Format_RGB32);
}

enum class TLit { None, Right, All, Left, Blue };

// A small Moon, 30 × 30, lit as for an observer in the northern hemisphere.
QImage PhasePicture(const QImage& photograph, TLit lit) {
    // The disc of the photograph lies in (3, 3)–(153, 154).
    const QImage disc = photograph.copy(3, 3, 151, 152)
                            .scaled(28, 28, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage picture(30, 30, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outline(1, 1, 28, 28);
    QBrush texture(disc);
    texture.setTransform(QTransform::fromTranslate(1, 1));
    p.setPen(Qt::NoPen);
    p.setBrush(texture);
    p.drawEllipse(outline);

    QPainterPath moon, shadow;
    moon.addEllipse(outline);
    switch (lit) {
    case TLit::None:
        shadow = moon;
        break;
    case TLit::Right:
        shadow.addRect(0, 0, 15, 30);
        break;
    case TLit::Left:
        shadow.addRect(15, 0, 15, 30);
        break;
    default:
        break;
    }
    if (!shadow.isEmpty()) {
        p.setBrush(QColor(6, 8, 18, 228));
        p.drawPath(moon.intersected(shadow));
    }
    if (lit == TLit::Blue) {
        p.setCompositionMode(QPainter::CompositionMode_Multiply);
        p.setBrush(QColor(150, 190, 255));
        p.drawEllipse(outline);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    // A faint limb so that the dark part stays visible on the dark panel.
    p.setBrush(Qt::NoBrush);
    p.setPen(
        QPen(lit == TLit::Blue ? QColor(120, 170, 255, 150) : QColor(120, 130, 150, 110), 0.8));
    p.drawEllipse(outline.adjusted(0.3, 0.3, -0.3, -0.3));
    return picture;
}

// ---- Pictures of the main window ------------------------------------------------------

// The strip under the title bar where the date, time, phase and sidereal time are written
// in navy.
QImage ClockStrip() {
    QImage strip = BrushedMetal({640, 24}, StripMetal, 11);
    QPainter p(&strip);
    Rule(p, 0, 639, 0, QColor(255, 255, 255, 90));
    Rule(p, 0, 639, 23, QColor(0, 0, 0, 110));
    // A groove between the date and phase text and the sidereal time.
    p.fillRect(QRect(409, 4, 1, 16), QColor(0, 0, 0, 70));
    p.fillRect(QRect(410, 4, 1, 16), QColor(255, 255, 255, 90));
    return strip;
}

QImage MoonParams(QSize size, int firstRow) {
    QImage panel(size, QImage::Format_RGB32);
    panel.fill(InsetFill);
    QPainter p(&panel);
    for (int i = 1; i < 4; ++i)
        Rule(p, 2, size.width() - 3, firstRow + 16 * i - 2);
    return panel;
}

QImage DayHighlight() { // 25 × 23, behind the selected day's number
    QImage picture(25, 23, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient glow(0, 0, 0, 23);
    glow.setColorAt(0, QColor(62, 98, 146));
    glow.setColorAt(1, QColor(28, 50, 88));
    p.setBrush(glow);
    p.setPen(QPen(QColor(255, 206, 112, 230), 1.2));
    p.drawRoundedRect(QRectF(0.8, 0.8, 23.4, 21.4), 4, 4);
    return picture;
}

QImage YearEditBox() { // 60 × 29, a sunken pale field for the year while it is typed
    QImage picture = BrushedMetal({60, 29}, BodyMetal, 21);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient field(0, 0, 0, 29);
    field.setColorAt(0, QColor(188, 192, 186));
    field.setColorAt(1, QColor(214, 216, 206));
    p.setPen(QPen(QColor(40, 44, 52), 1));
    p.setBrush(field);
    p.drawRoundedRect(QRectF(1.5, 1.5, 56, 25), 3, 3);
    p.setPen(QPen(QColor(0, 0, 0, 60), 1));
    p.drawLine(QPointF(3.5, 3.5), QPointF(55.5, 3.5));
    p.setPen(QPen(QColor(255, 255, 255, 120), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, 58, 27), 3.5, 3.5);
    return picture;
}

// The time editor's bar, 228 × 30: the three fields on a dark inset, then "Now" over
// x 107..152 and "Sync" over x 160..206.
QImage TimeEditor() {
    QImage bar = BrushedMetal({228, 30}, TitleMetal + 4, 31);
    QPainter p(&bar);
    Bevel(p, QRect(1, 1, 226, 28), true);
    Rule(p, 0, 227, 29, QColor(0, 0, 0, 160));
    p.fillRect(QRect(227, 0, 1, 30), QColor(0, 0, 0, 160));
    Inset(p, QRect(7, 3, 92, 23));
    p.setRenderHint(QPainter::Antialiasing);
    auto button = [&](QRect r, const QString& text) {
        QLinearGradient face(0, r.top(), 0, r.bottom());
        face.setColorAt(0, QColor(178, 180, 184));
        face.setColorAt(1, QColor(138, 140, 146));
        p.setPen(QPen(QColor(40, 44, 52), 1));
        p.setBrush(face);
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        p.setPen(QColor(255, 255, 255, 110));
        p.drawLine(QPointF(r.left() + 3, r.top() + 1.5), QPointF(r.right() - 3, r.top() + 1.5));
        Engraved(p, r.adjusted(0, 0, 0, -1), Qt::AlignCenter, text, Sans(12, true));
    };
    button(QRect(108, 4, 44, 17), "Now");
    button(QRect(161, 4, 45, 17), "Sync");
    return bar;
}

struct TButtonGlyph {
    QRect Box;
    void (*Draw)(QPainter&);
};

// Where the main window's buttons lie (the click areas of the window are laid over them).
constexpr std::array<TButtonGlyph, 12> MainButtons{{
    {{18, 14, 21, 21}, Printer},   // lblPrint
    {{76, 14, 17, 19}, List},      // lblTimesList
    {{100, 14, 21, 19}, Globe},    // lblLinks
    {{128, 12, 23, 23}, Clock},    // lblClock
    {{158, 14, 19, 19}, Menu},     // lblReports
    {{446, 12, 21, 21}, Home},     // Label1, the author's web site
    {{478, 14, 19, 19}, Gear},     // lblConfig
    {{510, 14, 23, 19}, Help},     // lblHelp
    {{544, 12, 17, 21}, About},    // lblAbout
    {{592, 14, 15, 15}, Minimise}, // lblMinimise
    {{614, 14, 13, 15}, Close},    // lblExit
    {{380, 264, 13, 17}, Switch},  // lblLibration
}};

QImage MainBackground(const QImage& photograph) {
    QImage window = BrushedMetal({640, 480}, BodyMetal, 1);
    QPainter p(&window);

    // Title bar and the clock strip below it.
    p.drawImage(0, 0, BrushedMetal({640, 40}, TitleMetal, 2));
    p.drawImage(0, 40, ClockStrip());
    Rule(p, 0, 639, 39, QColor(0, 0, 0, 120));
    Engraved(p, QRect(264, 11, 113, 24), Qt::AlignCenter, "Tidewell", Serif(22, true));
    for (const TButtonGlyph& button : MainButtons)
        PlaceGlyph(p, button.Box, button.Draw);
    // Grooves that group the buttons.
    for (int x : {214, 434, 580}) {
        p.fillRect(QRect(x, 10, 1, 24), QColor(0, 0, 0, 70));
        p.fillRect(QRect(x + 1, 10, 1, 24), QColor(255, 255, 255, 90));
    }

    // The Moon and its values.
    Inset(p, QRect(18, 72, 395, 171));
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(26, 80, photograph);
    p.setPen(QPen(QColor(46, 58, 84), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(23.5, 77.5, 160, 160)); // a thin frame around the Moon
    p.setRenderHint(QPainter::Antialiasing, false);
    Rule(p, 188, 404, 128);
    Rule(p, 188, 404, 197);

    // The month's phases.
    Inset(p, QRect(418, 72, 212, 171));
    for (int k = 1; k < 5; ++k)
        Rule(p, 424, 624, 77 + 32 * k - 2);

    // Rise, transit and set of Sun and Moon.
    const QFont header = Sans(10, true, 112);
    Engraved(p, QRect(94, 280, 50, 12), Qt::AlignLeft, "SUN", header);
    Engraved(p, QRect(150, 280, 120, 12), Qt::AlignLeft, "MOON", header);
    Inset(p, QRect(90, 297, 189, 52));
    p.fillRect(QRect(144, 300, 1, 46), InsetGuide);

    // Twilight.
    Engraved(p, QRect(32, 372, 120, 12), Qt::AlignLeft, "TWILIGHT", header);
    Inset(p, QRect(126, 404, 153, 51));
    p.fillRect(QRect(202, 407, 1, 45), InsetGuide);

    // The Moon's parameters and the Sun's position.
    Engraved(p, QRect(284, 264, 90, 12), Qt::AlignLeft, "MOON", header);
    Inset(p, QRect(280, 277, 125, 73));
    p.drawImage(315, 280, MoonParams({86, 67}, 4));
    for (int i = 1; i < 4; ++i)
        Rule(p, 284, 314, 280 + 4 + 16 * i - 2);
    Engraved(p, QRect(284, 371, 90, 12), Qt::AlignLeft, "SUN", header);
    Inset(p, QRect(280, 385, 125, 72));
    p.drawImage(315, 387, MoonParams({84, 67}, 3));
    for (int i = 1; i < 4; ++i)
        Rule(p, 284, 314, 387 + 3 + 16 * i - 2);

    // The calendar: weekday headers and a tile for every day.
    Inset(p, QRect(414, 287, 216, 180));
    p.fillRect(QRect(414, 287, 216, 23), HeaderBand);
    Rule(p, 414, 629, 310, InsetGuide);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(TileFill);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 7; ++c)
            p.drawRoundedRect(QRectF(420 + 29 * c - 1 + 0.5, 316 + 25 * r - 3 + 0.5, 24, 22), 4, 4);
    p.setRenderHint(QPainter::Antialiasing, false);

    // The window's own edge.
    Bevel(p, QRect(1, 1, 638, 478), true);
    p.setPen(QColor(40, 42, 48));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, 639, 479);
    return window;
}

// ---- Times list and print options ------------------------------------------------------

void ArrowUp(QPainter& p) { // 19 × 17
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawPolygon(QPolygonF({QPointF(9.5, 3), QPointF(16, 13), QPointF(3, 13)}));
}

void ArrowDown(QPainter& p) { // 19 × 17
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawPolygon(QPolygonF({QPointF(3, 4), QPointF(16, 4), QPointF(9.5, 14)}));
}

void SmallPrinter(QPainter& p) { // 19 × 19: the 21 × 21 printer drawn smaller
    p.scale(19.0 / 21.0, 19.0 / 21.0);
    Printer(p);
}

// A heading group over table columns: its name engraved, a rule in the columns' own colour
// under it from the first column's left to the last column's right.
void HeadingGroup(QPainter& p, int left, int right, const QString& name, const QColor& colour) {
    Engraved(p, QRect(left, 42, right - left, 14), Qt::AlignCenter, name, Sans(11, true, 104));
    p.fillRect(QRect(left + 2, 58, right - left - 4, 2), colour.darker(135));
    p.fillRect(QRect(left + 2, 60, right - left - 4, 1), QColor(255, 255, 255, 80));
}

// The month times list, 640 × 481. The table's columns (window x of each text's left edge,
// the times 28 pixels wide): date 30; Moon 104, 144, 182, illumination ending at 232 with
// "%" after it; twilight start 265, 304, 343; Sun 389, 429, 467; twilight end 511, 549, 587.
QImage TimesListBackground() {
    QImage window = BrushedMetal({640, 481}, BodyMetal, 41);
    QPainter p(&window);
    p.drawImage(0, 0, BrushedMetal({640, 40}, TitleMetal, 42));
    p.drawImage(0, 40, BrushedMetal({640, 39}, StripMetal, 43));
    Rule(p, 0, 639, 39, QColor(0, 0, 0, 120));
    Rule(p, 0, 639, 40, QColor(255, 255, 255, 90));
    Engraved(p, QRect(202, 10, 237, 23), Qt::AlignCenter, "Rise/Set Times for Month",
             Serif(19, true));
    PlaceGlyph(p, QRect(20, 16, 19, 19), SmallPrinter);
    PlaceGlyph(p, QRect(54, 14, 19, 17), ArrowUp);
    PlaceGlyph(p, QRect(74, 14, 19, 17), ArrowDown);
    PlaceGlyph(p, QRect(592, 14, 15, 15), Minimise);
    PlaceGlyph(p, QRect(614, 14, 13, 15), Close);
    for (int x : {46, 100, 580}) {
        p.fillRect(QRect(x, 10, 1, 24), QColor(0, 0, 0, 70));
        p.fillRect(QRect(x + 1, 10, 1, 24), QColor(255, 255, 255, 90));
    }

    // The headings: groups above, columns below, each centred over its column.
    p.setRenderHint(QPainter::TextAntialiasing);
    HeadingGroup(p, 100, 244, "Moon", QColor(0, 255, 255));
    HeadingGroup(p, 262, 372, "Twilight Start", QColor(255, 255, 176));
    HeadingGroup(p, 386, 496, "Sun", QColor(255, 255, 0));
    HeadingGroup(p, 508, 618, "Twilight End", QColor(255, 255, 176));
    const QFont column = Sans(11, true);
    Engraved(p, QRect(24, 52, 66, 24), Qt::AlignCenter, "Date", column);
    const struct {
        int Centre;
        const char* Text;
    } columns[] = {{118, "Rise"},  {158, "Transit"}, {196, "Set"},  {228, "Illum."},  {279, "Ast."},
                   {318, "Naut."}, {357, "Civil"},   {403, "Rise"}, {443, "Transit"}, {481, "Set"},
                   {525, "Civil"}, {563, "Naut."},   {601, "Ast."}};
    for (const auto& c : columns)
        Engraved(p, QRect(c.Centre - 24, 63, 48, 14), Qt::AlignCenter, c.Text, column);

    // The table's inset and the window's edge.
    Inset(p, QRect(20, 80, 600, 380));
    Bevel(p, QRect(1, 1, 638, 479), true);
    p.setPen(QColor(40, 42, 48));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, 639, 480);
    return window;
}

// A spin button: two raised halves with their arrows, the upper from topLeft, the lower
// step pixels below it, each height pixels high and 14 wide. Leaves antialiasing on.
void SpinButton(QPainter& p, QPointF topLeft, double step, double height) {
    p.setRenderHint(QPainter::Antialiasing);
    for (int half = 0; half < 2; ++half) {
        const QRectF r(topLeft.x(), topLeft.y() + step * half, 14, height);
        QLinearGradient face(0, r.top(), 0, r.bottom());
        face.setColorAt(0, QColor(188, 190, 194));
        face.setColorAt(1, QColor(146, 148, 154));
        p.setPen(QPen(QColor(40, 44, 52), 1));
        p.setBrush(face);
        p.drawRect(r);
        p.setPen(Qt::NoPen);
        p.setBrush(Ink);
        const double cx = r.center().x(), top = r.top() + 2.5, bottom = r.bottom() - 2.5;
        if (half == 0)
            p.drawPolygon(
                QPolygonF({QPointF(cx, top), QPointF(cx + 4, bottom), QPointF(cx - 4, bottom)}));
        else
            p.drawPolygon(
                QPolygonF({QPointF(cx - 4, top), QPointF(cx + 4, top), QPointF(cx, bottom)}));
    }
}

// The print options, 220 × 260: check boxes at x 30 (rows 70, 90, 110, 130, 13 × 13), the
// density field at (142, 170, 27 × 21) with its spin button at (171, 170, 15 × 21), OK at
// (62, 210, 99 × 29).
QImage PrintOptionsBackground() {
    QImage window = BrushedMetal({220, 260}, BodyMetal + 8, 51);
    QPainter p(&window);
    p.drawImage(0, 0, BrushedMetal({220, 44}, TitleMetal, 52));
    Rule(p, 0, 219, 44, QColor(0, 0, 0, 120));
    Rule(p, 0, 219, 45, QColor(255, 255, 255, 90));
    PlaceGlyph(p, QRect(16, 12, 21, 21), Printer);
    Engraved(p, QRect(40, 10, 170, 26), Qt::AlignCenter, "Print Options", Serif(20, true));
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFont item = Sans(11, true);
    const char* items[] = {"Daily Phases", "Major Phases", "Moon's Rise/Transit/Set Times",
                           "Sun's Rise/Transit/Set Times"};
    for (int i = 0; i < 4; ++i)
        Engraved(p, QRect(49, 69 + 20 * i, 168, 15), Qt::AlignLeft | Qt::AlignVCenter, items[i],
                 item);
    Engraved(p, QRect(14, 173, 124, 15), Qt::AlignRight | Qt::AlignVCenter, "Daily Phase Density",
             item);
    Bevel(p, QRect(142, 170, 27, 21), false);
    SpinButton(p, {171.5, 170.5}, 10.5, 9.5);
    // The OK button.
    const QRectF ok(62.5, 210.5, 98, 28);
    QLinearGradient face(0, ok.top(), 0, ok.bottom());
    face.setColorAt(0, QColor(186, 188, 192));
    face.setColorAt(1, QColor(140, 142, 148));
    p.setPen(QPen(QColor(40, 44, 52), 1));
    p.setBrush(face);
    p.drawRoundedRect(ok, 4, 4);
    p.setPen(QColor(255, 255, 255, 110));
    p.drawLine(QPointF(66, 212.5), QPointF(157, 212.5));
    Engraved(p, QRect(62, 210, 99, 28), Qt::AlignCenter, "OK", Sans(14, true));
    p.setRenderHint(QPainter::Antialiasing, false);
    Bevel(p, QRect(1, 1, 218, 258), true);
    p.setPen(QColor(40, 42, 48));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, 219, 259);
    return window;
}

// ---- Eclipse windows, calendar pop-ups, report menu and month picker ---------------------

// A window's frame: brushed metal, a title band of `titleHeight` with the engraved title,
// the close glyph (and minimise left of it) at the right, the window's own edge last.
QImage FramedWindow(QSize size, int titleHeight, const QString& title, unsigned seed, bool minimise,
                    int titlePixels = 19) {
    QImage window = BrushedMetal(size, BodyMetal, seed);
    QPainter p(&window);
    p.drawImage(0, 0, BrushedMetal({size.width(), titleHeight}, TitleMetal, seed + 1));
    Rule(p, 0, size.width() - 1, titleHeight - 1, QColor(0, 0, 0, 120));
    Rule(p, 0, size.width() - 1, titleHeight, QColor(255, 255, 255, 90));
    Engraved(p, QRect(0, 8, size.width(), 26), Qt::AlignCenter, title, Serif(titlePixels, true));
    const int right = size.width();
    PlaceGlyph(p, QRect(right - 26, 14, 13, 15), Close);
    if (minimise) PlaceGlyph(p, QRect(right - 48, 14, 15, 15), Minimise);
    return window;
}

void WindowEdge(QImage& window) {
    QPainter p(&window);
    Bevel(p, QRect(1, 1, window.width() - 2, window.height() - 2), true);
    p.setPen(QColor(40, 42, 48));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, window.width() - 1, window.height() - 1);
}

// The eclipse screen, 620 × 335.
QImage EclipseBackground() {
    QImage window = FramedWindow({620, 335}, 40, "Lunar Eclipse", 61, true);
    {
        QPainter p(&window);
        Inset(p, QRect(19, 72, 211, 159));               // contacts and magnitude
        Inset(p, QRect(19, 251, 211, 64));               // rise and set
        p.fillRect(QRect(250, 72, 349, 243), Qt::black); // the drawing (covered at run time)
        Bevel(p, QRect(250, 72, 349, 243), false);
        Bevel(p, QRect(249, 71, 351, 245), false, 45);
        p.setRenderHint(QPainter::TextAntialiasing);
        Engraved(p, QRect(19, 233, 211, 16), Qt::AlignCenter, "RISE AND SET ON THE DAY",
                 Sans(10, true, 108));
        // A small eclipse glyph at the left of the title band.
        PlaceGlyph(p, QRect(16, 8, 29, 25), Eclipse);
    }
    WindowEdge(window);
    return window;
}

// A raised button face with its engraved caption.
void ButtonFace(QPainter& p, const QRectF& r, const QString& caption) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(0, r.top(), 0, r.bottom());
    face.setColorAt(0, QColor(186, 188, 192));
    face.setColorAt(1, QColor(140, 142, 148));
    p.setPen(QPen(QColor(40, 44, 52), 1));
    p.setBrush(face);
    p.drawRoundedRect(r, 3, 3);
    p.restore();
    Engraved(p, r.toRect(), Qt::AlignCenter, caption, Sans(12, true));
}

// The eclipse report, 390 × 285.
QImage EclipseReportBackground() {
    QImage window = FramedWindow({390, 285}, 38, "Lunar Eclipses", 71, false);
    {
        QPainter p(&window);
        p.setRenderHint(QPainter::TextAntialiasing);
        Bevel(p, QRect(52, 44, 31, 18), false);
        Bevel(p, QRect(110, 44, 31, 18), false);
        ButtonFace(p, QRectF(288.5, 42.5, 82, 20), "Calculate");
        Inset(p, QRect(20, 73, 350, 192));
    }
    WindowEdge(window);
    return window;
}

// A pop-up with a dark panel for `rows` rows of 16 pixels from `top`.
QImage PopUpBackground(QSize size, const QString& title, unsigned seed, int top, int rows) {
    QImage window = FramedWindow(size, 38, title, seed, false, 16);
    {
        QPainter p(&window);
        Inset(p, QRect(16, top - 6, size.width() - 32, 16 * rows + 10));
    }
    WindowEdge(window);
    return window;
}

QImage EasterBackground() { // 200 × 104
    QImage window = BrushedMetal({200, 104}, BodyMetal, 81);
    QPainter p(&window);
    p.drawImage(0, 0, BrushedMetal({200, 42}, TitleMetal, 82));
    Rule(p, 0, 199, 41, QColor(0, 0, 0, 120));
    Rule(p, 0, 199, 42, QColor(255, 255, 255, 90));
    Engraved(p, QRect(30, 11, 139, 22), Qt::AlignCenter, "Easter Sunday", Serif(16, true));
    PlaceGlyph(p, QRect(175, 14, 13, 15), Close);
    Inset(p, QRect(16, 56, 168, 34));
    p.end();
    WindowEdge(window);
    return window;
}

void RightArrow(QPainter& p, const QRectF& box) {
    p.setPen(Qt::NoPen);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, QColor(120, 255, 255));
    fill.setColorAt(1, QColor(0, 170, 190));
    p.setBrush(fill);
    const double cy = box.center().y();
    p.drawPolygon(QPolygonF({QPointF(box.left(), cy - box.height() / 2), QPointF(box.right(), cy),
                             QPointF(box.left(), cy + box.height() / 2)}));
}

QImage MenuArrow() { // 15 × 20, aqua on the dark menu
    return GlyphPicture({15, 20}, [](QPainter& p) { RightArrow(p, QRectF(3, 5, 9, 10)); });
}

QImage MonthArrow() { // 12 × 29
    return GlyphPicture({12, 29}, [](QPainter& p) { RightArrow(p, QRectF(1, 9, 9, 11)); });
}

// The report menu, 265 × 200: dark entries separated by faint rules, texts in pale yellow.
QImage ReportMenu() {
    QImage menu(265, 200, QImage::Format_RGB32);
    menu.fill(InsetFill);
    QPainter p(&menu);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(Sans(12, true));
    for (int k = 0; k < static_cast<int>(ReportEntryNames.size()); ++k) {
        if (k > 0) Rule(p, 4, 260, 20 * k, InsetGuide);
        p.setPen(QColor(255, 255, 176));
        p.drawText(QRect(26, 20 * k, 236, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(ReportEntryNames[k]));
    }
    p.setPen(QColor(90, 100, 120));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, 264, 199);
    return menu;
}

// The month picker's ground, 100 × 348: twelve dark rows of 29 pixels.
QImage MonthList() {
    QImage list(100, 348, QImage::Format_RGB32);
    list.fill(InsetFill);
    QPainter p(&list);
    for (int k = 1; k < 12; ++k)
        Rule(p, 4, 95, 29 * k, InsetGuide);
    p.setPen(QColor(90, 100, 120));
    p.drawRect(0, 0, 99, 347);
    return list;
}

// ---- Preview --------------------------------------------------------------------------

// The main window as it will look with its captions and values in their colours, to judge
// the pictures by (not used by the program).
QImage MainPreview(const QImage& background, const QImage& photograph) {
    QImage window = background;
    QPainter p(&window);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor yellow(255, 255, 0), aqua(0, 255, 255), panel(255, 255, 176);
    auto text = [&](int x, int y, const QString& t, const QColor& c, const QFont& f,
                    bool opaque = false) {
        p.setFont(f);
        const QRect r = QFontMetrics(f).boundingRect(t);
        if (opaque) p.fillRect(QRect(x, y, r.width(), QFontMetrics(f).height()), Qt::black);
        p.setPen(c);
        p.drawText(x, y + QFontMetrics(f).ascent(), t);
    };
    const QFont caption = Sans(12), bold = Sans(12, true), small = Sans(12);
    const char* left[] = {"Visible:",  "Age:",      "Distance:", "R.A.:",   "Dec.:",
                          "Parallax:", "Diameter:", "Apogee:",   "Perigee:"};
    const int tops[] = {80, 94, 110, 134, 148, 162, 176, 204, 218};
    const char* values[] = {"87%",           "10d 04h 12m",   "384 412 km",  "14h 22m 07s",
                            "-12° 41' 19\"", "0° 57' 04\"",   "0° 31' 08\"", "08:12  14 Dec",
                            "405 877 km",    "21:40  02 Dec", "362 301 km"};
    for (int i = 0; i < 9; ++i)
        text(188, tops[i], left[i], yellow, caption);
    for (int i = 0; i < 9; ++i)
        text(249, tops[i], values[i], aqua, small, true);
    text(332, 204, values[8], aqua, small, true);
    text(332, 218, values[10], aqua, small, true);
    text(32, 300, "Sunrise:", Ink, bold);
    text(32, 316, "Transit:", Ink, bold);
    text(32, 332, "Sunset:", Ink, bold);
    text(94, 300, "07:58", panel, caption);
    text(94, 316, "12:03", panel, caption);
    text(94, 332, "16:07", panel, caption);
    text(150, 300, "Moonrise:", panel, bold);
    text(150, 316, "Transit:", panel, bold);
    text(150, 332, "Moonset", panel, bold);
    text(212, 300, "13:12", panel, caption);
    text(212, 316, "19:40", panel, caption);
    text(212, 332, "*****", panel, caption);
    text(130, 390, "Start", Ink, bold);
    text(212, 390, "End", Ink, bold);
    text(32, 404, "Civil:", Ink, bold);
    text(32, 420, "Nautical:", Ink, bold);
    text(32, 436, "Astronomical:", Ink, bold);
    for (int i = 0; i < 3; ++i) {
        text(130, 406 + 16 * i, QString("0%1:%2").arg(7 - i).arg(20 - 6 * i), panel, caption);
        text(212, 406 + 16 * i, QString("16:%1").arg(45 + 5 * i), panel, caption);
    }
    const char* moonCaps[] = {"Az.:", "Alt.:", "P.A.:", "Ph.A:"};
    const char* sunCaps[] = {"Az.:", "Alt.:", "R.A.:", "Dec.:"};
    for (int i = 0; i < 4; ++i) {
        text(284, 284 + 16 * i, moonCaps[i], Qt::white, caption);
        text(284, 390 + 16 * i, sunCaps[i], Qt::white, caption);
        text(325, 284 + 16 * i, "123°  45 '  07 \"", panel, Sans(12));
        text(325, 390 + 16 * i, " 23°  05 '  51 \"", panel, Sans(12));
    }
    // Calendar.
    QFont month = Sans(19, true);
    text(461, 261, "December", QColor(210, 210, 210), month);
    text(460, 260, "December", QColor(60, 60, 60), month);
    text(566, 261, "2026", QColor(210, 210, 210), month);
    text(565, 260, "2026", QColor(60, 60, 60), month);
    const char* days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int i = 0; i < 7; ++i) {
        p.setFont(Sans(12));
        p.setPen(aqua);
        p.drawText(QRect(420 + 29 * i, 291, 29, 16), Qt::AlignCenter, days[i]);
    }
    p.drawImage(420 + 29 * 1 - 1, 316 + 25 * 1 - 3, DayHighlight());
    for (int d = 1; d <= 31; ++d) {
        const int i = d + 1;
        p.setFont(Sans(15, true));
        p.setPen(panel);
        p.drawText(QRect(420 + 29 * (i % 7), 316 + 25 * (i / 7), 20, 16),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(d));
    }
    // Phases.
    const TLit kinds[] = {TLit::Left, TLit::None, TLit::Right, TLit::All, TLit::Blue};
    const char* when[] = {"06:22  01 December 2026", "00:52  09 December 2026",
                          "01:12  17 December 2026", "15:28  24 December 2026",
                          "11:06  31 December 2026"};
    for (int k = 0; k < 5; ++k) {
        p.drawImage(426, 78 + 32 * k, PhasePicture(photograph, kinds[k]));
        text(466, 88 + 32 * k, when[k], aqua, caption);
    }
    // The Moon at about 70 %, the optics button and the clock strip's text.
    p.drawImage(44, 13, EngravedGlyph({33, 24}, Telescope));
    p.drawImage(182, 12, EngravedGlyph({29, 25}, Eclipse));
    p.setFont(Sans(15, true));
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRect(20, 44, 382, 20), Qt::AlignHCenter | Qt::AlignTop,
               "21:14:07  07 December 2026 - Waxing Gibbous");
    p.drawText(QRect(420, 44, 200, 20), Qt::AlignHCenter | Qt::AlignTop, "LST: 02:41:19");
    return window;
}

} // namespace

// ---- Daily view, observing aid and monthly phases ----------------------------------------

// The black drawing area of a window, sunk into the metal.
void DrawingWell(QPainter& p, const QRect& r) {
    p.fillRect(r, Qt::black);
    Bevel(p, r.adjusted(-1, -1, 1, 1), false);
}

// The daily view, 640 × 423: the printer at (20, 12), the graph (20, 60, 599 × 175) and the
// table (20, 274, 599 × 125) sunk in black; the table's headings are written at run time on
// the metal strip at y 250.
QImage DailyViewBackground() {
    QImage window = FramedWindow({640, 423}, 40, "Daily View", 111, true);
    {
        QPainter p(&window);
        PlaceGlyph(p, QRect(20, 12, 21, 21), Printer);
        DrawingWell(p, QRect(20, 60, 599, 175));
        p.drawImage(20, 244, BrushedMetal({599, 24}, StripMetal, 113));
        Bevel(p, QRect(20, 244, 599, 24), true, 60);
        DrawingWell(p, QRect(20, 274, 599, 125));
    }
    WindowEdge(window);
    return window;
}

// The observing aid, 540 × 480: title band to y 45, the printer at (20, 14), the two toggle
// pictures go at (47, 12) and (78, 13); black from (20, 60) to (520, 460) for the hour labels
// and the chart.
QImage ObservingAidBackground() {
    QImage window = FramedWindow({540, 480}, 45, "Observing Aid", 121, true);
    {
        QPainter p(&window);
        PlaceGlyph(p, QRect(20, 14, 21, 21), Printer);
        DrawingWell(p, QRect(20, 60, 500, 400));
    }
    WindowEdge(window);
    return window;
}

// The toggles of the observing aid, 27 × 24 each, on the title band's metal.
void DaySun(QPainter& p) {
    const QPointF c(13.5, 12);
    p.setPen(InkPen(1.6));
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        p.drawLine(c + QPointF(7.5 * std::cos(a), 7.5 * std::sin(a)),
                   c + QPointF(10.5 * std::cos(a), 10.5 * std::sin(a)));
    }
    p.setPen(InkPen(1.0));
    p.setBrush(QColor(240, 206, 90));
    p.drawEllipse(c, 5, 5);
}

void NightMoon(QPainter& p) {
    QPainterPath moon;
    moon.addEllipse(QPointF(12, 12), 9, 9);
    QPainterPath bite;
    bite.addEllipse(QPointF(16.5, 9), 8, 8);
    p.setPen(InkPen(1.0));
    p.setBrush(QColor(226, 226, 200));
    p.drawPath(moon.subtracted(bite));
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    for (const QPointF& star : {QPointF(21, 16), QPointF(23.5, 5), QPointF(17.5, 21)})
        p.drawEllipse(star, 1.1, 1.1);
}

void GridOn(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(InsetFill);
    p.drawRect(QRectF(2, 3, 23, 18));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (int x = 6; x < 25; x += 5) p.drawLine(QPointF(x + 0.5, 3), QPointF(x + 0.5, 21));
    for (int y = 7; y < 21; y += 4) p.drawLine(QPointF(2, y + 0.5), QPointF(25, y + 0.5));
    p.setPen(InkPen(1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 2.5, 24, 19));
}

void LinesOnly(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(InsetFill);
    p.drawRect(QRectF(2, 3, 23, 18));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (int y = 7; y < 21; y += 4) p.drawLine(QPointF(2, y + 0.5), QPointF(25, y + 0.5));
    p.setPen(InkPen(1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 2.5, 24, 19));
}

// A floppy disk, 13 × 13: the monthly phases picture's save button.
void SaveDisk(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawPolygon(QPolygonF({QPointF(0.5, 0.5), QPointF(10.5, 0.5), QPointF(12.5, 2.5),
                             QPointF(12.5, 12.5), QPointF(0.5, 12.5)}));
    p.setBrush(Paper);
    p.drawRect(QRectF(3, 1.5, 6, 3.5));
    p.drawRect(QRectF(2.5, 7.5, 8, 4));
}

// The monthly phases picture, 490 × 480: title band to y 45 with the save disk at (20, 14)
// and the close glyph; the picture is shown black-framed at (18, 55)–(474, 464).
QImage MonthlyPhasesBackground() {
    QImage window = FramedWindow({490, 480}, 45, "Monthly Phases", 131, false);
    {
        QPainter p(&window);
        PlaceGlyph(p, QRect(20, 14, 13, 13), SaveDisk);
        DrawingWell(p, QRect(18, 55, 456, 409));
    }
    WindowEdge(window);
    return window;
}

// ---- Configuration, lunar features, web links and about box ----------------------------

// The configuration, 522 × 349: title band to y 40; the position, zone and location group
// on a raised plate (20..510, 50..136), the calendar group (20..510, 142..190), the printer
// group (20..510, 288..325) and the display and clock group above it (20..510, 220..256); the four
// location buttons at (438, 59 + 19k, 60 × 19); the hemisphere spin buttons at (240, 62) and
// (240, 84), 15 × 19.
QImage ConfigurationBackground() {
    QImage window = FramedWindow({522, 349}, 40, "Configuration", 141, false);
    {
        QPainter p(&window);
        p.setRenderHint(QPainter::TextAntialiasing);
        Bevel(p, QRect(20, 50, 490, 86), true, 60);
        Bevel(p, QRect(20, 142, 490, 50), true, 60);
        Engraved(p, QRect(20, 200, 490, 18), Qt::AlignCenter, "DISPLAY AND CLOCK",
                 Sans(10, true, 108));
        Bevel(p, QRect(20, 220, 490, 36), true, 60);
        Bevel(p, QRect(20, 288, 490, 36), true, 60);
        Engraved(p, QRect(20, 268, 490, 18), Qt::AlignCenter, "PRINTER TYPE", Sans(10, true, 108));
        const char* captions[] = {"Add", "Update", "Delete", "Cancel"};
        for (int k = 0; k < 4; ++k) ButtonFace(p, QRectF(438.5, 59.5 + 19 * k, 59, 18), captions[k]);
        PlaceGlyph(p, QRect(16, 10, 19, 19), Gear);
        // The hemisphere spin buttons beside North/South and East/West.
        for (const double top : {62.5, 84.5})
            SpinButton(p, {240.5, top}, 10, 8.5);
    }
    WindowEdge(window);
    return window;
}

// The sunrise and sunset over lunar features, 640 × 480: the database glyph at (20, 14), the
// list's well (20, 60, 584, 400) and the scroll bar's groove beside it.
QImage FeaturesBackground() {
    QImage window = FramedWindow({640, 480}, 38, "Lunar Features: Sunrise and Sunset", 151, true);
    {
        QPainter p(&window);
        PlaceGlyph(p, QRect(22, 14, 17, 19), List);
        DrawingWell(p, QRect(20, 60, 584, 400));
    }
    WindowEdge(window);
    return window;
}

// Tonight on the terminator, 720 × 506: the night's well (20, 48, 680, 44); the feature
// files' plate (20, 114, 560, 62) and the smallest size's plate (590, 114, 110, 62) under their
// captions; the two lists' wells (20, 216, 322, 272) and (370, 216, 322, 272) under their
// captions and column headings, each with room for its scroll bar to the right.
QImage TerminatorBackground() {
    QImage window = FramedWindow({720, 506}, 38, "Tonight on the Terminator", 171, true);
    {
        QPainter p(&window);
        p.setRenderHint(QPainter::TextAntialiasing);
        DrawingWell(p, QRect(20, 48, 680, 44));
        const QFont caption = Sans(10, true, 108);
        Engraved(p, QRect(20, 98, 560, 14), Qt::AlignCenter, "FEATURE FILES", caption);
        Bevel(p, QRect(20, 114, 560, 62), true, 60);
        Engraved(p, QRect(590, 98, 110, 14), Qt::AlignCenter, "SMALLEST", caption);
        Bevel(p, QRect(590, 114, 110, 62), true, 60);
        const QFont heading = Sans(11, true);
        for (int left : {20, 370}) {
            Engraved(p, QRect(left, 182, 338, 14), Qt::AlignCenter,
                     left == 20 ? "SUNRISE SIDE: MORNING TERMINATOR"
                                : "SUNSET SIDE: EVENING TERMINATOR",
                     caption);
            Engraved(p, QRect(left + 8, 200, 150, 14), Qt::AlignLeft, "Feature", heading);
            Engraved(p, QRect(left + 190, 200, 60, 14), Qt::AlignRight, "Sun", heading);
            Engraved(p, QRect(left + 250, 200, 64, 14), Qt::AlignRight, "Size km", heading);
            DrawingWell(p, QRect(left, 216, 322, 272));
        }
    }
    WindowEdge(window);
    return window;
}

// The feature database, 640 × 435: the table's well (20, 62, 585, 336).
QImage FeaturesDatabaseBackground() {
    QImage window = FramedWindow({640, 435}, 38, "Lunar Features Database", 161, false);
    {
        QPainter p(&window);
        DrawingWell(p, QRect(20, 62, 585, 336));
    }
    WindowEdge(window);
    return window;
}

// The web links menu, 265 × 340: two headings in aqua and their entries in pale yellow, one
// per 20 pixels (the hidden entry takes no row).
QImage WebMenu() {
    QImage menu(265, 340, QImage::Format_RGB32);
    menu.fill(InsetFill);
    QPainter p(&menu);
    p.setRenderHint(QPainter::TextAntialiasing);
    const char* entries[] = {"#Lunar Resources",
                             "The Moon (Views of the Solar System)",
                             "The Moon (NSSDC)",
                             "Exploring The Moon",
                             "The American Lunar Society",
                             "A.L.P.O. Lunar Section",
                             "International Occultation Timing Assoc.",
                             "Inconstant Moon",
                             "Lunar Orbiter Photographic Atlas",
                             "Lunascan",
                             "Clementine Lunar Image Browser",
                             "Lunar Eclipse Photography",
                             "#Lunar Missions",
                             "Lunar Prospector Mission",
                             "Clementine Mission",
                             "The Apollo Lunar Surface Journal"};
    int k = 0;
    for (const char* entry : entries) {
        const bool heading = entry[0] == '#';
        if (k > 0) Rule(p, 4, 260, 20 * k, InsetGuide);
        p.setFont(Sans(heading ? 13 : 12, true));
        p.setPen(heading ? QColor(0, 255, 255) : QColor(255, 255, 176));
        p.drawText(QRect(heading ? 10 : 26, 20 * k, 236, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   heading ? entry + 1 : entry);
        ++k;
    }
    p.setPen(QColor(90, 100, 120));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, 264, 339);
    return menu;
}

// The about box, 230 × 185: the Moon beside the program's name (the version is written under
// it at run time, at y 104), close glyph at (204, 14).
QImage AboutBackground(const QImage& photograph) {
    QImage window = FramedWindow({230, 185}, 38, "About", 171, false, 16);
    {
        QPainter p(&window);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setRenderHint(QPainter::TextAntialiasing);
        Inset(p, QRect(14, 50, 202, 120));
        p.drawImage(QRect(24, 64, 90, 90), photograph);
        p.setFont(Serif(24, true));
        p.setPen(QColor(255, 255, 176));
        p.drawText(QRect(118, 70, 96, 34), Qt::AlignCenter, "Tidewell");
        p.setFont(Sans(10));
        p.setPen(QColor(200, 205, 215));
        p.drawText(QRect(118, 126, 96, 30), Qt::AlignCenter | Qt::TextWordWrap,
                   "for observers of the Moon");
    }
    WindowEdge(window);
    return window;
}

// ---- The program's icon ---------------------------------------------------------------

// The program's icon, size × size: a waxing crescent in a dark eyepiece field sunk into a
// rounded tile of the windows' brushed metal. Drawn at every size rather than scaled, so the
// small ones stay crisp: below 48 pixels the metal is a plain gradient, the crescent a little
// thicker and the Moon's unlit part (the earthshine) is left out.
QImage Icon(int size, const QImage& photograph) {
    const double s = size;
    const bool small = size < 48;
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const double line = std::max(1.0, s / 128);

    // The tile, with a light edge along its top and a dark outline.
    const double margin = small ? s / 32 : s * 0.06;
    const QRectF tile(margin, margin, s - 2 * margin, s - 2 * margin);
    QPainterPath tileShape;
    tileShape.addRoundedRect(tile, s * 0.18, s * 0.18);
    if (small) {
        QLinearGradient metal(0, tile.top(), 0, tile.bottom());
        metal.setColorAt(0, QColor(176, 178, 184));
        metal.setColorAt(1, QColor(118, 120, 128));
        p.fillPath(tileShape, metal);
    } else {
        p.fillPath(tileShape, BrushedMetal(QSize(size, size), 146, 211));
        QLinearGradient light(0, tile.top(), 0, tile.bottom());
        light.setColorAt(0, QColor(255, 255, 255, 50));
        light.setColorAt(0.5, QColor(255, 255, 255, 0));
        light.setColorAt(1, QColor(0, 0, 0, 60));
        p.fillPath(tileShape, light);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 110), line));
    p.drawPath(tileShape.translated(0, line));
    p.setPen(QPen(QColor(34, 38, 46, 220), line));
    p.drawPath(tileShape);

    // The eyepiece field: a sunken ring (dark above left, light below right) round the dark
    // inset colour, a little lighter towards the middle.
    const QPointF centre(s / 2, s / 2);
    const double field = s * (small ? 0.36 : 0.33), ring = std::max(1.0, s * 0.035);
    QLinearGradient sunken(centre - QPointF(field, field), centre + QPointF(field, field));
    sunken.setColorAt(0, QColor(40, 44, 52));
    sunken.setColorAt(1, QColor(226, 228, 232));
    p.setPen(Qt::NoPen);
    p.setBrush(sunken);
    p.drawEllipse(centre, field + ring, field + ring);
    QRadialGradient depth(centre, field);
    depth.setColorAt(0, QColor(20, 27, 52));
    depth.setColorAt(1, InsetFill);
    p.setBrush(depth);
    p.drawEllipse(centre, field, field);

    // The Moon, turned so that its horns point up and to the left of the vertical, as the
    // evening crescent stands. The lit part is the right half of the disc less the
    // terminator's half-ellipse, whose semi-axis across is r (1 - 2k) for a lit fraction k.
    const double r = field * (small ? 0.84 : 0.8), lit = small ? 0.3 : size <= 64 ? 0.27 : 0.24;
    const QRectF disc(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    QPainterPath moon, rightHalf, terminator;
    moon.addEllipse(disc);
    rightHalf.addRect(centre.x(), disc.top() - 1, r + 1, 2 * r + 2);
    const double across = r * (1 - 2 * lit);
    terminator.addEllipse(QRectF(centre.x() - across, disc.top(), 2 * across, 2 * r));
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(-28);
    turn.translate(-centre.x(), -centre.y());
    const QPainterPath crescent = turn.map(moon.intersected(rightHalf).subtracted(terminator));

    // The photograph's disc lies in (3, 3)–(153, 154).
    const int side = std::max(1, int(std::lround(2 * r)));
    const QImage surface = photograph.copy(3, 3, 151, 152)
                               .scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QBrush texture(surface);
    texture.setTransform(QTransform::fromTranslate(disc.left(), disc.top()));
    if (!small) { // the earthshine: the whole disc, faint and cool
        p.save();
        p.setClipPath(moon);
        p.setOpacity(0.28);
        p.fillRect(disc, texture);
        p.setOpacity(1);
        p.setCompositionMode(QPainter::CompositionMode_Multiply);
        p.fillRect(disc, QColor(110, 130, 190));
        p.restore();
    }
    p.save();
    p.setClipPath(crescent);
    if (small) {
        QLinearGradient pale(disc.topRight(), disc.bottomLeft());
        pale.setColorAt(0, QColor(255, 252, 226));
        pale.setColorAt(1, QColor(214, 210, 186));
        p.fillRect(disc, pale);
    } else {
        p.fillRect(disc, texture);
        // Lifted towards the pale yellow of the panels' values, so that it glows on the dark.
        p.setCompositionMode(QPainter::CompositionMode_Screen);
        p.fillRect(disc, QColor(150, 140, 92));
    }
    p.restore();
    return icon;
}

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const bool preview = argc > 1 && QString(argv[1]) == "--preview";
    if (preview) {
        --argc;
        ++argv;
    }
    OutDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(ART_DIR);
    QDir().mkpath(OutDir);

    const QImage photograph = Photograph();
    Save(MainBackground(photograph), "main-background.jpg");
    Save(ClockStrip(), "clock-strip.jpg");
    Save(MoonParams({86, 67}, 4), "moon-params.jpg");
    Save(MoonParams({84, 67}, 3), "sun-params.jpg");
    Save(DayHighlight(), "day-highlight.png");
    Save(YearEditBox(), "year-edit-box.jpg");
    Save(TimeEditor(), "time-editor.jpg");
    Save(EngravedGlyph({29, 25}, Eclipse).copy(0, 0, 29, 25), "eclipse-button.png");
    Save(EngravedGlyph({33, 24}, Binoculars).copy(0, 0, 33, 24), "optics-binoculars.png");
    Save(EngravedGlyph({33, 24}, Telescope).copy(0, 0, 33, 24), "optics-telescope.png");
    Save(EngravedGlyph({33, 24}, Diagonal).copy(0, 0, 33, 24), "optics-diagonal.png");
    Save(PhasePicture(photograph, TLit::None), "phase-new.png");
    Save(PhasePicture(photograph, TLit::Right), "phase-first-quarter.png");
    Save(PhasePicture(photograph, TLit::All), "phase-full.png");
    Save(PhasePicture(photograph, TLit::Left), "phase-last-quarter.png");
    Save(PhasePicture(photograph, TLit::Blue), "phase-blue-moon.png");
    Save(TimesListBackground(), "times-list-background.jpg");
    Save(PrintOptionsBackground(), "print-options-background.jpg");
    Save(EclipseBackground(), "eclipse-background.jpg");
    Save(EclipseReportBackground(), "eclipse-report-background.jpg");
    Save(PopUpBackground({350, 155}, "Equinoxes and Solstices", 91, 66, 4),
         "equinox-background.jpg");
    Save(EasterBackground(), "easter-background.jpg");
    Save(PopUpBackground({250, 165}, "Date Information", 101, 76, 4), "date-info-background.jpg");
    Save(ReportMenu(), "report-menu.jpg");
    Save(MenuArrow(), "menu-arrow.png");
    Save(MonthList(), "month-list.jpg");
    Save(MonthArrow(), "month-arrow.png");
    Save(DailyViewBackground(), "daily-view-background.jpg");
    Save(ObservingAidBackground(), "observing-aid-background.jpg");
    Save(EngravedGlyph({27, 24}, DaySun), "aid-day.png");
    Save(EngravedGlyph({27, 24}, NightMoon), "aid-night.png");
    Save(EngravedGlyph({27, 24}, GridOn), "aid-grid.png");
    Save(EngravedGlyph({27, 24}, LinesOnly), "aid-lines.png");
    Save(MonthlyPhasesBackground(), "monthly-phases-background.jpg");
    Save(ConfigurationBackground(), "configuration-background.jpg");
    Save(FeaturesBackground(), "features-background.jpg");
    Save(FeaturesDatabaseBackground(), "features-db-background.jpg");
    Save(TerminatorBackground(), "terminator-background.jpg");
    Save(WebMenu(), "web-menu.jpg");
    Save(AboutBackground(photograph), "about-background.jpg");
    // The program's icon for the desktop (installed into the hicolor theme) and the window.
    QDir(OutDir).mkpath("icon");
    for (int size : {16, 32, 48, 64, 128, 256, 512})
        Save(Icon(size, photograph), QString("icon/tidewell-%1.png").arg(size));
    Save(Icon(64, photograph), "icon/Tidewell.ico");
    if (preview) {
        const QImage shown = MainPreview(QImage(OutDir + "/main-background.jpg"), photograph);
        Save(shown, "preview-main.png");
        Save(shown.scaled(shown.size() * 2), "preview-main-200.png");
    }
    return Failures == 0 ? 0 : 1;
}
