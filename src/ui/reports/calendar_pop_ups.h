// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The three small pop-ups of calendar facts, each centred on the main window and closed as
// soon as the user clicks elsewhere:
//
//   TEquinox   the equinoxes and solstices of a year named by the observer's seasons, with
//              the length of each season
//   TEaster    Easter Sunday of the selected year
//   TDateInfo  a date's Julian Day, day number, ISO week and the days till Christmas
//
//   equinox.EquinoxesAndSolstices(2026);
//   easter.Open();
//   dateInfo.ShowDateInfo(MakeDate(2000, 1, 1));

#include <array>

#include <QStringList>

#include "engine/date_time.h"
#include "ui/common/borderless_window.h"
#include "ui/common/program_state.h"

class QLabel;

// A pop-up centred on the main window.
class TCalendarPopUp : public TBorderlessWindow {
    Q_OBJECT
  public:
    explicit TCalendarPopUp(QWidget* main);

  protected:
    // A label of the window: its top-left corner, font size in pixels and colour.
    QLabel* AddText(const QString& name, QPoint at, int pixels, const QColor& colour,
                    const QString& text = {});
    void ShowCentred();

  private:
    QWidget* MainWindow;
};

class TEquinox : public TCalendarPopUp {
    Q_OBJECT
  public:
    TEquinox(const TProgramState& state, QWidget* main = nullptr);
    // Fills the rows for the year and shows the window. While it is open, another
    // observer (hemisphere, zone, daylight saving) fills them again for the same year.
    void EquinoxesAndSolstices(int year);
    // Spring, Summer, Autumn, Winter: the event's time and date, and the season's length.
    [[nodiscard]] QString EventText(int row) const;
    [[nodiscard]] QString LengthText(int row) const;

  private:
    void ShowSeasons();

    const TProgramState& State;
    int Year = 0;
    std::array<QLabel*, 4> Events{};
    std::array<QLabel*, 4> Lengths{};
};

class TEaster : public TCalendarPopUp {
    Q_OBJECT
  public:
    TEaster(const TProgramState& state, QWidget* main = nullptr);
    // Easter Sunday of the selected year, shown.
    void Open();
    [[nodiscard]] QString DateText() const;

  private:
    const TProgramState& State;
    QLabel* EasterDateLabel = nullptr;
};

class TDateInfo : public TCalendarPopUp {
    Q_OBJECT
  public:
    explicit TDateInfo(QWidget* main = nullptr);
    // Only the day, month and year of the date are used.
    void ShowDateInfo(const TDateRec& date);
    // The date written out, then the Julian Day, day number, week and days till Christmas.
    [[nodiscard]] QStringList Texts() const;

  private:
    QLabel* SelectedDateLabel = nullptr;
    std::array<QLabel*, 4> Values{};
};
