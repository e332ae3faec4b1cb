// SPDX-License-Identifier: GPL-3.0-or-later
// Printed pages at 300, 600 and 1200 dpi: every text and mark inside the page frame (the
// footer under it), no text crossed by a line, the longest place name whole.

#include <QPrinter>

#include "place_fixture.h"
#include "ui/reports/daily_view.h"
#include "ui/reports/observing_aid.h"
#include "ui/reports/printed_calendar.h"

class TPrintedFramesTest : public QObject {
    Q_OBJECT
  private slots:
    void EveryTextAndMarkInsideTheFrame();
};

void TPrintedFramesTest::EveryTextAndMarkInsideTheFrame() {
    const char* place = "Observatorio Astronomico de la Sierra Nevada Alta del Sur, Spain"; // 64
    for (const QString report : {"aid", "daily view", "calendar"})
        for (int dpi : {300, 600, 1200}) {
            // Full Moon: the Moon up at both midnights, the daily view's dots at both ends.
            TMainHarness h(At(2026, 3, 3, 21), NewYorkSeed({{"Location", place}}));
            const QString pdf = h.Folder.filePath("page.pdf"), at = report + QString::number(dpi);
            SetPrintDialogs({[] { return true; },
                             [&](QPrinter& printer, QWidget*) {
                                 printer.setOutputFileName(pdf);
                                 printer.setResolution(dpi);
                                 return true;
                             },
                             {}});
            TWindowSet& w = *h.Windows;
            w.ObservingAid().Open(), w.ObservingAid().LinesGridClick(), w.DailyView().Open();
            QVERIFY(TPrintOutcome::Printed == (report == "aid" ? w.ObservingAid().PrintDiagram()
                                               : report == "daily view"
                                                   ? w.DailyView().PrintDailyView()
                                                   : PrintCalendar(h.Main, *h.State, 3, 2026)));
            SetPrintDialogs({});
            const QImage page = PdfPage(pdf, 100);
            auto ink = [&](int x, int y, int ground, int faintest) {
                return std::abs(qGray(page.pixel(x, y)) - ground) > faintest;
            };
            // The frame's top and sides: the first row inked across half the page (faint at
            // 100 dpi); the footer stands under it.
            QRect frame;
            for (int y = 0; y < page.height() && frame.isNull(); ++y) {
                QList<int> inked;
                for (int x = 0; x < page.width(); ++x)
                    if (ink(x, y, 255, 20)) inked << x;
                if (inked.size() * 2 > page.width())
                    frame = QRect(QPoint(inked.first() - 1, y - 1),
                                  QPoint(inked.last() + 1, page.height()));
            }
            for (int y = 0; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x)
                    if (!frame.contains(x, y) && ink(x, y, 255, 60))
                        QFAIL(qPrintable(at + QStringLiteral(": ink at %1, %2").arg(x).arg(y)));
            for (const TPdfWord& word : PdfWords(pdf)) {
                const QRect box =
                    QTransform::fromScale(100 / 72.0, 100 / 72.0).mapRect(word.Box).toRect();
                // A line through it: a column inked from above its box to below it.
                const int ground = qGray(page.pixel(box.bottomLeft()));
                bool crossed = false;
                for (int x = box.left() + 1; x < box.right(); ++x) {
                    int y = box.top() - 1;
                    while (y <= box.bottom() + 1 && ink(x, y, ground, 60))
                        ++y;
                    crossed |= y > box.bottom() + 1;
                }
                QVERIFY2(frame.contains(box) && !crossed, qPrintable(at + ": " + word.Text));
            }
            QVERIFY2(PdfLayoutText(pdf).simplified().contains(
                         QString(place) +
                         " Latitude: 40° 30' 00\" North, Longitude: 074° 00' 00\" West"),
                     qPrintable(at));
        }
}

QTEST_MAIN(TPrintedFramesTest)
#include "printed_frames_test.moc"
