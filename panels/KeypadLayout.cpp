#include "panels/KeypadLayout.h"

#include <QFont>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "shell/core/DialogUnits.h"

namespace Keypad {

Gaps GapsForDialogFont(const QFont& dialogFont) {
    const QSize base = DialogBaseUnits(dialogFont);
    const int baseX = base.width();
    const int baseY = base.height();
    Gaps gaps;
    gaps.gx = MulDiv(4, baseX, 4);
    gaps.gy = MulDiv(2, baseY, 8);
    gaps.gg = MulDiv(10, baseX, 4);
    gaps.m = MulDiv(3, baseY, 8);
    return gaps;
}

QString MeasuringText(int notation) {
    return notation == West ? QStringLiteral("88;arcosh8") : QStringLiteral("88arccosec8");
}

Metrics MeasureFont(const QFont& keypadFont, int notation) {
    const QFontMetrics metrics(keypadFont);
    Metrics result;
    result.W = metrics.horizontalAdvance(MeasuringText(notation));
    const int H = metrics.height();
    result.h = 8 * H / 5;
    result.sw = std::max(metrics.horizontalAdvance(QStringLiteral("*/")), result.h);
    return result;
}

Geometry LayOut(const Metrics& metrics, const Gaps& g) {
    const int W = metrics.W;
    const int h = metrics.h;
    const int sw = metrics.sw;
    auto rowY = [&](int r) { return g.m + r * (h + g.gy); };

    Geometry geometry;
    auto& b = geometry.buttons;

    // Function buttons: five rows of six.
    for (int i = 0; i < 30; ++i) {
        const int r = i / 6, c = i % 6;
        b[i] = QRect(g.m + c * (W + g.gx), rowY(r), W, h);
    }
    // Constants and brackets: three rows of two, comments in row 4.
    const int x2 = g.m + 5 * g.gx + 6 * W + g.gg;
    for (int i = 30; i < 36; ++i) {
        const int r = (i - 30) / 2, c = (i - 30) % 2;
        b[i] = QRect(x2 + c * (sw + g.gx), rowY(r), sw, h);
    }
    for (int i = 36; i < 38; ++i) b[i] = QRect(x2 + (i - 36) * (sw + g.gx), rowY(4), sw, h);
    // Digits and operators: four rows of four, the two "=" buttons below.
    const int x3 = g.m + 2 * (3 * W + 3 * g.gx + g.gg + sw);
    for (int i = 38; i < 54; ++i) {
        const int r = (i - 38) / 4, c = (i - 38) % 4;
        b[i] = QRect(x3 + c * (sw + g.gx), rowY(r), sw, h);
    }
    for (int i = 54; i < 56; ++i) {
        const int c = i - 54;
        b[i] = QRect(x3 + c * (2 * sw + 2 * g.gx), rowY(4), 2 * sw + g.gx, h);
    }
    // Service columns: rows 0-1 and 3-4, row 2 empty.
    static constexpr int kServiceRow[] = {0, 0, 1, 1, 3, 3, 4, 4};
    for (int i = 56; i < 64; ++i) {
        const int c = (i - 56) % 2;
        const int x = g.m + 9 * g.gx + 6 * (sw + W) + (c + 3) * g.gg + c * W;
        b[i] = QRect(x, rowY(kServiceRow[i - 56]), W, h);
    }

    geometry.size =
        QSize(2 * g.m + 8 * W + 6 * sw + 9 * g.gx + 4 * g.gg, 2 * g.m + 5 * h + 4 * g.gy);
    return geometry;
}

double SmallestScale(double devicePixelRatio) {
    const double ratio = devicePixelRatio > 1.0 ? devicePixelRatio : 1.0;
    return std::max(kSmallestScale / ratio, kSmallestLogicalScale);
}

double FitScale(const QSize& natural, const QSize& available, double smallest) {
    if (natural.isEmpty()) return 1.0;
    const double across = static_cast<double>(available.width()) / natural.width();
    const double down = static_cast<double>(available.height()) / natural.height();
    return std::clamp(std::min(across, down), smallest, 1.0);
}

namespace {
int Times(int value, double scale) { return static_cast<int>(std::floor(value * scale)); }
}  // namespace

Metrics Scaled(const Metrics& metrics, double scale) {
    Metrics result;
    result.W = Times(metrics.W, scale);
    result.h = Times(metrics.h, scale);
    result.sw = std::max(Times(metrics.sw, scale), result.h);
    return result;
}

Gaps Scaled(const Gaps& gaps, double scale) {
    Gaps result;
    result.gx = Times(gaps.gx, scale);
    result.gy = Times(gaps.gy, scale);
    result.gg = Times(gaps.gg, scale);
    result.m = Times(gaps.m, scale);
    return result;
}

QFont ScaledFont(const QFont& font, double scale, int notation, const Metrics& scaled) {
    QFont result(font);
    const int natural = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
    int pixels = std::max(1, Times(natural, scale));
    const QString measuring = MeasuringText(notation);
    for (; pixels > 1; --pixels) {
        result.setPixelSize(pixels);
        const QFontMetrics metrics(result);
        if (metrics.horizontalAdvance(measuring) <= scaled.W &&
            metrics.horizontalAdvance(QStringLiteral("*/")) <= scaled.sw &&
            metrics.height() <= scaled.h)
            break;
    }
    result.setPixelSize(pixels);
    return result;
}

}  // namespace Keypad
