#pragma once

// A main window over a fresh settings database in a temporary folder, following a clock
// the test sets. Never the user's own store, never the system clock.

#include <functional>
#include <memory>
#include <string>

#include <QDateTime>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "ui/main/tmain.h"

struct TMainHarness {
    QTemporaryDir Folder;
    QDateTime Now;
    std::unique_ptr<TMain> Main;

    // seed: writes into the fresh settings database before the window reads it.
    explicit TMainHarness(const QDateTime& now,
                          const std::function<void(const std::string&)>& seed = {})
        : Now(now) {
        if (seed) seed(Folder.filePath("settings.db").toStdString());
        TMainSetup setup;
        setup.SettingsPath = Folder.filePath("settings.db");
        setup.Clock = [this] { return Now; };
        setup.ShowWarnings = false;
        Main = std::make_unique<TMain>(setup);
    }

    [[nodiscard]] QLabel* Label(const QString& name) const { return Main->Control(name); }

    // The cell that shows a day of the month shown.
    [[nodiscard]] QLabel* DayCell(int day) const {
        for (QLabel* cell : Main->DateLabels)
            if (cell->text() == QString::number(day)) return cell;
        return nullptr;
    }

    void Click(QWidget* w, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(w, button, Qt::NoModifier, QPoint(w->width() / 2, w->height() / 2));
    }
};

inline QDateTime At(int y, int mo, int d, int h = 12, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}
