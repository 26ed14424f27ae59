// How a keypad button looks in each of the four drawing styles.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPalette>
#include <QSize>
#include <QString>
#include <array>

class QPainter;
class QWidget;

namespace Keypad {

// Visual styles count as active unless the application draws with the
// classic "Windows" style.
bool ThemesActive();

// The style the menu shows checked for a stored style.
int EffectiveStyle(int style, bool themesActive);

enum class Drawing { Classic, Tarvik, XP, Vista };
// The drawing a button makes for its stored style, with or without theme data.
Drawing DrawingFor(int style, bool themeData);

// The capsule of a button: the rounded rectangle from (3, 3) to
// (w - 3, h - 3) with (h - 6) wide corner ellipses.
QPainterPath CapsulePath(QSize size);
// Whether the pixel at `point` lies in the capsule.
bool InCapsule(QSize size, QPoint point);

// The 13 paths of the capsule drawing: 0-9 outlines inset by 0..9, 10 the
// highlight, 11 and 12 the upper and lower halves of the body.
std::array<QPainterPath, 13> TarvikPaths(QSize size);

// Light by the weights 0.3, 0.59, 0.11 over 255, above one half.
bool IsLightColor(const QColor& color);

struct ButtonLook {
    QSize size;
    QString caption;
    QFont font;
    int style = 1;
    bool themeData = false;  // the theme is open for this button
    bool pressed = false;    // pressed flag or the keyboard's down state
    bool hot = false;
    bool inShape = false;
    bool focused = false;
    bool isDefault = false;
    bool disabled = false;
    bool noFocusRect = false;  // keyboard cues hidden
    bool useSystemFace = true;
    bool useSystemText = true;
    QColor face;  // the colour in use (system already resolved)
    QColor textColor;
    QPalette palette;  // the system colours
    QColor parentBackground;
};

// Whether the button is left entirely to the platform's themed drawing.
bool PurelyThemed(const ButtonLook& look);

// Draws the whole button at (0, 0). `widget` is passed on to QStyle.
// Capsule faces are drawn once per size, colour and state and kept.
void PaintButton(QPainter& painter, const ButtonLook& look, const QWidget* widget);
// Forgets the kept faces (they are drawn again when next needed).
void ClearFaceCache();
int KeptFaceCount();

}  // namespace Keypad
