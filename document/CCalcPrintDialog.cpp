#include "document/CCalcPrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>

#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaResources.h"

namespace {

CCalcPrintDialog::Chooser& CurrentChooser() {
    static CCalcPrintDialog::Chooser chooser;
    return chooser;
}

}  // namespace

CCalcPrintDialog::CCalcPrintDialog(QPrinter& printer, QWidget* parent)
    : printer_(printer), parent_(parent) {
    printer_.setFromTo(0, 0);
    printer_.setPrintRange(QPrinter::AllPages);
}

void CCalcPrintDialog::EnableSelection(bool enabled) {
    if (enabled)
        flags_ &= ~PD_NOSELECTION;
    else
        flags_ |= PD_NOSELECTION;
}

CCalcPrintDialog::Chooser CCalcPrintDialog::SetChooser(Chooser chooser) {
    std::swap(CurrentChooser(), chooser);
    return chooser;
}

int CCalcPrintDialog::DoModal() {
    if (CurrentChooser()) return CurrentChooser()(*this);
    QPrintDialog dialog(&printer_, parent_);
    dialog.setWindowIcon(TaProgramIcon());
    dialog.setMinMax(kMinPage, kMaxPage);
    QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
    options.setFlag(QAbstractPrintDialog::PrintSelection, SelectionEnabled());
    options.setFlag(QAbstractPrintDialog::PrintToFile, true);
    options.setFlag(QAbstractPrintDialog::PrintPageRange, true);
    options.setFlag(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOptions(options);
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

int CCalcPrintDialog::FromPage() const {
    return printer_.printRange() == QPrinter::PageRange && printer_.fromPage() > 0
               ? printer_.fromPage()
               : kMinPage;
}

int CCalcPrintDialog::ToPage() const {
    return printer_.printRange() == QPrinter::PageRange && printer_.toPage() > 0 ? printer_.toPage()
                                                                                 : kMaxPage;
}

bool CCalcPrintDialog::PrintSelection() const {
    return SelectionEnabled() && printer_.printRange() == QPrinter::Selection;
}

bool CCalcPrintDialog::PrintToFile() const {
    return printer_.outputFormat() == QPrinter::PdfFormat || !printer_.outputFileName().isEmpty();
}
