// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/calendar_panel.h"

#include <QKeyEvent>
#include <QPainter>

#include "engine/regional_names.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/messages.h"
#include "ui/common/panels_draw.h"

namespace {

constexpr int GridLeft = 420;
constexpr int ColumnWidth = 29;
constexpr int HeaderTop = 291;
constexpr int CellTop = 316;
constexpr int RowHeight = 25;
constexpr int CaptionTop = 260;
const QPoint Nowhere{-100, -100};

} // namespace

TCalendarPanel::TCalendarPanel(QWidget* window, TProgramState& state, const TArt& art,
                               double fontScale)
    : TWindowPart(window, {QRect(400, 250, 240, 222)}), State(state), Art(art),
      FontScale(fontScale) {
    setObjectName("Calendar");
    setFocusPolicy(Qt::ClickFocus); // for the year editor; Tab passes it by
    CreateCaptions();
    CreateCells();
    CursorTimer.setInterval(250);
    connect(&CursorTimer, &QTimer::timeout, this, [this] { Cursor->setVisible(!Cursor->isVisible()); });
    connect(&State, &TProgramState::Changed, this, [this](TStateChanges) {
        SetDayTitles(State.DayOrder());
        ShowSelectedMonth();
    });
    SetDayTitles(State.DayOrder());
    ShowSelectedMonth();
}

void TCalendarPanel::CreateCaptions() {
    const QFont big = PixelFont(ArialFamily, 19, true);
    MonthShadow = AddLabel("lblSelectedMonthShadow", {421, CaptionTop + 1, 10, 22}, big, ShadowColour);
    YearShadow = AddLabel("lblSelectedYearShadow", {521, CaptionTop + 1, 10, 22}, big, ShadowColour);
    MonthCaption = AddLabel("lblSelectedmonth", {420, CaptionTop, 10, 22}, big, MonthColour);
    YearCaption = AddLabel("lblSelectedYear", {520, CaptionTop, 10, 22}, big, MonthColour);
    MonthShadow->lower();
    YearShadow->lower();
    // The keys of the main window that do the same.
    MonthCaption->setToolTip(
        QStringLiteral("Choose the month (Page Up, Page Down; the arrow keys move the day)"));
    YearCaption->setToolTip(QStringLiteral("Type the year (Ctrl+Page Up, Ctrl+Page Down)"));
    connect(MonthCaption, &TClickLabel::Clicked, this, [this](Qt::MouseButton, QPoint) {
        AcceptYear();
        emit MonthPickerRequested();
    });
    connect(YearCaption, &TClickLabel::Clicked, this,
            [this](Qt::MouseButton, QPoint) { OpenYearEditor(); });
    Cursor = AddLabel("lblCursor", {0, 0, 8, 24}, ScaledFont(ArialFamily, 14, FontScale, true),
                      Qt::black);
    Cursor->setText("|");
    Cursor->hide();
}

void TCalendarPanel::CreateCells() {
    const QFont headerFont = ScaledFont(ArialFamily, 9, FontScale);
    for (int i = 0; i < CalendarColumns; ++i) {
        Headers[static_cast<size_t>(i)] =
            AddLabel(QStringLiteral("lblDay%1").arg(i), {GridLeft + ColumnWidth * i, HeaderTop, 29, 16},
                     headerFont, Aqua, Qt::AlignHCenter | Qt::AlignTop);
    }
    const QFont cellFont = ScaledFont(ArialFamily, 11, FontScale, true);
    for (int r = 0; r < CalendarRows; ++r) {
        for (int c = 0; c < CalendarColumns; ++c) {
            TClickLabel* cell =
                AddLabel(QStringLiteral("lblDate%1%2").arg(QChar('A' + r)).arg(QChar('A' + c)),
                         {GridLeft + ColumnWidth * c, CellTop + RowHeight * r, 20, 16}, cellFont,
                         PanelText, Qt::AlignRight | Qt::AlignVCenter);
            connect(cell, &TClickLabel::Clicked, this, [this, cell](Qt::MouseButton button, QPoint) {
                if (button == Qt::LeftButton) DateSelect(cell);
            });
            connect(cell, &TClickLabel::Pressed, this, [this, cell](Qt::MouseButton button, QPoint) {
                DisplayDateInfo(cell, button);
            });
            Cells[static_cast<size_t>(r * CalendarColumns + c)] = cell;
        }
    }
}

void TCalendarPanel::SetDayTitles(int order) {
    const auto& names = RegionalNames().ShortDayNames;
    for (int i = 0; i < CalendarColumns; ++i)
        Headers[static_cast<size_t>(i)]->setText(Q(names[static_cast<size_t>((order + i) % 7)]));
}

void TCalendarPanel::PlaceMonthCaptions() {
    for (QLabel* label : {MonthCaption, MonthShadow, YearCaption, YearShadow})
        label->adjustSize();
    const int c = MainWindowWidth - MonthCaption->width() - YearCaption->width() - 450;
    MonthCaption->move(GridLeft + c / 2, MonthCaption->y());
    MonthShadow->move(MonthCaption->x() + 1, MonthCaption->y() + 1);
    YearCaption->move(MonthCaption->x() + MonthCaption->width() + 10, MonthCaption->y());
    YearShadow->move(YearCaption->x() + 1, YearCaption->y() + 1);
    if (Editing) {
        // The month shown again while the year is typed (midnight passed, or another window
        // changed the month): the edit box and the cursor follow the caption.
        YearButtonAt = QPoint(YearCaption->x() - 8, YearCaption->y() - 3);
        Cursor->move(YearCaption->x() + YearCaption->width(), YearCaption->y() - 1);
    }
}

void TCalendarPanel::ShowSelectedMonth() {
    const TDateRec& date = State.SelectedDate();
    const TMonthLayout& layout = State.Month().Layout;
    for (int i = 0; i < CalendarCells; ++i)
        Cells[static_cast<size_t>(i)]->setText(Q(CellCaption(i, layout)));
    const QString yearText = QString::number(date.Year);
    const QString monthText = QString::fromLatin1(CalendarMonthName(date.Month));
    YearCaption->setText(yearText);
    YearShadow->setText(yearText);
    MonthCaption->setText(monthText);
    MonthShadow->setText(monthText);
    PlaceMonthCaptions();
    const TClickLabel* cell = DayCell(date.Day);
    HighlightAt = cell != nullptr ? QPoint(cell->x() - 1, cell->y() - 3) : Nowhere;
    update();
}

TClickLabel* TCalendarPanel::DayCell(int day) const {
    const int index = CellOfDay(day, State.Month().Layout);
    return index < 0 ? nullptr : Cells[static_cast<size_t>(index)];
}

int TCalendarPanel::DayOf(const TClickLabel* cell) const {
    for (int i = 0; i < CalendarCells; ++i)
        if (Cells[static_cast<size_t>(i)] == cell) return DayOfCell(i, State.Month().Layout);
    return 0;
}

void TCalendarPanel::DateSelect(const TClickLabel* cell) {
    const int day = DayOf(cell);
    if (day <= 0) return;
    const TDateRec& date = State.SelectedDate();
    State.SelectDate(date.Year, date.Month, day);
}

void TCalendarPanel::DisplayDateInfo(const TClickLabel* cell, Qt::MouseButton button) {
    if (button != Qt::RightButton) return;
    const int day = DayOf(cell);
    if (day <= 0) return;
    const TDateRec& selected = State.SelectedDate();
    emit DateInfoRequested(MakeDate(selected.Year, selected.Month, day, selected.Hour,
                                    selected.Minute, selected.Second));
}

// --- the year editor ---

void TCalendarPanel::OpenYearEditor() {
    Editing = true;
    Cursor->setFont(ScaledFont(ArialFamily, 14, FontScale, true));
    ShowCursor();
    YearButtonAt = QPoint(YearCaption->x() - 8, YearCaption->y() - 3);
    SetTextColour(YearCaption, Qt::black);
    YearShadow->hide();
    setFocus(Qt::OtherFocusReason);
    update();
}

void TCalendarPanel::ShowCursor() {
    Cursor->adjustSize();
    Cursor->move(YearCaption->x() + YearCaption->width(), YearCaption->y() - 1);
    Cursor->raise();
    Cursor->show();
    CursorTimer.start();
}

void TCalendarPanel::YearKey(char key) {
    YearCaption->setText(Q(YearEditKey(YearCaption->text().toStdString(), key)));
    YearCaption->adjustSize();
    Cursor->move(YearCaption->x() + YearCaption->width(), Cursor->y());
    if (key != '\r') return;
    int value = 0;
    if (!ParseYear(YearCaption->text().toStdString(), value)) {
        // An empty or out-of-range year is refused; the editor stays open.
        const QString typed = YearCaption->text();
        YearError = typed.isEmpty() ? QStringLiteral("empty") : typed;
        ShowMessage(this, (typed.isEmpty()
                               ? QStringLiteral("No year was typed.")
                               : QStringLiteral("%1 is not a year Tidewell can show.").arg(typed)) +
                              QStringLiteral(" Please type a year from 1 to 9999."));
        return;
    }
    AcceptYear();
    emit YearAccepted();
}

void TCalendarPanel::AcceptYear() {
    if (!Editing) return;
    int value = 0;
    const bool isYear = ParseYear(YearCaption->text().toStdString(), value);
    CloseYearEditor();
    const TDateRec& date = State.SelectedDate();
    // A caption that is no year (left open when another window was used) falls back to the
    // year in force.
    if (isYear) State.SelectDate(value, date.Month, date.Day);
    ShowSelectedMonth(); // the caption again, also when the year did not change

}

void TCalendarPanel::CloseYearEditor() {
    Editing = false;
    SetTextColour(YearCaption, MonthColour);
    YearShadow->show();
    YearButtonAt = Nowhere;
    CursorTimer.stop();
    Cursor->hide();
    update();
}

bool TCalendarPanel::YearKeyPress(QKeyEvent* event) {
    if (!Editing) return false;
    char key = 0;
    if (event->key() == Qt::Key_Backspace)
        key = '\b';
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        key = '\r';
    else if (!event->text().isEmpty())
        key = event->text().at(0).toLatin1();
    YearKey(key);
    event->accept();
    return true;
}

void TCalendarPanel::keyPressEvent(QKeyEvent* event) {
    if (!YearKeyPress(event)) TWindowPart::keyPressEvent(event);
}

void TCalendarPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (HighlightAt != Nowhere) painter.drawImage(HighlightAt, Art.DayHighlight);
    if (Editing) painter.drawImage(YearButtonAt, Art.YearButton);
}
