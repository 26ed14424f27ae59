// A round image button that paints itself (the memory panel's buttons).
#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QPainterPath>

class TaButtonBitmap : public QAbstractButton {
    Q_OBJECT
public:
    // `imageId`: the artwork drawn in the middle of the button.
    TaButtonBitmap(int imageId, QWidget* parent = nullptr);

    int ImageId() const { return imageId_; }
    QRgb FaceColor() const { return faceColor_; }
    void SetFaceColor(QRgb argb);
    QRgb BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(QRgb argb);
    bool IsDefault() const { return default_; }
    void SetDefault(bool isDefault);
    bool IsHovered() const { return hovered_; }

    // The pointer counts as over the button only inside this ellipse (button coordinates).
    bool InRegion(const QPointF& point) const;

    const QImage& NormalImage();
    const QImage& PressedImage();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildPaths();
    void BuildImages();
    QImage BuildImage(bool pressed) const;

    int imageId_;
    QRgb faceColor_;
    QRgb backgroundColor_;
    bool imagesReady_ = false;
    bool default_ = false;
    bool hovered_ = false;
    QImage normal_;
    QImage pressed_;
    QPainterPath ellipse_[10];
    QPainterPath gloss_;
    QPainterPath clip_;
};
