// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The page header and footer every printed report shares: a frame, the month's title and
// the observer's place above, "Printed by Tidewell V2.62" below. The header sets the header
// and footer heights (Hh, Fh) that the report lays its own rows between.
//
//   DrawPageHeader(painter, page, state.Settings(), 3, 2026);
//   ... rows from page.Hh down to page.PH - page.Fh ...
//   DrawPageFooter(painter, page);

#include <QFont>
#include <QString>

#include "ui/common/printing.h"

class QPainter;
struct TSettings;

// "Printed by Tidewell V2.62", then the home page's address in parentheses when there is one.
[[nodiscard]] QString PageFooterText();

// The location line: Location, then latitude and longitude in degrees, minutes and seconds,
// trimmed. Never cut: the hemispheres and the whole longitude are always on it. With a named
// zone the location carries the zone's abbreviations over the page's local days,
// fromLocalJD .. toLocalJD: "New York (EST/EDT)".
[[nodiscard]] QString LocationLine(const TSettings& settings, double fromLocalJD, double toLocalJD);

// The frame's width: the page's width rounded down to whole columns of a week. Whatever a
// report draws stays within 0 .. FrameWidth(page).
[[nodiscard]] int FrameWidth(const TPageMetrics& page);

// Frame, title and location line for the local days fromLocalJD .. toLocalJD; sets page.Hh
// and page.Fh. The location line keeps to the middle of the page (clear of a legend in a top
// corner): a long one is set smaller.
void DrawTitledPageHeader(QPainter& painter, TPageMetrics& page, const TSettings& settings,
                          const QString& title, double fromLocalJD, double toLocalJD);

// The same with the month's full name and the year as the title.
void DrawPageHeader(QPainter& painter, TPageMetrics& page, const TSettings& settings, int month,
                    int year);

// The footer text, centred at the bottom of the page.
void DrawPageFooter(QPainter& painter, const TPageMetrics& page);

// The printed pages' fonts: a face at a point size, which the printer's resolution turns
// into device pixels.
[[nodiscard]] QFont PageFont(const QString& family, int points, bool bold = false,
                             bool italic = false);
