// The print job of the editor view: with the print dialog (Print...) or
// without it (command-line printing), on the current printer, a named one
// or into a file, page by page with the progress window and Cancel.
#pragma once

#include <QString>
#include <functional>
#include <memory>

class CCalcView;
class QPrinter;
class QWidget;

// The progress window as the job drives it.
class IPrintProgress {
public:
    virtual ~IPrintProgress() = default;
    virtual void ShowProgress() = 0;
    virtual void SetPrinted(unsigned count) = 0;
    virtual bool UserAborted() const = 0;
    virtual void CloseProgress() = 0;
};

// A printer named on the command line: queue, print system and port.
struct NamedPrinter {
    QString device;
    QString driver;
    QString port;
};

class CCalcPrintJob {
public:
    CCalcPrintJob(CCalcView& view, const QString& title, const QString& path, QWidget* mainWindow);

    void SetNamedPrinter(const NamedPrinter& printer) { named_ = printer; }
    // Without any printer, a job without the dialog writes a PDF file beside
    // this one instead of asking: this name, or the first free one after it
    // ("big (2).pdf", ...). A file already there is never replaced.
    void SetFallbackPdf(const QString& path) { fallbackPdf_ = path; }
    // The file the last run printed into (the fallback or a chosen file),
    // empty when it went to a printer or nowhere.
    const QString& WrittenFile() const { return writtenFile_; }
    // "Printed into PATH", for the status bar and the command line.
    static QString WrittenMessage(const QString& path);
    // The first free name of `wanted`, `wanted` itself first, then with
    // " (2)", " (3)", ... before its suffix.
    static QString NumberedName(const QString& wanted, int number);

    enum class Outcome { Printed, Aborted, Cancelled, Failed };
    // Print... (withDialog) or print without the dialog.
    Outcome Run(bool withDialog);

    // The page range of the job from the dialog's "from" and "to" within
    // [minimum, maximum]: start, the end one step past the last page unless
    // it is 65535, and the step.
    struct Range {
        int start = 1;
        int end = 1;
        int step = 1;
        int Pages() const { return end > start ? end - start : start - end; }
        bool operator==(const Range&) const = default;
    };
    static Range PageRange(int from, int to, int minimum, int maximum);

    // Makes the progress window (the program's own unless replaced; tests
    // bring theirs). An empty factory shows none.
    using ProgressFactory = std::function<std::unique_ptr<IPrintProgress>(
        const QString& document, const QString& printer, const QString& port, unsigned pages,
        QWidget* owner)>;
    static ProgressFactory SetProgressFactory(ProgressFactory factory);

private:
    bool ConfigureNamed(QPrinter& printer) const;
    Outcome Print(QPrinter& printer, bool selection, int from, int to, const QString& port);
    // Hands the spooled job to the scheduler and follows it there.
    Outcome HandOver(const QPrinter& printer, const QString& file, IPrintProgress* progress);
    // Copies the finished fallback job beside the document under a free name.
    bool WriteFallback(const QString& jobFile);

    CCalcView& view_;
    QString title_;
    QString path_;
    QWidget* mainWindow_;
    NamedPrinter named_;
    QString fallbackPdf_;
    QString writtenFile_;
};
