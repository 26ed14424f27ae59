#include "document/PagePrinter.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QSvgRenderer>
#include <algorithm>

#include "document/EditorFont.h"
#include "toolkit/TaResources.h"

namespace {

constexpr int kFilePictureId = 131;
constexpr int kFilePictureSide = 200;

PagePrinter::Clock& CurrentClock() {
    static PagePrinter::Clock clock;
    return clock;
}

std::tm LocalNow() {
    if (CurrentClock()) return CurrentClock()();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

bool MakePrintFont(const PrintFont& font, int dpi, QFont& made) {
    if (font.size <= 0) return false;
    return MakeEditorFont({font.size, font.weight, font.italic, font.face}, dpi, made);
}

}  // namespace

DeviceMetrics MetricsOf(const QPrinter& printer) {
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    DeviceMetrics metrics;
    metrics.physicalWidth = paper.width();
    metrics.physicalHeight = paper.height();
    metrics.printableWidth = page.width();
    metrics.printableHeight = page.height();
    metrics.offsetX = page.left() - paper.left();
    metrics.offsetY = page.top() - paper.top();
    metrics.dpiX = printer.logicalDpiX();
    metrics.dpiY = printer.logicalDpiY();
    return metrics;
}

PagePrinter::Clock PagePrinter::SetClock(Clock clock) {
    std::swap(CurrentClock(), clock);
    return clock;
}

QImage PagePrinter::FilePicture() {
    static const QImage picture = [] {
        QImage drawn(kFilePictureSide, kFilePictureSide, QImage::Format_ARGB32);
        drawn.fill(Qt::white);
        QSvgRenderer renderer(TaArtworkPath(kFilePictureId));
        QPainter painter(&drawn);
        renderer.render(&painter, QRectF(0, 0, kFilePictureSide, kFilePictureSide));
        painter.end();
        // Monochrome: black ink, and white lets the paper through as the
        // picture is laid over it.
        QImage mono(drawn.size(), QImage::Format_ARGB32);
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                mono.setPixel(
                    x, y,
                    qGray(drawn.pixel(x, y)) < 128 ? qRgba(0, 0, 0, 255) : qRgba(255, 255, 255, 0));
        return mono;
    }();
    return picture;
}

void PagePrinter::Begin(QPaintDevice& device, const DeviceMetrics& metrics,
                        const PrintSettings& settings, const EditorFontValues& editorFont,
                        const PrintSource& source) {
    End();
    begun_ = true;
    device_ = &device;
    metrics_ = metrics;
    settings_ = settings;
    source_ = source;
    const int dpi = metrics.dpiY > 0 ? metrics.dpiY : 96;
    // The body font of the settings, else the editor's, at the printer's resolution.
    if (!MakePrintFont(settings.textFont, dpi, textFont_) &&
        !MakeEditorFont(editorFont, dpi, textFont_))
        MakeEditorFont(EditorFontValues{}, dpi, textFont_);
    serviceFontMade_ = MakePrintFont(settings.serviceFont, dpi, serviceFont_);
    if (!serviceFontMade_) serviceFont_ = textFont_;

    if (source_.selection) {
        source_.selectionStart =
            std::clamp<qsizetype>(source_.selectionStart, 0, source_.text.size());
        source_.selectionEnd = std::clamp<qsizetype>(source_.selectionEnd, source_.selectionStart,
                                                     source_.text.size());
    }
    const qsizetype start = source_.selection ? source_.selectionStart : 0;
    end_ = source_.selection ? source_.selectionEnd : source_.text.size();
    pageStarts_.assign(1, start);
    area_ = PrintableArea(metrics, {settings.marginLeft, settings.marginTop, settings.marginRight,
                                    settings.marginBottom});

    counted_ = 0;
    const int items = settings.items;
    if ((items & PrintItems::Number) &&
        PrintItems::PrintedFormat(items) == PrintItems::FormatNOfN && area_.exists) {
        // The height of a line of "Cg" in the header/footer font.
        const int lineHeight = QFontMetrics(serviceFont_, device_).height();
        DrawingArea body = area_;
        if (PrintItems::HasHeaderLine(items)) body.top += 2 * lineHeight;
        if (PrintItems::HasFooterLine(items)) body.bottom -= 2 * lineHeight;
        counted_ = CountPages(source_.text, start, end_, BodyOf(body),
                              [this](QStringView text) { return TextWidthIn(textFont_, text); });
    }
}

int PagePrinter::TextWidthIn(const QFont& font, QStringView text) const {
    return QFontMetrics(font, device_).horizontalAdvance(text.toString());
}

BodyGeometry PagePrinter::BodyOf(const DrawingArea& body) const {
    const QFontMetrics metrics(textFont_, device_);
    // Eight average characters, as the editor's tab stops.
    return {body.Width(), body.Height(), metrics.lineSpacing(), 8 * metrics.averageCharWidth()};
}

PagePrinter::Frame PagePrinter::FrameOf(unsigned page, unsigned pages, const std::tm& now) const {
    Frame frame;
    const int items = settings_.items;
    const int w = area_.Width();
    const QFontMetrics metrics(serviceFont_, device_);
    const auto width = [this](QStringView text) { return TextWidthIn(serviceFont_, text); };
    int headerSpace = w;
    int footerSpace = w;
    if (items & PrintItems::FileInfo) {
        const int h = metrics.height();
        frame.pictureWidth = metrics_.dpiY > 0 ? MulDiv(h, metrics_.dpiX, metrics_.dpiY) : h;
        frame.fileLine = ChooseFileLine(source_.path, w, frame.pictureWidth, width);
        if (frame.fileLine.drawn) {
            frame.headerHeight = h;
            headerSpace = w - width(frame.fileLine.text);
        }
    }
    if (items & (PrintItems::Date | PrintItems::Time)) {
        frame.dateTime = ChooseDateTimeText(items, now, w, width);
        if (!frame.dateTime.isEmpty()) {
            frame.footerHeight = metrics.height();
            footerSpace = w - width(frame.dateTime);
        }
    }
    if (items & PrintItems::Number) {
        frame.numberInHeader = PrintItems::NumberInHeader(items);
        frame.number = PlacePageNumber(items, page, pages, area_,
                                       frame.numberInHeader ? headerSpace : footerSpace, width);
        if (frame.number.drawn) {
            int& height = frame.numberInHeader ? frame.headerHeight : frame.footerHeight;
            height = std::max(height, metrics.height());
        }
    }
    frame.body = area_;
    frame.body.top += 2 * frame.headerHeight;
    frame.body.bottom -= 2 * frame.footerHeight;
    return frame;
}

bool PagePrinter::PreparePage(unsigned page, unsigned pages) {
    if (!begun_ || page == 0) return false;
    if (page == 1) return true;
    if (!area_.exists) return false;
    const std::tm now = LocalNow();
    while (pageStarts_.size() < page) {
        const qsizetype from = pageStarts_.back();
        if (from >= end_) return false;
        const unsigned laidOut = unsigned(pageStarts_.size());
        const BodyRun run =
            LayoutBody(source_.text, from, end_, BodyOf(FrameOf(laidOut, pages, now).body),
                       [this](QStringView text) { return TextWidthIn(textFont_, text); });
        pageStarts_.push_back(run.next);
    }
    return pageStarts_[page - 1] < end_;
}

qsizetype PagePrinter::PageStart(unsigned page) const {
    return page >= 1 && page <= pageStarts_.size() ? pageStarts_[page - 1] : end_;
}

void PagePrinter::RenderPage(QPainter& painter, unsigned page, unsigned pages) {
    if (!begun_ || !area_.exists) return;
    if (!PreparePage(page, pages) && page != 1) return;
    const std::tm now = LocalNow();
    const Frame frame = FrameOf(page, pages, now);

    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(Qt::black);
    painter.setFont(serviceFont_);
    const QFontMetrics service(serviceFont_, painter.device());
    if (frame.fileLine.drawn) {
        int x = area_.left;
        if (frame.fileLine.picture) {
            const int h = service.height();
            painter.drawImage(QRect(area_.left, area_.top, frame.pictureWidth, h), FilePicture());
            x += frame.pictureWidth;
        }
        painter.drawText(x, area_.top + service.ascent(), frame.fileLine.text);
    }
    if (!frame.dateTime.isEmpty())
        painter.drawText(area_.left, area_.bottom - service.descent(), frame.dateTime);
    if (frame.number.drawn) {
        const int y =
            frame.numberInHeader ? area_.top + service.ascent() : area_.bottom - service.descent();
        painter.drawText(frame.number.x, y, frame.number.text);
    }

    // The body, clipped to the drawing area: a character wider than the
    // area is cut at its edge.
    painter.setClipRect(QRect(area_.left, area_.top, area_.Width(), area_.Height()));
    painter.setFont(textFont_);
    const QFontMetrics body(textFont_, painter.device());
    const BodyGeometry geometry = BodyOf(frame.body);
    const auto width = [this](QStringView text) { return TextWidthIn(textFont_, text); };
    const BodyRun run = LayoutBody(source_.text, PageStart(page), end_, geometry, width);
    for (const BodyLine& line : run.lines) {
        const QStringView text = QStringView(source_.text).mid(line.start, line.length);
        const int baseline = frame.body.top + line.y + body.ascent();
        for (const LineSegment& segment : LineSegments(text, geometry.tabWidth, width))
            painter.drawText(frame.body.left + segment.x, baseline,
                             text.mid(segment.start, segment.length).toString());
    }
    painter.restore();
    if (pageStarts_.size() == page) pageStarts_.push_back(run.next);
}

void PagePrinter::End() {
    begun_ = false;
    serviceFontMade_ = false;
    textFont_ = QFont();
    serviceFont_ = QFont();
    pageStarts_.clear();
    device_ = nullptr;
    counted_ = 0;
}
