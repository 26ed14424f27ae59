#include "shell/Placement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <limits>

#include "shell/CCalcBar.h"
#include "shell/core/SettingsStore.h"

FrameRect DefaultFrameRect(const std::optional<FrameRect>& primaryWork) {
    if (!primaryWork) return {0, 25, kDefaultFrameWidth, 25 + kDefaultFrameHeight};
    const FrameRect& work = *primaryWork;
    // Every result lies between the work area's edges, so it fits an int.
    const int64_t left =
        std::max<int64_t>(work.left + (work.Width() - kDefaultFrameWidth) / 2, work.left);
    const int64_t top =
        std::max<int64_t>(work.top + (work.Height() - kDefaultFrameHeight) / 2, work.top);
    FrameRect rect;
    rect.left = static_cast<int>(left);
    rect.right = static_cast<int>(std::min<int64_t>(left + kDefaultFrameWidth, work.right));
    rect.top = static_cast<int>(top);
    rect.bottom = static_cast<int>(std::min<int64_t>(top + kDefaultFrameHeight, work.bottom));
    return rect;
}

namespace {

int64_t OverlapArea(const FrameRect& a, const FrameRect& b) {
    const int64_t w = std::min<int64_t>(a.right, b.right) - std::max<int64_t>(a.left, b.left);
    const int64_t h = std::min<int64_t>(a.bottom, b.bottom) - std::max<int64_t>(a.top, b.top);
    // Two spans below 2^32 each: the product fits.
    return (w > 0 && h > 0) ? w * h : 0;
}

// Squared distance between two rectangles (0 when they touch or overlap), in
// doubles: the squares of 32-bit gaps overflow 64 bits.
double Distance2(const FrameRect& a, const FrameRect& b) {
    const auto gap = [](int64_t lowEnd, int64_t highStart, int64_t highEnd, int64_t lowStart) {
        return double(std::max<int64_t>({0, highStart - lowEnd, lowStart - highEnd}));
    };
    const double dx = gap(a.right, b.left, b.right, a.left);
    const double dy = gap(a.bottom, b.top, b.bottom, a.top);
    return dx * dx + dy * dy;
}

FrameRect ToFrameRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

int ClampLength(int64_t length, int minimum, std::optional<int> limit) {
    if (limit) length = std::min<int64_t>(length, *limit);
    return static_cast<int>(std::max<int64_t>(length, minimum));
}

// The layout of the bars inside "GUI/BarState".
const QString kLayoutKey = QStringLiteral("Layout");

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
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const FrameRect& work : workAreas) {
        const double distance = Distance2(rect, work);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &work;
        }
    }
    return *best;
}

FrameRect FitIntoWorkArea(FrameRect rect, const FrameRect& work) {
    if (rect.Width() > work.Width()) {
        rect.left = work.left;
        rect.right = work.right;
    }
    if (rect.Height() > work.Height()) {
        rect.top = work.top;
        rect.bottom = work.bottom;
    }
    return rect;
}

FrameRect PullBackIntoWorkArea(FrameRect rect, const FrameRect& work, int smallCaptionHeight) {
    // The moved edges end between the work area's edges, so they fit an int;
    // an inverted rectangle moves as an empty one.
    const int64_t width = std::max<int64_t>(rect.Width(), 0);
    const int64_t height = std::max<int64_t>(rect.Height(), 0);
    if (work.right <= rect.left) {
        rect.right = work.right;
        rect.left = static_cast<int>(std::max<int64_t>(rect.right - width, work.left));
    } else if (rect.right <= work.left) {
        rect.left = work.left;
        rect.right = static_cast<int>(std::min<int64_t>(rect.left + width, work.right));
    }
    if (work.bottom <= rect.top) {
        rect.bottom = work.bottom;
        rect.top = static_cast<int>(std::max<int64_t>(rect.bottom - height, work.top));
    } else if (int64_t(rect.top) + smallCaptionHeight <= work.top) {
        rect.top = work.top;
        rect.bottom = static_cast<int>(std::min<int64_t>(rect.top + height, work.bottom));
    }
    return rect;
}

std::optional<FrameExtent> LargestWorkExtent(const std::vector<FrameRect>& workAreas) {
    if (workAreas.empty()) return std::nullopt;
    FrameExtent largest;
    for (const FrameRect& work : workAreas) {
        largest.cx = static_cast<int>(std::max<int64_t>(largest.cx, work.Width()));
        largest.cy = static_cast<int>(std::max<int64_t>(largest.cy, work.Height()));
    }
    return largest;
}

FrameExtent ClampBarSize(int64_t cx, int64_t cy, const FrameExtent& minimum,
                         const std::optional<FrameExtent>& limit) {
    return {ClampLength(cx, minimum.cx, limit ? std::optional<int>(limit->cx) : std::nullopt),
            ClampLength(cy, minimum.cy, limit ? std::optional<int>(limit->cy) : std::nullopt)};
}

// ---- The screens and the settings ----

std::vector<FrameRect> ScreenWorkAreas() {
    std::vector<FrameRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(ToFrameRect(screen->availableGeometry()));
    return areas;
}

std::optional<FrameRect> PrimaryWorkArea() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return ToFrameRect(screen->availableGeometry());
    return std::nullopt;
}

FramePlacement ReadFramePlacement(QSettings& settings, const QWidget& frame) {
    FramePlacement placement;
    settings.beginGroup(SettingsSection::Frame);
    placement.maximized = ReadProfileInt(settings, QStringLiteral("Maximized"), 1) != 0;
    const FrameRect fallback = DefaultFrameRect(PrimaryWorkArea());
    FrameRect& rect = placement.rect;
    rect.left = ReadProfileInt(settings, QStringLiteral("Left"), fallback.left);
    rect.top = ReadProfileInt(settings, QStringLiteral("Top"), fallback.top);
    rect.right = ReadProfileInt(settings, QStringLiteral("Right"), fallback.right);
    rect.bottom = ReadProfileInt(settings, QStringLiteral("Bottom"), fallback.bottom);
    settings.endGroup();

    const std::vector<FrameRect> areas = ScreenWorkAreas();
    if (!areas.empty()) {
        const int captionHeight =
            frame.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &frame);
        const FrameRect work = NearestWorkArea(rect, areas);
        rect = PullBackIntoWorkArea(FitIntoWorkArea(rect, work), work, captionHeight);
    }
    return placement;
}

void ApplyFramePlacement(QWidget& frame, const FrameRect& rect) {
    if (rect.Width() <= 0 || rect.Height() <= 0 || rect.Width() > QWIDGETSIZE_MAX ||
        rect.Height() > QWIDGETSIZE_MAX)
        return;
    frame.setGeometry(QRect(rect.left, rect.top, static_cast<int>(rect.Width()),
                            static_cast<int>(rect.Height())));
}

void WriteFramePlacement(QSettings& settings, const QWidget& frame) {
    const QRect normal = (frame.isMaximized() || frame.isMinimized() || frame.isFullScreen()) &&
                                 frame.normalGeometry().isValid()
                             ? frame.normalGeometry()
                             : frame.geometry();
    const FrameRect rect = ToFrameRect(normal);
    settings.beginGroup(SettingsSection::Frame);
    WriteProfileInt(settings, QStringLiteral("Maximized"), frame.isMaximized() ? 1 : 0);
    WriteProfileInt(settings, QStringLiteral("Left"), rect.left);
    WriteProfileInt(settings, QStringLiteral("Right"), rect.right);
    WriteProfileInt(settings, QStringLiteral("Top"), rect.top);
    WriteProfileInt(settings, QStringLiteral("Bottom"), rect.bottom);
    settings.endGroup();
}

bool ReadBarState(QSettings& settings, QMainWindow& frame) {
    for (CCalcBar* bar : CCalcBar::AllBars())
        if (bar->parentWidget() == &frame) bar->LoadState(settings, SettingsSection::BarState);
    settings.beginGroup(SettingsSection::BarState);
    const QByteArray layout = settings.value(kLayoutKey).toByteArray();
    settings.endGroup();
    return !layout.isEmpty() && frame.restoreState(layout);
}

void WriteBarState(QSettings& settings, const QMainWindow& frame) {
    for (CCalcBar* bar : CCalcBar::AllBars())
        if (bar->parentWidget() == &frame) bar->SaveState(settings, SettingsSection::BarState);
    settings.beginGroup(SettingsSection::BarState);
    settings.setValue(kLayoutKey, frame.saveState());
    settings.endGroup();
}
