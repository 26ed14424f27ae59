#include "toolkit/TaShadow.h"

#include <QPainter>
#include <cmath>

QImage TaShadowImage(int side) {
    const int r = (side - 4) / 2;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // Darkest next to the window, fading to nothing at the image's edge.
    const double peak = 0.30;
    const double spread = 2.2;
    const double tail = std::exp(-spread * spread);
    for (int y = 0; y < side; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double py = y + 0.5;
        const double dy = std::max({r - py, 0.0, py - (side - r)});
        for (int x = 0; x < side; ++x) {
            const double px = x + 0.5;
            const double dx = std::max({r - px, 0.0, px - (side - r)});
            const double u = std::min(std::sqrt(dx * dx + dy * dy) / r, 1.0);
            const double falloff = (std::exp(-(spread * u) * (spread * u)) - tail) / (1.0 - tail);
            const int alpha = static_cast<int>(std::lround(255.0 * peak * std::max(falloff, 0.0)));
            line[x] = qPremultiply(qRgba(0, 0, 0, alpha));
        }
    }
    return image;
}

TaShadow::TaShadow(QWidget* dialog, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                         Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint),
      dialog_(dialog) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setEnabled(false);
}

void TaShadow::Follow(const QRect& dialogRect) {
    // Grown by the margins, then moved down by 7/16 of the vertical margin.
    const QRect shadowRect(dialogRect.x() - marginX_, dialogRect.y() - marginY_ + 7 * marginY_ / 16,
                           dialogRect.width() + 2 * marginX_, dialogRect.height() + 2 * marginY_);
    if (shadowRect.size() != size()) {
        setGeometry(shadowRect);
        Render();
    } else {
        move(shadowRect.topLeft());
    }
}

bool TaShadow::Render() {
    static const QImage source = TaShadowImage();
    const int s = source.width();
    const int r = (s - 4) / 2;
    const int w = width();
    const int h = height();
    const qreal ratio = devicePixelRatioF();
    buffer_ = QImage(static_cast<int>(std::ceil(w * ratio)), static_cast<int>(std::ceil(h * ratio)),
                     QImage::Format_ARGB32_Premultiplied);
    buffer_.setDevicePixelRatio(ratio);
    buffer_.fill(Qt::transparent);
    const int mx = std::min(marginX_, w / 2);
    const int my = std::min(marginY_, h / 2);

    QPainter painter(&buffer_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    auto tile = [&](const QRectF& target, const QRect& part) {
        painter.drawImage(target, source, part);
    };
    // Corners.
    tile(QRectF(0, 0, mx, my), QRect(0, 0, r, r));
    tile(QRectF(w - mx, 0, mx, my), QRect(s - r, 0, r, r));
    tile(QRectF(0, h - my, mx, my), QRect(0, s - r, r, r));
    tile(QRectF(w - mx, h - my, mx, my), QRect(s - r, s - r, r, r));
    // Edges between the corners.
    tile(QRectF(mx, 0, w - 2 * mx, my), QRect(r, 0, 4, r));
    tile(QRectF(mx, h - my, w - 2 * mx, my), QRect(r, s - r, 4, r));
    tile(QRectF(0, my, mx, h - 2 * my), QRect(0, r, r, 4));
    tile(QRectF(w - mx, my, mx, h - 2 * my), QRect(s - r, r, r, 4));
    // Centre.
    tile(QRectF(mx, my, w - 2 * mx, h - 2 * my), QRect(r, r, 4, 4));
    painter.end();
    update();
    return true;
}

void TaShadow::SetReveal(qreal reveal) {
    reveal_ = reveal;
    update();
}

void TaShadow::paintEvent(QPaintEvent*) {
    if (buffer_.isNull() || buffer_.size() != (size() * devicePixelRatioF())) Render();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    const qreal w = width() * reveal_;
    const qreal h = height() * reveal_;
    painter.setClipRect(QRectF((width() - w) / 2.0, (height() - h) / 2.0, w, h));
    painter.drawImage(QRectF(0, 0, width(), height()), buffer_);
}
