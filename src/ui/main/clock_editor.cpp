// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/clock_editor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "engine/text_helpers.h"
#include "ui/common/art_names.h"
#include "ui/common/artwork.h"
#include "ui/common/click_label.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/messages.h"
#include "ui/common/panels_draw.h"
#include "ui/common/program_state.h"

namespace {

struct TFieldRule {
    const char* Name;
    int Maximum;
};

bool IsNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Delete:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

// The bar's painted buttons.
constexpr QRect NowArea{108, 4, 45, 16};
constexpr QRect SyncArea{160, 4, 47, 16};

} // namespace

TTimeEditor::TTimeEditor(QWidget* parent, TProgramState& state, TSystemClock& systemClock,
                         double fontScale)
    : QWidget(parent), State(state), SystemClock(systemClock), FontScale(fontScale),
      Bar(LoadArt(ArtTimeEditor)), SyncTimeoutMs(TimeSyncTimeoutMs) {
    setObjectName("imgTimeButton");
    setGeometry(QRect(TimeEditorTopLeft, TimeEditorSize));
    HourField = MakeField("txtHour", 12);
    MinuteField = MakeField("txtMinute", 41);
    SecondField = MakeField("txtSecond", 70);
    HourField->setAccessibleName(QStringLiteral("Hour"));
    MinuteField->setAccessibleName(QStringLiteral("Minute"));
    SecondField->setAccessibleName(QStringLiteral("Second"));
    setTabOrder(HourField, MinuteField);
    setTabOrder(MinuteField, SecondField);
    AddKeyboardButton("btnNow", NowArea, "Back to the present moment (Home)",
                      &TTimeEditor::NowClick);
    AddKeyboardButton("btnSync", SyncArea, "Set the computer's clock from the time server",
                      &TTimeEditor::SyncClick);
    for (auto [colon, name, left] :
         {std::tuple{&HourColon, "lblColon1", 34}, std::tuple{&MinuteColon, "lblColon2", 63}}) {
        *colon = new QLabel(":", this);
        (*colon)->setObjectName(name);
        (*colon)->setFont(PixelFont(ArialFamily, 16, true));
        SetTextColour(*colon, PanelText);
        (*colon)->setGeometry(left, 2, 7, 22);
        (*colon)->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    setVisible(false);
    connect(&Sync, &TTimeRequest::Finished, this, &TTimeEditor::SyncFinished);
}

void TTimeEditor::AddKeyboardButton(const char* name, QRect area, const char* hint,
                                    void (TTimeEditor::*click)()) {
    // The mouse reaches the bar itself (mouseReleaseEvent); the label is the button's place
    // in the Tab order and its focus mark.
    auto* button = new TClickLabel(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(area);
    button->setToolTip(QString::fromLatin1(hint));
    button->setFocusPolicy(Qt::TabFocus);
    button->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(button, &TClickLabel::Clicked, this, [this, click] { (this->*click)(); });
}

void TTimeEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QLineEdit* TTimeEditor::MakeField(const QString& name, int left) {
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setMaxLength(2);
    field->setAlignment(Qt::AlignCenter);
    field->setFont(ScaledFont(ArialFamily, 9, FontScale, true));
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,2}"), field));
    field->setStyleSheet(
        QStringLiteral("QLineEdit { background: %1; color: %2;"
                       " border: 1px solid %3; padding: 0px;"
                       " selection-background-color: %4; }")
            .arg(FieldGround.name(), PanelText.name(), FieldBorder.name(), FieldSelection.name()));
    field->setGeometry(left, 3, 21, ScaledPoints(FontScale, 19));
    field->installEventFilter(this);
    return field;
}

void TTimeEditor::Open() {
    const TDateRec shown = JDToDate(State.DisplayedJD());
    move(TimeEditorTopLeft);
    emit TimerEnabled(false); // the display stands still while the time is edited
    for (QLineEdit* field : {HourField, MinuteField, SecondField})
        field->setFont(ScaledFont(ArialFamily, 9, FontScale, true));
    HourField->setText(QString::fromStdString(TwoDigits(shown.Hour)));
    MinuteField->setText(QString::fromStdString(TwoDigits(shown.Minute)));
    SecondField->setText(QString::fromStdString(TwoDigits(shown.Second)));
    DisplayTimeEditor(true);
    HourField->setFocus();
    HourField->selectAll();
}

void TTimeEditor::DisplayTimeEditor(bool visible) {
    for (QLineEdit* field : {HourField, MinuteField, SecondField})
        field->setFixedHeight(ScaledPoints(FontScale, 19));
    setVisible(visible);
    if (visible) raise();
    emit EditorShown(visible); // the main window stops its year cursor
}

void TTimeEditor::Message(const QString& text) {
    ShowMessage(this, text);
}

std::optional<int> TTimeEditor::FieldValue(QLineEdit* field) {
    const TFieldRule rule = field == HourField     ? TFieldRule{"hour", 23}
                            : field == MinuteField ? TFieldRule{"minute", 59}
                                                   : TFieldRule{"second", 59};
    bool number = false;
    const int value = field->text().toInt(&number);
    if (!number || value < 0 || value > rule.Maximum) {
        const QString shown = field->text().isEmpty() ? QStringLiteral("An empty field")
                                                      : "\"" + field->text() + "\"";
        Message(QStringLiteral("%1 is not a valid %2: enter a number from 0 to %3.")
                    .arg(shown, QString::fromLatin1(rule.Name))
                    .arg(rule.Maximum));
        field->setFocus();
        return std::nullopt;
    }
    return value;
}

void TTimeEditor::ResetTime() {
    const std::optional<int> h = FieldValue(HourField);
    const std::optional<int> m = h ? FieldValue(MinuteField) : std::nullopt;
    const std::optional<int> s = m ? FieldValue(SecondField) : std::nullopt;
    if (!s) return; // nothing changes; the editor stays open
    State.ShiftClockTo(*h, *m, *s);
    Close();
}

void TTimeEditor::NowClick() {
    State.ReturnToNow();
    Close();
}

void TTimeEditor::Close() {
    Sync.Cancel(); // the time was set another way: a late answer must not overrule it
    unsetCursor();
    emit TimerEnabled(true);
    DisplayTimeEditor(false);
}

void TTimeEditor::SyncClick() {
    if (!Sync.Start(QString::fromStdString(State.Settings().TimeServer), SyncTimeoutMs))
        return; // the answer to the first click is still awaited
    emit TimerEnabled(false);
    setCursor(Qt::BusyCursor); // working, and still open to the user
}

void TTimeEditor::SyncFinished(const TTimeSyncReply& reply) {
    unsetCursor();
    if (!reply.Ok) {
        Message(reply.Message);
        return;
    }
    const TDateRec& utc = reply.Utc;
    HourField->setText(QString::number(utc.Hour));
    MinuteField->setText(QString::number(utc.Minute));
    SecondField->setText(QString::number(utc.Second));
    if (!SystemClock.SetUniversalTime(utc)) {
        Message(QStringLiteral("Failed to update System Time"));
        return;
    }
    Close();
    // The selected day is the observer's civil day at that instant (the next tick takes the
    // time of day from the clock just set).
    const TDateRec local = JDToDate(State.Observer().LocalOf(utc.JD));
    State.SelectDate(local.Year, local.Month, local.Day);
}

void TTimeEditor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (Bar.isNull())
        p.fillRect(rect(), QColor(150, 152, 158));
    else
        p.drawImage(0, 0, Bar);
}

void TTimeEditor::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (NowArea.contains(at))
        NowClick();
    else if (SyncArea.contains(at))
        SyncClick();
}

void TTimeEditor::FieldKey(QLineEdit* field, QKeyEvent* event, bool& consumed) {
    consumed = false;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        consumed = true;
        if (FieldValue(field)) ResetTime();
        return;
    }
    if (event->key() == Qt::Key_Backspace || IsNavigationKey(event->key())) return;
    const QString text = event->text();
    if (text.isEmpty()) return;
    char key = text.at(0).unicode() < 128 ? static_cast<char>(text.at(0).unicode()) : '\x01';
    NumericKeyFilter(key, 0);
    consumed = key == '\0';
}

bool TTimeEditor::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field == nullptr || (field != HourField && field != MinuteField && field != SecondField))
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        bool consumed = false;
        FieldKey(field, static_cast<QKeyEvent*>(event), consumed);
        if (consumed) return true;
    } else if (event->type() == QEvent::FocusOut) {
        field->setText(QString::fromStdString(ZeroPad(field->text().toStdString(), 2)));
    }
    return QWidget::eventFilter(watched, event);
}
