// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/calendar_export.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "engine/calendar_events.h"
#include "ui/common/messages.h"
#include "ui/common/program_state.h"
#include "ui/common/whole_file_qt.h"

namespace {

TCalendarFileChooser& Chooser() {
    static TCalendarFileChooser chooser;
    return chooser;
}

} // namespace

QString SuggestedCalendarFile(int year) {
    return QDir::home().filePath(QStringLiteral("Tidewell %1.ics").arg(year));
}

void SetCalendarFileChooser(TCalendarFileChooser chooser) {
    Chooser() = std::move(chooser);
}

bool WriteCalendarFile(QWidget* owner, const QString& path, const std::string& text) {
    // Written whole or not at all: an existing file is replaced only by a complete one.
    QString error;
    if (SaveWholeFile(path, QByteArray::fromStdString(text), error)) {
        ShowMessage(owner,
                    QStringLiteral("The calendar was written to %1.")
                        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())),
                    QMessageBox::Information);
        return true;
    }
    ShowMessage(owner, QStringLiteral("The calendar could not be written to %1:\n%2")
                           .arg(QDir::toNativeSeparators(path), error));
    return false;
}

void ExportCalendar(QWidget* owner, const TProgramState& state) {
    const int year = state.SelectedDate().Year;
    // The year, place and moment of the choice, whatever changes while the dialog is open.
    auto write = [owner, year, observer = state.Observer(),
                  stamp = state.UniversalNow()](const QString& path) {
        if (path.isEmpty()) return;
        (void)WriteCalendarFile(owner, path,
                                AlmanacCalendar(year, year, observer, CalendarAllKinds, stamp));
    };
    const QString suggested = SuggestedCalendarFile(year);
    if (Chooser()) {
        write(Chooser()(owner, suggested));
        return;
    }
    // Opened, not executed: no nested event loop runs while the user chooses. The desktop's
    // dialog asks before it overwrites a file.
    auto* dialog = new QFileDialog(owner, QStringLiteral("Export to calendar"), suggested,
                                   QStringLiteral("iCalendar files (*.ics)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("ics"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog, write);
    dialog->open();
}
