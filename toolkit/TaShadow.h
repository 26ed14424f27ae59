// The soft drop shadow behind a toolkit dialog: a separate translucent
// window that ignores the mouse, sits just behind the dialog and follows it.
#pragma once

#include <QImage>
#include <QWidget>

class TaShadow : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal reveal READ Reveal WRITE SetReveal)
public:
    // `dialog`: the dialog it belongs to; `owner`: the window both belong to (may be null).
    TaShadow(QWidget* dialog, QWidget* owner);

    int MarginX() const { return marginX_; }
    int MarginY() const { return marginY_; }
    void SetMargins(int mx, int my) { marginX_ = mx, marginY_ = my; }

    // Draws the shadow image into a buffer of the window's size.
    bool Render();
    const QImage& Buffer() const { return buffer_; }

    // Share of the window shown, growing from the centre (0..1).
    qreal Reveal() const { return reveal_; }
    void SetReveal(qreal reveal);

    // Places the shadow for a dialog whose window is `dialogRect`.
    void Follow(const QRect& dialogRect);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* dialog_;
    int marginX_ = 64;
    int marginY_ = 64;
    qreal reveal_ = 1.0;
    QImage buffer_;
};

// The shadow image (artwork 140): a square of side `side` whose r x r corners,
// r = (side - 4) / 2, hold the fading corners and whose 4-pixel middle strips
// the edges and centre.
QImage TaShadowImage(int side = 132);
