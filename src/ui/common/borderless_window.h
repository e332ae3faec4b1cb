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
// The main window passes TWindowRole::Main: its close area ends the program, its minimise
// area minimises the whole application, and moving the mouse over its background puts the
// application-wide cursor back to the arrow.
//
// In night vision (night_vision.h) every window, children included, is drawn through one red
// colour transform set on the window itself: a window keeps its own colours and never
// changes them for the night.

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

#include "ui/common/click_label.h"

class QPainter;

enum class TWindowRole {
    Main,   // the program's central window
    Normal, // a report or tool window
    PopUp,  // closes itself as soon as it loses activation
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

    // The background picture, ":/art/<name>"; the window takes its size.
    void SetBackgroundArt(const QString& name);
    void SetBackground(const QImage& picture);
    [[nodiscard]] const QImage& Background() const { return BackgroundPicture; }

    // The standard controls, named lblTitle, lblExit and lblMinimise.
    TClickLabel* AddTitleArea(const QRect& area);
    TClickLabel* AddExitArea(const QRect& area, const QString& hint);
    TClickLabel* AddMinimiseArea(const QRect& area, const QString& hint);
    // A window's own button: a transparent click area with its hint ("" for none).
    TClickLabel* AddButton(const QString& name, const QRect& area, const QString& hint);

    // Hints: on a child control (changes or removes a hint set before; "" removes it) or
    // on a rectangle of the window's own surface (painted captions).
    static void SetHint(QWidget* control, const QString& hint);
    void AddHintArea(const QRect& area, const QString& hint);
    void ClearHintAreas();

    // Placement.
    void CentreOver(const QWidget& owner); // centred over another window, then kept on screen
    void CentreOnScreen();                 // (screen − window) div 2 in both directions
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
    TWindowRole WindowRole;
    QImage BackgroundPicture;
    QList<THintArea> HintAreas;
};
