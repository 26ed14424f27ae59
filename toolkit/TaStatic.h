// A text label drawn into its dialog's back buffer.
#pragma once

#include "toolkit/TaControl.h"

class TaStatic : public TaControl {
    Q_OBJECT
public:
    TaStatic(int id, const QString& text, QWidget* parent);

    QRgb TextColor() const { return textColor_; }
    void SetTextColor(QRgb argb) {
        textColor_ = argb;
        Changed();
    }

    QSize Measure() override;
    bool Draw(QPainter& painter) override;

private:
    QRgb textColor_ = 0xFE000000;
};
