// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/night_vision.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "settings/settings_writer.h"
#include "ui/common/borderless_window.h"
#include "ui/common/night_overlay.h"
#include "ui/common/program_state.h"

namespace {

// Brightness is red as it stands on the panels, where the values (aqua, pale yellow) stand
// out from their dark ground at least 3:1 in red. The frame's complement is stretched: the
// metal (grey 120-170, its complement 85-135) goes near black and the black and dark-grey
// captions on it (complements above 190) bright, so they stand out as much, while the
// screen as a whole stays dark.
constexpr int FrameBlack = 90;
constexpr int FrameWhite = 210;

const std::array<uchar, 256>& FrameCurve() {
    static const std::array<uchar, 256> curve = [] {
        std::array<uchar, 256> table{};
        for (int v = 0; v < 256; ++v)
            table[v] = static_cast<uchar>(
                std::clamp(255 * (v - FrameBlack) / (FrameWhite - FrameBlack), 0, 255));
        return table;
    }();
    return curve;
}

// Luminance weights of qGray (11, 16, 5 of 32).
int Luminance(int red, int green, int blue) {
    return (red * 11 + green * 16 + blue * 5) / 32;
}

// NightPixel, inlined into the loops over whole pictures.
inline QRgb NightColour(QRgb premultiplied, TNightTone tone) {
    const int alpha = qAlpha(premultiplied);
    if (alpha == 0) return 0;
    const QRgb plain = alpha == 255 ? premultiplied : qUnpremultiply(premultiplied);
    const int r = qRed(plain);
    const int g = qGreen(plain);
    const int b = qBlue(plain);
    // Half the largest component and half the luminance: coloured values on the dark panels
    // (aqua, pale yellow) stay bright, while dark-blue writing on the light frame (the clock
    // strip) comes out dark enough to read against it.
    const int bright = tone == TNightTone::Keep ? (std::max({r, g, b}) + Luminance(r, g, b)) / 2
                                                : 255 - Luminance(r, g, b);
    const int red = tone == TNightTone::Frame ? FrameCurve()[bright] : bright;
    return qRgba(red * alpha / 255, 0, 0, alpha);
}

// Four opaque pixels at a time, side by side in one vector register (as NightColour works
// them out one by one), the frame's tone where lit.
void NightOpaqueFour(QRgb* pixels, const uchar* lit, TNightTone tone) {
    using TLanes = std::uint32_t __attribute__((vector_size(16)));
    TLanes p;
    std::memcpy(&p, pixels, sizeof p);
    const TLanes r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
    const TLanes luminance = (r * 11 + g * 16 + b * 5) >> 5;
    const TLanes redOverGreen = reinterpret_cast<TLanes>(r > g);
    const TLanes most2 = (r & redOverGreen) | (g & ~redOverGreen);
    const TLanes blueOver = reinterpret_cast<TLanes>(b > most2);
    const TLanes keep = (((b & blueOver) | (most2 & ~blueOver)) + luminance) >> 1;
    const bool anyLit = lit != nullptr && (lit[0] | lit[1] | lit[2] | lit[3]) != 0;
    TLanes red = keep;
    if (tone != TNightTone::Keep || anyLit) {
        const TLanes inverse = 255 - luminance;
        const std::array<uchar, 256>& curve = FrameCurve();
        const TLanes frame = {curve[inverse[0]], curve[inverse[1]], curve[inverse[2]],
                              curve[inverse[3]]};
        const TLanes base = tone == TNightTone::Keep     ? keep
                            : tone == TNightTone::Invert ? inverse
                                                         : frame;
        const TLanes turned =
            anyLit ? -TLanes{lit[0] != 0, lit[1] != 0, lit[2] != 0, lit[3] != 0} : TLanes{};
        red = (frame & turned) | (base & ~turned);
    }
    const TLanes night = 0xff000000u | (red << 16);
    std::memcpy(pixels, &night, sizeof night);
}

} // namespace

QRgb NightPixel(QRgb premultiplied, TNightTone tone) {
    return NightColour(premultiplied, tone);
}

void ToNightColours(QImage& picture, TNightTone tone, const QImage& frame) {
    if (picture.isNull()) return;
    if (picture.format() != QImage::Format_ARGB32_Premultiplied)
        picture.convertTo(QImage::Format_ARGB32_Premultiplied);
    ToNightColoursIn(picture, picture.rect(), tone, frame);
}

void ToNightColoursIn(QImage& picture, const QRect& area, TNightTone tone, const QImage& frame) {
    const QRect within = area & picture.rect();
    const bool framed = frame.size() == picture.size();
    for (int y = within.top(); y <= within.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const uchar* turned = framed ? frame.constScanLine(y) : nullptr;
        int x = within.left();
        for (; x + 3 <= within.right(); x += 4)
            if ((line[x] & line[x + 1] & line[x + 2] & line[x + 3]) >> 24 == 255)
                NightOpaqueFour(line + x, turned ? turned + x : nullptr, tone);
            else
                for (int k = x; k < x + 4; ++k)
                    line[k] = NightColour(line[k], turned && turned[k] ? TNightTone::Frame : tone);
        for (; x <= within.right(); ++x)
            line[x] = NightColour(line[x], turned && turned[x] ? TNightTone::Frame : tone);
    }
}

TNightVisionEffect::TNightVisionEffect(TNightTone tone, const QColor& ground, QObject* parent)
    : QGraphicsEffect(parent), NightTone(tone), Ground(ground) {}

void TNightVisionEffect::draw(QPainter* painter) {
    // In device pixels, so a scaled screen is transformed pixel for pixel.
    QPoint offset;
    const QPixmap source = sourcePixmap(Qt::DeviceCoordinates, &offset, NoPad);
    if (source.isNull()) return;
    // The source is cached until the window changes; so is its red copy (an uncovered
    // window repaints without transforming again).
    if (source.cacheKey() != SourceKey || Night.isNull()) {
        Night = QImage(source.size(), QImage::Format_ARGB32_Premultiplied);
        Night.setDevicePixelRatio(source.devicePixelRatio());
        Night.fill(Ground);
        {
            QPainter ground(&Night);
            ground.drawPixmap(0, 0, source);
        }
        ToNightColours(Night, NightTone);
        SourceKey = source.cacheKey();
    }
    const QTransform kept = painter->worldTransform();
    painter->setWorldTransform(QTransform());
    painter->drawImage(offset, Night);
    painter->setWorldTransform(kept);
}

bool IsNightVisionKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_N && (key.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

bool SetNightVision(TProgramState& state, TSettingsStore& store, bool on) {
    TSettings settings = state.Settings();
    settings.NightVision = on;
    static constexpr std::array<std::string_view, 1> Names = {"NightVision"};
    const bool stored = StoreSettings(store, settings, Names);
    state.ApplySettings(settings);
    return stored;
}

TNightVision::TNightVision(TProgramState& state, TSettingsStore& store, QObject* parent)
    : QObject(parent), State(state), Store(store) {
    qApp->installEventFilter(this);
    connect(&State, &TProgramState::Changed, this, [this](TStateChanges what) {
        if (what & TStateChange::Settings) Apply(State.Settings().NightVision);
    });
    Apply(State.Settings().NightVision);
}

TNightVision::~TNightVision() {
    qApp->removeEventFilter(this);
    Apply(false);
}

void TNightVision::Toggle() {
    (void)SetNightVision(State, Store, !IsOn);
}

void TNightVision::Apply(bool on) {
    if (on == IsOn) return;
    IsOn = on;
    for (QWidget* window : QApplication::topLevelWidgets())
        Dress(window);
}

void TNightVision::Dress(QWidget* window) const {
    if (auto* own = qobject_cast<TBorderlessWindow*>(window)) {
        auto* overlay = own->findChild<TNightOverlay*>(QString(), Qt::FindDirectChildrenOnly);
        if (IsOn && overlay == nullptr) new TNightOverlay(*own);
        if (!IsOn) delete overlay;
        return;
    }
    const auto* effect = qobject_cast<TNightVisionEffect*>(window->graphicsEffect());
    if (!IsOn) {
        if (effect != nullptr) window->setGraphicsEffect(nullptr);
        return;
    }
    if (window->graphicsEffect() != nullptr) return; // dressed already, or another effect
    const QColor ground = window->testAttribute(Qt::WA_TranslucentBackground)
                              ? QColor(Qt::transparent)
                              : window->palette().color(window->backgroundRole());
    window->setGraphicsEffect(new TNightVisionEffect(TNightTone::Invert, ground));
}

bool TNightVision::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        // A window shown for the first time (a message box, a drop-down list, a hint).
        if (auto* widget = qobject_cast<QWidget*>(watched); widget != nullptr && widget->isWindow())
            Dress(widget);
        break;
    case QEvent::ShortcutOverride:
        // Claimed before any control's shortcut, so the key press itself comes here.
        if (IsNightVisionKey(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!IsNightVisionKey(*key)) break;
        if (!key->isAutoRepeat()) Toggle();
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
