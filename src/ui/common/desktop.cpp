// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/desktop.h"

#include <filesystem>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>

#include "features/data_folder.h"
#include "ui/common/messages.h"

namespace {

TDesktopOpener& Opener() {
    static TDesktopOpener opener;
    return opener;
}

} // namespace

QString ProgramFile(const QString& relative) {
    const std::filesystem::path exe = QCoreApplication::applicationDirPath().toStdString();
    for (const std::filesystem::path& folder : RuntimeSearchFolders(exe)) {
        const QFileInfo candidate(
            QString::fromStdString((folder / relative.toStdString()).string()));
        if (candidate.exists()) return candidate.canonicalFilePath();
    }
    return {};
}

QUrl HelpPageUrl(const QString& section) {
    const QString relative = QStringLiteral("docs/tidewell.htm");
    const QString page = ProgramFile(relative);
    // Not found: where an installed program keeps it, so that the message names that.
    const QString expected =
        QString::fromStdString((InstalledDataFolder() / relative.toStdString()).string());
    QUrl url = QUrl::fromLocalFile(page.isEmpty() ? expected : page);
    if (!section.isEmpty()) url.setFragment(section);
    return url;
}

bool OpenOnDesktop(QWidget* owner, const QUrl& url, const QString& what) {
    const bool missingFile = url.isLocalFile() && !QFileInfo::exists(url.toLocalFile());
    bool opened = false;
    if (url.isValid() && !url.isEmpty() && !missingFile)
        opened = Opener() ? Opener()(url) : QDesktopServices::openUrl(url);
    if (!opened) {
        const QString where = url.isEmpty()       ? QStringLiteral("(it was not found)")
                              : url.isLocalFile() ? url.toLocalFile()
                                                  : url.toString();
        ShowMessage(owner, QStringLiteral("Tidewell could not open %1:\n%2").arg(what, where));
    }
    return opened;
}

void SetDesktopOpener(TDesktopOpener opener) {
    Opener() = std::move(opener);
}
