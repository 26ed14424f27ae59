#include "document/EditorFont.h"

#include <QSettings>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "shell/core/DialogUnits.h"
#include "shell/core/SettingsStore.h"

namespace {
const QString kSection = QStringLiteral("GUI/Editor");
}  // namespace

bool IsDefaultEditorFont(const EditorFontValues& values) {
    return values.size == 15 && values.weight == 400 && !values.italic &&
           values.face == QLatin1String("Courier New");
}

int CharacterHeightOf(int points, int dpi) { return -MulDiv(points, dpi, 72); }

int PointSizeOf(int characterHeight, int dpi) {
    if (dpi <= 0) return 0;
    return (std::abs(characterHeight) * 144 + dpi) / (2 * dpi);
}

EditorFontValues ReadEditorFontValues(QSettings& settings) {
    EditorFontValues values;
    settings.beginGroup(kSection);
    values.size = ReadProfileInt(settings, QStringLiteral("FontSize"), values.size);
    values.weight = ReadProfileInt(settings, QStringLiteral("FontWeight"), values.weight);
    values.italic = ReadProfileInt(settings, QStringLiteral("FontItalic"), 0) != 0;
    values.face = ReadProfileString(settings, QStringLiteral("FontFace"), values.face);
    settings.endGroup();
    // A huge value must not make the editor unusable; the clamped value is
    // what the editor writes back. (One that cannot make a font at all gives
    // the default font.)
    values.size = std::min(values.size, kEditorFontSizeMax);
    values.weight = std::min(values.weight, 1000);
    return values;
}

void WriteEditorFontValues(QSettings& settings, const EditorFontValues& values) {
    settings.beginGroup(kSection);
    WriteProfileInt(settings, QStringLiteral("FontSize"), values.size);
    WriteProfileInt(settings, QStringLiteral("FontWeight"), values.weight);
    WriteProfileInt(settings, QStringLiteral("FontItalic"), values.italic ? 1 : 0);
    WriteProfileString(settings, QStringLiteral("FontFace"), values.face);
    settings.endGroup();
}

bool MakeEditorFont(const EditorFontValues& values, int dpi, QFont& font) {
    const int height = CharacterHeightOf(values.size, dpi);
    if (values.face.isEmpty() || height >= 0 || height < -4096 || values.weight < 0 ||
        values.weight > 1000)
        return false;
    QFont made(values.face);
    made.setPixelSize(-height);
    // Weight 0 is "don't care": the normal weight.
    made.setWeight(static_cast<QFont::Weight>(values.weight == 0 ? 400 : values.weight));
    made.setItalic(values.italic);
    made.setUnderline(false);
    made.setStrikeOut(false);
    made.setStyleStrategy(QFont::PreferAntialias);
    font = made;
    return true;
}

int CharacterHeightOfFont(const QFont& font, int dpi) {
    if (font.pixelSize() > 0) return -font.pixelSize();
    return -static_cast<int>(std::lround(font.pointSizeF() * dpi / 72.0));
}
