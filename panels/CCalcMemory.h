// The memory panel: the store's cells with include check boxes, and the
// Free, Save, Statistics, Invert and Clear buttons. The frame hosts it in
// the "Memory" bar and calls Refresh after every change of the memory.
#pragma once

#include <QString>
#include <QVector>
#include <QWidget>
#include <functional>
#include <vector>

#include "panels/PanelServices.h"

class CCalcFileDialog;
class CCalcStatistics;
class QAbstractButton;
class QTreeWidget;
class QTreeWidgetItem;

class CCalcMemory : public QWidget {
    Q_OBJECT
public:
    enum Column { IncludeColumn, NumberColumn, CellColumn, ValueColumn, ColumnCount };
    enum Button {
        FreeButton,
        SaveButton,
        StatisticsButton,
        InvertButton,
        ClearButton,
        ButtonCount
    };
    static constexpr int ListId = 1086;
    static constexpr int ButtonIds[ButtonCount] = {1068, 1085, 1089, 1097, 1051};

    // Runs the save dialog: IDOK with the chosen path in the dialog, or IDCANCEL.
    using FileDialogRunner = std::function<int(CCalcFileDialog& dialog)>;

    // One entry per cell of the store at the last rebuild, in the store's order.
    struct Entry {
        QString name;
        double value = 0.0;
        int included = 0;
    };

    // Reads the column widths of "GUI/Memory". `ask` answers the questions and
    // warnings (the application's message box when empty).
    explicit CCalcMemory(QWidget* parent = nullptr, PanelAsk ask = {});
    // Writes the column widths back.
    ~CCalcMemory() override;

    // Where Statistics sends the chosen values.
    void SetStatisticsPanel(CCalcStatistics* statistics) { statistics_ = statistics; }
    void SetFileDialogRunner(FileDialogRunner runner);
    void SetAsk(PanelAsk ask);

    // Rebuilds the list when the store's changed flag is set (and clears it).
    void Refresh();

    // The button commands.
    void Free();
    void Save();
    void Statistics();
    void Invert();
    void ClearChecks();
    // A click on the header of `column`.
    void SortByColumn(int column);

    // Writes the Value column again under the current result digits.
    void ShowValues();
    // The context menu's actions (also Ctrl+C, Ctrl+Shift+C and Enter in
    // the list): the selected rows' values, one a line in list order, as
    // shown or with every digit ("%.20g"); and "mem[name]" of the current
    // row for the editor's caret. False when no row is selected.
    bool CopyValues(bool exact);
    bool InsertReference();
    // The context menu at `position` of the list's viewport.
    void ShowContextMenu(const QPoint& position);

    // Sort state: the current column and each column's direction, the
    // latter shared by the whole run.
    int SortColumn() const { return sortColumn_; }
    static bool SortAscending(int column);
    // The directions of a fresh start (tests begin from them).
    static void ResetSortDirections();

    QTreeWidget* List() const { return list_; }
    QAbstractButton* ButtonAt(Button button) const { return buttons_[button]; }
    const QVector<Entry>& Entries() const { return entries_; }
    // The check boxes copied into the row table; answers how many are checked.
    int SyncIncluded();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The panel itself changed the store (Free): commands that depend on it refresh.
    void StoreChanged();
    // Text for the editor's caret, as the keypad's keys type it.
    void InsertRequested(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int EntryOf(const QTreeWidgetItem* item) const;
    void PushIncluded();
    void SortRows();
    void EnableButtons();
    void OnItemClicked(QTreeWidgetItem* item, int column);
    void Layout();
    int Compare(int a, int b) const;
    QList<QTreeWidgetItem*> SelectedRows() const;

    friend class MemoryRow;

    QTreeWidget* list_;
    QAbstractButton* buttons_[ButtonCount];
    QVector<Entry> entries_;
    int sortColumn_ = NumberColumn;
    CCalcStatistics* statistics_ = nullptr;
    PanelAsk ask_;
    FileDialogRunner runFileDialog_;
    int margin_;
    int buttonWidth_;
    int buttonHeight_;
};
