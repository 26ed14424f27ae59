#include "toolkit/TaImage.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

#include "toolkit/TaResources.h"

TaBitmap::TaBitmap() = default;
TaBitmap::~TaBitmap() = default;

bool TaBitmap::Load(int id) { return LoadFile(TaArtworkPath(id)); }

bool TaBitmap::LoadFile(const QString& path) {
    TaInitResources();
    vector_.reset();
    raster_ = QImage();
    if (path.isEmpty()) return false;
    if (path.endsWith(QLatin1String(".svg"))) {
        auto renderer = std::make_unique<QSvgRenderer>(path);
        if (!renderer->isValid()) return false;
        vector_ = std::move(renderer);
        return true;
    }
    raster_.load(path);
    return !raster_.isNull();
}

bool TaBitmap::IsNull() const { return vector_ == nullptr && raster_.isNull(); }

QSize TaBitmap::NaturalSize() const {
    if (vector_) return vector_->defaultSize();
    return raster_.size();
}

QImage TaBitmap::RenderSquare(int side) const {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    Render(painter, QRectF(0, 0, side, side));
    painter.end();
    return image;
}

void TaBitmap::Render(QPainter& painter, const QRectF& target) const {
    if (vector_) {
        vector_->render(&painter, target);
    } else if (!raster_.isNull()) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, raster_);
        painter.restore();
    }
}

bool TaImage::Load(int id, int width, int height, qreal ratio) {
    image_ = QImage();
    size_ = QSize(width, height);
    if (width <= 0 || height <= 0) return false;
    TaBitmap source;
    if (!source.Load(id)) return false;
    QImage image(static_cast<int>(std::ceil(width * ratio)),
                 static_cast<int>(std::ceil(height * ratio)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        source.Render(painter, QRectF(0, 0, image.width(), image.height()));
    }
    image.setDevicePixelRatio(ratio);
    image_ = image;
    return true;
}

bool TaImage::Draw(QPainter& painter) const {
    if (image_.isNull()) return false;
    painter.drawImage(QRectF(position_, size_), image_);
    return true;
}
