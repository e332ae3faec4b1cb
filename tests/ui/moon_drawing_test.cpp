// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's phase drawing: the darkened area for the illumination and the lunation, the
// mask pen, the six orientations, the phase pictures' turn and the optics cycle.

#include <array>
#include <cmath>

#include <QTest>

#include "ui/common/artwork.h"
#include "ui/main/moon_drawing.h"

namespace {

// A white photograph: a darkened pixel reads 255 AND 70 = 70.
QImage White() {
    QImage picture(MoonPictureSize, MoonPictureSize, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

bool Dark(const QImage& picture, int x, int y) {
    return qRed(picture.pixel(x, y)) == 70;
}
bool Lit(const QImage& picture, int x, int y) {
    return qRed(picture.pixel(x, y)) == 255;
}

// The disc inscribed in (3, 3)–(153, 154): pixel centres, shrunk by margin pixels.
bool InDisc(int x, int y, double margin) {
    const double dx = (x - 77.5) / (75.0 - margin), dy = (y - 78.0) / (75.5 - margin);
    return dx * dx + dy * dy <= 1.0;
}

// The column of the terminator ellipse of half-width e on row y, on the right of the centre.
double TerminatorX(double e, int y) {
    const double dy = (y - 78.0) / 75.5;
    return 77.5 + e * std::sqrt(std::max(0.0, 1.0 - dy * dy));
}

int DarkCount(const QImage& picture) {
    int n = 0;
    for (int y = 0; y < MoonPictureSize; ++y)
        for (int x = 0; x < MoonPictureSize; ++x)
            n += Dark(picture, x, y);
    return n;
}

} // namespace

class TMoonDrawingTest : public QObject {
    Q_OBJECT
  private slots:
    void TerminatorHalfWidthFollowsIllumination();
    void DarkAreaFollowsTheTerminator();
    void ShadowShrinksAsIlluminationGrowsAndWaningMirrorsWaxing();
    void MaskPenOnlyDarkensAndTwiceIsOnce();
    void SixOrientations();
    void PhasePicturesTurnAndTurnBack();
    void OpticsButtonCycles();
};

void TMoonDrawingTest::TerminatorHalfWidthFollowsIllumination() {
    QCOMPARE(TerminatorHalfWidth(0), -75);
    QCOMPARE(TerminatorHalfWidth(20), -45);
    QCOMPARE(TerminatorHalfWidth(50), 0);
    QCOMPARE(TerminatorHalfWidth(80), 45);
    QCOMPARE(TerminatorHalfWidth(99), 74); // trunc(1.5) = 1
    QCOMPARE(TerminatorHalfWidth(100), 75);
}

void TMoonDrawingTest::DarkAreaFollowsTheTerminator() {
    // Inside the disc a pixel is dark when it lies on the dark side of the terminator, the
    // ellipse of half-width |b| (b = 75 − trunc((100 − I) × 1.5)); pixels within 1.5 of the
    // terminator may go either way. Waxing (p < 50) the shadow is on the left; p = 50 wanes.
    const struct {
        int Illumination;
        double Lunation;
        int EquatorDarkFrom, EquatorDarkTo; // the dark columns on row 78, from the geometry
    } cases[] = {
        {0, 0, 3, 152},     {0, 99, 3, 152},    {20, 20, 3, 122}, {20, 80, 33, 152},
        {50, 49.99, 3, 77}, {50, 50, 78, 152},  {80, 30, 3, 33},  {80, 70, 122, 152},
        {99, 10, 3, 4},     {99, 60, 151, 152}, {100, 10, 3, 3},  {100, 60, 152, 152},
    };
    for (const auto& c : cases) {
        const QImage moon = DrawMoonGraphic(White(), c.Illumination, c.Lunation);
        const int b = TerminatorHalfWidth(c.Illumination);
        const bool waxing = c.Lunation < 50;
        const QString name = QString("I = %1, p = %2").arg(c.Illumination).arg(c.Lunation);
        for (int x = 0; x < MoonPictureSize; ++x) {
            const bool dark = x >= c.EquatorDarkFrom && x <= c.EquatorDarkTo;
            QVERIFY2(Dark(moon, x, 78) == dark, qPrintable(name + QString(" column %1").arg(x)));
        }
        int wrong = 0;
        for (int y = 12; y <= 144; ++y)
            for (int x = 0; x < MoonPictureSize; ++x) {
                if (!InDisc(x, y, 1.5)) continue;
                // Distance past the terminator towards the lit limb, in columns.
                const double fromShadow =
                    waxing ? x - (155.0 - TerminatorX(b, y)) : (TerminatorX(b, y)) - x;
                if (std::abs(fromShadow) > 1.5) wrong += Dark(moon, x, y) != (fromShadow < 0);
            }
        if (c.Illumination == 0) // dark right up to the poles
            for (int y = 0; y < MoonPictureSize; ++y)
                for (int x = 0; x < MoonPictureSize; ++x)
                    wrong += InDisc(x, y, 1.0) && !Dark(moon, x, y);
        QVERIFY2(wrong == 0, qPrintable(name + QString(": %1 pixels wrong").arg(wrong)));
        for (QPoint outside : {QPoint(0, 0), QPoint(155, 155), QPoint(1, 78), QPoint(78, 1)})
            QVERIFY(Lit(moon, outside.x(), outside.y()));
    }
}

void TMoonDrawingTest::ShadowShrinksAsIlluminationGrowsAndWaningMirrorsWaxing() {
    int previousWaxing = MoonPictureSize * MoonPictureSize, previousWaning = previousWaxing;
    int worstMismatch = 0, worstAt = -1;
    for (int illumination = 0; illumination <= 100; ++illumination) {
        const QImage waxing = DrawMoonGraphic(White(), illumination, 25);
        const QImage waning = DrawMoonGraphic(White(), illumination, 75);
        const int darkWaxing = DarkCount(waxing), darkWaning = DarkCount(waning);
        QVERIFY2(darkWaxing <= previousWaxing, qPrintable(QString::number(illumination)));
        QVERIFY2(darkWaning <= previousWaning, qPrintable(QString::number(illumination)));
        previousWaxing = darkWaxing;
        previousWaning = darkWaning;
        // The disc is symmetric about the line between columns 77 and 78.
        const QImage mirrored = waning.mirrored(true, false);
        int mismatch = 0;
        for (int y = 0; y < MoonPictureSize; ++y)
            for (int x = 0; x < MoonPictureSize; ++x)
                mismatch += Dark(waxing, x, y) != Dark(mirrored, x, y);
        if (mismatch > worstMismatch) {
            worstMismatch = mismatch;
            worstAt = illumination;
        }
    }
    QVERIFY2(worstMismatch == 0,
             qPrintable(QString("%1 pixels at I = %2").arg(worstMismatch).arg(worstAt)));
}

void TMoonDrawingTest::MaskPenOnlyDarkensAndTwiceIsOnce() {
    const QImage photograph = LoadArt("full-moon-156.jpg");
    QCOMPARE(photograph.size(), QSize(156, 156));
    const QImage once = DrawMoonGraphic(photograph, 37, 12);
    const QImage twice = DrawMoonGraphic(once, 37, 12);
    QCOMPARE(twice, once);
    int darkened = 0;
    for (int y = 0; y < 156; ++y)
        for (int x = 0; x < 156; ++x) {
            const QRgb before = photograph.pixel(x, y), after = once.pixel(x, y);
            const QRgb masked = qRgb(qRed(before) & 70, qGreen(before) & 70, qBlue(before) & 70);
            QVERIFY(after == before || after == masked);
            darkened += after != before;
        }
    QVERIFY(darkened > 3000); // more than half of the disc (an area of 17 700 pixels) is dark
}

void TMoonDrawingTest::SixOrientations() {
    // Marks in the upper left (red) and upper right (green) corners.
    QImage marked = White();
    marked.setPixel(10, 10, qRgb(255, 0, 0));
    marked.setPixel(145, 10, qRgb(0, 255, 0));
    auto redAt = [](const QImage& picture) -> QPoint {
        for (int y = 0; y < 156; ++y)
            for (int x = 0; x < 156; ++x)
                if (picture.pixel(x, y) == qRgb(255, 0, 0)) return {x, y};
        return {-1, -1};
    };
    const QPoint asPhotographed(10, 10), turned(145, 145), mirrored(145, 10), upsideDown(10, 145);
    const struct {
        THemisphere hemisphere;
        TOpticsView view;
        QPoint red;
    } cases[] = {
        {THemisphere::Northern, TOpticsView::Binoculars, asPhotographed},
        {THemisphere::Northern, TOpticsView::Telescope, turned},
        {THemisphere::Northern, TOpticsView::Diagonal, upsideDown},
        {THemisphere::Southern, TOpticsView::Binoculars, turned},
        {THemisphere::Southern, TOpticsView::Telescope, asPhotographed},
        {THemisphere::Southern, TOpticsView::Diagonal, mirrored},
    };
    for (const auto& c : cases) {
        const QImage shown = DrawMoon(marked, c.hemisphere, c.view);
        QCOMPARE(shown.size(), marked.size());
        QVERIFY2(redAt(shown) == c.red,
                 qPrintable(QString("%1 view %2").arg(int(c.hemisphere)).arg(int(c.view))));
    }
}

void TMoonDrawingTest::PhasePicturesTurnAndTurnBack() {
    std::array<QImage, 5> pictures;
    for (QImage& picture : pictures) {
        picture = QImage(30, 30, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        picture.setPixel(0, 0, qRgb(255, 0, 0));
    }
    const std::array<QImage, 5> original = pictures;
    InvertPhaseIcons(pictures);
    for (const QImage& picture : pictures)
        QCOMPARE(picture.pixel(29, 29), qRgb(255, 0, 0));
    InvertPhaseIcons(pictures);
    QVERIFY(pictures == original);
}

void TMoonDrawingTest::OpticsButtonCycles() {
    TOpticsView view = OpticsView(false, false);
    for (TOpticsView next :
         {TOpticsView::Telescope, TOpticsView::Diagonal, TOpticsView::Binoculars}) {
        view = NextOpticsView(view);
        QCOMPARE(view, next);
        QCOMPARE(OpticsView(IsTelescopeView(view), IsDiagonalView(view)), view);
        QCOMPARE(LoadArt(OpticsGlyph(view)).size(), QSize(33, 24));
    }
    QCOMPARE(OpticsView(true, true), TOpticsView::Diagonal);
}

QTEST_MAIN(TMoonDrawingTest)
#include "moon_drawing_test.moc"
