// The main window's toolbar: file, memory, edit, panel and preference
// buttons, and the angle-unit list. Lying horizontally (or floating) the
// toolbar shows the list; docked at the left or right it shows a button in
// its place that shows and hides the units window. When its edge of the
// window is too short for the full-size entries, it turns compact (smaller
// images, buttons and list) so that no entry hides behind the extension
// button.
#pragma once

#include <QFont>
#include <QToolBar>
#include <cstdint>
#include <functional>

#include "shell/core/CommandIds.h"

class QAction;
class QComboBox;

class CCalcToolBar : public QToolBar {
    Q_OBJECT
public:
    // The bar's id is the id of the command that shows and hides it.
    static constexpr int kId = CommandId::ViewToolbar;
    static constexpr int kUnitsId = CommandId::TrigonometricUnits;
    static constexpr int kUnitsImage = 14;
    static constexpr int kDropDownHeight = 256;
    static constexpr int kIconSize = 32;

    explicit CCalcToolBar(QWidget* parent = nullptr);

    // Builds the entries in order from the frame's actions; `units` is the
    // action of command 32780 (the vertical mode's button). Entries whose
    // command has no action are left out together with a separator that
    // would then stand doubled.
    void Populate(const QList<int>& entries, const std::function<QAction*(int)>& actionOf,
                  QAction* units);

    QComboBox* UnitsCombo() const { return units_; }
    QAction* UnitsButton() const { return unitsButton_; }
    bool IsVertical() const { return vertical_; }
    // Width of the list: " Grad " in the list's font, a scroll bar and 4.
    int ComboWidth() const { return comboWidth_; }
    // Button size from the list's height h: 48 x 43 below 42, else (h + 6) x h.
    static QSize ButtonSizeFor(int comboHeight);
    // Toolbar thickness: 49 below 42, else h + 6.
    static int ThicknessFor(int comboHeight);

    // Selects `unit` in the list when it differs (no signal).
    void ShowUnit(uint32_t unit);

    // The list's font: Arial, bold, 28 pixels, antialiased.
    static QFont ComboFont();

    // The compact entries: 24-pixel images, buttons of 34 x 32 (34 x 28 at
    // the side, where the window's height is shorter) and the list in 18 pixels.
    static constexpr int kCompactIconSize = 24;
    static constexpr QSize kCompactButton{34, 32};
    static constexpr QSize kCompactSideButton{34, 28};
    static QFont CompactComboFont();
    bool IsCompact() const { return compact_; }
    // The bar's length along its orientation with the full-size entries.
    int FullLength() const;

signals:
    // The user picked a unit in the list.
    void UnitChosen(int unit);
    // The toolbar turned horizontal: the units window is to be hidden.
    void TurnedHorizontal();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetVertical(bool vertical, bool fromOrientation);
    void SizeButtons();
    void SetCompact(bool compact);
    // Compact when the full-size entries are longer than `available`.
    void FitLength(int available);
    QSize ButtonSize() const;
    QSize CompactButton() const { return vertical_ ? kCompactSideButton : kCompactButton; }
    // Fits again once a move to another edge or out of floating has settled.
    void RefitLater();
    int Thickness() const;

    QComboBox* units_;
    QAction* comboAction_ = nullptr;
    QAction* unitsButton_ = nullptr;
    int comboWidth_ = 0;
    int compactComboWidth_ = 0;
    QSize fullButton_;
    bool vertical_ = false;
    bool compact_ = false;
};
