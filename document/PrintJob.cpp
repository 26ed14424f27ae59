#include "document/PrintJob.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>

#include "document/CCalcFileDialog.h"
#include "document/CCalcPrintDialog.h"
#include "document/CCalcPrintingDialog.h"
#include "document/CCalcView.h"
#include "document/CupsJobs.h"
#include "document/DocumentFiles.h"
#include "document/PrinterSelection.h"
#include "engine/FileAccess.h"
#include "shell/core/MessageBox.h"
#include "shell/core/StringIds.h"
#include "toolkit/MessageBoxTypes.h"
#include "toolkit/U16Text.h"

namespace {

// The program's progress window.
class PrintingWindow : public IPrintProgress {
public:
    PrintingWindow(const QString& document, const QString& printer, const QString& port,
                   unsigned pages, QWidget* owner)
        : dialog_(document, printer, port, pages, ApplicationFonts(), owner) {}
    void ShowProgress() override { dialog_.ShowProgress(); }
    void SetPrinted(unsigned count) override { dialog_.SetPrinted(count); }
    bool UserAborted() const override { return dialog_.UserAborted(); }
    void CloseProgress() override {
        if (dialog_.isVisible()) dialog_.CloseProgress();
    }

private:
    CCalcPrintingDialog dialog_;
};

CCalcPrintJob::ProgressFactory& CurrentFactory() {
    static CCalcPrintJob::ProgressFactory factory =
        [](const QString& document, const QString& printer, const QString& port, unsigned pages,
           QWidget* owner) -> std::unique_ptr<IPrintProgress> {
        return std::make_unique<PrintingWindow>(document, printer, port, pages, owner);
    };
    return factory;
}

void ShowPrintError(int id) { AppMessageBox(LoadString(id), MB_OK | MB_ICONEXCLAMATION, id); }

// A file that could not be written is a file error, named by its cause.
void ReportWriteFailure(int systemError, QFileDevice::FileError qtError, const QString& path) {
    const FileErrorCause cause = FileErrorCauseOf(systemError, qtError, path);
    AppMessageBox(FileErrorMessage(cause, path, false), MB_OK | MB_ICONEXCLAMATION, 0);
}

// How long the scheduler may keep a job waiting before the job counts as
// accepted: a paused queue holds it to print later.
constexpr int kFollowMilliseconds = 10000;

// The printable part of the page is what the device allows at the least.
void UseWholePrintableArea(QPrinter& printer) {
    printer.setFullPage(false);
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

// Keeps the main window disabled for the job's length.
class DisabledWindow {
public:
    explicit DisabledWindow(QWidget* window) : window_(window) {
        if (window_) window_->setEnabled(false);
    }
    ~DisabledWindow() {
        if (window_) window_->setEnabled(true);
    }

private:
    QWidget* window_;
};

}  // namespace

CCalcPrintJob::CCalcPrintJob(CCalcView& view, const QString& title, const QString& path,
                             QWidget* mainWindow)
    : view_(view), title_(title), path_(path), mainWindow_(mainWindow) {}

CCalcPrintJob::ProgressFactory CCalcPrintJob::SetProgressFactory(ProgressFactory factory) {
    std::swap(CurrentFactory(), factory);
    return factory;
}

CCalcPrintJob::Range CCalcPrintJob::PageRange(int from, int to, int minimum, int maximum) {
    Range range;
    range.end = std::clamp(to, minimum, maximum);
    range.start = std::clamp(from, minimum, maximum);
    range.step = range.end < range.start ? -1 : 1;
    if (range.end != 65535) range.end += range.step;
    return range;
}

bool CCalcPrintJob::ConfigureNamed(QPrinter& printer) const {
    if (QPrinterInfo::printerInfo(named_.device).isNull()) return false;
    printer.setPrinterName(named_.device);
    return printer.isValid() && printer.printerName() == named_.device;
}

QString CCalcPrintJob::WrittenMessage(const QString& path) {
    return QCoreApplication::translate("CCalcPrintJob", "Printed into %1")
        .arg(QDir::toNativeSeparators(path));
}

QString CCalcPrintJob::NumberedName(const QString& wanted, int number) {
    if (number <= 1) return wanted;
    const QFileInfo info(wanted);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? info.fileName() : info.completeBaseName();
    const QString name = QStringLiteral("%1 (%2)").arg(base).arg(number) +
                         (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
    return info.dir().filePath(name);
}

bool CCalcPrintJob::WriteFallback(const QString& jobFile) {
    std::string bytes;
    // The job's own file in our temporary folder: any size it has is ours.
    constexpr std::size_t kPdfLimit = std::size_t(1) << 30;
    const auto read = NCalculatorText::ReadRegularFile(NativePath(jobFile), kPdfLimit, bytes);
    if (!read.Ok()) {
        ReportWriteFailure(read.systemError, QFileDevice::ReadError, jobFile);
        return false;
    }
    // Created, never opened over something that is there: a name taken in
    // the meantime moves on to the next number.
    constexpr int kNames = 9999;
    for (int number = 1; number <= kNames; ++number) {
        const QString path = NumberedName(QFileInfo(fallbackPdf_).absoluteFilePath(), number);
        const QFileInfo there(path);
        if (there.exists() || there.isSymLink()) continue;
        QFile file(path);
        ClearSystemError();
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            const int error = LastSystemError();
            if (QFileInfo::exists(path)) continue;  // someone was quicker
            ReportWriteFailure(error, file.error(), path);
            return false;
        }
        ClearSystemError();
        const bool written =
            file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()) && file.flush();
        const int error = LastSystemError();
        const QFileDevice::FileError qtError = file.error();
        file.close();
        if (!written || file.error() != QFileDevice::NoError) {
            file.remove();
            ReportWriteFailure(error, qtError, path);
            return false;
        }
        writtenFile_ = path;
        return true;
    }
    ReportWriteFailure(0, QFileDevice::OpenError, fallbackPdf_);
    return false;
}

CCalcPrintJob::Outcome CCalcPrintJob::Run(bool withDialog) {
    writtenFile_.clear();
    QPrinter printer(QPrinter::HighResolution);
    QString port;
    QTemporaryDir pdfFolder;
    bool toFallback = false;
    bool showDialog = withDialog;
    if (!named_.device.isEmpty()) {
        if (!ConfigureNamed(printer)) {
            ShowPrintError(StringId::CouldNotStartPrintJob);
            return Outcome::Failed;
        }
        port = named_.port;
    } else {
        PrinterSelection& selection = ApplicationPrinterSelection();
        if (selection.EnsureCurrent() && selection.ConfigurePrinter(printer)) {
            port = selection.Output();
        } else if (!withDialog && !fallbackPdf_.isEmpty() && pdfFolder.isValid()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfFolder.filePath(QStringLiteral("job.pdf")));
            port = QFileInfo(fallbackPdf_).fileName();
            toFallback = true;
        } else {
            showDialog = true;  // no printer at all: the user says where
        }
    }

    // Named before the dialog, which proposes "NAME.pdf" for a file.
    printer.setDocName(title_);
    CCalcPrintDialog dialog(printer, mainWindow_);
    dialog.EnableSelection(view_.OnPreparePrinting());
    if (showDialog) {
        if (dialog.DoModal() != IDOK) return Outcome::Cancelled;
        if (named_.device.isEmpty() && !dialog.PrintToFile()) {
            ApplicationPrinterSelection().TakeFrom(printer);
            port = ApplicationPrinterSelection().Output();
        }
        if (dialog.PrintToFile() && !printer.outputFileName().isEmpty()) {
            // The print dialog asked for the file itself (and whether to
            // replace one that is there): no second question.
            printer.setOutputFormat(QPrinter::PdfFormat);
            port = QFileInfo(printer.outputFileName()).fileName();
        } else if (dialog.PrintToFile()) {
            // Proposed beside the document, not wherever the program started.
            const QString proposed =
                path_.isEmpty() ? QStringLiteral("Output.pdf")
                                : QFileInfo(path_).dir().filePath(QStringLiteral("Output.pdf"));
            CCalcFileDialog file(
                false, QStringLiteral("pdf"), proposed, CCalcFileDialog::OFN_HIDEREADONLY,
                QCoreApplication::translate("CCalcPrintJob",
                                            "PDF files (*.pdf)|*.pdf|All Files (*.*)|*.*||"),
                mainWindow_);
            file.SetTitle(QCoreApplication::translate("CCalcPrintJob", "Print to File"));
            if (file.DoModal() != IDOK) return Outcome::Cancelled;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file.GetPathName());
            port = file.GetFileName();
        }
    }
    const QString chosenFile = printer.outputFormat() == QPrinter::PdfFormat && !toFallback
                                   ? printer.outputFileName()
                                   : QString();

    const Outcome outcome =
        Print(printer, dialog.PrintSelection(), dialog.FromPage(), dialog.ToPage(), port);
    if (outcome == Outcome::Aborted && !chosenFile.isEmpty()) {
        // Cancelled: nothing of the job stays, as on a printer.
        QFile::remove(chosenFile);
    }
    if (outcome != Outcome::Printed) return outcome;
    if (toFallback) return WriteFallback(printer.outputFileName()) ? outcome : Outcome::Failed;
    writtenFile_ = chosenFile.isEmpty() ? QString() : QFileInfo(chosenFile).absoluteFilePath();
    return outcome;
}

CCalcPrintJob::Outcome CCalcPrintJob::Print(QPrinter& printer, bool selection, int from, int to,
                                            const QString& port) {
    printer.setDocName(title_);
    UseWholePrintableArea(printer);
    // On a CUPS queue the pages are spooled into a file of ours and handed
    // over here, so that the job can be followed. No ".pdf" on the name:
    // the printer stays the queue's, with its page metrics.
    QTemporaryDir spool;
    const bool toQueue = printer.outputFormat() == QPrinter::NativeFormat &&
                         !printer.printerName().isEmpty() && CupsJobs::Available() &&
                         spool.isValid();
    const QString spoolFile = toQueue ? spool.filePath(QStringLiteral("job")) : QString();
    if (toQueue) printer.setOutputFileName(spoolFile);

    view_.OnBeginPrinting(printer, MetricsOf(printer), path_, selection);
    const unsigned counted = view_.Printing().CountedPages();
    const int maximum = counted > 0 ? int(std::min(counted, 65535u)) : 65535;
    const Range range = PageRange(from, to, 1, maximum);
    const unsigned pages = counted > 0 ? counted : unsigned(maximum);

    std::unique_ptr<IPrintProgress> progress;
    {
        // A file has no printer: its name stands for it.
        const QString printerName = printer.printerName().isEmpty() ? port : printer.printerName();
        if (CurrentFactory())
            progress = CurrentFactory()(
                title_, printerName, port,
                range.end == 65535 ? CCalcPrintingDialog::kPagesUnknown : unsigned(range.Pages()),
                mainWindow_);
    }
    Outcome outcome = Outcome::Printed;
    {
        DisabledWindow disabled(mainWindow_);
        // After the window is disabled: the progress window stays usable.
        if (progress) progress->ShowProgress();
        QPainter painter;
        if (!painter.begin(&printer)) {
            outcome = Outcome::Failed;
        } else {
            unsigned count = 1;
            for (int page = range.start; page != range.end; page += range.step, ++count) {
                if (!view_.OnPreparePage(unsigned(page), pages)) break;
                if (progress) progress->SetPrinted(count);
                if (count > 1 && !printer.newPage()) {
                    outcome = Outcome::Aborted;
                    break;
                }
                view_.OnPrint(painter, unsigned(page), pages);
                // Between pages the window repaints and Cancel can be pressed.
                QCoreApplication::processEvents();
                if (progress && progress->UserAborted()) {
                    outcome = Outcome::Aborted;
                    break;
                }
                if (page + range.step < 1) break;
            }
            if (outcome == Outcome::Aborted) printer.abort();
            painter.end();
        }
        if (toQueue && outcome == Outcome::Printed)
            outcome = HandOver(printer, spoolFile, progress.get());
    }
    view_.OnEndPrinting();
    if (progress) progress->CloseProgress();
    if (outcome == Outcome::Failed) ShowPrintError(StringId::PrintingCancelled);
    return outcome;
}

CCalcPrintJob::Outcome CCalcPrintJob::HandOver(const QPrinter& printer, const QString& file,
                                               IPrintProgress* progress) {
    const CupsJobs::Submission submitted = CupsJobs::Submit(printer, file, title_);
    QFile::remove(file);
    if (submitted.job == 0) {
        std::fprintf(stderr, "numera: %s: %s\n", qPrintable(printer.printerName()),
                     qPrintable(submitted.error));
        return Outcome::Failed;
    }
    // Until the scheduler has taken the job on or given it up; one that
    // waits longer (a paused queue) is the queue's to print later.
    const QString queue = CupsJobs::QueueOf(printer.printerName());
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        switch (CupsJobs::StateOf(queue, submitted.job)) {
            case CupsJobs::JobState::Accepted:
                return Outcome::Printed;
            case CupsJobs::JobState::Refused:
                std::fprintf(stderr, "numera: %s: job %d was not printed\n",
                             qPrintable(printer.printerName()), submitted.job);
                return Outcome::Failed;
            case CupsJobs::JobState::Waiting:
                break;
        }
        if (waited.elapsed() >= kFollowMilliseconds) return Outcome::Printed;
        QEventLoop pause;
        QTimer::singleShot(100, &pause, &QEventLoop::quit);
        pause.exec();
        if (progress && progress->UserAborted()) {
            CupsJobs::Cancel(queue, submitted.job);
            return Outcome::Aborted;
        }
    }
}
