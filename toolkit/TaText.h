// Measuring and drawing the toolkit's texts: one line, centred in a box,
// with a four-fold halo under it.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;
class QPaintDevice;

// The text's box as laid out from the origin on its baseline: x 0, y minus
// the ascent, the width of the advances and the height of ascent plus descent.
QRectF TaMeasureText(const QFont& font, const QString& text, const QPaintDevice* device);

// Draws `text` centred horizontally and vertically in `box`, without wrapping
// or clipping: first in `halo` four times with the box moved by (-1, 0),
// (0, +1), (+1, 0), (0, -1), then in `color`, `textDy` pixels lower.
// Trailing spaces count for the centring only when countTrailingSpaces is set.
void TaDrawText(QPainter& painter, const QFont& font, const QString& text, const QRectF& box,
                const QColor& halo, const QColor& color, bool countTrailingSpaces = false,
                qreal textDy = 0.0);

// A raster image whose pixel grid matches `dpi` and `ratio` (device pixels
// per logical pixel), cleared to `fill`, for drawing at logical size `size`.
class QImage;
QImage TaMakeImage(const QSize& size, qreal ratio, int dpiX, int dpiY, const QColor& fill);
