// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/messages.h"

#include <QApplication>
#include <QWidget>

#include "ui/common/window_placement.h"

namespace {

TMessageCapture* Capture = nullptr;

} // namespace

QMessageBox* MakeMessageBox(QWidget* owner, const QString& text, QMessageBox::Icon icon) {
    QWidget* window = owner != nullptr ? owner->window() : QApplication::activeWindow();
    auto* box = new QMessageBox(icon, QStringLiteral("Tidewell"), text, QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (window != nullptr) {
        // A frameless owner gives the window manager nothing to centre on: place the box
        // over the owner ourselves.
        box->adjustSize();
        const QRect over = window->frameGeometry();
        const QPoint centred = over.center() - QPoint(box->width() / 2, box->height() / 2);
        box->move(ClampedInto(centred, box->size(), AvailableAreaAt(over.center(), window)));
    }
    return box;
}

void ShowMessage(QWidget* owner, const QString& text, QMessageBox::Icon icon) {
    if (Capture != nullptr) {
        Capture->Texts.append(text);
        Capture->Owners.append(owner != nullptr ? owner->window() : nullptr);
        return;
    }
    MakeMessageBox(owner, text, icon)->exec();
}

TMessageCapture::TMessageCapture() : Outer(Capture) {
    Capture = this;
}

TMessageCapture::~TMessageCapture() {
    // Captures nest: the one made before this one collects again.
    if (Capture == this) Capture = Outer;
}
