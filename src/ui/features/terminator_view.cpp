// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/features/terminator_view.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QDate>
#include <QPainter>
#include <QScrollBar>
#include <QSpinBox>
#include <QWheelEvent>

#include "features/terminator.h"
#include "ui/features/feature_list_view.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/program_state.h"

namespace {

const QString ArtTerminatorBackground = QStringLiteral("terminator-background.jpg");
constexpr int FileColumns = 6;
constexpr int CraterFile = 2; // checked at the first opening
constexpr int NameX = 8;
constexpr int SunRight = 250; // right edges of the Sun's altitude and the size columns
constexpr int SizeRight = 314;

QString ClockText(double jd, const TObserver& observer) {
    const TDateRec t = LocalMinute(jd, observer);
    return QStringLiteral("%1:%2")
        .arg(t.Hour, 2, 10, QLatin1Char('0'))
        .arg(t.Minute, 2, 10, QLatin1Char('0'));
}

QString SizeText(double km) {
    return std::isfinite(km) ? QString::number(km, 'f', km < 10 ? 1 : 0) : QStringLiteral("-");
}

} // namespace

TTerminatorView::TTerminatorView(const TProgramState& state, QWidget* main)
    : TBorderlessWindow(TWindowRole::Normal), State(state), MainWindow(main),
      Best(std::make_unique<TObservingNight>()), Listed(std::make_unique<TTerminatorList>()) {
    setObjectName(QStringLiteral("TerminatorView"));
    setWindowTitle(QStringLiteral("Tonight on the Terminator"));
    SetBackgroundArt(ArtTerminatorBackground);
    AddTitleArea({150, 6, 420, 28});
    AddMinimiseArea({width() - 48, 14, 15, 15}, QStringLiteral("Minimise this window"));
    AddExitArea({width() - 26, 14, 13, 15}, QStringLiteral("Close this window"));

    const QFont font = ScaledFont(ArialFamily, 8, FontScale(this));
    const std::vector<std::string> names = FeatureFileDisplayNames();
    for (int k = 0; k < static_cast<int>(Files.size()); ++k) {
        auto* box = new QCheckBox(Q(names[static_cast<std::size_t>(k)]), this);
        box->setObjectName(QStringLiteral("chkFile%1").arg(k));
        box->setFont(font);
        box->setStyleSheet(QStringLiteral("color: rgb(20, 22, 28)"));
        box->setGeometry(28 + (k % FileColumns) * 92, 118 + (k / FileColumns) * 19, 92, 18);
        box->setChecked(k == CraterFile);
        connect(box, &QCheckBox::toggled, this, [this] {
            LoadChosenFiles();
            Relist();
        });
        SetHint(box, QStringLiteral("List the features of this file"));
        Files[static_cast<std::size_t>(k)] = box;
    }
    MinKm = new QSpinBox(this);
    MinKm->setObjectName(QStringLiteral("spnMinKm"));
    MinKm->setFont(font);
    MinKm->setRange(0, 1000);
    MinKm->setSingleStep(5);
    MinKm->setValue(static_cast<int>(DefaultTerminatorMinKm));
    MinKm->setSuffix(QStringLiteral(" km"));
    MinKm->setGeometry(605, 134, 80, 22);
    SetHint(MinKm, QStringLiteral("Features smaller than this are not listed"));
    connect(MinKm, &QSpinBox::valueChanged, this, [this] { Relist(); });

    for (QScrollBar** bar : {&SunriseBar, &SunsetBar}) {
        const QRect& well = bar == &SunriseBar ? SunriseWell : SunsetWell;
        *bar = new QScrollBar(Qt::Vertical, this);
        (*bar)->setObjectName(bar == &SunriseBar ? QStringLiteral("ScrollSunrise")
                                                 : QStringLiteral("ScrollSunset"));
        (*bar)->setGeometry(well.right() + 1, well.top(), 16, well.height());
        connect(*bar, &QScrollBar::valueChanged, this, [this] { update(); });
    }
    AddHintArea(NightWell, QStringLiteral("The best moment tonight: the Moon highest while it "
                                          "stands above 15 degrees and the Sun below -12"));
    connect(&State, &TProgramState::Changed, this, [this](TStateChanges what) {
        if (isVisible() &&
            (what & (TStateChange::Day | TStateChange::Month | TStateChange::Observer))) {
            FindNight();
            Relist();
        }
    });
}

TTerminatorView::~TTerminatorView() = default;

void TTerminatorView::Open() {
    FindNight();
    LoadChosenFiles();
    Relist();
    if (MainWindow && !isVisible()) CentreOver(*MainWindow);
    showNormal();
    KeepOnScreen();
    raise();
    activateWindow();
}

void TTerminatorView::FindNight() {
    TBusyCursor busy;
    const TDateRec& selected = State.SelectedDate();
    NightDate = MakeDate(selected.Year, selected.Month, selected.Day);
    *Best = BestObservingMoment(NightDate.Year, NightDate.Month, NightDate.Day, State.Observer());
    NextNight.reset();
    if (Best->Sky == TNightSky::None)
        NextNight =
            NextObservingNight(NightDate.Year, NightDate.Month, NightDate.Day, State.Observer());
}

void TTerminatorView::LoadChosenFiles() {
    {
        TBusyCursor busy;
        std::vector<std::string> chosen;
        const std::vector<std::string> names = FeatureFileDisplayNames();
        for (std::size_t k = 0; k < Files.size(); ++k)
            if (Files[k]->isChecked()) chosen.push_back(names[k]);
        Candidates = LoadTerminatorCandidates(chosen, FeatureDataFolder());
    }
    for (const TFeatureFileLoad& load : Candidates.Unloaded)
        ReportFeatureFile(load, this);
}

void TTerminatorView::Relist() {
    *Listed = TerminatorFeatures(Candidates.Features, *Best, MinKm->value());
    SizeRowScrollBar(*SunriseBar, static_cast<int>(Listed->Sunrise.size()), VisibleRows);
    SizeRowScrollBar(*SunsetBar, static_cast<int>(Listed->Sunset.size()), VisibleRows);
    update();
}

QString TTerminatorView::NightText() const {
    const QDate night(NightDate.Year, NightDate.Month, NightDate.Day);
    QString text = QStringLiteral("Night of ") + night.toString(QStringLiteral("dddd d MMMM yyyy"));
    if (Best->Sky == TNightSky::None) return text;
    return text + QStringLiteral(":  best at %1,  Moon %2\u00b0 high,  %3 % lit")
                      .arg(ClockText(Best->BestJD, State.Observer()))
                      .arg(std::lround(Best->MoonAltitudeDeg))
                      .arg(Best->Illumination);
}

QString TTerminatorView::SpanText() const {
    const TObserver& o = State.Observer();
    switch (Best->Sky) {
    case TNightSky::Dark:
        return QStringLiteral("Dark sky with the Moon above 15\u00b0 from %1 to %2")
            .arg(ClockText(Best->StartJD, o), ClockText(Best->EndJD, o));
    case TNightSky::Twilight:
        return QStringLiteral("The sky never gets dark: the Moon is up from %1 to %2")
            .arg(ClockText(Best->StartJD, o), ClockText(Best->EndJD, o));
    case TNightSky::None:
        break;
    }
    QString text = QStringLiteral("No dark sky with the Moon up tonight");
    if (NextNight)
        text += QStringLiteral(";  next: the night of ") +
                QDate(NextNight->Year, NextNight->Month, NextNight->Day)
                    .toString(QStringLiteral("dddd d MMMM"));
    return text;
}

void TTerminatorView::wheelEvent(QWheelEvent* event) {
    // The list under the mouse; the sunset list right of the sunrise list.
    const bool sunset = event->position().x() >= SunsetWell.left();
    ScrollRowsByWheel(sunset ? *SunsetBar : *SunriseBar, Wheel, *event);
}

void TTerminatorView::PaintOver(QPainter& painter) {
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(ScaledFont(ArialFamily, 9, FontScale(this)));
    const int ascent = painter.fontMetrics().ascent();
    painter.setPen(PanelText);
    painter.drawText(NightWell.left() + 10, NightWell.top() + 4 + ascent, NightText());
    painter.setPen(Best->Sky == TNightSky::None ? QColor(Qt::white) : Aqua);
    painter.drawText(NightWell.left() + 10, NightWell.top() + 24 + ascent, SpanText());
    PaintSide(painter, SunriseWell, *SunriseBar, Listed->Sunrise);
    PaintSide(painter, SunsetWell, *SunsetBar, Listed->Sunset);
}

void TTerminatorView::PaintSide(QPainter& painter, const QRect& well, const QScrollBar& bar,
                                const std::vector<TTerminatorFeature>& side) const {
    const int first = bar.value();
    const int rows = std::clamp(static_cast<int>(side.size()) - first, 0, VisibleRows);
    OpenRowWell(painter, well, rows, first, *this);
    const QFontMetrics metrics = painter.fontMetrics();
    for (int c = 0; c < rows; ++c) {
        const TTerminatorFeature& f = side[static_cast<std::size_t>(first + c)];
        const int baseline = FeatureRowHeight * c + 1 + metrics.ascent();
        painter.setPen(PanelText);
        painter.drawText(NameX, baseline,
                         metrics.elidedText(Q(f.Feature.Name), Qt::ElideRight, 180));
        const QString sun = QString::number(f.SunAltitudeDeg, 'f', 1) + QChar(0x00b0);
        painter.setPen(Aqua);
        painter.drawText(SunRight - metrics.horizontalAdvance(sun), baseline, sun);
        const QString size = SizeText(f.Feature.DiameterKm);
        painter.setPen(Qt::white);
        painter.drawText(SizeRight - metrics.horizontalAdvance(size), baseline, size);
    }
    painter.restore();
}
