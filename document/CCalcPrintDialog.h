// The print dialog: the platform's print dialog (print, not setup) with the
// program's icon, pages 1 to 65535, and the Selection choice only while the
// editor has a selection. Tests replace the user with SetChooser.
#pragma once

#include <functional>

class QPrinter;
class QWidget;

class CCalcPrintDialog {
public:
    static constexpr unsigned PD_NOSELECTION = 0x00000004;
    static constexpr unsigned PD_USEDEVMODECOPIESANDCOLLATE = 0x00040000;
    static constexpr int kMinPage = 1;
    static constexpr int kMaxPage = 65535;

    CCalcPrintDialog(QPrinter& printer, QWidget* parent);

    // Prepare: a non-empty selection makes Selection a choice.
    void EnableSelection(bool enabled);
    unsigned Flags() const { return flags_; }
    bool SelectionEnabled() const { return !(flags_ & PD_NOSELECTION); }
    QPrinter& Printer() const { return printer_; }

    // IDOK or IDCANCEL; the choices are left in the printer.
    int DoModal();
    // What the user chose, as the job reads it: the range ("from" and "to"
    // are the whole range when all pages print), the selection, a file.
    int FromPage() const;
    int ToPage() const;
    bool PrintSelection() const;
    bool PrintToFile() const;

    // The chooser sees the dialog, may change its printer (range, printer,
    // output file) and answers IDOK or IDCANCEL.
    using Chooser = std::function<int(CCalcPrintDialog& dialog)>;
    static Chooser SetChooser(Chooser chooser);

private:
    QPrinter& printer_;
    QWidget* parent_;
    unsigned flags_ = PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION;
};
