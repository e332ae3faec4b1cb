// SPDX-License-Identifier: GPL-3.0-or-later
// Messages for the user: a box sits over the window it belongs to, and what the settings
// start-up found is said once, in one message over the main window.

#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "tmain_fixture.h"
#include "ui/common/settings_startup.h"
#include "ui/main/clock_editor.h"

class TMessageBoxesTest : public QObject {
    Q_OBJECT
  private slots:
    void BoxCentredOverItsWindow();
    void OneStartupMessageForAllRepairs();
};

void TMessageBoxesTest::BoxCentredOverItsWindow() {
    TMainHarness h(At(2026, 12, 7));
    h.Show();
    h.Main->move(300, 200);
    QTRY_COMPARE(h.Main->frameGeometry().topLeft(), QPoint(300, 200));
    const QPoint centre = h.Main->frameGeometry().center();
    // Owned by the window itself or by a control deep inside it (a field of the time editor).
    for (QWidget* owner :
         {static_cast<QWidget*>(h.Main),
          static_cast<QWidget*>(Control<QLineEdit>(h.Main->Strip().Editor(), "txtMinute"))}) {
        QMessageBox* box =
            MakeMessageBox(owner, "Failed to update System Time", QMessageBox::Warning);
        QCOMPARE(box->parentWidget(), h.Main);
        // Placed before it is shown (a frameless owner gives the window manager nothing to
        // centre on), and still there once shown.
        for (const bool shown : {false, true}) {
            if (shown) {
                box->show();
                QVERIFY(QTest::qWaitForWindowExposed(box));
            }
            const QPoint boxCentre = box->frameGeometry().center();
            QVERIFY2((boxCentre - centre).manhattanLength() <= 2,
                     qPrintable(QStringLiteral("box centred at %1,%2, window at %3,%4")
                                    .arg(boxCentre.x())
                                    .arg(boxCentre.y())
                                    .arg(centre.x())
                                    .arg(centre.y())));
        }
        QVERIFY(box->text().contains("System Time"));
        box->close(); // deletes itself
    }
}

void TMessageBoxesTest::OneStartupMessageForAllRepairs() {
    // Three damaged numbers: each is repaired to its default and named in the one message.
    TMainHarness h(At(2026, 12, 7),
                   Seed({{"DayOrder", "77"}, {"TimeZone", "99"}, {"PhaseDensity", "-3"}}));
    const QStringList& found = h.Windows->StartupMessages();
    QCOMPARE(found.size(), 3);
    QCOMPARE(h.State->Settings().DayOrder, TWeekday::Sunday);
    QCOMPARE(h.State->Settings().TimeZone, 24);
    QVERIFY(h.State->Observer().Zone == TObserverZone::Fixed(0, 0));
    const QString text = StartupMessage(found);
    for (const char* name : {"DayOrder", "TimeZone", "PhaseDensity"})
        QVERIFY2(text.count(name) == 1, qPrintable(text));
    QVERIFY(text.contains("\"99\""));
    QVERIFY(h.Messages.Texts.isEmpty()); // nothing said before the window is shown

    h.Windows->Show();
    QVERIFY(QTest::qWaitForWindowExposed(h.Main));
    QTRY_COMPARE(h.Messages.Texts.size(), 1);
    QCOMPARE(h.Messages.Texts[0], text);
    QCOMPARE(h.Messages.Owners[0], h.Main);
    QTest::qWait(50);
    QCOMPARE(h.Messages.Texts.size(), 1);

    // A single message is said as it is; a clean start says nothing.
    QCOMPARE(StartupMessage({"The store was damaged."}), QString("The store was damaged."));
    TMainHarness clean(At(2026, 12, 7));
    QVERIFY(clean.Windows->StartupMessages().isEmpty());
    clean.Windows->Show();
    QVERIFY(QTest::qWaitForWindowExposed(clean.Main));
    QTest::qWait(50);
    QVERIFY(clean.Messages.Texts.isEmpty());
}

QTEST_MAIN(TMessageBoxesTest)
#include "message_boxes_test.moc"
