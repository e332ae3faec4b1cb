// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The strip under the main window's title bar: the displayed moment and the phase name,
// centred over x 20..402, and the local sidereal time centred over x 420..620, in navy bold
// on the strip's picture. The time editor opens over it (lblClock).
//
//   strip->ShowMoment(time + " - " + phaseName, "LST: " + lst);   // once a tick

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

#include "ui/common/accessibility.h"
#include "ui/common/window_part.h"

class TProgramState;
class TSystemClock;
class TTimeEditor;

inline constexpr QPoint ClockStripTopLeft{0, 40};

// Arial bold round(scale × 11) points.
[[nodiscard]] QFont ClockStripFont(double fontScale);

// Draws the strip (background 640 × 24 and the two texts at y 4) with its top-left at `at`.
void PaintClockStrip(QPainter& painter, QPoint at, const QImage& background, const QFont& font,
                     const QString& text, const QString& siderealText);

// The right-hand text for a named zone: its caption before the sidereal time, the caption
// shortened in the middle so that both fit over the strip's right part ("New York (EDT)  LST:
// 17:19:34"). The sidereal time alone when the caption is empty (a fixed offset).
[[nodiscard]] QString ZoneAndSiderealText(const QFont& font, const QString& zoneCaption,
                                          const QString& siderealText);

// The strip as a 640 × 25 picture.
[[nodiscard]] QImage ComposeClockStrip(const QImage& background, const QFont& font,
                                       const QString& text, const QString& siderealText);

class TClockStrip : public TWindowPart, public TShownTexts {
    Q_OBJECT
  public:
    TClockStrip(QWidget* window, TProgramState& state, TSystemClock& systemClock,
                const QImage& background, double fontScale);

    void ShowMoment(const QString& text, const QString& siderealText);
    [[nodiscard]] const QString& Text() const { return StripText; }
    [[nodiscard]] TTimeEditor& Editor() const { return *TimeEditor; }
    [[nodiscard]] QList<TShownText> ShownTexts() override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage Background;
    QFont Font;
    QString StripText;
    QString SiderealText;
    TTimeEditor* TimeEditor = nullptr;
};
