#include "document/PrintSettings.h"

#include <QSettings>

#include "shell/core/SettingsStore.h"

namespace {

const QString kMarginLeft = QStringLiteral("MarginLeft");
const QString kMarginTop = QStringLiteral("MarginTop");
const QString kMarginRight = QStringLiteral("MarginRight");
const QString kMarginBottom = QStringLiteral("MarginBottom");
const QString kItems = QStringLiteral("Items");

struct FontKeys {
    QString face, size, weight, italic;
};
const FontKeys kTextKeys{QStringLiteral("TextFontFace"), QStringLiteral("TextFontSize"),
                         QStringLiteral("TextFontWeight"), QStringLiteral("TextFontItalic")};
const FontKeys kServiceKeys{QStringLiteral("ServiceFontFace"), QStringLiteral("ServiceFontSize"),
                            QStringLiteral("ServiceFontWeight"),
                            QStringLiteral("ServiceFontItalic")};

PrintFont LoadFont(const QSettings& settings, const FontKeys& keys, const PrintFont& fallback) {
    PrintFont font;
    font.face = ReadProfileString(settings, keys.face, fallback.face);
    font.size = ReadProfileInt(settings, keys.size, fallback.size);
    font.weight = ReadProfileInt(settings, keys.weight, fallback.weight);
    // Kept as one byte: a stored 256 is 0, a stored 2 is 1.
    font.italic = (ReadProfileInt(settings, keys.italic, fallback.italic ? 1 : 0) & 0xFF) != 0;
    return font;
}

void SaveFont(QSettings& settings, const FontKeys& keys, const PrintFont& font) {
    WriteProfileString(settings, keys.face, font.face);
    WriteProfileInt(settings, keys.size, font.size);
    WriteProfileInt(settings, keys.weight, font.weight);
    WriteProfileInt(settings, keys.italic, font.italic ? 1 : 0);
}

}  // namespace

void PrintSettings::Load(QSettings& settings) {
    const PrintSettings defaults;
    settings.beginGroup(SettingsSection::Print);
    marginLeft = ReadProfileInt(settings, kMarginLeft, defaults.marginLeft);
    marginTop = ReadProfileInt(settings, kMarginTop, defaults.marginTop);
    marginRight = ReadProfileInt(settings, kMarginRight, defaults.marginRight);
    marginBottom = ReadProfileInt(settings, kMarginBottom, defaults.marginBottom);
    items = ReadProfileInt(settings, kItems, defaults.items);
    textFont = LoadFont(settings, kTextKeys, defaults.textFont);
    serviceFont = LoadFont(settings, kServiceKeys, defaults.serviceFont);
    settings.endGroup();
}

void PrintSettings::Save(QSettings& settings) const {
    settings.beginGroup(SettingsSection::Print);
    WriteProfileInt(settings, kMarginLeft, marginLeft);
    WriteProfileInt(settings, kMarginTop, marginTop);
    WriteProfileInt(settings, kMarginRight, marginRight);
    WriteProfileInt(settings, kMarginBottom, marginBottom);
    WriteProfileInt(settings, kItems, items);
    SaveFont(settings, kTextKeys, textFont);
    SaveFont(settings, kServiceKeys, serviceFont);
    settings.endGroup();
}

PrintSettings& ApplicationPrintSettings() {
    static PrintSettings settings;
    return settings;
}
