// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/times_list.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "engine/almanac_text.h"
#include "ui/common/art_names.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/month_follower.h"
#include "ui/common/panels_draw.h"
#include "ui/reports/times_list_page.h"

namespace {

// Columns of the table picture: the left edge of each text, in TTimesColumn's order; the
// illumination's number ends at its x, and "%" follows.
constexpr int DateX = 10;
constexpr int MoonRiseX = 84, MoonTransitX = 124, MoonSetX = 162;
constexpr int IllumEndX = 212;
constexpr int AstroStartX = 245, NauticalStartX = 284, CivilStartX = 323;
constexpr int SunRiseX = 369, SunTransitX = 409, SunSetX = 447;
constexpr int CivilEndX = 491, NauticalEndX = 529, AstroEndX = 567;
constexpr int ColumnX[TimesColumns] = {
    DateX,       MoonRiseX, MoonTransitX, MoonSetX, IllumEndX, AstroStartX,  NauticalStartX,
    CivilStartX, SunRiseX,  SunTransitX,  SunSetX,  CivilEndX, NauticalEndX, AstroEndX};
constexpr int IllumColumn = static_cast<int>(TTimesColumn::Illumination);

const QColor DateInk(255, 255, 255);
const QColor SunInk(255, 255, 0);

QColor ColumnInk(int column) {
    if (column == 0) return DateInk;
    if (column <= IllumColumn) return Aqua;
    const auto c = static_cast<TTimesColumn>(column);
    if (c == TTimesColumn::SunRise || c == TTimesColumn::SunTransit || c == TTimesColumn::SunSet)
        return SunInk;
    return PanelText;
}

// The left edge of a column's text in the table picture.
int TextLeft(int column, const QString& text, const QFontMetrics& metrics) {
    if (column != IllumColumn) return ColumnX[column];
    return IllumEndX - metrics.horizontalAdvance(text.chopped(1));
}

} // namespace

TTimesList::TTimesList(const TProgramState& state, QWidget* main)
    : TBorderlessWindow(TWindowRole::Normal), State(state), MainWindow(main) {
    setObjectName(QStringLiteral("TimesList"));
    setWindowTitle(QStringLiteral("Rise/Set Times for Month"));
    SetBackgroundArt(ArtTimesListBackground);
    AddTitleArea({202, 10, 237, 23});
    AddMinimiseArea({592, 14, 15, 15}, QStringLiteral("Minimise this window"));
    AddExitArea({614, 14, 13, 15}, QStringLiteral("Close this window"));
    connect(AddButton(QStringLiteral("lblPrint"), {20, 16, 19, 19},
                      QStringLiteral("Send the information on this screen to the printer")),
            &TClickLabel::Clicked, this, [this] { PrintTimes(State.SelectedDate()); });
    connect(AddButton(QStringLiteral("lblScrollUp"), {54, 14, 19, 17},
                      QStringLiteral("Scroll information up on screen")),
            &TClickLabel::Clicked, this, &TTimesList::ScrollUpClick);
    connect(AddButton(QStringLiteral("lblScrollDown"), {74, 14, 19, 17},
                      QStringLiteral("Scroll information down on screen")),
            &TClickLabel::Clicked, this, &TTimesList::ScrollDownClick);
    // The date format is a setting too: any change of month, place or settings rebuilds.
    FollowMonth(
        this, State, [this] { SetupDataBitmap(State.SelectedDate()); },
        TStateChange::Month | TStateChange::Observer | TStateChange::Settings);
}

void TTimesList::Open() {
    SetupDataBitmap(State.SelectedDate());
    if (!Placed && MainWindow) CentreOver(*MainWindow);
    Placed = true;
    showNormal();
    raise();
    activateWindow();
}

int TTimesList::MaxScrollOffset() const {
    // The table area shows VisibleRows pixel rows: the last offset puts the last row of the
    // last day at its bottom.
    return std::max(0, Days * RowHeight - VisibleRows);
}

int TTimesList::Clamped(int offset) const {
    return std::clamp(offset, 0, MaxScrollOffset());
}

void TTimesList::SetupDataBitmap(const TDateRec& date) {
    Offset = 0;
    Shown = 0;
    RowsNow = MonthTimesRows(date, State.Observer(), State.Settings().DateFormat);
    Days = static_cast<int>(RowsNow.size()); // October 1582 lists 21 days
    DrawRows();
    DisplayDataBitmap();
}

void TTimesList::DrawRows() {
    // Drawn at the screen's pixel ratio, so the text stays sharp on a scaled desktop.
    const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
    TableImage = QImage(QSize(TableWidth, TableHeight) * ratio, QImage::Format_RGB32);
    TableImage.setDevicePixelRatio(ratio);
    QPainter p(&TableImage);
    for (int i = 0; i <= 31; ++i)
        p.fillRect(QRect(0, RowHeight * i, TableWidth, RowHeight),
                   i % 2 == 0 ? StripeDark : StripeLight);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(ScaledFont(ArialFamily, 8, FontScale(this)));
    const QFontMetrics metrics = p.fontMetrics();
    for (size_t r = 0; r < RowsNow.size(); ++r) {
        const auto texts = TimesRowTexts(RowsNow[r]);
        const int y = RowHeight * static_cast<int>(r);
        for (int c = 0; c < TimesColumns; ++c) {
            p.setPen(ColumnInk(c));
            DrawTextAt(p, TextLeft(c, texts[c], metrics), y, texts[c]);
        }
    }
}

QList<TShownText> TTimesList::ShownTexts() {
    // Every day's values where they are painted now, those scrolled out of view included.
    QList<TShownText> texts;
    const QFontMetrics metrics(ScaledFont(ArialFamily, 8, FontScale(this)));
    for (size_t r = 0; r < RowsNow.size(); ++r) {
        const auto row = TimesRowTexts(RowsNow[r]);
        const int top = TableArea.top() + RowHeight * static_cast<int>(r) - Shown;
        for (int c = 0; c < TimesColumns; ++c) {
            const int next = c + 1 < TimesColumns ? ColumnX[c + 1] : TableWidth;
            const int left = TextLeft(c, row[c], metrics);
            texts.append({QRect(TableArea.left() + left, top, next - left, RowHeight), row[c],
                          TimesColumnName(static_cast<TTimesColumn>(c))});
        }
    }
    return texts;
}

void TTimesList::DisplayDataBitmap() {
    update(TableArea);
}

void TTimesList::PaintOver(QPainter& painter) {
    if (TableImage.isNull()) return;
    const qreal ratio = TableImage.devicePixelRatio();
    painter.drawImage(QRectF(TableArea), TableImage,
                      QRectF(0, Shown * ratio, TableWidth * ratio, VisibleRows * ratio));
}

void TTimesList::wheelEvent(QWheelEvent* event) {
    // The table scrolls by pixel rows: a notch moves it by whole days.
    Offset = Clamped(Offset - WheelRowsPerNotch * RowHeight * Wheel.Take(*event));
    Shown = Offset;
    DisplayDataBitmap();
    event->accept();
}

void TTimesList::ScrollUpClick() {
    Offset = std::max(0, Offset - RowHeight);
    Shown = Offset;
    DisplayDataBitmap();
}

void TTimesList::ScrollDownClick() {
    Offset = std::min(MaxScrollOffset(), Offset + RowHeight);
    Shown = Offset;
    DisplayDataBitmap();
}

TPrintOutcome TTimesList::PrintTimes(const TDateRec& date) {
    return PrintTimesPage(this, State.Settings(), State.Observer(), date);
}

void TTimesList::showEvent(QShowEvent* event) {
    TBorderlessWindow::showEvent(event);
    KeepOnScreen();
}

void TTimesList::mousePressEvent(QMouseEvent* event) {
    ContentDragging = true;
    ContentDragY = event->position().toPoint().y();
    TBorderlessWindow::mousePressEvent(event);
}

void TTimesList::mouseMoveEvent(QMouseEvent* event) {
    TBorderlessWindow::mouseMoveEvent(event);
    if (!ContentDragging) return;
    const QPoint at = event->position().toPoint();
    if (!TableArea.contains(at)) return;
    Shown = Clamped(Offset + ContentDragY - at.y());
    DisplayDataBitmap();
}

void TTimesList::mouseReleaseEvent(QMouseEvent* event) {
    TBorderlessWindow::mouseReleaseEvent(event);
    if (!ContentDragging) return;
    ContentDragging = false;
    Offset = Clamped(Offset + ContentDragY - event->position().toPoint().y());
    Shown = Offset;
    DisplayDataBitmap();
}
