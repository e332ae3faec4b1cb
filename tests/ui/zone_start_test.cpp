// A first start on a computer in Sydney: the clock strip shows Sydney's civil time either side
// of the October night the clocks go forward, naming the place and abbreviation beside the LST.

#include <QTest>

#include "tmain_fixture.h"
#include "ui/common/art_names.h"
#include "ui/common/artwork.h"
#include "ui/common/fonts.h"

class TZoneStartTest : public QObject {
    Q_OBJECT
  private slots:
    void SydneyTimeEitherSideOfTheChange() {
        qputenv("TZ", "Australia/Sydney");
        struct TCase {
            QDateTime Utc;
            const char* Shown;
            const char* Caption;
        };
        // Sydney goes from AEST (+10) to AEDT (+11) at 16:00 UT on 3 October 2026.
        const TCase cases[] = {
            {At(2026, 10, 3, 15, 30), "01:30:00  04 October 2026 - ", "Sydney (AEST)"},
            {At(2026, 10, 3, 16, 30), "03:30:00  04 October 2026 - ", "Sydney (AEDT)"},
        };
        for (const TCase& c : cases) {
            TMainHarness h(c.Utc);
            h.Show();
            QVERIFY2(h.StripText().startsWith(c.Shown), qPrintable(h.StripText()));
            const QFont font = ClockStripFont(FontScale(h.Main));
            const QImage expected = ComposeClockStrip(
                LoadArt(ArtClockStrip), font, h.StripText(),
                ZoneAndSiderealText(font, c.Caption, h.Main->LocalSiderealTime({}, false)));
            const QImage painted = h.Main->grab(QRect(ClockStripTopLeft, expected.size()))
                                       .toImage()
                                       .convertToFormat(expected.format());
            QCOMPARE(painted.copy(411, 0, 229, 25), expected.copy(411, 0, 229, 25));
        }
        qputenv("TZ", "UTC");
    }
};

QTEST_MAIN(TZoneStartTest)
#include "zone_start_test.moc"
