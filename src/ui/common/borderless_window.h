// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one base class of every Tidewell window: a borderless window drawn over its own
// background picture, dragged by its title, with close and minimise areas laid over the
// glyphs the picture carries and a hint on every control after 2000 ms.
//
// How a window uses it:
//
//   class TEquinoxes : public TBorderlessWindow {
//     public:
//       explicit TEquinoxes(QWidget* main)
//           : TBorderlessWindow(TWindowRole::PopUp, main) {
//           SetBackgroundArt("equinoxes.jpg");           // sizes the window to the picture
//           AddTitleArea({8, 4, 200, 20});                // lblTitle, the drag handle
//           AddExitArea({280, 6, 13, 15}, "Close this window");
//           TClickLabel* print = AddButton("lblPrint", {250, 6, 19, 19}, "Print");
//           connect(print, &TClickLabel::Clicked, this, [this] { ... });
//           AddHintArea({20, 40, 60, 12}, "Hint for a painted caption");
//       }
//     protected:
//       void PaintOver(QPainter& painter) override { ... }   // after the background
//   };
//   ...
//   equinoxes->CentreOver(*main); equinoxes->show();
//
// The main window passes TWindowRole::Main: its close area ends the program, minimising it
// (its minimise area or the desktop's) takes the open windows along and restoring it brings
// them back, and moving the mouse over its background puts the application-wide cursor back
// to the arrow.
//
// The keyboard: the buttons (AddButton, the close and minimise areas) take the focus by Tab
// in reading order, left to right and row by row, show the focus mark and act on Return and
// Space; Escape closes every window but the main one. The close area's hint names its key.
// The arrow keys, Page Up/Down, Home and End not taken by a control scroll the window's list.
//
// A pop-up closes at the first click outside it, and that click then acts where it lands
// (on a day of the calendar, a button of another window), as it would had the pop-up not
// been there.
//
// Placement (window_placement.h): every window opens inside the screen's available area,
// and a window opened over another leaves the other's title bar and buttons in view.
//
// In night vision (night_vision.h) every window, children included, is drawn through one red
// colour transform set on the window itself: a window keeps its own colours and never
// changes them for the night.

#include <QImage>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include "ui/common/click_label.h"

class QPainter;
class QScrollBar;

enum class TWindowRole {
    Main,   // the program's central window
    Normal, // a report or tool window
    PopUp,  // a toolkit pop-up: closes itself at a click outside it or when it loses activation
};

// The application's hint pause, in milliseconds.
inline constexpr int HintPauseMs = 2000;

// Makes every tool tip of the application wait HintPauseMs before showing. Called by
// every TBorderlessWindow; safe to call again.
void InstallHintPause();

class TBorderlessWindow : public QWidget {
    Q_OBJECT
  public:
    explicit TBorderlessWindow(TWindowRole role, QWidget* parent = nullptr);

    [[nodiscard]] TWindowRole Role() const { return WindowRole; }

    // The window this one belongs to (for most, the main window), made its transient parent:
    // the desktop keeps this one above it, and on Wayland a pop-up is placed against it.
    void BelongTo(QWidget* owner);

    // The background picture, ":/art/<name>"; the window takes its size.
    void SetBackgroundArt(const QString& name);
    void SetBackground(const QImage& picture);
    [[nodiscard]] const QImage& Background() const { return BackgroundPicture; }

    // The standard controls, named lblTitle, lblExit and lblMinimise.
    TClickLabel* AddTitleArea(const QRect& area);
    TClickLabel* AddExitArea(const QRect& area, const QString& hint);
    TClickLabel* AddMinimiseArea(const QRect& area, const QString& hint);
    // A window's own button: a transparent click area with its hint ("" for none), reached
    // by Tab and pressed by Return or Space.
    TClickLabel* AddButton(const QString& name, const QRect& area, const QString& hint);

    // Hints: on a child control (changes or removes a hint set before; "" removes it) or
    // on a rectangle of the window's own surface (painted captions).
    static void SetHint(QWidget* control, const QString& hint);
    void AddHintArea(const QRect& area, const QString& hint);
    void ClearHintAreas();

    // Placement, always inside the available area of the screen. Where the compositor
    // places windows (Wayland) a window goes where it is asked, relative to its owner, and
    // the compositor keeps it on the screen.
    // At the window's own place over owner (its top-left corner), moved off owner's title.
    void PlaceNear(const QWidget& owner, QPoint wanted);
    // At a point of owner, in owner's own coordinates (the control that opened the window).
    void PlaceAt(const QWidget& owner, QPoint inOwner);
    void CentreOver(const QWidget& owner); // centred over another window, as PlaceAt
    void CentreOnScreen();                 // centred in the screen's available area
    void KeepOnScreen();                   // moved, not resized, into the available area

    // Title drag state, as the mouse left it.
    bool Dragging = false;
    int DragX = 0;
    int DragY = 0;

  signals:
    // The window has been closed (hidden); TMain's closing also ends the program.
    void Closed();

  public slots:
    void MinimiseClick();
    void ExitClick();

  protected:
    // Draws the background picture, then PaintOver.
    void paintEvent(QPaintEvent* event) override;
    virtual void PaintOver(QPainter& painter);

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    void TitleMouseDown(QPoint pos);
    void TitleMouseMove(QPoint pos);
    void TitleMouseUp();

  private:
    struct THintArea {
        QRect Area;
        QString Hint;
    };
    // The scroll bar of the list a key scrolls (none for other keys or without a list).
    [[nodiscard]] QScrollBar* ListScrolledBy(const QKeyEvent& event) const;
    // The Tab order of the window's controls, in reading order of their places.
    void OrderFocusByPlace();
    // The main window's minimising and restoring, with the windows that were open.
    void FollowMainState(Qt::WindowStates before);

    TWindowRole WindowRole;
    QPointer<QWidget> Owner;
    QImage BackgroundPicture;
    QList<THintArea> HintAreas;
    // The windows the main window minimised along with itself, restored with it.
    QList<QPointer<QWidget>> MinimisedAlong;
    bool FocusOrdered = false;
};
