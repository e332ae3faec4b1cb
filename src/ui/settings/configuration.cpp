// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/configuration.h"

#include <functional>
#include <utility>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "features/feature_file.h"
#include "settings/named_location.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/settings_writer.h"
#include "settings/settings_zone.h"
#include "settings/time_server_address.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/messages.h"
#include "ui/common/night_vision.h"
#include "ui/common/program_state.h"
#include "ui/settings/print_options.h"

namespace {

const QString ArtConfigurationBackground = QStringLiteral("configuration-background.jpg");

const char* const DayOrderTexts[] = {"Sun - Sat", "Mon- Sun",  "Tue - Mon", "Wed - Tue",
                                     "Thu - Wed", "Fri - Thu", "Sat - Fri"};
const char* const DateFormatTexts[] = {"dd/mm/yyyy", "mm/dd/yyyy"};

struct TPrinterChoice {
    TPrinterType Type;
    const char* Name; // of its picture ("img" + Name) and its caption ("lbl" + Name)
    const char* Caption;
    int PictureLeft;
    int LabelLeft;
};
constexpr TPrinterChoice PrinterChoices[] = {
    {TPrinterType::Laser, "Laser", "Laser Printer", 74, 92},
    {TPrinterType::BwInkjet, "BWInkjet", "B/W Inkjet Printer", 212, 230},
    {TPrinterType::ColourInkjet, "ColourInkjet", "Colour Inkjet Printer", 345, 364}};
constexpr int PrinterTop = 300;
constexpr int SpinLeft = 240;
constexpr int NSSpinTop = 62;
constexpr int EWSpinTop = 84;
// The night-vision box and the time server's field, in the display and clock group
// (20..510, 220..256).
constexpr int NightVisionLeft = 34;
constexpr int NightVisionTop = 229;
const QRect TimeServerField(272, 228, 224, 19);

std::string S(const QString& text) {
    return text.toStdString();
}
QString Q8(const std::string& text) {
    return QString::fromStdString(text);
}
QString Q8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
QString PartText(int part, int digits) {
    return Q8(AnglePartText(part, digits));
}
// A field left empty counts 0.
int FieldValue(const QLineEdit* edit) {
    return edit->text().isEmpty() ? 0 : edit->text().toInt();
}

// Empty becomes "0", then a "0" in front while shorter than `width`.
QString Padded(const QString& text, int width) {
    QString padded = text.isEmpty() ? QStringLiteral("0") : text;
    while (padded.size() < width)
        padded.prepend(QLatin1Char('0'));
    return padded;
}

QString Quoted(const QString& name, const char* what) {
    return QLatin1Char('"') + name + QStringLiteral("\" ") + QLatin1String(what);
}

} // namespace

QString PositionProblem(const TPosition& p) {
    struct TPart {
        int Value;
        const char* Name;
    };
    for (const TPart& part :
         {TPart{p.Latitude.Min, "Latitude minutes"}, TPart{p.Latitude.Sec, "Latitude seconds"},
          TPart{p.Longitude.Min, "Longitude minutes"}, TPart{p.Longitude.Sec, "Longitude seconds"}})
        if (part.Value > 59)
            return QStringLiteral("%1 must lie between 0 and 59.").arg(QLatin1String(part.Name));
    if (!WithinAxis(p.Latitude, MaxLatitudeDeg))
        return QStringLiteral("Latitude must not exceed %1 degrees.").arg(MaxLatitudeDeg);
    if (!WithinAxis(p.Longitude, MaxLongitudeDeg))
        return QStringLiteral("Longitude must not exceed %1 degrees.").arg(MaxLongitudeDeg);
    return {};
}

QString LocationNameProblem(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral(
            "You must enter a location name before it can be added to the database.");
    // A "\" would make nested keys of the store.
    if (name.contains(QLatin1Char('\\')))
        return QStringLiteral("A location name must not contain \"\\\".");
    if (S(name).size() > TConfiguration::MaxLocationName)
        return QStringLiteral("A location name can hold at most %1 characters.")
            .arg(TConfiguration::MaxLocationName);
    return {};
}

TConfiguration::TConfiguration(TProgramState& state, TSettingsStore& store, QWidget* main)
    : TBorderlessWindow(TWindowRole::Normal), State(state), Store(store), MainWindow(main) {
    setObjectName(QStringLiteral("Configuration"));
    setWindowTitle(QStringLiteral("Configuration"));
    setWindowModality(Qt::ApplicationModal);
    SetBackgroundArt(ArtConfigurationBackground);
    AddTitleArea({40, 8, 440, 26});
    connect(AddButton(QStringLiteral("lblExit"), {width() - 26, 14, 13, 15},
                      QStringLiteral(
                          "Store the settings and close (Return; Esc closes without storing)")),
            &TClickLabel::Clicked, this, [this](Qt::MouseButton button, QPoint) {
                if (button == Qt::LeftButton) (void)StoreAndClose();
            });

    const QFont font = ScaledFont(ArialFamily, 8, FontScale(this));
    auto caption = [&](const char* text, QPoint at) {
        auto* label = new QLabel(QString::fromLatin1(text), this);
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color: rgb(20, 22, 28); background: transparent"));
        label->adjustSize();
        label->move(at);
        return label;
    };
    caption("Latitude:", {30, 64});
    caption("Longitude:", {30, 86});
    caption("Timezone:", {268, 66});
    caption("DST:", {372, 88});
    caption("Location:", {30, 110});
    caption("Day Order:", {28, 156});
    caption("Date Format:", {178, 156});
    caption("Features Startup:", {346, 150})->setWordWrap(false);

    LatDegField = PositionEdit("txtLatDeg", {98, 62, 27, 19}, 2);
    LatMinField = PositionEdit("txtLatMin", {129, 62, 27, 19}, 2);
    LatSecField = PositionEdit("txtLatSec", {159, 62, 27, 19}, 2);
    LongDegField = PositionEdit("txtLongDeg", {94, 84, 31, 19}, 3);
    LongMinField = PositionEdit("txtLongMin", {129, 84, 27, 19}, 2);
    LongSecField = PositionEdit("txtLongSec", {159, 84, 27, 19}, 2);

    auto direction = [&](const char* name, int top) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QString::fromLatin1(name));
        panel->setGeometry(202, top, 36, 19);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAlignment(Qt::AlignCenter);
        panel->setFont(font);
        panel->setAutoFillBackground(true);
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, PanelText);
        palette.setColor(QPalette::WindowText, Qt::black);
        panel->setPalette(palette);
        return panel;
    };
    LatitudeSideLabel = direction("pNSDirection", 62);
    LongitudeSideLabel = direction("pEWDirection", 84);
    // Either arrow turns to the other side.
    auto spin = [&](const char* name, const char* spoken, int top,
                    const std::function<void()>& turn) {
        auto* button = new TSpinButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAccessibleName(QString::fromLatin1(spoken));
        button->setGeometry(SpinLeft, top, 15, 19);
        const auto toggle = [this, turn] {
            turn();
            ShowSides();
        };
        connect(button, &TSpinButton::Up, this, toggle);
        connect(button, &TSpinButton::Down, this, toggle);
    };
    spin("NSSpinButton", "Latitude side", NSSpinTop, [this] {
        LatitudeSide =
            LatitudeSide == THemisphere::Northern ? THemisphere::Southern : THemisphere::Northern;
    });
    spin("EWSpinButton", "Longitude side", EWSpinTop, [this] {
        LongitudeSide =
            LongitudeSide == TLongitudeSide::East ? TLongitudeSide::West : TLongitudeSide::East;
    });

    auto list = [&](const char* name, QRect area) {
        auto* box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(area);
        box->setFont(font);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, PanelText);
        palette.setColor(QPalette::Button, PanelText);
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::ButtonText, Qt::black);
        box->setPalette(palette);
        return box;
    };
    ZoneChoice = list("cmbTimeZone", {320, 62, 106, 21});
    SetUpZoneList(*ZoneChoice);
    SetHint(ZoneChoice, QStringLiteral("A fixed offset, or a time zone with its own daylight "
                                       "saving rules: type part of its name to search"));
    DaylightSavingCheck = new QCheckBox(this);
    DaylightSavingCheck->setObjectName(QStringLiteral("chkDaylightSavings"));
    DaylightSavingCheck->setGeometry(398, 88, 15, 15);
    connect(DaylightSavingCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (DaylightSavingCheck->isEnabled()) FixedDaylightSaving = on;
    });
    connect(ZoneChoice, &QComboBox::currentTextChanged, this, [this] { ShowDaylightSaving(); });

    LocationChoice = list("cmbLocation", {94, 106, 163, 21});
    LocationChoice->setEditable(true);
    LocationChoice->setInsertPolicy(QComboBox::NoInsert);
    LocationChoice->lineEdit()->setMaxLength(MaxLocationName + 1); // one over: refused, not cut
    connect(LocationChoice, &QComboBox::activated, this,
            [this](int index) { Recall(LocationChoice->itemText(index)); });

    DayOrderChoice = list("cmbDayOrder", {82, 153, 84, 21});
    for (const char* text : DayOrderTexts)
        DayOrderChoice->addItem(QString::fromLatin1(text));
    DateFormatChoice = list("cmbDateFormat", {242, 153, 92, 21});
    for (const char* text : DateFormatTexts)
        DateFormatChoice->addItem(QString::fromLatin1(text));
    FeatureFileChoice = list("cmbDataFiles", {394, 166, 110, 21});
    for (std::string_view name : FeatureFileNames)
        FeatureFileChoice->addItem(QString::fromUtf8(name.data(), static_cast<int>(name.size())));

    struct TLocationButton {
        const char* Name;
        int Top;
        const char* Hint;
        void (TConfiguration::*Click)();
    };
    const TLocationButton buttons[] = {
        {"imgAdd", 59, "Add a new location", &TConfiguration::AddClick},
        {"imgUpdate", 78, "Update the location", &TConfiguration::UpdateClick},
        {"imgDelete", 97, "Delete the location", &TConfiguration::DeleteClick},
        {"imgCancel", 116, "Clear the fields for a new location", &TConfiguration::CancelClick}};
    for (const TLocationButton& b : buttons) {
        auto* button = AddButton(QString::fromLatin1(b.Name), {438, b.Top, 60, 19},
                                 QString::fromLatin1(b.Hint));
        connect(button, &TClickLabel::Clicked, this,
                [this, click = b.Click](Qt::MouseButton m, QPoint) {
                    if (m == Qt::LeftButton) (this->*click)();
                });
    }
    AddNightVisionBox(font);
    AddTimeServerField(font);
    NameForReaders();
    for (const TPrinterChoice& choice : PrinterChoices) {
        auto select = [this, type = choice.Type](Qt::MouseButton m, QPoint) {
            if (m == Qt::LeftButton) SelectPrinter(type);
        };
        const QString name = QString::fromLatin1(choice.Name);
        auto* picture = AddButton(QStringLiteral("img") + name,
                                  {choice.PictureLeft, PrinterTop, 15, 15}, QString());
        picture->setFocusPolicy(Qt::NoFocus); // the caption beside it is the keyboard's
        picture->setAccessibleName(QString::fromLatin1(choice.Caption));
        connect(picture, &TClickLabel::Clicked, this, select);
        auto* label = AddButton(QStringLiteral("lbl") + name,
                                {choice.LabelLeft, PrinterTop, 110, 15}, QString());
        label->setText(QString::fromLatin1(choice.Caption));
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color: rgb(20, 22, 28); background: transparent"));
        connect(label, &TClickLabel::Clicked, this, select);
    }
}

void TConfiguration::AddNightVisionBox(const QFont& font) {
    NightVisionCheck = new QCheckBox(QStringLiteral("Night vision (Ctrl+N)"), this);
    NightVisionCheck->setObjectName(QStringLiteral("chkNightVision"));
    NightVisionCheck->setFont(font);
    QPalette palette = NightVisionCheck->palette();
    palette.setColor(QPalette::WindowText, QColor(20, 22, 28));
    NightVisionCheck->setPalette(palette);
    NightVisionCheck->move(NightVisionLeft, NightVisionTop);
    NightVisionCheck->adjustSize();
    SetHint(NightVisionCheck,
            QStringLiteral("Every window deep red on black, to keep your eyes dark-adapted; "
                           "Ctrl+N switches it in any window"));
    connect(NightVisionCheck, &QCheckBox::clicked, this,
            [this](bool on) { (void)SetNightVision(State, Store, on); });
    // Ctrl+N while the window is open changes the box too.
    connect(&State, &TProgramState::Changed, NightVisionCheck, [this](TStateChanges what) {
        if (what & TStateChange::Settings)
            NightVisionCheck->setChecked(State.Settings().NightVision);
    });
}

void TConfiguration::AddTimeServerField(const QFont& font) {
    auto* caption = new QLabel(QStringLiteral("Time server:"), this);
    caption->setFont(font);
    caption->setStyleSheet(QStringLiteral("color: rgb(20, 22, 28); background: transparent"));
    caption->adjustSize();
    caption->move(TimeServerField.left() - 6 - caption->width(),
                  TimeServerField.top() + (TimeServerField.height() - caption->height()) / 2);
    TimeServerEntry = new QLineEdit(this);
    TimeServerEntry->setObjectName(QStringLiteral("txtTimeServer"));
    TimeServerEntry->setGeometry(TimeServerField);
    TimeServerEntry->setFont(font);
    TimeServerEntry->setFrame(false);
    TimeServerEntry->setTextMargins(3, 0, 3, 0);
    TimeServerEntry->setMaxLength(FindSettingDef("TimeServer")->MaxLength);
    QPalette palette = TimeServerEntry->palette();
    palette.setColor(QPalette::Base, PanelText);
    palette.setColor(QPalette::Text, Qt::black);
    TimeServerEntry->setPalette(palette);
    SetHint(TimeServerEntry, QStringLiteral("Where Sync asks for the time: daytime://host[:port] "
                                            "or http://host[:port]/path"));
}

bool TConfiguration::CheckTimeServer() {
    const TTimeServerCheck check = CheckTimeServerAddress(S(TimeServerEntry->text()));
    if (check.Address) return true;
    ShowMessage(this, Q8(check.Problem));
    TimeServerEntry->setFocus();
    return false;
}

void TConfiguration::NameForReaders() {
    // The captions are painted or stand apart from their fields, and one caption serves
    // three fields: screen readers need each field's own name.
    const std::pair<QWidget*, const char*> names[] = {
        {LatDegField, "Latitude degrees"},   {LatMinField, "Latitude minutes"},
        {LatSecField, "Latitude seconds"},   {LatitudeSideLabel, "Latitude north or south"},
        {LongDegField, "Longitude degrees"}, {LongMinField, "Longitude minutes"},
        {LongSecField, "Longitude seconds"}, {LongitudeSideLabel, "Longitude east or west"},
        {ZoneChoice, "Time zone"},           {DaylightSavingCheck, "Daylight saving time (DST)"},
        {LocationChoice, "Location"},        {DayOrderChoice, "Day order"},
        {DateFormatChoice, "Date format"},   {FeatureFileChoice, "Features at startup"},
        {TimeServerEntry, "Time server"},
    };
    for (const auto& [control, name] : names)
        control->setAccessibleName(QString::fromLatin1(name));
}

QLineEdit* TConfiguration::PositionEdit(const char* name, QRect area, int digits) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(area);
    edit->setMaxLength(digits);
    edit->setFrame(false);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFont(ScaledFont(ArialFamily, 8, FontScale(this)));
    // A validator holds for typing, pasting and dropping alike: digits only.
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), edit));
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, PanelText);
    palette.setColor(QPalette::Text, Qt::black);
    edit->setPalette(palette);
    connect(edit, &QLineEdit::editingFinished, this,
            [edit, digits] { edit->setText(Padded(edit->text(), digits)); });
    return edit;
}

void TConfiguration::Open() {
    LoadLocationKeys();
    // Filled once per opening: the message boxes of the location buttons re-activate the
    // window, and the user's typing must survive them. The values come fresh from the
    // store, which another copy of the program may have changed, and what the fields then
    // say is kept so that closing stores only what the user changed.
    Opened = StoredValues(Store, State.Settings(), ConfigurationValueNames);
    FillFromSettings(Opened);
    Shown = EditedSettings(Opened);
    if (MainWindow) CentreOver(*MainWindow);
    show();
    raise();
    activateWindow();
}

void TConfiguration::FillFromSettings(const TSettings& s) {
    (void)FindLocation(Q8(s.Location));
    ShowPosition(s.Position);
    DayOrderChoice->setCurrentIndex(static_cast<int>(s.DayOrder));
    DateFormatChoice->setCurrentIndex(s.DateLayoutIdx % 2);
    FixedDaylightSaving = s.DaylightSavings;
    ShowZone(*ZoneChoice, s.TimeZone, s.TimeZoneName);
    ShowDaylightSaving();
    FeatureFileChoice->setCurrentIndex(s.FeatureIdx >= 0 && s.FeatureIdx < 17 ? s.FeatureIdx : 2);
    NightVisionCheck->setChecked(s.NightVision);
    TimeServerEntry->setText(Q8(s.TimeServer));
    SelectPrinter(s.PrinterType);
}

void TConfiguration::ShowPosition(const TPosition& p) {
    LatDegField->setText(PartText(p.Latitude.Deg, LatitudeDegDigits));
    LatMinField->setText(PartText(p.Latitude.Min, ArcMinSecDigits));
    LatSecField->setText(PartText(p.Latitude.Sec, ArcMinSecDigits));
    LongDegField->setText(PartText(p.Longitude.Deg, LongitudeDegDigits));
    LongMinField->setText(PartText(p.Longitude.Min, ArcMinSecDigits));
    LongSecField->setText(PartText(p.Longitude.Sec, ArcMinSecDigits));
    LatitudeSide = p.LatitudeSide;
    LongitudeSide = p.LongitudeSide;
    ShowSides();
}

void TConfiguration::ShowSides() {
    LatitudeSideLabel->setText(Q8(HemisphereWord(LatitudeSide)));
    LongitudeSideLabel->setText(Q8(LongitudeSideWord(LongitudeSide)));
}

TPosition TConfiguration::EditedPosition() const {
    return {{FieldValue(LatDegField), FieldValue(LatMinField), FieldValue(LatSecField)},
            LatitudeSide,
            {FieldValue(LongDegField), FieldValue(LongMinField), FieldValue(LongSecField)},
            LongitudeSide};
}

void TConfiguration::SelectPrinter(TPrinterType type) {
    Printer = type;
    update();
}

void TConfiguration::PaintOver(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    for (const TPrinterChoice& choice : PrinterChoices) {
        const QRectF box(choice.PictureLeft + 1.5, PrinterTop + 1.5, 12, 12);
        painter.setPen(QPen(QColor(30, 34, 42), 1.2));
        painter.setBrush(PanelText);
        painter.drawEllipse(box);
        if (Printer == choice.Type) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(20, 60, 140));
            painter.drawEllipse(box.adjusted(3, 3, -3, -3));
        }
    }
}

void TConfiguration::LoadLocationKeys() {
    const QString text = LocationChoice->currentText();
    LocationChoice->clear();
    if (const auto user = Store.OpenKey(UserKeyPath, false))
        for (const std::string& name : Store.ListSubKeys(*user))
            LocationChoice->addItem(Q8(name));
    LocationChoice->setCurrentIndex(-1);
    LocationChoice->setEditText(text);
}

bool TConfiguration::FindLocation(const QString& name) {
    const int index = LocationChoice->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) return false;
    LocationChoice->setCurrentIndex(index);
    Recalled = name;
    return true;
}

int TConfiguration::SelectedLocation() const {
    return LocationChoice->findText(LocationChoice->currentText(),
                                    Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void TConfiguration::Recall(const QString& name) {
    Recalled = name;
    const auto location = ReadNamedLocation(Store, S(name));
    if (!location) return; // nothing stored under it: the fields stay
    // A damaged position keeps the one shown.
    if (const auto position = LocationPosition(*location)) ShowPosition(*position);
    bool ok = false;
    const int zone = Q8(location->Timezone).trimmed().toInt(&ok);
    FixedDaylightSaving = location->DST == "True";
    // A zone outside the list keeps the one shown; a zone name the database does not hold
    // gives the location's fixed offset.
    ShowZone(*ZoneChoice, ok ? zone : -1, location->ZoneName);
    ShowDaylightSaving();
    if (!location->ZoneName.empty() && !SelectedZone(*ZoneChoice).Named) {
        const TNamedZoneLookup found = LookUpNamedZone(location->ZoneName);
        ShowMessage(this, Q8(ZoneErrorMessage(found.Error, location->ZoneName)) +
                              QStringLiteral(": the location's fixed offset is shown."));
    }
}

void TConfiguration::ShowDaylightSaving() {
    const TZoneSelection zone = SelectedZone(*ZoneChoice);
    DaylightSavingCheck->setEnabled(!zone.Named);
    DaylightSavingCheck->setChecked(
        zone.Named ? zone.Named->StateAt(State.UniversalTime()).IsDaylightSaving
                   : FixedDaylightSaving);
}

std::optional<TZoneSelection> TConfiguration::CheckZone() {
    TZoneSelection zone = SelectedZone(*ZoneChoice);
    if (zone.FixedIndex >= 0 || zone.Named) return zone;
    ShowMessage(this, ZoneProblem(zone));
    ZoneChoice->setFocus();
    return std::nullopt;
}

TNamedLocation TConfiguration::LocationOfFields(const TZoneSelection& zone) {
    if (!zone.Named) return NamedLocationOf(EditedPosition(), zone.FixedIndex, FixedDaylightSaving);
    // The fixed offset in step with the zone now, for older versions.
    TSettings inStep;
    KeepFixedOffsetInStep(inStep, *zone.Named, JulianDay(State.UniversalNow()));
    return NamedLocationOf(EditedPosition(), inStep.TimeZone, inStep.DaylightSavings,
                           zone.Named->Name());
}

void TConfiguration::PadPositionEdits() {
    for (QLineEdit* edit : {LatDegField, LatMinField, LatSecField, LongMinField, LongSecField})
        edit->setText(Padded(edit->text(), 2));
    LongDegField->setText(Padded(LongDegField->text(), 3));
}

bool TConfiguration::CheckPosition() {
    const QString problem = PositionProblem(EditedPosition());
    if (problem.isEmpty()) return true;
    ShowMessage(this, problem);
    return false;
}

bool TConfiguration::CheckName(const QString& name) {
    const QString problem = LocationNameProblem(name);
    if (problem.isEmpty()) return true;
    ShowMessage(this, problem);
    return false;
}

QString TConfiguration::StoredName(const QString& name) const {
    for (int i = 0; i < LocationChoice->count(); ++i)
        if (LocationChoice->itemText(i).compare(name, Qt::CaseInsensitive) == 0)
            return LocationChoice->itemText(i);
    return {};
}

bool TConfiguration::LocationExists(const QString& name) const {
    return ReadNamedLocation(Store, S(name)).has_value();
}

bool TConfiguration::WriteLocation(const QString& name, bool canCreate) {
    PadPositionEdits();
    const TZoneSelection zone = SelectedZone(*ZoneChoice);
    if (zone.FixedIndex < 0 && !zone.Named) return false;
    return WriteNamedLocation(Store, S(name), LocationOfFields(zone), canCreate);
}

void TConfiguration::AddClick() {
    const QString name = LocationChoice->currentText().trimmed();
    if (!CheckName(name) || !CheckPosition() || !CheckZone()) return;
    LoadLocationKeys();
    const QString existing = StoredName(name);
    if (!existing.isEmpty()) {
        ShowMessage(this, Quoted(existing, "Location already exists."));
        (void)FindLocation(existing);
        return;
    }
    if (!WriteLocation(name, true)) {
        ShowMessage(this, Quoted(name, "Location could not be stored."));
        return;
    }
    ShowMessage(this, Quoted(name, "Location Added."), QMessageBox::Information);
    LoadLocationKeys();
    (void)FindLocation(name);
}

void TConfiguration::UpdateClick() {
    const QString name = LocationChoice->currentText().trimmed();
    if (!CheckName(name) || !CheckPosition() || !CheckZone()) return;
    LoadLocationKeys();
    const QString existing = StoredName(name);
    // With nothing recalled, a name already stored updates that location in place.
    const bool sameLocation =
        Recalled.isEmpty() ? !existing.isEmpty() : Recalled.compare(name, Qt::CaseInsensitive) == 0;
    const QString target = sameLocation && !existing.isEmpty() ? existing : name;
    if (!sameLocation && !existing.isEmpty()) {
        // A rename onto another location would overwrite it.
        ShowMessage(this, Quoted(existing, "Location already exists."));
        return;
    }
    // The new values first; the old location goes only once they are stored.
    if (!WriteLocation(target, true)) {
        ShowMessage(this, Quoted(name, "Location could not be stored."));
        return;
    }
    if (!sameLocation && !Recalled.isEmpty() && LocationExists(Recalled))
        (void)Store.DeleteKey(LocationKeyPath(S(Recalled)));
    ShowMessage(this, Quoted(name, "Location Updated."), QMessageBox::Information);
    LoadLocationKeys();
    (void)FindLocation(target);
}

void TConfiguration::DeleteClick() {
    const QString name = LocationChoice->currentText().trimmed();
    if (name.isEmpty()) return;
    const QString existing = StoredName(name);
    if (existing.isEmpty() || !Store.DeleteKey(LocationKeyPath(S(existing)))) {
        ShowMessage(this, Quoted(name, "Location not found."));
        return;
    }
    ShowMessage(this, Quoted(existing, "Location Deleted."), QMessageBox::Information);
    if (existing == Recalled) Recalled.clear();
    LocationChoice->setEditText(QString());
    LoadLocationKeys();
    if (LocationChoice->count() > 0) {
        LocationChoice->setCurrentIndex(0);
        Recall(LocationChoice->itemText(0));
    }
}

void TConfiguration::CancelClick() {
    ShowPosition({{}, THemisphere::Northern, {}, TLongitudeSide::East});
    LocationChoice->setCurrentIndex(-1);
    LocationChoice->setEditText(QString());
    FixedDaylightSaving = false;
    ZoneChoice->setCurrentIndex(GreenwichZone);
    ShowDaylightSaving();
}

void TConfiguration::closeEvent(QCloseEvent* event) {
    // The desktop's close (Alt+F4, the window list) is the close glyph's: the same checks and
    // the same storing, and the window stays while something is refused. The program's own
    // closes (the glyph's, after its checks; the end of the program) pass as they are.
    if (event->spontaneous()) {
        event->ignore();
        QMetaObject::invokeMethod(
            this, [this] { (void)StoreAndClose(); }, Qt::QueuedConnection);
        return;
    }
    TBorderlessWindow::closeEvent(event);
}

void TConfiguration::keyPressEvent(QKeyEvent* event) {
    // Return is the close glyph; Escape (the base window's) closes without storing.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        (void)StoreAndClose();
        return;
    }
    TBorderlessWindow::keyPressEvent(event);
}

bool TConfiguration::StoreAndClose() {
    PadPositionEdits();
    const int location = SelectedLocation();
    if (location < 0) {
        ShowMessage(this, QStringLiteral(
                              "You must select a location before you can exit form this screen."));
        return false;
    }
    if (!CheckPosition() || !CheckTimeServer()) return false;
    if (!CheckZone()) return false;
    const TStoredChanges changes = StoreChangedSettings(
        Store, State.Settings(), Shown, EditedSettings(Opened), ConfigurationValueNames);
    State.ApplySettings(changes.Settings);
    close();
    if (!changes.Stored)
        ShowMessage(MainWindow,
                    QStringLiteral("The settings could not be saved. They apply until Tidewell "
                                   "is closed."));
    return true;
}

TSettings TConfiguration::EditedSettings(TSettings s) const {
    s.Position = EditedPosition();
    if (const int location = SelectedLocation(); location >= 0)
        s.Location = S(LocationChoice->itemText(location));
    // A list with nothing selected keeps the value it had.
    if (DayOrderChoice->currentIndex() >= 0)
        s.DayOrder = static_cast<TWeekday>(DayOrderChoice->currentIndex());
    if (DateFormatChoice->currentIndex() >= 0) {
        s.DateLayoutIdx = static_cast<std::uint8_t>(DateFormatChoice->currentIndex());
        s.DateFormat = S(DateFormatChoice->currentText());
    }
    // A zone that names nothing (refused on closing) keeps the values it had.
    const TZoneSelection zone = SelectedZone(*ZoneChoice);
    if (zone.Named) {
        s.TimeZoneName = zone.Named->Name();
        KeepFixedOffsetInStep(s, *zone.Named, JulianDay(State.UniversalNow()));
    } else if (zone.FixedIndex >= 0) {
        s.TimeZoneName.clear();
        s.TimeZone = zone.FixedIndex;
        s.DaylightSavings = FixedDaylightSaving;
    }
    if (FeatureFileChoice->currentIndex() >= 0) s.FeatureIdx = FeatureFileChoice->currentIndex();
    s.PrinterType = Printer;
    s.TimeServer = S(TimeServerEntry->text());
    return s;
}
