// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/print_options.h"

#include <algorithm>

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "settings/settings_writer.h"
#include "ui/common/art_names.h"
#include "ui/common/fonts.h"
#include "ui/common/keyboard.h"
#include "ui/common/look.h"
#include "ui/common/program_state.h"
#include "ui/reports/printed_calendar.h"

int DensityFromText(const QString& text, int previous) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0) return previous;
    return std::min(value, 100);
}

TSpinButton::TSpinButton(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::TabFocus);
}

QList<TShownText> TSpinButton::ShownTexts() {
    const int half = height() / 2;
    return {{{0, 0, width(), half}, accessibleName() + " up", {}, [this] { emit Up(); }, true},
            {{0, half, width(), height() - half},
             accessibleName() + " down",
             {},
             [this] { emit Down(); },
             true}};
}

void TSpinButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up)
        emit Up();
    else if (event->key() == Qt::Key_Down)
        emit Down();
    else
        QWidget::keyPressEvent(event);
}

void TSpinButton::paintEvent(QPaintEvent*) {
    if (!ShowsFocusMark(*this)) return;
    QPainter painter(this);
    PaintFocusMark(painter, rect());
}

void TSpinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (event->position().y() < height() / 2.0)
        emit Up();
    else
        emit Down();
}

TPrintOptions::TPrintOptions(TProgramState& state, TSettingsStore& store, QWidget* main)
    : TBorderlessWindow(TWindowRole::Normal), State(state), Store(store), MainWindow(main) {
    setObjectName(QStringLiteral("PrintOptions"));
    setWindowTitle(QStringLiteral("Print Options"));
    SetBackgroundArt(ArtPrintOptionsBackground);
    // The boxes' captions are painted on the background: each box carries its own for
    // screen readers.
    auto check = [this](const char* name, int top, const char* caption) {
        auto* box = new QCheckBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setAccessibleName(QString::fromLatin1(caption));
        box->setGeometry(30, top, 13, 13);
        return box;
    };
    DailyPhasesCheck = check("chkDailyPhases", 70, "Daily Phases");
    MajorPhasesCheck = check("chkMajorPhases", 90, "Major Phases");
    MoonTimesCheck = check("chkMoonTimes", 110, "Moon's Rise/Transit/Set Times");
    SunTimesCheck = check("chkSunTimes", 130, "Sun's Rise/Transit/Set Times");

    DensityField = new QLineEdit(this);
    DensityField->setObjectName(QStringLiteral("txtDensity"));
    DensityField->setAccessibleName(QStringLiteral("Daily Phase Density"));
    DensityField->setGeometry(142, 170, 27, 21);
    DensityField->setMaxLength(3);
    DensityField->setFrame(false);
    DensityField->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    DensityField->setFont(ScaledFont(ArialFamily, 9, FontScale(this)));
    DensityField->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this));
    QPalette palette = DensityField->palette();
    palette.setColor(QPalette::Base, PanelText);
    palette.setColor(QPalette::Text, Qt::black);
    DensityField->setPalette(palette);
    DensityField->installEventFilter(this);
    connect(DensityField, &QLineEdit::editingFinished, this, [this] { TakeDensity(); });

    auto* spin = new TSpinButton(this);
    spin->setObjectName(QStringLiteral("DensitySpinButton"));
    spin->setAccessibleName(QStringLiteral("Daily Phase Density"));
    spin->setGeometry(171, 170, 15, 21);
    connect(spin, &TSpinButton::Up, this, &TPrintOptions::SpinUp);
    connect(spin, &TSpinButton::Down, this, &TPrintOptions::SpinDown);

    TClickLabel* ok = AddButton(QStringLiteral("lblOK"), {62, 210, 99, 29}, QString());
    ok->setAccessibleName(QStringLiteral("OK"));
    connect(ok, &TClickLabel::Clicked, this, &TPrintOptions::OkClick);
}

TPrintOptions::~TPrintOptions() {
    // The field loses its focus only when the base class takes the window down; by then this
    // object is gone, so it must no longer hear of it.
    DensityField->removeEventFilter(this);
    DensityField->disconnect(this);
}

void TPrintOptions::LoadChoices() {
    const TSettings& s = State.Settings();
    DailyPhasesCheck->setChecked(s.PrintDailyPhases);
    MajorPhasesCheck->setChecked(s.PrintMajorPhases);
    MoonTimesCheck->setChecked(s.PrintLunarTimes);
    SunTimesCheck->setChecked(s.PrintSunTimes);
    DensityNow = std::min<int>(s.PhaseDensity, 100);
    DensityField->setText(QString::number(DensityNow));
}

void TPrintOptions::Open() {
    LoadChoices();
    if (MainWindow) CentreOver(*MainWindow); // as the print button's own window
    show();
    raise();
    activateWindow();
}

int TPrintOptions::TakeDensity() {
    DensityNow = DensityFromText(DensityField->text(), DensityNow);
    const QString plain = QString::number(DensityNow);
    if (DensityField->text() != plain) DensityField->setText(plain);
    return DensityNow;
}

void TPrintOptions::SpinUp() {
    const int value = TakeDensity();
    if (value < 100) DensityField->setText(QString::number(DensityNow = value + 1));
}

void TPrintOptions::SpinDown() {
    const int value = TakeDensity();
    if (value > 0) DensityField->setText(QString::number(DensityNow = value - 1));
}

void TPrintOptions::OkClick() {
    TSettings settings = State.Settings();
    settings.PrintDailyPhases = DailyPhasesCheck->isChecked();
    settings.PrintMajorPhases = MajorPhasesCheck->isChecked();
    settings.PrintLunarTimes = MoonTimesCheck->isChecked();
    settings.PrintSunTimes = SunTimesCheck->isChecked();
    settings.PhaseDensity = static_cast<std::uint8_t>(TakeDensity());
    // A store that cannot be written keeps the choice for this run only.
    (void)StoreSettings(Store, settings, PrintOptionValueNames);
    State.ApplySettings(settings);
    // Hidden before printing, so the print dialog is not covered by this window.
    hide();
    const TDateRec& date = State.SelectedDate();
    (void)PrintCalendar(MainWindow, State, date.Month, date.Year);
}

void TPrintOptions::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OkClick();
        return;
    }
    TBorderlessWindow::keyPressEvent(event);
}

bool TPrintOptions::eventFilter(QObject* watched, QEvent* event) {
    // The field's own keys: Escape closes the window, the arrow keys step like the spin
    // button.
    if (watched == DensityField && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            hide();
            return true;
        }
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            key == Qt::Key_Up ? SpinUp() : SpinDown();
            return true;
        }
    }
    return TBorderlessWindow::eventFilter(watched, event);
}
