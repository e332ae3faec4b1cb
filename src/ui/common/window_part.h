// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A part of a window (a calendar, a panel of values, a strip): a transparent layer over the
// whole window that owns only its own areas. Its controls and its painting use the window's
// pixel coordinates as they are; outside its areas it neither paints nor takes the mouse,
// so parts may interleave on the window's surface.
//
//   class TSunDataPanel : public TWindowPart {
//       TSunDataPanel(QWidget* window, TProgramState& state)
//           : TWindowPart(window, {QRect(28, 296, 120, 68), QRect(280, 384, 125, 74)}) {
//           Sunrise = AddLabel("lblSunRise", {94, 300, 48, 14}, font, PanelText);
//       }
//   };

#include <initializer_list>

#include <QColor>
#include <QFont>
#include <QRect>
#include <QRegion>
#include <QWidget>

#include "ui/common/click_label.h"

class TWindowPart : public QWidget {
    Q_OBJECT
  public:
    TWindowPart(QWidget* window, std::initializer_list<QRect> areas);

    // The part's areas in the window's coordinates.
    [[nodiscard]] const QRegion& Areas() const { return AreasRegion; }

  protected:
    // A label (transparent, clickable) at a place of the window.
    TClickLabel* AddLabel(const QString& name, const QRect& area, const QFont& font,
                          const QColor& colour,
                          Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);

  private:
    QRegion AreasRegion;
};
