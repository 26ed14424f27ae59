// Dialog-unit arithmetic as the platform does it: dialog base units of a font
// and MulDiv, used for point sizes and dialog layouts.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QSize>
#include <QString>

// a * b / c rounded to the nearest, halves away from zero, in 64 bits; -1
// when c is 0, as the platform's MulDiv.
inline int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long d = c < 0 ? -static_cast<long long>(c) : c;
    const long long magnitude = ((p < 0 ? -p : p) + d / 2) / d;
    return static_cast<int>((p < 0) != (c < 0) ? -magnitude : magnitude);
}

// The font dialog templates were designed for: an 8-point face with the
// metrics of the original dialog font, for which Liberation Sans (Arimo)
// stands in. Not the desktop font, which is larger and would stretch every
// template (the keypad would no longer fit its window).
inline QFont DialogFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

// The base units of a dialog font: the average width of the alphabet
// (rounded) and the line height.
inline QSize DialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((alphabet / 26 + 1) / 2, metrics.height());
}
