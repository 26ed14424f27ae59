#include "panels/CCalcTrigonometricUnits.h"

#include <QComboBox>
#include <QCoreApplication>
#include <algorithm>

#include "engine/Preferences.h"
#include "panels/PanelServices.h"

bool ChooseTrigonometricUnit(int unit) {
    // Picking the unit already in force changes nothing to write at exit.
    if (unit < 0 || static_cast<uint32_t>(unit) == Preferences.TrigonometricUnits) return false;
    Preferences.TrigonometricUnits = static_cast<uint32_t>(unit);
    PreferencesChanged = true;
    return true;
}

QString TrigonometricUnitPaneText(uint32_t unit) {
    switch (unit) {
        case 1:
            return QCoreApplication::translate("CCalcTrigonometricUnits", "Deg");
        case 2:
            return QCoreApplication::translate("CCalcTrigonometricUnits", "Grad");
        default:
            return QCoreApplication::translate("CCalcTrigonometricUnits", "Rad");
    }
}

QStringList TrigonometricUnitToolbarItems() {
    return {QCoreApplication::translate("CCalcTrigonometricUnits", " Rad"),
            QCoreApplication::translate("CCalcTrigonometricUnits", " Deg"),
            QCoreApplication::translate("CCalcTrigonometricUnits", " Grad")};
}

CCalcTrigonometricUnits::CCalcTrigonometricUnits(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint),
      list_(new QComboBox(this)) {
    setObjectName(QStringLiteral("CCalcTrigonometricUnits"));
    setWindowTitle(tr("Trigonometric function"));
    setModal(false);
    list_->setObjectName(QStringLiteral("combo1088"));
    list_->setAccessibleName(windowTitle());
    list_->addItems({tr("Radians"), tr("Degrees"), tr("Grads")});
    list_->setCurrentIndex(
        Preferences.TrigonometricUnits <= 2 ? static_cast<int>(Preferences.TrigonometricUnits) : 0);

    // Template: 55 x 17 units, the list at 3,3 and 49 units wide.
    const QSize origin = PanelDialogUnits(this, 3, 3);
    const QSize listWidth = PanelDialogUnits(this, 49, 0);
    list_->setGeometry(origin.width(), origin.height(), listWidth.width(),
                       list_->sizeHint().height());
    setFixedSize(sizeHint());

    connect(list_, &QComboBox::activated, this, [this](int index) {
        if (ChooseTrigonometricUnit(index)) emit UnitChosen(index);
    });
}

void CCalcTrigonometricUnits::ShowUnit(uint32_t unit) {
    const int index = unit <= 2 ? static_cast<int>(unit) : 0;
    if (list_->currentIndex() != index) list_->setCurrentIndex(index);
}

QSize CCalcTrigonometricUnits::sizeHint() const {
    // The closed list keeps its natural height; the window wraps it with the template margins.
    const QSize templateSize = PanelDialogUnits(this, 55, 17);
    const QSize origin = PanelDialogUnits(this, 3, 3);
    return QSize(templateSize.width(),
                 std::max(templateSize.height(), list_->sizeHint().height() + 2 * origin.height()));
}

void CCalcTrigonometricUnits::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    emit VisibilityChanged(true);
}

void CCalcTrigonometricUnits::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    emit VisibilityChanged(false);
}
