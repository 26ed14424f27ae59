// Shows the page setup dialog or the printing window for looking at them
// (tools/screenshot-pagesetup.sh), on two stand-in printer queues so the
// pictures do not depend on the machine's printers.
//
//   pagesetup_demo pagesetup|printing|selection [--inches] [--hold MS] [--system]
//
// The window closes itself after MS (default 4000); the printing window
// counts its pages up meanwhile. --system uses the machine's own queues
// (CUPS_SERVER chooses the scheduler); "selection" prints the printer
// selection made from them and what it sets on a printer.
#include <QApplication>
#include <QPrinter>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "document/CCalcPageSetup.h"
#include "document/CCalcPrintingDialog.h"
#include "document/PrinterSelection.h"
#include "shell/core/MessageBox.h"
#include "toolkit/TaResources.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TaInitResources();
    const char* what = argc > 1 ? argv[1] : "pagesetup";
    int hold = 4000;
    bool inches = false;
    bool system = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--hold") == 0 && i + 1 < argc) hold = std::atoi(argv[++i]);
        if (std::strcmp(argv[i], "--inches") == 0) inches = true;
        if (std::strcmp(argv[i], "--system") == 0) system = true;
    }
    if (!system)
        PrinterSelection::SetLister([] {
            return QList<PrinterQueue>{
                {QStringLiteral("Office"), QStringLiteral("ipp://office/q"), true},
                {QStringLiteral("Lab"), QStringLiteral("socket://lab:9100"), false}};
        });

    if (std::strcmp(what, "printing") == 0) {
        CCalcPrintingDialog dialog(QStringLiteral("budget.tvc"), QStringLiteral("Office"),
                                   QStringLiteral("ipp://office/q"), 12, ApplicationFonts(),
                                   nullptr);
        dialog.ShowProgress();
        QTimer pages;
        QObject::connect(&pages, &QTimer::timeout, &dialog,
                         [&dialog] { dialog.SetPrinted(std::min(12u, dialog.Printed() + 1)); });
        pages.start(hold / 14);
        QTimer::singleShot(hold, &app, [&] {
            dialog.CloseProgress();
            app.quit();
        });
        return app.exec();
    }
    if (std::strcmp(what, "selection") == 0) {
        PrinterSelection selection;
        const bool found = selection.EnsureCurrent();
        const PrinterMode mode = selection.DecodedMode();
        std::printf("current %d\nDevice %s\nDriver %s\nOutput %s\nDefault %d\n", found,
                    qPrintable(selection.Device()), qPrintable(selection.Driver()),
                    qPrintable(selection.Output()), selection.DefaultFlag());
        std::printf(
            "mode %lld bytes: %s, %s, %d copies\n", static_cast<long long>(selection.Mode().size()),
            qPrintable(mode.pageSize.name()),
            mode.orientation == QPageLayout::Landscape ? "landscape" : "portrait", mode.copies);
        QPrinter printer;
        const bool configured = selection.ConfigurePrinter(printer);
        std::printf("configured %d: printer %s\n", configured, qPrintable(printer.printerName()));
        return found ? 0 : 1;
    }
    if (std::strcmp(what, "pagesetup") != 0) {
        std::fprintf(stderr, "pagesetup_demo: pagesetup or printing\n");
        return 2;
    }
    CCalcPageSetup::SetMeasurementSystem(inches ? QLocale::ImperialUSSystem
                                                : QLocale::MetricSystem);
    PrintSettings settings;
    PrinterSelection selection;
    selection.EnsureCurrent();
    CCalcPageSetup dialog(settings, selection, nullptr);
    QTimer::singleShot(hold, &dialog, &QDialog::reject);
    dialog.DoModal();
    return 0;
}
