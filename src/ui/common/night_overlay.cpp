// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/night_overlay.h"

#include <algorithm>
#include <utility>

#include <QEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegion>

#include "ui/common/borderless_window.h"
#include "ui/common/night_frame.h"
#include "ui/common/night_vision.h"

namespace {

bool Turnable(const QImage& pixels) {
    return pixels.format() == QImage::Format_RGB32 ||
           pixels.format() == QImage::Format_ARGB32_Premultiplied;
}

// The part of the pixels that shows the window (from origin, size device pixels), sharing
// their memory.
QImage WindowPart(QImage& pixels, const QPoint& origin, const QSize& size) {
    const QRect part = QRect(origin, size) & pixels.rect();
    if (part.isEmpty() || part.topLeft() != origin) return {};
    return QImage(pixels.bits() + origin.y() * pixels.bytesPerLine() + origin.x() * 4, part.width(),
                  part.height(), pixels.bytesPerLine(), pixels.format());
}

// The areas where the mask does not hold, with what it takes there.
template <typename TFields> std::vector<std::pair<QRect, int>> MaskedAreas(const TFields& fields) {
    std::vector<std::pair<QRect, int>> areas;
    for (const auto& field : fields)
        if (field.Mask >= 0) areas.emplace_back(field.Area, field.Mask);
    return areas;
}

} // namespace

TNightOverlay::TNightOverlay(TBorderlessWindow& window)
    : QWidget(&window), Window(window), Frame(NightFrameMask(window.Background())) {
    setObjectName(QStringLiteral("NightOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(window.rect());
    window.installEventFilter(this);
    raise();
    show();
}

void TNightOverlay::KeepOnTop() {
    const QObjectList& siblings = Window.children();
    for (auto at = siblings.crbegin(); at != siblings.crend(); ++at) {
        const auto* widget = qobject_cast<const QWidget*>(*at);
        if (widget == nullptr || widget->isWindow()) continue;
        if (widget != this) raise();
        return;
    }
}

bool TNightOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &Window) {
        switch (event->type()) {
        case QEvent::Resize:
            setGeometry(Window.rect());
            break;
        case QEvent::ChildAdded:
        case QEvent::UpdateRequest:
            KeepOnTop();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// On the screen the painter paints into the window's backing store, a picture whose pixels are
// turned red where they lie. A grab paints into a pixmap: its pixels are read, turned red and
// put back.
void TNightOverlay::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    QPaintDevice* device = painter.paintEngine()->paintDevice();
    const QTransform toDevice = painter.deviceTransform();
    if (device == nullptr || toDevice.type() > QTransform::TxScale) return;
    QImage copied;
    QImage* pixels = nullptr;
    if (device->devType() == QInternal::Image) {
        painter.end(); // the picture's own pixels change from here on
        pixels = static_cast<QImage*>(device);
    } else if (device->devType() == QInternal::Pixmap) {
        copied = static_cast<QPixmap*>(device)->toImage();
        pixels = &copied;
    }
    if (pixels == nullptr || !Turnable(*pixels)) return;
    const double scale = toDevice.m11();
    const QPoint origin = toDevice.map(QPointF(0, 0)).toPoint();
    QImage window = WindowPart(*pixels, origin, (QSizeF(size()) * scale).toSize());
    if (window.isNull()) return;
    QRegion fresh;
    for (const QRect& rect : event->region())
        fresh +=
            QRectF(rect.topLeft() * scale, rect.size() * scale).toAlignedRect() & window.rect();
    FollowFields(window, fresh);
    for (const QRect& rect : fresh)
        ToNightColoursIn(window, rect, TNightTone::Keep, Turned);
    if (pixels != &copied) return;
    painter.setWorldTransform(toDevice.inverted());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& rect : fresh)
        painter.drawImage(rect.topLeft() + origin, window, rect);
}

void TNightOverlay::FollowFields(const QImage& window, const QRegion& fresh) {
    if (Frame.isNull() || Window.width() <= 0) return;
    if (ScaledFrame.size() != window.size()) {
        ScaledFrame =
            Frame.size() == window.size()
                ? Frame
                : Frame.scaled(window.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        Turned = ScaledFrame;
        Fields.clear();
    }
    const double scale = double(window.width()) / Window.width();
    std::vector<TKnownField> now;
    for (const TFieldArea& field : ShownFieldAreas(Window, scale, window.rect())) {
        const auto seen = std::find_if(Fields.begin(), Fields.end(), [&](const TKnownField& k) {
            return k.Control == field.Control && k.Area == field.Area;
        });
        const QRegion unpainted = QRegion(field.Area) - fresh;
        if (unpainted.isEmpty())
            now.push_back(
                {field.Control, field.Area, MaskOver(field, ShownDark(window, field.Area))});
        else if (seen != Fields.end())
            now.push_back(*seen);
        else if (fresh.intersects(field.Area)) {
            // Partly painted and never seen whole: judged from what was painted now, and
            // painted whole next.
            const QRect painted = (QRegion(field.Area) & fresh).boundingRect();
            now.push_back({field.Control, field.Area, MaskOver(field, ShownDark(window, painted))});
            update(QRectF(QPointF(field.Area.topLeft()) / scale, QSizeF(field.Area.size()) / scale)
                       .toAlignedRect());
        }
    }
    if (MaskedAreas(now) != MaskedAreas(Fields)) {
        Turned = ScaledFrame;
        for (const auto& [area, value] : MaskedAreas(now))
            FillMask(Turned, area, uchar(value));
    }
    Fields = std::move(now);
}
