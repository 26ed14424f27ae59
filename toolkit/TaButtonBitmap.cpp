#include "toolkit/TaButtonBitmap.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "toolkit/TaAccessible.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaColor.h"
#include "toolkit/TaImage.h"
#include "toolkit/TaText.h"

TaButtonBitmap::TaButtonBitmap(int imageId, QWidget* parent)
    : QAbstractButton(parent), imageId_(imageId) {
    const QColor face = palette().color(QPalette::Active, QPalette::Button);
    faceColor_ = qRgba(face.red(), face.green(), face.blue(), 0xFF);
    backgroundColor_ = faceColor_;
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    BuildPaths();
}

QSize TaButtonBitmap::sizeHint() const {
    // One button of the memory panel: (13 dpi + 18) / 36 pixels.
    const int w = (13 * logicalDpiX() + 18) / 36;
    const int h = (13 * logicalDpiY() + 18) / 36;
    return QSize(w, h);
}

void TaButtonBitmap::SetFaceColor(QRgb argb) {
    faceColor_ = argb;
    imagesReady_ = false;
    update();
}

void TaButtonBitmap::SetBackgroundColor(QRgb argb) {
    backgroundColor_ = argb;
    imagesReady_ = false;
    update();
}

void TaButtonBitmap::SetDefault(bool isDefault) {
    if (default_ == isDefault) return;
    default_ = isDefault;
    update();
    QAccessible::State changed;
    changed.defaultButton = true;
    TaNotifyAccessibleState(this, changed);
}

void TaButtonBitmap::BuildPaths() {
    const int w = width();
    const int h = height();
    const qreal cx = (w - 1) / 2.0;
    const qreal cy = (h - 1) / 2.0;
    for (int i = 0; i < 10; ++i) {
        const qreal dx = w - 1.25 - 2.0 * i;
        const qreal dy = h - 1.25 - 2.0 * i;
        ellipse_[i] = QPainterPath();
        ellipse_[i].addEllipse(QPointF(cx, cy), dx / 2.0, dy / 2.0);
    }
    const int gx = (w - 6) / 4 + 3;
    const int gw = w - 2 * gx - 1;
    const int gh = h - (((h - 6) / 2) & ~1) - 7;
    gloss_ = QPainterPath();
    gloss_.addEllipse(QRectF(gx, 4, gw, gh));
    clip_ = QPainterPath();
    clip_.addEllipse(QRectF(3, 3, w - 6, h - 6));
}

bool TaButtonBitmap::InRegion(const QPointF& point) const { return clip_.contains(point); }

bool TaButtonBitmap::hitButton(const QPoint& pos) const {
    return InRegion(QPointF(pos) + QPointF(0.5, 0.5));
}

QImage TaButtonBitmap::BuildImage(bool pressed) const {
    const int w = width();
    const int h = height();
    QImage image = TaMakeImage(QSize(w, h), devicePixelRatioF(), logicalDpiX(), logicalDpiY(),
                               TaArgb(backgroundColor_));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.save();
    painter.translate(0.5, 0.5);

    TaPaintButtonFace(painter, ellipse_, gloss_, faceColor_, w, h, pressed);
    painter.restore();

    // The picture instead of a caption, one pixel lower when pressed.
    const int ix = (w * 5 - 30) / 32 + 3;
    const int iy = (h * 5 - 30) / 32 + 3;
    TaImage picture;
    if (picture.Load(imageId_, w - 2 * ix, h - 2 * iy, devicePixelRatioF())) {
        picture.SetPosition(ix, iy + (pressed ? 1 : 0));
        picture.Draw(painter);
    }
    return image;
}

void TaButtonBitmap::BuildImages() {
    if (imagesReady_) return;
    BuildPaths();
    normal_ = BuildImage(false);
    pressed_ = BuildImage(true);
    imagesReady_ = true;
}

const QImage& TaButtonBitmap::NormalImage() {
    BuildImages();
    return normal_;
}

const QImage& TaButtonBitmap::PressedImage() {
    BuildImages();
    return pressed_;
}

void TaButtonBitmap::paintEvent(QPaintEvent*) {
    BuildImages();
    QPainter painter(this);
    const bool enabled = isEnabled();
    const bool down = isDown() || isChecked();
    painter.drawImage(QRectF(0, 0, width(), height()), down && enabled ? pressed_ : normal_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(0.5, 0.5);
    if (!enabled) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(TaArgb(0x48FFFFFF));
        painter.drawPath(ellipse_[1]);
        return;
    }
    if (hovered_ && !down)
        TaStrokeRings(painter, ellipse_, {4, 5, 6}, 0xE8E8E8, {0xFF, 0xA0, 0x40});
    const bool focusShown = hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange);
    if (focusShown || default_)
        TaStrokeRings(painter, ellipse_, {0, 1, 2}, 0x808080, {0x40, 0x80, 0xF0});
}

void TaButtonBitmap::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = isEnabled() && InRegion(event->position() + QPointF(0.5, 0.5));
    if (inside != hovered_) {
        hovered_ = inside;
        update();
    }
    QAbstractButton::mouseMoveEvent(event);
}

void TaButtonBitmap::leaveEvent(QEvent* event) {
    if (hovered_) {
        hovered_ = false;
        update();
    }
    QAbstractButton::leaveEvent(event);
}

void TaButtonBitmap::resizeEvent(QResizeEvent* event) {
    imagesReady_ = false;
    BuildPaths();
    QAbstractButton::resizeEvent(event);
}

void TaButtonBitmap::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) hovered_ = false;
    QAbstractButton::changeEvent(event);
}
