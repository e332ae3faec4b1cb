// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/night_frame.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRect>
#include <QScrollBar>
#include <QWidget>

namespace {

// Grey at or above this is the metal; below, a panel or a mark on the metal.
constexpr int LightLevel = 96;
// A dark region at least this large that fills at least half its bounding box is a panel;
// smaller or thinner ones are captions, glyphs and lines on the frame.
constexpr int SmallestPanelArea = 1500;

struct TRegion {
    bool Light = false;
    int Area = 0;
    QRect Box;
};

// The 4-connected regions of equal lightness: every pixel's region, and the regions.
std::vector<int> LabelRegions(const std::vector<std::uint8_t>& light, int width, int height,
                              std::vector<TRegion>& regions) {
    std::vector<int> label(light.size(), -1);
    std::vector<int> pending;
    for (int start = 0; start < static_cast<int>(light.size()); ++start) {
        if (label[size_t(start)] >= 0) continue;
        const int id = static_cast<int>(regions.size());
        TRegion region{light[size_t(start)] != 0, 0, QRect()};
        int left = width, top = height, right = -1, bottom = -1;
        label[size_t(start)] = id;
        pending.push_back(start);
        while (!pending.empty()) {
            const int at = pending.back();
            pending.pop_back();
            const int x = at % width, y = at / width;
            ++region.Area;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
            const int neighbours[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& [nx, ny] : neighbours) {
                if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
                const int next = ny * width + nx;
                if (label[size_t(next)] >= 0 || light[size_t(next)] != light[size_t(start)])
                    continue;
                label[size_t(next)] = id;
                pending.push_back(next);
            }
        }
        region.Box = QRect(QPoint(left, top), QPoint(right, bottom));
        regions.push_back(region);
    }
    return label;
}

bool IsPanel(const TRegion& r) {
    const long long boxArea = static_cast<long long>(r.Box.width()) * r.Box.height();
    return !r.Light && r.Area >= SmallestPanelArea && 2LL * r.Area >= boxArea;
}

// The frame: every pixel outside the panels that can be reached from the window's edge without
// crossing a panel. What a panel encloses (the Moon's picture, light and dark) is not.
std::vector<std::uint8_t> FramePixels(const std::vector<int>& label,
                                      const std::vector<TRegion>& regions, int width, int height) {
    std::vector<std::uint8_t> frame(label.size(), 0);
    std::vector<int> pending;
    auto reach = [&](int x, int y) {
        const int at = y * width + x;
        if (frame[size_t(at)] != 0 || IsPanel(regions[size_t(label[size_t(at)])])) return;
        frame[size_t(at)] = 1;
        pending.push_back(at);
    };
    for (int x = 0; x < width; ++x)
        reach(x, 0), reach(x, height - 1);
    for (int y = 0; y < height; ++y)
        reach(0, y), reach(width - 1, y);
    while (!pending.empty()) {
        const int at = pending.back();
        pending.pop_back();
        const int x = at % width, y = at / width;
        if (x > 0) reach(x - 1, y);
        if (x + 1 < width) reach(x + 1, y);
        if (y > 0) reach(x, y - 1);
        if (y + 1 < height) reach(x, y + 1);
    }
    return frame;
}

} // namespace

QImage NightFrameMask(const QImage& background) {
    if (background.isNull()) return {};
    const QImage grey = background.convertToFormat(QImage::Format_Grayscale8);
    const int width = grey.width(), height = grey.height();
    std::vector<std::uint8_t> light(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < width; ++x)
            light[size_t(y) * size_t(width) + size_t(x)] = line[x] >= LightLevel ? 1 : 0;
    }
    std::vector<TRegion> regions;
    const std::vector<int> label = LabelRegions(light, width, height, regions);
    const std::vector<std::uint8_t> frame = FramePixels(label, regions, width, height);
    QImage mask(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        uchar* line = mask.scanLine(y);
        for (int x = 0; x < width; ++x)
            line[x] = frame[size_t(y) * size_t(width) + size_t(x)] != 0 ? 255 : 0;
    }
    return mask;
}

std::vector<TFieldArea> ShownFieldAreas(const QWidget& window, double scale, const QRect& bounds) {
    std::vector<TFieldArea> fields;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const bool field = qobject_cast<const QLineEdit*>(control) != nullptr ||
                           qobject_cast<const QAbstractSpinBox*>(control) != nullptr ||
                           qobject_cast<const QComboBox*>(control) != nullptr;
        const bool scrollBar = qobject_cast<const QScrollBar*>(control) != nullptr;
        if (!(field || scrollBar) || !control->isVisibleTo(&window)) continue;
        const QRectF shown(control->mapTo(&window, QPoint(0, 0)), control->size());
        const QRect area = QRectF(shown.topLeft() * scale, shown.size() * scale).toRect() & bounds;
        fields.push_back({control, area, scrollBar});
    }
    return fields;
}

bool ShownDark(const QImage& picture, const QRect& area) {
    if (area.isEmpty()) return false;
    long long sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += qGray(picture.pixel(x, y));
    return sum < static_cast<long long>(LightLevel) * area.width() * area.height();
}

int MaskOver(const TFieldArea& field, bool shownDark) {
    if (field.ScrollBar) return shownDark ? -1 : 255;
    return shownDark ? 0 : -1;
}

void FillMask(QImage& mask, const QRect& area, uchar value) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::fill_n(mask.scanLine(y) + area.left(), area.width(), value);
}
