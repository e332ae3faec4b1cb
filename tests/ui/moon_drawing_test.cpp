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
    void NewMoonIsDarkAllOver();
    void HalfMoonDarkensOneHalf();
    void NearlyFullAndFullDarkenOnlyTheLimb();
    void CrescentAndGibbousFollowTheTerminator();
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
    QCOMPARE(TerminatorHalfWidth(-5), -75);
    QCOMPARE(TerminatorHalfWidth(140), 75);
}

void TMoonDrawingTest::NewMoonIsDarkAllOver() {
    for (double lunation : {0.0, 99.0}) {
        const QImage moon = DrawMoonGraphic(White(), 0, lunation);
        int missed = 0;
        for (int y = 0; y < MoonPictureSize; ++y)
            for (int x = 0; x < MoonPictureSize; ++x)
                missed += InDisc(x, y, 1.0) && !Dark(moon, x, y);
        QVERIFY2(missed == 0,
                 qPrintable(
                     QString("lunation %1: %2 lit pixels in the disc").arg(lunation).arg(missed)));
        for (QPoint outside : {QPoint(0, 0), QPoint(155, 155), QPoint(1, 78), QPoint(154, 78),
                               QPoint(78, 1), QPoint(20, 20)})
            QVERIFY(Lit(moon, outside.x(), outside.y()));
    }
}

void TMoonDrawingTest::HalfMoonDarkensOneHalf() {
    // p = 50 exactly counts as waning.
    const QImage waxing = DrawMoonGraphic(White(), 50, 49.99);
    const QImage waning = DrawMoonGraphic(White(), 50, 50.0);
    for (int y = 8; y <= 148; ++y)
        for (int x = 0; x < MoonPictureSize; ++x) {
            if (!InDisc(x, y, 1.0)) continue;
            QVERIFY2(Dark(waxing, x, y) == (x <= 77),
                     qPrintable(QString("waxing %1,%2").arg(x).arg(y)));
            QVERIFY2(Dark(waning, x, y) == (x >= 78),
                     qPrintable(QString("waning %1,%2").arg(x).arg(y)));
        }
}

void TMoonDrawingTest::NearlyFullAndFullDarkenOnlyTheLimb() {
    const int equator = 78;
    const QImage waxing99 = DrawMoonGraphic(White(), 99, 10);
    QVERIFY(Dark(waxing99, 3, equator) && Dark(waxing99, 4, equator));
    for (int x = 6; x <= 152; ++x)
        QVERIFY2(Lit(waxing99, x, equator), qPrintable(QString::number(x)));
    const QImage waning99 = DrawMoonGraphic(White(), 99, 60);
    QVERIFY(Dark(waning99, 152, equator) && Dark(waning99, 151, equator));
    for (int x = 3; x <= 149; ++x)
        QVERIFY2(Lit(waning99, x, equator), qPrintable(QString::number(x)));

    for (double lunation : {10.0, 60.0}) {
        const QImage full = DrawMoonGraphic(White(), 100, lunation);
        int darkInside = 0;
        for (int y = 0; y < MoonPictureSize; ++y)
            for (int x = 0; x < MoonPictureSize; ++x)
                darkInside += InDisc(x, y, 2.0) && Dark(full, x, y);
        QCOMPARE(darkInside, 0);
        const int limb = lunation < 50 ? 3 : 152;
        const int otherLimb = lunation < 50 ? 152 : 3;
        QVERIFY(Dark(full, limb, equator));
        QVERIFY(Lit(full, otherLimb, equator));
        QVERIFY(DarkCount(full) > 150); // the whole half outline, top to bottom
    }
}

void TMoonDrawingTest::CrescentAndGibbousFollowTheTerminator() {
    // I = 20 waxing: the left half dark and the terminator of half-width 45 in the right half.
    const QImage crescent = DrawMoonGraphic(White(), 20, 20);
    // I = 80 waxing: only the crescent left of the terminator of half-width 45 dark.
    const QImage gibbous = DrawMoonGraphic(White(), 80, 30);
    for (int y = 10; y <= 146; y += 4) {
        const double right = TerminatorX(45, y), left = 155.0 - TerminatorX(45, y);
        for (int x = 0; x < MoonPictureSize; ++x) {
            if (!InDisc(x, y, 1.5)) continue;
            const QString where = QString("%1,%2").arg(x).arg(y);
            if (x < right - 1.5) QVERIFY2(Dark(crescent, x, y), qPrintable("crescent " + where));
            if (x > right + 1.5) QVERIFY2(Lit(crescent, x, y), qPrintable("crescent " + where));
            if (x < left - 1.5) QVERIFY2(Dark(gibbous, x, y), qPrintable("gibbous " + where));
            if (x > left + 1.5) QVERIFY2(Lit(gibbous, x, y), qPrintable("gibbous " + where));
        }
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
        const char* latDir;
        TOpticsView view;
        QPoint red;
    } cases[] = {
        {"North", TOpticsView::Binoculars, asPhotographed},
        {"North", TOpticsView::Telescope, turned},
        {"North", TOpticsView::Diagonal, upsideDown},
        {"South", TOpticsView::Binoculars, turned},
        {"South", TOpticsView::Telescope, asPhotographed},
        {"South", TOpticsView::Diagonal, mirrored},
        {"Up", TOpticsView::Binoculars, turned},
        {"Up", TOpticsView::Telescope, turned},
        {"Up", TOpticsView::Diagonal, upsideDown},
    };
    for (const auto& c : cases) {
        const QImage shown = DrawMoon(marked, c.latDir, c.view);
        QCOMPARE(shown.size(), marked.size());
        QVERIFY2(redAt(shown) == c.red,
                 qPrintable(QString("%1 view %2").arg(c.latDir).arg(int(c.view))));
    }
}

void TMoonDrawingTest::PhasePicturesTurnAndTurnBack() {
    std::array<QImage, 5> pictures;
    for (QImage& picture : pictures) {
        picture = QImage(30, 30, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        picture.setPixel(0, 0, qRgb(255, 0, 0));
        picture.setPixel(29, 0, qRgb(0, 0, 255));
    }
    const std::array<QImage, 5> original = pictures;
    InvertPhaseIcons(pictures);
    for (const QImage& picture : pictures) {
        QCOMPARE(picture.pixel(29, 29), qRgb(255, 0, 0));
        QCOMPARE(picture.pixel(0, 29), qRgb(0, 0, 255));
    }
    InvertPhaseIcons(pictures);
    QVERIFY(pictures == original);
}

void TMoonDrawingTest::OpticsButtonCycles() {
    TOpticsView view = OpticsView(false, false);
    QCOMPARE(view, TOpticsView::Binoculars);
    const TOpticsView expected[] = {TOpticsView::Telescope, TOpticsView::Diagonal,
                                    TOpticsView::Binoculars};
    for (TOpticsView next : expected) {
        view = NextOpticsView(view);
        QCOMPARE(view, next);
        QCOMPARE(OpticsView(IsTelescopeView(view), IsDiagonalView(view)), view);
        QCOMPARE(LoadArt(OpticsGlyph(view)).size(), QSize(33, 24));
    }
    QVERIFY(OpticsGlyph(TOpticsView::Telescope) != OpticsGlyph(TOpticsView::Diagonal));
    QCOMPARE(OpticsView(true, false), TOpticsView::Telescope);
    QCOMPARE(OpticsView(true, true), TOpticsView::Diagonal);
}

QTEST_MAIN(TMoonDrawingTest)
#include "moon_drawing_test.moc"
