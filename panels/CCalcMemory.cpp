#include "panels/CCalcMemory.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <algorithm>

#include "document/CCalcFileDialog.h"
#include "document/DocumentFiles.h"
#include "document/MemoryFiles.h"
#include "engine/FileText.h"
#include "engine/MemoryStore.h"
#include "engine/NumberFormat.h"
#include "engine/Preferences.h"
#include "panels/CCalcStatistics.h"
#include "panels/ColumnWidths.h"
#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaButtonBitmap.h"
#include "toolkit/U16Text.h"

using NCalculatorText::MemoryStore;

namespace {

const QString kSection = QStringLiteral("GUI/Memory");

const QVector<ColumnWidthKey>& Keys() {
    static const QVector<ColumnWidthKey> keys = {
        {QStringLiteral("IncludeWidth"), QStringLiteral("8Incl8")},
        {QStringLiteral("NumberWidth"), QStringLiteral("888")},
        {QStringLiteral("CellWidth"), QStringLiteral("Long name")},
        {QStringLiteral("ValueWidth"), QStringLiteral("+0.00000000000000000000E+000")},
    };
    return keys;
}

constexpr int kEntryRole = Qt::UserRole;
constexpr QRgb kButtonFace = 0xFFD8D8D8;
constexpr int kButtonImages[CCalcMemory::ButtonCount] = {150, 151, 152, 153, 154};

// Rows with room around the check box, so that the boxes of two rows never
// touch and the text is not cramped.
class RoomyRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize hint = QStyledItemDelegate::sizeHint(option, index);
        const QWidget* view = option.widget;
        const QStyle* style = view ? view->style() : nullptr;
        const int box = style ? style->pixelMetric(QStyle::PM_IndicatorHeight, &option, view) : 13;
        const int text = option.fontMetrics.height();
        hint.setHeight(std::max({hint.height(), box + kRowPadding, text + kRowPadding}));
        return hint;
    }

    static constexpr int kRowPadding = 6;
};

// Ascending for N, Cell and Value, descending for Incl, for the whole run.
bool sortAscending[CCalcMemory::ColumnCount] = {false, true, true, true};

}  // namespace

// A row ordered by the panel's comparison of the entries behind the rows.
class MemoryRow : public QTreeWidgetItem {
public:
    MemoryRow(const CCalcMemory* panel, int entry) : panel_(panel) {
        setData(0, kEntryRole, entry);
    }
    bool operator<(const QTreeWidgetItem& other) const override {
        return panel_->Compare(data(0, kEntryRole).toInt(), other.data(0, kEntryRole).toInt()) < 0;
    }

private:
    const CCalcMemory* panel_;
};

CCalcMemory::CCalcMemory(QWidget* parent, PanelAsk ask)
    : QWidget(parent),
      list_(new QTreeWidget(this)),
      ask_(ask ? std::move(ask) : DefaultPanelAsk()),
      runFileDialog_([](CCalcFileDialog& dialog) { return dialog.DoModal(); }) {
    setObjectName(QStringLiteral("CCalcMemory"));
    list_->setObjectName(QStringLiteral("list1086"));
    list_->setAccessibleName(tr("Memory"));
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setItemDelegate(new RoomyRowDelegate(list_));
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSortingEnabled(false);
    list_->setFocusPolicy(Qt::StrongFocus);
    QHeaderView* header = list_->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(true);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* headerItem = new QTreeWidgetItem;
    headerItem->setText(IncludeColumn, tr("Incl"));
    headerItem->setText(NumberColumn, tr("N"));
    headerItem->setText(CellColumn, tr("Cell"));
    headerItem->setText(ValueColumn, tr("Value"));
    for (int column = 0; column < ColumnCount; ++column)
        headerItem->setTextAlignment(
            column, (column == NumberColumn ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    list_->setColumnCount(ColumnCount);
    list_->setHeaderItem(headerItem);

    const QVector<int> widths = ReadColumnWidths(kSection, Keys(), list_);
    for (int column = 0; column < ColumnCount; ++column)
        header->resizeSection(column, widths[column]);

    // Metrics of the button column, from the screen's pixels per inch.
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    margin_ = (5 * dpiX + 72) / 144;
    buttonWidth_ = (13 * dpiX + 18) / 36;
    buttonHeight_ = (13 * dpiY + 18) / 36;

    static const char* const names[ButtonCount] = {QT_TR_NOOP("Free"), QT_TR_NOOP("Save"),
                                                   QT_TR_NOOP("Statistics"), QT_TR_NOOP("Invert"),
                                                   QT_TR_NOOP("Clear")};
    for (int button = 0; button < ButtonCount; ++button) {
        auto* bitmap = new TaButtonBitmap(kButtonImages[button], this);
        bitmap->SetFaceColor(kButtonFace);
        bitmap->setObjectName(QStringLiteral("button%1").arg(ButtonIds[button]));
        bitmap->setAccessibleName(tr(names[button]));
        bitmap->setToolTip(tr(names[button]));
        bitmap->setEnabled(false);
        buttons_[button] = bitmap;
    }
    connect(buttons_[FreeButton], &QAbstractButton::clicked, this, &CCalcMemory::Free);
    connect(buttons_[SaveButton], &QAbstractButton::clicked, this, &CCalcMemory::Save);
    connect(buttons_[StatisticsButton], &QAbstractButton::clicked, this, &CCalcMemory::Statistics);
    connect(buttons_[InvertButton], &QAbstractButton::clicked, this, &CCalcMemory::Invert);
    connect(buttons_[ClearButton], &QAbstractButton::clicked, this, &CCalcMemory::ClearChecks);

    connect(header, &QHeaderView::sectionClicked, this, &CCalcMemory::SortByColumn);
    connect(list_, &QTreeWidget::itemClicked, this, &CCalcMemory::OnItemClicked);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this, &CCalcMemory::ShowContextMenu);
    list_->installEventFilter(this);

    setFocusProxy(list_);
    Layout();
}

CCalcMemory::~CCalcMemory() { WriteColumnWidths(kSection, Keys(), list_); }

void CCalcMemory::SetFileDialogRunner(FileDialogRunner runner) {
    runFileDialog_ =
        runner ? std::move(runner) : [](CCalcFileDialog& dialog) { return dialog.DoModal(); };
}

void CCalcMemory::SetAsk(PanelAsk ask) { ask_ = ask ? std::move(ask) : DefaultPanelAsk(); }

bool CCalcMemory::SortAscending(int column) {
    return column >= 0 && column < ColumnCount ? sortAscending[column] : true;
}

void CCalcMemory::ResetSortDirections() {
    sortAscending[IncludeColumn] = false;
    sortAscending[NumberColumn] = sortAscending[CellColumn] = sortAscending[ValueColumn] = true;
}

int CCalcMemory::EntryOf(const QTreeWidgetItem* item) const {
    return item->data(0, kEntryRole).toInt();
}

int CCalcMemory::SyncIncluded() {
    int checked = 0;
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = list_->topLevelItem(row);
        const int included = item->checkState(IncludeColumn) == Qt::Checked ? 1 : 0;
        entries_[EntryOf(item)].included = included;
        checked += included;
    }
    return checked;
}

void CCalcMemory::PushIncluded() {
    MemoryStore& store = MemoryStore::Instance();
    for (const Entry& entry : entries_)
        if (NCalculatorText::MemoryCell* cell = store.Find(U16FromQString(entry.name)))
            cell->mark = entry.included;
}

void CCalcMemory::Refresh() {
    MemoryStore& store = MemoryStore::Instance();
    if (!store.changed) return;
    store.changed = false;

    SyncIncluded();
    PushIncluded();

    entries_.clear();
    list_->clear();
    int index = 0;
    QList<QTreeWidgetItem*> rows;
    for (const auto& [key, cell] : store) {
        entries_.append({QStringFromU16(cell.name), cell.value, cell.mark});
        auto* row = new MemoryRow(this, index);
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        row->setText(NumberColumn, QString::number(index + 1));
        row->setTextAlignment(NumberColumn, Qt::AlignRight | Qt::AlignVCenter);
        row->setText(CellColumn, entries_.last().name);
        row->setCheckState(IncludeColumn, cell.mark != 0 ? Qt::Checked : Qt::Unchecked);
        rows.append(row);
        ++index;
    }
    list_->addTopLevelItems(rows);
    ShowValues();

    if (sortColumn_ != NumberColumn || !sortAscending[NumberColumn]) SortRows();
    EnableButtons();
}

void CCalcMemory::ShowValues() {
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list_->topLevelItem(row);
        const double value = entries_[EntryOf(item)].value;
        item->setText(ValueColumn, QStringFromU16(NCalculatorText::FormatResult(value)));
        // The tool tip holds every digit, whatever the column shows.
        item->setToolTip(ValueColumn, QStringFromU16(NCalculatorText::FormatPrecise(value)));
    }
}

QList<QTreeWidgetItem*> CCalcMemory::SelectedRows() const {
    QList<QTreeWidgetItem*> rows;
    for (int row = 0; row < list_->topLevelItemCount(); ++row)
        if (list_->topLevelItem(row)->isSelected()) rows.append(list_->topLevelItem(row));
    return rows;
}

bool CCalcMemory::CopyValues(bool exact) {
    const QList<QTreeWidgetItem*> rows = SelectedRows();
    if (rows.isEmpty()) return false;
    QStringList values;
    for (const QTreeWidgetItem* item : rows) {
        values.append(
            exact ? QStringFromU16(NCalculatorText::FormatPrecise(entries_[EntryOf(item)].value))
                  : item->text(ValueColumn));
    }
    QGuiApplication::clipboard()->setText(values.join(u'\n'));
    return true;
}

bool CCalcMemory::InsertReference() {
    QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr || !item->isSelected()) {
        const QList<QTreeWidgetItem*> rows = SelectedRows();
        if (rows.isEmpty()) return false;
        item = rows.first();
    }
    emit InsertRequested(QStringLiteral("mem[") + entries_[EntryOf(item)].name + u']');
    return true;
}

void CCalcMemory::ShowContextMenu(const QPoint& position) {
    QMenu menu(this);
    const bool selected = !SelectedRows().isEmpty();
    QAction* copy = menu.addAction(tr("&Copy value"), this, [this] { CopyValues(false); });
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    QAction* exact = menu.addAction(tr("Copy &exact value"), this, [this] { CopyValues(true); });
    exact->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    QAction* insert =
        menu.addAction(tr("&Insert into the text"), this, [this] { InsertReference(); });
    insert->setShortcut(QKeySequence(Qt::Key_Enter));
    for (QAction* action : {copy, exact, insert}) {
        action->setEnabled(selected);
        action->setShortcutContext(Qt::WidgetShortcut);  // shown only; the list takes the keys
    }
    menu.exec(list_->viewport()->mapToGlobal(position));
}

void CCalcMemory::EnableButtons() {
    const int count = list_->topLevelItemCount();
    buttons_[FreeButton]->setEnabled(count > 0);
    buttons_[SaveButton]->setEnabled(count > 0);
    buttons_[StatisticsButton]->setEnabled(count > 1);
    buttons_[InvertButton]->setEnabled(count > 0);
    buttons_[ClearButton]->setEnabled(count > 0);
}

int CCalcMemory::Compare(int a, int b) const {
    const Entry& first = entries_[a];
    const Entry& second = entries_[b];
    int order = 0;
    switch (sortColumn_) {
        case IncludeColumn:
            order = first.included < second.included   ? -1
                    : first.included > second.included ? 1
                                                       : 0;
            break;
        case NumberColumn:
            order = a < b ? -1 : a > b ? 1 : 0;
            break;
        case CellColumn: {
            // Code unit by code unit, case-sensitive, as the store orders names.
            const int compared =
                QStringView(first.name).compare(QStringView(second.name), Qt::CaseSensitive);
            order = compared < 0 ? -1 : compared > 0 ? 1 : 0;
            break;
        }
        case ValueColumn:
            order = first.value < second.value ? -1 : first.value > second.value ? 1 : 0;
            break;
        default:
            break;
    }
    return sortAscending[sortColumn_] ? order : -order;
}

void CCalcMemory::SortRows() { list_->sortItems(sortColumn_, Qt::AscendingOrder); }

void CCalcMemory::SortByColumn(int column) {
    if (column < 0 || column >= ColumnCount) return;
    if (column == sortColumn_) {
        sortAscending[column] = !sortAscending[column];
    } else {
        sortColumn_ = column;
        // The first click on Incl lists the checked rows first.
        sortAscending[column] = column != IncludeColumn;
    }
    if (sortColumn_ == IncludeColumn) SyncIncluded();
    SortRows();
}

void CCalcMemory::OnItemClicked(QTreeWidgetItem*, int column) {
    if (column <= IncludeColumn) return;  // the check box column toggles by itself
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    for (QTreeWidgetItem* item : selected) item->setCheckState(IncludeColumn, Qt::Checked);
}

void CCalcMemory::Invert() {
    SyncIncluded();
    for (Entry& entry : entries_) entry.included = entry.included ? 0 : 1;
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list_->topLevelItem(row);
        item->setCheckState(IncludeColumn,
                            entries_[EntryOf(item)].included ? Qt::Checked : Qt::Unchecked);
    }
}

void CCalcMemory::ClearChecks() {
    for (int row = 0; row < list_->topLevelItemCount(); ++row)
        list_->topLevelItem(row)->setCheckState(IncludeColumn, Qt::Unchecked);
    for (Entry& entry : entries_) entry.included = 0;
}

void CCalcMemory::Free() {
    const int checked = SyncIncluded();
    const int rows = list_->topLevelItemCount();
    MemoryStore& store = MemoryStore::Instance();
    if (checked == 0 || checked == rows) {
        if (rows == 0) return;
        if (Preferences.FreeConfirmation != 0 &&
            ask_(tr("Erase all the memory?"), MB_YESNO | MB_ICONQUESTION, 0) != IDYES)
            return;
        store.Clear();
    } else {
        if (Preferences.FreeConfirmation != 0 &&
            ask_(tr("Erase the selected memory?"), MB_YESNO | MB_ICONQUESTION, 0) != IDYES)
            return;
        PushIncluded();
        store.EraseMarked();
    }
    Refresh();
    emit StoreChanged();
}

void CCalcMemory::Save() {
    const int checked = SyncIncluded();
    if (checked > 0) PushIncluded();
    const std::u16string text = NCalculatorText::FormatMemoryFile(checked == 0);

    CCalcFileDialog dialog(false, QStringLiteral("tvm"), tr("Memory 1"),
                           CCalcFileDialog::kDefaultFlags,
                           tr("Calculator memory files (*.tvm)|*.tvm||"), window());
    dialog.SetFolder(CCalcFileDialog::Folder::Memory);
    if (runFileDialog_(dialog) != IDOK) return;
    const NCalculatorText::FileOutcome written = WriteMemoryFile(dialog.GetPathName(), text);
    if (written.failure == NCalculatorText::FileFailure::PartlyWritten)
        ask_(PartlyWrittenMessage(dialog.GetPathName()), MB_OK | MB_ICONEXCLAMATION, 0);
    else if (!written.Ok())
        ask_(tr("Cannot open the file for writing."), MB_OK | MB_ICONEXCLAMATION, 0);
}

void CCalcMemory::Statistics() {
    const int checked = SyncIncluded();
    bool all = checked == 0;
    if (checked == 1) {
        if (ask_(tr("Only one cell is selected.\nCalculate for all cells?"),
                 MB_YESNO | MB_ICONQUESTION, 0) != IDYES)
            return;
        all = true;
    }
    std::vector<double> values;
    for (const Entry& entry : entries_)
        if (all || entry.included) values.push_back(entry.value);
    if (statistics_) statistics_->Calculate(values);
}

namespace {

enum class ListKey { None, Copy, CopyExact, Insert };

ListKey ListKeyOf(const QKeyEvent* key) {
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_C && modifiers == Qt::ControlModifier) return ListKey::Copy;
    if (key->key() == Qt::Key_C && modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return ListKey::CopyExact;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        modifiers == Qt::NoModifier)
        return ListKey::Insert;
    return ListKey::None;
}

}  // namespace

bool CCalcMemory::eventFilter(QObject* watched, QEvent* event) {
    // The list's own keys come before the window's shortcuts (Ctrl+C copies
    // the editor's selection elsewhere).
    if (watched == list_ && event->type() == QEvent::ShortcutOverride &&
        ListKeyOf(static_cast<QKeyEvent*>(event)) != ListKey::None) {
        event->accept();
        return true;
    }
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        switch (ListKeyOf(static_cast<QKeyEvent*>(event))) {
            case ListKey::Copy:
                CopyValues(false);
                return true;
            case ListKey::CopyExact:
                CopyValues(true);
                return true;
            case ListKey::Insert:
                InsertReference();
                return true;
            case ListKey::None:
                break;
        }
    }
    // Space toggles the check box of the current row, wherever the focus cell is.
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            if (QTreeWidgetItem* item = list_->currentItem()) {
                item->setCheckState(IncludeColumn, item->checkState(IncludeColumn) == Qt::Checked
                                                       ? Qt::Unchecked
                                                       : Qt::Checked);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

QSize CCalcMemory::sizeHint() const {
    // Wide enough that every column shows whole at its width, a value with
    // a long exponent included, with room for the vertical scroll bar.
    const QSize minimum = minimumSizeHint();
    const QHeaderView* header = list_->header();
    int columns = 0;
    for (int column = 0; column < ColumnCount; ++column) columns += header->sectionSize(column);
    const int listWidth = columns + 2 * list_->frameWidth() +
                          list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                      list_->verticalScrollBar());
    int width = margin_ + listWidth + buttonWidth_ + (3 * margin_ + 1) / 2;
    // Beside the editor, never more than two thirds of the screen: stored
    // column widths as wide as the screen would otherwise widen the window
    // past it.
    if (const QScreen* shown = screen(); shown != nullptr)
        width = std::min(width, shown->availableGeometry().width() * 2 / 3);
    return QSize(std::max(minimum.width(), width), minimum.height());
}

QSize CCalcMemory::minimumSizeHint() const {
    // The template's size, never lower than the button column.
    const QSize hint = PanelDialogUnits(this, 166, 120);
    const int buttons = margin_ + ButtonCount * (buttonHeight_ + margin_);
    return QSize(hint.width(), std::max(hint.height(), buttons));
}

void CCalcMemory::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout();
}

void CCalcMemory::Layout() {
    const int w = width();
    const int h = height();
    const int m = margin_;
    const int listRight = w - buttonWidth_ - (3 * m + 1) / 2;
    list_->setGeometry(m, m, std::max(0, listRight - m), std::max(0, h - m - m));
    const int left = listRight + m;
    for (int button = 0; button < ButtonCount; ++button)
        buttons_[button]->setGeometry(left, m + button * (buttonHeight_ + m), buttonWidth_,
                                      buttonHeight_);
}
