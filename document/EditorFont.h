// The editor font as the settings keep it, and its rules.
#pragma once

#include <QFont>
#include <QString>

class QSettings;

struct EditorFontValues {
    int size = 15;  // points
    int weight = 400;
    bool italic = false;
    QString face = QStringLiteral("Courier New");
    bool operator==(const EditorFontValues&) const = default;
};

// 15 pt "Courier New", weight 400, upright; the face compared case-sensitively.
bool IsDefaultEditorFont(const EditorFontValues& values);

// Character height (negative: em height in pixels) of a point size.
int CharacterHeightOf(int points, int dpi);
// Point size of a character height, rounded to the nearest whole point.
int PointSizeOf(int characterHeight, int dpi);

// "GUI/Editor": FontSize, FontWeight, FontItalic, FontFace, each defaulted.
// The largest point size a stored editor font may have; larger is clamped.
inline constexpr int kEditorFontSizeMax = 144;

EditorFontValues ReadEditorFontValues(QSettings& settings);
void WriteEditorFontValues(QSettings& settings, const EditorFontValues& values);

// Builds the font; false when the values cannot make one.
bool MakeEditorFont(const EditorFontValues& values, int dpi, QFont& font);

// Character height of a font chosen in the font dialog.
int CharacterHeightOfFont(const QFont& font, int dpi);
