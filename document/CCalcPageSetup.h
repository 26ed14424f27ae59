// The page setup dialog (template 1546): paper size and orientation of the
// current printer, the four margins in the user's units, another printer,
// and the program's own groups: which header and footer items print, the
// page number's format and place, and the body and header/footer fonts.
#pragma once

#include <QDialog>
#include <QLocale>
#include <QPageSize>
#include <QVector>
#include <functional>
#include <optional>

#include "document/PrintSettings.h"
#include "document/PrinterSelection.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CCalcPageSetup : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 1546;
    enum ControlId {
        IdOk = 1,
        IdCancel = 2,
        IdPrinter = 1026,  // "Printer..."
        IdPortrait = 1056,
        IdLandscape = 1057,
        IdPaperSize = 1137,
        IdMarginLeft = 1155,
        IdMarginTop = 1156,
        IdMarginRight = 1157,
        IdMarginBottom = 1158,
        IdFileInfo = 1100,
        IdDate = 1101,
        IdTime = 1106,
        IdNumber = 1107,
        IdNumberFormat = 1108,
        IdPosition = 1109,
        IdTextSelect = 1110,
        IdServiceSelect = 1111,
        IdTextDefault = 1113,
        IdTextDescription = 1114,
        IdServiceDefault = 1115,
        IdServiceDescription = 1116,
    };
    enum MarginSide { Left, Top, Right, Bottom };

    // Works on copies: `settings` takes the values on OK only; the printer
    // selection comes back from Selection() after OK or Cancel.
    CCalcPageSetup(PrintSettings& settings, const PrinterSelection& selection, QWidget* owner);

    // The units of the margin fields: metric (hundredths of a millimetre) or
    // not (thousandths of an inch). Tests fix it; nothing restores the
    // user's locale setting.
    static void SetMeasurementSystem(std::optional<QLocale::MeasurementSystem> system);
    static bool Metric();
    // A margin in 1/10000 mm as the field shows it, and back.
    static int FieldOf(int margin, bool metric) {
        return metric ? (margin + 50) / 100 : (margin + 127) / 254;
    }
    static int MarginOf(int field, bool metric) { return metric ? field * 100 : field * 254; }

    // "%s %u pt", then ", bold" above weight 400 and ", italic".
    static QString Describe(const PrintFont& font);
    static bool IsDefaultText(const PrintFont& font) {
        return font == PrintSettings::DefaultTextFont();
    }
    static bool IsDefaultService(const PrintFont& font) {
        return font == PrintSettings::DefaultServiceFont();
    }

    // Tests run the dialog through this instead of a modal loop; it answers
    // the dialog's result (QDialog::Accepted or Rejected).
    using Runner = std::function<int(CCalcPageSetup& dialog)>;
    static Runner SetRunner(Runner runner);
    // The printer chooser behind "Printer...": the queue chosen, or nothing.
    using PrinterChooser =
        std::function<std::optional<QString>(const QStringList& queues, const QString& current)>;
    static PrinterChooser SetPrinterChooser(PrinterChooser chooser);

    // IDOK or IDCANCEL.
    int DoModal();
    const PrinterSelection& Selection() const { return selection_; }

    // The control with a template id; nullptr for an unknown id.
    QWidget* Control(int id) const;
    int MarginField(MarginSide side) const;
    void SetMarginField(MarginSide side, int field);
    const PrintFont& TextFont() const { return textFont_; }
    const PrintFont& ServiceFont() const { return serviceFont_; }

    // The File, Page Setup command: makes sure a printer is selected, runs
    // the dialog on it and takes the selection back; a stored printer that
    // is gone is dropped and the dialog opens on the default one.
    static void Run(QWidget* owner, PrintSettings& settings, PrinterSelection& selection);

    void accept() override;

private:
    void BuildControls();
    void FillPrinter();
    void OnNumberToggled(bool on);
    void OnSelectFont(bool service);
    void OnDefaultClicked(bool service);
    void OnChoosePrinter();
    void ShowFont(bool service);
    QDoubleSpinBox* Margin(MarginSide side) const { return margins_[side]; }

    PrintSettings& settings_;
    PrinterSelection selection_;
    bool metric_;
    int baseX_ = 6;
    int baseY_ = 12;

    // The dialog's values, as the template binds them.
    bool fileInfo_ = false, date_ = false, time_ = false, number_ = false;
    bool textDefault_ = false, serviceDefault_ = false;
    int formatIndex_ = -1;
    int positionIndex_ = -1;
    PrintFont textFont_;
    PrintFont serviceFont_;

    QVector<QPageSize> pageSizes_;  // behind the paper list's items
    QComboBox* paperSize_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
    QGroupBox* marginGroup_ = nullptr;
    QDoubleSpinBox* margins_[4] = {};
    QLabel* printerName_ = nullptr;
    QPushButton* printerButton_ = nullptr;
    QCheckBox* fileInfoBox_ = nullptr;
    QCheckBox* dateBox_ = nullptr;
    QCheckBox* timeBox_ = nullptr;
    QCheckBox* numberBox_ = nullptr;
    QComboBox* formatList_ = nullptr;
    QComboBox* positionList_ = nullptr;
    QLineEdit* textDescription_ = nullptr;
    QLineEdit* serviceDescription_ = nullptr;
    QPushButton* textSelect_ = nullptr;
    QPushButton* serviceSelect_ = nullptr;
    QCheckBox* textDefaultBox_ = nullptr;
    QCheckBox* serviceDefaultBox_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
