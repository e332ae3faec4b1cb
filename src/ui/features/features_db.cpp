// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/features/features_db.h"

#include <algorithm>

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>

#include "features/feature_position.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/window_placement.h"
#include "ui/features/feature_list_view.h"

namespace {

const QString ArtFeaturesDbBackground = QStringLiteral("features-db-background.jpg");
constexpr int HeadingLefts[5] = {32, 159, 242, 344, 384};
const char* const HeadingTexts[5] = {"Feature Name", "Lunar Latitude", "Lunar Longitude", "Diam.",
                                     "Comments"};
constexpr int CommentX = 365; // in the row, before the column offset
const QColor Cream(255, 255, 230);
const QColor CommentBlue(0, 245, 255);

// The columns of one angle: whole degrees, two-figure minutes and seconds, the side letter.
struct TAngleTexts {
    QString Degrees, Minutes, Seconds, Side;
};

TAngleTexts AngleTexts(double signedDeg, QChar positive, QChar negative) {
    const TFeatureDms dms = FeatureDms(signedDeg);
    const auto twoFigures = [](int value) {
        return QStringLiteral("%1").arg(value, 2, 10, QChar('0'));
    };
    return {QString::number(dms.Degrees), twoFigures(dms.Minutes), twoFigures(dms.Seconds),
            dms.Negative ? negative : positive};
}

} // namespace

TFeaturesDB::TFeaturesDB(QWidget* main) : TBorderlessWindow(TWindowRole::Normal), MainWindow(main) {
    setObjectName(QStringLiteral("FeaturesDB"));
    setWindowTitle(QStringLiteral("Lunar Features Database"));
    SetBackgroundArt(ArtFeaturesDbBackground);
    AddTitleArea({120, 6, 440, 28});
    AddExitArea({width() - 26, 14, 13, 15}, QStringLiteral("Exit Tidewell"));
    FeatureFileChoice = FeatureFileList(this, {20, 12, 89, 21});
    connect(FeatureFileChoice, &QComboBox::activated, this, [this] { LoadSelected(); });
    const QFont font = ScaledFont(ArialFamily, 8, FontScale(this));
    for (int k = 0; k < 5; ++k) {
        Headings[k] = new QLabel(QString::fromLatin1(HeadingTexts[k]), this);
        Headings[k]->setObjectName(
            QStringList{"lblName", "lblLatitude", "lblLongitude", "lblDiameter", "lblComments"}[k]);
        Headings[k]->setFont(font);
        Headings[k]->setStyleSheet(QStringLiteral("color: rgb(20, 22, 28)"));
        Headings[k]->adjustSize();
    }
    RowScroll = new QScrollBar(Qt::Vertical, this);
    RowScroll->setObjectName(QStringLiteral("ScrollBar1"));
    RowScroll->setGeometry(Well.right() + 1, Well.top(), 16, Well.height() - 1);
    ColumnScroll = new QScrollBar(Qt::Horizontal, this);
    ColumnScroll->setObjectName(QStringLiteral("ScrollBar2"));
    ColumnScroll->setGeometry(Well.left(), Well.bottom() + 1, Well.width(), 16);
    ColumnScroll->setRange(0, 6);
    ColumnScroll->setPageStep(1);
    connect(RowScroll, &QScrollBar::valueChanged, this, [this] {
        HintCutComments();
        update();
    });
    connect(ColumnScroll, &QScrollBar::valueChanged, this, [this] {
        PlaceHeadings();
        HintCutComments();
        update();
    });
    PlaceHeadings();
}

QString TFeaturesDB::DiameterText(double km) {
    // The files give diameters to a ten-thousandth of a kilometre; printed whole, a number
    // such as 12.5243 runs into the longitude's hemisphere letter. Ten metres below 100 km
    // and a hundred above are finer than the rims are defined.
    return QString::number(km, 'f', km >= 1000 ? 0 : km >= 100 ? 1 : 2);
}

int TFeaturesDB::ColumnOffset(int step) {
    constexpr int Offsets[7] = {0, -130, -220, -310, -355, -555, -755};
    return Offsets[std::clamp(step, 0, 6)];
}

void TFeaturesDB::Display(int index, QWidget* over) {
    FeatureFileChoice->setCurrentIndex(FeatureFileIndex(index));
    LoadSelected();
    if (QWidget* owner = over ? over : MainWindow)
        PlaceAt(*owner, {(owner->width() - width()) / 2, CascadeDrop});
    show();
    raise();
    activateWindow();
}

void TFeaturesDB::LoadSelected() {
    const TFeatureFileLoad load = LoadFeatureTable(Features, FeatureFileChoice->currentText());
    SizeRowScrollBar(*RowScroll, Features.FeatureCount(), VisibleRows);
    RowScroll->setValue(0);
    ColumnScroll->setValue(0);
    PlaceHeadings();
    HintCutComments();
    update();
    ReportFeatureFile(load, this);
}

void TFeaturesDB::HintCutComments() {
    ClearHintAreas();
    const QFontMetrics metrics(ScaledFont(ArialFamily, 8, FontScale(this)));
    const int first = RowScroll->value();
    const int rows = std::clamp(Features.FeatureCount() - first, 0, VisibleRows);
    const int left = Well.left() + ColumnOffset(ColumnScroll->value()) + CommentX;
    const int right = Well.left() + Well.width();
    for (int c = 0; c < rows; ++c) {
        const QString comment = QString::fromStdString(Features.Features[first + c].Comment);
        if (comment.isEmpty()) continue;
        if (left >= Well.left() && left + metrics.horizontalAdvance(comment) <= right) continue;
        const int shownLeft = std::clamp(left, Well.left(), right);
        AddHintArea(QRect(shownLeft, Well.top() + FeatureRowHeight * c, right - shownLeft,
                          FeatureRowHeight),
                    comment);
    }
}

void TFeaturesDB::PlaceHeadings() {
    const int h = ColumnOffset(ColumnScroll->value());
    for (int k = 0; k < 5; ++k) {
        Headings[k]->move(Well.left() + h + HeadingLefts[k] - 20, 42);
        Headings[k]->setVisible(h + HeadingLefts[k] > 20);
    }
}

void TFeaturesDB::wheelEvent(QWheelEvent* event) {
    ScrollRowsByWheel(*RowScroll, Wheel, *event);
}

void TFeaturesDB::PaintOver(QPainter& painter) {
    const int first = RowScroll->value();
    const int rows = std::clamp(Features.FeatureCount() - first, 0, VisibleRows);
    OpenRowWell(painter, Well, rows, first, *this);
    const QFontMetrics metrics = painter.fontMetrics();
    const int h = ColumnOffset(ColumnScroll->value());
    const int ascent = metrics.ascent();
    auto text = [&](int x, int top, const QString& s, const QColor& colour) {
        painter.setPen(colour);
        painter.drawText(x, top + ascent, s);
    };
    for (int c = 0; c < rows; ++c) {
        const TFeature& feature = Features.Features[first + c];
        const int y = FeatureRowHeight * c + 1;
        text(h + 10, y, QString::fromStdString(feature.Name), PanelText);
        const TAngleTexts lat = AngleTexts(feature.LatitudeDeg, 'N', 'S');
        text(h + 152 - metrics.horizontalAdvance(lat.Degrees), y, lat.Degrees + QChar(0xB0), Cream);
        text(h + 160, y, lat.Minutes + QLatin1Char('\''), Cream);
        text(h + 178, y, lat.Seconds + QLatin1Char('"'), Cream);
        text(h + 198, y, lat.Side, Cream);
        const TAngleTexts lon = AngleTexts(feature.LongitudeDeg, 'E', 'W');
        text(h + 245 - metrics.horizontalAdvance(lon.Degrees), y, lon.Degrees + QChar(0xB0), Cream);
        text(h + 252, y, lon.Minutes + QLatin1Char('\''), Cream);
        text(h + 270, y, lon.Seconds + QLatin1Char('"'), Cream);
        text(h + LongDirX, y, lon.Side, Cream);
        const QString diameter = DiameterText(feature.DiameterKm);
        text(h + DiameterEndX - metrics.horizontalAdvance(diameter), y,
             diameter + QStringLiteral(" km"), Qt::white);
        text(h + CommentX, y, QString::fromStdString(feature.Comment), CommentBlue);
    }
    painter.restore();
}
