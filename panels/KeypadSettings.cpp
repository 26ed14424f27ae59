#include "panels/KeypadSettings.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "shell/core/DialogUnits.h"
#include "shell/core/SettingsStore.h"

namespace Keypad {
namespace {

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

int ClampFontHeight(int height, int dpiY) {
    if (height == 0) return 0;
    const int smallest = MulDiv(kSmallestFontPoints, dpiY, 72);
    const int largest = MulDiv(kLargestFontPoints, dpiY, 72);
    // Clamped with its sign: -INT_MIN does not exist.
    if (height < 0) return std::clamp(height, -largest, -smallest);
    return std::clamp(height, smallest, largest);
}

int FitFontHeight(const LogicalFont& font, int dpiY, int notation, const Gaps& gaps,
                  const QSize& available) {
    if (font.height == 0 || available.isEmpty()) return font.height;
    const int sign = font.height < 0 ? -1 : 1;
    const auto fits = [&](int magnitude) {
        LogicalFont candidate = font;
        candidate.height = sign * magnitude;
        const std::optional<QFont> made = CreateKeypadFont(candidate, dpiY);
        if (!made) return true;
        const QSize size = LayOut(MeasureFont(*made, notation), gaps).size;
        return size.width() <= available.width() && size.height() <= available.height();
    };
    // Never below the default size: that keypad is the program's own, and
    // on a screen too small even for it the default stays.
    const int lowest = std::abs(DefaultFont(dpiY).height);
    int high = std::abs(font.height);
    if (high <= lowest || fits(high)) return font.height;
    // The keypad grows with its font: the largest fitting height lies in
    // [lowest, high).
    int low = lowest;
    if (!fits(low)) return sign * low;
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return sign * low;
}

QSize LargestWorkArea() {
    QSize largest;
    for (const QScreen* screen : QGuiApplication::screens())
        largest = largest.expandedTo(screen->availableGeometry().size());
    return largest;
}

Appearance ReadAppearance(QSettings& settings, int dpiY) {
    Appearance a;
    a.font = DefaultFont(dpiY);
    settings.beginGroup(SettingsGroup);
    const auto read = [&](const char* key, int fallback) {
        return ReadProfileInt(settings, QLatin1String(key), fallback);
    };
    for (int g = 0; g < GroupCount; ++g) {
        a.text[g] = static_cast<uint32_t>(read(kTextKeys[g], int(DefaultTextColors[g])));
        a.face[g] = static_cast<uint32_t>(read(kFaceKeys[g], int(DefaultFaceColors[g])));
    }
    a.textSystem = read("ColorTextSystem", 0) != 0;
    a.faceSystem = read("ColorSystem", 0) != 0;
    const int style = read("Style", StyleTarvik);
    a.style = (style == Style2000 || style == StyleXP || style == StyleVista) ? style : StyleTarvik;
    a.font.height = ClampFontHeight(read("FontSize", a.font.height), dpiY);
    a.font.weight = read("FontWeight", a.font.weight);
    a.font.italic = read("FontItalic", 0) != 0;
    a.font.face = ReadProfileString(settings, QStringLiteral("FontFace"), a.font.face);
    settings.endGroup();
    return a;
}

void WriteAppearance(QSettings& settings, const Appearance& a) {
    settings.beginGroup(SettingsGroup);
    WriteProfileInt(settings, QStringLiteral("FontSize"), a.font.height);
    WriteProfileInt(settings, QStringLiteral("FontWeight"), a.font.weight);
    WriteProfileInt(settings, QStringLiteral("FontItalic"), a.font.italic ? 1 : 0);
    WriteProfileString(settings, QStringLiteral("FontFace"), a.font.face);
    for (int g = 0; g < GroupCount; ++g) {
        WriteProfileInt(settings, QLatin1String(kTextKeys[g]), static_cast<int>(a.text[g]));
        WriteProfileInt(settings, QLatin1String(kFaceKeys[g]), static_cast<int>(a.face[g]));
    }
    WriteProfileInt(settings, QStringLiteral("ColorTextSystem"), a.textSystem ? 1 : 0);
    WriteProfileInt(settings, QStringLiteral("ColorSystem"), a.faceSystem ? 1 : 0);
    WriteProfileInt(settings, QStringLiteral("Style"), a.style);
    settings.endGroup();
}

}  // namespace Keypad
