#include "toolkit/TaLink.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <cmath>

#include "toolkit/TaAccessible.h"
#include "toolkit/TaColor.h"
#include "toolkit/TaText.h"

TaLink::TaLink(int id, const QString& text, const QString& target, QWidget* parent)
    : TaControl(id, text, parent), target_(target) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void TaLink::SetTarget(const QString& target) {
    if (target_ == target) return;
    target_ = target;
    TaNotifyAccessible(this, QAccessible::DescriptionChanged);  // the address is the description
}

QSize TaLink::Measure() {
    const QRectF box = TaMeasureText(DrawFont(), Text(), window());
    const QSize size(static_cast<int>(std::ceil(box.width())),
                     static_cast<int>(std::ceil(box.height())));
    resize(size);
    return size;
}

bool TaLink::Draw(QPainter& painter) {
    const QRectF box(Position(), size());
    painter.fillRect(box, TaArgb(backgroundColor_));
    QFont font = DrawFont();
    if (IsDefaultButton()) font.setUnderline(true);
    TaDrawText(painter, font, Text(), box, TaArgb(0xFEFFFFFF), TaArgb(textColor_));
    SetDirty(false);
    return true;
}

bool TaLink::Activate() {
    if (!isEnabled()) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened = QDesktopServices::openUrl(QUrl(target_));
    QApplication::restoreOverrideCursor();
    emit Activated(target_);
    return opened;
}

void TaLink::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    pressed_ = true;
}

void TaLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    if (rect().contains(event->position().toPoint())) Activate();
}

void TaLink::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return;  // acts on release
        default:
            TaControl::keyPressEvent(event);
    }
}

void TaLink::keyReleaseEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!event->isAutoRepeat()) Activate();
            event->accept();
            return;
        default:
            TaControl::keyReleaseEvent(event);
    }
}
