// Where the main window and its bars go. First plain functions over plain
// rectangles: the default rectangle, the pull-back of a stored rectangle into
// a work area and the limits of stored sizes. Then the loading and saving of
// "GUI/Frame" and "GUI/BarState" that apply them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

class QMainWindow;
class QSettings;
class QWidget;

// Edges as the window manager of the stored values counts them: right and
// bottom are one past the last pixel. The edges are any stored 32-bit
// values, so their differences are taken in 64 bits.
struct FrameRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int64_t Width() const { return int64_t(right) - left; }
    int64_t Height() const { return int64_t(bottom) - top; }
    bool operator==(const FrameRect&) const = default;
};

// A width and a height.
struct FrameExtent {
    int cx = 0;
    int cy = 0;
    bool operator==(const FrameExtent&) const = default;
};

inline constexpr int kDefaultFrameWidth = 930;
inline constexpr int kDefaultFrameHeight = 550;

// (0, 25, 930, 575) without a primary work area, else 930 x 550 centred in
// it and clipped to it.
FrameRect DefaultFrameRect(const std::optional<FrameRect>& primaryWork);

// The work area of the monitor nearest to the rectangle: the one sharing the
// largest area with it, or the closest one when it touches none.
FrameRect NearestWorkArea(const FrameRect& rect, const std::vector<FrameRect>& workAreas);

// Along an axis where the rectangle is larger than the work area, the work
// area's own span: a window never exceeds its screen.
FrameRect FitIntoWorkArea(FrameRect rect, const FrameRect& work);

// Moves a rectangle that lies wholly outside the work area along an axis
// back to its edge, keeping the size where it fits; a rectangle that overlaps
// stays as it is.
FrameRect PullBackIntoWorkArea(FrameRect rect, const FrameRect& work, int smallCaptionHeight);

// The largest width and the largest height among the work areas; nothing
// without any.
std::optional<FrameExtent> LargestWorkExtent(const std::vector<FrameRect>& workAreas);

// A stored bar size: each dimension at least the bar's minimum and, when
// there is a limit, at most the limit (the minimum wins over the limit).
FrameExtent ClampBarSize(int64_t cx, int64_t cy, const FrameExtent& minimum,
                         const std::optional<FrameExtent>& limit);

// ---- The screens and the settings ----

// Work areas of the screens, as frame rectangles.
std::vector<FrameRect> ScreenWorkAreas();
std::optional<FrameRect> PrimaryWorkArea();

// "GUI/Frame" as the frame is to be placed: "Maximized" (default 1) and the
// normal rectangle, each edge defaulting to the default rectangle, fitted
// into and pulled back into the nearest work area.
struct FramePlacement {
    bool maximized = true;
    FrameRect rect;
};
FramePlacement ReadFramePlacement(QSettings& settings, const QWidget& frame);
// Gives the frame the rectangle when it is one a window can take (a positive
// size, within the largest widget size); otherwise the frame stays as it is.
void ApplyFramePlacement(QWidget& frame, const FrameRect& rect);
// Writes "Maximized" and the normal rectangle as "Left", "Right", "Top",
// "Bottom".
void WriteFramePlacement(QSettings& settings, const QWidget& frame);

// The sizes of the frame's bars from "GUI/BarState-Bar<id>", then the dock
// layout of "GUI/BarState"; true when a layout was stored and restored.
bool ReadBarState(QSettings& settings, QMainWindow& frame);
void WriteBarState(QSettings& settings, const QMainWindow& frame);
