// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program's own widgets tell assistive technology (screen readers, through AT-SPI
// on Linux). Qt describes its standard controls itself; these cover the rest:
//
// - a TClickLabel that answers a click (a window's button, a day of the calendar) is a push
//   button named by its hint, or by its caption when it shows one, with a press action that
//   clicks it; any other TClickLabel is a static text with its caption;
// - a widget that paints texts instead of showing them in labels (the clock strip, the
//   panels of values, the report tables) derives from TShownTexts as well and lists them:
//   each becomes a static text, a child of the widget, at the place it is painted.
//
// A text can also stand for an entry of a list that is chosen by a click or a double click, or
// for a button painted on the background: its press action then chooses or presses it.
//
//   class TClockStrip : public TWindowPart, public TShownTexts {
//       QList<TShownText> ShownTexts() override {
//           return {{StripArea, StripText, "Displayed moment and phase"}};
//       }
//   };

#include <functional>
#include <utility>

#include <QList>
#include <QRect>
#include <QString>

// One painted text: where it is (in the widget's coordinates), what it says, what it is when
// the text alone does not say it, and what choosing it does (none for a plain text).
struct TShownText {
    TShownText() = default;
    TShownText(QRect area, QString text, QString caption = {}, std::function<void()> choose = {},
               bool button = false)
        : Area(area), Text(std::move(text)), Caption(std::move(caption)), Choose(std::move(choose)),
          Button(button) {}

    QRect Area;
    QString Text;
    QString Caption;
    std::function<void()> Choose;
    bool Button = false; // a painted button rather than an entry of a list
};

class TShownTexts {
  public:
    virtual ~TShownTexts() = default;
    // The texts as painted now, in reading order.
    [[nodiscard]] virtual QList<TShownText> ShownTexts() = 0;
};

// Makes Qt ask this program for the descriptions above. Called by every TBorderlessWindow;
// safe to call again.
void InstallAccessibility();
