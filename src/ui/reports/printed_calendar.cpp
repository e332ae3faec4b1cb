// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/printed_calendar.h"

#include <array>
#include <string>
#include <vector>

#include <QPainter>

#include "engine/almanac_text.h"
#include "engine/moon.h"
#include "engine/phases.h"
#include "engine/regional_names.h"
#include "engine/rise_set.h"
#include "settings/settings.h"
#include "ui/common/calendar_layout.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/page_frame.h"
#include "ui/common/panels_draw.h"
#include "ui/common/phase_shading.h"
#include "ui/common/program_state.h"

namespace {

// The grid's geometry once the weekday header is drawn.
struct TGrid {
    int Cw = 0; // cell width
    int Ch = 0; // cell height
    int Top = 0;
    TMonthLayout Layout;
};

void DrawWeekdayHeader(QPainter& p, TPageMetrics& page, int dayOrder) {
    p.setFont(PageFont(TimesFamily, 12, true));
    const int cw = page.PW / 7;
    const int hb = page.K(12.86) + p.fontMetrics().height();
    p.setPen(QPen(Qt::black, page.Px(1)));
    p.setBrush(QColor(255, 255, 0));
    for (int i = 0; i < 7; ++i) {
        p.drawRect(i * cw, page.Hh, cw, hb);
        const QString name =
            Q(RegionalNames().LongDayNames[static_cast<size_t>((i + dayOrder) % 7)]);
        DrawTextAt(p, i * cw + (cw - p.fontMetrics().horizontalAdvance(name)) / 2,
                   page.Hh + page.K(12.86) / 2, name);
    }
    page.Hh += hb;
    p.setBrush(Qt::white);
}

void DrawMoonTimes(QPainter& p, const TPageMetrics& page, int xr, int yt,
                   const TMoonRiseSet& moon) {
    const auto rows = OrderMoonRows(moon.Events);
    const double rowK[] = {3.22, 12.86, 22.51};
    for (size_t i = 0; i < rows.size(); ++i) {
        const QString title = rows[i] == TRiseSetEventKind::Transit ? QStringLiteral("TR:")
                              : rows[i] == TRiseSetEventKind::Rise  ? QStringLiteral("MR:")
                                                                    : QStringLiteral("MS:");
        const int y = yt + page.K(rowK[i]);
        DrawTextAt(p, xr - page.K(41.8), y, title);
        DrawTextAt(p, xr - page.K(24.12), y, Q(CellEventTimeText(EventOf(moon.Events, rows[i]))));
    }
}

void DrawSunTimes(QPainter& p, const TPageMetrics& page, int xr, int yb, const TRiseSetTimes& sun) {
    const struct {
        const char* Title;
        const TRiseSetEvent& Event;
        double K;
    } rows[] = {{"SR:", sun.Rise, 32.15}, {"TR:", sun.Transit, 22.51}, {"SS:", sun.Set, 12.86}};
    for (const auto& row : rows) {
        DrawTextAt(p, xr - page.K(41.8), yb - page.K(row.K), QString(row.Title));
        DrawTextAt(p, xr - page.K(24.12), yb - page.K(row.K), Q(CellEventTimeText(row.Event)));
    }
}

void DrawDayCells(QPainter& p, const TPageMetrics& page, const TGrid& grid,
                  const TSettings& settings, const TObserver& observer, int month, int year) {
    const bool northern = settings.Position.LatitudeSide == THemisphere::Northern;
    const QColor ink = ShadowInk(settings.PhaseDensity);
    // The month's times by day number (a month may leave days out of its dates).
    const std::vector<TDateRec> dates = MonthDates(year, month);
    std::vector<TDayRiseSet> monthTimes;
    if (settings.PrintLunarTimes || settings.PrintSunTimes)
        monthTimes = RiseSetDays(dates, observer);
    std::array<const TDayRiseSet*, 32> timesOfDay{};
    for (size_t i = 0; i < monthTimes.size(); ++i)
        timesOfDay[size_t(dates[i].Day)] = &monthTimes[i];
    for (int n = 0; n < CalendarCells; ++n) {
        const std::string caption = CellCaption(n, grid.Layout);
        if (caption == " ") continue;
        const int day = DayOfCell(n, grid.Layout);
        const int x = (n % 7) * grid.Cw;
        const int y = grid.Top + (n / 7) * grid.Ch;
        p.setPen(QPen(Qt::black, page.Px(1)));
        p.setBrush(Qt::NoBrush);
        p.drawRect(x, y, grid.Cw, grid.Ch);
        p.setFont(PageFont(TimesFamily, 12, true));
        DrawTextAt(p, x + page.K(3.86), y + page.K(3.86), Q(caption));

        const QPoint centre(x + grid.Cw / 2, y + grid.Ch / 2);
        if (settings.PrintDailyPhases) {
            const TDayMoon moon = MoonAtLocalMidnight(year, month, day, observer);
            DrawPhaseDisc(p, centre, page.K(28.94), moon.Illumination,
                          DarkSideLeft(moon.Waxing, northern), ink, page.Px(1));
        }
        p.setPen(Qt::black);
        p.setFont(PageFont(TimesFamily, 7));
        const TDayRiseSet* times = day >= 1 && day <= 31 ? timesOfDay[size_t(day)] : nullptr;
        if (!times) continue;
        const int xr = centre.x() + grid.Cw / 2;
        if (settings.PrintLunarTimes)
            DrawMoonTimes(p, page, xr, centre.y() - grid.Ch / 2, times->Moon);
        if (settings.PrintSunTimes)
            DrawSunTimes(p, page, xr, centre.y() + grid.Ch / 2, times->Sun[0]);
    }
}

enum class TIcon { New, FirstQuarter, Full, LastQuarter };

// A phase icon in its box: a black disc, a white disc, or a disc half black and half white,
// lit on the right for the first quarter in the north (and for the last in the south).
void DrawPhaseIcon(QPainter& p, const QRect& box, TIcon icon, bool northern, int pen) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, pen));
    if (icon == TIcon::New || icon == TIcon::Full) {
        p.setBrush(icon == TIcon::New ? Qt::black : Qt::white);
        p.drawEllipse(box);
    } else {
        const bool litRight = (icon == TIcon::FirstQuarter) == northern;
        p.setBrush(litRight ? Qt::white : Qt::black);
        p.drawPie(box, -90 * 16, 180 * 16); // the right half
        p.setBrush(litRight ? Qt::black : Qt::white);
        p.drawPie(box, 90 * 16, 180 * 16); // the left half
    }
    p.restore();
}

TIcon IconOf(TPhaseType phaseType) {
    switch (phaseType) {
    case TPhaseType::NewMoon:
        return TIcon::New;
    case TPhaseType::FirstQuarter:
        return TIcon::FirstQuarter;
    case TPhaseType::FullMoon:
        return TIcon::Full;
    case TPhaseType::LastQuarter:
        break;
    }
    return TIcon::LastQuarter;
}

void DrawPrincipalPhases(QPainter& p, const TPageMetrics& page, const TGrid& grid,
                         const TSettings& settings, const TObserver& observer, int month,
                         int year) {
    const bool northern = settings.Position.LatitudeSide == THemisphere::Northern;
    // The legend at the top right of the page.
    p.setFont(PageFont(TimesFamily, 7));
    p.setPen(Qt::black);
    const int x0 = page.PW - page.K(80.39);
    const int s = page.K(9.65);
    int y = page.K(24.12);
    const struct {
        TIcon Icon;
        const char* Name;
    } legend[] = {{TIcon::New, "New Moon"},
                  {TIcon::FirstQuarter, "First Quarter"},
                  {TIcon::Full, "Full Moon"},
                  {TIcon::LastQuarter, "Last Quarter"}};
    for (const auto& row : legend) {
        DrawPhaseIcon(p, QRect(x0, y, s, s), row.Icon, northern, page.Px(1));
        DrawTextAt(p, x0 + s + page.K(9.65), y + (s - p.fontMetrics().height()) / 2,
                   QString(row.Name));
        y += s + page.K(6.43);
    }

    // Each phase in the bottom left corner of its day's cell, with its time.
    TPhaseList phases;
    const int count = MonthPhases(MakeDate(year, month, 1), observer, phases);
    const int is = page.K(19.29);
    const int m = page.K(4.8);
    p.setFont(PageFont(TimesFamily, 8));
    for (int j = 0; j < count; ++j) {
        const TPhaseEntry& phase = phases[static_cast<size_t>(j)];
        const int q = CellOfDay(phase.When.Day, grid.Layout);
        if (q < 0) continue;
        const QRect box(m + grid.Cw * (q % 7), grid.Top + grid.Ch * (q / 7 + 1) - is - m, is, is);
        DrawPhaseIcon(p, box, IconOf(phase.PhaseType), northern, page.Px(1));
        DrawTextAt(p, box.left() + is + m, box.top() + (is - p.fontMetrics().height()) / 2,
                   Q(PhaseClockText(phase)));
    }
}

} // namespace

TDayMoon MoonAtLocalMidnight(int year, int month, int day, const TObserver& observer) {
    const double ut = observer.UTOfLocal(JulianDayOf(year, month, day));
    TSunData sun;
    const TMoonData moon = MoonPosition(ut, observer, sun);
    const TNewMoonPair newMoons = BracketingNewMoons(ut);
    const double lunation =
        (ut - newMoons.PrevNewMoon) / (newMoons.NextNewMoon - newMoons.PrevNewMoon) * 100.0;
    return {moon.IlluminationPercent, lunation < 50.0};
}

void DrawCalendarPage(QPainter& p, TPageMetrics& page, const TSettings& settings,
                      const TObserver& observer, int month, int year) {
    p.save();
    DrawPageHeader(p, page, settings, month, year);
    const int dayOrder = static_cast<int>(settings.DayOrder);
    DrawWeekdayHeader(p, page, dayOrder);
    TGrid grid;
    grid.Cw = page.PW / 7;
    grid.Ch = (page.PH - page.Hh - page.Fh) / CalendarRows;
    grid.Top = page.Hh;
    grid.Layout = MonthLayout(month, year, dayOrder);
    DrawDayCells(p, page, grid, settings, observer, month, year);
    if (settings.PrintMajorPhases)
        DrawPrincipalPhases(p, page, grid, settings, observer, month, year);
    DrawPageFooter(p, page);
    p.restore();
}

TPrintOutcome PrintCalendar(QWidget* owner, const TProgramState& state, int month, int year) {
    const TPrintRequest request{
        QStringLiteral("Tidewell calendar %1 %2").arg(Q(LongMonthName(month))).arg(year),
        QPageLayout::Landscape};
    return PrintReport(owner, request, [&](QPainter& painter, TPageMetrics& page) {
        DrawCalendarPage(painter, page, state.Settings(), state.Observer(), month, year);
    });
}
