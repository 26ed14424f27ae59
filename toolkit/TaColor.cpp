#include "toolkit/TaColor.h"

#include <algorithm>
#include <cmath>

TaHsl TaRgbToHsl(QRgb argb) {
    const double r = qRed(argb) / 255.0;
    const double g = qGreen(argb) / 255.0;
    const double b = qBlue(argb) / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double delta = max - min;

    TaHsl hsl;
    hsl.l = (max + min) / 2.0;
    if (delta == 0.0) {
        hsl.s = 0.0;
        hsl.h = -1.0;
        return hsl;
    }
    hsl.s = delta / (1.0 - std::fabs(2.0 * hsl.l - 1.0));
    if (max == r)
        hsl.h = (g - b) / delta + 1.0;
    else if (max == g)
        hsl.h = (b - r) / delta + 3.0;
    else
        hsl.h = (r - g) / delta + 5.0;
    return hsl;
}

QRgb TaHslToRgb(const TaHsl& hsl, int alpha) {
    const double c = (1.0 - std::fabs(2.0 * hsl.l - 1.0)) * hsl.s;
    const double m = hsl.l - c / 2.0;
    double r = 0, g = 0, b = 0;
    if (hsl.h < 0.0) {
        r = g = b = 0.0;  // grey: only m counts
    } else {
        const double x = std::fabs(std::fmod(hsl.h, 2.0) - 1.0) * c;
        if (hsl.h < 1.0) {
            r = c, g = 0, b = x;
        } else if (hsl.h < 2.0) {
            r = c, g = x, b = 0;
        } else if (hsl.h < 3.0) {
            r = x, g = c, b = 0;
        } else if (hsl.h < 4.0) {
            r = 0, g = c, b = x;
        } else if (hsl.h < 5.0) {
            r = 0, g = x, b = c;
        } else {
            r = x, g = 0, b = c;
        }
    }
    auto channel = [m](double v) {
        const double scaled = std::floor(255.0 * (v + m) + 0.5);
        return static_cast<int>(std::clamp(scaled, 0.0, 255.0));
    };
    return qRgba(channel(r), channel(g), channel(b), alpha);
}

QRgb TaScaleLightness(QRgb argb, double factor) {
    TaHsl hsl = TaRgbToHsl(argb);
    hsl.l = std::min(hsl.l * factor, 1.0);
    return TaHslToRgb(hsl, qAlpha(argb));
}
