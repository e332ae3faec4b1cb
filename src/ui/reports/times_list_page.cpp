// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/times_list_page.h"

#include <cmath>

#include <QPainter>

#include "engine/almanac_text.h"
#include "engine/regional_names.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/page_frame.h"
#include "ui/common/panels_draw.h"
#include "ui/reports/times_rows.h"

namespace {

// A printed row is laid out for 31 days, so no month overflows the page.
constexpr int PageRows = 31;

struct TBandText {
    const char* Text;
    int Row;    // 1 or 2
    double K;   // thousandths of the page width
    int U;      // multiples of u added
    bool PlusV; // V added
};

// The title band's headings over the columns.
constexpr TBandText BandTexts[] = {
    {"LST at", 1, 75, 1, false},      {"Midnight", 2, 75, 1, false},
    {"Moon", 1, 204.18, 2, false},    {"Rise", 2, 131.83, 2, false},
    {"Transit", 2, 168.81, 2, false}, {"Set", 2, 230.51, 2, false},
    {"illum", 2, 278.13, 2, false},   {"Civil", 2, 96.46, 1, true},
    {"Naut.", 2, 48.23, 1, true},     {"Ast.", 2, 2.57, 1, true},
    {"Twilight", 1, 38.58, 1, true},  {"Civil", 2, 289.39, 3, true},
    {"Naut.", 2, 337.62, 3, true},    {"Ast.", 2, 388.42, 3, true},
    {"Twilight", 1, 327.97, 3, true}, {"Sun", 1, 197.75, 2, true},
    {"Rise", 2, 147.91, 2, true},     {"Transit", 2, 186.6, 2, true},
    {"Set", 2, 244.37, 2, true},
};

struct TColumns {
    int U = 0;
    int V = 0;
    const TPageMetrics* Page = nullptr;
    [[nodiscard]] int X(double k, int u, bool plusV) const {
        return Page->K(k) + u * U + (plusV ? V : 0);
    }
};

void DrawRow(QPainter& p, const TColumns& c, int y, const TTimesRow& row,
             const TObserver& observer) {
    struct TPlace {
        double K;
        int U;
        bool PlusV;
    };
    // Each column's place on the page, in TTimesColumn's order (the illumination's number ends
    // at its place).
    static constexpr TPlace places[TimesColumns] = {
        {30, 0, false},     {128.62, 2, false}, {176.85, 2, false}, {225.08, 2, false},
        {305.47, 2, false}, {0, 1, true},       {48.23, 1, true},   {96.46, 1, true},
        {144.69, 2, true},  {192.93, 2, true},  {241.16, 2, true},  {289.39, 3, true},
        {337.62, 3, true},  {385.85, 3, true}};
    const auto texts = TimesRowTexts(row);
    for (int k = 0; k < TimesColumns; ++k) {
        const TPlace& place = places[k];
        int x = k == 0 ? c.Page->K(place.K) : c.X(place.K, place.U, place.PlusV);
        if (k == static_cast<int>(TTimesColumn::Illumination))
            x -= p.fontMetrics().horizontalAdvance(texts[k].chopped(1));
        DrawTextAt(p, x, y, texts[k]);
    }
    DrawTextAt(p, c.X(75, 1, false), y, SiderealTimeAtMidnight(row.Date, observer));
}

} // namespace

QColor EvenRowShade(TPrinterType printerType) {
    switch (printerType) {
    case TPrinterType::BwInkjet:
        return {160, 160, 255};
    case TPrinterType::ColourInkjet:
        return {220, 220, 255};
    case TPrinterType::Laser:
        break;
    }
    return {220, 220, 220};
}

void DrawTimesPage(QPainter& p, TPageMetrics& page, const TSettings& settings,
                   const TObserver& observer, const TDateRec& date) {
    p.save();
    p.setFont(PageFont(TimesFamily, 10, true));
    const int th = static_cast<int>(std::trunc(1.8 * p.fontMetrics().height()));
    TColumns c;
    c.Page = &page;
    c.U = page.PW / 22;
    c.V = static_cast<int>(std::trunc(page.PW / 3.0)) + 2 * c.U;

    DrawPageHeader(p, page, settings, date.Month, date.Year);

    // The title band with the headings in two rows.
    p.setPen(QPen(Qt::black, page.Px(1)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(QPoint(0, page.Hh - page.Px(30)), QPoint(page.PW, page.Hh + th)));
    p.setFont(PageFont(TimesFamily, 10, true));
    const int row1 = page.Hh - page.Px(28);
    const int row2 = page.Hh + th / 2 - page.Px(28);
    for (const TBandText& t : BandTexts)
        DrawTextAt(p, c.X(t.K, t.U, t.PlusV), t.Row == 1 ? row1 : row2, QString(t.Text));

    // One row a day, the even ones shaded for the printer.
    const int r = (page.PH - th - page.Hh - page.Fh - page.Px(2)) / PageRows;
    p.setFont(PageFont(TimesFamily, 10));
    const std::vector<TTimesRow> rows = MonthTimesRows(date, observer, settings.DateFormat);
    const QColor shade = EvenRowShade(settings.PrinterType);
    for (int n = 1; n <= static_cast<int>(rows.size()); ++n) {
        const int top = page.Hh + th + (n - 1) * r;
        const QColor fill = n % 2 == 1 ? QColor(Qt::white) : shade;
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRect(QRect(QPoint(page.Px(2), top + page.Px(2)),
                         QPoint(page.PW - page.Px(2), top + r + page.Px(2))));
        p.setPen(Qt::black);
        const int textTop = top + (r - p.fontMetrics().height()) / 2;
        DrawRow(p, c, textTop, rows[static_cast<size_t>(n - 1)], observer);
    }
    p.restore();
    DrawPageFooter(p, page);
}

TPrintOutcome PrintTimesPage(QWidget* owner, const TSettings& settings, const TObserver& observer,
                             const TDateRec& date) {
    const TPrintRequest request{
        QStringLiteral("Tidewell times %1 %2").arg(Q(LongMonthName(date.Month))).arg(date.Year),
        QPageLayout::Landscape};
    return PrintReport(owner, request, [&](QPainter& painter, TPageMetrics& page) {
        DrawTimesPage(painter, page, settings, observer, date);
    });
}
