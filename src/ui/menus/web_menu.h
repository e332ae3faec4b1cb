// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TWebMenu: a pop-up column of lunar web sites under two headings; a click asks the desktop
// to open the entry's page. The arrow keys (or Tab) move the entry arrow from link to link,
// Return or Space open the marked one, Escape closes the menu. TAbout: the program's picture with
// its name and version.
//
//   TWebMenu links(&main);
//   links.Open();   // at the main window's links button

#include "ui/common/accessibility.h"
#include "ui/common/borderless_window.h"

class QLabel;

class TWebMenu : public TBorderlessWindow, public TShownTexts {
    Q_OBJECT
  public:
    static constexpr int EntryHeight = 20;

    explicit TWebMenu(QWidget* main = nullptr);

    // Shown below the main window's links button.
    void Open();
    // The index into WebLinks of the entry at a point, or -1 (hidden entries take no row).
    [[nodiscard]] static int EntryAt(QPoint pos);
    // The top of an entry's row, -1 when it is hidden.
    [[nodiscard]] static int EntryTop(int link);
    // The headings and the entries, each entry opening its page when chosen.
    [[nodiscard]] QList<TShownText> ShownTexts() override;

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Whether an index into WebLinks is a shown entry with a page (not a heading).
    [[nodiscard]] static bool IsLink(int link);
    void PointAt(int link); // the arrow at a link, hidden over anything else
    void OpenLink(int link);

    QWidget* MainWindow;
    QLabel* EntryArrow = nullptr;
    int Pointed = -1; // the link the arrow marks
};

class TAbout : public TBorderlessWindow {
    Q_OBJECT
  public:
    explicit TAbout(QWidget* main = nullptr);

    // Centred over the main window.
    void Open();

  protected:
    void PaintOver(QPainter& painter) override;

  private:
    QWidget* MainWindow;
    QLabel* VersionLabel = nullptr;
};
