// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/moon_drawing.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "ui/common/art_names.h"

namespace {

// The disc: columns 3..152, rows 3..153, the centre line between columns 77 and 78.
constexpr int DiscTop = 3;
constexpr int DiscBottom = 153;
constexpr int CentreColumn = 78;

// A painter with the mask pen: every pixel it touches becomes its bytes AND 70.
class TMaskPainter : public QPainter {
  public:
    explicit TMaskPainter(QImage* picture) : QPainter(picture) {
        setRenderHint(QPainter::Antialiasing, false);
        setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        setPen(QPen(QColor(70, 70, 70), 1, Qt::SolidLine, Qt::SquareCap));
        setBrush(Qt::NoBrush);
    }
};

// The left half outline of the ellipse whose half-width e covers the columns 78 − e ..
// 77 + e and the rows 3..153: from its top point anticlockwise down its left side to its
// bottom point, kept to the left of the centre line. An outline of no width draws nothing.
void LeftHalfOutline(QPainter& p, double e) {
    if (e <= 0) return;
    const QRectF box(CentreColumn - e, DiscTop, 2 * e - 1, DiscBottom - DiscTop);
    p.drawArc(box, 90 * 16, 180 * 16);
}

// The left half outlines of every integer half-width from `from` to `to`; the outlines
// half a pixel between them close the pixels two neighbouring rasterised ellipses leave open.
void MaskLeftHalves(QImage& picture, int from, int to) {
    TMaskPainter p(&picture);
    p.setClipRect(QRect(0, 0, CentreColumn, MoonPictureSize));
    for (int e = from; e <= to; ++e) {
        LeftHalfOutline(p, e);
        if (e < to) LeftHalfOutline(p, e + 0.5);
    }
}

// The right half outline, from the bottom point anticlockwise up the right side to the top
// point, is the mirror image of the left one about the centre line (column c ↔ 155 − c),
// and is drawn so, which keeps waxing and waning shadows exact mirror images.
void MaskRightHalves(QImage& picture, int from, int to) {
    picture = picture.mirrored(true, false);
    MaskLeftHalves(picture, from, to);
    picture = picture.mirrored(true, false);
}

void MaskHalves(QImage& picture, bool left, int from, int to) {
    left ? MaskLeftHalves(picture, from, to) : MaskRightHalves(picture, from, to);
}

void MaskVerticalLine(QImage& picture, int x) {
    TMaskPainter p(&picture);
    p.drawLine(x, DiscTop, x, DiscBottom);
}

} // namespace

int TerminatorHalfWidth(int illumination) {
    illumination = std::clamp(illumination, 0, 100);
    return 75 - (100 - illumination) * 150 / 100; // integer division truncates: trunc()
}

QImage DrawMoonGraphic(const QImage& photograph, int illumination, double lunation) {
    QImage working = photograph.convertToFormat(QImage::Format_RGB32);
    const int b = TerminatorHalfWidth(illumination);
    // Waxing (p < 50): the shadow on the left; waning: on the right, the mirror image.
    const bool waxing = lunation < 50.0;
    const int darkCentre = waxing ? CentreColumn - 1 : CentreColumn;
    const int litCentre = waxing ? CentreColumn : CentreColumn - 1;

    // For every e from b to 75 the dark side's half outline of half-width |e|: from the
    // terminator out to the limb, or the whole half when b < 0.
    MaskHalves(working, waxing, std::max(b, 0), 75);
    if (b <= 0) MaskVerticalLine(working, darkCentre);
    // Less than half lit: the terminator of half-width −b bulges into the other half.
    if (b < 0) {
        MaskVerticalLine(working, litCentre);
        MaskHalves(working, !waxing, 0, -b);
    }
    return working;
}

TOpticsView OpticsView(bool telescopeView, bool diagonalView) {
    if (!telescopeView) return TOpticsView::Binoculars;
    return diagonalView ? TOpticsView::Diagonal : TOpticsView::Telescope;
}

bool IsTelescopeView(TOpticsView view) {
    return view != TOpticsView::Binoculars;
}
bool IsDiagonalView(TOpticsView view) {
    return view == TOpticsView::Diagonal;
}

TOpticsView NextOpticsView(TOpticsView view) {
    switch (view) {
    case TOpticsView::Binoculars:
        return TOpticsView::Telescope;
    case TOpticsView::Telescope:
        return TOpticsView::Diagonal;
    case TOpticsView::Diagonal:
        return TOpticsView::Binoculars;
    }
    return TOpticsView::Binoculars;
}

QString OpticsGlyph(TOpticsView view) {
    switch (view) {
    case TOpticsView::Binoculars:
        return ArtOpticsBinoculars;
    case TOpticsView::Telescope:
        return ArtOpticsTelescope;
    case TOpticsView::Diagonal:
        return ArtOpticsDiagonal;
    }
    return ArtOpticsBinoculars;
}

QImage DrawMoon(const QImage& working, THemisphere hemisphere, TOpticsView view) {
    const bool asPhotographed =
        (hemisphere == THemisphere::Northern) == (view == TOpticsView::Binoculars);
    const bool mirrorLeftRight = view == TOpticsView::Diagonal;
    // Turned by 180° = mirrored both ways; the diagonal adds a left–right mirror.
    const bool horizontal = !asPhotographed != mirrorLeftRight;
    const bool vertical = !asPhotographed;
    if (!horizontal && !vertical) return working;
    return working.mirrored(horizontal, vertical);
}

void InvertPhaseIcons(std::span<QImage> pictures) {
    for (QImage& picture : pictures)
        picture = picture.mirrored(true, true);
}
