#include "document/CCalcPageSetup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <vector>

#include "document/CCalcFontDialog.h"
#include "shell/core/DialogUnitLayout.h"
#include "shell/core/DialogUnits.h"
#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaResources.h"

namespace {

std::optional<QLocale::MeasurementSystem>& MeasurementSlot() {
    static std::optional<QLocale::MeasurementSystem> system;
    return system;
}

CCalcPageSetup::Runner& RunnerSlot() {
    static CCalcPageSetup::Runner runner;
    return runner;
}

CCalcPageSetup::PrinterChooser& ChooserSlot() {
    static CCalcPageSetup::PrinterChooser chooser;
    return chooser;
}

// The sizes offered when the printer names none (or there is no printer).
QVector<QPageSize> StandardSizes() {
    QVector<QPageSize> sizes;
    for (QPageSize::PageSizeId id :
         {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::B5, QPageSize::Letter,
          QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid})
        sizes.append(QPageSize(id));
    return sizes;
}

// The queue chooser behind "Printer...".
std::optional<QString> AskPrinter(QWidget* owner, const QStringList& queues,
                                  const QString& current) {
    QDialog dialog(owner);
    dialog.setWindowTitle(CCalcPageSetup::tr("Printer"));
    dialog.setWindowIcon(TaProgramIcon());
    auto* layout = new QFormLayout(&dialog);
    auto* names = new QComboBox(&dialog);
    names->addItems(queues);
    names->setCurrentIndex(std::max<qsizetype>(0, queues.indexOf(current)));
    layout->addRow(CCalcPageSetup::tr("&Name:"), names);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(CCalcPageSetup::tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(CCalcPageSetup::tr("Cancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted || names->currentIndex() < 0) return std::nullopt;
    return names->currentText();
}

}  // namespace

// --- rules -------------------------------------------------------------------

void CCalcPageSetup::SetMeasurementSystem(std::optional<QLocale::MeasurementSystem> system) {
    MeasurementSlot() = system;
}

bool CCalcPageSetup::Metric() {
    const QLocale::MeasurementSystem system =
        MeasurementSlot().value_or(QLocale::system().measurementSystem());
    return system == QLocale::MetricSystem;
}

QString CCalcPageSetup::Describe(const PrintFont& font) {
    QString text = tr("%1 %2 pt").arg(font.face).arg(static_cast<unsigned>(font.size));
    if (font.weight > 400) text += tr(", bold");
    if (font.italic) text += tr(", italic");
    return text;
}

CCalcPageSetup::Runner CCalcPageSetup::SetRunner(Runner runner) {
    Runner previous = std::move(RunnerSlot());
    RunnerSlot() = std::move(runner);
    return previous;
}

CCalcPageSetup::PrinterChooser CCalcPageSetup::SetPrinterChooser(PrinterChooser chooser) {
    PrinterChooser previous = std::move(ChooserSlot());
    ChooserSlot() = std::move(chooser);
    return previous;
}

// --- the dialog --------------------------------------------------------------

CCalcPageSetup::CCalcPageSetup(PrintSettings& settings, const PrinterSelection& selection,
                               QWidget* owner)
    : QDialog(owner), settings_(settings), selection_(selection), metric_(Metric()) {
    setWindowTitle(tr("Page Setup"));
    setWindowIcon(TaProgramIcon());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // The values the dialog opens with.
    const int items = settings.items;
    fileInfo_ = (items & PrintItems::FileInfo) != 0;
    time_ = (items & PrintItems::Time) != 0;
    date_ = (items & PrintItems::Date) != 0;
    number_ = (items & PrintItems::Number) != 0;
    // A field just past the last item leaves its list without a choice;
    // anything further out is the default.
    const int format = PrintItems::FormatField(items);
    formatIndex_ = format > 3 ? PrintItems::FormatNOfN : format == 3 ? -1 : format;
    const int position = PrintItems::PositionField(items);
    positionIndex_ = position > 4 ? PrintItems::FooterRight : position == 4 ? -1 : position;
    textFont_ = settings.textFont;
    serviceFont_ = settings.serviceFont;
    textDefault_ = IsDefaultText(textFont_);
    serviceDefault_ = IsDefaultService(serviceFont_);

    BuildControls();

    fileInfoBox_->setChecked(fileInfo_);
    dateBox_->setChecked(date_);
    timeBox_->setChecked(time_);
    numberBox_->setChecked(number_);
    formatList_->addItems({tr("n"), tr("- n -"), tr("n of N")});
    formatList_->setCurrentIndex(formatIndex_);
    positionList_->addItems(
        {tr("Header center"), tr("Header right"), tr("Footer center"), tr("Footer right")});
    positionList_->setCurrentIndex(positionIndex_);
    OnNumberToggled(number_);
    textDefaultBox_->setChecked(textDefault_);
    serviceDefaultBox_->setChecked(serviceDefault_);
    ShowFont(false);
    ShowFont(true);

    const int stored[4] = {settings.marginLeft, settings.marginTop, settings.marginRight,
                           settings.marginBottom};
    for (int side = Left; side <= Bottom; ++side)
        SetMarginField(static_cast<MarginSide>(side), FieldOf(stored[side], metric_));
    FillPrinter();

    connect(numberBox_, &QCheckBox::toggled, this, &CCalcPageSetup::OnNumberToggled);
    connect(textSelect_, &QPushButton::clicked, this, [this] { OnSelectFont(false); });
    connect(serviceSelect_, &QPushButton::clicked, this, [this] { OnSelectFont(true); });
    connect(textDefaultBox_, &QCheckBox::clicked, this, [this] { OnDefaultClicked(false); });
    connect(serviceDefaultBox_, &QCheckBox::clicked, this, [this] { OnDefaultClicked(true); });
    connect(printerButton_, &QPushButton::clicked, this, &CCalcPageSetup::OnChoosePrinter);
    connect(ok_, &QPushButton::clicked, this, &CCalcPageSetup::accept);
    connect(cancel_, &QPushButton::clicked, this, &CCalcPageSetup::reject);
}

void CCalcPageSetup::BuildControls() {
    DialogUnitLayout layout(DialogBaseUnits(DialogFont()));
    auto place = [&layout](QWidget* widget, int x, int y, int w, int h) {
        return layout.Place(widget, x, y, w, h);
    };
    auto group = [this, &place](const QString& title, int x, int y, int w, int h) {
        return static_cast<QGroupBox*>(place(new QGroupBox(title, this), x, y, w, h));
    };
    auto label = [this, &place](const QString& text, int x, int y, int w, int h) {
        return static_cast<QLabel*>(place(new QLabel(text, this), x, y, w, h));
    };
    auto check = [this, &place](const QString& text, int x, int y, int w, int h) {
        return static_cast<QCheckBox*>(place(new QCheckBox(text, this), x, y, w, h));
    };
    auto button = [this, &place](const QString& text, int x, int y, int w, int h) {
        auto* b = static_cast<QPushButton*>(place(new QPushButton(text, this), x, y, w, h));
        b->setAutoDefault(false);
        return b;
    };
    auto combo = [this, &place](int x, int y, int w, int h) {
        return static_cast<QComboBox*>(place(new QComboBox(this), x, y, w, h));
    };
    auto description = [this, &place](int x, int y, int w, int h) {
        auto* edit = static_cast<QLineEdit*>(place(new QLineEdit(this), x, y, w, h));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::TabFocus);
        return edit;
    };

    // Group boxes first, so the controls inside lie above them.
    group(tr("Page layout"), 7, 4, 164, 178);
    group(tr("Orientation"), 13, 52, 152, 26);
    marginGroup_ =
        group(metric_ ? tr("Margins (millimeters)") : tr("Margins (inches)"), 13, 82, 152, 50);
    group(tr("Page"), 177, 4, 152, 82);
    group(tr("Text font"), 177, 90, 152, 44);
    group(tr("Header/footer font"), 177, 138, 152, 44);

    label(tr("Printer:"), 13, 18, 34, 8);
    printerName_ = label(QString(), 49, 18, 116, 8);
    QLabel* sizeLabel = label(tr("Si&ze:"), 13, 36, 34, 8);
    paperSize_ = combo(49, 34, 116, 12);
    sizeLabel->setBuddy(paperSize_);
    portrait_ =
        static_cast<QRadioButton*>(place(new QRadioButton(tr("P&ortrait"), this), 19, 63, 66, 10));
    landscape_ =
        static_cast<QRadioButton*>(place(new QRadioButton(tr("L&andscape"), this), 91, 63, 70, 10));
    const QString sides[4] = {tr("&Left:"), tr("&Top:"), tr("&Right:"), tr("&Bottom:")};
    const int columns[4] = {19, 19, 93, 93};
    const int rows[4] = {96, 114, 96, 114};
    for (int side = Left; side <= Bottom; ++side) {
        QLabel* sideLabel = label(sides[side], columns[side], rows[side], 30, 8);
        auto* spin = new QDoubleSpinBox(this);
        spin->setDecimals(metric_ ? 2 : 3);
        spin->setSingleStep(metric_ ? 1.0 : 0.1);
        spin->setRange(0.0, metric_ ? 999.99 : 39.999);
        spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
        spin->setAlignment(Qt::AlignRight);
        place(spin, columns[side] + 30, rows[side] - 2, 36, 12);
        sideLabel->setBuddy(spin);
        margins_[side] = spin;
    }
    printerButton_ = button(tr("&Printer..."), 13, 162, 60, 14);

    fileInfoBox_ = check(tr("&File info"), 183, 16, 66, 10);
    numberBox_ = check(tr("&Number"), 253, 16, 70, 10);
    dateBox_ = check(tr("&Date"), 183, 30, 66, 10);
    timeBox_ = check(tr("T&ime"), 253, 30, 70, 10);
    QLabel* formatLabel = label(tr("Number format"), 183, 48, 66, 8);
    formatList_ = combo(253, 46, 70, 12);
    formatLabel->setBuddy(formatList_);
    QLabel* positionLabel = label(tr("Position"), 183, 66, 66, 8);
    positionList_ = combo(253, 64, 70, 12);
    positionLabel->setBuddy(positionList_);

    textDescription_ = description(183, 102, 140, 12);
    textDefaultBox_ = check(tr("D&efault"), 183, 118, 60, 10);
    textSelect_ = button(tr("&Select..."), 273, 116, 50, 14);
    serviceDescription_ = description(183, 150, 140, 12);
    serviceDefaultBox_ = check(tr("Defa&ult"), 183, 166, 60, 10);
    serviceSelect_ = button(tr("Sele&ct..."), 273, 164, 50, 14);

    ok_ = button(tr("OK"), 223, 188, 50, 14);
    cancel_ = button(tr("Cancel"), 279, 188, 50, 14);
    ok_->setDefault(true);

    // Tab order of the template.
    QWidget* order[] = {paperSize_,
                        portrait_,
                        landscape_,
                        margins_[Left],
                        margins_[Top],
                        margins_[Right],
                        margins_[Bottom],
                        printerButton_,
                        fileInfoBox_,
                        numberBox_,
                        dateBox_,
                        timeBox_,
                        formatList_,
                        positionList_,
                        textDescription_,
                        textDefaultBox_,
                        textSelect_,
                        serviceDescription_,
                        serviceDefaultBox_,
                        serviceSelect_,
                        ok_,
                        cancel_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    // A font wider than the template's would cut the captions: widen the
    // horizontal unit until the longest one fits.
    layout.FitWidths([this](const QWidget* widget) {
        if (qobject_cast<const QGroupBox*>(widget) != nullptr ||
            qobject_cast<const QLineEdit*>(widget) != nullptr || widget == printerName_)
            return 0;
        if (const auto* box = qobject_cast<const QComboBox*>(widget))
            return box->minimumSizeHint().width();
        return widget->sizeHint().width();
    });
    baseX_ = layout.BaseX();
    baseY_ = layout.BaseY();
    // Edit fields keep their natural height, centred on their line.
    layout.Apply([](const QWidget* widget, int boxHeight) {
        const bool edit = qobject_cast<const QComboBox*>(widget) != nullptr ||
                          qobject_cast<const QAbstractSpinBox*>(widget) != nullptr ||
                          qobject_cast<const QLineEdit*>(widget) != nullptr;
        return edit ? std::max(boxHeight, widget->sizeHint().height()) : boxHeight;
    });
    setFixedSize(layout.Pixels(QRect(0, 0, 336, 208)).size());
}

void CCalcPageSetup::FillPrinter() {
    const bool hasPrinter = selection_.HasNames();
    printerName_->setText(hasPrinter ? selection_.Device() : tr("No printer is installed."));
    printerButton_->setEnabled(!PrinterSelection::AvailablePrinters().isEmpty());

    const PrinterMode mode = selection_.DecodedMode();
    pageSizes_.clear();
    if (hasPrinter) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(selection_.Device());
        if (!info.isNull()) pageSizes_ = QVector<QPageSize>(info.supportedPageSizes());
    }
    if (pageSizes_.isEmpty()) pageSizes_ = StandardSizes();
    int current = -1;
    for (int i = 0; i < pageSizes_.size(); ++i)
        if (mode.pageSize.isValid() && pageSizes_[i].isEquivalentTo(mode.pageSize)) current = i;
    if (current < 0 && mode.pageSize.isValid()) {
        pageSizes_.append(mode.pageSize);
        current = static_cast<int>(pageSizes_.size()) - 1;
    }
    paperSize_->clear();
    for (const QPageSize& size : pageSizes_) paperSize_->addItem(size.name());
    paperSize_->setCurrentIndex(current);
    (mode.orientation == QPageLayout::Landscape ? landscape_ : portrait_)->setChecked(true);
    // Without a printer there is no mode to keep the paper in.
    for (QWidget* control : std::initializer_list<QWidget*>{paperSize_, portrait_, landscape_})
        control->setEnabled(hasPrinter);
}

QWidget* CCalcPageSetup::Control(int id) const {
    switch (id) {
        case IdOk:
            return ok_;
        case IdCancel:
            return cancel_;
        case IdPrinter:
            return printerButton_;
        case IdPortrait:
            return portrait_;
        case IdLandscape:
            return landscape_;
        case IdPaperSize:
            return paperSize_;
        case IdMarginLeft:
            return margins_[Left];
        case IdMarginTop:
            return margins_[Top];
        case IdMarginRight:
            return margins_[Right];
        case IdMarginBottom:
            return margins_[Bottom];
        case IdFileInfo:
            return fileInfoBox_;
        case IdDate:
            return dateBox_;
        case IdTime:
            return timeBox_;
        case IdNumber:
            return numberBox_;
        case IdNumberFormat:
            return formatList_;
        case IdPosition:
            return positionList_;
        case IdTextSelect:
            return textSelect_;
        case IdServiceSelect:
            return serviceSelect_;
        case IdTextDefault:
            return textDefaultBox_;
        case IdTextDescription:
            return textDescription_;
        case IdServiceDefault:
            return serviceDefaultBox_;
        case IdServiceDescription:
            return serviceDescription_;
        default:
            return nullptr;
    }
}

int CCalcPageSetup::MarginField(MarginSide side) const {
    // The field is a whole number of hundredths of a millimetre or
    // thousandths of an inch; the box shows it in millimetres or inches.
    return static_cast<int>(std::lround(margins_[side]->value() * (metric_ ? 100.0 : 1000.0)));
}

void CCalcPageSetup::SetMarginField(MarginSide side, int field) {
    margins_[side]->setValue(field / (metric_ ? 100.0 : 1000.0));
}

void CCalcPageSetup::OnNumberToggled(bool on) {
    formatList_->setEnabled(on);
    positionList_->setEnabled(on);
}

void CCalcPageSetup::ShowFont(bool service) {
    (service ? serviceDescription_ : textDescription_)
        ->setText(Describe(service ? serviceFont_ : textFont_));
    (service ? serviceDefaultBox_ : textDefaultBox_)
        ->setChecked(service ? serviceDefault_ : textDefault_);
}

void CCalcPageSetup::OnSelectFont(bool service) {
    PrintFont& font = service ? serviceFont_ : textFont_;
    const int dpiY = logicalDpiY();
    // Points at the screen's resolution: the character height the size gives there.
    QFont initial(font.face);
    initial.setPointSize(std::max(1, font.size));
    initial.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    initial.setItalic(font.italic);
    CCalcFontDialog dialog(initial, this);
    if (!dialog.DoModal()) return;
    const QFont& chosen = dialog.SelectedFont();
    const int size = chosen.pixelSize() > 0 ? MulDiv(chosen.pixelSize(), 72, dpiY)
                                            : static_cast<int>(std::lround(chosen.pointSizeF()));
    font.size = std::abs(size);
    font.italic = chosen.italic();
    font.weight = chosen.weight();
    font.face = chosen.family();
    (service ? serviceDefault_ : textDefault_) =
        service ? IsDefaultService(font) : IsDefaultText(font);
    ShowFont(service);
}

void CCalcPageSetup::OnDefaultClicked(bool service) {
    QCheckBox* box = service ? serviceDefaultBox_ : textDefaultBox_;
    (service ? serviceDefault_ : textDefault_) = box->isChecked();
    if (!box->isChecked()) return;
    (service ? serviceFont_ : textFont_) =
        service ? PrintSettings::DefaultServiceFont() : PrintSettings::DefaultTextFont();
    ShowFont(service);
}

void CCalcPageSetup::OnChoosePrinter() {
    QStringList names;
    for (const PrinterQueue& queue : PrinterSelection::AvailablePrinters())
        names.append(queue.name);
    if (names.isEmpty()) return;
    const std::optional<QString> chosen = ChooserSlot()
                                              ? ChooserSlot()(names, selection_.Device())
                                              : AskPrinter(this, names, selection_.Device());
    if (!chosen || *chosen == selection_.Device()) return;
    const std::optional<PrinterQueue> queue = PrinterSelection::FindPrinter(*chosen);
    if (!queue) return;
    selection_.Select(*queue);
    FillPrinter();
}

void CCalcPageSetup::accept() {
    fileInfo_ = fileInfoBox_->isChecked();
    date_ = dateBox_->isChecked();
    time_ = timeBox_->isChecked();
    number_ = numberBox_->isChecked();
    formatIndex_ = formatList_->currentIndex();
    positionIndex_ = positionList_->currentIndex();

    settings_.marginLeft = MarginOf(MarginField(Left), metric_);
    settings_.marginTop = MarginOf(MarginField(Top), metric_);
    settings_.marginRight = MarginOf(MarginField(Right), metric_);
    settings_.marginBottom = MarginOf(MarginField(Bottom), metric_);
    settings_.items = PrintItems::Compose(
        fileInfo_, time_, date_, number_, formatIndex_ < 0 ? PrintItems::FormatNOfN : formatIndex_,
        positionIndex_ < 0 ? PrintItems::FooterRight : positionIndex_);
    settings_.textFont = textFont_;
    settings_.serviceFont = serviceFont_;

    // The paper and its orientation belong to the printer's mode.
    const int paper = paperSize_->currentIndex();
    if (selection_.HasNames() && paper >= 0 && paper < pageSizes_.size()) {
        PrinterMode mode = selection_.DecodedMode();
        if (mode.device.isEmpty()) mode.device = selection_.Device();
        mode.pageSize = pageSizes_[paper];
        mode.orientation = landscape_->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
        mode.fields |= PrinterMode::Orientation | PrinterMode::PaperSize |
                       PrinterMode::PaperLength | PrinterMode::PaperWidth;
        selection_.Set(selection_.Names(), mode.Encode());
    }
    QDialog::accept();
}

int CCalcPageSetup::DoModal() {
    const int result = RunnerSlot() ? RunnerSlot()(*this) : exec();
    return result == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CCalcPageSetup::Run(QWidget* owner, PrintSettings& settings, PrinterSelection& selection) {
    // Twice at most: the second time on the default printer.
    for (int attempt = 0; attempt < 2; ++attempt) {
        selection.EnsureCurrent();  // without any printer the dialog still sets the rest
        if (selection.HasNames()) {
            const QString device = selection.Device();
            const QString modeDevice = selection.DecodedMode().device;
            const bool gone = !PrinterSelection::FindPrinter(device);
            const bool mismatch = selection.HasMode() && !modeDevice.isEmpty() &&
                                  modeDevice != device.left(31);  // the mode keeps 31 units
            if (gone || mismatch) {
                selection.Clear();
                continue;
            }
        }
        CCalcPageSetup dialog(settings, selection, owner);
        dialog.DoModal();
        selection = dialog.Selection();
        return;
    }
}
