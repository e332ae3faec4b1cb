// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/eclipse_report.h"

#include <algorithm>

#include <QApplication>
#include <QDate>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "engine/almanac_text.h"
#include "engine/eclipse_search.h"
#include "engine/text_helpers.h"
#include "ui/common/art_names.h"
#include "ui/common/fonts.h"
#include "ui/common/keyboard.h"
#include "ui/common/look.h"
#include "ui/common/messages.h"
#include "ui/common/month_follower.h"
#include "ui/common/panels_draw.h"
#include "ui/common/wheel_rows.h"
#include "ui/common/window_placement.h"

namespace {

constexpr int TypeX = 10, TextX = 100, VisibilityX = 250;
constexpr int TypeGap = 4;             // at least this between the type name and the time
constexpr int ReportsButtonLeft = 158; // the main window's report button
constexpr int ScrollBarWidth = 16;
constexpr int RightStrip = 21;

const QString OrderMessage = QStringLiteral("The \"From\" date must be less than the \"To\" date.");
const QString YearMessage = QStringLiteral("Enter a year from 1 to 9999 in both boxes.");

QString TypeText(const TEclipseListEntry& entry) {
    return Q(EclipseTypeText(entry.Type));
}

// The characters of the time and date column that fit before the visibility.
constexpr int MaximumTextRoom = 27;

TEclipseListEntry Entry(const EclipseCircumstances& e) {
    return {e.Type, Q(Utf8Prefix(EclipseMaximumText(e), MaximumTextRoom)),
            Q(EclipseVisibilityText(e.Visibility)), e.MaxDate};
}

// A year from its box, or 0 when the box is empty or outside the years a date can hold.
int YearOf(const QLineEdit* box) {
    bool ok = false;
    const int year = box->text().toInt(&ok);
    return ok && year >= FirstSearchYear && year <= LastSearchYear ? year : 0;
}

} // namespace

TYearBox::TYearBox(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(4);
    setFrame(false);
    setAlignment(Qt::AlignCenter);
}

void TYearBox::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool digit = text.size() == 1 && text[0] >= '0' && text[0] <= '9';
    static const int editingKeys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                      Qt::Key_Right,     Qt::Key_Home,   Qt::Key_End,
                                      Qt::Key_Return,    Qt::Key_Enter};
    if (digit || std::ranges::find(editingKeys, event->key()) != std::end(editingKeys)) {
        QLineEdit::keyPressEvent(event); // Return searches (returnPressed)
        return;
    }
    event->ignore(); // no other key types into the box; the window's keys reach the window
}

TEclipseReport::TEclipseReport(TProgramState& state, QWidget* main)
    : TBorderlessWindow(TWindowRole::Normal), State(state), MainWindow(main) {
    setObjectName(QStringLiteral("EclipseReport"));
    setWindowTitle(QStringLiteral("Lunar Eclipses"));
    setFocusPolicy(Qt::ClickFocus); // the list's focus; repainted as it comes and goes
    SetBackgroundArt(ArtEclipseReportBackground);
    AddTitleArea({60, 8, 270, 26});
    AddExitArea({360, 14, 13, 15}, QStringLiteral("Exit Tidewell"));
    connect(AddButton(QStringLiteral("lblCalculate"), {288, 42, 83, 21},
                      QStringLiteral("Calculate dates of eclipses between the two selected years")),
            &TClickLabel::Clicked, this, [this](Qt::MouseButton button, QPoint) {
                if (button == Qt::LeftButton) CalculateClick();
            });

    const QFont boxFont = PixelFont(ArialFamily, 12);
    FromYearField = new TYearBox(this);
    FromYearField->setObjectName(QStringLiteral("txtFromYear"));
    FromYearField->setGeometry(52, 44, 31, 18);
    FromYearField->setAccessibleName(QStringLiteral("From year"));
    ToYearField = new TYearBox(this);
    ToYearField->setObjectName(QStringLiteral("txtToYear"));
    ToYearField->setGeometry(110, 44, 31, 18);
    ToYearField->setAccessibleName(QStringLiteral("To year"));
    for (TYearBox* box : {FromYearField, ToYearField}) {
        box->setFont(boxFont);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, FieldGround);
        palette.setColor(QPalette::Text, PanelText);
        palette.setColor(QPalette::Highlight, FieldSelection);
        box->setPalette(palette);
        connect(box, &QLineEdit::returnPressed, this, &TEclipseReport::CalculateClick);
    }

    RowScroll = new QScrollBar(Qt::Vertical, this);
    RowScroll->setObjectName(QStringLiteral("ScrollBar1"));
    RowScroll->setGeometry(width() - ScrollBarWidth - RightStrip, ListTop, ScrollBarWidth,
                           RowHeight * MaxRows - 1);
    RowScroll->setRange(0, 0);
    RowScroll->setPageStep(MaxRows);
    connect(RowScroll, &QScrollBar::valueChanged, this, &TEclipseReport::DisplayDataBitmap);
    // The times and visibilities are the observer's: another place or zone searches the same
    // years again, the rows in view kept.
    FollowMonth(
        this, State,
        [this] {
            if (Searched) Search(SearchedFrom, SearchedTo, RowScroll->value());
        },
        TStateChange::Observer);
}

void TEclipseReport::Open() {
    if (!isVisible()) {
        const QString year = QString::number(State.CivilNow().date().year());
        SetYears(year, year);
        List.clear();
        Searched = false;
        RowScroll->setRange(0, 0);
        DisplayDataBitmap();
        if (MainWindow) PlaceAt(*MainWindow, {ReportsButtonLeft, CascadeDrop});
    }
    showNormal();
    raise();
    activateWindow();
}

void TEclipseReport::SetYears(const QString& from, const QString& to) {
    FromYearField->setText(from);
    ToYearField->setText(to);
}

void TEclipseReport::CalculateClick() {
    const int from = YearOf(FromYearField);
    const int to = YearOf(ToYearField);
    if (from == 0 || to == 0) {
        ShowMessage(this, YearMessage);
        return;
    }
    if (to < from) {
        ShowMessage(this, OrderMessage);
        return;
    }
    MarkedRow = -1;
    Search(from, to, 0);
}

void TEclipseReport::Search(int from, int to, int firstRow) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<EclipseCircumstances> found = EclipsesInYears(from, to, State.Observer());
    QApplication::restoreOverrideCursor();
    List.clear();
    List.reserve(found.size());
    for (const EclipseCircumstances& e : found)
        List.push_back(Entry(e));
    Searched = true;
    SearchedFrom = from;
    SearchedTo = to;
    RowScroll->setRange(0, std::max(0, static_cast<int>(List.size()) - MaxRows));
    RowScroll->setValue(firstRow);
    MarkedRow = std::min(MarkedRow, static_cast<int>(List.size()) - 1);
    DisplayDataBitmap();
}

int TEclipseReport::VisibleRows() const {
    return std::min(static_cast<int>(List.size()), MaxRows);
}

QRect TEclipseReport::ListArea() const {
    return {ListLeft, ListTop, ListWidth, RowHeight * MaxRows};
}

QList<TShownText> TEclipseReport::ShownTexts() {
    QList<TShownText> texts;
    const int first = RowScroll->value();
    for (int index = 0; index < static_cast<int>(List.size()); ++index) {
        const TEclipseListEntry& e = List[static_cast<size_t>(index)];
        const QRect row(ListLeft, ListTop + RowHeight * (index - first), ListWidth, RowHeight);
        texts.append({row, TypeText(e) + ", " + e.Text + ", " + e.Visibility, QString(),
                      [this, index] { ChooseEntry(index); }});
    }
    return texts;
}

void TEclipseReport::DisplayDataBitmap() {
    const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
    ListImage = QImage(ListArea().size() * ratio, QImage::Format_RGB32);
    ListImage.setDevicePixelRatio(ratio);
    ListImage.fill(Qt::black);
    QPainter p(&ListImage);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(ScaledFont(ArialFamily, 8, FontScale(this)));
    const int first = RowScroll->value();
    for (int r = 0; r < VisibleRows() && first + r < static_cast<int>(List.size()); ++r) {
        const int index = first + r;
        const TEclipseListEntry& e = List[static_cast<size_t>(index)];
        const int y = RowHeight * r;
        p.fillRect(QRect(0, y, ListWidth, RowHeight), index % 2 ? StripeLight : StripeDark);
        p.setPen(Qt::white);
        DrawTextFitted(p, TypeX, y + 1, TextX - TypeX - TypeGap, TypeText(e));
        p.setPen(Aqua);
        DrawTextAt(p, TextX, y + 1, e.Text);
        p.setPen(PanelText);
        DrawTextAt(p, VisibilityX, y + 1, e.Visibility);
    }
    update(ListArea());
}

void TEclipseReport::PaintOver(QPainter& painter) {
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(PixelFont(ArialFamily, 11));
    painter.setPen(FrameText);
    DrawTextAt(painter, 20, 46, QStringLiteral("From:"));
    DrawTextAt(painter, 90, 46, QStringLiteral("To:"));
    if (!ListImage.isNull()) painter.drawImage(ListArea(), ListImage);
    const int shownRow = MarkedRow - RowScroll->value();
    if (hasFocus() && MarkedRow >= 0 && shownRow >= 0 && shownRow < VisibleRows())
        PaintFocusMark(painter, {ListLeft, ListTop + RowHeight * shownRow, ListWidth, RowHeight});
}

int TEclipseReport::EntryAt(QPoint pos) const {
    const QRect rows(ListLeft, ListTop, ListWidth, RowHeight * VisibleRows());
    if (!rows.contains(pos)) return -1;
    const int index = (pos.y() - ListTop) / RowHeight + RowScroll->value();
    return index < static_cast<int>(List.size()) ? index : -1;
}

void TEclipseReport::mouseDoubleClickEvent(QMouseEvent* event) {
    const int index = EntryAt(event->position().toPoint());
    if (index >= 0) ChooseEntry(index);
}

void TEclipseReport::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Down ? 1 : event->key() == Qt::Key_Up ? -1 : 0;
    if (step != 0 && !List.empty())
        MarkRow(std::clamp(MarkedRow + step, 0, static_cast<int>(List.size()) - 1));
    else if (IsActivationKey(*event) && MarkedRow >= 0 && hasFocus())
        ChooseEntry(MarkedRow);
    else
        TBorderlessWindow::keyPressEvent(event);
}

void TEclipseReport::MarkRow(int index) {
    MarkedRow = index;
    setFocus(); // the list's, from a button's: Return chooses the row
    // The list scrolls to keep the marked row in view.
    if (index < RowScroll->value())
        RowScroll->setValue(index);
    else if (index >= RowScroll->value() + VisibleRows())
        RowScroll->setValue(index - VisibleRows() + 1);
    update();
}

void TEclipseReport::wheelEvent(QWheelEvent* event) {
    ScrollRowsByWheel(*RowScroll, Wheel, *event);
}

void TEclipseReport::ChooseEntry(int index) {
    if (index < 0 || index >= static_cast<int>(List.size())) return;
    const TDateRec& d = List[static_cast<size_t>(index)].Date;
    State.SelectMoment(MakeDate(d.Year, d.Month, d.Day, d.Hour, d.Minute));
    emit EclipseChosen();
}
