// Renders the editor's text onto printer pages (or any paint device): the
// header with the file line and its picture, the footer with date and time,
// the page number and the body, by the layout of PrintLayout.h. The same
// object serves the print job and the preview: begin, then for each page
// prepare-page and render-page, then end.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <ctime>
#include <functional>
#include <vector>

#include "document/EditorFont.h"
#include "document/PrintLayout.h"
#include "document/PrintSettings.h"

class QPaintDevice;
class QPainter;
class QPrinter;

// What a job prints: the document's text with CR LF line breaks, its path
// (empty when unnamed) and, when printing the selection, its bounds in code
// units of that text.
struct PrintSource {
    QString text;
    QString path;
    bool selection = false;
    qsizetype selectionStart = 0;
    qsizetype selectionEnd = 0;
};

// The device's page as the layout needs it; for a QPrinter the printable
// part is its page rectangle at the smallest margins it allows.
DeviceMetrics MetricsOf(const QPrinter& printer);

class PagePrinter {
public:
    // Fonts at the device's resolution from the settings (the body falls
    // back to the editor font, the header and footer to the body font), and
    // for "n of N" the page count.
    void Begin(QPaintDevice& device, const DeviceMetrics& metrics, const PrintSettings& settings,
               const EditorFontValues& editorFont, const PrintSource& source);
    // The pages counted at begin; 0 when they were not counted.
    unsigned CountedPages() const { return counted_; }
    // Whether page (from 1) has anything to print.
    bool PreparePage(unsigned page, unsigned pages);
    // Draws page (prepared first) with N = pages for "n of N".
    void RenderPage(QPainter& painter, unsigned page, unsigned pages);
    void End();

    bool Begun() const { return begun_; }
    bool ServiceFontMade() const { return serviceFontMade_; }
    const QFont& TextFont() const { return textFont_; }
    const QFont& ServiceFont() const { return serviceFont_; }
    // The first code unit page (from 1) prints; prepared pages only.
    qsizetype PageStart(unsigned page) const;

    // The local time the footer shows; tests fix it.
    using Clock = std::function<std::tm()>;
    static Clock SetClock(Clock clock);

    // The picture of the file line (artwork 131), 200 x 200, monochrome.
    static QImage FilePicture();

private:
    // What a page shows around its body, decided before anything is drawn.
    struct Frame {
        FileLine fileLine;
        int pictureWidth = 0;
        QString dateTime;
        PageNumber number;
        bool numberInHeader = false;
        int headerHeight = 0;
        int footerHeight = 0;
        DrawingArea body;
    };
    Frame FrameOf(unsigned page, unsigned pages, const std::tm& now) const;
    BodyGeometry BodyOf(const DrawingArea& body) const;
    int TextWidthIn(const QFont& font, QStringView text) const;

    bool begun_ = false;
    QPaintDevice* device_ = nullptr;
    DeviceMetrics metrics_;
    PrintSettings settings_;
    PrintSource source_;
    DrawingArea area_;
    QFont textFont_;
    QFont serviceFont_;
    bool serviceFontMade_ = false;
    unsigned counted_ = 0;
    qsizetype end_ = 0;
    // Where each prepared page starts; pageStarts_[k] is page k + 1.
    std::vector<qsizetype> pageStarts_;
};
