#include "toolkit/TaFonts.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QResource>

#include "toolkit/TaResources.h"

TaFont::~TaFont() { Free(); }

bool TaFont::Load(const QString& path) {
    Free();
    // A face stored uncompressed in the resources is read where it lies:
    // copying the three faces first was a measurable part of the start.
    const QResource resource(path);
    const int id = resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression
                       ? QFontDatabase::addApplicationFontFromData(
                             QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                                     static_cast<qsizetype>(resource.size())))
                       : QFontDatabase::addApplicationFont(path);
    if (id < 0) return false;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        QFontDatabase::removeApplicationFont(id);
        return false;
    }
    id_ = id;
    family_ = families.first();
    return true;
}

void TaFont::Free() {
    // The font database goes away with the application object.
    if (id_ >= 0 && QCoreApplication::instance() != nullptr)
        QFontDatabase::removeApplicationFont(id_);
    id_ = -1;
    family_.clear();
}

int TaFonts::Load() {
    TaInitResources();
    int loaded = 0;
    loaded += LoadFace(TaFace::Regular, TaFontPath(RegularId)) ? 1 : 0;
    loaded += LoadFace(TaFace::Semibold, TaFontPath(SemiboldId)) ? 1 : 0;
    loaded += LoadFace(TaFace::Bold, TaFontPath(BoldId)) ? 1 : 0;
    return loaded;
}

bool TaFonts::LoadFace(TaFace face, const QString& path) {
    return faces_[static_cast<int>(face)].Load(path);
}

void TaFonts::Free() {
    for (TaFont& face : faces_) face.Free();
}

QFont::Weight TaFonts::FaceWeight(TaFace face) {
    switch (face) {
        case TaFace::Semibold:
            return QFont::DemiBold;
        case TaFace::Bold:
            return QFont::Bold;
        case TaFace::Regular:
            break;
    }
    return QFont::Normal;
}

static void ApplyStyle(QFont& font, int style, QFont::Weight baseWeight) {
    font.setWeight((style & TaFontStyle::Bold) != 0 ? std::max(baseWeight, QFont::Bold)
                                                    : baseWeight);
    font.setItalic((style & TaFontStyle::Italic) != 0);
    font.setUnderline((style & TaFontStyle::Underline) != 0);
    font.setStrikeOut((style & TaFontStyle::Strikeout) != 0);
}

QFont TaFonts::Font(TaFace face, qreal points, int style) const {
    if (!Loaded(face)) return TaFallbackFont(points, style);
    QFont font(Family(face));
    font.setPointSizeF(points);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setKerning(false);  // advances as the glyphs give them
    ApplyStyle(font, style, FaceWeight(face));
    return font;
}

QFont TaFallbackFont(qreal points, int style, const QString& preferredFamily) {
    QFont font;
    if (!preferredFamily.isEmpty() && QFontDatabase::hasFamily(preferredFamily)) {
        font.setFamily(preferredFamily);
    } else {
        font.setFamily(QStringLiteral("sans-serif"));
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSizeF(points);
    font.setStyleStrategy(QFont::PreferAntialias);
    ApplyStyle(font, style, QFont::Normal);
    return font;
}
