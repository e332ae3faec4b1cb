// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/borderless_window.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QToolTip>
#include <QWindow>

#include "ui/common/accessibility.h"
#include "ui/common/artwork.h"
#include "ui/common/keyboard.h"
#include "ui/common/window_placement.h"

namespace {

// The application style with the hint pause of the program's windows.
class THintPauseStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay) return HintPauseMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void InstallHintPause() {
    if (qApp == nullptr || dynamic_cast<THintPauseStyle*>(QApplication::style()) != nullptr) return;
    QApplication::setStyle(new THintPauseStyle);
}

namespace {

Qt::WindowFlags RoleFlags(TWindowRole role) {
    // A toolkit pop-up closes at a click outside it whatever the window manager does with
    // activation (some give none to a click).
    return (role == TWindowRole::PopUp ? Qt::Popup : Qt::Window) | Qt::FramelessWindowHint;
}

// A press that closed a pop-up, handed to the window under it as that window's own press,
// so the release that follows completes a click there.
void PassOnPress(const QMouseEvent& press) {
    const QPoint global = press.globalPosition().toPoint();
    QWidget* under = QApplication::widgetAt(global);
    if (under == nullptr) return;
    QWidget* window = under->window();
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && window != modal) return;
    QWindow* handle = window->windowHandle();
    if (handle == nullptr) return;
    window->activateWindow();
    QMouseEvent replay(QEvent::MouseButtonPress, handle->mapFromGlobal(global), global,
                       press.button(), press.buttons(), press.modifiers());
    QCoreApplication::sendEvent(handle, &replay);
}

} // namespace

TBorderlessWindow::TBorderlessWindow(TWindowRole role, QWidget* parent)
    : QWidget(parent, RoleFlags(role)), WindowRole(role) {
    InstallHintPause();
    InstallAccessibility();
    setAttribute(Qt::WA_QuitOnClose, role == TWindowRole::Main);
    if (role == TWindowRole::Main)
        setMouseTracking(true); // the arrow cursor comes back over the background
}

void TBorderlessWindow::SetBackgroundArt(const QString& name) {
    SetBackground(LoadArt(name));
}

void TBorderlessWindow::SetBackground(const QImage& picture) {
    BackgroundPicture = picture;
    if (!picture.isNull()) setFixedSize(picture.size());
    update();
}

TClickLabel* TBorderlessWindow::AddButton(const QString& name, const QRect& area,
                                          const QString& hint) {
    auto* label = new TClickLabel(this);
    label->setObjectName(name);
    label->setGeometry(area);
    label->setFocusPolicy(Qt::TabFocus);
    SetHint(label, hint);
    return label;
}

TClickLabel* TBorderlessWindow::AddTitleArea(const QRect& area) {
    TClickLabel* title = AddButton("lblTitle", area, QString());
    title->setFocusPolicy(Qt::NoFocus); // a drag handle, not a button
    connect(title, &TClickLabel::Pressed, this,
            [this](Qt::MouseButton, QPoint pos) { TitleMouseDown(pos); });
    connect(title, &TClickLabel::Moved, this,
            [this](Qt::MouseButtons, QPoint pos) { TitleMouseMove(pos); });
    connect(title, &TClickLabel::Released, this,
            [this](Qt::MouseButton, QPoint) { TitleMouseUp(); });
    return title;
}

TClickLabel* TBorderlessWindow::AddExitArea(const QRect& area, const QString& hint) {
    const QString key =
        WindowRole == TWindowRole::Main ? QStringLiteral("Ctrl+Q") : QStringLiteral("Esc");
    TClickLabel* exit = AddButton("lblExit", area,
                                  hint.isEmpty() ? hint : QStringLiteral("%1 (%2)").arg(hint, key));
    connect(exit, &TClickLabel::Clicked, this, [this](Qt::MouseButton button, QPoint) {
        if (button == Qt::LeftButton) ExitClick();
    });
    return exit;
}

TClickLabel* TBorderlessWindow::AddMinimiseArea(const QRect& area, const QString& hint) {
    TClickLabel* minimise = AddButton("lblMinimise", area, hint);
    connect(minimise, &TClickLabel::Clicked, this, [this](Qt::MouseButton button, QPoint) {
        if (button == Qt::LeftButton) MinimiseClick();
    });
    return minimise;
}

void TBorderlessWindow::SetHint(QWidget* control, const QString& hint) {
    if (control != nullptr) control->setToolTip(hint);
}

void TBorderlessWindow::AddHintArea(const QRect& area, const QString& hint) {
    HintAreas.append({area, hint});
}

void TBorderlessWindow::ClearHintAreas() {
    HintAreas.clear();
}

void TBorderlessWindow::BelongTo(QWidget* owner) {
    Owner = owner;
}

void TBorderlessWindow::TitleMouseDown(QPoint pos) {
    DragX = pos.x();
    DragY = pos.y();
    // The desktop's own move where it offers one (Wayland lets no client place its windows);
    // otherwise the window follows the mouse itself.
    Dragging = windowHandle() == nullptr || !windowHandle()->startSystemMove();
}

void TBorderlessWindow::TitleMouseMove(QPoint pos) {
    if (Dragging) move(x() + pos.x() - DragX, y() + pos.y() - DragY);
}

void TBorderlessWindow::TitleMouseUp() {
    Dragging = false;
}

void TBorderlessWindow::ExitClick() {
    close();
}

void TBorderlessWindow::MinimiseClick() {
    showMinimized(); // the main window takes the others along (FollowMainState)
}

void TBorderlessWindow::FollowMainState(Qt::WindowStates before) {
    const bool minimised = isMinimized();
    if (minimised && !before.testFlag(Qt::WindowMinimized)) {
        MinimisedAlong.clear();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window == this || !window->isVisible() || window->isMinimized()) continue;
            MinimisedAlong.append(window);
            window->showMinimized();
        }
    } else if (!minimised && before.testFlag(Qt::WindowMinimized)) {
        // Restored: the windows that went with it come back, over it as they were.
        for (const QPointer<QWidget>& window : MinimisedAlong)
            if (window && window->isVisible() && window->isMinimized()) window->showNormal();
        MinimisedAlong.clear();
    }
}

void TBorderlessWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && WindowRole == TWindowRole::Main)
        FollowMainState(static_cast<QWindowStateChangeEvent*>(event)->oldState());
}

void TBorderlessWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted()) return;
    Dragging = false;
    emit Closed();
    if (WindowRole == TWindowRole::Main) {
        // Closing the main window ends the program: every other window goes with it, and
        // the application quits once its last window has closed.
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window != this && window->isVisible()) window->close();
    }
}

bool TBorderlessWindow::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowDeactivate:
        if (WindowRole == TWindowRole::PopUp && isVisible()) close();
        break;
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        for (const THintArea& area : HintAreas) {
            if (area.Area.contains(help->pos()) && !area.Hint.isEmpty()) {
                QToolTip::showText(help->globalPos(), area.Hint, this, area.Area);
                return true;
            }
        }
        break; // the window's own hint, if it has one
    }
    default:
        break;
    }
    return QWidget::event(event);
}

void TBorderlessWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        WindowRole != TWindowRole::Main) {
        close();
        return;
    }
    if (QScrollBar* list = ListScrolledBy(*event)) {
        QCoreApplication::sendEvent(list, event); // the bar steps as its own keys say
        return;
    }
    QWidget::keyPressEvent(event);
}

QScrollBar* TBorderlessWindow::ListScrolledBy(const QKeyEvent& event) const {
    if (event.modifiers() != Qt::NoModifier) return nullptr;
    const int key = event.key();
    const bool across = key == Qt::Key_Left || key == Qt::Key_Right;
    const bool down = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                      key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End;
    if (!across && !down) return nullptr;
    // The window's first list, or its first scrolled sideways for Left and Right.
    for (QScrollBar* bar : findChildren<QScrollBar*>())
        if (bar->window() == this && bar->isVisibleTo(this) && bar->isEnabled() &&
            bar->orientation() == (across ? Qt::Horizontal : Qt::Vertical))
            return bar;
    return nullptr;
}

void TBorderlessWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Before the window reaches the screen, which reads its transient parent then.
    QWindow* own = windowHandle();
    QWindow* owner = Owner ? Owner->window()->windowHandle() : nullptr;
    if (own != nullptr && owner != nullptr && owner != own) own->setTransientParent(owner);
    if (!FocusOrdered) {
        FocusOrdered = true;
        OrderFocusByPlace();
    }
}

namespace {

// The controls a window's Tab reaches: those taking the focus by Tab that are not the inner
// parts of another control (the field of an editable list).
QList<QWidget*> TabControls(QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->isWindow() || !(w->focusPolicy() & Qt::TabFocus)) continue;
        bool inner = false;
        for (QWidget* up = w->parentWidget(); up != &window && up != nullptr && !inner;
             up = up->parentWidget())
            inner = (up->focusPolicy() & Qt::TabFocus) != 0;
        if (!inner) controls.append(w);
    }
    return controls;
}

} // namespace

void TBorderlessWindow::OrderFocusByPlace() {
    QList<QWidget*> controls = TabControls(*this);
    const auto place = [this](const QWidget* w) {
        return QRect(w->mapTo(this, QPoint()), w->size());
    };
    std::stable_sort(controls.begin(), controls.end(), [&](const QWidget* a, const QWidget* b) {
        return place(a).top() < place(b).top();
    });
    // Rows: a control whose middle lies within the first of a row belongs to that row.
    QList<QWidget*> ordered;
    for (qsizetype first = 0; first < controls.size();) {
        const QRect rowArea = place(controls[first]);
        qsizetype end = first + 1;
        while (end < controls.size() && place(controls[end]).center().y() <= rowArea.bottom())
            ++end;
        std::stable_sort(
            controls.begin() + first, controls.begin() + end,
            [&](const QWidget* a, const QWidget* b) { return place(a).left() < place(b).left(); });
        ordered.append(controls.mid(first, end - first));
        first = end;
    }
    for (qsizetype k = 1; k < ordered.size(); ++k)
        setTabOrder(ordered[k - 1], ordered[k]);
}

void TBorderlessWindow::mousePressEvent(QMouseEvent* event) {
    // The toolkit hands a pop-up every press while it is open, those outside it too.
    if (windowType() == Qt::Popup && !rect().contains(event->position().toPoint())) {
        close();
        PassOnPress(*event);
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TBorderlessWindow::mouseMoveEvent(QMouseEvent* event) {
    if (WindowRole == TWindowRole::Main)
        while (QApplication::overrideCursor() != nullptr)
            QApplication::restoreOverrideCursor();
    QWidget::mouseMoveEvent(event);
}

void TBorderlessWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!BackgroundPicture.isNull()) painter.drawImage(0, 0, BackgroundPicture);
    PaintOver(painter);
}

void TBorderlessWindow::PaintOver(QPainter&) {}

void TBorderlessWindow::PlaceNear(const QWidget& owner, QPoint wanted) {
    if (CompositorPlacesWindows()) {
        move(wanted);
        return;
    }
    const QRect area = AvailableAreaAt(QRect(wanted, size()).center(), &owner);
    move(PlaceClearOfTitle(wanted, size(), owner.frameGeometry(), area));
}

void TBorderlessWindow::PlaceAt(const QWidget& owner, QPoint inOwner) {
    PlaceNear(owner, owner.mapToGlobal(inOwner));
}

void TBorderlessWindow::CentreOver(const QWidget& owner) {
    PlaceAt(owner, {(owner.width() - width()) / 2, (owner.height() - height()) / 2});
}

void TBorderlessWindow::CentreOnScreen() {
    const QRect area = AvailableAreaAt(frameGeometry().center(), this);
    if (area.isEmpty()) return;
    move(ClampedInto(
        {area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2},
        size(), area));
}

void TBorderlessWindow::KeepOnScreen() {
    move(ClampedInto(pos(), size(), AvailableAreaAt(frameGeometry().center(), this)));
}
