#include "ui/reports/calendar_export.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

#include "engine/calendar_events.h"
#include "ui/common/messages.h"
#include "ui/common/program_state.h"

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
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(text.data(), static_cast<qint64>(text.size())) ==
            static_cast<qint64>(text.size()) &&
        file.commit())
        return true;
    ShowMessage(owner, QStringLiteral("The calendar could not be written to %1:\n%2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()));
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
