#include "toolkit/TaButton.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "toolkit/TaColor.h"
#include "toolkit/TaText.h"

namespace {

QRgb SystemColor(QPalette::ColorRole role, const QWidget* widget) {
    const QColor c = widget->palette().color(QPalette::Active, role);
    return qRgba(c.red(), c.green(), c.blue(), 0xFF);
}

}  // namespace

QPainterPath TaPillPath(int w, int h, int inset) {
    // Straight edges from x = h/2 to x = w - h/2 - 1, round ends of diameter h - 1.25 - 2i.
    const qreal d = h - 1.25 - 2.0 * inset;
    const qreal left = h / 2.0;
    const qreal right = w - h / 2.0 - 1.0;
    const qreal cy = (h - 1) / 2.0;
    QPainterPath path;
    path.moveTo(left, cy - d / 2.0);
    path.lineTo(right, cy - d / 2.0);
    path.arcTo(QRectF(right - d / 2.0, cy - d / 2.0, d, d), 90.0, -180.0);
    path.lineTo(left, cy + d / 2.0);
    path.arcTo(QRectF(left - d / 2.0, cy - d / 2.0, d, d), 270.0, -180.0);
    path.closeSubpath();
    return path;
}

QPainterPath TaPillGloss(int w, int h) {
    // From y = 3 to y = h/2 - 1, ends of diameter (h/2 - 3) - 1.25.
    const qreal d = (h / 2.0 - 3.0) - 1.25;
    const qreal left = h / 2.0;
    const qreal right = w - h / 2.0 - 1.0;
    const qreal top = 3.0;
    QPainterPath path;
    path.moveTo(left, top);
    path.lineTo(right, top);
    path.arcTo(QRectF(right - d / 2.0, top, d, d), 90.0, -180.0);
    path.lineTo(left, top + d);
    path.arcTo(QRectF(left - d / 2.0, top, d, d), 270.0, -180.0);
    path.closeSubpath();
    return path;
}

void TaStrokeRings(QPainter& painter, const QPainterPath* paths, std::initializer_list<int> indices,
                   QRgb rgb, std::initializer_list<int> alphas) {
    auto alpha = alphas.begin();
    for (int index : indices) {
        if (alpha == alphas.end()) break;
        painter.setPen(QPen(TaWithAlpha(rgb, *alpha++), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(paths[index]);
    }
}

void TaPaintButtonFace(QPainter& painter, const QPainterPath* shapes, const QPainterPath& gloss,
                       QRgb faceColor, int w, int h, bool pressed) {
    // Outer bevel.
    QLinearGradient bevel(0, 0, w, h);
    bevel.setColorAt(0.0, TaArgb(0x28000000));
    bevel.setColorAt(1.0, TaArgb(0xFFFFFFFF));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QBrush(bevel), 1.0));
    painter.drawPath(shapes[1]);
    painter.drawPath(shapes[2]);

    // Three tones of the face colour.
    const QRgb light = TaScaleLightness(faceColor, 1.8);
    const QRgb dark = TaScaleLightness(faceColor, 0.4);
    const QRgb lightest = TaScaleLightness(faceColor, 2.0);

    QLinearGradient face(0, 3, 0, h - 3);
    face.setColorAt(0.0, TaArgb(dark));
    face.setColorAt(0.5, TaArgb(faceColor));
    face.setColorAt(1.0, TaArgb(light));
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawPath(shapes[3]);

    const int glossEnd = h / 2 + 1;
    QLinearGradient glossGradient(0, 3, 0, glossEnd);
    glossGradient.setColorAt(0.0, TaArgb(lightest));
    glossGradient.setColorAt(1.0, TaWithAlpha(faceColor, 0x40));
    painter.setBrush(glossGradient);
    painter.drawPath(pressed ? gloss.translated(0, 1) : gloss);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(TaArgb(faceColor), 1.0));
    painter.drawPath(shapes[3]);
    if (pressed)
        TaStrokeRings(painter, shapes, {4, 5, 6, 7, 8, 9}, 0xF0F0F0,
                      {0xFF, 0xC0, 0x80, 0x60, 0x40, 0x20});
}

TaButton::TaButton(int id, const QString& text, QWidget* parent) : TaControl(id, text, parent) {
    textColor_ = SystemColor(QPalette::ButtonText, this);
    faceColor_ = SystemColor(QPalette::Button, this);
    backgroundColor_ = faceColor_;
    SetFallbackFont(12.0, TaFontStyle::Bold);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void TaButton::SetTextColor(QRgb argb) {
    textColor_ = argb;
    imagesReady_ = false;
    Changed();
}

void TaButton::SetFaceColor(QRgb argb) {
    faceColor_ = argb;
    imagesReady_ = false;
    Changed();
}

void TaButton::SetBackgroundColor(QRgb argb) {
    backgroundColor_ = argb;
    imagesReady_ = false;
    Changed();
}

QSize TaButton::SizeFor(const QRectF& box, qreal points, int dpiY) {
    const int width = static_cast<int>(
        std::floor(box.x() + box.width() + 1.9 * box.height() + 0.5) - std::floor(box.x()));
    const int height = static_cast<int>(std::floor(dpiY * points * 2.1 / 72.0 + box.y() + 0.5) -
                                        std::floor(box.y()));
    return QSize(width, height);
}

QSize TaButton::Measure() {
    const QRectF box = TaMeasureText(DrawFont(), Text(), window());
    const QSize size = SizeFor(box, FontSize(), window()->logicalDpiY());
    resize(size);
    return size;
}

void TaButton::resizeEvent(QResizeEvent*) {
    imagesReady_ = false;
    BuildPaths();
    Changed();
}

void TaButton::BuildPaths() {
    const int w = width();
    const int h = height();
    for (int i = 0; i < 10; ++i) outline_[i] = TaPillPath(w, h, i);
    outline_[10] = TaPillGloss(w, h);
    clip_ = QPainterPath();
    clip_.addRoundedRect(QRectF(3, 3, w - 6, h - 6), (h - 6) / 2.0, (h - 6) / 2.0);
}

bool TaButton::InRegion(const QPointF& point) const { return clip_.contains(point); }

QImage TaButton::BuildImage(bool pressed) const {
    const int w = width();
    const int h = height();
    const QWidget* top = window();
    QImage image = TaMakeImage(QSize(w, h), top->devicePixelRatioF(), top->logicalDpiX(),
                               top->logicalDpiY(), TaArgb(backgroundColor_));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.save();
    painter.translate(0.5, 0.5);  // paths use pixel-centre coordinates

    TaPaintButtonFace(painter, outline_, outline_[10], faceColor_, w, h, pressed);
    painter.restore();

    TaDrawText(painter, DrawFont(), Text(), QRectF(0, 0, w, h), TaArgb(0xFEE0E0E0),
               TaArgb(textColor_), false, pressed ? 1.0 : 0.0);
    return image;
}

void TaButton::BuildImages() {
    if (imagesReady_) return;
    if (outline_[0].isEmpty()) BuildPaths();
    normal_ = BuildImage(false);
    pressedImage_ = BuildImage(true);
    imagesReady_ = true;
}

const QImage& TaButton::NormalImage() {
    BuildImages();
    return normal_;
}

const QImage& TaButton::PressedImage() {
    BuildImages();
    return pressedImage_;
}

bool TaButton::Draw(QPainter& painter) {
    if (!Dirty()) return true;
    BuildImages();
    const QPoint at = Position();
    painter.drawImage(QRectF(at, size()), pressed_ ? pressedImage_ : normal_);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(at.x() + 0.5, at.y() + 0.5);
    if (hovered_ && !pressed_)
        TaStrokeRings(painter, outline_, {4, 5, 6}, 0xE8E8E8, {0xFF, 0xA0, 0x40});
    if (IsDefaultButton())
        TaStrokeRings(painter, outline_, {0, 1, 2}, 0x808080, {0x40, 0x80, 0xF0});
    painter.restore();
    SetDirty(false);
    return true;
}

void TaButton::SendCommand() { emit Command(Id()); }

void TaButton::Click() {
    if (isEnabled()) SendCommand();
}

void TaButton::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = InRegion(event->position() + QPointF(0.5, 0.5));
    bool changed = false;
    if (held_) {
        if (pressed_ != inside) pressed_ = inside, changed = true;
        if (hovered_ != inside) hovered_ = inside, changed = true;
    } else if (hovered_ != inside) {
        hovered_ = inside;
        changed = true;
    }
    if (changed) Changed();
}

void TaButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    if (InRegion(event->position() + QPointF(0.5, 0.5))) {
        held_ = true;
        pressed_ = true;
        Changed();
    }
}

void TaButton::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TaButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !held_) return;
    held_ = false;
    pressed_ = false;
    const bool inside = InRegion(event->position() + QPointF(0.5, 0.5));
    if (inside) hovered_ = true;
    Changed();
    if (inside) SendCommand();
}

void TaButton::leaveEvent(QEvent*) {
    if (held_) return;  // the press owns the pointer until release
    if (hovered_ || pressed_) {
        hovered_ = false;
        pressed_ = false;
        Changed();
    }
}

void TaButton::LoseCapture() {
    if (!held_) return;
    held_ = false;
    pressed_ = false;
    hovered_ = InRegion(mapFromGlobal(QCursor::pos()) + QPointF(0.5, 0.5));
    Changed();
}

void TaButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        if (!event->isAutoRepeat() && !spaceDown_) {
            spaceDown_ = true;
            pressed_ = true;
            Changed();
        }
        event->accept();
        return;
    }
    TaControl::keyPressEvent(event);
}

void TaButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        if (!event->isAutoRepeat() && spaceDown_) {
            spaceDown_ = false;
            pressed_ = false;
            Changed();
            SendCommand();
        }
        event->accept();
        return;
    }
    TaControl::keyReleaseEvent(event);
}

void TaButton::focusOutEvent(QFocusEvent* event) {
    if (spaceDown_) {
        spaceDown_ = false;
        pressed_ = false;
        Changed();
    }
    TaControl::focusOutEvent(event);
}

void TaButton::changeEvent(QEvent* event) {
    // Another window taking over the pointer ends a press.
    if (event->type() == QEvent::ActivationChange && !window()->isActiveWindow()) LoseCapture();
    TaControl::changeEvent(event);
}
