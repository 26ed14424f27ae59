// The page layout of printing as plain functions over numbers: the drawing
// area from the margins and the device's edges, the header's file line, the
// footer's date and time, the page number's text and place, and the body's
// lines. Widths come from a callback so that any font (or a test's made-up
// one) measures them; nothing here draws.
#pragma once

#include <QString>
#include <QStringView>
#include <ctime>
#include <functional>
#include <vector>

#include "shell/core/DialogUnits.h"

// Width of a text without tabs or line breaks, in device units.
using TextWidth = std::function<int(QStringView text)>;

// What the device tells about its page, in device units.
struct DeviceMetrics {
    int physicalWidth = 0;  // the whole paper
    int physicalHeight = 0;
    int printableWidth = 0;  // the part the device can print on
    int printableHeight = 0;
    int offsetX = 0;  // where the printable part begins on the paper
    int offsetY = 0;
    int dpiX = 0;
    int dpiY = 0;
};

// Margins from the paper's edges, in 1/10000 mm.
struct PageMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The drawing area, in the coordinates of the printable part (its top-left
// corner is 0, 0); right and bottom are one past the last unit.
struct DrawingArea {
    bool exists = false;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const DrawingArea&) const = default;
};

// Each margin in device units less the unprintable edge on its side, never
// negative; the area exists while the margins leave some width and height.
DrawingArea PrintableArea(const DeviceMetrics& device, const PageMargins& margins);

// The path after its last folder separator.
QString PrintFileName(const QString& path);

// The header's file line: the text to draw and whether the picture goes in
// front of it; nothing at all when even the bare name does not fit.
struct FileLine {
    bool drawn = false;
    bool picture = false;
    QString text;
    bool operator==(const FileLine&) const = default;
};
// Candidates in order, each with the picture: the full line, " File NAME"
// (empty for an unnamed document), " NAME"; then NAME alone without it.
QStringList FileLineCandidates(const QString& path);
FileLine ChooseFileLine(const QString& path, int width, int pictureWidth, const TextWidth& widthOf);

// "%H:%M", "%#d %b %Y" (English month abbreviations whatever the locale).
QString PrintTimeText(const std::tm& time);
QString PrintDateText(const std::tm& time);
// The footer's text for the Time and Date bits of items: both, then the
// date alone when both do not fit; empty when nothing fits or is asked for.
QString ChooseDateTimeText(int items, const std::tm& time, int width, const TextWidth& widthOf);

// "%u", "- %u -" or "%u of %u" as the number format of items prints.
QString PageNumberText(int items, unsigned page, unsigned pages);

// The page number's text and its left edge; drawn false when it has no room.
struct PageNumber {
    bool drawn = false;
    QString text;
    int x = 0;
    bool operator==(const PageNumber&) const = default;
};
// space: the width left beside the header's file line or the footer's date
// (positions 0 and 1 use the header's, the others the footer's).
PageNumber PlacePageNumber(int items, unsigned page, unsigned pages, const DrawingArea& area,
                           int space, const TextWidth& widthOf);

// One laid-out line of the body: code units [start, start + length) of the
// text, its top edge inside the body area.
struct BodyLine {
    qsizetype start = 0;
    qsizetype length = 0;
    int y = 0;
    bool operator==(const BodyLine&) const = default;
};
struct BodyRun {
    std::vector<BodyLine> lines;
    qsizetype next = 0;  // the first code unit not laid out
};
struct BodyGeometry {
    int width = 0;
    int height = 0;
    int lineHeight = 0;
    int tabWidth = 0;  // tab stops stand at its multiples
};

// A laid-out line cut at its tabs: each piece of text and its left edge.
struct LineSegment {
    qsizetype start = 0;  // in the line
    qsizetype length = 0;
    int x = 0;
    bool operator==(const LineSegment&) const = default;
};
std::vector<LineSegment> LineSegments(QStringView line, int tabWidth, const TextWidth& widthOf);

// One page of the body: text[start, end) laid out from the top of the area.
// CR LF (or a lone LF) ends a line; a line too wide breaks after the last
// white space before the overflow, or at the overflow, and the continuation
// skips its leading white space. A single character wider than the area is
// placed alone on its line (and clipped). The first line is always placed.
BodyRun LayoutBody(const QString& text, qsizetype start, qsizetype end, const BodyGeometry& body,
                   const TextWidth& widthOf);

// The number of runs that lay text[start, end) out, at least 1.
unsigned CountPages(const QString& text, qsizetype start, qsizetype end, const BodyGeometry& body,
                    const TextWidth& widthOf);
