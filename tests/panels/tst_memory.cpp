// The memory panel: rows from the store, check boxes kept in the cells'
// marks, sorting, clicks, the five buttons with their questions, saving,
// layout and the column widths kept in "GUI/Memory".
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "document/CCalcFileDialog.h"
#include "engine/Diagnostics.h"
#include "engine/MemoryStore.h"
#include "panels/CCalcMemory.h"
#include "panels/CCalcStatistics.h"
#include "panels/ColumnWidths.h"
#include "tests/panels/PanelTestSupport.h"
#include "toolkit/TaButtonBitmap.h"

using NCalculatorText::MemoryStore;

namespace {

struct Cell {
    QString name;
    double value;
};

void Store(const QList<Cell>& cells) {
    for (const Cell& cell : cells)
        MemoryStore::Instance().Assign(cell.name.toStdU16String(), cell.value);
}

QStringList StoreNames() {
    QStringList names;
    for (const auto& [key, cell] : MemoryStore::Instance())
        names.append(QString::fromStdU16String(cell.name));
    return names;
}

QTreeWidgetItem* RowOf(const CCalcMemory& panel, const QString& name) {
    QTreeWidget* list = panel.List();
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        if (list->topLevelItem(row)->text(CCalcMemory::CellColumn) == name)
            return list->topLevelItem(row);
    return nullptr;
}

void Check(const CCalcMemory& panel, const QStringList& names) {
    for (const QString& name : names)
        RowOf(panel, name)->setCheckState(CCalcMemory::IncludeColumn, Qt::Checked);
}

// The names in list order.
QStringList Order(const CCalcMemory& panel) {
    QStringList names;
    for (int row = 0; row < panel.List()->topLevelItemCount(); ++row)
        names.append(panel.List()->topLevelItem(row)->text(CCalcMemory::CellColumn));
    return names;
}

QStringList Checked(const CCalcMemory& panel) {
    QStringList names;
    for (int row = 0; row < panel.List()->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = panel.List()->topLevelItem(row);
        if (item->checkState(CCalcMemory::IncludeColumn) == Qt::Checked)
            names.append(item->text(CCalcMemory::CellColumn));
    }
    return names;
}

QStringList RowTexts(const CCalcMemory& panel, int row) {
    const QTreeWidgetItem* item = panel.List()->topLevelItem(row);
    return {item->text(1), item->text(2), item->text(3)};
}

QPoint CellCentre(const CCalcMemory& panel, QTreeWidgetItem* item, int column) {
    QTreeWidget* list = panel.List();
    return list->visualRect(list->indexFromItem(item, column)).center();
}

QByteArray Utf16LE(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar unit : text) {
        bytes.append(static_cast<char>(unit.unicode() & 0xFF));
        bytes.append(static_cast<char>(unit.unicode() >> 8));
    }
    return bytes;
}

struct SeenDialog {
    bool open;
    QString extension;
    QString proposed;
    QString filter;
    unsigned flags;
};

// Types `typed` into every save dialog (empty: Cancel) and records the dialogs.
class ScriptedFiles {
public:
    explicit ScriptedFiles(QString typed) : typed_(std::move(typed)) {
        previous_ = CCalcFileDialog::SetChooser([this](const CCalcFileDialog& dialog) {
            seen.append({dialog.IsOpenDialog(), dialog.DefaultExtension(), dialog.ProposedName(),
                         dialog.Filter(), dialog.Flags()});
            return typed_;
        });
    }
    ~ScriptedFiles() { CCalcFileDialog::SetChooser(std::move(previous_)); }
    QList<SeenDialog> seen;

private:
    QString typed_;
    CCalcFileDialog::Chooser previous_;
};

const QList<Cell> kThree = {{"a", 1.0}, {"b", 2.0}, {"c", 3.0}};

}  // namespace

class MemoryTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        settings_ = std::make_unique<TempSettings>();
        ResetPreferences();
        ResetMemory();
        CCalcMemory::ResetSortDirections();
    }
    void cleanup() {
        ResetMemory();
        NCalculatorText::engineState.logReceiver = nullptr;
        settings_.reset();
    }

    void emptyUntilTheFirstRefresh() {
        Store(kThree);
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        QCOMPARE(panel.List()->topLevelItemCount(), 0);
        for (int button = 0; button < CCalcMemory::ButtonCount; ++button)
            QVERIFY(!panel.ButtonAt(CCalcMemory::Button(button))->isEnabled());
        panel.Refresh();
        QCOMPARE(panel.List()->topLevelItemCount(), 3);
        QVERIFY(!MemoryStore::Instance().changed);
    }

    void rowsFromTheStore() {
        Store({{"x", 0.1}, {"B", 1e300}, {"a", -2.5}, {"", 7.0}, {"a b", 0.0}});
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.Refresh();
        QCOMPARE(panel.List()->topLevelItemCount(), 5);
        QCOMPARE(RowTexts(panel, 0), (QStringList{"1", "", "7"}));
        QCOMPARE(RowTexts(panel, 1), (QStringList{"2", "B", "1.000000000000000053e+300"}));
        QCOMPARE(RowTexts(panel, 2), (QStringList{"3", "a", "-2.5"}));
        QCOMPARE(RowTexts(panel, 3), (QStringList{"4", "a b", "0"}));
        QCOMPARE(RowTexts(panel, 4), (QStringList{"5", "x", "0.1000000000000000056"}));
        QVERIFY(panel.List()->topLevelItem(0)->text(0).isEmpty());
        QCOMPARE(Checked(panel), QStringList());
        const QTreeWidgetItem* header = panel.List()->headerItem();
        QCOMPARE((QStringList{header->text(0), header->text(1), header->text(2), header->text(3)}),
                 (QStringList{"Incl", "N", "Cell", "Value"}));
        QVERIFY(panel.List()->topLevelItem(0)->textAlignment(1) & Qt::AlignRight);
        QCOMPARE(panel.List()->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(panel.List()->header()->sectionsMovable());
    }

    void buttonsFollowTheCount_data() {
        QTest::addColumn<int>("cells");
        QTest::addColumn<QList<bool>>("enabled");  // Free, Save, Statistics, Invert, Clear
        QTest::newRow("none") << 0 << QList<bool>{false, false, false, false, false};
        QTest::newRow("one") << 1 << QList<bool>{true, true, false, true, true};
        QTest::newRow("two") << 2 << QList<bool>{true, true, true, true, true};
    }

    void buttonsFollowTheCount() {
        QFETCH(int, cells);
        QFETCH(QList<bool>, enabled);
        Store({{"p", 1}, {"q", 2}});  // a rebuild with cells first, then the count under test
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.Refresh();
        MemoryStore::Instance().Clear();
        Store(kThree.mid(0, cells));
        MemoryStore::Instance().changed = true;
        panel.Refresh();
        for (int button = 0; button < CCalcMemory::ButtonCount; ++button)
            QCOMPARE(panel.ButtonAt(CCalcMemory::Button(button))->isEnabled(), enabled[button]);
    }

    void refreshOnlyWhenChanged() {
        Store(kThree);
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        NCalculatorText::engineState.logReceiver = nullptr;
        panel.Refresh();
        panel.SortByColumn(CCalcMemory::ValueColumn);
        panel.SortByColumn(CCalcMemory::ValueColumn);  // descending
        panel.List()->topLevelItem(1)->setSelected(true);
        const QTreeWidgetItem* before = panel.List()->topLevelItem(1);

        // Neither reads, stores nor frees: nothing is rebuilt.
        CalculateAll(QStringLiteral("2+2"));
        panel.Refresh();
        QCOMPARE(Order(panel), (QStringList{"c", "b", "a"}));
        QCOMPARE(panel.List()->topLevelItem(1), before);
        QVERIFY(before->isSelected());

        // Only reading a cell rebuilds (and keeps the sort order).
        CalculateAll(QStringLiteral("mem[a]*2"));
        panel.Refresh();
        QVERIFY(panel.List()->selectedItems().isEmpty());
        QCOMPARE(Order(panel), (QStringList{"c", "b", "a"}));
    }

    void checksSurviveRebuilds() {
        Store(kThree);
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.Refresh();
        Check(panel, {"b"});
        CalculateAll(QStringLiteral("10->mem[b]; 5->mem[new]; 0->mem[a]"));
        panel.Refresh();
        QCOMPARE(Checked(panel), QStringList{"b"});
        QCOMPARE(RowOf(panel, "b")->text(CCalcMemory::ValueColumn), QStringLiteral("10"));
        QCOMPARE(RowOf(panel, "new")->checkState(CCalcMemory::IncludeColumn), Qt::Unchecked);
        QCOMPARE(MemoryStore::Instance().Find(u"b")->mark, 1);
        QCOMPARE(MemoryStore::Instance().Find(u"new")->mark, 0);
    }

    // Header clicks, one after the other, and the order each leaves.
    void sorting_data() {
        QTest::addColumn<QList<Cell>>("cells");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QStringList>("expected");
        const QList<Cell> cells = {{"a", 3}, {"B", -1}, {"c", 2}, {"D", 10}};
        QTest::newRow("store order at start")
            << cells << QStringList{} << QList<int>{} << QStringList{"B", "D", "a", "c"};
        QTest::newRow("N, already the sort column, turns descending")
            << cells << QStringList{} << QList<int>{1} << QStringList{"c", "a", "D", "B"};
        QTest::newRow("Cell sorts B before a")
            << cells << QStringList{} << QList<int>{2} << QStringList{"B", "D", "a", "c"};
        QTest::newRow("Cell twice")
            << cells << QStringList{} << QList<int>{2, 2} << QStringList{"c", "a", "D", "B"};
        QTest::newRow("Value") << cells << QStringList{} << QList<int>{3}
                               << QStringList{"B", "c", "a", "D"};
        QTest::newRow("Value twice")
            << cells << QStringList{} << QList<int>{3, 3} << QStringList{"D", "a", "c", "B"};
        QTest::newRow("Incl once: checked first")
            << cells << QStringList{"c", "D"} << QList<int>{0} << QStringList{"D", "c", "B", "a"};
        QTest::newRow("Incl twice: checked last")
            << cells << QStringList{"c", "D"} << QList<int>{0, 0}
            << QStringList{"B", "a", "D", "c"};
        QTest::newRow("out of range is ignored")
            << cells << QStringList{} << QList<int>{4, -1} << QStringList{"B", "D", "a", "c"};
        QTest::newRow("back to N ascending")
            << cells << QStringList{} << QList<int>{3, 1} << QStringList{"B", "D", "a", "c"};
    }

    void sorting() {
        QFETCH(QList<Cell>, cells);
        QFETCH(QStringList, checked);
        QFETCH(QList<int>, clicks);
        QFETCH(QStringList, expected);
        Store(cells);
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.Refresh();
        Check(panel, checked);
        for (int column : clicks) panel.SortByColumn(column);
        QCOMPARE(Order(panel), expected);
        QCOMPARE(Checked(panel).size(), checked.size());
    }

    void headerClickSortsAndDirectionsLastTheRun() {
        Store({{"a", 3}, {"B", -1}, {"c", 2}});
        {
            CCalcMemory panel(nullptr, ScriptedAsk().Function());
            panel.resize(400, 300);
            panel.show();
            QVERIFY(QTest::qWaitForWindowExposed(&panel));
            panel.Refresh();
            QHeaderView* header = panel.List()->header();
            const QPoint value(header->sectionViewportPosition(3) + header->sectionSize(3) / 2,
                               header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, value);
            QCOMPARE(Order(panel), (QStringList{"B", "c", "a"}));
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, value);
            QCOMPARE(Order(panel), (QStringList{"a", "c", "B"}));
            QVERIFY(!CCalcMemory::SortAscending(CCalcMemory::ValueColumn));
        }
        // A second panel of the same run starts at N but keeps Value's direction.
        MemoryStore::Instance().changed = true;
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.Refresh();
        QCOMPARE(panel.SortColumn(), int(CCalcMemory::NumberColumn));
        QVERIFY(!CCalcMemory::SortAscending(CCalcMemory::ValueColumn));
        panel.SortByColumn(CCalcMemory::CellColumn);
        panel.SortByColumn(CCalcMemory::ValueColumn);  // another column: ascending again
        QCOMPARE(Order(panel), (QStringList{"B", "c", "a"}));
    }

    void refreshKeepsTheSortColumn() {
        Store({{"a", 3}, {"B", -1}});
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.Refresh();
        panel.SortByColumn(CCalcMemory::ValueColumn);
        CalculateAll(QStringLiteral("-7->mem[z]"));
        panel.Refresh();
        QCOMPARE(Order(panel), (QStringList{"z", "B", "a"}));
        QCOMPARE(RowOf(panel, "z")->text(CCalcMemory::NumberColumn), QStringLiteral("3"));
    }

    void clicks() {
        Store(kThree);
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.resize(500, 300);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.Refresh();
        QWidget* viewport = panel.List()->viewport();

        // The Value cell of a row checks it, and clicking it again keeps it checked.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, CellCentre(panel, RowOf(panel, "b"), 3));
        QCOMPARE(Checked(panel), QStringList{"b"});
        QTest::mouseClick(viewport, Qt::LeftButton, {}, CellCentre(panel, RowOf(panel, "b"), 3));
        QCOMPARE(Checked(panel), QStringList{"b"});

        // With several rows selected, a click on a Cell checks all of them.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, CellCentre(panel, RowOf(panel, "a"), 2));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier,
                          CellCentre(panel, RowOf(panel, "c"), 2));
        QCOMPARE(Checked(panel), (QStringList{"a", "b", "c"}));

        // The check box itself toggles its row only.
        QTreeWidget* list = panel.List();
        QStyleOptionViewItem option;
        const QRect cell = list->visualRect(list->indexFromItem(RowOf(panel, "a"), 0));
        option.initFrom(list);
        option.rect = cell;
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        const QRect box =
            list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
        list->clearSelection();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, box.center());
        QCOMPARE(Checked(panel), (QStringList{"b", "c"}));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, box.center());
        QCOMPARE(Checked(panel), (QStringList{"a", "b", "c"}));
    }

    void spaceTogglesTheCurrentRow() {
        Store(kThree);
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.Refresh();
        panel.List()->setCurrentItem(RowOf(panel, "c"), CCalcMemory::ValueColumn);
        QTest::keyClick(panel.List(), Qt::Key_Space);
        QCOMPARE(Checked(panel), QStringList{"c"});
        QTest::keyClick(panel.List(), Qt::Key_Space);
        QCOMPARE(Checked(panel), QStringList{});
    }

    void invertAndClear() {
        Store(kThree);
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.Refresh();
        Check(panel, {"a", "c"});
        panel.Invert();
        QCOMPARE(Checked(panel), QStringList{"b"});
        QCOMPARE(panel.Entries()[1].included, 1);
        QCOMPARE(panel.Entries()[0].included, 0);
        panel.ButtonAt(CCalcMemory::InvertButton)->click();
        QCOMPARE(Checked(panel), (QStringList{"a", "c"}));
        panel.ButtonAt(CCalcMemory::ClearButton)->click();
        QCOMPARE(Checked(panel), QStringList{});
        for (const CCalcMemory::Entry& entry : panel.Entries()) QCOMPARE(entry.included, 0);
        // The store follows at the next sync and push.
        QCOMPARE(MemoryStore::Instance().Find(u"a")->mark, 0);
    }

    void free_data() {
        QTest::addColumn<uint>("confirmation");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QStringList>("remaining");

        const QString all = QStringLiteral("Erase all the memory?");
        const QString selected = QStringLiteral("Erase the selected memory?");
        QTest::newRow("none checked, Yes")
            << 1u << QStringList{} << QList<int>{IDYES} << QStringList{all} << QStringList{};
        QTest::newRow("none checked, No") << 1u << QStringList{} << QList<int>{IDNO}
                                          << QStringList{all} << QStringList{"a", "b", "c"};
        QTest::newRow("every row checked asks the same")
            << 1u << QStringList{"a", "b", "c"} << QList<int>{IDYES} << QStringList{all}
            << QStringList{};
        QTest::newRow("two of three, Yes") << 1u << QStringList{"a", "c"} << QList<int>{IDYES}
                                           << QStringList{selected} << QStringList{"b"};
        QTest::newRow("two of three, closed")
            << 1u << QStringList{"a", "c"} << QList<int>{IDCANCEL} << QStringList{selected}
            << QStringList{"a", "b", "c"};
        QTest::newRow("two of three, no confirmation")
            << 0u << QStringList{"b", "c"} << QList<int>{} << QStringList{} << QStringList{"a"};
        QTest::newRow("none checked, no confirmation")
            << 0u << QStringList{} << QList<int>{} << QStringList{} << QStringList{};
    }

    void free() {
        QFETCH(uint, confirmation);
        QFETCH(QStringList, checked);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, asked);
        QFETCH(QStringList, remaining);
        Preferences.FreeConfirmation = confirmation;
        Store(kThree);
        ScriptedAsk ask(answers);
        CCalcMemory panel(nullptr, ask.Function());
        panel.Refresh();
        Check(panel, checked);
        panel.ButtonAt(CCalcMemory::FreeButton)->click();
        QCOMPARE(ask.Texts(), asked);
        for (const Asked& question : ask.asked) {
            QCOMPARE(question.type, MB_YESNO | MB_ICONQUESTION);
            QCOMPARE(question.help, 0u);
        }
        QCOMPARE(StoreNames(), remaining);
        QCOMPARE(Order(panel), remaining);
        for (int row = 0; row < remaining.size(); ++row)
            QCOMPARE(panel.List()->topLevelItem(row)->text(CCalcMemory::NumberColumn),
                     QString::number(row + 1));
        QCOMPARE(panel.ButtonAt(CCalcMemory::FreeButton)->isEnabled(), !remaining.isEmpty());
    }

    void freeKeepsOtherChecks() {
        Store({{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}});
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.Refresh();
        Check(panel, {"b", "d"});
        panel.Free();
        QCOMPARE(StoreNames(), (QStringList{"a", "c"}));
        QCOMPARE(Checked(panel), QStringList{});
        Check(panel, {"c"});
        CalculateAll(QStringLiteral("9->mem[e]"));
        panel.Refresh();
        QCOMPARE(Checked(panel), QStringList{"c"});
    }

    void freeOnAnEmptyListAsksNothing() {
        Preferences.FreeConfirmation = 1;
        ScriptedAsk ask({IDYES});
        CCalcMemory panel(nullptr, ask.Function());
        Store(kThree);  // not listed yet
        panel.Free();
        QVERIFY(ask.asked.isEmpty());
        QCOMPARE(StoreNames().size(), 3);
    }

    void save_data() {
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("none checked: every cell")
            << QStringList{}
            << Utf16LE(
                   "0.10000000000000000555->mem[x];\r\n2->mem[y];\r\n1.0000000000000000525e+300->"
                   "mem[z z];\r\n");
        QTest::newRow("some checked: those only")
            << QStringList{"x", "z z"}
            << Utf16LE(
                   "0.10000000000000000555->mem[x];\r\n1.0000000000000000525e+300->mem[z z];\r\n");
        QTest::newRow("all checked") << QStringList{"x", "y", "z z"}
                                     << Utf16LE(
                                            "0.10000000000000000555->mem[x];\r\n2->mem[y];\r\n1."
                                            "0000000000000000525e+300->mem[z z];\r\n");
    }

    void save() {
        QFETCH(QStringList, checked);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        Store({{"x", 0.1}, {"y", 2}, {"z z", 1e300}});
        ScriptedAsk ask;
        CCalcMemory panel(nullptr, ask.Function());
        panel.Refresh();
        Check(panel, checked);
        ScriptedFiles files(dir.filePath("Memory 1"));
        panel.ButtonAt(CCalcMemory::SaveButton)->click();

        QCOMPARE(files.seen.size(), 1);
        const SeenDialog& dialog = files.seen.first();
        QVERIFY(!dialog.open);
        QCOMPARE(dialog.extension, QStringLiteral("tvm"));
        QCOMPARE(dialog.proposed, QStringLiteral("Memory 1"));
        QCOMPARE(dialog.filter, QStringLiteral("Calculator memory files (*.tvm)|*.tvm||"));
        QCOMPARE(dialog.flags, 0x00880804u);

        QFile file(dir.filePath("Memory 1.tvm"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        QVERIFY(ask.asked.isEmpty());
        // Saving changes nothing in the list.
        QCOMPARE(Checked(panel), checked);
    }

    void saveWithNoCellToWrite() {
        // The list still shows a cell the store has lost: nothing marked to write.
        QTemporaryDir dir;
        Store({{"gone", 1}});
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.Refresh();
        Check(panel, {"gone"});
        MemoryStore::Instance().Clear();
        Store({{"other", 2}});
        ScriptedFiles files(dir.filePath("empty.tvm"));
        panel.Save();
        QFile file(dir.filePath("empty.tvm"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xFF\xFE", 2));
    }

    void saveCancelled() {
        QTemporaryDir dir;
        Store(kThree);
        ScriptedAsk ask;
        CCalcMemory panel(nullptr, ask.Function());
        panel.Refresh();
        int runs = 0;
        panel.SetFileDialogRunner([&runs](CCalcFileDialog&) {
            ++runs;
            return IDCANCEL;
        });
        panel.Save();
        QCOMPARE(runs, 1);
        QVERIFY(ask.asked.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{});
    }

    void saveFailure() {
        QTemporaryDir dir;
        Store(kThree);
        ScriptedAsk ask;
        CCalcMemory panel(nullptr, ask.Function());
        panel.Refresh();
        ScriptedFiles files(dir.filePath("missing folder/m.tvm"));
        panel.Save();
        QCOMPARE(ask.asked.size(), 1);
        QCOMPARE(ask.asked[0].text, QStringLiteral("Cannot open the file for writing."));
        QCOMPARE(ask.asked[0].type, MB_OK | MB_ICONEXCLAMATION);
        QCOMPARE(ask.asked[0].help, 0u);
        QVERIFY(!QFile::exists(dir.filePath("missing folder/m.tvm")));
    }

    void statisticsChoosesCells_data() {
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("mean");  // empty: nothing computed
        QTest::newRow("none checked: all, no question")
            << QStringList{} << QList<int>{} << 0 << "2.5";
        QTest::newRow("one checked, Yes: all")
            << QStringList{"a"} << QList<int>{IDYES} << 1 << "2.5";
        QTest::newRow("one checked, No: nothing")
            << QStringList{"a"} << QList<int>{IDNO} << 1 << "";
        QTest::newRow("two checked: those") << QStringList{"b", "d"} << QList<int>{} << 0 << "3";
        QTest::newRow("three checked") << QStringList{"a", "b", "c"} << QList<int>{} << 0 << "2";
    }

    void statisticsChoosesCells() {
        QFETCH(QStringList, checked);
        QFETCH(QList<int>, answers);
        QFETCH(int, questions);
        QFETCH(QString, mean);
        Store({{"d", 4}, {"b", 2}, {"a", 1}, {"c", 3}});
        ScriptedAsk ask(answers);
        CCalcMemory panel(nullptr, ask.Function());
        CCalcStatistics statistics;
        QSignalSpy shown(&statistics, &CCalcStatistics::ShowRequested);
        panel.SetStatisticsPanel(&statistics);
        panel.Refresh();
        Check(panel, checked);
        panel.ButtonAt(CCalcMemory::StatisticsButton)->click();
        QCOMPARE(ask.asked.size(), questions);
        if (questions) {
            QCOMPARE(ask.asked[0].text,
                     QStringLiteral("Only one cell is selected.\nCalculate for all cells?"));
            QCOMPARE(ask.asked[0].type, MB_YESNO | MB_ICONQUESTION);
        }
        QCOMPARE(statistics.Box(Mean)->text(), mean);
        QCOMPARE(shown.count(), mean.isEmpty() ? 0 : 1);
    }

    void layoutAt96Dpi() {
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        QCOMPARE(panel.logicalDpiX(), 96);
        panel.show();
        panel.resize(300, 250);
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        // m = 3, buttons 35 x 35, one every 38 pixels; the list stops bw + (3m+1)/2 from the right.
        QCOMPARE(panel.List()->geometry(), QRect(3, 3, 300 - 35 - 5 - 3, 250 - 6));
        for (int button = 0; button < CCalcMemory::ButtonCount; ++button)
            QCOMPARE(panel.ButtonAt(CCalcMemory::Button(button))->geometry(),
                     QRect(263, 3 + 38 * button, 35, 35));
        QVERIFY(panel.sizeHint().height() >= 3 + 5 * 38);
    }

    // Rows high enough that the check boxes of two rows never touch.
    void rowsLeaveRoomAroundTheirCheckBoxes() {
        Store(kThree);
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.resize(500, 300);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.Refresh();
        QTreeWidget* list = panel.List();
        const int box = list->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, list);
        const QRect first = list->visualItemRect(list->topLevelItem(0));
        const QRect second = list->visualItemRect(list->topLevelItem(1));
        QVERIFY2(first.height() >= box + 4, qPrintable(QString::number(first.height())));
        QVERIFY(first.height() >= list->fontMetrics().height() + 4);
        // Centred in rows that high, the boxes leave a gap of at least 4 pixels.
        QVERIFY(second.top() - first.top() - box >= 4);
    }

    void buttonImagesAndNames() {
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        const QStringList names = {"Free", "Save", "Statistics", "Invert", "Clear"};
        const int images[] = {150, 151, 152, 153, 154};
        for (int button = 0; button < CCalcMemory::ButtonCount; ++button) {
            auto* bitmap =
                qobject_cast<TaButtonBitmap*>(panel.ButtonAt(CCalcMemory::Button(button)));
            QVERIFY(bitmap);
            QCOMPARE(bitmap->ImageId(), images[button]);
            QCOMPARE(bitmap->FaceColor(), QRgb(0xFFD8D8D8));
            QCOMPARE(bitmap->accessibleName(), names[button]);
        }
    }

    void longValuesShowWhole_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("storedWidth");  // 0: nothing stored
        QTest::addColumn<QString>("text");
        QTest::newRow("gravitational constant")
            << 6.6742999999999999e-11 << 0 << "6.674299999999999379e-11";
        QTest::newRow("most negative double")
            << -1.7976931348623157e308 << 0 << "-1.797693134862315708e+308";
        QTest::newRow("smallest subnormal")
            << 4.9406564584124654e-324 << 0 << "4.940656458412465442e-324";
        QTest::newRow("stored narrow width wins")
            << -2.2250738585072014e-308 << 90 << "-2.225073858507201383e-308";
    }
    void longValuesShowWhole() {
        QFETCH(double, value);
        QFETCH(int, storedWidth);
        QFETCH(QString, text);
        if (storedWidth > 0) TempSettings::Open("GUI/Memory")->setValue("ValueWidth", storedWidth);
        Store({{"G", value}});
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.Refresh();
        QTreeWidgetItem* row = panel.List()->topLevelItem(0);
        QCOMPARE(row->text(CCalcMemory::ValueColumn), text);
        QCOMPARE(row->toolTip(CCalcMemory::ValueColumn), QString::asprintf("%.20g", value));
        const int width = panel.List()->header()->sectionSize(CCalcMemory::ValueColumn);
        if (storedWidth > 0) {
            QCOMPARE(width, storedWidth);
            return;
        }
        QVERIFY(width >=
                MeasuredColumnWidth(panel.List(), QStringLiteral("-1.797693134862315708e+308")));
        // At its own size the panel shows the whole Value cell.
        panel.resize(panel.sizeHint());
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        const QRect cell =
            panel.List()->visualRect(panel.List()->indexFromItem(row, CCalcMemory::ValueColumn));
        QVERIFY(panel.List()->viewport()->rect().contains(cell));
        QVERIFY(width >= MeasuredColumnWidth(panel.List(), text));
    }

    // The Value column follows the result digits, at once for a new
    // choice; the tool tip keeps every digit.
    void valuesFollowTheResultDigits() {
        Store({{"x", 0.1}, {"y", 89.9}, {"z", -0.0}});
        Preferences.ResultDigits = 1;  // Shortest
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.Refresh();
        const auto values = [&panel](auto text) {
            QStringList shown;
            for (const char* name : {"x", "y", "z"})
                shown << text(RowOf(panel, QString::fromLatin1(name)));
            return shown;
        };
        const auto value = [](QTreeWidgetItem* row) { return row->text(CCalcMemory::ValueColumn); };
        const auto tip = [](QTreeWidgetItem* row) {
            return row->toolTip(CCalcMemory::ValueColumn);
        };
        const QStringList exact = {"0.10000000000000000555", "89.900000000000005684", "-0"};
        QCOMPARE(values(value), (QStringList{"0.1", "89.9", "-0"}));
        QCOMPARE(values(tip), exact);
        Preferences.ResultDigits = 202;  // two decimals
        panel.ShowValues();
        QCOMPARE(values(value), (QStringList{"0.10", "89.90", "0.00"}));
        QCOMPARE(values(tip), exact);
    }

    // Copy as shown, copy exactly and insert a reference, from the context
    // menu and from the keys; nothing without a selected row.
    void contextMenuAndKeys() {
        Store({{"rate", 0.07}, {"total", 18829.2}, {"a b", 2.0}});
        Preferences.ResultDigits = 1;
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        panel.Refresh();
        QSignalSpy inserted(&panel, &CCalcMemory::InsertRequested);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("before"));
        QTreeWidget* list = panel.List();

        // No row selected: every action is disabled and does nothing.
        QStringList texts;
        QList<bool> enabled;
        QTimer::singleShot(0, &panel, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions()) {
                texts << action->text() + u'\t' + action->shortcut().toString();
                enabled << action->isEnabled();
            }
            menu->close();
        });
        panel.ShowContextMenu(QPoint(5, 5));
        QCOMPARE(texts, (QStringList{"&Copy value\tCtrl+C", "Copy &exact value\tCtrl+Shift+C",
                                     "&Insert into the text\tEnter"}));
        QCOMPARE(enabled, (QList<bool>{false, false, false}));
        QVERIFY(!panel.CopyValues(false));
        QVERIFY(!panel.InsertReference());
        QCOMPARE(clipboard->text(), QStringLiteral("before"));

        // Two rows selected, "total" current: values in list order.
        list->setCurrentItem(RowOf(panel, "total"));
        RowOf(panel, "rate")->setSelected(true);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("0.07\n18829.2"));
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(clipboard->text(), QString::asprintf("%.20g\n%.20g", 0.07, 18829.2));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted.takeFirst().at(0).toString(), QStringLiteral("mem[total]"));

        // The menu's actions do the same; a name with a blank stays whole.
        list->clearSelection();
        list->setCurrentItem(RowOf(panel, "a b"));
        clipboard->clear();
        QTimer::singleShot(0, &panel, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            menu->actions().at(0)->trigger();
            menu->actions().at(2)->trigger();
            menu->close();
        });
        panel.ShowContextMenu(QPoint(5, 5));
        QCOMPARE(clipboard->text(), QStringLiteral("2"));
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted.takeFirst().at(0).toString(), QStringLiteral("mem[a b]"));
    }

    // Hostile stored widths: none hides its column for good, none is wider
    // than the screen; a negative one is no width at all.
    void storedWidthsStayWithinTheScreen_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ordinary") << 120 << "120";
        QTest::newRow("zero keeps the title") << 0 << "title";
        QTest::newRow("huge fits the screen") << 2147483647 << "screen";
        QTest::newRow("negative is the default") << -5 << "default";
    }
    void storedWidthsStayWithinTheScreen() {
        QFETCH(int, stored);
        QFETCH(QString, expected);
        TempSettings::Open("GUI/Memory")->setValue("ValueWidth", stored);
        CCalcMemory panel(nullptr, ScriptedAsk().Function());
        const int width = panel.List()->header()->sectionSize(CCalcMemory::ValueColumn);
        const QMap<QString, int> widths = {
            {"120", 120},
            {"title", MeasuredColumnWidth(panel.List(), QStringLiteral("Value"))},
            {"screen", QGuiApplication::primaryScreen()->availableGeometry().width()},
            {"default",
             MeasuredColumnWidth(panel.List(), QStringLiteral("+0.00000000000000000000E+000"))}};
        QCOMPARE(width, widths.value(expected));
        // Nor do the columns together widen the window past the screen.
        QVERIFY(panel.sizeHint().width() <=
                std::max(widths["screen"] * 2 / 3, panel.minimumSizeHint().width()));
    }

    void widthsSurviveARestart() {
        {
            CCalcMemory panel(nullptr, ScriptedAsk().Function());
            const QFontMetrics metrics = panel.List()->fontMetrics();
            const QStringList texts = {"8Incl8", "888", "Long name",
                                       "+0.00000000000000000000E+000"};
            for (int column = 0; column < 4; ++column)
                QVERIFY(panel.List()->header()->sectionSize(column) >=
                        metrics.horizontalAdvance(texts[column]));
            QVERIFY(TempSettings::Open("GUI/Memory")->childKeys().isEmpty());
            const int widths[] = {41, 52, 63, 174};
            for (int column = 0; column < 4; ++column)
                panel.List()->header()->resizeSection(column, widths[column]);
        }
        const auto settings = TempSettings::Open("GUI/Memory");
        QCOMPARE(settings->value("IncludeWidth").toInt(), 41);
        QCOMPARE(settings->value("NumberWidth").toInt(), 52);
        QCOMPARE(settings->value("CellWidth").toInt(), 63);
        QCOMPARE(settings->value("ValueWidth").toInt(), 174);
        CCalcMemory again(nullptr, ScriptedAsk().Function());
        QCOMPARE(again.List()->header()->sectionSize(3), 174);
        QCOMPARE(again.List()->header()->sectionSize(0), 41);
    }

private:
    std::unique_ptr<TempSettings> settings_;
};

QTEST_MAIN(MemoryTest)
#include "tst_memory.moc"
