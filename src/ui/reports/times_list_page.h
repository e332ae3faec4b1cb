// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The month times list on a landscape page: the page header, a title band with the column
// headings, one shaded row a day with the local sidereal time at midnight, the footer.

#include <string>

#include <QColor>

#include "engine/date_time.h"
#include "engine/observer.h"
#include "settings/settings.h"
#include "ui/common/printing.h"

class QPainter;
class QWidget;

// The shading of the even rows for the printer: a black-and-white inkjet a light blue, a
// colour inkjet a paler blue, a laser printer light grey.
[[nodiscard]] QColor EvenRowShade(TPrinterType printerType);

// The whole page for date's month and year.
void DrawTimesPage(QPainter& painter, TPageMetrics& page, const TSettings& settings,
                   const TObserver& observer, const TDateRec& date);

// The page through the printing path, named "Tidewell times <Month> <Year>".
TPrintOutcome PrintTimesPage(QWidget* owner, const TSettings& settings, const TObserver& observer,
                             const TDateRec& date);
