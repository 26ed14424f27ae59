// One keypad button: drawn by the program in one of four styles with its own
// text and face colours, pressed only inside its capsule in the program's
// own style, and counting each click of a double click.
#pragma once

#include <QColor>
#include <QPushButton>
#include <cstdint>

#include "panels/KeypadPainter.h"

class CColorButton : public QPushButton {
    Q_OBJECT
public:
    CColorButton(int controlId, const QString& caption, QWidget* parent = nullptr);

    int ControlId() const { return id_; }
    // Help context: the control id minus 0x7F9A0000, modulo 2^32.
    uint32_t HelpContext() const;

    void SetStyle(int style);
    int Style() const { return style_; }

    // A colour of its own drops the use of the system colour of that kind.
    void SetTextColor(const QColor& color);
    void SetFaceColor(const QColor& color);
    void UseSystemTextColor();
    void UseSystemFaceColor();
    bool UsesSystemText() const { return useSystemText_; }
    bool UsesSystemFace() const { return useSystemFace_; }
    // The colours the next drawing uses.
    QColor TextColor() const;
    QColor FaceColor() const;

    // Mouse state, as drawn.
    bool IsHot() const { return hot_; }
    bool IsInShape() const { return inShape_; }
    bool IsCaptured() const { return captured_; }
    bool IsPressed() const { return pressed_; }
    bool HasThemeData() const { return themeData_; }

    // Whether a press at this point counts: anywhere in the styles other
    // than the program's own, inside the capsule in that one.
    bool Responds(QPoint point) const;

    // The mouse capture went away while pressed (another window took it).
    void CaptureLost();

    // Everything the painter needs, as of now.
    Keypad::ButtonLook Look() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    bool Inside(QPoint point) const;

    int id_;
    int style_ = 1;
    bool themePending_ = true;
    bool themeData_ = false;
    bool captured_ = false;
    bool inShape_ = false;
    bool hot_ = false;
    bool pressed_ = false;
    bool leaveTracking_ = false;
    bool useSystemFace_ = true;
    bool useSystemText_ = true;
    QColor text_;
    QColor face_;
};
