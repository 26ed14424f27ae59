#include "document/PrintLayout.h"

#include <QStringList>
#include <algorithm>
#include <cstdint>

#include "document/PrintSettings.h"

DrawingArea PrintableArea(const DeviceMetrics& device, const PageMargins& margins) {
    const auto edge = [](int margin, int dpi, int unprintable) {
        return std::max(0, MulDiv(margin, dpi, 254000) - unprintable);
    };
    const int left = edge(margins.left, device.dpiX, device.offsetX);
    const int top = edge(margins.top, device.dpiY, device.offsetY);
    const int right = edge(margins.right, device.dpiX,
                           device.physicalWidth - device.printableWidth - device.offsetX);
    const int bottom = edge(margins.bottom, device.dpiY,
                            device.physicalHeight - device.offsetY - device.printableHeight);
    DrawingArea area;
    area.exists = left + right < device.printableWidth && top + bottom < device.printableHeight;
    area.left = left;
    area.top = top;
    area.right = device.printableWidth - right;
    area.bottom = device.printableHeight - bottom;
    return area;
}

QString PrintFileName(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(slash + 1);
}

QStringList FileLineCandidates(const QString& path) {
    const QString name = PrintFileName(path);
    if (path.isEmpty())
        return {QStringLiteral(" Calculator unnamed file"), QString(), QStringLiteral(" ")};
    const QString full = path.endsWith(u'm') ? QStringLiteral(" Calculator memory file ")
                                             : QStringLiteral(" Calculator file ");
    return {full + name, QStringLiteral(" File ") + name, QStringLiteral(" ") + name};
}

FileLine ChooseFileLine(const QString& path, int width, int pictureWidth,
                        const TextWidth& widthOf) {
    for (const QString& candidate : FileLineCandidates(path))
        if (widthOf(candidate) + pictureWidth <= width) return {true, true, candidate};
    const QString name = PrintFileName(path);
    if (widthOf(name) <= width) return {true, false, name};
    return {};
}

QString PrintTimeText(const std::tm& time) {
    return QStringLiteral("%1:%2")
        .arg(time.tm_hour, 2, 10, QLatin1Char('0'))
        .arg(time.tm_min, 2, 10, QLatin1Char('0'));
}

QString PrintDateText(const std::tm& time) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int month = std::clamp(time.tm_mon, 0, 11);
    return QStringLiteral("%1 %2 %3")
        .arg(time.tm_mday)
        .arg(QLatin1String(kMonths[month]))
        .arg(time.tm_year + 1900, 4, 10, QLatin1Char('0'));
}

QString ChooseDateTimeText(int items, const std::tm& time, int width, const TextWidth& widthOf) {
    QString text;
    if (items & PrintItems::Time) text = PrintTimeText(time);
    if (items & PrintItems::Date) {
        if (!text.isEmpty()) text += u' ';
        text += PrintDateText(time);
    }
    if (widthOf(text) <= width) return text;
    if ((items & PrintItems::Time) && (items & PrintItems::Date)) {
        QString date = PrintDateText(time);
        if (widthOf(date) <= width) return date;
    }
    return QString();
}

QString PageNumberText(int items, unsigned page, unsigned pages) {
    switch (PrintItems::PrintedFormat(items)) {
        case PrintItems::FormatDashed:
            return QStringLiteral("- %1 -").arg(page);
        case PrintItems::FormatNOfN:
            return QStringLiteral("%1 of %2").arg(page).arg(pages);
        default:
            return QString::number(page);
    }
}

PageNumber PlacePageNumber(int items, unsigned page, unsigned pages, const DrawingArea& area,
                           int space, const TextWidth& widthOf) {
    PageNumber number{true, PageNumberText(items, page, pages), 0};
    int width = widthOf(number.text);
    // Beside the file line or the date the number keeps a blank between
    // them, so "10 Dec 2026" and "1" never read as "10 Dec 20261".
    const int gap = space < area.Width() ? widthOf(u" ") : 0;
    if (width + gap > space && PrintItems::PrintedFormat(items) != PrintItems::FormatN) {
        number.text = QString::number(page);
        width = widthOf(number.text);
        if (width + gap > space) return {};
    }
    const int position = PrintItems::PrintedPosition(items);
    const int w = area.Width();
    const bool centred =
        position == PrintItems::HeaderCenter || position == PrintItems::FooterCenter;
    if (centred && (w + width + 1) / 2 + widthOf(u"8") <= space)
        number.x = area.left + (w - width + 1) / 2;
    else
        number.x = area.right - width;
    return number;
}

namespace {

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

int NextTabStop(int x, int tabWidth) { return tabWidth > 0 ? (x / tabWidth + 1) * tabWidth : x; }

// How many units of a tab-free run fit in room, never splitting a surrogate pair.
qsizetype FitRun(QStringView run, int room, const TextWidth& widthOf) {
    if (widthOf(run) <= room) return run.size();
    // Grow a bound that no longer fits, then halve between the two.
    qsizetype fits = 0, fails = 1;
    while (fails < run.size() && widthOf(run.left(fails)) <= room) {
        fits = fails;
        fails *= 2;
    }
    fails = std::min(fails, run.size());
    while (fails - fits > 1) {
        const qsizetype middle = fits + (fails - fits) / 2;
        if (widthOf(run.left(middle)) <= room)
            fits = middle;
        else
            fails = middle;
    }
    if (fits > 0 && fits < run.size() && run[fits].isLowSurrogate()) --fits;
    return fits;
}

// How many units of a line fit in the width, tabs expanded.
qsizetype FitLine(QStringView line, int width, int tabWidth, const TextWidth& widthOf) {
    int x = 0;
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i] == u'\t') {
            const int next = NextTabStop(x, tabWidth);
            if (next > width) return i;
            x = next;
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < line.size() && line[j] != u'\t') ++j;
        const QStringView run = line.mid(i, j - i);
        const qsizetype fits = FitRun(run, width - x, widthOf);
        if (fits < run.size()) return i + fits;
        x += widthOf(run);
        i = j;
    }
    return line.size();
}

}  // namespace

std::vector<LineSegment> LineSegments(QStringView line, int tabWidth, const TextWidth& widthOf) {
    std::vector<LineSegment> segments;
    int x = 0;
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i] == u'\t') {
            x = NextTabStop(x, tabWidth);
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < line.size() && line[j] != u'\t') ++j;
        segments.push_back({i, j - i, x});
        x += widthOf(line.mid(i, j - i));
        i = j;
    }
    return segments;
}

BodyRun LayoutBody(const QString& text, qsizetype start, qsizetype end, const BodyGeometry& body,
                   const TextWidth& widthOf) {
    BodyRun run;
    end = std::min(end, text.size());
    qsizetype pos = std::max<qsizetype>(0, start);
    int y = 0;
    while (pos < end) {
        if (!run.lines.empty() && y + body.lineHeight > body.height) break;
        // The logical line and what ends it.
        qsizetype lineEnd = pos;
        while (lineEnd < end && text[lineEnd] != u'\n' &&
               !(text[lineEnd] == u'\r' && lineEnd + 1 < end && text[lineEnd + 1] == u'\n'))
            ++lineEnd;
        const qsizetype breakLength = lineEnd >= end ? 0 : (text[lineEnd] == u'\r' ? 2 : 1);
        const QStringView line = QStringView(text).mid(pos, lineEnd - pos);
        const qsizetype fits = FitLine(line, body.width, body.tabWidth, widthOf);
        if (fits >= line.size()) {
            run.lines.push_back({pos, line.size(), y});
            pos = lineEnd + breakLength;
        } else {
            qsizetype cut = fits;
            for (qsizetype i = fits; i > 0; --i) {
                if (IsBlank(line[i])) {
                    cut = i;
                    break;
                }
            }
            // Not even one character fits: it goes alone on its line.
            if (cut == 0) cut = line[0].isHighSurrogate() && line.size() > 1 ? 2 : 1;
            run.lines.push_back({pos, cut, y});
            pos += cut;
            // The continuation starts after the blanks; blanks that ran over
            // the edge end their line with them.
            while (pos < end && IsBlank(text[pos])) ++pos;
            if (pos == lineEnd) pos = lineEnd + breakLength;
        }
        y += body.lineHeight;
    }
    run.next = std::min(pos, end);
    return run;
}

unsigned CountPages(const QString& text, qsizetype start, qsizetype end, const BodyGeometry& body,
                    const TextWidth& widthOf) {
    end = std::min(end, text.size());
    unsigned pages = 0;
    qsizetype pos = start;
    do {
        const BodyRun run = LayoutBody(text, pos, end, body, widthOf);
        ++pages;
        if (run.next <= pos) break;  // cannot happen: a run places a line
        pos = run.next;
    } while (pos < end);
    return std::max(1u, pages);
}
