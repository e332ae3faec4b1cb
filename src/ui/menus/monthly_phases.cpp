// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/menus/monthly_phases.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

#include "engine/regional_names.h"
#include "ui/common/art_names.h"
#include "ui/common/artwork.h"
#include "ui/common/calendar_layout.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/messages.h"
#include "ui/common/month_follower.h"
#include "ui/common/panels_draw.h"
#include "ui/common/phase_shading.h"
#include "ui/common/save_folder.h"
#include "ui/common/whole_file_qt.h"
#include "ui/reports/printed_calendar.h"

namespace {

constexpr int W = TMonthlyPhases::PictureWidth;
constexpr int H = TMonthlyPhases::PictureHeight;
constexpr int FirstTop = 32;
constexpr int MoonRadius = 25;

const QColor TitleInk(220, 220, 255);

QString AskWithDialog(QWidget* owner, const QString& suggested) {
    // The desktop's dialog asks before it overwrites a file.
    return QFileDialog::getSaveFileName(
        owner, QStringLiteral("Save image to disk"), suggested,
        QStringLiteral("PNG image (*.png);;JPEG image (*.jpg *.jpeg);;Bitmap (*.bmp)"));
}

} // namespace

TMonthlyPhases::TMonthlyPhases(const TProgramState& state, QWidget* main)
    : TBorderlessWindow(TWindowRole::Normal), State(state), MainWindow(main),
      MiniMoonArt(LoadArt(ArtFullMoonSmall)), AskFileName(AskWithDialog) {
    setObjectName(QStringLiteral("MonthlyPhases"));
    setWindowTitle(QStringLiteral("Monthly Phases"));
    SetBackgroundArt(ArtMonthlyPhasesBackground);
    setFixedSize(490, 480);
    AddTitleArea({140, 10, 210, 26});
    AddExitArea({464, 14, 13, 15}, QStringLiteral("Close this window"));
    connect(AddButton(QStringLiteral("lblSave"), {20, 14, 13, 13},
                      QStringLiteral("Save image to disk")),
            &TClickLabel::Clicked, this, &TMonthlyPhases::SaveClick);
    FollowMonth(
        this, State, [this] { DrawMoonPhases(); },
        TStateChange::Month | TStateChange::Observer | TStateChange::Settings);
}

QString TMonthlyPhases::SuggestedPath() {
    return SuggestedSavePath(QStandardPaths::PicturesLocation, QStringLiteral("MoonPhases.png"));
}

void TMonthlyPhases::Open() {
    DrawMoonPhases();
    if (MainWindow) CentreOver(*MainWindow);
    showNormal();
    raise();
    activateWindow();
}

void TMonthlyPhases::DrawMoonPhases() {
    // Seen from the south the Moon stands on its head.
    MiniMoonImage = State.Southern() ? MiniMoonArt.mirrored(true, true) : MiniMoonArt;
    Top = FirstTop;
    PhasesImage = QImage(W, H, QImage::Format_RGB32);
    PhasesImage.fill(Qt::black);
    QPainter p(&PhasesImage);
    p.setBrush(Qt::NoBrush);
    p.setPen(QColor(0, 0, 255));
    p.drawRect(0, 0, W - 1, H - 1);
    p.setPen(QColor(100, 100, 255));
    p.drawRect(1, 1, W - 3, H - 3);
    p.setPen(QColor(0, 0, 128));
    p.drawPolyline(QPolygon({QPoint(2, H - 2), QPoint(2, 2), QPoint(W - 2, 2)}));
    p.setPen(QColor(172, 172, 255));
    p.drawPolyline(QPolygon({QPoint(W - 2, 2), QPoint(W - 2, H - 2), QPoint(2, H - 2)}));
    p.setRenderHint(QPainter::TextAntialiasing);
    PrintTitle(p);
    PrintDayNames(p);
    DrawCells(p);
    update();
}

void TMonthlyPhases::PrintTitle(QPainter& p) {
    const TDateRec& date = State.SelectedDate();
    const QString text = QStringLiteral("%1 %2").arg(Q(LongMonthName(date.Month))).arg(date.Year);
    p.setFont(ScaledFont(ArialFamily, 12, FontScale(this), true));
    p.setPen(TitleInk);
    const QFontMetrics m = p.fontMetrics();
    DrawTextAt(p, (W - m.horizontalAdvance(text)) / 2, (Top - m.height()) / 2 + 1, text);
}

void TMonthlyPhases::PrintDayNames(QPainter& p) {
    p.setFont(ScaledFont(ArialFamily, 8, FontScale(this)));
    const int cw = (W - 6) / 7;
    const int hh = p.fontMetrics().height() + 4;
    p.setBrush(PanelText);
    for (int i = 0; i < 7; ++i) {
        const int x = 3 + i * cw;
        p.setPen(Qt::black);
        p.drawRect(x, Top, cw, hh);
        const QString name =
            Q(RegionalNames().LongDayNames[size_t((State.DayOrder() + i) % 7)]).left(10);
        DrawTextAt(p, x + (cw - p.fontMetrics().horizontalAdvance(name)) / 2, Top + 2, name);
    }
    Top += hh;
    p.setBrush(Qt::white);
}

void TMonthlyPhases::DrawCells(QPainter& p) {
    const TDateRec& date = State.SelectedDate();
    const TMonthLayout layout = MonthLayout(date.Month, date.Year, State.DayOrder());
    const bool northern = !State.Southern();
    p.setFont(ScaledFont(ArialFamily, 7, FontScale(this)));
    const int cw = (W - 6) / 7;
    const int ch = (H - Top - 2) / 6;
    for (int n = 0; n < CalendarCells; ++n) {
        const std::string caption = CellCaption(n, layout);
        if (caption == " ") continue;
        const int x = cw * (n % 7);
        const int y = Top + (n / 7) * ch;
        p.setPen(QColor(80, 80, 80));
        p.setBrush(Qt::black);
        p.drawRect(x + 3, y + 1, cw + 1, ch + 1);
        p.drawImage(x + 12, northern ? y + 8 : y + 7, MiniMoonImage);
        const int day = DayOfCell(n, layout);
        const TDayMoon moon = MoonAtLocalMidnight(date.Year, date.Month, day, State.Observer());
        // The printed calendar's shading over the photograph: its white disc leaves the
        // photograph as it is, its black shadow darkens the unlit part.
        p.save();
        p.setCompositionMode(QPainter::CompositionMode_Multiply);
        DrawPhaseDisc(p, QPoint(x + cw / 2 + 5, y + ch / 2 + 2), MoonRadius, moon.Illumination,
                      DarkSideLeft(moon.Waxing, northern), Qt::black, 0);
        p.restore();
        p.setPen(Qt::white);
        DrawTextAt(p, x + 7, y + 4, Q(caption));
    }
}

void TMonthlyPhases::PaintOver(QPainter& painter) {
    if (PhasesImage.isNull()) return;
    painter.drawImage(PictureAt, PhasesImage, QRect(3, 3, W - 5, H - 5));
}

void TMonthlyPhases::SaveClick() {
    const QString path = AskFileName ? AskFileName(this, SuggestedPath()) : QString();
    if (!path.isEmpty()) (void)SaveTo(path);
}

bool TMonthlyPhases::SaveTo(const QString& chosen) {
    QString path = chosen;
    QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty()) {
        path += QStringLiteral(".png");
        suffix = QStringLiteral("png");
    }
    if (suffix == QStringLiteral("jpeg")) suffix = QStringLiteral("jpg");
    if (suffix != "png" && suffix != "jpg" && suffix != "bmp") {
        ShowMessage(this, QStringLiteral("The picture can be saved as PNG, JPG or BMP only, not "
                                         "as \"%1\".")
                              .arg(QFileInfo(path).fileName()));
        return false;
    }
    // Encoded first, then written whole: a file of that name is replaced only by a complete
    // picture.
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, suffix.toLatin1());
    if (suffix == "jpg") writer.setQuality(92);
    QString error;
    if (!writer.write(PhasesImage))
        error = writer.errorString();
    else if (SaveWholeFile(path, encoded, error))
        return true;
    ShowMessage(this, QStringLiteral("The picture could not be saved as %1: %2")
                          .arg(QDir::toNativeSeparators(path), error));
    return false;
}
