// The progress window of a print job ("Printing", template 107): document,
// "Of N page" with the count printed so far, printer and port, and Cancel.
// It is the toolkit's dialog shown modeless while the job runs.
#pragma once

#include <QPointer>

#include "toolkit/TaDialog.h"

class QAbstractAnimation;
class TaButton;
class TaStatic;

class CCalcPrintingDialog : public TaDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 107;
    enum ControlId {
        IdDocumentLabel = 1130,
        IdPageLabel = 1131,
        IdPrinterLabel = 1132,
        IdPortLabel = 1133,
        IdDocument = 1115,
        IdPage = 1116,
        IdPrinter = 1117,
        IdPort = 1118,
        IdCancel = 2,
    };
    // A job whose end page is left open has no page count: pass 0 (or the
    // open range's 65534 and more) and the window shows the count alone.
    static constexpr unsigned kPagesUnknown = 0;
    static bool PagesKnown(unsigned pages) { return pages != kPagesUnknown && pages < 65534; }

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

    unsigned Pages() const { return pages_; }
    // Valid after initialisation.
    TaStatic* Label(int id) const;
    TaStatic* Value(int id) const;
    TaButton* CancelButton() const { return cancel_; }

protected:
    int LayoutContent() override;
    bool DrawContent(QPainter& painter) override;
    void OnCancel() override;

private:
    TaStatic* labels_[4] = {};
    TaStatic* values_[4] = {};
    TaButton* cancel_ = nullptr;
    int valueLeft_ = 0;
    QPointer<QAbstractAnimation> opening_;

    QString document_, printer_, port_;
    unsigned pages_ = 1;
    unsigned printed_ = 1;
    bool aborted_ = false;
};
