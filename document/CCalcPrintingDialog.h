// The progress window of a print job ("Printing", template 107): document,
// "Of N page" with the count printed so far, printer and port, and Cancel.
// It is the toolkit's dialog shown modeless while the job runs.
#pragma once

#include "toolkit/TaDialog.h"

class CCalcPrintingDialog : public TaDialog {
    Q_OBJECT
public:
    CCalcPrintingDialog(const QString& document, const QString& printer, const QString& port,
                        unsigned pages, const TaFonts& fonts, QWidget* owner);

    // Opens with the toolkit's animation, without a modal loop.
    void ShowProgress();
    // The count of pages printed so far; redrawn only when it changed.
    void SetPrinted(unsigned count);
    unsigned Printed() const { return printed_; }
    // Cancel was pressed (the job aborts after the current page).
    bool UserAborted() const { return aborted_; }
    // Closes with the toolkit's closing animation.
    void CloseProgress();

private:
    QString document_, printer_, port_;
    unsigned pages_ = 1;
    unsigned printed_ = 1;
    bool aborted_ = false;
};
