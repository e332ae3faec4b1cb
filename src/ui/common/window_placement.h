// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the windows open. Every rule works on rectangles (the owner's frame, the window's
// size, the screen's available area), so it holds on any screen, at any scale:
//
//   const QRect area = AvailableAreaAt(wanted, &main);
//   window.move(PlaceClearOfTitle(wanted, window.size(), main.frameGeometry(), area));

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// A window opened over another starts this far below the other's top, so the other's
// title bar and the buttons on it stay in view.
inline constexpr int CascadeDrop = 40;

// The top-left corner that puts a window of this size inside the area, moved as little as
// possible; a window larger than the area keeps its top-left corner (its title) inside.
[[nodiscard]] QPoint ClampedInto(QPoint wanted, QSize size, const QRect& area);

// The window's own place (wanted), kept inside the area and off the owner's title bar:
// a window that would cover the owner's title drops to CascadeDrop below the owner's top;
// when the area has no room for that, it goes beside the owner, right or left, where it
// fits; on a screen too small for either it stays inside the area.
[[nodiscard]] QPoint PlaceClearOfTitle(QPoint wanted, QSize size, const QRect& owner,
                                       const QRect& area);

// Two windows side by side, the first on the left, each at its wanted top: the pair is
// moved as a whole into the area; a pair wider than the area puts the first at the area's
// left edge and the second against its right edge.
struct TPairPlaces {
    QPoint First;
    QPoint Second;
};
[[nodiscard]] TPairPlaces SideBySide(const QRect& first, const QRect& second, const QRect& area);

// Moves two open windows side by side, the pair centred under the owner, each at its own
// top, kept inside the available area as SideBySide does.
void PlacePairUnder(QWidget& first, QWidget& second, const QWidget& owner);

// Whether the compositor places the windows (Wayland): a client knows no global positions
// there, so a window is placed relative to its owner and the compositor keeps it on the screen.
[[nodiscard]] bool CompositorPlacesWindows();

// The available area (the screen less its panels) of the screen holding the point; when no
// screen holds it, that of the widget's screen, else of the primary screen.
[[nodiscard]] QRect AvailableAreaAt(QPoint point, const QWidget* fallback);
