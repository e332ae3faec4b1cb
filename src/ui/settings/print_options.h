// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TPrintOptions: what the printed month calendar holds (the phase drawing of every day, the
// principal phases, the Moon's and the Sun's times) and how dark its phase drawings are.
// OK stores the choice and prints the selected month; Escape closes without either.
//
//   TPrintOptions options(state, store, &main);
//   options.Open();     // centred over the main window, the choices from the settings

#include <QImage>
#include <QWidget>

#include "ui/common/accessibility.h"
#include "ui/common/borderless_window.h"

class QCheckBox;
class QLineEdit;
class TProgramState;
class TSettingsStore;

// The density field's text when it is left: digits only, at most 100; a text that is not a
// whole number (an empty field) keeps the previous value.
[[nodiscard]] int DensityFromText(const QString& text, int previous);

// The two halves of the spin button beside the density field; with the focus, the Up and
// Down keys press them.
class TSpinButton : public QWidget, public TShownTexts {
    Q_OBJECT
  public:
    explicit TSpinButton(QWidget* parent);
    // The halves as two buttons named after the spin button's own name ("Daily Phase Density up").
    [[nodiscard]] QList<TShownText> ShownTexts() override;

  signals:
    void Up();
    void Down();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

class TPrintOptions : public TBorderlessWindow {
    Q_OBJECT
  public:
    TPrintOptions(TProgramState& state, TSettingsStore& store, QWidget* main = nullptr);
    ~TPrintOptions() override;

    // The choices from the settings, centred over the main window, shown and activated.
    void Open();
    // Stores the choices, prints the selected month and closes.
    void OkClick();
    void SpinUp();
    void SpinDown();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void LoadChoices();
    // The leaving rule: the field shows its value in plain decimal, at most 100.
    int TakeDensity();

    TProgramState& State;
    TSettingsStore& Store;
    QWidget* MainWindow;
    QCheckBox* DailyPhasesCheck = nullptr;
    QCheckBox* MajorPhasesCheck = nullptr;
    QCheckBox* MoonTimesCheck = nullptr;
    QCheckBox* SunTimesCheck = nullptr;
    QLineEdit* DensityField = nullptr;
    int DensityNow = 75;
};
