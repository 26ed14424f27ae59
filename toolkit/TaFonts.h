// The three embedded Open Sans faces the toolkit draws with.
#pragma once

#include <QFont>
#include <QString>

class QPaintDevice;

// Font styles, with the values of the drawing library's style flags.
namespace TaFontStyle {
inline constexpr int Regular = 0;
inline constexpr int Bold = 1;
inline constexpr int Italic = 2;
inline constexpr int Underline = 4;
inline constexpr int Strikeout = 8;
}  // namespace TaFontStyle

enum class TaFace { Regular = 0, Semibold = 1, Bold = 2 };

// One face loaded from the resources into the application's font collection.
class TaFont {
public:
    TaFont() = default;
    ~TaFont();
    TaFont(const TaFont&) = delete;
    TaFont& operator=(const TaFont&) = delete;

    // Adds the font file at `path`; false when it is missing or not accepted.
    bool Load(const QString& path);
    void Free();

    bool Loaded() const { return id_ >= 0; }
    // The first family of the collection; empty when not loaded.
    const QString& Family() const { return family_; }

private:
    int id_ = -1;
    QString family_;
};

class TaFonts {
public:
    static constexpr int RegularId = 142;
    static constexpr int SemiboldId = 143;
    static constexpr int BoldId = 144;

    TaFonts() = default;
    ~TaFonts() = default;  // the faces free themselves
    TaFonts(const TaFonts&) = delete;
    TaFonts& operator=(const TaFonts&) = delete;

    // Loads Regular, Semibold and Bold in that order; a face that fails stays
    // unloaded and the others are unaffected. Returns how many loaded.
    int Load();
    // Loads one face from a file of the caller's choice (tests, other builds).
    bool LoadFace(TaFace face, const QString& path);
    void Free();

    bool Loaded(TaFace face) const { return Face(face).Loaded(); }
    // The face's family; empty when the face is not loaded.
    QString Family(TaFace face) const { return Face(face).Family(); }

    // A font of the face at `points` with TaFontStyle flags. A face that is
    // not loaded falls back to the generic sans-serif family.
    QFont Font(TaFace face, qreal points, int style = TaFontStyle::Regular) const;

    // The weight each face is drawn at.
    static QFont::Weight FaceWeight(TaFace face);

private:
    const TaFont& Face(TaFace face) const { return faces_[static_cast<int>(face)]; }
    TaFont faces_[3];
};

// A font of the generic sans-serif family (the fallback when a face is missing).
QFont TaFallbackFont(qreal points, int style, const QString& preferredFamily = QString());
