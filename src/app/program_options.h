// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the words on tidewell's command line ask for. Besides its own options the program
// takes Qt's options for its windows (-platform wayland, -style Fusion, ...), which
// QApplication reads and removes; any other word is refused before a window opens.

#include <QString>
#include <QStringList>

enum class TProgramRequest {
    Windows, // no option of the program's own: open the main window
    Help,    // --help, -h
    Version, // --version
    Paths,   // --paths
    Refused, // a word neither the program nor Qt takes
};

struct TProgramOptions {
    TProgramRequest Request = TProgramRequest::Windows;
    QString Refusal; // why, when refused
};

// The words are the arguments after the program's name. --help wins over --version, which
// wins over --paths; a refused word wins over all of them.
[[nodiscard]] TProgramOptions ReadProgramOptions(const QStringList& words);
