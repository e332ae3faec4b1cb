// The month calendar of the main window: weekday headers, day cells, the month and year
// captions, day selection and the year editor.

#include <algorithm>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>

#include "engine/regional_names.h"
#include "ui/common/click_label.h"
#include "ui/main/panels_draw.h"
#include "ui/main/tmain.h"

namespace {

constexpr int GridLeft = 420;
constexpr int ColumnWidth = 29;
constexpr int HeaderTop = 291;
constexpr int CellTop = 316;
constexpr int RowHeight = 25;

} // namespace

void TMain::CreateCalendar() {
    const QFont headerFont = ArialPoints(9);
    for (int i = 0; i < CalendarColumns; ++i) {
        QLabel* header = MakeLabel(QStringLiteral("lblDay%1").arg(i),
                                   {GridLeft + ColumnWidth * i, HeaderTop, 29, 16}, headerFont,
                                   QColor(0, 255, 255), Qt::AlignHCenter | Qt::AlignTop);
        header->setText(" ");
        DayLabels.append(header);
    }
    SetDayTitles(DayOrder);

    const QFont cellFont = ArialPoints(11, true);
    for (int r = 0; r < CalendarRows; ++r) {
        for (int c = 0; c < CalendarColumns; ++c) {
            auto* cell = new TClickLabel(this);
            cell->setObjectName(
                QStringLiteral("lblDate%1%2").arg(QChar('A' + r)).arg(QChar('A' + c)));
            cell->setGeometry(GridLeft + ColumnWidth * c, CellTop + RowHeight * r, 20, 16);
            cell->setFont(cellFont);
            SetTextColour(cell, QColor(255, 255, 176));
            cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cell->setText(" ");
            connect(cell, &TClickLabel::Clicked, this,
                    [this, cell](Qt::MouseButton button, QPoint) {
                        if (button == Qt::LeftButton) DateSelect(cell);
                    });
            connect(
                cell, &TClickLabel::Pressed, this,
                [this, cell](Qt::MouseButton button, QPoint) { DisplayDateInfo(cell, button); });
            DateLabels.append(cell);
        }
    }
}

void TMain::SetDayTitles(int order) {
    const auto& names = RegionalNames().ShortDayNames;
    for (int i = 0; i < DayLabels.size(); ++i)
        DayLabels[i]->setText(QString::fromStdString(names[static_cast<size_t>((order + i) % 7)]));
}

void TMain::PlaceMonthCaptions() {
    QLabel* month = Control("lblSelectedmonth");
    QLabel* monthShadow = Control("lblSelectedMonthShadow");
    QLabel* year = Control("lblSelectedYear");
    QLabel* yearShadow = Control("lblSelectedYearShadow");
    for (QLabel* label : {month, monthShadow, year, yearShadow})
        label->adjustSize();
    const int c = width() - month->width() - year->width() - 450;
    month->move(GridLeft + c / 2, month->y());
    monthShadow->move(month->x() + 1, month->y() + 1);
    year->move(month->x() + month->width() + 10, month->y());
    yearShadow->move(year->x() + 1, year->y() + 1);
    if (YearEditing) {
        // The month shown again while the year is typed (the window activated after a
        // message, or midnight passed): the edit box and the cursor follow the caption.
        YearButtonPos = QPoint(year->x() - 8, year->y() - 3);
        Control("lblCursor")->move(year->x() + year->width(), year->y() - 1);
    }
}

void TMain::ShowSelectedMonth(TDateRec date) {
    Layout = MonthLayout(date.Month, date.Year, DayOrder);
    for (int i = 0; i < DateLabels.size(); ++i)
        DateLabels[i]->setText(QString::fromStdString(CellCaption(i, Layout)));

    const QString yearText = QString::number(date.Year);
    const QString monthText = QString::fromLatin1(CalendarMonthName(date.Month));
    Control("lblSelectedYear")->setText(yearText);
    Control("lblSelectedYearShadow")->setText(yearText);
    Control("lblSelectedmonth")->setText(monthText);
    Control("lblSelectedMonthShadow")->setText(monthText);
    PlaceMonthCaptions();

    // A day past the month's end (a caller that did not limit it) becomes its last day.
    date.Day = static_cast<std::uint16_t>(std::clamp<int>(date.Day, 1, Layout.MonthDays));
    SelectedDate.Day = date.Day;
    SelectedDate.Month = date.Month;
    SelectedDate.Year = date.Year;
    const int index = Layout.LeadingBlanks + date.Day - 1;
    if (index >= 0 && index < DateLabels.size()) DateSelect(DateLabels[index]);
    DisplayPhaseTimes();
    emit MonthShown();
}

void TMain::DateSelect(QLabel* cell) {
    bool ok = false;
    const int day = cell->text().trimmed().toInt(&ok);
    if (!ok || day <= 0) return;
    SelectedDate.Day = static_cast<std::uint16_t>(day);
    CurrentDatePos = QPoint(cell->x() - 1, cell->y() - 3);
    SelectedDate.JD = JulianDay(SelectedDate);
    NewMoons = BracketingNewMoons(SelectedDate);
    ComputeApsides();
    DisplayLunarRiseSetTimes(SelectedDate);
    DisplaySolarRiseSetTimes(SelectedDate);
    update();
}

void TMain::DisplayDateInfo(QLabel* cell, Qt::MouseButton button) {
    if (button != Qt::RightButton) return;
    bool ok = false;
    const int day = cell->text().trimmed().toInt(&ok);
    if (!ok || day <= 0) return;
    TDateRec date = SelectedDate;
    date.Day = static_cast<std::uint16_t>(day);
    date.JD = JulianDay(date);
    if (OnDateInfo) OnDateInfo(date);
}

// --- the year editor ---

void TMain::OpenYearEditor() {
    QLabel* year = Control("lblSelectedYear");
    YearEditing = true;
    Control("lblCursor")->setFont(ArialPoints(14, true));
    ShowCursor(year);
    YearButtonPos = QPoint(year->x() - 8, year->y() - 3);
    SetTextColour(year, Qt::black);
    Control("lblSelectedYearShadow")->hide();
    setFocus(Qt::OtherFocusReason);
    update();
}

void TMain::ShowCursor(QLabel* label) {
    QLabel* cursor = Control("lblCursor");
    cursor->adjustSize();
    cursor->move(label->x() + label->width(), label->y() - 1);
    cursor->raise();
    cursor->show();
    CursorTimer->start();
}

void TMain::YearKey(char key) {
    QLabel* year = Control("lblSelectedYear");
    year->setText(QString::fromStdString(YearEditKey(year->text().toStdString(), key)));
    year->adjustSize();
    Control("lblCursor")->move(year->x() + year->width(), Control("lblCursor")->y());
    if (key != '\r') return;
    int value = 0;
    if (!ParseYear(year->text().toStdString(), value)) {
        // An empty or out-of-range year is refused; the editor stays open.
        const QString typed = year->text();
        const QString message =
            (typed.isEmpty() ? QStringLiteral("No year was typed.")
                             : QStringLiteral("%1 is not a year Tidewell can show.").arg(typed)) +
            QStringLiteral(" Please type a year from 1 to 9999.");
        LastYearError = typed.isEmpty() ? QStringLiteral("empty") : typed;
        if (Setup.ShowWarnings) QMessageBox::warning(this, QStringLiteral("Tidewell"), message);
        return;
    }
    AcceptYear();
    if (OnYearAccepted) OnYearAccepted();
}

void TMain::AcceptYear() {
    QLabel* year = Control("lblSelectedYear");
    if (YearEditing) {
        int value = 0;
        if (ParseYear(year->text().toStdString(), value)) {
            Control("lblSelectedYearShadow")->setText(year->text());
            SelectedDate.Year = static_cast<std::uint16_t>(value);
            const int days = DaysInMonth(SelectedDate.Month, value);
            if (SelectedDate.Day > days) SelectedDate.Day = static_cast<std::uint16_t>(days);
            SelectedDate.JD = JulianDay(SelectedDate);
        }
        // A caption that is no year (left open by another window) falls back to the year
        // in force.
        ShowSelectedMonth(SelectedDate);
    }
    SetTextColour(year, QColor(60, 60, 60));
    Control("lblSelectedYearShadow")->show();
    YearButtonPos = QPoint(-100, -100);
    CursorTimer->stop();
    Control("lblCursor")->hide();
    YearEditing = false;
    update();
}

void TMain::keyPressEvent(QKeyEvent* event) {
    if (!YearEditing) {
        TBorderlessWindow::keyPressEvent(event);
        return;
    }
    char key = 0;
    if (event->key() == Qt::Key_Backspace)
        key = '\b';
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        key = '\r';
    else if (!event->text().isEmpty())
        key = event->text().at(0).toLatin1();
    YearKey(key);
    event->accept();
}
