// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TTerminatorView: tonight on the terminator. For the night of the selected date at the
// observer's place, the best moment to look (the Moon highest in a dark sky) and its span,
// and the features of the checked files where the Sun then stands 0-5 degrees high, the
// morning terminator's apart from the evening terminator's, freshest shadows first. Features
// below the chosen size are left out. Follows the selected date and the observer while shown.
//
//   TTerminatorView view(state, &main);
//   view.Open();   // computes under the busy cursor, then shows

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "engine/date_time.h"
#include "features/terminator_candidate.h"
#include "ui/common/borderless_window.h"
#include "ui/common/wheel_rows.h"

// From features/terminator.h.
struct TObservingNight;
struct TTerminatorList;
struct TTerminatorFeature;

class QCheckBox;
class QScrollBar;
class QSpinBox;
class TProgramState;

class TTerminatorView : public TBorderlessWindow {
    Q_OBJECT
  public:
    static constexpr int VisibleRows = 17;
    static constexpr QRect NightWell{20, 48, 680, 44};
    static constexpr QRect SunriseWell{20, 216, 322, 272};
    static constexpr QRect SunsetWell{370, 216, 322, 272};

    explicit TTerminatorView(const TProgramState& state, QWidget* main = nullptr);
    ~TTerminatorView() override;

    // Computes for the selected night and shows the window.
    void Open();

    [[nodiscard]] const TObservingNight& Night() const { return *Best; }
    [[nodiscard]] const TTerminatorList& List() const { return *Listed; }
    // The two lines of the night's well, as painted.
    [[nodiscard]] QString NightText() const;
    [[nodiscard]] QString SpanText() const;

  protected:
    void PaintOver(QPainter& painter) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void FindNight();       // the selected night's best moment (the date or place changed)
    void LoadChosenFiles(); // the ticked files' features, read again only when ticks change
    void Relist(); // the list from the night and the files, after either or the size changed
    void PaintSide(QPainter& painter, const QRect& well, const QScrollBar& bar,
                   const std::vector<TTerminatorFeature>& side) const;

    const TProgramState& State;
    QWidget* MainWindow;
    std::array<QCheckBox*, 17> Files{};
    QSpinBox* MinKm = nullptr;
    QScrollBar* SunriseBar = nullptr;
    QScrollBar* SunsetBar = nullptr;
    TDateRec NightDate;
    std::unique_ptr<TObservingNight> Best;
    std::optional<TDateRec> NextNight; // looked for when this night has no sky for the Moon
    TTerminatorCandidates Candidates;
    std::unique_ptr<TTerminatorList> Listed;
    TWheelNotches Wheel;
};
