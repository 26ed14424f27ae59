// The colour chooser of the keypad colours.
#pragma once

#include <QColor>
#include <cstdint>

class QWidget;

class CCalcColorDialog {
public:
    CCalcColorDialog(QColor initial, QWidget* parent);
    // True on OK; the chosen colour is then SelectedColor().
    bool DoModal();
    QColor SelectedColor() const { return color_; }

    // Settings keep colours as 0x00BBGGRR.
    static QColor FromColorRef(uint32_t colorRef);
    static uint32_t ToColorRef(const QColor& color);

private:
    QColor color_;
    QWidget* parent_;
};
