// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Files supplied with the program, and handing addresses to the desktop.
//
//   const QString help = ProgramFile("docs/tidewell.htm");
//   OpenOnDesktop(this, QUrl::fromLocalFile(help));   // a message when it cannot be opened

#include <functional>

#include <QString>
#include <QUrl>

class QWidget;

// A file supplied with the program, looked up as the feature data are (RuntimeSearchFolders:
// beside the executable, the build folder and the source tree when run from a build, the
// share/tidewell folder beside an installed bin/, the configured installed folder; never the
// working folder). Empty when it is nowhere.
[[nodiscard]] QString ProgramFile(const QString& relative);

// The help page, at an optional section ("about"); when the page is missing, its path in
// the installed data folder (which OpenOnDesktop then reports).
[[nodiscard]] QUrl HelpPageUrl(const QString& section = QString());

// Opens the address with the desktop's handler; when that fails (or the address is empty
// or names a missing file) the user is told in a message over owner, naming the address.
bool OpenOnDesktop(QWidget* owner, const QUrl& url, const QString& what);

// Replaces the desktop's handler (tests); an empty function restores it.
using TDesktopOpener = std::function<bool(const QUrl&)>;
void SetDesktopOpener(TDesktopOpener opener);
