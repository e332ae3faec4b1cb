// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/menus/report_menu.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "engine/regional_names.h"
#include "ui/common/art_names.h"
#include "ui/common/artwork.h"
#include "ui/common/fonts.h"
#include "ui/common/keyboard.h"
#include "ui/common/look.h"
#include "ui/common/window_placement.h"

namespace {

constexpr int ReportsButtonLeft = 158; // the main window's report button
constexpr int MonthNameX = 24;

QLabel* ArrowLabel(QWidget* parent, const QString& name, const QString& art, QPoint at) {
    auto* arrow = new QLabel(parent);
    arrow->setObjectName(name);
    arrow->setPixmap(LoadArtPixmap(art));
    arrow->adjustSize();
    arrow->move(at);
    arrow->setAttribute(Qt::WA_TransparentForMouseEvents);
    arrow->hide();
    return arrow;
}

} // namespace

// ---- TReportMenu ---------------------------------------------------------------------

TReportMenu::TReportMenu(QWidget* main) : TBorderlessWindow(TWindowRole::PopUp), MainWindow(main) {
    setObjectName(QStringLiteral("ReportMenu"));
    setWindowTitle(QStringLiteral("Reports"));
    SetBackgroundArt(ArtReportMenu);
    setMouseTracking(true);
    EntryArrow = ArrowLabel(this, QStringLiteral("imgArrow"), ArtMenuArrow, {7, 0});
}

void TReportMenu::Open() {
    if (MainWindow) PlaceAt(*MainWindow, {ReportsButtonLeft, CascadeDrop});
    EntryArrow->move(7, EntryArrow->y());
    show();
    raise();
    activateWindow();
}

int TReportMenu::EntryAt(QPoint pos) {
    if (pos.x() < 0 || pos.x() >= MenuWidth || pos.y() < 0) return -1;
    const int entry = pos.y() / EntryHeight;
    return entry < ReportEntryCount ? entry : -1;
}

void TReportMenu::PointAt(int entry) {
    EntryArrow->move(EntryArrow->x(), EntryHeight * entry);
    EntryArrow->show();
}

int TReportMenu::PointedEntry() const {
    return EntryArrow->isVisible() ? EntryArrow->y() / EntryHeight : -1;
}

void TReportMenu::Choose(int entry) {
    close(); // first, so the report's own pop-up opens over the main window alone
    emit EntryChosen(static_cast<TReportEntry>(entry));
}

void TReportMenu::mouseMoveEvent(QMouseEvent* event) {
    const int entry = EntryAt(event->position().toPoint());
    if (entry >= 0) PointAt(entry);
    TBorderlessWindow::mouseMoveEvent(event);
}

void TReportMenu::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int entry = EntryAt(event->position().toPoint());
    if (entry >= 0) Choose(entry);
}

void TReportMenu::keyPressEvent(QKeyEvent* event) {
    if (!MenuKeyPress(
            *event, PointedEntry(), ReportEntryCount, [this](int entry) { PointAt(entry); },
            [this](int entry) { Choose(entry); }))
        TBorderlessWindow::keyPressEvent(event);
}

QList<TShownText> TReportMenu::ShownTexts() {
    QList<TShownText> texts;
    for (int entry = 0; entry < ReportEntryCount; ++entry)
        texts.append({{0, EntryHeight * entry, MenuWidth, EntryHeight},
                      QString::fromUtf8(ReportEntryNames[entry]),
                      QString(),
                      [this, entry] { Choose(entry); }});
    return texts;
}

// ---- TMonthList ----------------------------------------------------------------------

TMonthList::TMonthList(TProgramState& state, QWidget* main)
    : TBorderlessWindow(TWindowRole::PopUp), State(state), MainWindow(main) {
    setObjectName(QStringLiteral("MonthList"));
    setWindowTitle(QStringLiteral("Months"));
    SetBackgroundArt(ArtMonthList);
    setMouseTracking(true);
    MonthArrow = ArrowLabel(this, QStringLiteral("imgMonthArrow"), ArtMonthArrow, {10, 0});
}

void TMonthList::Open() {
    if (MainWindow) PlaceAt(*MainWindow, {580, 50});
    MonthArrow->move(10, MonthArrow->y());
    show();
    raise();
    activateWindow();
}

int TMonthList::MonthAt(QPoint pos) {
    if (pos.x() < 0 || pos.y() < 0) return 0;
    const int month = pos.y() / RowHeight + 1;
    return month <= 12 ? month : 0;
}

void TMonthList::PaintOver(QPainter& painter) {
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(PixelFont(ArialFamily, 13, true));
    const int selected = State.SelectedDate().Month;
    for (int month = 1; month <= 12; ++month) {
        painter.setPen(month == selected ? Aqua : PanelText);
        painter.drawText(MonthRow(month), Qt::AlignLeft | Qt::AlignVCenter,
                         Q(LongMonthName(month)));
    }
}

void TMonthList::PointAt(int month) {
    MonthArrow->move(MonthArrow->x(), RowHeight * (month - 1));
    MonthArrow->show();
}

int TMonthList::PointedMonth() const {
    // Before the arrow shows, the keys start from the month selected.
    return MonthArrow->isVisible() ? MonthArrow->y() / RowHeight + 1 : State.SelectedDate().Month;
}

QRect TMonthList::MonthRow(int month) const {
    return {MonthNameX, RowHeight * (month - 1), width() - MonthNameX, RowHeight};
}

QList<TShownText> TMonthList::ShownTexts() {
    QList<TShownText> texts;
    for (int month = 1; month <= 12; ++month)
        texts.append({MonthRow(month), Q(LongMonthName(month)), QString(),
                      [this, month] { Choose(month); }});
    return texts;
}

void TMonthList::mouseMoveEvent(QMouseEvent* event) {
    const int month = MonthAt(event->position().toPoint());
    if (month > 0) PointAt(month);
    TBorderlessWindow::mouseMoveEvent(event);
}

void TMonthList::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // The month under the click itself: a tap needs no hover before it.
    const int month = MonthAt(event->position().toPoint());
    if (month > 0) Choose(month);
}

void TMonthList::keyPressEvent(QKeyEvent* event) {
    if (!MenuKeyPress(
            *event, PointedMonth() - 1, 12, [this](int row) { PointAt(row + 1); },
            [this](int row) { Choose(row + 1); }))
        TBorderlessWindow::keyPressEvent(event);
}

void TMonthList::Choose(int month) {
    close();
    const TDateRec& selected = State.SelectedDate();
    State.SelectDate(selected.Year, month,
                     std::min<int>(selected.Day, DaysInMonth(month, selected.Year)));
}
