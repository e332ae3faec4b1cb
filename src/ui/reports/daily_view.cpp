// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/daily_view.h"

#include <algorithm>

#include <QPainter>

#include "engine/regional_names.h"
#include "ui/common/art_names.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/month_follower.h"
#include "ui/common/panels_draw.h"
#include "ui/common/window_placement.h"
#include "ui/reports/daily_graph.h"
#include "ui/reports/daily_view_page.h"

namespace {

// The table's column headings on the frame, black Arial 11 pixels.
struct THeading {
    const char* Text;
    int X;
};
constexpr THeading Headings[] = {{"Time:", 48},      {"Time:", 258},     {"Time:", 468},
                                 {"Azimuth:", 97},   {"Azimuth:", 305},  {"Azimuth:", 516},
                                 {"Altitude:", 148}, {"Altitude:", 360}, {"Altitude:", 568}};
constexpr int HeadingY = 250;

QImage Surface(QSize size, qreal ratio) {
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    return image;
}

} // namespace

TDailyView::TDailyView(const TProgramState& state, QWidget* main)
    : TBorderlessWindow(TWindowRole::Normal), State(state), MainWindow(main) {
    setObjectName(QStringLiteral("DailyView"));
    setWindowTitle(QStringLiteral("Daily View"));
    SetBackgroundArt(ArtDailyViewBackground);
    setFixedSize(640, 423);
    AddTitleArea({268, 12, 104, 23});
    AddMinimiseArea({592, 14, 15, 15}, QStringLiteral("Minimise this window"));
    AddExitArea({614, 14, 13, 15}, QStringLiteral("Close this window"));
    connect(AddButton(QStringLiteral("lblPrint"), {20, 12, 21, 21},
                      QStringLiteral("Send the information on this screen to the printer")),
            &TClickLabel::Clicked, this, [this] { (void)PrintDailyView(); });
    FollowMonth(
        this, State, [this] { Recompute(); },
        TStateChange::Day | TStateChange::Month | TStateChange::Observer);
}

void TDailyView::Open() {
    Recompute();
    if (MainWindow) PlaceAt(*MainWindow, {0, CascadeDrop});
    showNormal();
    raise();
    activateWindow();
}

void TDailyView::Recompute() {
    DayNow = State.SelectedDate();
    SamplesNow = DailyMoonSamples(DayNow.Year, DayNow.Month, DayNow.Day, State.Observer());
    DrawSurfaces();
    update();
}

void TDailyView::DrawSurfaces() {
    const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
    const int points = ScaledPoints(FontScale(this), 8);
    GraphImage = Surface(GraphArea.size(), ratio);
    {
        QPainter p(&GraphImage);
        DrawDailyGraph(p, SamplesNow, TDailyInk::Screen(), 1.0, 0, GraphArea.width(), points);
    }
    TableImage = Surface(TableArea.size(), ratio);
    QPainter p(&TableImage);
    DrawDailyTable(p, SamplesNow, points);
}

void TDailyView::PaintOver(QPainter& painter) {
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(PixelFont(ArialFamily, 11));
    painter.setPen(FrameText);
    for (const THeading& h : Headings)
        DrawTextAt(painter, h.X, HeadingY, QString::fromLatin1(h.Text));
    if (!GraphImage.isNull()) painter.drawImage(GraphArea.topLeft(), GraphImage);
    if (!TableImage.isNull()) painter.drawImage(TableArea.topLeft(), TableImage);
}

TPrintOutcome TDailyView::PrintDailyView() {
    const TPrintRequest request{QStringLiteral("Tidewell daily view %1 %2 %3")
                                    .arg(DayNow.Day)
                                    .arg(Q(LongMonthName(DayNow.Month)))
                                    .arg(DayNow.Year),
                                QPageLayout::Portrait};
    return PrintReport(this, request, [this](QPainter& painter, TPageMetrics& page) {
        DrawDailyViewPage(painter, page, State.Settings(), DayNow.Year, DayNow.Month, DayNow.Day,
                          SamplesNow);
    });
}
