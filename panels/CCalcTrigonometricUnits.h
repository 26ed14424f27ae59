// The popup selector of the angle unit: a small owned window with one
// drop-down list (Radians, Degrees, Grads). The frame creates it hidden,
// toggles it with command 32780 and keeps it in line with the preference.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>

class QComboBox;

// The unit the user picked in any selector (index = unit) becomes the
// preference, and the preferences are marked for writing at exit; false
// (and nothing marked) when that unit was already chosen.
bool ChooseTrigonometricUnit(int unit);

// "Rad", "Deg" or "Grad" for the status pane (anything outside 0..2 is "Rad").
QString TrigonometricUnitPaneText(uint32_t unit);
// " Rad", " Deg", " Grad": the toolbar list's items.
QStringList TrigonometricUnitToolbarItems();

class CCalcTrigonometricUnits : public QDialog {
    Q_OBJECT
public:
    static constexpr int ListId = 1088;

    // Owned by the frame; stays hidden until shown.
    explicit CCalcTrigonometricUnits(QWidget* owner = nullptr);

    // Selects `unit` in the list when it differs; emits nothing.
    void ShowUnit(uint32_t unit);

    QComboBox* List() const { return list_; }

    QSize sizeHint() const override;

signals:
    // The user picked a unit here; the preference is already set. The frame
    // brings the status pane and the toolbar list in line.
    void UnitChosen(int unit);
    // Shown or hidden (the vertical toolbar's button shows it as its check).
    void VisibilityChanged(bool visible);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QComboBox* list_;
};
