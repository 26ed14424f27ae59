// Where the 64 keypad buttons go, computed from the measured keypad font and
// the gaps of the keypad's dialog template.
#pragma once

#include <QRect>
#include <QSize>
#include <array>

#include "panels/KeypadTable.h"

class QFont;

namespace Keypad {

// Gaps in pixels: horizontal between buttons, vertical between rows, between
// groups of columns, and the margin.
struct Gaps {
    int gx = 0;
    int gy = 0;
    int gg = 0;
    int m = 0;
};

// The template's gaps (4, 2, 10 and 3 dialog units) in pixels of the
// dialog font: base units as the platform computes them, rounded like
// MulDiv.
Gaps GapsForDialogFont(const QFont& dialogFont);

// The text whose width makes a function button wide enough in a notation.
QString MeasuringText(int notation);

struct Metrics {
    int W = 0;   // function and service button width
    int h = 0;   // button height
    int sw = 0;  // width of the small (digit and bracket) buttons
};

// Measures the keypad font: W and H from the measuring text, h = 8H/5 and
// sw the larger of the width of "*/" and h.
Metrics MeasureFont(const QFont& keypadFont, int notation);

struct Geometry {
    std::array<QRect, ButtonCount> buttons;
    QSize size;
};

Geometry LayOut(const Metrics& metrics, const Gaps& gaps);

}  // namespace Keypad
