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

// A keypad given less room than its natural size is drawn smaller, down to
// this share of its size on a screen at 100 %; below that its captions would
// no longer read. On a screen scaled up, the share is of the physical size:
// at 200 % the keypad may be drawn at 30 % of its logical size (never below
// kSmallestLogicalScale), which is still 60 % of its size at 100 %.
inline constexpr double kSmallestScale = 0.6;
inline constexpr double kSmallestLogicalScale = 0.3;
double SmallestScale(double devicePixelRatio);

// The largest scale, at most 1 and at least `smallest`, at which a keypad of
// `natural` size fits within `available`.
double FitScale(const QSize& natural, const QSize& available, double smallest = kSmallestScale);
// Every measure times `scale`, rounded down, so that the keypad laid out
// from them is never larger than `scale` times the natural one.
Metrics Scaled(const Metrics& metrics, double scale);
Gaps Scaled(const Gaps& gaps, double scale);
// The captions' font for buttons of the scaled metrics: the keypad font at
// the scale, one pixel smaller at a time while the measuring text or "*/"
// would not fit its button.
QFont ScaledFont(const QFont& font, double scale, int notation, const Metrics& scaled);

}  // namespace Keypad
