// The keypad's appearance as kept in "GUI/Keypad": colours of the three
// groups, system-colour flags, style and font.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "panels/KeypadLayout.h"
#include "panels/KeypadTable.h"

class QSettings;

namespace Keypad {

// A font as the settings describe it: height in pixels (negative: character
// height, positive: cell height, 0: default size), weight 0..1000.
struct LogicalFont {
    int height = 0;
    int weight = 0;
    bool italic = false;
    QString face;

    bool operator==(const LogicalFont&) const = default;
};

// Arial, 11 points at the given vertical resolution, weight 800, upright.
LogicalFont DefaultFont(int dpiY);
// The settings' description of a Qt font.
LogicalFont LogicalFontOf(const QFont& font, int dpiY);
// The Qt font of a description, antialiased; nothing when the description
// cannot make a font (no face or a face longer than 31 characters, a weight
// outside 0..1000, a height beyond 2048 pixels).
std::optional<QFont> CreateKeypadFont(const LogicalFont& font, int dpiY);

// COLORREF values, 0x00BBGGRR, indexed by Group.
using GroupColors = std::array<uint32_t, GroupCount>;
inline constexpr GroupColors DefaultTextColors{0x00400080, 0x00804000, 0x00404040};
inline constexpr GroupColors DefaultFaceColors{0x00C080FF, 0x00FFD090, 0x00C0C0C0};

struct Appearance {
    GroupColors text = DefaultTextColors;
    GroupColors face = DefaultFaceColors;
    bool textSystem = false;
    bool faceSystem = false;
    int style = StyleTarvik;
    LogicalFont font;
};

inline const QString SettingsGroup = QStringLiteral("GUI/Keypad");

// The sizes the font chooser offers. A stored height outside them (in
// pixels at the given resolution, either sign) is brought to the nearer end;
// 0, the default size, stays.
inline constexpr int kSmallestFontPoints = 6;
inline constexpr int kLargestFontPoints = 72;
int ClampFontHeight(int height, int dpiY);

// The font's height (already clamped), or the largest smaller one, not below
// the default size and keeping the sign, whose keypad, laid out with the
// notation and gaps, fits within `available`: a keypad wider than every
// screen leaves the frame no way onto one. A font that cannot be made is left
// as it is.
int FitFontHeight(const LogicalFont& font, int dpiY, int notation, const Gaps& gaps,
                  const QSize& available);
// The largest width and the largest height among the screens' work areas;
// empty without screens.
QSize LargestWorkArea();

// Reads "GUI/Keypad"; missing or unreadable values take their defaults, a
// style outside 0..3 reads as Tarvik and the font height is clamped.
Appearance ReadAppearance(QSettings& settings, int dpiY);
// Writes all thirteen values to "GUI/Keypad".
void WriteAppearance(QSettings& settings, const Appearance& appearance);

}  // namespace Keypad
