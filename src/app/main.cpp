// SPDX-License-Identifier: GPL-3.0-or-later
// tidewell: the desktop program.

#include <QApplication>
#include <QLocale>
#include <QStringList>
#include <QTextStream>

#include "engine/regional_names.h"
#include "engine/whole_file.h"
#include "settings/settings_store.h"
#include "ui/common/fonts.h"
#include "app/program_paths.h"
#include "app/quit_after_paint.h"
#include "app/running_copy.h"
#include "app/window_set.h"

namespace {

// Month and weekday names of the user's locale for the engine's texts.
TRegionalNames LocaleNames(const QLocale& locale) {
    TRegionalNames names = EnglishNames();
    for (int m = 1; m <= 12; ++m) {
        const auto i = static_cast<size_t>(m - 1);
        names.LongMonthNames[i] = locale.monthName(m, QLocale::LongFormat).toStdString();
        names.ShortMonthNames[i] = locale.monthName(m, QLocale::ShortFormat).toStdString();
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d; // Qt counts Monday 1 .. Sunday 7
        const auto i = static_cast<size_t>(d);
        names.LongDayNames[i] = locale.dayName(qtDay, QLocale::LongFormat).toStdString();
        names.ShortDayNames[i] = locale.dayName(qtDay, QLocale::ShortFormat).toStdString();
    }
    return names;
}

} // namespace

int main(int argc, char* argv[]) {
    IgnoreFileSizeSignal();
    // The program's own options, and words it refuses, are answered without a display.
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    if (IsCommandLineRequest(words)) {
        QCoreApplication core(argc, argv);
        QTextStream out(stdout), err(stderr);
        return RunCommandLine(words, out, err);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Tidewell");
#ifdef TIDEWELL_APP_ID
    QGuiApplication::setDesktopFileName(QStringLiteral(TIDEWELL_APP_ID));
#endif
    SetRegionalNames(LocaleNames(QLocale::system()));
    InstallFontSubstitutions();
    // A copy already running on these settings comes to the front instead of a second one.
    TRunningCopy copy(QString::fromStdString(TSettingsStore::DefaultPath()));
    if (copy.Claim() == TRunningCopy::TClaim::HandedOver) return 0;
    TWindowSet windows;
    QObject::connect(&copy, &TRunningCopy::FrontRequested, &windows.Main(),
                     [&windows](const QString& token) { windows.BringToFront(token); });
    windows.Show();
    QuitAfterFirstPaintWhenAsked(windows.Main());
    return QApplication::exec();
}
