#include "toolkit/TaResources.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmap>

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

static QIcon IconFromRenderer(const TaBitmap& source) {
    QIcon icon;
    for (int side : {16, 20, 24, 32, 40, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(source.RenderSquare(side)));
    return icon;
}

QIcon TaProgramIcon() {
    TaBitmap source;
    if (!source.Load(TaArt::ProgramIcon)) return QIcon();
    return IconFromRenderer(source);
}

QIcon TaToolbarIcon(int index) {
    if (index < 0 || index >= TaArt::ToolbarImageCount) return QIcon();
    TaBitmap source;
    if (!source.LoadFile(TaToolbarImagePath(index))) return QIcon();
    return IconFromRenderer(source);
}
