// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TEclipseReport: the lunar eclipses of a span of years, one striped row each with its type,
// the local time and date of greatest eclipse and its visibility from the observer's place.
// A double click on a row selects that eclipse's moment in the program state and asks for
// the eclipse screen (EclipseChosen), which the window set opens beside the report; so do
// Return or Space on the row the Up and Down keys mark.
//
//   TEclipseReport report(state, &main);
//   report.Open();
//   report.SetYears("1900", "2100"); report.CalculateClick();

#include <vector>

#include <QImage>
#include <QLineEdit>

#include "engine/lunar_eclipse.h"
#include "ui/common/accessibility.h"
#include "ui/common/borderless_window.h"
#include "ui/common/program_state.h"
#include "ui/common/wheel_rows.h"

class QScrollBar;

// One row of the list.
struct TEclipseListEntry {
    TEclipseType Type = TEclipseType::None;
    QString Text; // "HH:MM  DD Month YYYY" of greatest eclipse
    QString Visibility;
    TDateRec Date; // local date and time of greatest eclipse
};

// A year box: four characters, the digits only, edited with the usual keys.
class TYearBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit TYearBox(QWidget* parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class TEclipseReport : public TBorderlessWindow, public TShownTexts {
    Q_OBJECT
  public:
    static constexpr int RowHeight = 16;
    static constexpr int MaxRows = 12;
    static constexpr int ListLeft = 20;
    static constexpr int ListTop = 73;
    static constexpr int ListWidth = 332;

    TEclipseReport(TProgramState& state, QWidget* main = nullptr);

    // Shown beside the main window's report button, both years set to this year, the list
    // empty.
    void Open();
    void SetYears(const QString& from, const QString& to);
    // Checks the years (1..9999, From not after To) and searches; a fault is told in a
    // message and leaves the list as it was.
    void CalculateClick();
    // Selects the entry's moment in the program state and emits EclipseChosen.
    void ChooseEntry(int index);

    [[nodiscard]] const std::vector<TEclipseListEntry>& Entries() const { return List; }
    [[nodiscard]] int VisibleRows() const;
    // The entry under a point of the window, or -1.
    [[nodiscard]] int EntryAt(QPoint pos) const;
    // Every entry, scrolled out of view or not, chosen as by a double click.
    [[nodiscard]] QList<TShownText> ShownTexts() override;

  signals:
    // An entry was chosen and its moment selected: the eclipse screen is wanted beside the
    // report.
    void EclipseChosen();

  protected:
    void PaintOver(QPainter& painter) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void Search(int from, int to, int firstRow);
    void DisplayDataBitmap();
    [[nodiscard]] QRect ListArea() const;
    void MarkRow(int index); // the keyboard's row

    TProgramState& State;
    QWidget* MainWindow;
    std::vector<TEclipseListEntry> List;
    bool Searched = false;
    int SearchedFrom = 0;
    int SearchedTo = 0;
    TWheelNotches Wheel;
    QImage ListImage;
    TYearBox* FromYearField = nullptr;
    TYearBox* ToYearField = nullptr;
    QScrollBar* RowScroll = nullptr;
    int MarkedRow = -1; // the row Return chooses, -1 for none
};
