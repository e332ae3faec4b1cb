// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's own command-line options, answered without a display:
//
//   tidewell --help     what the options are
//   tidewell --version  the version and the licence
//   tidewell --paths    where the files supplied with the program were found
// and a refusal of any word that neither the program nor Qt takes (program_options.h).

#include <QList>
#include <QString>

class QTextStream;

// A file or folder the program reads, and where it was found (empty when nowhere).
struct TProgramPath {
    QString What;
    QString Path;
    bool Supplied = true; // false: made by the program when missing (the settings)
    QString Problem;      // what is wrong with what was found ("missing Craters.dat"), if any
};

// The feature data folder, the help page, the window icon and the settings database, as the
// running program finds them (QCoreApplication must exist).
[[nodiscard]] QList<TProgramPath> ProgramPaths();

// Whether the words ask for one of the options above, or are refused, rather than the windows.
[[nodiscard]] bool IsCommandLineRequest(const QStringList& words);

// Answers the request: prints to out, gives the exit status (0; 1 when a supplied file was
// not found, with the places looked in printed to err; 2 for a refused word, said on err).
[[nodiscard]] int RunCommandLine(const QStringList& words, QTextStream& out, QTextStream& err);
