#include "toolkit/TaText.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <cmath>

QRectF TaMeasureText(const QFont& font, const QString& text, const QPaintDevice* device) {
    const QFontMetricsF metrics(font, device);
    return QRectF(0.0, -metrics.ascent(), metrics.horizontalAdvance(text),
                  metrics.ascent() + metrics.descent());
}

void TaDrawText(QPainter& painter, const QFont& font, const QString& text, const QRectF& box,
                const QColor& halo, const QColor& color, bool countTrailingSpaces, qreal textDy) {
    QString measured = text;
    if (!countTrailingSpaces) {
        while (measured.endsWith(QLatin1Char(' '))) measured.chop(1);
    }
    const QFontMetricsF metrics(font, painter.device());
    const qreal width = metrics.horizontalAdvance(measured);
    const qreal height = metrics.ascent() + metrics.descent();
    const QPointF origin(box.x() + (box.width() - width) / 2.0,
                         box.y() + (box.height() - height) / 2.0 + metrics.ascent());

    painter.save();
    painter.setFont(font);
    painter.setPen(halo);
    static const QPointF haloOffsets[4] = {{-1, 0}, {0, 1}, {1, 0}, {0, -1}};
    for (const QPointF& offset : haloOffsets) painter.drawText(origin + offset, text);
    painter.setPen(color);
    painter.drawText(origin + QPointF(0, textDy), text);
    painter.restore();
}

QImage TaMakeImage(const QSize& size, qreal ratio, int dpiX, int dpiY, const QColor& fill) {
    const QSize pixels(std::max(1, static_cast<int>(std::ceil(size.width() * ratio))),
                       std::max(1, static_cast<int>(std::ceil(size.height() * ratio))));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    // Fonts given in points must come out at the window's dpi.
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpiX / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpiY / 0.0254)));
    image.fill(fill);
    return image;
}
