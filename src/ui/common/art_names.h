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
