// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TEclipse: the eclipse of the month the main window shows: its type and visibility, the
// local times of the contacts placed about the maximum, the magnitude, the Moon's and the
// Sun's rising and setting on the day of greatest eclipse, and a picture of the Moon in the
// Earth's shadow. It follows the program state's eclipses of the month: refreshed whenever
// they change, hidden whenever the month has none; of two, the selected day's is shown.
//
//   TEclipse screen(state, &main);
//   screen.Open();                 // false (and nothing shown) in a month without an eclipse

#include <vector>

#include <QImage>
#include <QString>

#include "ui/common/borderless_window.h"
#include "ui/common/program_state.h"

class QLabel;

// One caption and its value on the screen's canvas, the caption's top at Y.
struct TEclipseRow {
    QString Label;
    QString Value;
    int Y = 0;
};

class TEclipse : public TBorderlessWindow {
    Q_OBJECT
  public:
    // Where the maximum's row sits; the contacts are placed a text height apart about it.
    static constexpr int MaximumY = 142;
    static constexpr int LabelX = 33;
    static constexpr int ValueX = 185;
    static constexpr int RiseSetValueX = 184;
    static inline const QRect DrawingArea{250, 72, 349, 243};

    TEclipse(TProgramState& state, QWidget* main = nullptr);

    // Shown centred horizontally on the main window, 40 pixels below its top; false when
    // the month has no eclipse.
    bool Open();
    // Takes the state's eclipse again: the Moon's positions at the contacts, the rows and
    // the drawing.
    void Refresh();

    [[nodiscard]] const EclipseCircumstances& Eclipse() const { return Shown; }
    [[nodiscard]] const std::vector<TEclipseRow>& Rows() const { return RowsNow; }
    [[nodiscard]] const QString& TypeText() const { return TypeCaption; }
    [[nodiscard]] const QString& DateText() const { return DateCaption; }
    // "HH:MM  DD Month YYYY" of greatest eclipse: what a double click on the date selects.
    [[nodiscard]] const QString& MaximumText() const { return MaximumCaption; }
    // The height of a text line of the canvas font: the rows' spacing.
    [[nodiscard]] int LineHeight() const;

  protected:
    void PaintOver(QPainter& painter) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildRows();
    void SelectEclipse();
    [[nodiscard]] QFont CanvasFont() const;

    TProgramState& State;
    QWidget* MainWindow;
    EclipseCircumstances Shown;
    std::vector<TEclipseRow> RowsNow;
    QString TypeCaption;
    QString DateCaption;
    QString MaximumCaption;
    QImage EclipseImage;
    QLabel* EclipseDateLabel = nullptr;
    QLabel* EclipseTypeLabel = nullptr;
};
