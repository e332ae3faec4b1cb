// SPDX-License-Identifier: GPL-3.0-or-later
// The window chrome every window shares: title drag, close, minimise, hints, pop-ups,
// cursor, placement, fonts and the compiled-in pictures.

#include <tuple>

#include <QApplication>
#include <QFontInfo>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QToolTip>

#include "ui/common/artwork.h"
#include "ui/common/borderless_window.h"
#include "ui/common/fonts.h"
#include "ui/common/window_placement.h"

namespace {

void SendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(pos), target->mapToGlobal(QPointF(pos)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

class TChromeTest : public QObject {
    Q_OBJECT
  private slots:
    void DragWithAnyButtonKeepsTheGrabbedPoint();
    void ExitAndMinimise();
    void MainWindowClosingClosesTheOthers();
    void PopUpClosesWhenDeactivated();
    void HintsWaitAndShowPerArea();
    void ArrowCursorComesBackOverMainWindow();
    void PlacementStaysOnScreen();
    void PlacementRulesOnASmallScreen();
    void FontsAndScale();
    void PicturesAreCompiledIn();
};

void TChromeTest::DragWithAnyButtonKeepsTheGrabbedPoint() {
    TBorderlessWindow window(TWindowRole::Normal);
    window.setFixedSize(200, 100);
    TClickLabel* title = window.AddTitleArea({20, 4, 120, 20});
    window.move(100, 100);
    window.show();
    QVERIFY(!window.Dragging);

    for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton, Qt::MiddleButton}) {
        const QPoint start = window.pos();
        SendMouse(title, QEvent::MouseButtonPress, {10, 5}, button, button);
        QVERIFY(window.Dragging);
        QCOMPARE(window.DragX, 10);
        QCOMPARE(window.DragY, 5);
        // The pointer moves 30 right and 12 down; the label reports it relative to itself.
        SendMouse(title, QEvent::MouseMove, {40, 17}, Qt::NoButton, button);
        QCOMPARE(window.pos(), start + QPoint(30, 12));
        // Released far outside the title: the title still receives it and the drag ends.
        SendMouse(title, QEvent::MouseButtonRelease, {500, -300}, button, Qt::NoButton);
        QVERIFY(!window.Dragging);
        SendMouse(title, QEvent::MouseMove, {90, 90}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(window.pos(), start + QPoint(30, 12));
    }
}

void TChromeTest::ExitAndMinimise() {
    TBorderlessWindow window(TWindowRole::Normal);
    window.setFixedSize(200, 100);
    TClickLabel* exit = window.AddExitArea({180, 4, 13, 15}, "Close this window");
    TClickLabel* minimise = window.AddMinimiseArea({160, 4, 15, 15}, "Minimise this window");
    QCOMPARE(exit->objectName(), QString("lblExit"));
    QCOMPARE(minimise->toolTip(), QString("Minimise this window"));
    window.show();
    QTest::mouseClick(minimise, Qt::LeftButton);
    QVERIFY(window.windowState() & Qt::WindowMinimized);
    window.showNormal();
    QSignalSpy closed(&window, &TBorderlessWindow::Closed);
    QTest::mouseClick(exit, Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(closed.count(), 1);

    // The main window minimises every window of the program, and restored brings back
    // those it took along, not one the user had minimised alone.
    TBorderlessWindow main(TWindowRole::Main);
    TBorderlessWindow other(TWindowRole::Normal, &main);
    TBorderlessWindow alone(TWindowRole::Normal, &main);
    TClickLabel* mainMinimise = main.AddMinimiseArea({0, 0, 15, 15}, "Minimize Tidewell");
    main.show();
    other.show();
    alone.showMinimized();
    QTest::mouseClick(mainMinimise, Qt::LeftButton);
    QVERIFY(main.windowState() & Qt::WindowMinimized);
    QVERIFY(other.windowState() & Qt::WindowMinimized);
    main.showNormal();
    QVERIFY(!(other.windowState() & Qt::WindowMinimized) && other.isVisible());
    QVERIFY(alone.windowState() & Qt::WindowMinimized);
}

void TChromeTest::MainWindowClosingClosesTheOthers() {
    TBorderlessWindow main(TWindowRole::Main);
    TBorderlessWindow report(TWindowRole::Normal, &main);
    TClickLabel* exit = main.AddExitArea({0, 0, 13, 15}, "Exit Tidewell");
    QVERIFY(main.testAttribute(Qt::WA_QuitOnClose));
    QVERIFY(!report.testAttribute(Qt::WA_QuitOnClose));
    main.show();
    report.show();
    QTest::mouseClick(exit, Qt::RightButton); // only the left button clicks
    QVERIFY(main.isVisible());
    QTest::mouseClick(exit, Qt::LeftButton);
    QVERIFY(!main.isVisible());
    QVERIFY(!report.isVisible());
}

void TChromeTest::PopUpClosesWhenDeactivated() {
    TBorderlessWindow popUp(TWindowRole::PopUp);
    TBorderlessWindow normal(TWindowRole::Normal);
    popUp.show();
    normal.show();
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&normal, &deactivate);
    QVERIFY(normal.isVisible());
    QApplication::sendEvent(&popUp, &deactivate);
    QVERIFY(!popUp.isVisible());
}

void TChromeTest::HintsWaitAndShowPerArea() {
    TBorderlessWindow window(TWindowRole::Normal);
    QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 2000);
    window.setFixedSize(300, 200);
    window.AddHintArea({188, 134, 30, 12}, "Moon's Right Ascension");
    TClickLabel* print = window.AddButton("lblPrint", {18, 14, 21, 21}, "Print Calendar");
    QCOMPARE(print->toolTip(), QString("Print Calendar"));
    TBorderlessWindow::SetHint(print, QString());
    QVERIFY(print->toolTip().isEmpty());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QHelpEvent over(QEvent::ToolTip, {190, 140}, window.mapToGlobal(QPoint(190, 140)));
    QApplication::sendEvent(&window, &over);
    QCOMPARE(QToolTip::text(), QString("Moon's Right Ascension"));
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    QHelpEvent outside(QEvent::ToolTip, {100, 100}, window.mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(&window, &outside);
    QVERIFY(!QToolTip::isVisible());
}

void TChromeTest::ArrowCursorComesBackOverMainWindow() {
    TBorderlessWindow main(TWindowRole::Main);
    TBorderlessWindow report(TWindowRole::Normal);
    main.setFixedSize(100, 100);
    report.setFixedSize(100, 100);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    SendMouse(&report, QEvent::MouseMove, {50, 50}, Qt::NoButton, Qt::NoButton);
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SendMouse(&main, QEvent::MouseMove, {50, 50}, Qt::NoButton, Qt::NoButton);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TChromeTest::PlacementStaysOnScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    TBorderlessWindow main(TWindowRole::Main);
    main.setFixedSize(640, 480);
    main.CentreOnScreen();
    const QRect full = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(main.x(), full.left() + (full.width() - 640) / 2);
    QCOMPARE(main.y(), full.top() + (full.height() - 480) / 2);

    TBorderlessWindow report(TWindowRole::Normal, &main);
    report.setFixedSize(200, 100);
    report.CentreOver(main);
    QCOMPARE(report.geometry().center(), main.geometry().center());

    // An owner pushed off the bottom right corner: the report stays wholly visible.
    main.move(screen.right() - 50, screen.bottom() - 20);
    report.CentreOver(main);
    QVERIFY(screen.contains(report.geometry()));
    report.move(screen.left() - 500, screen.top() - 500);
    report.KeepOnScreen();
    QCOMPARE(report.pos(), screen.topLeft());
}

void TChromeTest::PlacementRulesOnASmallScreen() {
    const QRect area(0, 24, 1024, 576); // below a panel; or 1536 × 900 at 150 %
    // The owner's top-left corner, the window's wanted place and size, where it goes.
    const std::tuple<QPoint, QPoint, QSize, QPoint> cases[] = {
        {{192, 60}, {192, 60}, {640, 481}, {192, 100}},    // exactly over: below the title bar
        {{0, 100}, {0, 100}, {350, 500}, {640, 100}},      // no room below: beside, right
        {{192, 300}, {192, 300}, {540, 480}, {192, 120}},  // no room anywhere: on the screen
        {{900, 550}, {1000, 590}, {200, 100}, {700, 500}}, // owner off the corner: left
        {{192, 60}, {-40, -40}, {1200, 700}, {0, 24}},     // too big: its title on the screen
    };
    for (const auto& [owner, wanted, size, expected] : cases)
        QCOMPARE(PlaceClearOfTitle(wanted, size, {owner, QSize(640, 480)}, area), expected);
    // A pair side by side: moved together while it fits, else to the area's two edges.
    QCOMPARE(SideBySide({600, 9, 620, 335}, {1220, 9, 390, 285}, area).First, QPoint(14, 24));
    QCOMPARE(SideBySide({-195, 9, 700, 335}, {505, 9, 390, 285}, area).Second, QPoint(634, 24));
}

void TChromeTest::FontsAndScale() {
    const double scale = FontScale();
    QCOMPARE(scale, 96.0 / QGuiApplication::primaryScreen()->logicalDotsPerInch());
    // Rounding to the nearest, halves to even.
    QCOMPARE(ScaledPoints(0.5, 9), 4);
    QCOMPARE(ScaledPoints(0.5, 11), 6);
    QCOMPARE(ScaledPoints(0.8, 9), 7);
    QCOMPARE(ScaledPoints(1.0, 14), 14);

    const QFont arial = ScaledFont(ArialFamily, 11, 1.0, true);
    QCOMPARE(arial.pointSize(), 11);
    QVERIFY(arial.bold());
    QCOMPARE(QFontInfo(arial).family(), QString("Liberation Sans"));
    QCOMPARE(QFontInfo(PixelFont(TimesFamily, 19)).family(), QString("Liberation Serif"));
    QCOMPARE(PixelFont(ArialFamily, 19, true).pixelSize(), 19);
}

void TChromeTest::PicturesAreCompiledIn() {
    const QImage moon = LoadArt("full-moon-156.jpg");
    QCOMPARE(moon.size(), QSize(156, 156));
    QCOMPARE(moon.format(), QImage::Format_RGB32);
    QVERIFY(LoadArt("no-such-picture.png").isNull());

    TBorderlessWindow window(TWindowRole::Normal);
    window.SetBackgroundArt("full-moon-156.jpg");
    QCOMPARE(window.size(), QSize(156, 156));
    const QImage shown = window.grab().toImage();
    QCOMPARE(shown.pixelColor(78, 78), moon.pixelColor(78, 78));
}

QTEST_MAIN(TChromeTest)
#include "chrome_test.moc"
