// The Preferences dialog: edits a copy of the seven process-wide
// preferences and of the result digits, and applies it on OK.
#pragma once

#include <QDialog>
#include <functional>

#include "engine/Preferences.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

class CCalcPreferences : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 103;
    enum ControlId {
        IdAppendPower = 1074,
        IdNotation = 1079,
        IdLogPopup = 1081,
        IdTrigonometricUnits = 1082,
        IdFreeConfirmation = 1120,
        IdClearConfirmation = 1121,
        IdUseSSE2 = 1083,
        IdOk = 1,
        IdCancel = 2,
        IdDefault = 1084,
        // The result digits group, below the template's controls.
        IdResultDigits = 1140,
        IdDigitsCount = 1141,
    };

    // `refreshMainFrame` runs after OK has stored the values (result pane,
    // units, keypad notation); `applySSE2` switches the math module and runs
    // only where SSE2Available. Either may be empty.
    explicit CCalcPreferences(QWidget* parent = nullptr,
                              std::function<void()> refreshMainFrame = {},
                              std::function<void()> applySSE2 = {});

    // Shows the dialog modally; IDOK (1) or IDCANCEL (2).
    int DoModal();

    // The control with a template id (for tests and the help system).
    QWidget* Control(int id) const;
    // The values the controls show now.
    PreferencesValues Shown() const;

    // Dialog units to pixels with the dialog font's base units.
    QRect DialogUnitsToPixels(int x, int y, int w, int h) const;
    int BaseUnitX() const { return baseX_; }
    int BaseUnitY() const { return baseY_; }

public slots:
    void OnDefault();
    void accept() override;  // OK

private:
    void Fill(const PreferencesValues& values);
    // The count box follows the kind of digits chosen.
    void OnDigitsModeChanged(int mode);

    std::function<void()> refresh_;
    std::function<void()> applySSE2_;
    int baseX_ = 6;
    int baseY_ = 13;

    QCheckBox* appendPower_ = nullptr;
    QComboBox* notation_ = nullptr;
    QCheckBox* logPopup_ = nullptr;
    QComboBox* units_ = nullptr;
    QCheckBox* freeConfirmation_ = nullptr;
    QCheckBox* clearConfirmation_ = nullptr;
    QCheckBox* useSSE2_ = nullptr;
    QComboBox* digitsMode_ = nullptr;
    QSpinBox* digitsCount_ = nullptr;
    int significant_ = 6;  // the count each kind had last
    int decimals_ = 2;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* default_ = nullptr;
};
