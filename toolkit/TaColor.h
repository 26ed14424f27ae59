// Colour helpers: ARGB values as QColor, COLORREF conversion and the HSL
// lightness scaling the toolkit uses to shade button faces.
#pragma once

#include <QColor>
#include <QRgb>
#include <cstdint>

// Hue on a 0..6 scale with red at 1 (-1 for greys), saturation and lightness 0..1.
struct TaHsl {
    double h = -1.0;
    double s = 0.0;
    double l = 0.0;
};

TaHsl TaRgbToHsl(QRgb argb);
// The alpha of the result is the given one; each channel is rounded to 0..255.
QRgb TaHslToRgb(const TaHsl& hsl, int alpha = 255);
// The colour with its lightness multiplied by factor and capped at 1.
QRgb TaScaleLightness(QRgb argb, double factor);

// 0xAARRGGBB as a QColor (QColor::fromRgba keeps the alpha).
inline QColor TaArgb(uint32_t argb) { return QColor::fromRgba(argb); }
// An opaque colour with the given alpha.
inline QColor TaWithAlpha(uint32_t rgb, int alpha) {
    QColor c = QColor::fromRgb(rgb);
    c.setAlpha(alpha);
    return c;
}
// COLORREF 0x00BBGGRR to opaque ARGB and back.
inline QRgb TaFromColorRef(uint32_t colorRef) {
    return qRgb(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}
inline uint32_t TaToColorRef(QRgb argb) {
    return static_cast<uint32_t>(qRed(argb)) | (static_cast<uint32_t>(qGreen(argb)) << 8) |
           (static_cast<uint32_t>(qBlue(argb)) << 16);
}
