// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A window set (store, program state, main window) over a fresh settings database in a
// temporary folder, following a clock the test sets; messages are collected, not shown.
// Never the user's own store, never the system clock.

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include <QDateTime>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "app/window_set.h"
#include "settings/load_settings.h"
#include "settings/settings_store.h"
#include "ui/common/messages.h"
#include "ui/main/calendar_panel.h"
#include "ui/main/clock_strip.h"
#include "ui/main/moon_data_panel.h"
#include "ui/main/moon_panel.h"
#include "ui/main/phase_list_panel.h"
#include "ui/main/tmain.h"
#include "window_input.h"

using TSeed = std::function<void(const std::string&)>;

// Writes stored values into a fresh settings database (created with its defaults first).
inline TSeed Seed(std::initializer_list<std::pair<const char*, const char*>> values) {
    const std::vector<std::pair<const char*, const char*>> list(values);
    return [list](const std::string& path) {
        TSettingsStore store(path);
        TSettings settings;
        (void)LoadSettings(store, settings, [](const std::string&) {});
        const auto key = store.OpenKey(SettingsKeyPath, false);
        QVERIFY(key.has_value());
        for (const auto& [name, value] : list)
            QVERIFY(store.WriteText(*key, name, value));
    };
}

struct TMainHarness {
    QTemporaryDir Folder;
    QDateTime Now;
    TMessageCapture Messages;
    std::unique_ptr<TWindowSet> Windows;
    TMain* Main = nullptr;
    TProgramState* State = nullptr;

    // seed: writes into the fresh settings database before the window set reads it.
    explicit TMainHarness(const QDateTime& now, const TSeed& seed = {},
                          TSystemClock* systemClock = nullptr)
        : Now(now) {
        if (seed) seed(Folder.filePath("settings.db").toStdString());
        Windows = std::make_unique<TWindowSet>(
            TWindowSetup{Folder.filePath("settings.db"), [this] { return Now; }, systemClock});
        Main = &Windows->Main();
        State = &Windows->State();
    }

    // A control of the main window itself (the other windows are its children too).
    [[nodiscard]] QLabel* Label(const QString& name) const { return Control<QLabel>(*Main, name); }
    // The cell that shows a day of the month shown.
    [[nodiscard]] QLabel* DayCell(int day) const { return Main->Calendar().DayCell(day); }
    [[nodiscard]] const TDateRec& Selected() const { return State->SelectedDate(); }
    [[nodiscard]] const QString& StripText() const { return Main->Strip().Text(); }

    // The settings changed as the configuration window would change them.
    void ChangeSettings(const std::function<void(TSettings&)>& edit) {
        TSettings settings = State->Settings();
        edit(settings);
        State->ApplySettings(settings);
    }

    void Show() {
        Main->show();
        QVERIFY(QTest::qWaitForWindowExposed(Main));
    }

    // Whether the displayed moment follows the clock: a second later on the clock shows
    // within the display's second (the clock is moved on by that second either way).
    [[nodiscard]] bool DisplayRuns() {
        const QString before = StripText();
        Now = Now.addSecs(1);
        return QTest::qWaitFor([&] { return StripText() != before; }, 1500);
    }

    static void Click(QWidget* w, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(w, button, Qt::NoModifier, QPoint(w->width() / 2, w->height() / 2));
    }
};

inline QDateTime At(int y, int mo, int d, int h = 12, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}
