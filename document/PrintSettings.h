// The application-wide print settings: margins, the body and header/footer
// fonts, and Items (which header and footer items print, the page number's
// format and place). Read from "Print" at start-up, written back at exit.
#pragma once

#include <QString>

class QSettings;

struct PrintFont {
    QString face;
    int size = 0;  // points
    int weight = 400;
    bool italic = false;

    bool operator==(const PrintFont&) const = default;
};

// Bits and fields of Items.
namespace PrintItems {
inline constexpr int FileInfo = 1;  // file line in the header
inline constexpr int Time = 2;      // time in the footer
inline constexpr int Date = 4;      // date in the footer
inline constexpr int Number = 8;    // page number
inline constexpr int Default = 431;

// Number formats (bits 4 to 6); any other value prints like FormatN.
inline constexpr int FormatN = 0;       // "%u"
inline constexpr int FormatDashed = 1;  // "- %u -"
inline constexpr int FormatNOfN = 2;    // "%u of %u"
// Number positions (bits 7 to 9); any other value prints like FooterRight.
inline constexpr int HeaderCenter = 0;
inline constexpr int HeaderRight = 1;
inline constexpr int FooterCenter = 2;
inline constexpr int FooterRight = 3;

// The raw fields as stored.
constexpr int FormatField(int items) { return (items >> 4) & 7; }
constexpr int PositionField(int items) { return (items >> 7) & 7; }
// The fields as they print.
constexpr int PrintedFormat(int items) {
    const int field = FormatField(items);
    return field <= FormatNOfN ? field : FormatN;
}
constexpr int PrintedPosition(int items) {
    const int field = PositionField(items);
    return field <= FooterRight ? field : FooterRight;
}
constexpr bool NumberInHeader(int items) {
    return (items & Number) &&
           (PositionField(items) == HeaderCenter || PositionField(items) == HeaderRight);
}
// A header line exists for the file line or a number placed in the header;
// a footer line for the date, the time or a number placed anywhere else.
constexpr bool HasHeaderLine(int items) { return (items & FileInfo) || NumberInHeader(items); }
constexpr bool HasFooterLine(int items) {
    return (items & (Date | Time)) || ((items & Number) && !NumberInHeader(items));
}
// Items from the page setup's choices.
constexpr int Compose(bool fileInfo, bool time, bool date, bool number, int format, int position) {
    return (fileInfo ? FileInfo : 0) + (time ? Time : 0) + (date ? Date : 0) +
           (number ? Number : 0) + format * 16 + position * 128;
}
}  // namespace PrintItems

struct PrintSettings {
    // Margins from the paper's edges, in 1/10000 mm.
    int marginLeft = 250000;
    int marginTop = 150000;
    int marginRight = 150000;
    int marginBottom = 150000;
    int items = PrintItems::Default;
    PrintFont textFont = DefaultTextFont();
    PrintFont serviceFont = DefaultServiceFont();

    static PrintFont DefaultTextFont() { return {QStringLiteral("Courier New"), 12, 400, false}; }
    static PrintFont DefaultServiceFont() {
        return {QStringLiteral("Times New Roman"), 10, 400, true};
    }

    // Every key with its default; an italic value is its low byte, any
    // non-zero byte counting as 1.
    void Load(QSettings& settings);
    // Every key back, into the "Print" section.
    void Save(QSettings& settings) const;

    bool operator==(const PrintSettings&) const = default;
};

// The process's settings: loaded at start-up, changed by the page setup
// dialog, read by every print job and preview, saved at exit.
PrintSettings& ApplicationPrintSettings();
