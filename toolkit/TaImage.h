// Images from the artwork resources: a decoded source (TaBitmap) and a copy
// rendered at a requested size with its draw position (TaImage).
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;
class QSvgRenderer;

class TaBitmap {
public:
    TaBitmap();
    ~TaBitmap();
    TaBitmap(const TaBitmap&) = delete;
    TaBitmap& operator=(const TaBitmap&) = delete;

    // Decodes the artwork resource `id`; false when it is missing or broken.
    bool Load(int id);
    // Decodes an image file (SVG or a raster format) from a path or resource path.
    bool LoadFile(const QString& path);
    bool IsNull() const;
    // The source's own size (the vector artwork's view box).
    QSize NaturalSize() const;
    // Draws the source scaled into `target` with smooth interpolation.
    void Render(QPainter& painter, const QRectF& target) const;
    // The source drawn antialiased into a transparent side x side image.
    QImage RenderSquare(int side) const;

private:
    std::unique_ptr<QSvgRenderer> vector_;
    QImage raster_;
};

class TaImage {
public:
    // Renders artwork `id` into a transparent width x height image (in logical
    // pixels, `ratio` device pixels each); false when the artwork is missing.
    bool Load(int id, int width, int height, qreal ratio = 1.0);
    // Draws the image at its position at its own size; false when not loaded.
    bool Draw(QPainter& painter) const;

    bool IsNull() const { return image_.isNull(); }
    const QImage& Image() const { return image_; }
    int Width() const { return size_.width(); }
    int Height() const { return size_.height(); }
    QPoint Position() const { return position_; }
    void SetPosition(QPoint position) { position_ = position; }
    void SetPosition(int x, int y) { position_ = QPoint(x, y); }

private:
    QImage image_;
    QSize size_;
    QPoint position_;
};
