#include "document/PrinterSelection.h"

#include <QPrinterInfo>
#include <QProcess>
#include <QSettings>
#include <QtEndian>
#include <algorithm>

#include "shell/core/SettingsStore.h"

namespace {

const QString kDevice = QStringLiteral("Device");
const QString kDriver = QStringLiteral("Driver");
const QString kOutput = QStringLiteral("Output");
const QString kDefault = QStringLiteral("Default");
const QString kMode = QStringLiteral("Mode");
const QString kCupsDriver = QStringLiteral("CUPS");

// Offsets of the mode block (the platform's record without driver bytes).
constexpr int kDeviceNameUnits = 32;
constexpr int kSpecVersionAt = 64;
constexpr int kSizeAt = 68;
constexpr int kOrientationAt = 76;
constexpr int kPaperSizeAt = 78;
constexpr int kPaperLengthAt = 80;  // tenths of a millimetre
constexpr int kPaperWidthAt = 82;
constexpr int kPrintQualityAt = 90;
constexpr int kColorAt = 92;
constexpr int kDuplexAt = 94;
constexpr int kYResolutionAt = 96;
constexpr int kUserPaper = 256;  // a size given by length and width only

quint16 Read16(const QByteArray& block, int offset) {
    if (offset < 0 || offset + 2 > block.size()) return 0;
    return qFromLittleEndian<quint16>(block.constData() + offset);
}

void Write16(QByteArray& block, int offset, quint16 value) {
    qToLittleEndian<quint16>(value, block.data() + offset);
}

quint32 Read32(const QByteArray& block, int offset) {
    if (offset < 0 || offset + 4 > block.size()) return 0;
    return qFromLittleEndian<quint32>(block.constData() + offset);
}

// The zero-terminated string at `unitOffset` 16-bit units into the block.
QString StringAt(const QByteArray& block, int unitOffset) {
    QString text;
    for (int at = unitOffset * 2; at + 2 <= block.size(); at += 2) {
        const quint16 unit = Read16(block, at);
        if (unit == 0) break;
        text.append(QChar(unit));
    }
    return text;
}

int DuplexCode(QPrinter::DuplexMode mode) {
    switch (mode) {
        case QPrinter::DuplexNone:
            return 1;
        case QPrinter::DuplexShortSide:
            return 3;
        case QPrinter::DuplexLongSide:
        case QPrinter::DuplexAuto:
            break;
    }
    return 2;  // long edge, the usual two-sided setting
}

QPrinter::DuplexMode DuplexOf(int code) {
    switch (code) {
        case 2:
            return QPrinter::DuplexLongSide;
        case 3:
            return QPrinter::DuplexShortSide;
        default:
            return QPrinter::DuplexNone;
    }
}

// The scheduler's device URI of a queue ("device for Q: URI"); the queue's
// own address when lpstat cannot tell.
QString AskDeviceUri(const QString& queue) {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-v"), queue});
    if (lpstat.waitForFinished(3000) && lpstat.exitCode() == 0) {
        const QString line = QString::fromLocal8Bit(lpstat.readAllStandardOutput()).trimmed();
        const qsizetype colon = line.indexOf(QLatin1String(": "));
        if (colon >= 0 && !line.mid(colon + 2).trimmed().isEmpty())
            return line.mid(colon + 2).trimmed();
    } else {
        lpstat.kill();
        lpstat.waitForFinished(1000);
    }
    return QStringLiteral("ipp://localhost/printers/") + queue;
}

QList<PrinterQueue> SystemPrinters() {
    QList<PrinterQueue> queues;
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        queues.append({name, QString(), name == defaultName});
    return queues;
}

PrinterSelection::Lister& ListerSlot() {
    static PrinterSelection::Lister lister;
    return lister;
}

}  // namespace

// --- the mode block ----------------------------------------------------------

PrinterMode PrinterMode::From(const QPrinter& printer) {
    PrinterMode mode;
    mode.device = printer.printerName();
    mode.fields = Orientation | PaperSize | PaperLength | PaperWidth | Copies | Color | Duplex;
    const QPageLayout layout = printer.pageLayout();
    mode.pageSize = layout.pageSize();
    mode.orientation = layout.orientation();
    mode.copies = printer.copyCount();
    mode.duplex = printer.duplex();
    mode.colorMode = printer.colorMode();
    mode.resolution = printer.resolution();
    if (mode.resolution > 0) mode.fields |= PrintQuality | YResolution;
    return mode;
}

QByteArray PrinterMode::Encode() const {
    QByteArray block(PrinterSelection::kModeBytes, '\0');
    const QString name = device.left(kDeviceNameUnits - 1);
    for (int i = 0; i < name.size(); ++i) Write16(block, 2 * i, name[i].unicode());
    Write16(block, kSpecVersionAt, 0x0401);
    Write16(block, kSizeAt, PrinterSelection::kModeBytes);
    qToLittleEndian<quint32>(fields, block.data() + FieldsOffset);
    Write16(block, kOrientationAt, orientation == QPageLayout::Landscape ? 2 : 1);
    const int paperId = pageSize.isValid() ? pageSize.windowsId() : 0;
    Write16(block, kPaperSizeAt, static_cast<quint16>(paperId));
    if (pageSize.isValid()) {
        const QSizeF mm = pageSize.size(QPageSize::Millimeter);
        Write16(block, kPaperLengthAt, static_cast<quint16>(qRound(mm.height() * 10)));
        Write16(block, kPaperWidthAt, static_cast<quint16>(qRound(mm.width() * 10)));
    }
    Write16(block, CopiesOffset, static_cast<quint16>(qBound(1, copies, 0x7FFF)));
    Write16(block, kPrintQualityAt, static_cast<quint16>(qBound(0, resolution, 0x7FFF)));
    Write16(block, kColorAt, colorMode == QPrinter::Color ? 2 : 1);
    Write16(block, kDuplexAt, static_cast<quint16>(DuplexCode(duplex)));
    Write16(block, kYResolutionAt, static_cast<quint16>(qBound(0, resolution, 0x7FFF)));
    return block;
}

PrinterMode PrinterMode::Decode(const QByteArray& block) {
    PrinterMode mode;
    if (block.size() != PrinterSelection::kModeBytes) return mode;
    mode.device = StringAt(block.left(2 * kDeviceNameUnits), 0);
    mode.fields = Read32(block, FieldsOffset);
    if (mode.fields & Orientation)
        mode.orientation =
            Read16(block, kOrientationAt) == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
    const int paperId = Read16(block, kPaperSizeAt);
    if ((mode.fields & PaperSize) && paperId != 0 && paperId != kUserPaper)
        mode.pageSize = QPageSize(QPageSize::id(paperId));
    if (!mode.pageSize.isValid() && (mode.fields & PaperLength) && (mode.fields & PaperWidth)) {
        const int length = Read16(block, kPaperLengthAt);
        const int width = Read16(block, kPaperWidthAt);
        if (length > 0 && width > 0)
            mode.pageSize = QPageSize(QSizeF(width / 10.0, length / 10.0), QPageSize::Millimeter);
    }
    if (mode.fields & Copies) mode.copies = std::max<int>(1, Read16(block, CopiesOffset));
    if (mode.fields & Color)
        mode.colorMode = Read16(block, kColorAt) == 1 ? QPrinter::GrayScale : QPrinter::Color;
    if (mode.fields & Duplex) mode.duplex = DuplexOf(Read16(block, kDuplexAt));
    if (mode.fields & YResolution)
        mode.resolution = Read16(block, kYResolutionAt);
    else if (mode.fields & PrintQuality)
        mode.resolution = Read16(block, kPrintQualityAt);
    return mode;
}

void PrinterMode::ApplyTo(QPrinter& printer) const {
    if (pageSize.isValid()) printer.setPageSize(pageSize);
    if (fields & Orientation) printer.setPageOrientation(orientation);
    if (fields & Copies) printer.setCopyCount(copies);
    if (fields & Color) printer.setColorMode(colorMode);
    if (fields & Duplex) printer.setDuplex(duplex);
    if (resolution > 0) printer.setResolution(resolution);
}

// --- the names block ---------------------------------------------------------

QByteArray PrinterSelection::BuildNames(const QString& driver, const QString& device,
                                        const QString& output, int defaultFlag) {
    const int driverAt = 4;
    const int deviceAt = driverAt + static_cast<int>(driver.size()) + 1;
    const int outputAt = deviceAt + static_cast<int>(device.size()) + 1;
    const int units = outputAt + static_cast<int>(output.size()) + 1;
    QByteArray block(2 * units, '\0');
    Write16(block, 0, static_cast<quint16>(driverAt));
    Write16(block, 2, static_cast<quint16>(deviceAt));
    Write16(block, 4, static_cast<quint16>(outputAt));
    Write16(block, 6, static_cast<quint16>(defaultFlag));
    const auto put = [&block](int at, const QString& text) {
        for (int i = 0; i < text.size(); ++i) Write16(block, 2 * (at + i), text[i].unicode());
    };
    put(driverAt, driver);
    put(deviceAt, device);
    put(outputAt, output);
    return block;
}

QString PrinterSelection::Driver() const { return StringAt(names_, Read16(names_, 0)); }
QString PrinterSelection::Device() const { return StringAt(names_, Read16(names_, 2)); }
QString PrinterSelection::Output() const { return StringAt(names_, Read16(names_, 4)); }
int PrinterSelection::DefaultFlag() const { return Read16(names_, 6); }

// --- persistence -------------------------------------------------------------

void PrinterSelection::Restore(QSettings& settings) {
    if (HasNames() || HasMode()) return;
    settings.beginGroup(SettingsSection::Print);
    const QString device = ReadProfileString(settings, kDevice, QString());
    const QString driver = ReadProfileString(settings, kDriver, QString());
    const QString output = ReadProfileString(settings, kOutput, QString());
    const int defaultFlag = ReadProfileInt(settings, kDefault, 0);
    if (!device.isEmpty() && !driver.isEmpty() && !output.isEmpty())
        names_ = BuildNames(driver, device, output, defaultFlag);
    const QVariant mode = settings.value(kMode);
    if (mode.typeId() == QMetaType::QByteArray && mode.toByteArray().size() == kModeBytes) {
        mode_ = mode.toByteArray();
        // A restart never prints several copies because the last job did.
        if (Read32(mode_, PrinterMode::FieldsOffset) & PrinterMode::Copies)
            Write16(mode_, PrinterMode::CopiesOffset, 1);
    }
    settings.endGroup();
}

void PrinterSelection::Save(QSettings& settings) const {
    if (!HasNames() || !HasMode()) return;
    settings.beginGroup(SettingsSection::Print);
    WriteProfileString(settings, kDevice, Device());
    WriteProfileString(settings, kDriver, Driver());
    WriteProfileString(settings, kOutput, Output());
    WriteProfileInt(settings, kDefault, DefaultFlag());
    settings.setValue(kMode, mode_.left(kModeBytes));
    settings.endGroup();
}

// --- the system's printers ---------------------------------------------------

PrinterSelection::Lister PrinterSelection::SetLister(Lister lister) {
    Lister previous = std::move(ListerSlot());
    ListerSlot() = std::move(lister);
    return previous;
}

QList<PrinterQueue> PrinterSelection::AvailablePrinters() {
    return ListerSlot() ? ListerSlot()() : SystemPrinters();
}

std::optional<PrinterQueue> PrinterSelection::FindPrinter(const QString& name) {
    for (const PrinterQueue& queue : AvailablePrinters())
        if (queue.name == name) return queue;
    return std::nullopt;
}

std::optional<PrinterQueue> PrinterSelection::DefaultPrinter() {
    const QList<PrinterQueue> queues = AvailablePrinters();
    for (const PrinterQueue& queue : queues)
        if (queue.isDefault) return queue;
    if (queues.isEmpty()) return std::nullopt;
    return queues.first();
}

void PrinterSelection::Select(const PrinterQueue& queue, const QByteArray& mode) {
    const QString uri = queue.deviceUri.isEmpty() ? AskDeviceUri(queue.name) : queue.deviceUri;
    names_ = BuildNames(kCupsDriver, queue.name, uri, queue.isDefault ? 1 : 0);
    if (!mode.isEmpty()) {
        mode_ = mode;
        return;
    }
    // The queue's own defaults: paper, orientation and the rest.
    QPrinter printer;
    if (QPrinterInfo::printerInfo(queue.name).isNull()) {
        PrinterMode own = PrinterMode::From(printer);
        own.device = queue.name;
        mode_ = own.Encode();
        return;
    }
    printer.setPrinterName(queue.name);
    mode_ = PrinterMode::From(printer).Encode();
}

bool PrinterSelection::EnsureCurrent() {
    if (HasNames()) return true;
    const std::optional<PrinterQueue> queue = DefaultPrinter();
    if (!queue) return false;
    // A mode restored without names still describes the paper wanted.
    Select(*queue, HasMode() ? mode_ : QByteArray());
    return true;
}

bool PrinterSelection::ConfigurePrinter(QPrinter& printer) const {
    if (!HasNames() || !FindPrinter(Device())) return false;
    if (!QPrinterInfo::printerInfo(Device()).isNull()) printer.setPrinterName(Device());
    // An output that is a path rather than a device URI is a print file.
    const QString output = Output();
    if (output.startsWith(QLatin1Char('/'))) printer.setOutputFileName(output);
    if (HasMode()) DecodedMode().ApplyTo(printer);
    return true;
}

void PrinterSelection::TakeFrom(const QPrinter& printer) {
    const QString name = printer.printerName();
    if (name.isEmpty() && printer.outputFileName().isEmpty()) {
        Clear();
        return;
    }
    const std::optional<PrinterQueue> queue = FindPrinter(name);
    const QString output = !printer.outputFileName().isEmpty()    ? printer.outputFileName()
                           : queue && !queue->deviceUri.isEmpty() ? queue->deviceUri
                                                                  : AskDeviceUri(name);
    names_ = BuildNames(kCupsDriver, name, output, queue && queue->isDefault ? 1 : 0);
    mode_ = PrinterMode::From(printer).Encode();
}

void PrinterSelection::Clear() {
    names_.clear();
    mode_.clear();
}

PrinterSelection& ApplicationPrinterSelection() {
    static PrinterSelection selection;
    return selection;
}
