// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/eclipse_screen.h"

#include <algorithm>
#include <cmath>

#include <QEvent>
#include <QLabel>
#include <QPainter>

#include "engine/almanac_text.h"
#include "engine/rise_set.h"
#include "engine/text_helpers.h"
#include "ui/common/art_names.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/panels_draw.h"
#include "ui/common/window_placement.h"
#include "ui/reports/eclipse_drawing.h"

namespace {

const QColor TypeInk(0, 0, 128); // navy, on the metal header

// The width of the text panel: up to the divider's right edge.
constexpr int DividerLeft = 230;
constexpr int DividerWidth = 21;
constexpr int MagnitudeY = 210;
constexpr int RiseSetTop = 253;
constexpr int RiseSetStep = 15;

// A magnitude rounded to three decimals (halves to even), trailing zeros dropped: "1.3".
QString MagnitudeText(double magnitude) {
    return Q(GeneralNumberText(std::nearbyint(magnitude * 1000.0) / 1000.0));
}

// Of the month's eclipses, the one at greatest on the selected day (chosen in the report, or
// by a double click on its date), else the first; an empty record when the month has none.
EclipseCircumstances EclipseToShow(const TProgramState& state) {
    const std::vector<EclipseCircumstances>& eclipses = state.Month().Eclipses;
    if (eclipses.empty()) return {};
    const TDateRec& day = state.SelectedDate();
    for (const EclipseCircumstances& e : eclipses)
        if (e.MaxDate.Day == day.Day && e.MaxDate.Month == day.Month) return e;
    return eclipses.front();
}

} // namespace

TEclipse::TEclipse(TProgramState& state, QWidget* main)
    : TBorderlessWindow(TWindowRole::Normal), State(state), MainWindow(main) {
    setObjectName(QStringLiteral("Eclipse"));
    setWindowTitle(QStringLiteral("Lunar Eclipse"));
    SetBackgroundArt(ArtEclipseBackground);
    AddTitleArea({180, 8, 260, 26});
    AddMinimiseArea({572, 14, 15, 15}, QStringLiteral("Minimize Tidewell"));
    AddExitArea({594, 14, 13, 15}, QStringLiteral("Close this window"));

    EclipseTypeLabel = new QLabel(this);
    EclipseTypeLabel->setObjectName(QStringLiteral("lblEclipseType"));
    EclipseTypeLabel->setFont(PixelFont(ArialFamily, 15, true));
    SetTextColour(EclipseTypeLabel, TypeInk);
    EclipseTypeLabel->move(0, 42);

    EclipseDateLabel = new QLabel(this);
    EclipseDateLabel->setObjectName(QStringLiteral("lblDate"));
    EclipseDateLabel->setFont(PixelFont(ArialFamily, 12, true));
    SetTextColour(EclipseDateLabel, Aqua);
    EclipseDateLabel->move(0, 75);
    EclipseDateLabel->installEventFilter(this);
    SetHint(EclipseDateLabel,
            QStringLiteral("Double-click to select this eclipse in the main window"));

    EclipseImage = QImage(EclipseDrawingSize, QImage::Format_RGB32);
    EclipseImage.fill(Qt::black);

    // Whoever changes the month or the place, the screen follows the state's record; a month
    // without an eclipse hides it.
    connect(&State, &TProgramState::Changed, this, [this](TStateChanges what) {
        if (!isVisible() || !(what & (TStateChange::Month | TStateChange::Observer))) return;
        if (State.Month().Eclipses.empty())
            hide();
        else
            Refresh();
    });
}

bool TEclipse::Open() {
    if (State.Month().Eclipses.empty()) {
        hide();
        return false;
    }
    Refresh();
    if (MainWindow) PlaceAt(*MainWindow, {(MainWindow->width() - width()) / 2, CascadeDrop});
    showNormal();
    raise();
    activateWindow();
    return true;
}

QFont TEclipse::CanvasFont() const {
    return ScaledFont(ArialFamily, 9, FontScale(this));
}

int TEclipse::LineHeight() const {
    return QFontMetrics(CanvasFont()).height();
}

void TEclipse::Refresh() {
    Shown = EclipseToShow(State);
    FillContactPositions(Shown, State.Observer());
    TypeCaption =
        Shown.Type == TEclipseType::None
            ? QString()
            : Q(EclipseTypeText(Shown.Type) + " (" + EclipseVisibilityText(Shown.Visibility) + ")");
    DateCaption = Q(EclipseDateText(Shown));
    MaximumCaption = Q(EclipseMaximumText(Shown));
    EclipseTypeLabel->setText(TypeCaption);
    EclipseTypeLabel->adjustSize();
    EclipseTypeLabel->move((width() - EclipseTypeLabel->width()) / 2, 42);
    EclipseDateLabel->setText(DateCaption);
    EclipseDateLabel->adjustSize();
    EclipseDateLabel->move((DividerLeft + DividerWidth - EclipseDateLabel->width()) / 2, 75);
    BuildRows();

    const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
    EclipseImage = QImage(EclipseDrawingSize * ratio, QImage::Format_RGB32);
    EclipseImage.setDevicePixelRatio(ratio);
    DrawEclipse(EclipseImage, Shown);
    update();
}

void TEclipse::BuildRows() {
    RowsNow.clear();
    if (Shown.Type == TEclipseType::None) return;
    // One, two or three contacts on either side of the maximum.
    const int n = static_cast<int>(Shown.Type);
    const int h = LineHeight();
    auto row = [this](const char* label, const std::string& value, int y) {
        RowsNow.push_back({QString::fromUtf8(label), Q(value), y});
    };
    auto contact = [&](const char* label, int c, int y) {
        if (Shown.HasContact(c)) row(label, EclipseContactText(Shown, c), y);
    };
    contact("Moon enters Penumbra:", ContactP1, MaximumY - n * h);
    contact("Moon enters Umbra:", ContactU1, MaximumY - (n - 1) * h);
    contact("Start of Totality:", ContactU2, MaximumY - (n - 2) * h);
    contact("Eclipse Maximum:", ContactMax, MaximumY);
    contact("End of Totality:", ContactU3, MaximumY + (n - 2) * h);
    contact("Moon exits Umbra:", ContactU4, MaximumY + (n - 1) * h);
    contact("Moon exits Penumbra:", ContactP4, MaximumY + n * h);
    const double magnitude =
        Shown.Type == TEclipseType::Penumbral ? Shown.PenumbralMag : Shown.UmbralMag;
    RowsNow.push_back({QStringLiteral("Eclipse Magnitude:"), MagnitudeText(magnitude), MagnitudeY});

    // The rising and setting on the local day of greatest eclipse, whatever day is selected.
    const TDateRec day = MakeDate(Shown.MaxDate.Year, Shown.MaxDate.Month, Shown.MaxDate.Day);
    const TRiseSetTimes moon = MoonRiseSetTimes(day, State.Observer());
    const TRiseSetTimes sun = SunRiseSet(day, SunriseAltitude, State.Observer());
    const TRiseSetEvent* events[] = {&moon.Rise, &moon.Set, &sun.Rise, &sun.Set};
    const char* labels[] = {"Moonrise:", "Moonset:", "Sunrise:", "Sunset:"};
    for (int i = 0; i < 4; ++i)
        row(labels[i], EventTimeText(*events[i]), RiseSetTop + RiseSetStep * i);
}

void TEclipse::PaintOver(QPainter& painter) {
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(CanvasFont());
    for (const TEclipseRow& r : RowsNow) {
        const bool riseSet = r.Y >= RiseSetTop;
        painter.setPen(Aqua);
        DrawTextAt(painter, LabelX, r.Y, r.Label);
        painter.setPen(PanelText);
        DrawTextAt(painter, riseSet ? RiseSetValueX : ValueX, r.Y, r.Value);
    }
    painter.drawImage(DrawingArea, EclipseImage);
}

bool TEclipse::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EclipseDateLabel && event->type() == QEvent::MouseButtonDblClick) {
        SelectEclipse();
        return true;
    }
    return TBorderlessWindow::eventFilter(watched, event);
}

void TEclipse::SelectEclipse() {
    if (Shown.Type == TEclipseType::None) return;
    const TDateRec& m = Shown.MaxDate;
    State.SelectMoment(MakeDate(m.Year, m.Month, m.Day, m.Hour, m.Minute));
}
