// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QMouseEvent>

// A transparent label laid over a glyph painted in a window's background picture: the
// window's buttons, its title (the drag handle) and its close and minimise areas. It
// draws nothing unless given a caption, and reports the mouse with positions inside it.
//
// A label that takes focus by Tab (the windows' buttons) is a keyboard button too: Return,
// Enter and Space click it, and while the keyboard moves the focus it shows the focus mark.
class TClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TClickLabel(QWidget* parent = nullptr);

    // A left click at the centre, as the mouse gives one (a screen reader's press action).
    void Press();
    // Whether a click does anything here (a button, a day), rather than the label only
    // showing a text.
    [[nodiscard]] bool Pressable() const;

  signals:
    // Any button; a click is a press and a release over the label.
    void Pressed(Qt::MouseButton button, QPoint pos);
    void Moved(Qt::MouseButtons buttons, QPoint pos);
    void Released(Qt::MouseButton button, QPoint pos);
    void Clicked(Qt::MouseButton button, QPoint pos);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
