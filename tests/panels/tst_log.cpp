// The log panel: rows, numbering, colours, the pop-up request, scrolling
// and the column widths kept in "GUI/Log".
#include <QDockWidget>
#include <QHeaderView>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

#include "panels/CCalcLog.h"
#include "tests/panels/PanelTestSupport.h"

using NCalculatorText::Diagnostic;

namespace {

struct Message {
    int severity;
    QString context;
    QString description;
};

void Add(CCalcLog& log, const Message& message) {
    const std::u16string context = message.context.toStdU16String();
    const std::u16string description = message.description.toStdU16String();
    log.AddMessage(Diagnostic{message.severity, context.c_str(), description.c_str()});
}

QStringList RowTexts(const CCalcLog& log, int row) {
    const QTreeWidgetItem* item = log.List()->topLevelItem(row);
    QStringList texts;
    for (int column = 0; column < CCalcLog::ColumnCount; ++column) texts.append(item->text(column));
    return texts;
}

QColor RowColour(const CCalcLog& log, int row, int column) {
    return log.List()->topLevelItem(row)->foreground(column).color();
}

const QColor kRed(0xFF, 0x00, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);

}  // namespace

class LogTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        settings_ = std::make_unique<TempSettings>();
        ResetPreferences();
        ResetMemory();
    }
    void cleanup() {
        NCalculatorText::engineState.logReceiver = nullptr;
        settings_.reset();
    }

    void columns() {
        CCalcLog log;
        const QTreeWidgetItem* header = log.List()->headerItem();
        QCOMPARE(header->text(0), QStringLiteral("N"));
        QCOMPARE(header->text(1), QStringLiteral("Status"));
        QCOMPARE(header->text(2), QStringLiteral("Context"));
        QCOMPARE(header->text(3), QStringLiteral("Description"));
        QVERIFY(header->textAlignment(0) & Qt::AlignRight);
        for (int column = 1; column < 4; ++column)
            QVERIFY(header->textAlignment(column) & Qt::AlignLeft);
        QCOMPARE(log.List()->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(log.List()->selectionBehavior(), QAbstractItemView::SelectRows);
        QVERIFY(!log.List()->header()->sectionsClickable());
    }

    void rows_data() {
        QTest::addColumn<QList<Message>>("messages");
        QTest::addColumn<QList<QStringList>>("expected");
        QTest::addColumn<QList<int>>("severities");

        QTest::newRow("one error")
            << QList<Message>{{1, "Division", "Operation has singularity at 0"}}
            << QList<QStringList>{{"1", "Error", "Division", "Operation has singularity at 0"}}
            << QList<int>{1};
        QTest::newRow("warnings then the error")
            << QList<Message>{{0, "Memory", "Uninitialized memory used, value forced to 0"},
                              {0, "Memory", "Uninitialized memory used, value forced to 0"},
                              {1, "None", "Syntax error"}}
            << QList<QStringList>{{"1", "Warning", "Memory",
                                   "Uninitialized memory used, value forced to 0"},
                                  {"2", "Warning", "Memory",
                                   "Uninitialized memory used, value forced to 0"},
                                  {"3", "Error", "None", "Syntax error"}}
            << QList<int>{0, 0, 1};
        QTest::newRow("any severity but 1 is a warning")
            << QList<Message>{{2, "Power", "a"}, {-1, "Power", "b"}, {0, "Power", "c"}}
            << QList<QStringList>{{"1", "Warning", "Power", "a"},
                                  {"2", "Warning", "Power", "b"},
                                  {"3", "Warning", "Power", "c"}}
            << QList<int>{2, -1, 0};
        QTest::newRow("empty texts still make a numbered row")
            << QList<Message>{{1, "", ""}, {0, "", "only a description"}}
            << QList<QStringList>{{"1", "Error", "", ""},
                                  {"2", "Warning", "", "only a description"}}
            << QList<int>{1, 0};
    }

    void rows() {
        QFETCH(QList<Message>, messages);
        QFETCH(QList<QStringList>, expected);
        QFETCH(QList<int>, severities);
        CCalcLog log;
        for (const Message& message : messages) Add(log, message);
        QCOMPARE(log.List()->topLevelItemCount(), expected.size());
        for (int row = 0; row < expected.size(); ++row) {
            QCOMPARE(RowTexts(log, row), expected[row]);
            QCOMPARE(log.RowSeverity(row), severities[row]);
            const QColor colour = severities[row] == 1 ? kRed : kBlue;
            for (int column = 0; column < CCalcLog::ColumnCount; ++column)
                QCOMPARE(RowColour(log, row, column), colour);
            QVERIFY(log.List()->topLevelItem(row)->textAlignment(0) & Qt::AlignRight);
        }
    }

    void numberingRestartsAfterClear() {
        CCalcLog log;
        for (int k = 0; k < 12; ++k) Add(log, {0, "Addition", QString::number(k)});
        QCOMPARE(RowTexts(log, 11).first(), QStringLiteral("12"));
        log.Clear();
        QCOMPARE(log.List()->topLevelItemCount(), 0);
        Add(log, {1, "Division", "again"});
        QCOMPARE(RowTexts(log, 0), (QStringList{"1", "Error", "Division", "again"}));
    }

    // Runs of the engine with the panel as its receiver.
    void engineRuns_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QStringList>>("expected");
        QTest::newRow("division by zero")
            << "1/0"
            << QList<QStringList>{{"1", "Error", "Division", "Operation has singularity at 0"}};
        QTest::newRow("syntax error")
            << "2+*" << QList<QStringList>{{"1", "Error", "None", "Syntax error"}};
        QTest::newRow("warnings only")
            << "mem[never]; mem[other]"
            << QList<QStringList>{
                   {"1", "Warning", "Memory", "Uninitialized memory used, value forced to 0"},
                   {"2", "Warning", "Memory", "Uninitialized memory used, value forced to 0"}};
        QTest::newRow("not defined")
            << "arcsec(0.1)"
            << QList<QStringList>{{"1", "Error", "Arcsecant",
                                   "Function is not defined for 0.10000000000000000555"}};
        QTest::newRow("a clean run empties the log") << "2+2" << QList<QStringList>{};
    }

    void engineRuns() {
        QFETCH(QString, text);
        QFETCH(QList<QStringList>, expected);
        CCalcLog log;
        NCalculatorText::engineState.logReceiver = &log;
        CalculateAll(QStringLiteral("1/0; mem[x]"));  // a previous run leaves rows behind
        QVERIFY(log.List()->topLevelItemCount() > 0);
        CalculateAll(text);
        QCOMPARE(log.List()->topLevelItemCount(), expected.size());
        for (int row = 0; row < expected.size(); ++row) QCOMPARE(RowTexts(log, row), expected[row]);
    }

    void popupRequest_data() {
        QTest::addColumn<uint>("logPopup");
        QTest::addColumn<int>("requests");
        QTest::newRow("off") << 0u << 0;
        QTest::newRow("on") << 1u << 3;
        QTest::newRow("any nonzero value is on") << 7u << 3;
    }

    void popupRequest() {
        QFETCH(uint, logPopup);
        QFETCH(int, requests);
        Preferences.LogPopup = logPopup;
        CCalcLog log;
        QSignalSpy spy(&log, &CCalcLog::PopupRequested);
        for (int k = 0; k < 3; ++k) Add(log, {k == 2 ? 1 : 0, "Sine", "x"});
        QCOMPARE(spy.count(), requests);
        QCOMPARE(log.List()->topLevelItemCount(), 3);  // added whether or not it pops up
    }

    // The request shows a hidden bar at once and the editor keeps the focus.
    void popupKeepsEditorFocus() {
        Preferences.LogPopup = 1;
        QMainWindow frame;
        auto* editor = new QPlainTextEdit(&frame);
        frame.setCentralWidget(editor);
        auto* bar = new QDockWidget(QStringLiteral("Log"), &frame);
        auto* log = new CCalcLog(bar);
        bar->setWidget(log);
        frame.addDockWidget(Qt::BottomDockWidgetArea, bar);
        connect(log, &CCalcLog::PopupRequested, bar, [bar] {
            if (bar->isHidden()) bar->show();
        });
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        bar->hide();
        frame.activateWindow();
        editor->setFocus();
        QTRY_VERIFY(editor->hasFocus());

        NCalculatorText::engineState.logReceiver = log;
        CalculateAll(QStringLiteral("mem[nothing]"));
        QVERIFY(bar->isVisible());
        QCOMPARE(log->List()->topLevelItemCount(), 1);
        QVERIFY(editor->hasFocus());
    }

    // A selected row shows the selection only while the list has the focus;
    // without it the row is drawn in its severity's colour, never in black.
    void selectedRowKeepsItsColourWithoutFocus_data() {
        QTest::addColumn<int>("severity");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("error, red") << 1 << kRed;
        QTest::newRow("warning, blue") << 0 << kBlue;
    }
    void selectedRowKeepsItsColourWithoutFocus() {
        QFETCH(int, severity);
        QFETCH(QColor, colour);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* log = new CCalcLog(&window);
        auto* editor = new QPlainTextEdit(&window);
        layout->addWidget(log);
        layout->addWidget(editor);
        window.resize(500, 300);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        Add(*log, {severity, "Division", "Division by zero, result accepted as 1.#INF."});
        QTreeWidget* list = log->List();
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        list->setCurrentItem(list->topLevelItem(0));
        QVERIFY(list->topLevelItem(0)->isSelected());
        const QRect row = list->visualItemRect(list->topLevelItem(0));
        const auto textColours = [&] {
            const QImage image = list->viewport()->grab(row).toImage();
            int ofColour = 0;
            int black = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    ofColour += c.red() == colour.red() && c.green() == colour.green() &&
                                c.blue() == colour.blue();
                    black += c.lightness() < 40;
                }
            return std::pair{ofColour, black};
        };
        editor->setFocus();
        QTRY_VERIFY(editor->hasFocus());
        const auto [ofColour, black] = textColours();
        QVERIFY2(ofColour > 20, qPrintable(QString::number(ofColour)));
        QCOMPARE(black, 0);
        // The row is still the selected one when the focus comes back.
        QVERIFY(list->topLevelItem(0)->isSelected());
    }

    void newRowIsEntirelyVisible() {
        CCalcLog log;
        log.resize(400, 120);
        log.show();
        QVERIFY(QTest::qWaitForWindowExposed(&log));
        for (int k = 0; k < 40; ++k) {
            Add(log, {0, "Addition", QString::number(k)});
            QTreeWidget* list = log.List();
            const QRect row = list->visualItemRect(list->topLevelItem(k));
            QVERIFY2(row.top() >= 0 && row.bottom() < list->viewport()->height(),
                     qPrintable(QStringLiteral("row %1").arg(k + 1)));
        }
        QVERIFY(log.List()->verticalScrollBar()->value() > 0);
    }

    void defaultWidthsFitTheirTexts() {
        CCalcLog log;
        const QFontMetrics metrics = log.List()->fontMetrics();
        const QStringList texts = {
            "88", "Warning", "Archyperbolic cotangent",
            "Operation resulted in partial loss of precision, result accepted as 0.12345678."};
        for (int column = 0; column < texts.size(); ++column)
            QVERIFY2(log.List()->header()->sectionSize(column) >=
                         metrics.horizontalAdvance(texts[column]),
                     qPrintable(texts[column]));
        // Nothing is written while the panel lives.
        QVERIFY(TempSettings::Open("GUI/Log")->childKeys().isEmpty());
    }

    void storedWidths_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("used");
        QTest::newRow("integer") << QVariant(123) << true;
        QTest::newRow("integer text") << QVariant(QStringLiteral("77")) << true;
        QTest::newRow("not a number") << QVariant(QStringLiteral("wide")) << false;
        QTest::newRow("negative text") << QVariant(QStringLiteral("-5")) << false;
    }

    void storedWidths() {
        QFETCH(QVariant, stored);
        QFETCH(bool, used);
        int measured = 0;
        {
            CCalcLog fresh;
            measured = fresh.List()->header()->sectionSize(CCalcLog::ContextColumn);
        }
        TempSettings::Open("GUI/Log")->setValue("ContextWidth", stored);
        CCalcLog log;
        const int expected = used ? stored.toString().toInt() : measured;
        QCOMPARE(log.List()->header()->sectionSize(CCalcLog::ContextColumn), expected);
    }

    void widthsSurviveARestart() {
        const QList<int> dragged = {31, 90, 140, 333};
        {
            CCalcLog log;
            for (int column = 0; column < 4; ++column)
                log.List()->header()->resizeSection(column, dragged[column]);
        }
        const auto settings = TempSettings::Open("GUI/Log");
        QCOMPARE(settings->childKeys().size(), 4);
        QCOMPARE(settings->value("NumberWidth").toInt(), 31);
        QCOMPARE(settings->value("StatusWidth").toInt(), 90);
        QCOMPARE(settings->value("ContextWidth").toInt(), 140);
        QCOMPARE(settings->value("DescriptionWidth").toInt(), 333);
        CCalcLog again;
        for (int column = 0; column < 4; ++column)
            QCOMPARE(again.List()->header()->sectionSize(column), dragged[column]);
    }

    void destroyedPanelIsNoLongerTheReceiver() {
        auto log = std::make_unique<CCalcLog>();
        NCalculatorText::engineState.logReceiver = log.get();
        log.reset();
        QVERIFY(NCalculatorText::engineState.logReceiver == nullptr);
        CalculateAll(QStringLiteral("1/0"));  // reports to nobody, and does not crash
    }

private:
    std::unique_ptr<TempSettings> settings_;
};

QTEST_MAIN(LogTest)
#include "tst_log.moc"
