// SPDX-License-Identifier: GPL-3.0-or-later
// The night-vision look on the whole program over a temporary store: every window, its
// controls, pictures and drawings, the message boxes and drop-down lists come out deep red
// on black with their detail kept; Ctrl+N switches it from any window, the configuration's
// box follows and switches it too, and the choice is there again after a restart.

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>
#include <vector>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include "tmain_fixture.h"
#include "ui/common/night_vision.h"
#include "ui/features/features_db.h"
#include "ui/features/features_view.h"
#include "ui/menus/monthly_phases.h"
#include "ui/menus/report_menu.h"
#include "ui/menus/web_menu.h"
#include "ui/reports/calendar_pop_ups.h"
#include "ui/reports/daily_view.h"
#include "ui/reports/eclipse_report.h"
#include "ui/reports/eclipse_screen.h"
#include "ui/reports/observing_aid.h"
#include "ui/reports/times_list.h"
#include "ui/settings/configuration.h"
#include "ui/settings/print_options.h"

namespace {

// Green or blue up to this are taken as none.
constexpr int Tolerance = 4;

QImage Grab(QWidget& window) {
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The strongest green or blue anywhere in the picture.
int MostGreenOrBlue(const QImage& picture) {
    int most = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            most = std::max({most, qGreen(p), qBlue(p)});
        }
    return most;
}

// How much detail the night picture keeps: the red of its brightest percent less that of its
// darkest (writing, lines and pictures on the panels and the turned-over frame).
int RedSpread(const QImage& night) {
    std::vector<int> reds;
    for (int y = 0; y < night.height(); ++y)
        for (int x = 0; x < night.width(); ++x)
            reds.push_back(qRed(night.pixel(x, y)));
    std::sort(reds.begin(), reds.end());
    return reds[reds.size() * 99 / 100] - reds[reds.size() / 100];
}

double MeanRed(const QImage& picture) {
    double sum = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            sum += qRed(picture.pixel(x, y));
    return sum / (picture.width() * picture.height());
}

// Every window of the program with what it shows, opened as the user opens them.
void OpenEveryWindow(TWindowSet& w) {
    w.Main().show();
    w.TimesList().Open();
    w.PrintOptions().Open();
    w.MonthList().Open();
    (void)w.Eclipse().Open();
    w.DateInfo().ShowDateInfo(w.State().SelectedDate());
    w.Equinox().EquinoxesAndSolstices(2026);
    w.EclipseReport().Open();
    w.ReportMenu().Open();
    w.Easter().Open();
    w.MonthlyPhases().Open();
    w.ObservingAid().Open();
    w.DailyView().Open();
    w.WebMenu().Open();
    w.About().Open();
    w.Features().Display(2);
    w.FeaturesDB().Display(2);
    w.Configuration().Open();
}

// The program's own windows, those added after this test too.
std::vector<TBorderlessWindow*> ProgramWindows() {
    std::vector<TBorderlessWindow*> windows;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<TBorderlessWindow*>(top)) windows.push_back(window);
    return windows;
}

QString Named(const QWidget* window) {
    return QString::fromLatin1(window->metaObject()->className());
}

std::string Stored(TSettingsStore& store, const char* name) {
    const auto key = store.OpenKey(SettingsKeyPath, false);
    return key ? store.ReadText(*key, name) : std::string("(no key)");
}

// A caption's contrast at night by WCAG's luminance of red, between the reds of its box's
// 5th and 95th percentiles (its strokes and its ground, whichever is brighter).
double CaptionContrast(const QImage& night, const QRect& box) {
    std::vector<double> luminance;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const double c = qRed(night.pixel(x, y)) / 255.0;
            luminance.push_back(0.2126 *
                                (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4)));
        }
    std::sort(luminance.begin(), luminance.end());
    return (luminance[luminance.size() * 19 / 20] + 0.05) /
           (luminance[luminance.size() / 20] + 0.05);
}

} // namespace

class TNightVisionTest : public QObject {
    Q_OBJECT
  private slots:
    void RedOnlyPixels();
    void EveryWindowRedOnBlack();
    void StandardBoxesTurnedOver();
    void CtrlNAndTheBoxSwitchAndRemember();
    void EveryCaptionReadableAtNight();
    void ScreenShowsTheWholeLookThroughRepaints();
    void LightScrollBarsDarkAtNight();
};

// The colour transform alone, where whole windows would not show a slip: the ends of the
// scale, transparent edges (hints, rounded pop-ups) and pictures in other formats.
void TNightVisionTest::RedOnlyPixels() {
    // Aqua values stay bright; the clock strip's navy writing on the turned-over frame stands
    // well above it.
    const QRgb aqua = NightPixel(qRgb(0, 255, 255), TNightTone::Keep);
    QVERIFY(qRed(aqua) >= 180 && qGreen(aqua) == 0 && qBlue(aqua) == 0);
    const int navy = qRed(NightPixel(qRgb(0, 0, 128), TNightTone::Frame));
    const int frame = qRed(NightPixel(qRgb(170, 170, 170), TNightTone::Frame));
    QVERIFY2(frame * 3 < navy, qPrintable(QString("navy %1, frame %2").arg(navy).arg(frame)));
    QCOMPARE(NightPixel(qRgb(255, 255, 255), TNightTone::Keep), qRgb(255, 0, 0));
    QCOMPARE(NightPixel(qRgb(0, 0, 0), TNightTone::Keep), qRgb(0, 0, 0));
    QCOMPARE(NightPixel(qRgb(255, 255, 255), TNightTone::Invert), qRgb(0, 0, 0));
    QCOMPARE(NightPixel(qRgb(0, 0, 0), TNightTone::Invert), qRgb(255, 0, 0));
    const QRgb half = NightPixel(qPremultiply(qRgba(255, 255, 255, 128)), TNightTone::Keep);
    QCOMPARE(half, qRgba(128, 0, 0, 128));
    QCOMPARE(NightPixel(0, TNightTone::Invert), QRgb(0)); // transparent stays transparent
    QImage picture(4, 2, QImage::Format_RGB888);
    picture.fill(QColor(10, 200, 30));
    ToNightColours(picture, TNightTone::Keep);
    QCOMPARE(picture.pixel(3, 1), NightPixel(qRgb(10, 200, 30), TNightTone::Keep));

    // One area of a picture of many colours, opaque and not, partly under a frame mask: each
    // pixel there as NightPixel makes it alone, the rest untouched.
    QImage many(37, 9, QImage::Format_ARGB32_Premultiplied);
    QImage mask(many.size(), QImage::Format_Grayscale8);
    const auto at = [](QImage& image, int x, int y) -> QRgb& {
        return reinterpret_cast<QRgb*>(image.scanLine(y))[x];
    };
    for (int y = 0; y < many.height(); ++y)
        for (int x = 0; x < many.width(); ++x) {
            const int alpha = (x * y) % 7 == 3 ? 127 * (x % 3) : 255;
            at(many, x, y) = qPremultiply(qRgba(x * 7, y * 29, (x * y * 13) % 256, alpha));
            mask.scanLine(y)[x] = (x + 2 * y) % 5 < 2 ? 255 : 0;
        }
    const QRect area(3, 1, 30, 7);
    for (const TNightTone tone : {TNightTone::Keep, TNightTone::Invert, TNightTone::Frame}) {
        QImage night = many;
        ToNightColoursIn(night, area, tone, mask);
        for (int y = 0; y < many.height(); ++y)
            for (int x = 0; x < many.width(); ++x) {
                const TNightTone own = mask.scanLine(y)[x] != 0 ? TNightTone::Frame : tone;
                QCOMPARE(at(night, x, y),
                         area.contains(x, y) ? NightPixel(at(many, x, y), own) : at(many, x, y));
            }
    }
}

void TNightVisionTest::EveryWindowRedOnBlack() {
    TMainHarness h(At(2026, 3, 3, 21));
    OpenEveryWindow(*h.Windows);
    QApplication::processEvents();
    const std::vector<TBorderlessWindow*> windows = ProgramWindows();
    QVERIFY2(windows.size() >= 18, qPrintable(QString::number(windows.size())));
    std::vector<QImage> day;
    for (TBorderlessWindow* window : windows)
        day.push_back(Grab(*window));
    // The windows are colourful by day: the test would notice nothing changing.
    QVERIFY(MostGreenOrBlue(day.front()) > 100);

    QVERIFY(SetNightVision(*h.State, h.Windows->Store(), true));
    QVERIFY(h.Windows->NightVision().On());
    for (std::size_t k = 0; k < windows.size(); ++k) {
        const QImage night = Grab(*windows[k]);
        const QString name = Named(windows[k]);
        QCOMPARE(night.size(), day[k].size());
        QVERIFY2(MostGreenOrBlue(night) <= Tolerance, qPrintable(name));
        // Not simply black or flat: values, lines, captions and the lit Moon stand out.
        QVERIFY2(RedSpread(night) > 100,
                 qPrintable(QStringLiteral("%1 %2").arg(name).arg(RedSpread(night))));
        QVERIFY2(MeanRed(night) > 5, qPrintable(name));
    }

    // Back by day, every window has its colours again (a blinking text cursor aside).
    QVERIFY(SetNightVision(*h.State, h.Windows->Store(), false));
    for (std::size_t k = 0; k < windows.size(); ++k) {
        const QImage again = Grab(*windows[k]);
        int differing = 0;
        for (int y = 0; y < again.height(); ++y)
            for (int x = 0; x < again.width(); ++x)
                differing += again.pixel(x, y) != day[k].pixel(x, y);
        QVERIFY2(differing < again.width() * again.height() / 200, qPrintable(Named(windows[k])));
    }
}

void TNightVisionTest::StandardBoxesTurnedOver() {
    TMainHarness h(At(2026, 3, 3, 21));
    h.Show();
    QVERIFY(SetNightVision(*h.State, h.Windows->Store(), true));
    // A message box, shown after the look was switched on: the toolkit's light box becomes
    // mostly black with red writing.
    QMessageBox* box =
        MakeMessageBox(h.Main, QStringLiteral("A message at the eyepiece"), QMessageBox::Warning);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    const QImage message = Grab(*box);
    QVERIFY(MostGreenOrBlue(message) <= Tolerance);
    QVERIFY2(MeanRed(message) < 60, qPrintable(QString::number(MeanRed(message))));
    int writing = 0;
    for (int y = 0; y < message.height(); ++y)
        for (int x = 0; x < message.width(); ++x)
            writing += qRed(message.pixel(x, y)) > 150;
    QVERIFY(writing > 50);
    delete box;

    // A drop-down list of the configuration.
    h.Windows->Configuration().Open();
    QComboBox* zones = Control<QComboBox>(h.Windows->Configuration(), "cmbTimeZone");
    zones->showPopup();
    QWidget* list = zones->view()->window();
    QVERIFY(list->isVisible());
    QVERIFY(list != &h.Windows->Configuration());
    QVERIFY(MostGreenOrBlue(Grab(*list)) <= Tolerance);
    zones->hidePopup();
}

void TNightVisionTest::CtrlNAndTheBoxSwitchAndRemember() {
    TMainHarness h(At(2026, 3, 3, 21));
    h.Show();
    TSettingsStore& store = h.Windows->Store();
    QCOMPARE(Stored(store, "NightVision"), std::string("False"));
    QVERIFY(!h.State->Settings().NightVision);

    // From a report window.
    TTimesList& times = h.Windows->TimesList();
    times.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&times));
    QVERIFY(MostGreenOrBlue(Grab(times)) > 100);
    QTest::keyClick(&times, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(h.State->Settings().NightVision);
    QCOMPARE(Stored(store, "NightVision"), std::string("True"));
    QVERIFY(MostGreenOrBlue(Grab(times)) <= Tolerance);
    QVERIFY(MostGreenOrBlue(Grab(*h.Main)) <= Tolerance);
    // N alone, or with another modifier, is not the switch.
    QTest::keyClick(&times, Qt::Key_N);
    QTest::keyClick(&times, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(h.State->Settings().NightVision);

    // The configuration's box shows it, follows Ctrl+N pressed in the configuration itself
    // (a modal window, over the main one) and switches the look when clicked.
    TConfiguration& config = h.Windows->Configuration();
    config.Open();
    QVERIFY(Control<QCheckBox>(config, "chkNightVision")->isChecked());
    QTest::keyClick(Control<QLineEdit>(config, "txtLatDeg"), Qt::Key_N, Qt::ControlModifier);
    QVERIFY(!h.State->Settings().NightVision);
    QVERIFY(!Control<QCheckBox>(config, "chkNightVision")->isChecked());
    QCOMPARE(Stored(store, "NightVision"), std::string("False"));
    QVERIFY(MostGreenOrBlue(Grab(times)) > 100);
    Control<QCheckBox>(config, "chkNightVision")->click();
    QVERIFY(h.State->Settings().NightVision);
    QCOMPARE(Stored(store, "NightVision"), std::string("True"));
    QVERIFY(MostGreenOrBlue(Grab(config)) <= Tolerance);
    // Closing the configuration stores its other values and keeps the look.
    QVERIFY(config.StoreAndClose());
    QCOMPARE(Stored(store, "NightVision"), std::string("True"));

    // A restart on the same store starts in night vision, before anything is pressed.
    const QString path = h.Folder.filePath("settings.db");
    h.Windows.reset();
    h.Windows = std::make_unique<TWindowSet>(TWindowSetup{path, [&h] { return h.Now; }, nullptr});
    h.Main = &h.Windows->Main();
    h.State = &h.Windows->State();
    QVERIFY(h.State->Settings().NightVision);
    QVERIFY(h.Windows->NightVision().On());
    QVERIFY(MostGreenOrBlue(Grab(*h.Main)) <= Tolerance);
    h.Windows->Configuration().Open();
    QVERIFY(Control<QCheckBox>(h.Windows->Configuration(), "chkNightVision")->isChecked());
}

// Texts on the grounds they were drawn for (black captions on the metal frame, the clock
// strip's navy writing, values on the dark panels) stand at least 3:1 from them in red.
void TNightVisionTest::EveryCaptionReadableAtNight() {
    TMainHarness h(At(2026, 3, 3, 21));
    TWindowSet& w = *h.Windows;
    OpenEveryWindow(w);
    QVERIFY(SetNightVision(*h.State, w.Store(), true));
    const std::tuple<QWidget*, QRect, const char*> captions[] = {
        {&w.Main(), {32, 300, 48, 14}, "Sunrise:"},
        {&w.Main(), {32, 404, 34, 14}, "Civil:"},
        {&w.Main(), {32, 420, 52, 14}, "Nautical:"},
        {&w.Main(), {32, 436, 80, 14}, "Astronomical:"},
        {&w.Main(), {130, 390, 30, 14}, "Start"},
        {&w.Main(), {94, 300, 40, 14}, "a Sun time"},
        {&w.Main(), {30, 372, 60, 12}, "TWILIGHT"},
        {&w.Main(), {140, 44, 360, 16}, "the clock"},
        {&w.DailyView(), {48, 250, 36, 13}, "Time:"},
        {&w.EclipseReport(), {20, 46, 34, 13}, "From:"},
        {&w.FeaturesDB(), {32, 42, 70, 13}, "Feature Name"},
        {&w.Equinox(), {31, 66, 80, 14}, "Spring"},
        {&w.DateInfo(), {124, 76, 60, 14}, "a Julian Day"}};
    QStringList faint;
    for (const auto& [window, box, text] : captions)
        if (const double contrast = CaptionContrast(Grab(*window), box); contrast < 3.0)
            faint << QStringLiteral("%1 %2: %3").arg(Named(window), text).arg(contrast, 0, 'f', 2);
    QVERIFY2(faint.isEmpty(), qPrintable(faint.join(", ")));
}

// What the screen shows of a window, from the backing store the windows paint into.
QImage OnScreen(QWidget& window) {
    QApplication::processEvents();
    return window.screen()
        ->grabWindow(window.winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// A window repainted in parts at night (a tick, another day, a field typed in, a list
// scrolled) shows on the screen, pixel for pixel, the window turned red whole: nothing turned
// twice, nothing left in day colours, a dark field on the frame as dark as before.
void TNightVisionTest::ScreenShowsTheWholeLookThroughRepaints() {
    TMainHarness h(At(2026, 3, 3, 21));
    TWindowSet& w = *h.Windows;
    OpenEveryWindow(w);
    QVERIFY(SetNightVision(*h.State, w.Store(), true));
    const auto wheel = [&w] {
        const QPoint over = TFeaturesDB::Well.center();
        QWheelEvent notch(over, w.FeaturesDB().mapToGlobal(over), {}, {0, -120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&w.FeaturesDB(), &notch);
    };
    const std::tuple<const char*, QWidget*, std::function<void()>> steps[] = {
        {"tick", &w.Main(), [&] { h.Now = h.Now.addSecs(1), w.Main().Tick(); }},
        {"another day", &w.Main(), [&] { TMainHarness::Click(h.DayCell(17)); }},
        {"a field typed in", &w.Configuration(),
         [&] { QTest::keyClicks(Control<QLineEdit>(w.Configuration(), "txtLatDeg"), "4"); }},
        {"a list scrolled", &w.FeaturesDB(), wheel}};
    for (const auto& [what, window, step] : steps) {
        (void)OnScreen(*window);
        step();
        const QImage shown = OnScreen(*window);
        QVERIFY2(shown == Grab(*window), what);
        QVERIFY2(MostGreenOrBlue(shown) <= Tolerance, what);
    }
    // By day again, the screen has the day look everywhere.
    QVERIFY(SetNightVision(*h.State, w.Store(), false));
    QVERIFY(OnScreen(w.Main()) == Grab(w.Main()));
    QVERIFY(MostGreenOrBlue(OnScreen(w.Main())) > 100);
}

// The light scroll bars by the lists, in a panel or on the frame, come out dark at night as
// the frame does, not as bright red blocks beside the list.
void TNightVisionTest::LightScrollBarsDarkAtNight() {
    TMainHarness h(At(2026, 3, 3, 21));
    TWindowSet& w = *h.Windows;
    OpenEveryWindow(w);
    QVERIFY(SetNightVision(*h.State, w.Store(), true));
    const std::tuple<QWidget*, QRect> bars[] = {{&w.EclipseReport(), {353, 73, 16, 191}},
                                                {&w.FeaturesDB(), {605, 62, 16, 335}},
                                                {&w.Features(), {604, 60, 16, 399}}};
    for (const auto& [window, box] : bars) {
        const double red = MeanRed(Grab(*window).copy(box));
        QVERIFY2(red < 40, qPrintable(QStringLiteral("%1 %2").arg(Named(window)).arg(red)));
    }
}

QTEST_MAIN(TNightVisionTest)
#include "night_vision_test.moc"
