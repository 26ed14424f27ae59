// The application's current printer, kept as the two blocks the settings
// store holds: the names block (driver, device, output, default flag) and a
// 220-byte mode block (our own serialisation of paper, orientation, copies,
// duplex, colour mode and resolution). On Linux the device is the CUPS
// queue, the driver "CUPS" and the output the device URI or output file.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>
#include <functional>
#include <optional>

class QSettings;

// A printer queue as the system lists it.
struct PrinterQueue {
    QString name;
    QString deviceUri;  // empty: asked of the scheduler when needed
    bool isDefault = false;
};

// What the mode block holds, decoded. The block follows the layout of the
// platform's printer-mode record: device name (32 UTF-16 units), versions,
// size, the field mask at offset 72, then orientation, paper, copies,
// quality, colour, duplex and vertical resolution at their usual offsets.
struct PrinterMode {
    // Bits of the field mask.
    static constexpr quint32 Orientation = 0x1;
    static constexpr quint32 PaperSize = 0x2;
    static constexpr quint32 PaperLength = 0x4;
    static constexpr quint32 PaperWidth = 0x8;
    static constexpr quint32 Copies = 0x100;
    static constexpr quint32 PrintQuality = 0x400;
    static constexpr quint32 Color = 0x800;
    static constexpr quint32 Duplex = 0x1000;
    static constexpr quint32 YResolution = 0x2000;
    // Byte offsets of the fields tests and Restore look at.
    static constexpr int FieldsOffset = 72;
    static constexpr int CopiesOffset = 86;

    QString device;
    quint32 fields = 0;
    QPageSize pageSize;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int copies = 1;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    QPrinter::ColorMode colorMode = QPrinter::Color;
    int resolution = 0;  // dots per inch, 0 for none

    static PrinterMode From(const QPrinter& printer);
    QByteArray Encode() const;
    // Fields whose bit is clear keep their defaults; a block of another size
    // decodes to the defaults.
    static PrinterMode Decode(const QByteArray& block);
    void ApplyTo(QPrinter& printer) const;
};

class PrinterSelection {
public:
    static constexpr int kModeBytes = 220;

    bool HasNames() const { return !names_.isEmpty(); }
    bool HasMode() const { return !mode_.isEmpty(); }
    const QByteArray& Names() const { return names_; }
    const QByteArray& Mode() const { return mode_; }

    // The names block: four 16-bit fields (driver, device and output offsets
    // in 16-bit units, default flag), then the three zero-terminated strings.
    static QByteArray BuildNames(const QString& driver, const QString& device,
                                 const QString& output, int defaultFlag);
    QString Device() const;
    QString Driver() const;
    QString Output() const;
    int DefaultFlag() const;

    // Start-up: only when neither block exists; the names block only when
    // Device, Driver and Output are all non-empty, the mode only when it has
    // exactly kModeBytes (its copies reset to 1).
    void Restore(QSettings& settings);
    // Exit: only when both blocks exist.
    void Save(QSettings& settings) const;

    // The system's default printer when there is no selection; false when
    // the machine has no printer at all.
    bool EnsureCurrent();
    // Points printer at the selected queue and applies the mode; false when
    // the selected printer no longer exists.
    bool ConfigurePrinter(QPrinter& printer) const;
    // Takes over what a dialog left in printer.
    void TakeFrom(const QPrinter& printer);
    void Clear();

    // The mode block decoded (the defaults without one).
    PrinterMode DecodedMode() const { return PrinterMode::Decode(mode_); }
    // Replaces both blocks.
    void Set(const QByteArray& names, const QByteArray& mode) {
        names_ = names;
        mode_ = mode;
    }

    // The system's printers; tests replace the list (the previous lister
    // comes back). The default lister asks Qt and, for device URIs, lpstat.
    using Lister = std::function<QList<PrinterQueue>()>;
    static Lister SetLister(Lister lister);
    static QList<PrinterQueue> AvailablePrinters();
    // The queue of that name, if it is there.
    static std::optional<PrinterQueue> FindPrinter(const QString& name);
    // The default printer, else the first one; nothing without printers.
    static std::optional<PrinterQueue> DefaultPrinter();
    // Selects `queue` with its own mode (or `mode` when given).
    void Select(const PrinterQueue& queue, const QByteArray& mode = QByteArray());

private:
    QByteArray names_;
    QByteArray mode_;
};

// The process's printer selection (held for the application object).
PrinterSelection& ApplicationPrinterSelection();
