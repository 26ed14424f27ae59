#include "shell/Placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

FrameRect DefaultFrameRect(const std::optional<FrameRect>& primaryWork) {
    if (!primaryWork) return {0, 25, kDefaultFrameWidth, 25 + kDefaultFrameHeight};
    const FrameRect& work = *primaryWork;
    FrameRect rect;
    rect.left = std::max(work.left + (work.Width() - kDefaultFrameWidth) / 2, work.left);
    rect.right = std::min(rect.left + kDefaultFrameWidth, work.right);
    rect.top = std::max(work.top + (work.Height() - kDefaultFrameHeight) / 2, work.top);
    rect.bottom = std::min(rect.top + kDefaultFrameHeight, work.bottom);
    return rect;
}

namespace {

int64_t OverlapArea(const FrameRect& a, const FrameRect& b) {
    const int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return (w > 0 && h > 0) ? w * h : 0;
}

// Squared distance between two rectangles (0 when they touch or overlap).
int64_t Distance2(const FrameRect& a, const FrameRect& b) {
    const int64_t dx = std::max<int64_t>({0, int64_t(b.left) - a.right, int64_t(a.left) - b.right});
    const int64_t dy = std::max<int64_t>({0, int64_t(b.top) - a.bottom, int64_t(a.top) - b.bottom});
    return dx * dx + dy * dy;
}

}  // namespace

FrameRect NearestWorkArea(const FrameRect& rect, const std::vector<FrameRect>& workAreas) {
    if (workAreas.empty()) return rect;
    const FrameRect* best = &workAreas.front();
    int64_t bestArea = -1;
    for (const FrameRect& work : workAreas) {
        const int64_t area = OverlapArea(rect, work);
        if (area > bestArea) {
            bestArea = area;
            best = &work;
        }
    }
    if (bestArea > 0) return *best;
    int64_t bestDistance = std::numeric_limits<int64_t>::max();
    for (const FrameRect& work : workAreas) {
        const int64_t distance = Distance2(rect, work);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &work;
        }
    }
    return *best;
}

FrameRect PullBackIntoWorkArea(FrameRect rect, const FrameRect& work, int smallCaptionHeight) {
    const int width = rect.Width();
    const int height = rect.Height();
    if (work.right <= rect.left) {
        rect.right = work.right;
        rect.left = std::max(rect.right - width, work.left);
    } else if (rect.right <= work.left) {
        rect.left = work.left;
        rect.right = std::min(rect.left + width, work.right);
    }
    if (work.bottom <= rect.top) {
        rect.bottom = work.bottom;
        rect.top = std::max(rect.bottom - height, work.top);
    } else if (rect.top + smallCaptionHeight <= work.top) {
        rect.top = work.top;
        rect.bottom = std::min(rect.top + height, work.bottom);
    }
    return rect;
}
