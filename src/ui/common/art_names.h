// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// File names of the program's pictures (load them with LoadArt, artwork.h). Sizes in
// pixels; PNGs carry transparency and are laid over the window's background.

#include <QString>

// The main window, 640 × 480: title bar with the button glyphs (the optics and eclipse
// buttons excepted: they are pictures of their own), the panel frames and the calendar.
inline const QString ArtMainBackground = QStringLiteral("main-background.jpg");
inline const QString ArtDayHighlight = QStringLiteral("day-highlight.png");   // 25 × 23
inline const QString ArtYearEditBox = QStringLiteral("year-edit-box.jpg");    // 60 × 29
inline const QString ArtMoonParams = QStringLiteral("moon-params.jpg");       // 86 × 67
inline const QString ArtSunParams = QStringLiteral("sun-params.jpg");         // 84 × 67
inline const QString ArtClockStrip = QStringLiteral("clock-strip.jpg");       // 640 × 24
inline const QString ArtTimeEditor = QStringLiteral("time-editor.jpg");       // 228 × 30
inline const QString ArtEclipseButton = QStringLiteral("eclipse-button.png"); // 29 × 25

// The optics button, 33 × 24.
inline const QString ArtOpticsBinoculars = QStringLiteral("optics-binoculars.png");
inline const QString ArtOpticsTelescope = QStringLiteral("optics-telescope.png");
inline const QString ArtOpticsDiagonal = QStringLiteral("optics-diagonal.png");

// The month's phase pictures, 30 × 30, for an observer in the northern hemisphere.
inline const QString ArtPhaseNew = QStringLiteral("phase-new.png");
inline const QString ArtPhaseFirstQuarter = QStringLiteral("phase-first-quarter.png");
inline const QString ArtPhaseFull = QStringLiteral("phase-full.png");
inline const QString ArtPhaseLastQuarter = QStringLiteral("phase-last-quarter.png");
inline const QString ArtPhaseBlueMoon = QStringLiteral("phase-blue-moon.png");

// The Moon photograph, 156 × 156, north up as seen with the naked eye.
inline const QString ArtFullMoon = QStringLiteral("full-moon-156.jpg");

// The month times list, 640 × 481: title bar with the print, scroll, minimise and close
// glyphs, the column headings over x 20..620, the frame round the table area (20, 80)–(620, 460).
inline const QString ArtTimesListBackground = QStringLiteral("times-list-background.jpg");

// The print options, 220 × 260: heading, the captions of the four check boxes and of the
// density field, the OK button at (62, 210, 99 × 29).
inline const QString ArtPrintOptionsBackground = QStringLiteral("print-options-background.jpg");

// The eclipse screen, 620 × 335: header (0..72) with the title, minimise and close glyphs;
// the text panel (19..230, 72..231) and the rise/set panel (19..230, 251..315) on dark, the
// strip (19, 231, 211 × 20) between them, the divider at x 230..251, the drawing at
// (250, 72, 349 × 243).
inline const QString ArtEclipseBackground = QStringLiteral("eclipse-background.jpg");
// The eclipse report, 390 × 285: header (0..72) with the title, the close glyph, the
// "Calculate" button at (288, 42, 83 × 21) and the year boxes' wells at (52, 44) and
// (110, 44), 31 × 18; the list's dark panel (20, 73)–(370, 265).
inline const QString ArtEclipseReportBackground = QStringLiteral("eclipse-report-background.jpg");
// The equinoxes and solstices, 350 × 155: header to y 56, the dark panel for four rows at
// y 66..130.
inline const QString ArtEquinoxBackground = QStringLiteral("equinox-background.jpg");
// Easter, 200 × 104: title strip (30, 14, 139 × 17), close glyph at (175, 14), the date's
// dark panel at (16, 56)–(184, 90).
inline const QString ArtEasterBackground = QStringLiteral("easter-background.jpg");
// The date information, 250 × 165: header to y 62 (the date in navy at y 42), the dark
// panel for four rows at y 76..140.
inline const QString ArtDateInfoBackground = QStringLiteral("date-info-background.jpg");
// The report menu, 265 × 200: ten entries of 20 pixels with their texts from x 26.
inline const QString ArtReportMenu = QStringLiteral("report-menu.jpg");
inline const QString ArtMenuArrow = QStringLiteral("menu-arrow.png"); // 15 × 20
// The month picker's ground, 100 × 348: twelve rows of 29 pixels (names drawn over it).
inline const QString ArtMonthList = QStringLiteral("month-list.jpg");
inline const QString ArtMonthArrow = QStringLiteral("month-arrow.png"); // 12 × 29

// The daily view, 640 × 423: printer glyph at (20, 12), minimise (592, 14), close (614, 14);
// the graph's black well (20, 60, 599 × 175), the headings' strip (20, 244, 599 × 24), the
// table's well (20, 274, 599 × 125).
inline const QString ArtDailyViewBackground = QStringLiteral("daily-view-background.jpg");
// The observing aid, 540 × 480: printer glyph at (20, 14), minimise (492, 14), close (514, 14);
// black from (20, 60) to (520, 460). Its two toggles, 28 × 25 (with their engraved edge):
inline const QString ArtObservingAidBackground = QStringLiteral("observing-aid-background.jpg");
inline const QString ArtAidDay = QStringLiteral("aid-day.png");
inline const QString ArtAidNight = QStringLiteral("aid-night.png");
inline const QString ArtAidGrid = QStringLiteral("aid-grid.png");
inline const QString ArtAidLines = QStringLiteral("aid-lines.png");
// The monthly phases picture, 490 × 480: save disk at (20, 14), close (464, 14); the picture's
// black well (18, 55)–(474, 464).
inline const QString ArtMonthlyPhasesBackground = QStringLiteral("monthly-phases-background.jpg");
// The full Moon, 50 × 49, north up as seen from the northern hemisphere.
inline const QString ArtFullMoonSmall = QStringLiteral("full-moon-50x49.jpg");
