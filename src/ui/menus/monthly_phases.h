// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TMonthlyPhases: a calendar picture of the selected month in which every day carries a small
// photograph of the Moon shaded to that day's phase (turned for an observer in the southern
// hemisphere), which can be saved as a PNG, JPEG or BMP file.
//
//   TMonthlyPhases phases(state, &main);
//   phases.Open();                                  // drawn for the selected month, shown
//   phases.SaveTo("/home/me/Pictures/May.png");     // false (and a message) when it fails

#include <functional>

#include <QImage>

#include "ui/common/borderless_window.h"
#include "ui/common/program_state.h"

class TMonthlyPhases : public TBorderlessWindow {
    Q_OBJECT
  public:
    static constexpr int PictureWidth = 461;
    static constexpr int PictureHeight = 414;
    // Where the picture's inner part (3, 3)–(W − 2, H − 2) is shown.
    static inline const QPoint PictureAt{18, 55};

    explicit TMonthlyPhases(const TProgramState& state, QWidget* main = nullptr);

    // The save dialog: the chosen file name, empty when cancelled. Tests replace it.
    using TAskFileName = std::function<QString(QWidget* owner, const QString& suggested)>;
    void SetFileDialog(TAskFileName ask) { AskFileName = std::move(ask); }
    // Where the dialog starts: the Pictures folder and "MoonPhases.png".
    [[nodiscard]] static QString SuggestedPath();

  public slots:
    // Drawn for the state's month and shown.
    void Open();
    // The whole picture for the selected month.
    void DrawMoonPhases();
    // Asks for a file name and saves there.
    void SaveClick();
    // Saves the picture in the format the name's extension asks for (".png" added when it has
    // none); a failure is reported in a message over the window.
    bool SaveTo(const QString& path);

  protected:
    void PaintOver(QPainter& painter) override;

  private:
    void PrintTitle(QPainter& p);
    void PrintDayNames(QPainter& p);
    void DrawCells(QPainter& p);

    const TProgramState& State;
    QWidget* MainWindow;
    QImage MiniMoonArt;
    QImage MiniMoonImage;
    QImage PhasesImage;
    int Top = 32;
    TAskFileName AskFileName;
};
