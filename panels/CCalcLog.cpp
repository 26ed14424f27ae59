#include "panels/CCalcLog.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include "engine/Preferences.h"
#include "panels/ColumnWidths.h"
#include "panels/PanelServices.h"
#include "toolkit/U16Text.h"

namespace {

const QString kSection = QStringLiteral("GUI/Log");

// The status column is measured by its widest word as shown, so that a
// translation longer than "Warning" fits too.
QVector<ColumnWidthKey> Keys() {
    QVector<ColumnWidthKey> keys = {
        {QStringLiteral("NumberWidth"), QStringLiteral("88")},
        {QStringLiteral("StatusWidth"), CCalcLog::tr("Warning")},
        {QStringLiteral("ContextWidth"), QStringLiteral("Archyperbolic cotangent")},
        {QStringLiteral("DescriptionWidth"),
         QStringLiteral(
             "Operation resulted in partial loss of precision, result accepted as 0.12345678.")},
    };
    return keys;
}

constexpr int kSeverityRole = Qt::UserRole;

// The selection shows only while the list has the focus; without it the
// selected row is drawn as any other, in its severity's colour.
class FocusedSelectionDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QWidget* view = option->widget;
        if (view && !view->hasFocus()) option->state &= ~QStyle::State_Selected;
    }
};

}  // namespace

CCalcLog::CCalcLog(QWidget* parent) : QWidget(parent), list_(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("CCalcLog"));
    list_->setObjectName(QStringLiteral("list1055"));
    list_->setAccessibleName(tr("Log"));
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);  // full-row selection
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSortingEnabled(false);
    list_->setFocusPolicy(Qt::StrongFocus);
    list_->header()->setSectionsClickable(false);
    list_->header()->setSectionsMovable(false);
    list_->header()->setStretchLastSection(false);
    list_->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // The selection shows only while the list has the focus.
    list_->setItemDelegate(new FocusedSelectionDelegate(list_));
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Inactive, QPalette::Base));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Inactive, QPalette::Text));
    list_->setPalette(palette);

    QTreeWidgetItem* header = new QTreeWidgetItem;
    header->setText(NumberColumn, tr("N"));
    header->setText(StatusColumn, tr("Status"));
    header->setText(ContextColumn, tr("Context"));
    header->setText(DescriptionColumn, tr("Description"));
    header->setTextAlignment(NumberColumn, Qt::AlignRight | Qt::AlignVCenter);
    for (int column = StatusColumn; column < ColumnCount; ++column)
        header->setTextAlignment(column, Qt::AlignLeft | Qt::AlignVCenter);
    list_->setColumnCount(ColumnCount);
    list_->setHeaderItem(header);

    const QVector<int> widths = ReadColumnWidths(kSection, Keys(), list_);
    for (int column = 0; column < ColumnCount; ++column)
        list_->header()->resizeSection(column, widths[column]);

    setFocusProxy(list_);
    list_->setGeometry(rect());

    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (item == nullptr) return;
        if (item->data(NumberColumn, kSeverityRole).toInt() == 1) emit ErrorActivated();
        emit RowActivated(list_->indexOfTopLevelItem(item));
    });
}

CCalcLog::~CCalcLog() {
    WriteColumnWidths(kSection, Keys(), list_);
    // Never leave the engine pointing at a destroyed panel.
    if (NCalculatorText::engineState.logReceiver == this)
        NCalculatorText::engineState.logReceiver = nullptr;
}

void CCalcLog::AddMessage(const NCalculatorText::Diagnostic& record) {
    const int row = list_->topLevelItemCount();
    auto* item = new QTreeWidgetItem;
    item->setText(NumberColumn, QString::number(row + 1));
    item->setTextAlignment(NumberColumn, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(StatusColumn, record.severity == 1 ? tr("Error") : tr("Warning"));
    item->setText(ContextColumn, QStringFromU16(record.context));
    item->setText(DescriptionColumn, QStringFromU16(record.description));
    item->setData(NumberColumn, kSeverityRole, record.severity);
    // Errors in red, everything else in blue.
    const QColor colour =
        record.severity == 1 ? QColor(0xFF, 0x00, 0x00) : QColor(0x00, 0x00, 0xFF);
    for (int column = 0; column < ColumnCount; ++column) item->setForeground(column, colour);
    list_->addTopLevelItem(item);
    list_->scrollToItem(item, QAbstractItemView::EnsureVisible);

    if (Preferences.LogPopup != 0) emit PopupRequested();
}

void CCalcLog::Clear() { list_->clear(); }

int CCalcLog::RowSeverity(int row) const {
    const QTreeWidgetItem* item = list_->topLevelItem(row);
    return item ? item->data(NumberColumn, kSeverityRole).toInt() : 0;
}

QSize CCalcLog::sizeHint() const { return PanelDialogUnits(this, 166, 33); }

QSize CCalcLog::minimumSizeHint() const { return sizeHint(); }

void CCalcLog::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    list_->setGeometry(0, 0, width(), height());
}
