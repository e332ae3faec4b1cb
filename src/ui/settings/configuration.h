// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TConfiguration: the observer's position, time zone and daylight saving, the calendar's
// weekday order and date format, the feature file shown first, the time server and the
// printer type, and the book of named observing locations (Add, Update, Delete, Cancel).
// Modal; its close button (or Return)
// stores the values the user changed and applies them to the program state, so the main
// window and every
// open report follow at once. The night-vision box is the one exception: it switches the
// look (and stores it) the moment it is clicked, as Ctrl+N does in any window. Escape closes
// it without storing.
//
//   TConfiguration config(state, store, &main);
//   config.Open();   // fields filled once from the settings, centred over the main window

#include <optional>

#include <QString>

#include "settings/settings.h"
#include "ui/common/borderless_window.h"
#include "ui/settings/zone_list.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QFont;
class QLineEdit;
class TProgramState;
struct TNamedLocation;
class TSettingsStore;

// What is wrong with the position as typed ("" when nothing), naming the field.
[[nodiscard]] QString PositionProblem(const TPosition& position);

// What is wrong with a location name (already trimmed), "" when nothing.
[[nodiscard]] QString LocationNameProblem(const QString& name);

class TConfiguration : public TBorderlessWindow {
    Q_OBJECT
  public:
    static constexpr int MaxLocationName = 64;

    TConfiguration(TProgramState& state, TSettingsStore& store, QWidget* main = nullptr);

    // Fills the fields from the settings (once per opening), centred over the main window,
    // shown modally.
    void Open();

    // The location buttons.
    void AddClick();
    void UpdateClick();
    void DeleteClick();
    void CancelClick();
    // Recalls a named location into the fields.
    void Recall(const QString& name);
    // Stores the settings and closes; false (the window stays) when something is refused.
    bool StoreAndClose();
    void SelectPrinter(TPrinterType type);

    [[nodiscard]] TPrinterType PrinterType() const { return Printer; }
    [[nodiscard]] const QString& LastRecalled() const { return Recalled; }

  protected:
    void PaintOver(QPainter& painter) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QLineEdit* PositionEdit(const char* name, QRect area, int digits);
    void AddNightVisionBox(const QFont& font);
    void AddTimeServerField(const QFont& font);
    void NameForReaders();
    // The time server's address as typed; the message when it is refused.
    [[nodiscard]] bool CheckTimeServer();
    // The time zone as typed or picked; the message when it is neither an offset nor a zone.
    [[nodiscard]] std::optional<TZoneSelection> CheckZone();
    // The daylight-saving box: the user's for a fixed offset; for a named zone, whether its
    // rules have daylight saving in force at the selected moment (not to be changed).
    void ShowDaylightSaving();
    // The location of the fields, with the zone as chosen.
    [[nodiscard]] TNamedLocation LocationOfFields(const TZoneSelection& zone);
    void FillFromSettings(const TSettings& settings);
    void ShowPosition(const TPosition& position);
    void ShowSides();
    // The position in the fields; a field left empty counts 0.
    [[nodiscard]] TPosition EditedPosition() const;
    // `base` with the values the fields give.
    [[nodiscard]] TSettings EditedSettings(TSettings base) const;
    void LoadLocationKeys();
    // Selects the entry of that exact name; it becomes the last recalled one.
    bool FindLocation(const QString& name);
    // The entry whose name the combo's text is, exactly; -1 when none.
    [[nodiscard]] int SelectedLocation() const;
    void PadPositionEdits();
    [[nodiscard]] bool CheckPosition();
    // Checks the trimmed name; the message when it is refused.
    [[nodiscard]] bool CheckName(const QString& name);
    bool WriteLocation(const QString& name, bool canCreate);
    [[nodiscard]] bool LocationExists(const QString& name) const;
    [[nodiscard]] QString StoredName(const QString& name) const; // case-insensitive match

    TProgramState& State;
    TSettingsStore& Store;
    QWidget* MainWindow;
    QLineEdit* LatDegField = nullptr;
    QLineEdit* LatMinField = nullptr;
    QLineEdit* LatSecField = nullptr;
    QLineEdit* LongDegField = nullptr;
    QLineEdit* LongMinField = nullptr;
    QLineEdit* LongSecField = nullptr;
    QLabel* LatitudeSideLabel = nullptr;
    QLabel* LongitudeSideLabel = nullptr;
    QComboBox* ZoneChoice = nullptr;
    QCheckBox* DaylightSavingCheck = nullptr;
    QCheckBox* NightVisionCheck = nullptr;
    QComboBox* LocationChoice = nullptr;
    QComboBox* DayOrderChoice = nullptr;
    QComboBox* DateFormatChoice = nullptr;
    QComboBox* FeatureFileChoice = nullptr;
    QLineEdit* TimeServerEntry = nullptr;
    THemisphere LatitudeSide = THemisphere::Northern;
    TLongitudeSide LongitudeSide = TLongitudeSide::West;
    TPrinterType Printer = TPrinterType::Laser;
    QString Recalled;                 // the named location last recalled
    bool FixedDaylightSaving = false; // the box as ticked for a fixed offset
    TSettings Opened;                 // the stored values the fields were filled from
    TSettings Shown;                  // the values as the fields gave them then
};
