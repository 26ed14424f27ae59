#include "panels/KeypadSettings.h"

#include <QFontMetricsF>
#include <QSettings>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "shell/core/DialogUnits.h"

namespace Keypad {
namespace {

// An integer value: a number, or a text spelling a signed or unsigned
// 32-bit integer (the Linux file keeps no types). Anything else is missing.
std::optional<int32_t> ReadInt(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    long long number = 0;
    switch (value.typeId()) {
        case QMetaType::QString:
            number = value.toString().trimmed().toLongLong(&ok);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            number = value.toLongLong(&ok);
            break;
        default:
            return std::nullopt;
    }
    if (!ok || number < std::numeric_limits<int32_t>::min() ||
        number > static_cast<long long>(std::numeric_limits<uint32_t>::max()))
        return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(number));
}

const char* const kTextKeys[GroupCount] = {"ColorTextFunction", "ColorTextDigit",
                                           "ColorTextService"};
const char* const kFaceKeys[GroupCount] = {"ColorFunction", "ColorDigit", "ColorService"};

}  // namespace

LogicalFont DefaultFont(int dpiY) {
    return LogicalFont{-MulDiv(11, dpiY, 72), 800, false, QStringLiteral("Arial")};
}

LogicalFont LogicalFontOf(const QFont& font, int dpiY) {
    LogicalFont result;
    if (font.pixelSize() > 0)
        result.height = -font.pixelSize();
    else
        result.height = -static_cast<int>(std::lround(font.pointSizeF() * dpiY / 72.0));
    result.weight = font.weight();
    result.italic = font.italic();
    result.face = font.family();
    return result;
}

std::optional<QFont> CreateKeypadFont(const LogicalFont& description, int dpiY) {
    if (description.face.isEmpty() || description.face.size() > 31) return std::nullopt;
    if (description.weight < 0 || description.weight > 1000) return std::nullopt;
    if (description.height < -2048 || description.height > 2048) return std::nullopt;

    QFont font(description.face);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setItalic(description.italic);
    // Weight 0 asks for the face's normal weight.
    font.setWeight(static_cast<QFont::Weight>(description.weight == 0 ? 400 : description.weight));
    int pixels = -description.height;
    if (description.height == 0) {
        pixels = MulDiv(11, dpiY, 72);
    } else if (description.height > 0) {
        // A cell height: scale by the face's em share of ascent plus descent.
        QFont probe(font);
        probe.setPixelSize(100);
        const qreal cell = QFontMetricsF(probe).ascent() + QFontMetricsF(probe).descent();
        pixels = cell > 0 ? static_cast<int>(std::lround(description.height * 100.0 / cell))
                          : description.height;
    }
    font.setPixelSize(std::max(1, pixels));
    return font;
}

Appearance ReadAppearance(QSettings& settings, int dpiY) {
    Appearance a;
    a.font = DefaultFont(dpiY);
    settings.beginGroup(SettingsGroup);
    for (int g = 0; g < GroupCount; ++g) {
        a.text[g] = static_cast<uint32_t>(
            ReadInt(settings, QLatin1String(kTextKeys[g])).value_or(int32_t(DefaultTextColors[g])));
        a.face[g] = static_cast<uint32_t>(
            ReadInt(settings, QLatin1String(kFaceKeys[g])).value_or(int32_t(DefaultFaceColors[g])));
    }
    a.textSystem = ReadInt(settings, QStringLiteral("ColorTextSystem")).value_or(0) != 0;
    a.faceSystem = ReadInt(settings, QStringLiteral("ColorSystem")).value_or(0) != 0;
    const int style = ReadInt(settings, QStringLiteral("Style")).value_or(StyleTarvik);
    a.style = (style == Style2000 || style == StyleXP || style == StyleVista) ? style : StyleTarvik;
    a.font.height = ReadInt(settings, QStringLiteral("FontSize")).value_or(a.font.height);
    a.font.weight = ReadInt(settings, QStringLiteral("FontWeight")).value_or(a.font.weight);
    a.font.italic = ReadInt(settings, QStringLiteral("FontItalic")).value_or(0) != 0;
    const QVariant face = settings.value(QStringLiteral("FontFace"));
    if (face.isValid()) a.font.face = face.toString();
    settings.endGroup();
    return a;
}

void WriteAppearance(QSettings& settings, const Appearance& a) {
    settings.beginGroup(SettingsGroup);
    settings.setValue(QStringLiteral("FontSize"), a.font.height);
    settings.setValue(QStringLiteral("FontWeight"), a.font.weight);
    settings.setValue(QStringLiteral("FontItalic"), a.font.italic ? 1 : 0);
    settings.setValue(QStringLiteral("FontFace"), a.font.face);
    for (int g = 0; g < GroupCount; ++g) {
        settings.setValue(QLatin1String(kTextKeys[g]), static_cast<int>(a.text[g]));
        settings.setValue(QLatin1String(kFaceKeys[g]), static_cast<int>(a.face[g]));
    }
    settings.setValue(QStringLiteral("ColorTextSystem"), a.textSystem ? 1 : 0);
    settings.setValue(QStringLiteral("ColorSystem"), a.faceSystem ? 1 : 0);
    settings.setValue(QStringLiteral("Style"), a.style);
    settings.endGroup();
}

}  // namespace Keypad
