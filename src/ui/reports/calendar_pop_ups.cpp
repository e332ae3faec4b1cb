// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reports/calendar_pop_ups.h"

#include <QLabel>

#include "engine/almanac_text.h"
#include "engine/date_facts.h"
#include "engine/easter.h"
#include "engine/seasons.h"
#include "ui/common/art_names.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/panels_draw.h"

namespace {

const QColor CaptionInk(255, 255, 0); // yellow captions on the dark panels
const QColor DateInk(0, 0, 128);      // navy, on the metal header
const QString CloseHint = QStringLiteral("Close this window");

} // namespace

TCalendarPopUp::TCalendarPopUp(QWidget* main)
    : TBorderlessWindow(TWindowRole::PopUp), MainWindow(main) {}

QLabel* TCalendarPopUp::AddText(const QString& name, QPoint at, int pixels, const QColor& colour,
                                const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setFont(PixelFont(ArialFamily, pixels));
    SetTextColour(label, colour);
    label->move(at);
    label->adjustSize();
    return label;
}

void TCalendarPopUp::ShowCentred() {
    if (MainWindow) CentreOver(*MainWindow);
    show();
    raise();
    activateWindow();
}

// ---- TEquinox ------------------------------------------------------------------------

TEquinox::TEquinox(const TProgramState& state, QWidget* main) : TCalendarPopUp(main), State(state) {
    setObjectName(QStringLiteral("Equinox"));
    setWindowTitle(QStringLiteral("Equinoxes and Solstices"));
    SetBackgroundArt(ArtEquinoxBackground);
    AddTitleArea({40, 10, 270, 24});
    AddExitArea({322, 14, 13, 15}, CloseHint);
    const char* captions[] = {
        "Spring Equinox:", "Summer Solstice:", "Autumn Equinox:", "Winter Solstice:"};
    const char* names[] = {"Spring", "Summer", "Autumn", "Winter"};
    for (int row = 0; row < 4; ++row) {
        const int y = 66 + 16 * row;
        AddText(QString("lblCaption%1").arg(row), {31, y}, 12, CaptionInk, captions[row]);
        Events[row] = AddText(QString("lbl") + names[row], {150, y}, 12, Aqua);
        Lengths[row] = AddText(QString("lbl%1Dur").arg(names[row]), {254, y}, 12, PanelText);
    }
    connect(&State, &TProgramState::Changed, this, [this](TStateChanges what) {
        if (isVisible() && (what & TStateChange::Observer)) ShowSeasons();
    });
}

void TEquinox::EquinoxesAndSolstices(int year) {
    Year = year;
    ShowSeasons();
    ShowCentred();
}

void TEquinox::ShowSeasons() {
    const TSeasons seasons = SeasonsOfYear(Year, State.Observer());
    for (int row = 0; row < 4; ++row) {
        const TSeasonEvent& e = seasons.Beginning(static_cast<TSeason>(row));
        Events[row]->setText(Q(SeasonShortText(e)));
        Events[row]->adjustSize();
        Lengths[row]->setText(Q(SeasonLengthText(e)));
        Lengths[row]->adjustSize();
    }
}

QString TEquinox::EventText(int row) const {
    return Events[row]->text();
}

QString TEquinox::LengthText(int row) const {
    return Lengths[row]->text();
}

// ---- TEaster -------------------------------------------------------------------------

TEaster::TEaster(const TProgramState& state, QWidget* main) : TCalendarPopUp(main), State(state) {
    setObjectName(QStringLiteral("Easter"));
    setWindowTitle(QStringLiteral("Easter Sunday"));
    SetBackgroundArt(ArtEasterBackground);
    AddTitleArea({30, 14, 139, 17})->setObjectName(QStringLiteral("Label1"));
    AddExitArea({175, 14, 13, 15}, QStringLiteral("Exit Tidewell"));
    EasterDateLabel = AddText(QStringLiteral("lblEaster"), {24, 65}, 13, PanelText);
    EasterDateLabel->setFixedWidth(153);
    EasterDateLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void TEaster::Open() {
    EasterDateLabel->setText(Q(Sunday(static_cast<std::uint16_t>(State.SelectedDate().Year))));
    ShowCentred();
}

QString TEaster::DateText() const {
    return EasterDateLabel->text();
}

// ---- TDateInfo -----------------------------------------------------------------------

TDateInfo::TDateInfo(QWidget* main) : TCalendarPopUp(main) {
    setObjectName(QStringLiteral("DateInfo"));
    setWindowTitle(QStringLiteral("Date Information"));
    SetBackgroundArt(ArtDateInfoBackground);
    AddTitleArea({30, 8, 190, 24});
    AddExitArea({222, 14, 13, 15}, CloseHint);
    SelectedDateLabel = AddText(QStringLiteral("lblSelectedDate"), {0, 42}, 13, DateInk);
    QFont bold = SelectedDateLabel->font();
    bold.setBold(true);
    SelectedDateLabel->setFont(bold);
    const char* captions[] = {"Julian Day:", "Day Number:", "Week Number:", "Days Till Xmas:"};
    for (int row = 0; row < 4; ++row) {
        const int y = 76 + 16 * row;
        AddText(QString("lblCaption%1").arg(row), {31, y}, 12, CaptionInk, captions[row]);
        Values[row] = AddText(QString("Label%1").arg(row + 1), {124, y}, 12, Aqua);
    }
}

void TDateInfo::ShowDateInfo(const TDateRec& date) {
    const TDateFacts facts = DateFacts(date);
    SelectedDateLabel->setText(Q(LongDateText(date)));
    SelectedDateLabel->adjustSize();
    SelectedDateLabel->move((width() - SelectedDateLabel->width()) / 2, 42);
    const QString values[] = {Q(GeneralNumberText(facts.JulianDay)),
                              QString::number(facts.DayNumber), Q(IsoWeekText(facts)),
                              QString::number(facts.DaysTillXmas)};
    for (int row = 0; row < 4; ++row) {
        Values[row]->setText(values[row]);
        Values[row]->adjustSize();
    }
    ShowCentred();
}

QStringList TDateInfo::Texts() const {
    QStringList texts{SelectedDateLabel->text()};
    for (const QLabel* label : Values)
        texts << label->text();
    return texts;
}
