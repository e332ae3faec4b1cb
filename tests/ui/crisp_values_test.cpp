// SPDX-License-Identifier: GPL-3.0-or-later
// At a fractional screen scale (150 %) the computed values are drawn at the screen's
// resolution, as sharp as the captions beside them: not drawn at 100 % and enlarged, which
// repeats every other pixel row and column (nearest) or blurs the strokes (smooth).

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QTest>

#include "tmain_fixture.h"

namespace {

constexpr double Scale = 1.5;

struct TSharpness {
    int Contrast = 0;   // the strongest step between neighbouring pixels (largest channel)
    double Repeats = 0; // the share of neighbouring inked rows and columns that are equal
};

int Step(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// The box is given in window coordinates; its top-left pixel is the ground.
TSharpness Measure(const QImage& shot, const QRect& box) {
    const QRect r(std::lround(box.x() * Scale), std::lround(box.y() * Scale),
                  std::lround(box.width() * Scale), std::lround(box.height() * Scale));
    const QRgb ground = shot.pixel(r.topLeft());
    TSharpness s;
    auto line = [&](int i, bool column) {
        QList<QRgb> pixels;
        const int n = column ? r.height() : r.width();
        for (int k = 0; k < n; ++k)
            pixels << (column ? shot.pixel(r.x() + i, r.y() + k)
                              : shot.pixel(r.x() + k, r.y() + i));
        return pixels;
    };
    auto inked = [&](const QList<QRgb>& pixels) {
        return std::any_of(pixels.begin(), pixels.end(),
                           [&](QRgb p) { return Step(p, ground) > 60; });
    };
    int pairs = 0, equal = 0;
    for (const bool column : {true, false}) {
        const int n = column ? r.width() : r.height();
        for (int i = 0; i + 1 < n; ++i) {
            const QList<QRgb> a = line(i, column), b = line(i + 1, column);
            for (int k = 0; k < a.size(); ++k)
                s.Contrast = std::max(s.Contrast, Step(a[k], b[k]));
            if (!inked(a) || !inked(b)) continue;
            ++pairs;
            equal += a == b ? 1 : 0;
        }
    }
    s.Repeats = pairs > 0 ? double(equal) / pairs : 1.0;
    return s;
}

} // namespace

class TCrispValuesTest : public QObject {
    Q_OBJECT
  private slots:
    void ValuesAsSharpAsCaptions();
};

void TCrispValuesTest::ValuesAsSharpAsCaptions() {
    TMainHarness h(At(2026, 12, 7, 9, 1, 52));
    h.Show();
    h.Main->Tick();
    const QImage shot = h.Main->grab().toImage();
    QCOMPARE(shot.size(), QSize(960, 720));
    const struct {
        const char* What;
        QRect Value;
        QRect Caption;
    } boxes[] = {
        {"Sun's azimuth", {325, 389, 78, 14}, {284, 390, 30, 14}},
        {"Moon's azimuth", {325, 283, 78, 14}, {284, 284, 30, 14}},
        {"Visible", {249, 80, 40, 14}, {188, 80, 56, 14}},
        {"clock strip", {60, 44, 300, 16}, {32, 300, 60, 14}},
    };
    for (const auto& b : boxes) {
        const TSharpness value = Measure(shot, b.Value);
        const TSharpness caption = Measure(shot, b.Caption);
        const QString where = QStringLiteral("%1: value %2 / %3 repeated, caption %4 / %5")
                                  .arg(b.What)
                                  .arg(value.Contrast)
                                  .arg(value.Repeats, 0, 'f', 2)
                                  .arg(caption.Contrast)
                                  .arg(caption.Repeats, 0, 'f', 2);
        QVERIFY2(caption.Repeats <= 0.1, qPrintable(where)); // the measure holds for text
        QVERIFY2(value.Repeats <= 0.1, qPrintable(where));
        QVERIFY2(value.Contrast >= 0.8 * caption.Contrast, qPrintable(where));
    }
}

int main(int argc, char** argv) {
    // Before the application exists, as a user's screen setting would be.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(Scale));
    QApplication app(argc, argv);
    TCrispValuesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "crisp_values_test.moc"
