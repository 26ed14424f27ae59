// A print job of a calculation into a PDF file with the program's progress
// window, slowed down between pages so that the window can be looked at; it
// saves a grab of the screen while page 2 prints (tools/screenshot-print.sh).
//   print_demo OUT.png OUT.pdf
#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QScreen>

#include "document/CCalcFileDialog.h"
#include "document/CCalcPrintDialog.h"
#include "document/CCalcView.h"
#include "document/PrintJob.h"
#include "shell/core/MessageBox.h"
#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaFonts.h"
#include "toolkit/TaResources.h"

namespace {

void Wait(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The program's window, with a pause after each page and a grab at page 2.
class SlowProgress : public IPrintProgress {
public:
    SlowProgress(std::unique_ptr<IPrintProgress> window, QString grab)
        : window_(std::move(window)), grab_(std::move(grab)) {}
    void ShowProgress() override { window_->ShowProgress(); }
    void SetPrinted(unsigned count) override {
        window_->SetPrinted(count);
        Wait(700);
        if (count == 2) QGuiApplication::primaryScreen()->grabWindow(0).save(grab_);
    }
    bool UserAborted() const override { return window_->UserAborted(); }
    void CloseProgress() override { window_->CloseProgress(); }

private:
    std::unique_ptr<IPrintProgress> window_;
    QString grab_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) return 2;
    const QString grab = QString::fromLocal8Bit(argv[1]);
    const QString pdf = QString::fromLocal8Bit(argv[2]);
    TaInitResources();
    TaFonts fonts;
    fonts.Load();
    SetApplicationFonts(&fonts);

    CCalcView view;
    QString text;
    for (int k = 1; k <= 200; ++k) text += QStringLiteral("%1*7 = %2;\n").arg(k).arg(7 * k);
    view.ReplaceText(text);
    view.resize(700, 500);
    view.show();
    Wait(300);

    const CCalcPrintJob::ProgressFactory real = CCalcPrintJob::SetProgressFactory({});
    CCalcPrintJob::SetProgressFactory([&](const QString& document, const QString& printer,
                                          const QString& port, unsigned pages, QWidget* owner) {
        return std::unique_ptr<IPrintProgress>(
            new SlowProgress(real(document, printer, port, pages, owner), grab));
    });
    CCalcPrintDialog::SetChooser([](CCalcPrintDialog& dialog) {
        dialog.Printer().setOutputFormat(QPrinter::PdfFormat);
        return IDOK;
    });
    CCalcFileDialog::SetChooser([pdf](const CCalcFileDialog&) { return pdf; });
    CCalcPrintJob job(view, QStringLiteral("sevens.tvc"), QStringLiteral("/demo/sevens.tvc"),
                      &view);
    const bool printed = job.Run(true) == CCalcPrintJob::Outcome::Printed;
    SetApplicationFonts(nullptr);
    return printed ? 0 : 1;
}
