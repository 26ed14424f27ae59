// A pill-shaped push button drawn into its dialog's back buffer, with a
// normal and a pressed image and hover and default rings.
#pragma once

#include <QImage>
#include <QPainterPath>

#include "toolkit/TaControl.h"

class TaButton : public TaControl {
    Q_OBJECT
public:
    TaButton(int id, const QString& text, QWidget* parent);

    QRgb TextColor() const { return textColor_; }
    void SetTextColor(QRgb argb);
    QRgb FaceColor() const { return faceColor_; }
    void SetFaceColor(QRgb argb);
    QRgb BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(QRgb argb);

    // Width: the text box plus 1.9 times its height; height from the font size.
    QSize Measure() override;
    // Draws only when dirty, then clears the flag.
    bool Draw(QPainter& painter) override;
    bool IsPushButton() const override { return true; }

    // What a click does: the command, unless the button is disabled.
    void Click();

    bool IsHeld() const { return held_; }
    bool IsHovered() const { return hovered_; }
    bool IsPressed() const { return pressed_; }

    // The pointer counts as over the button only inside this region (button coordinates).
    bool InRegion(const QPointF& point) const;

    // The size formula on its own: text box `box` (from the baseline origin)
    // at `points` and `dpiY`.
    static QSize SizeFor(const QRectF& box, qreal points, int dpiY);

    // The normal and pressed images (built on first use).
    const QImage& NormalImage();
    const QImage& PressedImage();

signals:
    // Sent when the button is clicked (mouse or Space), with the button's id.
    void Command(int id);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SendCommand();
    void LoseCapture();
    void BuildPaths();
    void BuildImages();
    QImage BuildImage(bool pressed) const;

    QRgb textColor_;
    QRgb faceColor_;
    QRgb backgroundColor_;
    bool imagesReady_ = false;
    bool held_ = false;
    bool hovered_ = false;
    bool pressed_ = false;
    bool spaceDown_ = false;
    QImage normal_;
    QImage pressedImage_;
    QPainterPath outline_[11];  // 0-9 pills inset by 0..9, 10 the gloss
    QPainterPath clip_;
};

// The pill of a w x h button inset by `inset`, in pixel-centre coordinates.
QPainterPath TaPillPath(int w, int h, int inset);
// The gloss over the upper half of a w x h button.
QPainterPath TaPillGloss(int w, int h);
// Strokes `path` 1 pixel wide in `rgb` at the given alphas, one per path index.
void TaStrokeRings(QPainter& painter, const QPainterPath* paths, std::initializer_list<int> indices,
                   QRgb rgb, std::initializer_list<int> alphas);
// The bevelled face both button kinds share, in pixel-centre coordinates:
// the outer bevel on shapes 1 and 2, the three-tone face on shape 3 with its
// gloss and outline, and the pressed rings on shapes 4-9.
void TaPaintButtonFace(QPainter& painter, const QPainterPath* shapes, const QPainterPath& gloss,
                       QRgb faceColor, int w, int h, bool pressed);
