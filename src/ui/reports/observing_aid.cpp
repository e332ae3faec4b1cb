// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/observing_aid.h"

#include <algorithm>

#include <QPainter>

#include "engine/regional_names.h"
#include "settings/settings.h"
#include "ui/common/art_names.h"
#include "ui/common/artwork.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/month_follower.h"
#include "ui/common/page_frame.h"

namespace {

constexpr int HoursY = 61;
const QRect HoursStrip(21, 60, 498, 15);

} // namespace

TObservingAid::TObservingAid(const TProgramState& state, QWidget* main)
    : TBorderlessWindow(TWindowRole::Normal), State(state), MainWindow(main) {
    setObjectName(QStringLiteral("ObservingAid"));
    setWindowTitle(QStringLiteral("Observing Aid"));
    SetBackgroundArt(ArtObservingAidBackground);
    setFixedSize(540, 480);
    AddTitleArea({150, 10, 240, 26});
    AddMinimiseArea({492, 14, 15, 15}, QStringLiteral("Minimise this window"));
    AddExitArea({514, 14, 13, 15}, QStringLiteral("Close this window"));
    connect(AddButton(QStringLiteral("lblPrint"), {20, 14, 21, 21},
                      QStringLiteral("Print this diagram")),
            &TClickLabel::Clicked, this, [this] { (void)PrintDiagram(); });
    DayNightButton = AddButton(QStringLiteral("imgDayNight"), {47, 12, 28, 25},
                            QStringLiteral("Toggle between Daytime and Nighttime view"));
    connect(DayNightButton, &TClickLabel::Clicked, this, &TObservingAid::DayNightClick);
    LinesGridButton = AddButton(QStringLiteral("imgLinesGrid"), {78, 13, 28, 25},
                             QStringLiteral("Toggle grid on and off"));
    connect(LinesGridButton, &TClickLabel::Clicked, this, &TObservingAid::LinesGridClick);
    ShowToggles();
    FollowMonth(this, State, [this] { Recompute(); });
}

void TObservingAid::Open() {
    ViewMode = TAidView::Night;
    Grid = false;
    Recompute();
    // At the main window's left, below its title bar.
    if (MainWindow) PlaceAt(*MainWindow, {0, 0});
    showNormal();
    raise();
    activateWindow();
}

void TObservingAid::Recompute() {
    DateNow = State.SelectedDate();
    MonthNow = ObservingAidMonth(DateNow.Year, DateNow.Month, State.Observer());
    doa();
}

void TObservingAid::ShowToggles() {
    DayNightButton->setPixmap(LoadArtPixmap(ViewMode == TAidView::Night ? ArtAidNight : ArtAidDay));
    LinesGridButton->setPixmap(LoadArtPixmap(Grid ? ArtAidGrid : ArtAidLines));
}

void TObservingAid::doa() {
    ShowToggles();
    const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
    ChartImage = QImage(ChartArea.size() * ratio, QImage::Format_RGB32);
    ChartImage.setDevicePixelRatio(ratio);
    QPainter p(&ChartImage);
    TChartParams params = ScreenChartParams();
    DrawGraphic(p, DateNow, params, MonthNow, ViewMode, Grid, FontScale(this));
    update();
}

void TObservingAid::DayNightClick() {
    ViewMode = ViewMode == TAidView::Night ? TAidView::Day : TAidView::Night;
    doa();
}

void TObservingAid::LinesGridClick() {
    Grid = !Grid;
    doa();
}

void TObservingAid::PaintOver(QPainter& painter) {
    painter.fillRect(HoursStrip, Qt::black);
    if (!ChartImage.isNull()) painter.drawImage(ChartArea.topLeft(), ChartImage);
    if (!Grid) return;
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(ScaledFont(ArialFamily, 8, FontScale(this)));
    DisplayHours(painter, ScreenChartParams(), PanelText, HoursY, ChartArea.x(), ViewMode);
}

TPrintOutcome TObservingAid::PrintDiagram() {
    const QString name = QStringLiteral("Tidewell observing aid %1 %2")
                             .arg(Q(LongMonthName(DateNow.Month)))
                             .arg(DateNow.Year);
    return PrintReport(
        this, {name, QPageLayout::Landscape}, [this](QPainter& p, TPageMetrics& page) {
            DrawPageHeader(p, page, State.Settings(), DateNow.Month, DateNow.Year);
            DrawPageFooter(p, page);
            TChartParams params =
                PaperChartParams(page, State.Settings().PrinterType == TPrinterType::ColourInkjet);
            DrawGraphic(p, DateNow, params, MonthNow, ViewMode, Grid, 1.0);
            if (!Grid) return;
            p.setFont(PageFont(ArialFamily, 9));
            // Centred in the band over the first row.
            const int y = page.Hh + std::max(0, params.TopExtra - p.fontMetrics().height()) / 2;
            DisplayHours(p, params, Qt::white, y, 0, ViewMode);
        });
}
