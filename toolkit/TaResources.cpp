#include "toolkit/TaResources.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <future>
#include <memory>

#include "toolkit/TaImage.h"

// Q_INIT_RESOURCE must stand outside any namespace.
static void InitToolkitResources() {
    Q_INIT_RESOURCE(artwork);
    Q_INIT_RESOURCE(numera_fonts);
}

void TaInitResources() {
    static const bool done = (InitToolkitResources(), true);
    (void)done;
}

QString TaArtworkPath(int id) {
    TaInitResources();
    QString svg = QStringLiteral(":/images/%1.svg").arg(id);
    if (QFile::exists(svg)) return svg;
    QString png = QStringLiteral(":/images/%1.png").arg(id);
    if (QFile::exists(png)) return png;
    return QString();
}

QString TaFontPath(int id) { return QStringLiteral(":/fonts/%1.ttf").arg(id); }

QString TaToolbarImagePath(int index) {
    return QStringLiteral(":/images/toolbar/%1.svg").arg(index, 2, 10, QLatin1Char('0'));
}

namespace {

// Toolbar images drawn ahead on a worker thread.
struct Prefetch {
    int side = 0;
    QStringList paths;
    std::future<QList<QImage>> drawing;
    QList<QImage> images;
    bool taken = false;
};

Prefetch& Prefetched() {
    static Prefetch prefetch;
    return prefetch;
}

// The image drawn ahead for `path` at `side` pixels, waiting for the worker
// when it is still drawing; null when none was drawn ahead.
QImage TakePrefetched(const QString& path, int side) {
    Prefetch& prefetch = Prefetched();
    if (prefetch.side != side) return QImage();
    const qsizetype index = prefetch.paths.indexOf(path);
    if (index < 0) return QImage();
    if (!prefetch.taken) {
        prefetch.images = prefetch.drawing.get();
        prefetch.taken = true;
    }
    return prefetch.images.value(index);
}

// The artwork is drawn only at the sizes asked for, when first asked: drawing
// every icon at nine sizes up front was most of the program's start.
class ArtworkIconEngine : public QIconEngine {
public:
    explicit ArtworkIconEngine(QString path) : path_(std::move(path)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const int side = std::max(1, std::min(size.width(), size.height()));
        const quint64 key = (quint64(side) << 8) | quint64(mode);
        const auto cached = pixmaps_.constFind(key);
        if (cached != pixmaps_.constEnd()) return *cached;
        QImage drawn = TakePrefetched(path_, side);
        if (drawn.isNull()) {
            if (!source_) {
                source_ = std::make_unique<TaBitmap>();
                source_->LoadFile(path_);
            }
            if (source_->IsNull()) return QPixmap();
            drawn = source_->RenderSquare(side);
        }
        QPixmap pixmap = QPixmap::fromImage(drawn);
        if (mode != QIcon::Normal && mode != QIcon::Active) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            if (const QStyle* style = QApplication::style())
                pixmap = style->generatedIconPixmap(mode, pixmap, &option);
        }
        (void)state;
        pixmaps_.insert(key, pixmap);
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, drawn);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return QSize(side, side);
    }

    // The sizes a window manager is offered for the program's icon. Every
    // one is drawn as the window is made; 256 pixels alone cost more than all
    // the others together, and launchers take that size from the installed
    // icons instead.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : {16, 20, 24, 32, 40, 48, 64, 128}) sizes.append(QSize(side, side));
        return sizes;
    }

    QIconEngine* clone() const override { return new ArtworkIconEngine(path_); }
    QString key() const override { return QStringLiteral("ArtworkIconEngine"); }

private:
    QString path_;
    std::unique_ptr<TaBitmap> source_;
    QHash<quint64, QPixmap> pixmaps_;
};

QIcon ArtworkIcon(const QString& path) {
    TaInitResources();
    if (path.isEmpty() || !QFile::exists(path)) return QIcon();
    return QIcon(new ArtworkIconEngine(path));
}

}  // namespace

QIcon TaProgramIcon() { return ArtworkIcon(TaArtworkPath(TaArt::ProgramIcon)); }

void TaPrefetchToolbarImages(int side) {
    Prefetch& prefetch = Prefetched();
    if (prefetch.side != 0 || side <= 0) return;
    TaInitResources();
    prefetch.side = side;
    for (int i = 0; i < TaArt::ToolbarImageCount; ++i) prefetch.paths << TaToolbarImagePath(i);
    prefetch.drawing = std::async(std::launch::async, [paths = prefetch.paths, side] {
        QList<QImage> images;
        for (const QString& path : paths) {
            TaBitmap bitmap;
            images << (bitmap.LoadFile(path) ? bitmap.RenderSquare(side) : QImage());
        }
        return images;
    });
}

QIcon TaToolbarIcon(int index) {
    if (index < 0 || index >= TaArt::ToolbarImageCount) return QIcon();
    return ArtworkIcon(TaToolbarImagePath(index));
}
