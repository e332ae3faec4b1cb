// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's buttons: each click area over its glyph with its hint, the help page
// and the web site handed to the desktop (and a message when the desktop refuses them), and
// the buttons of later windows reported to the window set.

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTest>
#include <QUrl>

#include "tmain_fixture.h"
#include "ui/common/desktop.h"
#include "ui/main/clock_editor.h"
#include "ui/menus/report_menu.h"
#include "ui/menus/web_menu.h"
#include "ui/reports/eclipse_screen.h"
#include "ui/reports/times_list.h"
#include "ui/settings/configuration.h"
#include "ui/settings/print_options.h"

namespace {

// Receives what the window hands to the desktop's default handler.
class TUrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> Opened;
  public slots:
    void Open(const QUrl& url) { Opened << url; }
};

// The repository's root, from this file's place in tests/ui.
QString SourceRoot() {
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath("../..");
}

} // namespace

class TMainButtonsTest : public QObject {
    Q_OBJECT
  private slots:
    void EachButtonDoesWhatItsHintSays();
    void HelpAndWebSiteOpenOnTheDesktop();
    void HelpAndWebSiteFailLoudly();
    void LaterWindowsAreAskedForByName();
    void WindowsAreMadeWhenFirstOpenedAndKept();
};

void TMainButtonsTest::EachButtonDoesWhatItsHintSays() {
    TMainHarness h(At(2026, 3, 3)); // the month of a total eclipse: its button shows
    h.Show();
    TWindowSet& w = *h.Windows;
    QImage painted;
    const auto opens = [](QWidget& window) { return [&window] { return window.isVisible(); }; };
    const struct {
        QPoint At; // where the glyph is drawn
        const char* Hint;
        std::function<bool()> Done;
    } buttons[] = {
        {{28, 24}, "Print Calendar for Month (Ctrl+P)", opens(w.PrintOptions())},
        {{60, 25},
         "Switch between view as seen through Binoculars, a Telescope or a Diagonal",
         [&] { return h.Main->grab().toImage() != painted; }},
        {{84, 23},
         "Display Moon/Sun Rise/Set times and Twilight times for month",
         opens(w.TimesList())},
        {{110, 23}, "Display links to Lunar Internet Sites", opens(w.WebMenu())},
        {{139, 23}, "Change the time within Tidewell", opens(h.Main->Strip().Editor())},
        {{167, 23}, "Display menu showing Report options", opens(w.ReportMenu())},
        {{196, 24},
         "Display circumstances of Lunar Eclipse occurring this month",
         opens(w.Eclipse())},
        {{487, 23}, "Change configuration parameters", opens(w.Configuration())},
        {{552, 22}, "Display version information", opens(w.About())},
        {{599, 21}, "Minimize Tidewell", [&] { return h.Main->isMinimized(); }},
    };
    for (const auto& b : buttons) {
        QWidget* glyph = h.Main->childAt(b.At);
        QVERIFY2(glyph != nullptr, b.Hint);
        QCOMPARE(glyph->toolTip(), QString(b.Hint));
        painted = h.Main->grab().toImage();
        QVERIFY2(!b.Done(), b.Hint);
        ClickAt(*h.Main, b.At);
        QVERIFY2(b.Done(), b.Hint);
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != h.Main) top->hide();
        h.Main->showNormal();
        h.Main->activateWindow();
    }
    // The Moon column's captions that carry hints, and those that do not.
    QCOMPARE(h.Label("lblRA")->toolTip(), QString("Moon's Right Ascension"));
    QCOMPARE(h.Label("lblDec")->toolTip(), QString("Moon's Declination"));
    QCOMPARE(h.Label("lblApogee")->toolTip(), QString("Moon's Farthest Distance from Earth"));
    QCOMPARE(h.Label("lblPerigee")->toolTip(), QString("Moon's Closest Distance to Earth"));
    QVERIFY(h.Label("lblVisible")->toolTip().isEmpty());
    QCOMPARE(h.Main->size(), QSize(640, 480));
    QVERIFY(h.Main->windowFlags().testFlag(Qt::FramelessWindowHint));
}

void TMainButtonsTest::HelpAndWebSiteOpenOnTheDesktop() {
    TUrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    QDesktopServices::setUrlHandler("http", &catcher, "Open");
    const QString saved = QDir::currentPath();
    const auto restore = qScopeGuard([&] {
        QDir::setCurrent(saved);
        for (const char* scheme : {"file", "https", "http"})
            QDesktopServices::unsetUrlHandler(scheme);
    });

    // Started from the source tree: the help page of docs/.
    QVERIFY(QDir::setCurrent(SourceRoot()));
    {
        TMainHarness h(At(2026, 12, 7));
        h.Click(h.Label("lblHelp"));
        QCOMPARE(catcher.Opened.size(), 1);
        const QUrl help = catcher.Opened.takeFirst();
        QVERIFY(help.isLocalFile());
        QVERIFY2(help.toLocalFile().endsWith("/docs/tidewell.htm"), qPrintable(help.toString()));
        QFile page(help.toLocalFile());
        QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(help.toLocalFile()));
        const QByteArray html = page.readAll();
        QVERIFY(html.contains("<title>"));
        // Self-contained: nothing fetched from elsewhere.
        QVERIFY(!html.contains("src=\"http"));
        QVERIFY(!html.contains("<link"));

        // The web site: the help page's section about Tidewell.
        h.Click(h.Label("Label1"));
        QCOMPARE(catcher.Opened.size(), 1);
        const QUrl about = catcher.Opened.takeFirst();
        QVERIFY2(about.toString().endsWith("/docs/tidewell.htm#about"),
                 qPrintable(about.toString()));
        QVERIFY(html.contains("id=\"about\"") || html.contains("name=\"about\""));
        QVERIFY(h.Messages.Texts.isEmpty());
    }
}

void TMainButtonsTest::HelpAndWebSiteFailLoudly() {
    const QString saved = QDir::currentPath();
    QList<QUrl> tried;
    SetDesktopOpener([&](const QUrl& url) {
        tried << url;
        return false;
    });
    const auto restore = qScopeGuard([&] {
        SetDesktopOpener({});
        QDir::setCurrent(saved);
    });

    // The desktop has no handler (or it fails): each click says so, naming what it tried.
    QVERIFY(QDir::setCurrent(SourceRoot()));
    TMainHarness h(At(2026, 12, 7));
    const QStringList& messages = h.Messages.Texts;
    h.Click(h.Label("lblHelp"));
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains("docs/tidewell.htm"), qPrintable(messages[0]));
    QCOMPARE(h.Messages.Owners[0], h.Main);
    h.Click(h.Label("Label1"));
    QCOMPARE(messages.size(), 2);
    QVERIFY2(messages[1].contains("docs/tidewell.htm") && messages[1].contains("About Tidewell"),
             qPrintable(messages[1]));
    QCOMPARE(tried.size(), 2);
    QCOMPARE(tried[1].fragment(), QString("about"));

    // A help page that is not where it was looked for: the message names the path; nothing
    // is handed to the desktop. (Opened directly: a build inside the source tree finds the
    // real page beside the program wherever the test starts.)
    QTemporaryDir elsewhere;
    OpenOnDesktop(h.Main, QUrl::fromLocalFile(elsewhere.path() + "/docs/tidewell.htm"),
                  QStringLiteral("the help page"));
    QCOMPARE(messages.size(), 3);
    QVERIFY2(messages[2].contains(elsewhere.path() + "/docs/tidewell.htm"),
             qPrintable(messages[2]));
    QCOMPARE(tried.size(), 2);
}

void TMainButtonsTest::LaterWindowsAreAskedForByName() {
    TMainHarness h(At(2026, 12, 7));
    QList<TMainButton> asked;
    QObject::connect(h.Main, &TMain::ButtonClicked, h.Main,
                     [&](TMainButton button) { asked << button; });
    for (const char* name :
         {"lblPrint", "lblTimesList", "lblLinks", "lblReports", "lblConfig", "lblAbout"})
        h.Click(h.Label(name));
    const QList<TMainButton> expected = {TMainButton::Print,  TMainButton::TimesList,
                                         TMainButton::Links,  TMainButton::Reports,
                                         TMainButton::Config, TMainButton::About};
    QVERIFY(asked == expected);
    // The buttons the window answers itself are not passed on; a right click is no click.
    h.Click(h.Label("imgOptics"));
    h.Click(h.Label("lblPrint"), Qt::RightButton);
    QCOMPARE(asked.size(), 6);

    int monthPicker = 0;
    QObject::connect(h.Main, &TMain::MonthPickerRequested, h.Main, [&] { ++monthPicker; });
    h.Click(h.Label("lblSelectedYear"));
    QVERIFY(h.Main->Calendar().YearEditing());
    h.Click(h.Label("lblSelectedmonth")); // a pending year edit is closed first
    QVERIFY(!h.Main->Calendar().YearEditing());
    QCOMPARE(monthPicker, 1);
}

// Only the main window is made at start; another is made when first opened, and the same
// one comes back the next time.
void TMainButtonsTest::WindowsAreMadeWhenFirstOpenedAndKept() {
    TMainHarness h(At(2026, 3, 3));
    h.Show();
    const auto programWindows = [] {
        QList<QWidget*> windows;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (qobject_cast<TBorderlessWindow*>(top) != nullptr) windows << top;
        return windows;
    };
    QCOMPARE(programWindows(), QList<QWidget*>{h.Main});
    const QPoint timesList(84, 23);
    ClickAt(*h.Main, timesList);
    QList<QWidget*> opened = programWindows();
    opened.removeOne(h.Main);
    QCOMPARE(opened.size(), 1);
    QWidget* list = opened.front();
    QVERIFY(list->isVisible());
    list->hide();
    ClickAt(*h.Main, timesList);
    QCOMPARE(programWindows().size(), 2);
    QVERIFY(list->isVisible());
}

QTEST_MAIN(TMainButtonsTest)
#include "tmain_buttons_test.moc"
