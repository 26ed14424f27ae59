#include "toolkit/TaStatic.h"

#include <QPainter>
#include <cmath>

#include "toolkit/TaColor.h"
#include "toolkit/TaText.h"

TaStatic::TaStatic(int id, const QString& text, QWidget* parent) : TaControl(id, text, parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QSize TaStatic::Measure() {
    const QRectF box = TaMeasureText(DrawFont(), Text(), window());
    const QSize size(static_cast<int>(std::ceil(box.width())),
                     static_cast<int>(std::ceil(box.height())));
    resize(size);
    return size;
}

bool TaStatic::Draw(QPainter& painter) {
    TaDrawText(painter, DrawFont(), Text(), QRectF(Position(), size()), TaArgb(0xFEFFFFFF),
               TaArgb(textColor_), true);
    SetDirty(false);
    return true;
}
