// Where the main window goes: the default rectangle and the pull-back of a
// stored rectangle into a work area. Plain functions over plain rectangles.
#pragma once

#include <optional>
#include <vector>

// Edges as the window manager of the stored values counts them: right and
// bottom are one past the last pixel.
struct FrameRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const FrameRect&) const = default;
};

inline constexpr int kDefaultFrameWidth = 930;
inline constexpr int kDefaultFrameHeight = 550;

// (0, 25, 930, 575) without a primary work area, else 930 x 550 centred in
// it and clipped to it.
FrameRect DefaultFrameRect(const std::optional<FrameRect>& primaryWork);

// The work area of the monitor nearest to the rectangle: the one sharing the
// largest area with it, or the closest one when it touches none.
FrameRect NearestWorkArea(const FrameRect& rect, const std::vector<FrameRect>& workAreas);

// Moves a rectangle that lies wholly outside the work area along an axis
// back to its edge, keeping the size where it fits; a rectangle that overlaps
// stays as it is.
FrameRect PullBackIntoWorkArea(FrameRect rect, const FrameRect& work, int smallCaptionHeight);
