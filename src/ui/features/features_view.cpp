// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/features/features_view.h"

#include <algorithm>

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>

#include "features/feature_event_texts.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/program_state.h"
#include "ui/features/feature_list_view.h"

namespace {

const QString ArtFeaturesBackground = QStringLiteral("features-background.jpg");
constexpr int NameX = 10;
constexpr int SunriseX = 250;
constexpr int SunsetX = 430;

} // namespace

TFeatures::TFeatures(const TProgramState& state, QWidget* main)
    : TBorderlessWindow(TWindowRole::Normal), State(state), MainWindow(main) {
    setObjectName(QStringLiteral("Features"));
    setWindowTitle(QStringLiteral("Lunar Features: Sunrise and Sunset"));
    SetBackgroundArt(ArtFeaturesBackground);
    AddTitleArea({150, 6, 420, 28});
    AddMinimiseArea({width() - 48, 14, 15, 15}, QStringLiteral("Minimise this window"));
    AddExitArea({width() - 26, 14, 13, 15}, QStringLiteral("Exit Tidewell"));
    FeatureFileChoice = FeatureFileList(this, {52, 12, 89, 21});
    FeatureFileChoice->setCurrentIndex(FeatureFileIndex(-1));
    connect(FeatureFileChoice, &QComboBox::activated, this, [this] { DisplaySunRiseSetTimes(); });
    connect(AddButton(QStringLiteral("lblDatabase"), {20, 14, 21, 19},
                      QStringLiteral("Display the feature database")),
            &TClickLabel::Clicked, this, [this](Qt::MouseButton button, QPoint) {
                if (button == Qt::LeftButton) emit DatabaseRequested(FeatureFileChoice->currentIndex());
            });
    const QFont font = ScaledFont(ArialFamily, 8, FontScale(this));
    const std::pair<const char*, int> headings[] = {
        {"Feature Name", 31}, {"Lunar Sunrise", 282}, {"Lunar Sunset", 462}};
    for (const auto& [text, left] : headings) {
        auto* label = new QLabel(QString::fromLatin1(text), this);
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color: rgb(20, 22, 28)"));
        label->adjustSize();
        label->move(left, 42);
    }
    RowScroll = new QScrollBar(Qt::Vertical, this);
    RowScroll->setObjectName(QStringLiteral("ScrollBar1"));
    RowScroll->setGeometry(Well.right() + 1, Well.top(), 16, Well.height() - 1);
    connect(RowScroll, &QScrollBar::valueChanged, this, [this] { update(); });
    // The times run from the selected moment at the observer's place: another day, month,
    // time of day or place lists them again.
    connect(&State, &TProgramState::Changed, this, [this](TStateChanges what) {
        if (isVisible() && (what & (TStateChange::Day | TStateChange::Month |
                                    TStateChange::Observer | TStateChange::Clock)))
            ComputeTimes();
    });
}

void TFeatures::Display(int index) {
    FeatureFileChoice->setCurrentIndex(FeatureFileIndex(index));
    DisplaySunRiseSetTimes();
}

void TFeatures::DisplaySunRiseSetTimes() {
    if (MainWindow && !isVisible()) CentreOver(*MainWindow);
    KeepOnScreen();
    show();
    raise();
    activateWindow();
    ComputeTimes(); // before the window is first painted
}

void TFeatures::ComputeTimes() {
    TFeatureFileLoad load;
    {
        TBusyCursor busy;
        TFeatureTable table;
        load = LoadFeatureTable(table, FeatureFileChoice->currentText());
        Listing = FeatureSunriseSunset(table, State.SelectedDate(), State.Observer());
    }
    const int keep = RowScroll->value();
    SizeRowScrollBar(*RowScroll, static_cast<int>(Listing.size()), VisibleRows);
    RowScroll->setValue(std::min(keep, RowScroll->maximum()));
    update();
    ReportFeatureFile(load, this);
}

void TFeatures::wheelEvent(QWheelEvent* event) {
    ScrollRowsByWheel(*RowScroll, Wheel, *event);
}

void TFeatures::PaintOver(QPainter& painter) {
    const int first = RowScroll->value();
    const int rows = std::clamp(static_cast<int>(Listing.size()) - first, 0, VisibleRows);
    OpenRowWell(painter, Well, rows, first, *this);
    const int ascent = painter.fontMetrics().ascent();
    for (int c = 0; c < rows; ++c) {
        const TFeatureSunEvents& row = Listing[first + c];
        const int baseline = FeatureRowHeight * c + 1 + ascent;
        painter.setPen(PanelText);
        painter.drawText(NameX, baseline, QString::fromStdString(row.Name));
        painter.setPen(Aqua);
        painter.drawText(SunriseX, baseline, QString::fromStdString(FeatureEventText(row.Sunrise)));
        painter.setPen(Qt::white);
        painter.drawText(SunsetX, baseline, QString::fromStdString(FeatureEventText(row.Sunset)));
    }
    painter.restore();
}
