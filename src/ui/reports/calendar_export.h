// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The report menu's "Export to calendar": the selected year's phases, apsides, eclipses and
// seasons at the observer's place written as an iCalendar (.ics) file the user names in a
// save dialog (suggested: "Tidewell YEAR.ics" in the home folder). A message over the owner
// says where the file was written, or why it could not be.
//
//   ExportCalendar(mainWindow, state);

#include <functional>

#include <QString>

class QWidget;
class TProgramState;

// The suggested file: "Tidewell YEAR.ics" in the home folder.
[[nodiscard]] QString SuggestedCalendarFile(int year);

// Asks for the file (without blocking: the dialog reports back when the user has chosen) and
// writes the calendar of the year selected now. Returns at once.
void ExportCalendar(QWidget* owner, const TProgramState& state);

// Writes the calendar text to path whole and says where; false (and a message over owner)
// when it cannot, a file of that name left as it was.
bool WriteCalendarFile(QWidget* owner, const QString& path, const std::string& text);

// Replaces the save dialog (tests): it gets the owner and the suggested path and gives the
// chosen path, empty for "cancelled". An empty function restores the dialog.
using TCalendarFileChooser = std::function<QString(QWidget* owner, const QString& suggested)>;
void SetCalendarFileChooser(TCalendarFileChooser chooser);
