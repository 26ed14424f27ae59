// The toolkit's compiled-in resources: artwork (named by resource id) and
// the three embedded font faces.
#pragma once

#include <QIcon>
#include <QString>

// Registers the toolkit's resource files; safe to call repeatedly.
void TaInitResources();

// ":/images/<id>.svg" when present, else ":/images/<id>.png"; empty when neither exists.
QString TaArtworkPath(int id);
// ":/fonts/<id>.ttf"
QString TaFontPath(int id);

// Resource ids of the artwork.
namespace TaArt {
inline constexpr int ProgramIcon = 128;
inline constexpr int AboutLogo = 139;
inline constexpr int Shadow = 140;
inline constexpr int CaptionIcon = 141;
inline constexpr int Informs = 145;
inline constexpr int Asks = 146;
inline constexpr int Warns = 147;
inline constexpr int Stops = 148;
inline constexpr int MemoryFree = 150;
inline constexpr int MemorySave = 151;
inline constexpr int MemoryStatistics = 152;
inline constexpr int MemoryInvert = 153;
inline constexpr int MemoryClear = 154;
inline constexpr int ToolbarBitmap = 128;
inline constexpr int ToolbarImageCount = 17;
}  // namespace TaArt

// The program icon (128) at the usual icon sizes, for windows and both file types.
QIcon TaProgramIcon();
// Image `index` (0..16) of toolbar bitmap 128, in toolbar order.
QIcon TaToolbarIcon(int index);
// Starts drawing every toolbar image at `side` pixels on a worker thread,
// once per run; the toolbar icons take the drawings from there instead of
// drawing them while the window is first painted.
void TaPrefetchToolbarImages(int side);
// ":/images/toolbar/NN.svg" for a toolbar image index.
QString TaToolbarImagePath(int index);
