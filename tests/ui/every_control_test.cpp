// SPDX-License-Identifier: GPL-3.0-or-later
// Every button and menu entry of every window, clicked where a user clicks it, on the whole
// program over a fresh store and a fixed clock. Each click must open a window, show a
// message, change what the program shows, print, write a file or hand an address to the
// desktop: none may do nothing. A button added to a window without a row here fails the
// coverage check, so a new control cannot be left unconnected unnoticed.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTcpServer>
#include <QTest>

#include "tmain_fixture.h"
#include "ui/common/desktop.h"
#include "ui/common/printing.h"
#include "ui/features/features_db.h"
#include "ui/features/features_view.h"
#include "ui/main/clock_editor.h"
#include "ui/main/moon_data_panel.h"
#include "ui/menus/monthly_phases.h"
#include "ui/menus/report_menu.h"
#include "ui/menus/web_links.h"
#include "ui/menus/web_menu.h"
#include "ui/reports/calendar_pop_ups.h"
#include "ui/reports/daily_view.h"
#include "ui/reports/eclipse_report.h"
#include "ui/reports/eclipse_screen.h"
#include "ui/reports/observing_aid.h"
#include "ui/reports/times_list.h"
#include "ui/settings/configuration.h"
#include "ui/settings/print_options.h"
#include "window_input.h"

namespace {

// A port on 127.0.0.1 where nothing listens: Sync fails at once, and says so.
QByteArray ClosedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1/").arg(port).toUtf8();
}

// The whole program, its desktop, printer and time server replaced by recorders.
// 3 March 2026 has a total lunar eclipse, so the main window's eclipse button shows.
struct TWorld {
    QByteArray Server = ClosedPort();
    TMainHarness H{At(2026, 3, 3, 12), Seed({{"TimeServer", Server.constData()}})};
    QTemporaryDir Files;
    TPdfPrintCapture Pdf{Files.filePath("printed.pdf")};
    QList<QUrl> Opened; // what the desktop was asked to open

    TWorld() {
        SetDesktopOpener([this](const QUrl& url) {
            Opened << url;
            return true;
        });
    }
    ~TWorld() { SetDesktopOpener({}); }
    TWorld(const TWorld&) = delete;
    TWorld& operator=(const TWorld&) = delete;

    [[nodiscard]] TWindowSet& W() const { return *H.Windows; }
    [[nodiscard]] TMain& Main() const { return *H.Main; }
    [[nodiscard]] TTimeEditor& Editor() const { return H.Main->Strip().Editor(); }
};

void ClickMain(TWorld& w, const char* name, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* c = Control(w.Main(), QString::fromLatin1(name));
    QVERIFY2(c != nullptr, name);
    QTest::mouseClick(c, button, Qt::NoModifier, c->rect().center());
}

struct TWindowRef {
    const char* Name;
    std::function<QWidget&(TWindowSet&)> Get;
    std::function<void(TWorld&)> Open; // as a user opens it
    const char* DragHandle = "lblTitle";
};

template <class T> std::function<QWidget&(TWindowSet&)> Getter(T& (TWindowSet::*get)()) {
    return [get](TWindowSet& set) -> QWidget& { return (set.*get)(); };
}

TWindowRef ByMainButton(const char* window, auto get, const char* button) {
    return {window, Getter(get), [button](TWorld& w) { ClickMain(w, button); }};
}

TWindowRef ByReportEntry(const char* window, auto get, TReportEntry entry) {
    return {window, Getter(get), [entry](TWorld& w) {
                ClickMain(w, "lblReports");
                QTest::mouseClick(&w.W().ReportMenu(), Qt::LeftButton, Qt::NoModifier,
                                  {120, TReportMenu::EntryHeight * static_cast<int>(entry) + 10});
            }};
}

const TWindowRef MainWindow{"Main", Getter(&TWindowSet::Main), [](TWorld& w) { w.H.Show(); }};
const TWindowRef TimesListWindow =
    ByMainButton("TimesList", &TWindowSet::TimesList, "lblTimesList");
const TWindowRef PrintOptionsWindow =
    ByMainButton("PrintOptions", &TWindowSet::PrintOptions, "lblPrint");
const TWindowRef WebMenuWindow = ByMainButton("WebMenu", &TWindowSet::WebMenu, "lblLinks");
const TWindowRef ConfigurationWindow =
    ByMainButton("Configuration", &TWindowSet::Configuration, "lblConfig");
const TWindowRef AboutWindow = ByMainButton("About", &TWindowSet::About, "lblAbout");
const TWindowRef ReportMenuWindow =
    ByMainButton("ReportMenu", &TWindowSet::ReportMenu, "lblReports");
const TWindowRef MonthListWindow =
    ByMainButton("MonthList", &TWindowSet::MonthList, "lblSelectedmonth");
const TWindowRef EclipseWindow = ByMainButton("Eclipse", &TWindowSet::Eclipse, "imgEclipse");
const TWindowRef DateInfoWindow{"DateInfo", Getter(&TWindowSet::DateInfo), [](TWorld& w) {
                                    QWidget* cell = w.H.DayCell(21);
                                    QTest::mouseClick(cell, Qt::RightButton, Qt::NoModifier,
                                                      cell->rect().center());
                                }};
const TWindowRef ObservingAidWindow =
    ByReportEntry("ObservingAid", &TWindowSet::ObservingAid, TReportEntry::LunarVisibility);
const TWindowRef DailyViewWindow =
    ByReportEntry("DailyView", &TWindowSet::DailyView, TReportEntry::DailyView);
const TWindowRef EclipseReportWindow =
    ByReportEntry("EclipseReport", &TWindowSet::EclipseReport, TReportEntry::FindEclipses);
const TWindowRef MonthlyPhasesWindow =
    ByReportEntry("MonthlyPhases", &TWindowSet::MonthlyPhases, TReportEntry::DisplayPhases);
const TWindowRef FeaturesDBWindow =
    ByReportEntry("FeaturesDB", &TWindowSet::FeaturesDB, TReportEntry::FeaturesDB);
const TWindowRef FeaturesWindow =
    ByReportEntry("Features", &TWindowSet::Features, TReportEntry::LunarFeatures);
const TWindowRef EquinoxWindow =
    ByReportEntry("Equinox", &TWindowSet::Equinox, TReportEntry::EquinoxInfo);
TWindowRef EasterRef() {
    TWindowRef easter = ByReportEntry("Easter", &TWindowSet::Easter, TReportEntry::Easter);
    easter.DragHandle = "Label1";
    return easter;
}
const TWindowRef EasterWindow = EasterRef();

const std::vector<const TWindowRef*> EveryWindow = {
    &MainWindow,          &TimesListWindow,    &ConfigurationWindow, &WebMenuWindow,
    &MonthListWindow,     &EclipseWindow,      &AboutWindow,         &PrintOptionsWindow,
    &DateInfoWindow,      &EquinoxWindow,      &EclipseReportWindow, &ReportMenuWindow,
    &MonthlyPhasesWindow, &ObservingAidWindow, &EasterWindow,        &FeaturesWindow,
    &FeaturesDBWindow,    &DailyViewWindow};

// What a gesture did: empty when it did what it should, else what went wrong. An
// expectation looks at the world before the gesture and returns the check for after it.
using TCheck = std::function<QString()>;
using TExpect = std::function<TCheck(TWorld&, QWidget& window)>;
using TGesture = std::function<void(QWidget* control)>;
using TProbe = std::function<QVariant(TWorld&)>;

struct TRow {
    const TWindowRef* Window;
    QString Control; // its object name; empty for a place on the window itself
    TGesture Gesture;
    TExpect Expect;
    std::function<void(TWorld&)> Prepare = {};
};

TGesture Click(Qt::MouseButton button = Qt::LeftButton) {
    return
        [button](QWidget* c) { QTest::mouseClick(c, button, Qt::NoModifier, c->rect().center()); };
}
TGesture ClickAt(QPoint at) {
    return [at](QWidget* c) { QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, at); };
}
TGesture DoubleClickAt(std::optional<QPoint> at = {}) {
    return [at](QWidget* c) {
        QTest::mouseDClick(c, Qt::LeftButton, Qt::NoModifier, at.value_or(c->rect().center()));
    };
}
TGesture Keys(const QString& typed, Qt::Key last) {
    return [typed, last](QWidget* c) {
        QTest::keyClicks(c, typed);
        QTest::keyClick(c, last);
    };
}

TExpect Shows(const TWindowRef& target) {
    return [&target](TWorld& w, QWidget&) -> TCheck {
        QWidget& shown = target.Get(w.W());
        shown.hide();
        return [&shown, &target] {
            return shown.isVisible() ? QString() : QStringLiteral("%1 not shown").arg(target.Name);
        };
    };
}
TExpect Hides() {
    return [](TWorld&, QWidget& window) -> TCheck {
        return [&window] { return window.isVisible() ? QStringLiteral("still shown") : QString(); };
    };
}
TExpect Minimises() {
    return [](TWorld&, QWidget& window) -> TCheck {
        return [&window] {
            return window.windowState() & Qt::WindowMinimized ? QString()
                                                              : QStringLiteral("not minimised");
        };
    };
}
// The desktop asked to open one address, which contains the text.
TExpect Asks(const QString& part) {
    return [part](TWorld& w, QWidget&) -> TCheck {
        const qsizetype before = w.Opened.size();
        return [&w, before, part] {
            if (w.Opened.size() != before + 1)
                return QStringLiteral("%1 addresses opened").arg(w.Opened.size() - before);
            const QString url = w.Opened.last().toString();
            return url.contains(part) ? QString() : QStringLiteral("opened %1").arg(url);
        };
    };
}
TExpect Says(const QString& part) {
    return [part](TWorld& w, QWidget&) -> TCheck {
        const qsizetype before = w.H.Messages.Texts.size();
        return [&w, before, part] {
            const QStringList& texts = w.H.Messages.Texts;
            if (texts.size() != before + 1)
                return QStringLiteral("%1 messages").arg(texts.size() - before);
            return texts.last().contains(part) ? QString()
                                               : QStringLiteral("said \"%1\"").arg(texts.last());
        };
    };
}
// A file of the test's folder written anew (the printer's PDF, a saved picture).
TExpect Writes(const QString& name) {
    return [name](TWorld& w, QWidget&) -> TCheck {
        const QString path = w.Files.filePath(name);
        QFile::remove(path);
        return [path] {
            return QFileInfo(path).size() > 0 ? QString()
                                              : QStringLiteral("%1 not written").arg(path);
        };
    };
}
TExpect Prints() {
    return Writes(QStringLiteral("printed.pdf"));
}
// What the window paints changes.
TExpect Repaints() {
    return [](TWorld&, QWidget& window) -> TCheck {
        const QImage before = window.grab().toImage();
        return [&window, before] {
            return window.grab().toImage() != before ? QString()
                                                     : QStringLiteral("painted as before");
        };
    };
}
TExpect Changes(TProbe probe) {
    return [probe](TWorld& w, QWidget&) -> TCheck {
        const QVariant before = probe(w);
        return [&w, probe, before] {
            return probe(w) != before ? QString()
                                      : QStringLiteral("%1 unchanged").arg(before.toString());
        };
    };
}
TExpect Keeps(TProbe probe) {
    return [probe](TWorld& w, QWidget&) -> TCheck {
        const QVariant before = probe(w);
        return [&w, probe, before] {
            const QVariant after = probe(w);
            return after == before ? QString()
                                   : QStringLiteral("changed to %1").arg(after.toString());
        };
    };
}
// The probe takes the value through the gesture (not before it).
TExpect Becomes(TProbe probe, const QVariant& expected) {
    return [probe, expected](TWorld& w, QWidget&) -> TCheck {
        const QVariant before = probe(w);
        return [&w, probe, expected, before] {
            const QVariant after = probe(w);
            if (before == expected) return QStringLiteral("already %1").arg(before.toString());
            return after == expected
                       ? QString()
                       : QStringLiteral("%1, not %2").arg(after.toString(), expected.toString());
        };
    };
}
TExpect Both(TExpect first, TExpect second) {
    return [first, second](TWorld& w, QWidget& window) -> TCheck {
        const TCheck a = first(w, window);
        const TCheck b = second(w, window);
        return [a, b] { return a() + b(); };
    };
}

// After a row: the row's window kept as it was, every other window but the main one
// hidden, nothing left minimised.
void Settle(TWorld& w, QWidget& keep) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible()) continue;
        if (top->windowState() & Qt::WindowMinimized) top->showNormal();
        if (top != &keep && top != &w.Main()) top->hide();
    }
    QCoreApplication::processEvents();
}

void Run(TWorld& w, const std::vector<TRow>& rows) {
    if (!w.Main().isVisible()) w.H.Show();
    for (const TRow& row : rows) {
        const QString what = QStringLiteral("%1 %2").arg(row.Window->Name, row.Control);
        QWidget& window = row.Window->Get(w.W());
        if (!window.isVisible()) row.Window->Open(w);
        QVERIFY2(window.isVisible(), qPrintable(what + ": its window did not open"));
        if (row.Prepare) row.Prepare(w);
        QWidget* control = Control(window, row.Control);
        QVERIFY2(control != nullptr && control->isVisible(), qPrintable(what + ": not shown"));
        const TCheck check = row.Expect(w, window);
        row.Gesture(control);
        QCoreApplication::processEvents();
        (void)QTest::qWaitFor([&] { return check().isEmpty(); }, 2000); // a server's answer
        const QString fault = check();
        QVERIFY2(fault.isEmpty(), qPrintable(what + ": " + fault));
        Settle(w, window);
    }
}

// The report menu's entries and the windows they open; the last two entries are tested
// with their own windows.
const std::vector<std::pair<TReportEntry, const TWindowRef*>> ReportEntries = {
    {TReportEntry::LunarVisibility, &ObservingAidWindow},
    {TReportEntry::DailyView, &DailyViewWindow},
    {TReportEntry::FindEclipses, &EclipseReportWindow},
    {TReportEntry::DisplayPhases, &MonthlyPhasesWindow},
    {TReportEntry::FeaturesDB, &FeaturesDBWindow},
    {TReportEntry::LunarFeatures, &FeaturesWindow},
    {TReportEntry::EquinoxInfo, &EquinoxWindow},
    {TReportEntry::Easter, &EasterWindow}};

TProbe Day() {
    return [](TWorld& w) { return w.H.Selected().Day; };
}

void SelectDay(TWorld& w, int day) {
    QVERIFY(w.H.State->SelectDate(2026, 3, day));
}

void OpenTimeEditor(TWorld& w) {
    w.H.State->ReturnToNow();
    if (!w.Editor().isVisible()) ClickMain(w, "lblClock");
}

std::vector<TRow> MainRows(TWorld& w) {
    const TWindowRef* m = &MainWindow;
    const TProbe editorShown = [](TWorld& w) { return w.Editor().isVisible(); };
    std::vector<TRow> rows = {
        {m, "lblPrint", Click(), Shows(PrintOptionsWindow)},
        {m, "imgOptics", Click(),
         Changes([](TWorld& w) { return static_cast<int>(w.Main().Moon().Optics()); })},
        {m, "lblTimesList", Click(), Shows(TimesListWindow)},
        {m, "lblLinks", Click(), Shows(WebMenuWindow)},
        {m, "lblClock", Click(), Becomes(editorShown, true)},
        {m, "lblReports", Click(), Shows(ReportMenuWindow)},
        {m, "imgEclipse", Click(), Shows(EclipseWindow)},
        {m, "Label1", Click(), Asks("tidewell.htm#about")},
        {m, "lblConfig", Click(), Shows(ConfigurationWindow)},
        {m, "lblHelp", Click(), Asks("docs/tidewell.htm")},
        {m, "lblAbout", Click(), Shows(AboutWindow)},
        {m, "lblLibration", Click(),
         Changes([](TWorld& w) { return w.Main().MoonData().ShowAzAlt(); })},
        {m, "lblSelectedmonth", Click(), Shows(MonthListWindow)},
        {m, "lblSelectedYear", Click(),
         Becomes([](TWorld& w) { return w.Main().Calendar().YearEditing(); }, true)},
        // The time editor's buttons and Enter in a field.
        {m, "imgTimeButton", ClickAt({130, 10}), Becomes(editorShown, false), OpenTimeEditor},
        {m, "imgTimeButton", ClickAt({183, 10}), Says("Time Synchronisation Failed"),
         OpenTimeEditor},
        {m, "txtHour", Keys("5", Qt::Key_Return),
         Becomes([](TWorld& w) { return qRound(w.H.State->ClockOffset() * 24 * 60); }, -7 * 60),
         [](TWorld& w) {
             OpenTimeEditor(w);
             Control<QLineEdit>(w.Editor(), "txtHour")->clear();
         }},
        // A left click selects a day; a right click tells about it, the selection kept.
        {m, w.H.DayCell(20)->objectName(), Click(), Becomes(Day(), 20)},
        {m, w.H.DayCell(21)->objectName(), Click(Qt::RightButton),
         Both(Shows(DateInfoWindow), Keeps(Day()))},
    };
    // Each principal phase of the month (caption and picture) jumps to its moment.
    const TProbe moment = [](TWorld& w) { return w.H.State->DisplayedJD(); };
    for (int k = 1; k <= w.H.State->Month().PhaseCount; ++k)
        for (const char* kind : {"lblPhase", "imgPhase"})
            rows.push_back({m, kind + QString::number(k), Click(), Changes(moment),
                            [](TWorld& w) { SelectDay(w, 15); }});
    // The year typed into its caption (the window sees the keys) and accepted with Enter.
    rows.push_back({m, "", Keys("2027", Qt::Key_Return),
                    Becomes([](TWorld& w) { return w.H.Selected().Year; }, 2027), [](TWorld& w) {
                        ClickMain(w, "lblSelectedYear");
                        for (int k = 0; k < 4; ++k)
                            QTest::keyClick(&w.Main(), Qt::Key_Backspace);
                    }});
    rows.push_back({m, "lblMinimise", Click(), Minimises()});
    // Exit closes every window with the main one.
    rows.push_back(
        {m, "lblExit", Click(),
         Both(Hides(), Becomes([](TWorld& w) { return w.W().TimesList().isVisible(); }, false)),
         [](TWorld& w) { ClickMain(w, "lblTimesList"); }});
    return rows;
}

std::vector<TRow> ReportRows() {
    const TProbe eclipses = [](TWorld& w) {
        return static_cast<int>(w.W().EclipseReport().Entries().size());
    };
    const auto closeAndMinimise = [](const TWindowRef* window) {
        return std::vector<TRow>{{window, "lblMinimise", Click(), Minimises()},
                                 {window, "lblExit", Click(), Hides()}};
    };
    std::vector<TRow> rows = {
        {&TimesListWindow, "lblScrollDown", Click(),
         Changes([](TWorld& w) { return w.W().TimesList().ScrollOffset(); })},
        {&TimesListWindow, "lblScrollUp", Click(),
         Changes([](TWorld& w) { return w.W().TimesList().ScrollOffset(); })},
        {&TimesListWindow, "lblPrint", Click(), Prints()},
        // The eclipse's date selects it in the main window.
        {&EclipseWindow, "lblDate", DoubleClickAt(), Becomes(Day(), 3),
         [](TWorld& w) { SelectDay(w, 20); }},
        // 2026 has two lunar eclipses: total on 3 March, partial on 28 August.
        {&EclipseReportWindow, "lblCalculate", Click(), Becomes(eclipses, 2)},
        {&EclipseReportWindow, "",
         DoubleClickAt(QPoint(TEclipseReport::ListLeft + 60, TEclipseReport::ListTop + 8)),
         Both(Shows(EclipseWindow), Becomes(Day(), 3)), [](TWorld& w) { SelectDay(w, 20); }},
        {&EclipseReportWindow, "lblExit", Click(), Hides()},
        {&EquinoxWindow, "lblExit", Click(), Hides()},
        {&EasterWindow, "lblExit", Click(), Hides()},
        {&DateInfoWindow, "lblExit", Click(), Hides()},
        {&DailyViewWindow, "lblPrint", Click(), Prints()},
        {&ObservingAidWindow, "imgDayNight", Click(),
         Changes([](TWorld& w) { return static_cast<int>(w.W().ObservingAid().View()); })},
        {&ObservingAidWindow, "imgLinesGrid", Click(),
         Changes([](TWorld& w) { return w.W().ObservingAid().GridOn(); })},
        {&ObservingAidWindow, "lblPrint", Click(), Prints()},
        {&MonthlyPhasesWindow, "lblSave", Click(), Writes("phases.bmp"),
         [](TWorld& w) {
             w.W().MonthlyPhases().SetFileDialog(
                 [&w](QWidget*, const QString&) { return w.Files.filePath("phases.bmp"); });
         }},
        {&MonthlyPhasesWindow, "lblExit", Click(), Hides()},
        // The database button opens the database on the view's file.
        {&FeaturesWindow, "cmbDataFiles", Keys("", Qt::Key_Down), Repaints()},
        {&FeaturesWindow, "ScrollBar1", ClickAt({8, 300}), Repaints()},
        {&FeaturesWindow, "lblDatabase", Click(),
         Both(
             Shows(FeaturesDBWindow),
             Becomes(
                 [](TWorld& w) {
                     return Control<QComboBox>(w.W().FeaturesDB(), "cmbDataFiles")->currentText() ==
                            Control<QComboBox>(w.W().Features(), "cmbDataFiles")->currentText();
                 },
                 true)),
         [](TWorld& w) { w.W().FeaturesDB().Display(0); }},
        {&FeaturesDBWindow, "cmbDataFiles", Keys("", Qt::Key_Down), Repaints()},
        {&FeaturesDBWindow, "ScrollBar1", ClickAt({8, 300}), Repaints()},
        {&FeaturesDBWindow, "ScrollBar2", ClickAt({570, 8}), Repaints()},
        {&FeaturesDBWindow, "lblExit", Click(), Hides()},
    };
    for (const TWindowRef* window :
         {&TimesListWindow, &EclipseWindow, &DailyViewWindow, &ObservingAidWindow, &FeaturesWindow})
        for (TRow& row : closeAndMinimise(window))
            rows.push_back(row);
    return rows;
}

std::vector<TRow> MenuRows() {
    std::vector<TRow> rows;
    for (const auto& [entry, window] : ReportEntries)
        rows.push_back({&ReportMenuWindow, "",
                        ClickAt({120, TReportMenu::EntryHeight * static_cast<int>(entry) + 10}),
                        Shows(*window)});
    for (int month = 1; month <= 12; ++month)
        rows.push_back({&MonthListWindow, "",
                        ClickAt({50, TMonthList::RowHeight * (month - 1) + 14}),
                        Becomes([](TWorld& w) { return w.H.Selected().Month; }, month)});
    for (int link = 0; link < static_cast<int>(WebLinks.size()); ++link)
        if (WebLinks[static_cast<size_t>(link)].Address[0] != '\0' &&
            !WebLinks[static_cast<size_t>(link)].Hidden)
            rows.push_back({&WebMenuWindow, "", ClickAt({120, TWebMenu::EntryTop(link) + 10}),
                            Asks("https://")});
    rows.push_back({&AboutWindow, "lblExit", Click(), Hides()});
    return rows;
}

std::vector<TRow> SettingsRows() {
    const TWindowRef* p = &PrintOptionsWindow;
    const TWindowRef* c = &ConfigurationWindow;
    const TProbe density = [](TWorld& w) {
        return Control<QLineEdit>(w.W().PrintOptions(), "txtDensity")->text();
    };
    const auto checked = [](const char* box) -> TProbe {
        return
            [box](TWorld& w) { return Control<QCheckBox>(w.W().PrintOptions(), box)->isChecked(); };
    };
    const auto text = [](const char* label) -> TProbe {
        return [label](TWorld& w) { return Control<QLabel>(w.W().Configuration(), label)->text(); };
    };
    const TProbe printer = [](TWorld& w) { return int(w.W().Configuration().PrinterType()); };
    const auto typeName = [](const char* name) {
        return [name](TWorld& w) {
            QLineEdit* edit = Control<QComboBox>(w.W().Configuration(), "cmbLocation")->lineEdit();
            edit->clear();
            QTest::keyClicks(edit, QString::fromLatin1(name));
        };
    };
    return {
        {p, "chkDailyPhases", Click(), Changes(checked("chkDailyPhases"))},
        {p, "chkMajorPhases", Click(), Changes(checked("chkMajorPhases"))},
        {p, "chkMoonTimes", Click(), Changes(checked("chkMoonTimes"))},
        {p, "chkSunTimes", Click(), Changes(checked("chkSunTimes"))},
        // The stored density starts at 75.
        {p, "DensitySpinButton", ClickAt({7, 3}), Becomes(density, "76")},
        {p, "DensitySpinButton", ClickAt({7, 16}), Becomes(density, "75")},
        {p, "lblOK", Click(), Both(Prints(), Hides())},
        // A fresh store: North and West.
        {c, "NSSpinButton", ClickAt({7, 3}), Becomes(text("pNSDirection"), "South")},
        {c, "NSSpinButton", ClickAt({7, 16}), Becomes(text("pNSDirection"), "North")},
        {c, "EWSpinButton", ClickAt({7, 16}), Becomes(text("pEWDirection"), "East")},
        {c, "EWSpinButton", ClickAt({7, 3}), Becomes(text("pEWDirection"), "West")},
        {c, "imgCancel", Click(), Becomes(text("pEWDirection"), "East")},
        {c, "imgAdd", Click(), Says("\"Hilltop\" Location Added."), typeName("Hilltop")},
        {c, "imgAdd", Click(), Says("\"Seaside\" Location Added."), typeName("Seaside")},
        {c, "imgDelete", Click(), Says("\"Seaside\" Location Deleted.")},
        {c, "imgUpdate", Click(), Says("\"Hilltop\" Location Updated.")},
        {c, "imgBWInkjet", Click(), Becomes(printer, int(TPrinterType::BwInkjet))},
        {c, "lblColourInkjet", Click(), Becomes(printer, int(TPrinterType::ColourInkjet))},
        {c, "imgLaser", Click(), Becomes(printer, int(TPrinterType::Laser))},
        {c, "lblBWInkjet", Click(), Becomes(printer, int(TPrinterType::BwInkjet))},
        {c, "imgColourInkjet", Click(), Becomes(printer, int(TPrinterType::ColourInkjet))},
        {c, "lblLaser", Click(), Becomes(printer, int(TPrinterType::Laser))},
        // Closing stores what the window shows.
        {c, "lblExit", Click(),
         Both(Hides(),
              Becomes(
                  [](TWorld& w) { return QString::fromStdString(w.H.State->Settings().Location); },
                  "Hilltop"))},
    };
}

} // namespace

class TEveryControlTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void MainWindowControls();
    void ReportWindowControls();
    void MenuEntries();
    void SettingsWindowControls();
    void EveryButtonHasARow();
    void EveryButtonCanBeSeen();
};

void TEveryControlTest::initTestCase() {
    // Exit closes the main window; the test goes on without the program ending.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TEveryControlTest::MainWindowControls() {
    // Started from the source tree, where the help page is.
    const QString saved = QDir::currentPath();
    const auto restore = qScopeGuard([&] { QDir::setCurrent(saved); });
    QVERIFY(QDir::setCurrent(QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath("../..")));
    TWorld w;
    Run(w, MainRows(w));
}

void TEveryControlTest::ReportWindowControls() {
    TWorld w;
    Run(w, ReportRows());
}

void TEveryControlTest::MenuEntries() {
    TWorld w;
    const std::vector<TRow> rows = MenuRows();
    Run(w, rows);
    if (QTest::currentTestFailed()) return;
    // Every link its own page.
    std::set<QString> distinct;
    for (const QUrl& url : w.Opened)
        distinct.insert(url.toString());
    QCOMPARE(static_cast<qsizetype>(distinct.size()), w.Opened.size());
    QCOMPARE(static_cast<int>(w.Opened.size()), 14); // fifteen addresses, one entry hidden
}

void TEveryControlTest::SettingsWindowControls() {
    TWorld w;
    Run(w, SettingsRows());
}

void TEveryControlTest::EveryButtonHasARow() {
    TWorld w;
    std::map<const TWindowRef*, std::set<QString>> covered;
    std::vector<TRow> all = MainRows(w);
    for (auto* more : {&ReportRows, &MenuRows, &SettingsRows})
        for (TRow& row : more())
            all.push_back(row);
    for (const TRow& row : all)
        covered[row.Window].insert(row.Control);
    QStringList missing;
    for (const TWindowRef* ref : EveryWindow) {
        QWidget& window = ref->Get(w.W());
        for (QWidget* c : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            const bool button = qobject_cast<TClickLabel*>(c) || qobject_cast<TSpinButton*>(c);
            if (button && c->objectName() != ref->DragHandle &&
                !covered[ref].contains(c->objectName()))
                missing << QStringLiteral("%1 %2").arg(ref->Name, c->objectName());
        }
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
}

void TEveryControlTest::EveryButtonCanBeSeen() {
    TWorld w;
    w.H.Show();
    QStringList unseen;
    for (const TWindowRef* ref : EveryWindow) {
        QWidget& window = ref->Get(w.W());
        if (!window.isVisible()) ref->Open(w);
        const QImage shown = window.grab().toImage();
        const qreal scale = shown.devicePixelRatio();
        for (QWidget* c : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            const bool button = qobject_cast<TClickLabel*>(c) || qobject_cast<TSpinButton*>(c);
            if (!button || !c->isVisible() || c->objectName() == ref->DragHandle) continue;
            int darkest = 255;
            int lightest = 0;
            const QRect area = c->geometry();
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x) {
                    const int grey = qGray(shown.pixel(QPoint(x, y) * scale));
                    darkest = std::min(darkest, grey);
                    lightest = std::max(lightest, grey);
                }
            if (lightest - darkest < 60)
                unseen << QStringLiteral("%1 %2 (%3)")
                              .arg(ref->Name, c->objectName())
                              .arg(lightest - darkest);
        }
        if (&window != &w.Main()) window.hide();
    }
    QVERIFY2(unseen.isEmpty(), qPrintable(unseen.join(", ")));
}

QTEST_MAIN(TEveryControlTest)
#include "every_control_test.moc"
