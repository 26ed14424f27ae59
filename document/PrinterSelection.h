// The application's current printer, kept as the two blocks the settings
// store holds: the names block (driver, device, output, default flag) and a
// 220-byte mode block (our own serialisation of paper, orientation, copies,
// duplex, colour mode and resolution). On Linux the device is the CUPS
// queue, the driver "CUPS" and the output the device URI or output file.
#pragma once

#include <QByteArray>
#include <QString>

class QPrinter;
class QSettings;

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

private:
    QByteArray names_;
    QByteArray mode_;
};

// The process's printer selection (held for the application object).
PrinterSelection& ApplicationPrinterSelection();
