// SPDX-License-Identifier: GPL-3.0-or-later
// The monthly phases picture: the day cells of the month with the photograph shaded to each
// day's phase, turned for the southern hemisphere; the weekday heading from the configured
// first day; saving as PNG, JPEG and BMP by the name's extension, a failed write reported;
// redrawn when the month changes while it is shown.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "engine/date_time.h"
#include "place_fixture.h"
#include "ui/common/art_names.h"
#include "ui/common/artwork.h"
#include "ui/common/calendar_layout.h"
#include "ui/menus/monthly_phases.h"
#include "ui/menus/report_menu.h"
#include "ui/reports/daily_view.h"
#include "ui/reports/observing_aid.h"
#include "ui/reports/printed_calendar.h"

namespace {

// The picture as the window saves it.
QImage Picture(TMonthlyPhases& w) {
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.bmp");
    return w.SaveTo(path) ? QImage(path).convertToFormat(QImage::Format_RGB32) : QImage();
}

// The photograph's block of a day's cell in the picture (the geometry of the day cells:
// seven columns of (461 − 6) div 7, six rows below the heading).
QRect PhotoBlock(TMonthlyPhases& w, int cell, bool north) {
    const int cw = (TMonthlyPhases::PictureWidth - 6) / 7;
    // The heading's bottom: the first row of the cells' grey frame below y 32.
    int top = 33;
    const QImage pic = Picture(w);
    while (top < 100 && pic.pixelColor(cw / 2, top) != QColor(Qt::black))
        ++top;
    const int ch = (TMonthlyPhases::PictureHeight - top - 2) / 6;
    const int x = cw * (cell % 7), y = top + (cell / 7) * ch;
    return QRect(x + 12, y + (north ? 8 : 7), 50, 49);
}

double MeanGrey(const QImage& image, const QRect& r) {
    double sum = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            sum += qGray(image.pixel(x, y));
    return sum / (r.width() * r.height());
}

double MeanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return sum / (a.width() * a.height());
}

// The day of the month nearest full and nearest new at local midnight.
std::pair<int, int> FullAndNew(const TPlace& place, int year, int month) {
    int full = 1, fresh = 1, most = -1, least = 101;
    for (int d = 1; d <= DaysInMonth(month, year); ++d) {
        const int i = MoonAtLocalMidnight(year, month, d, ObserverOf(place)).Illumination;
        if (i > most) most = i, full = d;
        if (i < least) least = i, fresh = d;
    }
    return {full, fresh};
}

} // namespace

class TMonthlyPhasesTest : public QObject {
    Q_OBJECT
  private slots:
    void CellsShadedAndTurnedInTheSouth();
    void SavedInTheFormatTheNameAsks();
    void RedrawnForAnotherMonthWithItsWeekStart();
    void ReportMenuOpensTheThreeWindows();
};

void TMonthlyPhasesTest::CellsShadedAndTurnedInTheSouth() {
    QImage northBlock, southBlock;
    for (const TPlace& place : {NewYork, Sydney}) {
        const bool north = place.LatDeg > 0;
        TMainHarness h(At(2024, 3, 10, 12), PlaceSeed(place));
        TMonthlyPhases w(*h.State, h.Main);
        w.Open();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const TMonthLayout layout = MonthLayout(3, 2024, 0);
        const auto [full, fresh] = FullAndNew(place, 2024, 3);
        const QRect fullBlock = PhotoBlock(w, full + layout.LeadingBlanks - 1, north);
        const QRect newBlock = PhotoBlock(w, fresh + layout.LeadingBlanks - 1, north);
        // Near full the photograph shows nearly whole; near new it is shaded dark.
        const QImage pic = Picture(w);
        QVERIFY2(MeanGrey(pic, fullBlock) > 3 * MeanGrey(pic, newBlock) + 5,
                 qPrintable(
                     QString("%1 %2").arg(MeanGrey(pic, fullBlock)).arg(MeanGrey(pic, newBlock))));
        (north ? northBlock : southBlock) = pic.copy(fullBlock);
        if (qEnvironmentVariableIsSet("TIDEWELL_SHOTS")) {
            const QImage shot = w.grab().toImage();
            shot.save(QString("/tmp/obs_phases_%1.png").arg(place.Name));
            shot.scaled(shot.size() * 2)
                .save(QString("/tmp/obs_phases_%1_200.png").arg(place.Name));
        }
    }
    // The southern cell is the northern one turned (the day of the full Moon, barely shaded).
    QVERIFY2(
        MeanDifference(northBlock.mirrored(true, true), southBlock) < 12,
        qPrintable(QString::number(MeanDifference(northBlock.mirrored(true, true), southBlock))));
    QVERIFY(MeanDifference(northBlock, southBlock) > 15);
}

void TMonthlyPhasesTest::SavedInTheFormatTheNameAsks() {
    TMainHarness h(At(2024, 3, 10, 12), PlaceSeed(NewYork));
    TMonthlyPhases w(*h.State, h.Main);
    w.Open();
    QTemporaryDir folder;
    const QImage picture = Picture(w);
    const struct {
        const char* Name;
        QByteArray Magic;
        double Tolerance;
    } cases[] = {{"a.png", "\x89PNG", 0.0},
                 {"b.JPG", "\xFF\xD8\xFF", 4.0},
                 {"c.bmp", "BM", 0.0},
                 {"d", "\x89PNG", 0.0}}; // no extension: PNG, ".png" added
    for (const auto& c : cases) {
        QVERIFY(w.SaveTo(folder.filePath(c.Name)));
        QString path = folder.filePath(c.Name);
        if (QFileInfo(path).suffix().isEmpty()) path += ".png";
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        QVERIFY2(file.read(c.Magic.size()) == c.Magic, c.Name);
        const QImage read(path);
        QCOMPARE(read.size(), QSize(461, 414));
        QVERIFY2(MeanDifference(read.convertToFormat(QImage::Format_RGB32), picture) <= c.Tolerance,
                 c.Name);
    }
    // The dialog starts in the Pictures folder with the default name; cancelling saves nothing.
    QString suggested;
    w.SetFileDialog([&](QWidget*, const QString& s) {
        suggested = s;
        return QString();
    });
    TMainHarness::Click(w.findChild<QLabel*>("lblSave"));
    QVERIFY(suggested.endsWith("/MoonPhases.png"));
    QCOMPARE(suggested, TMonthlyPhases::SuggestedPath());
    // A folder that does not exist: a message, no file.
    TMessageCapture messages;
    QVERIFY(!w.SaveTo(folder.filePath("missing/e.png")));
    QCOMPARE(messages.Texts.size(), 1);
    QVERIFY(messages.Texts[0].contains("e.png"));
    QVERIFY(!w.SaveTo(folder.filePath("f.gif")));
    QCOMPARE(messages.Texts.size(), 2);
    QVERIFY(!QFile::exists(folder.filePath("f.gif")));
}

void TMonthlyPhasesTest::RedrawnForAnotherMonthWithItsWeekStart() {
    // February 2026 starts on a Sunday: with the week from Sunday it fills exactly four rows.
    TMainHarness h(At(2026, 2, 10, 12), PlaceSeed(NewYork));
    TMonthlyPhases w(*h.State, h.Main);
    w.Open();
    const QImage february = Picture(w);
    const int cw = (461 - 6) / 7;
    auto cellFramed = [&](const QImage& pic, int cell) {
        const QRect r = PhotoBlock(w, cell, true);
        return pic.pixelColor(r.left() - 9, r.top() - 7 + 10) == QColor(80, 80, 80);
    };
    QVERIFY(cellFramed(february, 27));  // 28 February
    QVERIFY(!cellFramed(february, 28)); // the fifth row is empty
    h.State->SelectDate(2026, 5, 10);   // May 2026 starts on a Friday: 1 May in cell 5
    const QImage may = Picture(w);
    QVERIFY(may != february);
    QVERIFY(cellFramed(may, 5));
    QVERIFY(!cellFramed(may, 4));
    (void)cw;
}

void TMonthlyPhasesTest::ReportMenuOpensTheThreeWindows() {
    TMainHarness h(At(2026, 2, 10, 12), PlaceSeed(NewYork));
    h.Show();
    TReportMenu& menu = h.Windows->ReportMenu();
    const struct {
        TReportEntry Entry;
        QWidget* Window;
    } entries[] = {{TReportEntry::LunarVisibility, &h.Windows->ObservingAid()},
                   {TReportEntry::DailyView, &h.Windows->DailyView()},
                   {TReportEntry::DisplayPhases, &h.Windows->MonthlyPhases()}};
    for (const auto& e : entries) {
        QVERIFY(!e.Window->isVisible());
        menu.Open();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        const QPoint at(100, TReportMenu::EntryHeight * int(e.Entry) + 10);
        QTest::mouseMove(&menu, at);
        QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, at);
        QTRY_VERIFY(e.Window->isVisible());
    }
    // A month chosen while they are shown reaches all three.
    h.State->SelectDate(2026, 5, 10);
    QCOMPARE(h.Windows->ObservingAid().MonthShown().Month, 5);
    QCOMPARE(h.Windows->DailyView().Day().Month, 5);
}

QTEST_MAIN(TMonthlyPhasesTest)
#include "monthly_phases_test.moc"
