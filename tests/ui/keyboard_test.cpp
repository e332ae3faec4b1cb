// SPDX-License-Identifier: GPL-3.0-or-later
// The program worked from the keyboard alone: the main window's keys, its buttons reached by Tab
// (with their focus mark) and pressed, a menu, Escape, and the configuration's Return and Escape.

#include <QDesktopServices>
#include <QLineEdit>
#include <QScrollBar>

#include "tmain_fixture.h"
#include "ui/menus/report_menu.h"
#include "ui/reports/daily_view.h"
#include "ui/reports/eclipse_report.h"
#include "ui/reports/times_list.h"
#include "ui/settings/configuration.h"
#include "ui/settings/print_options.h"

namespace {

void Type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
}

class TUrlCatcher : public QObject { // what the window hands to the desktop
    Q_OBJECT
  public slots:
    void Open(const QUrl& url) { Opened << url; }

  public:
    QList<QUrl> Opened;
};

} // namespace

class TKeyboardTest : public QObject {
    Q_OBJECT
  private slots:
    void MainWindowKeys();
    void ButtonsFromTheKeyboard();
    void ConfigurationClosesByKeys();
};

void TKeyboardTest::MainWindowKeys() {
    TUrlCatcher desktop;
    QDesktopServices::setUrlHandler("file", &desktop, "Open");
    TMainHarness h(At(2026, 3, 3));
    h.Show();
    const auto on = [&h](int y, int m, int d) {
        return [&h, jd = JulianDayOf(y, m, d)] {
            const double into = JulianDay(h.Selected()) - jd;
            return into >= 0 && into < 1;
        };
    };
    const struct {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        std::function<bool()> Done;
    } keys[] = {
        // From 31 January 2024, a leap year.
        {Qt::Key_Right, {}, on(2024, 2, 1)},
        {Qt::Key_Left, {}, on(2024, 1, 30)},
        {Qt::Key_Down, {}, on(2024, 2, 7)},
        {Qt::Key_Up, Qt::KeypadModifier, on(2024, 1, 24)},
        {Qt::Key_PageDown, {}, on(2024, 2, 29)},
        {Qt::Key_PageUp, {}, on(2023, 12, 31)},
        {Qt::Key_PageDown, Qt::ControlModifier, on(2025, 1, 31)},
        {Qt::Key_PageUp, Qt::ControlModifier, on(2023, 1, 31)},
        {Qt::Key_Home, {}, on(2026, 3, 3)},
        {Qt::Key_P, Qt::ControlModifier, [&] { return h.Windows->PrintOptions().isVisible(); }},
        {Qt::Key_F1, {}, [&] { return desktop.Opened.size() == 1; }},
        {Qt::Key_Q, Qt::ControlModifier, [&] { return !h.Main->isVisible(); }},
    };
    for (const auto& k : keys) {
        const QByteArray key = QKeySequence(k.Key | k.Modifiers).toString().toLatin1();
        QVERIFY(h.State->SelectDate(2024, 1, 31));
        h.Main->activateWindow();
        QVERIFY2(QTest::qWaitForWindowActive(h.Main), key);
        Type(Qt::Key_Escape); // never closes the main window nor moves the date
        QVERIFY2(!k.Done(), key);
        Type(k.Key, k.Modifiers);
        QVERIFY2(k.Done(), key);
        h.Windows->PrintOptions().hide();
    }
    QDesktopServices::unsetUrlHandler("file");
}

void TKeyboardTest::ButtonsFromTheKeyboard() {
    TMainHarness h(At(2026, 3, 3));
    h.Show();
    QVERIFY(QTest::qWaitForWindowActive(h.Main));
    const QRect timesButton(76, 14, 17, 19);
    const QImage unmarked = h.Main->grab(timesButton).toImage();
    for (int tab = 0; tab < 2; ++tab)
        Type(Qt::Key_Tab); // left to right, past Print, Optics
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("lblTimesList"));
    QVERIFY(h.Main->grab(timesButton).toImage() != unmarked);
    Type(Qt::Key_Return);
    QVERIFY(QTest::qWaitForWindowActive(&h.Windows->TimesList()));
    Type(Qt::Key_Escape);
    QVERIFY(!h.Windows->TimesList().isVisible());
    // The report menu opened by Space, its second entry chosen by the arrow keys.
    h.Main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.Main));
    while (QApplication::focusWidget()->objectName() != "lblReports")
        Type(Qt::Key_Tab);
    Type(Qt::Key_Space);
    QTRY_VERIFY(h.Windows->ReportMenu().isVisible());
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Down, Qt::Key_Return})
        Type(key);
    QTRY_VERIFY(h.Windows->DailyView().isVisible());
    QVERIFY(!h.Windows->ReportMenu().isVisible());

    // The eclipse report's rows marked by the arrow keys, the second eclipse of 2026 chosen.
    TEclipseReport& report = h.Windows->EclipseReport();
    report.Open();
    report.SetYears("2026", "2100");
    report.CalculateClick();
    QVERIFY(QTest::qWaitForWindowActive(&report));
    Type(Qt::Key_PageDown); // a list scrolls by the keys its window's controls leave
    QVERIFY(Control<QScrollBar>(report, "ScrollBar1")->value() > 0);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
        Type(key);
    QCOMPARE(h.Selected().Month, 8);
}

void TKeyboardTest::ConfigurationClosesByKeys() {
    const struct {
        const char* Latitude;
        Qt::Key Key;
        bool Stored; // and closed; Escape closes too
    } cases[] = {
        {"12", Qt::Key_Return, true}, {"12", Qt::Key_Escape, false}, {"99", Qt::Key_Return, false}};
    for (const auto& c : cases) {
        TMainHarness h(At(2026, 3, 3));
        const TPosition before = h.State->Settings().Position;
        TConfiguration& config = h.Windows->Configuration();
        config.Open();
        QVERIFY(QTest::qWaitForWindowActive(&config));
        config.Recall("Home Location");
        Control(config, "NSSpinButton")->setFocus();
        Type(Qt::Key_Up); // the other hemisphere
        auto* latitude = Control<QLineEdit>(config, "txtLatDeg");
        latitude->setFocus();
        latitude->setText(c.Latitude);
        Type(c.Key);
        const bool closes = c.Stored || c.Key == Qt::Key_Escape;
        QCOMPARE(config.isVisible(), !closes);
        QCOMPARE(h.Messages.Texts.isEmpty(), closes);
        const TPosition& now = h.State->Settings().Position;
        QCOMPARE(now.Latitude.Deg, c.Stored ? 12 : before.Latitude.Deg);
        QCOMPARE(now.LatitudeSide != before.LatitudeSide, c.Stored);
    }
}

QTEST_MAIN(TKeyboardTest)
#include "keyboard_test.moc"
