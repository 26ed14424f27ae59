#include "document/PrintJob.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <string>

#include "document/CCalcFileDialog.h"
#include "document/CCalcPrintDialog.h"
#include "document/CCalcPrintingDialog.h"
#include "document/CCalcView.h"
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

CCalcPrintJob::Outcome CCalcPrintJob::Run(bool withDialog) {
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

    CCalcPrintDialog dialog(printer, mainWindow_);
    dialog.EnableSelection(view_.OnPreparePrinting());
    if (showDialog) {
        if (dialog.DoModal() != IDOK) return Outcome::Cancelled;
        if (named_.device.isEmpty() && !dialog.PrintToFile()) {
            ApplicationPrinterSelection().TakeFrom(printer);
            port = ApplicationPrinterSelection().Output();
        }
        if (dialog.PrintToFile()) {
            CCalcFileDialog file(
                false, QStringLiteral("pdf"), QStringLiteral("Output.pdf"),
                CCalcFileDialog::OFN_HIDEREADONLY,
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

    const Outcome outcome =
        Print(printer, dialog.PrintSelection(), dialog.FromPage(), dialog.ToPage(), port);
    if (toFallback && outcome == Outcome::Printed) {
        std::string bytes;
        // The job's own file in our temporary folder: any size it has is ours.
        constexpr std::size_t kPdfLimit = std::size_t(1) << 30;
        const auto read = NCalculatorText::ReadRegularFile(NativePath(printer.outputFileName()),
                                                           kPdfLimit, bytes);
        if (!read.Ok() || !NCalculatorText::ReplaceFile(NativePath(fallbackPdf_), bytes).Ok()) {
            ShowPrintError(StringId::PrintingCancelled);
            return Outcome::Failed;
        }
    }
    return outcome;
}

CCalcPrintJob::Outcome CCalcPrintJob::Print(QPrinter& printer, bool selection, int from, int to,
                                            const QString& port) {
    printer.setDocName(title_);
    UseWholePrintableArea(printer);
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
        if (progress) progress->ShowProgress();
        QPainter painter;
        if (!painter.begin(&printer)) {
            view_.OnEndPrinting();
            if (progress) progress->CloseProgress();
            progress.reset();
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
    }
    if (outcome == Outcome::Failed) {
        ShowPrintError(StringId::PrintingCancelled);
        return outcome;
    }
    view_.OnEndPrinting();
    if (progress) progress->CloseProgress();
    return outcome;
}
