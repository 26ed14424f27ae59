#include "toolkit/TaControl.h"

#include "toolkit/TaAccessible.h"
#include "toolkit/TaDialog.h"

TaControl::TaControl(int id, const QString& text, QWidget* parent)
    : QWidget(parent), id_(id), text_(text) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

void TaControl::SetText(const QString& text) {
    if (text_ == text) return;
    text_ = text;
    Changed();
    TaNotifyAccessible(this, QAccessible::NameChanged);  // a reader announces the new text
}

void TaControl::SetFont(const TaFonts* fonts, TaFace face, qreal points, int style) {
    fonts_ = fonts;
    hasFace_ = fonts != nullptr;
    face_ = face;
    size_ = points;
    style_ = style;
    Changed();
}

void TaControl::SetFallbackFont(qreal points, int style) {
    fonts_ = nullptr;
    hasFace_ = false;
    size_ = points;
    style_ = style;
    Changed();
}

QFont TaControl::DrawFont() const {
    if (hasFace_ && fonts_ != nullptr) return fonts_->Font(face_, size_, style_);
    return TaFallbackFont(size_, style_, fallbackFamily_);
}

void TaControl::SetDefaultButton(bool isDefault) {
    if (default_ == isDefault) return;
    default_ = isDefault;
    Changed();
    QAccessible::State changed;
    changed.defaultButton = true;
    TaNotifyAccessibleState(this, changed);
}

void TaControl::Changed() {
    dirty_ = true;
    if (auto* dialog = qobject_cast<TaDialog*>(window())) dialog->ControlChanged(this);
}

void TaControl::paintEvent(QPaintEvent*) {}

QRectF TaControl::TextBox() const { return QRectF(0, 0, width(), height()); }
