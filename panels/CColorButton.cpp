#include "panels/CColorButton.h"

#include <QCursor>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "panels/KeypadTable.h"

CColorButton::CColorButton(int controlId, const QString& caption, QWidget* parent)
    : QPushButton(caption, parent), id_(controlId) {
    setAutoDefault(false);
    // Tab and the keypad's focus key reach the buttons; a click leaves the
    // focus where it was, so typing goes on in the editor.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    // The drawing covers the whole button.
    setAttribute(Qt::WA_OpaquePaintEvent);
    text_ = palette().color(QPalette::ButtonText);
    face_ = palette().color(QPalette::Button);
}

uint32_t CColorButton::HelpContext() const { return Keypad::HelpContext(id_); }

void CColorButton::SetStyle(int style) {
    style_ = style;
    update();
}

void CColorButton::SetTextColor(const QColor& color) {
    text_ = color;
    useSystemText_ = false;
    update();
}

void CColorButton::SetFaceColor(const QColor& color) {
    face_ = color;
    useSystemFace_ = false;
    update();
}

void CColorButton::UseSystemTextColor() {
    useSystemText_ = true;
    update();
}

void CColorButton::UseSystemFaceColor() {
    useSystemFace_ = true;
    update();
}

QColor CColorButton::TextColor() const {
    return useSystemText_ ? palette().color(QPalette::ButtonText) : text_;
}

QColor CColorButton::FaceColor() const {
    return useSystemFace_ ? palette().color(QPalette::Button) : face_;
}

bool CColorButton::Responds(QPoint point) const {
    return style_ != Keypad::StyleTarvik || Keypad::InCapsule(size(), point);
}

bool CColorButton::Inside(QPoint point) const {
    return style_ == Keypad::StyleTarvik ? Keypad::InCapsule(size(), point)
                                         : rect().contains(point);
}

bool CColorButton::hitButton(const QPoint& pos) const { return Inside(pos); }

Keypad::ButtonLook CColorButton::Look() const {
    Keypad::ButtonLook look;
    look.size = size();
    look.caption = text();
    look.font = font();
    look.style = style_;
    look.themeData = themeData_;
    look.pressed = pressed_ || isDown();
    look.hot = hot_;
    look.inShape = inShape_;
    look.focused = hasFocus();
    look.isDefault = isDefault();
    look.disabled = !isEnabled();
    look.noFocusRect = !window()->testAttribute(Qt::WA_KeyboardFocusChange);
    look.useSystemFace = useSystemFace_;
    look.useSystemText = useSystemText_;
    look.face = FaceColor();
    look.textColor = TextColor();
    look.palette = palette();
    const QWidget* parent = parentWidget();
    look.parentBackground = parent ? parent->palette().color(parent->backgroundRole())
                                   : palette().color(QPalette::Window);
    return look;
}

void CColorButton::paintEvent(QPaintEvent*) {
    if (themePending_) {
        themePending_ = false;
        themeData_ = Keypad::ThemesActive();
    }
    QPainter painter(this);
    Keypad::PaintButton(painter, Look(), this);
}

void CColorButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    if (Responds(point)) {
        captured_ = true;
        pressed_ = true;
        update();
    }
    event->accept();
}

// Each click of a double click counts as a press of its own.
void CColorButton::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CColorButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (style_ == Keypad::StyleTarvik) {
        const bool inShape = Keypad::InCapsule(size(), point);
        if (inShape != inShape_) {
            inShape_ = inShape;
            update();
        }
    }
    if (!leaveTracking_) {
        leaveTracking_ = true;
        hot_ = true;
        update();
    }
    if (captured_) {
        const bool pressed = Inside(point);
        if (pressed != pressed_) {
            pressed_ = pressed;
            update();
        }
    }
    event->accept();
}

void CColorButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !captured_) {
        event->ignore();
        return;
    }
    captured_ = false;
    pressed_ = false;
    update();
    event->accept();
    // Released off the button: nothing is sent.
    if (Inside(event->position().toPoint())) emit clicked(false);
}

void CColorButton::enterEvent(QEnterEvent* event) {
    if (style_ == Keypad::StyleTarvik)
        inShape_ = Keypad::InCapsule(size(), event->position().toPoint());
    leaveTracking_ = true;
    hot_ = true;
    update();
}

void CColorButton::leaveEvent(QEvent*) {
    hot_ = false;
    leaveTracking_ = false;
    update();
}

void CColorButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !event->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CColorButton::CaptureLost() {
    if (!captured_) return;
    captured_ = false;
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    if (style_ == Keypad::StyleTarvik) {
        inShape_ = Keypad::InCapsule(size(), cursor);
        hot_ = inShape_;
    } else {
        hot_ = rect().contains(cursor);
    }
    pressed_ = false;
    update();
}

void CColorButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) {
        // The theme is reopened for the new style.
        themeData_ = Keypad::ThemesActive();
        themePending_ = false;
        update();
    } else if (event->type() == QEvent::ActivationChange && !window()->isActiveWindow()) {
        CaptureLost();
    }
    QPushButton::changeEvent(event);
}

void CColorButton::hideEvent(QHideEvent* event) {
    CaptureLost();
    QPushButton::hideEvent(event);
}
