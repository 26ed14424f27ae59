#include "shell/CCalcPreferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <vector>

#include "engine/NumberFormat.h"
#include "shell/core/DialogUnitLayout.h"
#include "shell/core/DialogUnits.h"
#include "toolkit/TaResources.h"

CCalcPreferences::CCalcPreferences(QWidget* parent, std::function<void()> refreshMainFrame,
                                   std::function<void()> applySSE2)
    : QDialog(parent), refresh_(std::move(refreshMainFrame)), applySSE2_(std::move(applySSE2)) {
    setWindowTitle(tr(" Preferences"));
    setWindowIcon(TaProgramIcon());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // Controls with their places in dialog units, placed once the base units are final.
    DialogUnitLayout layout(DialogBaseUnits(DialogFont()));
    auto place = [&layout](QWidget* widget, int x, int y, int w, int h) {
        layout.Place(widget, x, y, w, h);
    };
    auto check = [this, &place](const QString& text, int x, int y, int w, int h) {
        auto* box = new QCheckBox(text, this);
        place(box, x, y, w, h);
        return box;
    };
    auto group = [this, &place](const QString& title, int x, int y, int w, int h) {
        auto* box = new QGroupBox(title, this);
        place(box, x, y, w, h);
        return box;
    };
    auto label = [this, &place](const QString& text, int x, int y, int w, int h) {
        auto* l = new QLabel(text, this);
        place(l, x, y, w, h);
        return l;
    };

    // Group boxes first, so the controls inside lie above them.
    group(tr("Keypad"), 3, 3, 129, 44);
    group(tr("Log"), 3, 49, 129, 28);
    group(tr("Calculation"), 3, 79, 129, 81);

    appendPower_ = check(tr("Append power ^ with parenthese"), 9, 15, 121, 10);
    QLabel* notationLabel = label(tr("Notation"), 9, 32, 28, 8);
    notation_ = new QComboBox(this);
    notation_->addItems({tr("West"), tr("East")});
    place(notation_, 77, 30, 48, 12);
    notationLabel->setBuddy(notation_);
    notation_->setAccessibleName(notationLabel->text());

    logPopup_ = check(tr("Pop-up on new message if hidden"), 9, 61, 121, 10);

    QLabel* unitsLabel = label(tr("Trigonometric units"), 9, 93, 62, 8);
    units_ = new QComboBox(this);
    units_->addItems({tr("Radians"), tr("Degrees"), tr("Grads")});
    place(units_, 77, 91, 48, 12);
    unitsLabel->setBuddy(units_);
    units_->setAccessibleName(unitsLabel->text());
    freeConfirmation_ = check(tr("Memory free confirmation"), 9, 110, 98, 10);
    clearConfirmation_ = check(tr("Clear confirmation"), 9, 127, 116, 10);
    useSSE2_ = check(tr("Use SSE2 processor module"), 9, 144, 104, 10);

    // Result digits, a group of its own below the others.
    group(tr("Result digits"), 3, 163, 184, 30);
    QLabel* digitsLabel = label(tr("Show"), 9, 177, 28, 8);
    digitsMode_ = new QComboBox(this);
    digitsMode_->addItems(
        {tr("Exact (19 digits)"), tr("Shortest"), tr("Significant digits"), tr("Decimals")});
    place(digitsMode_, 40, 175, 100, 12);
    digitsLabel->setBuddy(digitsMode_);
    digitsMode_->setAccessibleName(tr("Result digits"));
    digitsCount_ = new QSpinBox(this);
    place(digitsCount_, 144, 175, 30, 12);
    digitsCount_->setAccessibleName(tr("Number of digits"));
    connect(digitsMode_, &QComboBox::currentIndexChanged, this,
            &CCalcPreferences::OnDigitsModeChanged);
    connect(digitsCount_, &QSpinBox::valueChanged, this, [this](int count) {
        if (digitsMode_->currentIndex() == NCalculatorText::ResultDigits::Significant)
            significant_ = count;
        if (digitsMode_->currentIndex() == NCalculatorText::ResultDigits::Decimals)
            decimals_ = count;
    });

    ok_ = new QPushButton(tr("OK"), this);
    place(ok_, 137, 6, 50, 14);
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Cancel"), this);
    place(cancel_, 137, 25, 50, 14);
    default_ = new QPushButton(tr("Default"), this);
    place(default_, 137, 44, 50, 14);
    for (QPushButton* button : {ok_, cancel_, default_}) button->setAutoDefault(false);
    ok_->setDefault(true);

    connect(ok_, &QPushButton::clicked, this, &CCalcPreferences::accept);
    connect(cancel_, &QPushButton::clicked, this, &CCalcPreferences::reject);
    connect(default_, &QPushButton::clicked, this, &CCalcPreferences::OnDefault);

    // Tab order of the template.
    setTabOrder(appendPower_, notation_);
    setTabOrder(notation_, logPopup_);
    setTabOrder(logPopup_, units_);
    setTabOrder(units_, freeConfirmation_);
    setTabOrder(freeConfirmation_, clearConfirmation_);
    setTabOrder(clearConfirmation_, useSSE2_);
    setTabOrder(useSSE2_, digitsMode_);
    setTabOrder(digitsMode_, digitsCount_);
    setTabOrder(digitsCount_, ok_);
    setTabOrder(ok_, cancel_);
    setTabOrder(cancel_, default_);

    // A font wider than the one the template was drawn for would cut the
    // captions: widen the horizontal unit until the longest one fits.
    layout.FitWidths([](const QWidget* widget) {
        const bool caption = qobject_cast<const QCheckBox*>(widget) != nullptr ||
                             qobject_cast<const QLabel*>(widget) != nullptr ||
                             qobject_cast<const QComboBox*>(widget) != nullptr;
        return caption ? widget->sizeHint().width() : 0;
    });
    baseX_ = layout.BaseX();
    baseY_ = layout.BaseY();
    // A drop-down list's template height includes its list; the closed box
    // keeps its natural height, centred on its line.
    layout.Apply([](const QWidget* widget, int boxHeight) {
        const bool box = qobject_cast<const QComboBox*>(widget) != nullptr ||
                         qobject_cast<const QSpinBox*>(widget) != nullptr;
        return box ? widget->sizeHint().height() : boxHeight;
    });
    setFixedSize(DialogUnitsToPixels(0, 0, 191, 196).size());

    Fill(::Preferences);
    useSSE2_->setEnabled(SSE2Available);  // the mark still shows the stored value
}

QRect CCalcPreferences::DialogUnitsToPixels(int x, int y, int w, int h) const {
    return QRect(x * baseX_ / 4, y * baseY_ / 8, w * baseX_ / 4, h * baseY_ / 8);
}

void CCalcPreferences::Fill(const PreferencesValues& values) {
    appendPower_->setChecked(values.AppendPower != 0);
    notation_->setCurrentIndex(values.Notation == 1 ? 1 : 0);
    logPopup_->setChecked(values.LogPopup != 0);
    units_->setCurrentIndex(
        values.TrigonometricUnits <= 2 ? static_cast<int>(values.TrigonometricUnits) : 0);
    freeConfirmation_->setChecked(values.FreeConfirmation != 0);
    clearConfirmation_->setChecked(values.ClearConfirmation != 0);
    useSSE2_->setChecked(values.UseSSE2 != 0);
    NCalculatorText::ResultDigits digits;
    if (!NCalculatorText::ResultDigitsFromCode(values.ResultDigits, digits)) digits = {};
    if (digits.mode == NCalculatorText::ResultDigits::Significant) significant_ = digits.count;
    if (digits.mode == NCalculatorText::ResultDigits::Decimals) decimals_ = digits.count;
    digitsMode_->setCurrentIndex(digits.mode);
    OnDigitsModeChanged(digits.mode);
}

void CCalcPreferences::OnDigitsModeChanged(int mode) {
    using NCalculatorText::ResultDigits;
    const bool significant = mode == ResultDigits::Significant;
    const bool counted = significant || mode == ResultDigits::Decimals;
    const int count = significant ? significant_ : decimals_;
    const QSignalBlocker blocker(digitsCount_);
    digitsCount_->setRange(significant ? 1 : 0, significant ? 17 : 15);
    digitsCount_->setValue(count);
    digitsCount_->setEnabled(counted);
    // An empty box says the count plays no part.
    if (!counted) digitsCount_->clear();
}

PreferencesValues CCalcPreferences::Shown() const {
    PreferencesValues values;
    values.AppendPower = appendPower_->isChecked() ? 1 : 0;
    values.Notation = static_cast<uint32_t>(notation_->currentIndex());
    values.LogPopup = logPopup_->isChecked() ? 1 : 0;
    values.TrigonometricUnits = static_cast<uint32_t>(units_->currentIndex());
    values.UseSSE2 = useSSE2_->isChecked() ? 1 : 0;
    values.FreeConfirmation = freeConfirmation_->isChecked() ? 1 : 0;
    values.ClearConfirmation = clearConfirmation_->isChecked() ? 1 : 0;
    const auto mode = static_cast<NCalculatorText::ResultDigits::Mode>(digitsMode_->currentIndex());
    values.ResultDigits = NCalculatorText::ResultDigitsCode(
        {mode, mode == NCalculatorText::ResultDigits::Significant ? significant_ : decimals_});
    return values;
}

void CCalcPreferences::OnDefault() {
    PreferencesValues defaults;
    defaults.AppendPower = 1;
    defaults.Notation = 0;
    defaults.LogPopup = 1;
    defaults.TrigonometricUnits = 0;
    defaults.UseSSE2 = 0;
    defaults.FreeConfirmation = 0;
    defaults.ClearConfirmation = 0;
    defaults.ResultDigits = 0;
    Fill(defaults);
}

void CCalcPreferences::accept() {
    ::Preferences = Shown();
    PreferencesChanged = true;
    if (SSE2Available && applySSE2_) applySSE2_();
    QDialog::accept();
    if (refresh_) refresh_();
}

int CCalcPreferences::DoModal() { return exec() == QDialog::Accepted ? 1 : 2; }

QWidget* CCalcPreferences::Control(int id) const {
    switch (id) {
        case IdAppendPower:
            return appendPower_;
        case IdNotation:
            return notation_;
        case IdLogPopup:
            return logPopup_;
        case IdTrigonometricUnits:
            return units_;
        case IdFreeConfirmation:
            return freeConfirmation_;
        case IdClearConfirmation:
            return clearConfirmation_;
        case IdUseSSE2:
            return useSSE2_;
        case IdOk:
            return ok_;
        case IdCancel:
            return cancel_;
        case IdDefault:
            return default_;
        case IdResultDigits:
            return digitsMode_;
        case IdDigitsCount:
            return digitsCount_;
        default:
            return nullptr;
    }
}
