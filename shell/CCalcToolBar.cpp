#include "shell/CCalcToolBar.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QResizeEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "panels/CCalcTrigonometricUnits.h"
#include "shell/core/StringIds.h"

CCalcToolBar::CCalcToolBar(QWidget* parent)
    : QToolBar(DocTemplate::WindowTitle(), parent), units_(new QComboBox(this)) {
    setObjectName(QStringLiteral("ToolBar"));
    setAllowedAreas(Qt::AllToolBarAreas);
    setIconSize(QSize(kIconSize, kIconSize));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Buttons side by side, as on the platform's flat toolbars: with the
    // style's gaps between them the bar is wider than the default window.
    setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; }"));

    units_->setObjectName(QStringLiteral("combo%1").arg(kUnitsId));
    units_->setFont(ComboFont());
    units_->addItems(TrigonometricUnitToolbarItems());
    units_->setFocusPolicy(Qt::StrongFocus);
    units_->view()->setMaximumHeight(kDropDownHeight);
    comboWidth_ = QFontMetrics(units_->font()).horizontalAdvance(QStringLiteral(" Grad ")) +
                  style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, units_) + 4;
    units_->setFixedWidth(comboWidth_);
    units_->hide();
    connect(units_, &QComboBox::activated, this, [this](int index) {
        ChooseTrigonometricUnit(index);
        emit UnitChosen(index);
    });

    connect(this, &QToolBar::orientationChanged, this, [this](Qt::Orientation orientation) {
        SetVertical(orientation == Qt::Vertical, true);
        RefitLater();
    });
    connect(this, &QToolBar::topLevelChanged, this, [this](bool floating) {
        if (floating) SetVertical(false, true);
        // A floating bar is as long as its entries: nothing to fit.
        if (floating)
            SetCompact(false);
        else
            RefitLater();
    });
}

QFont CCalcToolBar::ComboFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(28);
    font.setWeight(QFont::Bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont CCalcToolBar::CompactComboFont() {
    QFont font = ComboFont();
    font.setPixelSize(18);
    return font;
}

QSize CCalcToolBar::ButtonSizeFor(int comboHeight) {
    return comboHeight < 42 ? QSize(48, 43) : QSize(comboHeight + 6, comboHeight);
}

int CCalcToolBar::ThicknessFor(int comboHeight) { return comboHeight < 42 ? 49 : comboHeight + 6; }

void CCalcToolBar::Populate(const QList<int>& entries, const std::function<QAction*(int)>& actionOf,
                            QAction* units) {
    unitsButton_ = units;
    bool lastWasSeparator = true;  // no separator at the start
    QList<int> pending = entries;
    while (!pending.isEmpty() && pending.last() == 0) pending.removeLast();
    for (int id : pending) {
        if (id == 0) {
            if (!lastWasSeparator) addSeparator();
            lastWasSeparator = true;
            continue;
        }
        if (id == kUnitsId) {
            // The list and the button share entry 21; one of them shows.
            comboAction_ = addWidget(units_);
            addAction(unitsButton_);
            lastWasSeparator = false;
            continue;
        }
        if (QAction* action = actionOf(id)) {
            addAction(action);
            lastWasSeparator = false;
        }
    }
    // The last separator may be left dangling by a missing last entry.
    if (!actions().isEmpty() && actions().last()->isSeparator()) removeAction(actions().last());
    SizeButtons();
    SetVertical(orientation() == Qt::Vertical, false);
}

QSize CCalcToolBar::ButtonSize() const { return compact_ ? CompactButton() : fullButton_; }

int CCalcToolBar::Thickness() const {
    return compact_ ? std::max(kCompactButton.height(), units_->sizeHint().height()) + 4
                    : ThicknessFor(units_->sizeHint().height());
}

void CCalcToolBar::SizeButtons() {
    if (!compact_) fullButton_ = ButtonSizeFor(units_->sizeHint().height());
    const QSize button = ButtonSize();
    for (QAction* action : actions()) {
        if (auto* tool = qobject_cast<QToolButton*>(widgetForAction(action)))
            tool->setFixedSize(button);
    }
}

void CCalcToolBar::SetVertical(bool vertical, bool fromOrientation) {
    const bool changed = vertical != vertical_;
    vertical_ = vertical;
    if (changed && compact_) SizeButtons();  // the compact size depends on the edge
    if (comboAction_) comboAction_->setVisible(!vertical);
    if (unitsButton_) unitsButton_->setVisible(vertical);
    if (vertical) {
        setMinimumHeight(0);
        setMinimumWidth(Thickness());
    } else {
        setMinimumWidth(0);
        setMinimumHeight(Thickness());
    }
    if (!vertical && changed && fromOrientation) emit TurnedHorizontal();
}

void CCalcToolBar::ShowUnit(uint32_t unit) {
    const int index = unit <= 2 ? static_cast<int>(unit) : 0;
    if (units_->currentIndex() != index) units_->setCurrentIndex(index);
}

int CCalcToolBar::FullLength() const {
    // Separators, handle and margins keep their size; the buttons and the
    // list are exchanged for their full sizes.
    const bool horizontal = orientation() == Qt::Horizontal;
    const auto along = [horizontal](QSize size) {
        return horizontal ? size.width() : size.height();
    };
    int length = along(sizeHint());
    if (!compact_) return length;
    for (QAction* action : actions()) {
        QWidget* widget = widgetForAction(action);
        if (!widget || !action->isVisible()) continue;
        if (widget == units_)
            length += comboWidth_ - compactComboWidth_;
        else if (qobject_cast<QToolButton*>(widget))
            length += along(fullButton_) - along(CompactButton());
    }
    return length;
}

void CCalcToolBar::SetCompact(bool compact) {
    if (compact == compact_) return;
    compact_ = compact;
    // Measured when first needed: a font at one more size costs the start.
    if (compact && compactComboWidth_ == 0)
        compactComboWidth_ =
            QFontMetrics(CompactComboFont()).horizontalAdvance(QStringLiteral(" Grad ")) +
            style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, units_) + 4;
    setIconSize(compact ? QSize(kCompactIconSize, kCompactIconSize) : QSize(kIconSize, kIconSize));
    units_->setFont(compact ? CompactComboFont() : ComboFont());
    units_->setFixedWidth(compact ? compactComboWidth_ : comboWidth_);
    SizeButtons();
    SetVertical(vertical_, false);
}

void CCalcToolBar::FitLength(int available) {
    if (isFloating() || available <= 0) return;
    SetCompact(FullLength() > available);
}

void CCalcToolBar::RefitLater() {
    QTimer::singleShot(0, this,
                       [this] { FitLength(orientation() == Qt::Horizontal ? width() : height()); });
}

void CCalcToolBar::resizeEvent(QResizeEvent* event) {
    QToolBar::resizeEvent(event);
    FitLength(orientation() == Qt::Horizontal ? event->size().width() : event->size().height());
}
