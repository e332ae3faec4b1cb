// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon picture of the main window: the optics button, the hemisphere, the shading at
// new and full moon, and the month's phase pictures and eclipse button.

#include <QTest>

#include "tmain_fixture.h"
#include "ui/common/art_names.h"
#include "ui/common/artwork.h"

namespace {

// The brightness of the left and the right half of a picture.
std::pair<int, int> HalfBrightness(const QImage& picture) {
    int left = 0, right = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            const int v = qAlpha(p) > 128 ? qGray(p) : 0;
            (x < picture.width() / 2 ? left : right) += v;
        }
    return {left, right};
}

// Index of the month's first entry of a phase type, or -1.
int EntryOfType(const TProgramState& state, TPhaseType type) {
    for (int k = 0; k < state.Month().PhaseCount; ++k)
        if (state.Month().Phases[static_cast<size_t>(k)].PhaseType == type) return k;
    return -1;
}

bool Viewing(const TMain& m, TOpticsView view) {
    return m.Moon().Optics() == view;
}

} // namespace

class TMainMoonTest : public QObject {
    Q_OBJECT
  private slots:
    void OpticsButtonCyclesViewsAndGlyphs();
    void SouthernHemisphereTurnsPictures();
    void ShadingAtNewAndFullMoon();
    void EclipseButtonOnlyInEclipseMonths();
    void ShadingInTheWindowThroughALunation();
};

void TMainMoonTest::OpticsButtonCyclesViewsAndGlyphs() {
    TMainHarness h(At(2026, 12, 20, 21));
    TMain& m = *h.Main;
    m.Tick();
    QLabel* optics = h.Label("imgOptics");
    QCOMPARE(optics->geometry(), QRect(44, 13, 33, 24));
    QVERIFY(Viewing(m, TOpticsView::Binoculars));
    const QImage binoculars = m.Moon().MoonImage();
    const QImage glyphs[] = {LoadArt(ArtOpticsBinoculars), LoadArt(ArtOpticsTelescope),
                             LoadArt(ArtOpticsDiagonal)};
    QCOMPARE(optics->pixmap().toImage().convertToFormat(glyphs[0].format()), glyphs[0]);

    h.Click(optics);
    QVERIFY(Viewing(m, TOpticsView::Telescope));
    QCOMPARE(optics->pixmap().toImage().convertToFormat(glyphs[1].format()), glyphs[1]);
    // North: the telescope turns the picture by 180°.
    QCOMPARE(m.Moon().MoonImage(), binoculars.mirrored(true, true));

    h.Click(optics);
    QVERIFY(Viewing(m, TOpticsView::Diagonal));
    QCOMPARE(optics->pixmap().toImage().convertToFormat(glyphs[2].format()), glyphs[2]);
    // The diagonal: turned 180° and mirrored left to right, i.e. upside down.
    QCOMPARE(m.Moon().MoonImage(), binoculars.mirrored(false, true));

    h.Click(optics);
    QVERIFY(Viewing(m, TOpticsView::Binoculars));
    QCOMPARE(m.Moon().MoonImage(), binoculars);
    // The view survives the next tick.
    h.Click(optics);
    m.Tick();
    QCOMPARE(m.Moon().MoonImage(), binoculars.mirrored(true, true));
}

void TMainMoonTest::SouthernHemisphereTurnsPictures() {
    TMainHarness north(At(2026, 12, 20, 21));
    TMainHarness south(At(2026, 12, 20, 21), Seed({{"LatDir", "South"}, {"LatDeg", "33"}}));
    QCOMPARE(south.State->Settings().Position.LatitudeSide, THemisphere::Southern);
    QVERIFY(south.State->Observer().ObserverLatitude < -0.5);

    const int first = EntryOfType(*north.State, TPhaseType::FirstQuarter);
    QVERIFY(first >= 0);
    const QString name = QStringLiteral("imgPhase%1").arg(first + 1);
    const auto [nl, nr] = HalfBrightness(north.Label(name)->pixmap().toImage());
    const auto [sl, sr] = HalfBrightness(south.Label(name)->pixmap().toImage());
    QVERIFY2(nr > nl, "first quarter lit on the right in the north");
    QVERIFY2(sl > sr, "first quarter lit on the left in the south");

    // The same moment through binoculars: turned by 180° in the south. (The shading is the
    // same at both places: the same whole percent lit, both waxing.)
    north.Main->Tick();
    south.Main->Tick();
    QCOMPARE(south.Main->MoonData().Texts().Visible, north.Main->MoonData().Texts().Visible);
    QCOMPARE(south.Main->Moon().Lunation() < 50, north.Main->Moon().Lunation() < 50);
    QCOMPARE(south.Main->Moon().MoonImage(), north.Main->Moon().MoonImage().mirrored(true, true));
    // With a telescope the south sees the photograph as it is.
    south.Click(south.Label("imgOptics"));
    QCOMPARE(south.Main->Moon().MoonImage(), north.Main->Moon().MoonImage());

    // A change of hemisphere in the settings turns the pictures, and back restores them.
    const QImage before = north.Label(name)->pixmap().toImage();
    const QImage moonBefore = north.Main->Moon().MoonImage();
    north.ChangeSettings([](TSettings& s) { s.Position.LatitudeSide = THemisphere::Southern; });
    QCOMPARE(north.Label(name)->pixmap().toImage(), before.mirrored(true, true));
    QCOMPARE(north.Main->Moon().MoonImage(), moonBefore.mirrored(true, true));
    north.ChangeSettings([](TSettings& s) { s.Position.LatitudeSide = THemisphere::Northern; });
    QCOMPARE(north.Label(name)->pixmap().toImage(), before);
    QCOMPARE(north.Main->Moon().MoonImage(), moonBefore);
}

void TMainMoonTest::ShadingAtNewAndFullMoon() {
    auto centre = [](const QImage& moon) { return moon.pixelColor(78, 78); };
    // New moon of 16 August 2023, 09:38 UT: the disc is darkened (bytes AND 70).
    TMainHarness atNew(At(2023, 8, 16, 9, 38));
    atNew.Main->Tick();
    const QColor dark = centre(atNew.Main->Moon().MoonImage());
    QVERIFY(dark.red() <= 70 && dark.green() <= 70 && dark.blue() <= 70);
    // Full moon of 31 August 2023, 01:35 UT: the centre keeps the photograph.
    TMainHarness atFull(At(2023, 8, 31, 1, 35));
    atFull.Main->Tick();
    const QImage photo = LoadArt(ArtFullMoon).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(centre(atFull.Main->Moon().MoonImage()), photo.pixelColor(78, 78));
    // Waxing a week after new moon: left darkened, right lit.
    TMainHarness waxing(At(2023, 8, 23, 9, 38));
    waxing.Main->Tick();
    const QImage moon = waxing.Main->Moon().MoonImage();
    QCOMPARE(moon.pixelColor(30, 78).red() & ~70, 0);
    QCOMPARE(moon.pixelColor(120, 78), photo.pixelColor(120, 78));
    // The window shows the picture at (26, 80).
    const QImage shot = waxing.Main->grab().toImage();
    QCOMPARE(shot.pixelColor(26 + 120, 80 + 78), photo.pixelColor(120, 78));
}

void TMainMoonTest::EclipseButtonOnlyInEclipseMonths() {
    // Total lunar eclipses of 14 March 2025 and 7 September 2025; none in April 2025.
    TMainHarness march(At(2025, 3, 5));
    QCOMPARE(march.State->Month().Eclipses.front().Type, TEclipseType::Total);
    QVERIFY(!march.Label("imgEclipse")->isHidden());
    QCOMPARE(march.Label("imgEclipse")->geometry(), QRect(182, 12, 29, 25));
    TMainHarness april(At(2025, 4, 5));
    QVERIFY(april.State->Month().Eclipses.empty());
    QVERIFY(april.Label("imgEclipse")->isHidden());
    // Changing the month through the year editor recomputes it.
    TMainHarness h(At(2024, 9, 5)); // 18 September 2024: partial eclipse
    QCOMPARE(h.State->Month().Eclipses.front().Type, TEclipseType::Partial);
    h.Click(h.Label("lblSelectedYear"));
    QTest::keyClick(h.Main, Qt::Key_Backspace);
    QTest::keyClick(h.Main, '5');
    QTest::keyClick(h.Main, Qt::Key_Return);
    QCOMPARE(h.State->Month().Eclipses.front().Type, TEclipseType::Total);
    QVERIFY(!h.Label("imgEclipse")->isHidden());
}

void TMainMoonTest::ShadingInTheWindowThroughALunation() {
    // The window follows the clock through the lunation of 16 August to 15 September 2023
    // in half-hour steps. Where it first shows each of 0, 50, 99 and 100 % lit, waxing and
    // waning, the Moon's equator row on the window must be dark (the photograph's bytes AND
    // 70) exactly over the columns the terminator geometry gives: b = 75 − trunc((100 − I) ×
    // 1.5), the shadow left of it while waxing, right of it while waning.
    struct TCase {
        int Illumination;
        bool Waxing;
        int DarkFrom, DarkTo;
        bool Seen = false;
    };
    TCase cases[] = {
        {0, true, 3, 152}, {0, false, 3, 152},    {50, true, 3, 77}, {50, false, 78, 152},
        {99, true, 3, 4},  {99, false, 151, 152}, {100, true, 3, 3}, {100, false, 152, 152},
    };
    const QImage photo = LoadArt(ArtFullMoon).convertToFormat(QImage::Format_RGB32);
    TMainHarness h(At(2023, 8, 16, 0, 0));
    TMain& m = *h.Main;
    QDateTime now = h.Now;
    while (now < At(2023, 9, 15, 6, 0)) {
        h.Now = now;
        m.Tick();
        now = now.addSecs(1800);
        const int lit = m.MoonData().Texts().Visible.section('%', 0, 0).toInt();
        const bool waxing = m.Moon().Lunation() < 50.0;
        for (TCase& c : cases) {
            if (c.Seen || c.Illumination != lit || c.Waxing != waxing) continue;
            c.Seen = true;
            const QImage shot = m.grab().toImage();
            const QString where = QStringLiteral("%1 %, %2, %3")
                                      .arg(lit)
                                      .arg(waxing ? "waxing" : "waning")
                                      .arg(h.Now.toString(Qt::ISODate));
            for (int x = 0; x < 156; ++x) {
                const QRgb original = photo.pixel(x, 78);
                const QRgb masked = original & 0xff464646;
                if (original == masked) continue; // the mask leaves this pixel as it is
                const QRgb shown = shot.pixel(26 + x, 80 + 78);
                const bool dark = x >= c.DarkFrom && x <= c.DarkTo;
                QVERIFY2(shown == (dark ? masked : original),
                         qPrintable(where + QStringLiteral(": column %1 should be %2")
                                                .arg(x)
                                                .arg(dark ? "dark" : "lit")));
            }
        }
    }
    for (const TCase& c : cases)
        QVERIFY2(c.Seen, qPrintable(QStringLiteral("%1 % %2 never shown")
                                        .arg(c.Illumination)
                                        .arg(c.Waxing ? "waxing" : "waning")));
}

QTEST_MAIN(TMainMoonTest)
#include "tmain_moon_test.moc"
