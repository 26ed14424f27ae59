// Shows the log, memory, statistics and unit panels filled with a sample
// session and saves a picture of each into the directory given as the
// first argument (tools/screenshot-panels.sh runs it under Xvfb).
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include "engine/CalculateText.h"
#include "engine/MemoryStore.h"
#include "panels/CCalcLog.h"
#include "panels/CCalcMemory.h"
#include "panels/CCalcStatistics.h"
#include "panels/CCalcTrigonometricUnits.h"
#include "tests/support/TempSettings.h"
#include "toolkit/MessageBoxTypes.h"

namespace {

void Calculate(const QString& text) {
    std::u16string units = text.toStdU16String();
    int32_t position = -1;
    NCalculatorText::CalculateText(units, position);
}

void Save(QWidget* widget, const QDir& directory, const QString& name) {
    widget->grab().save(directory.filePath(name + QStringLiteral(".png")));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TempSettings settings;  // never touch the user's settings
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath());
    QDir().mkpath(out.path());

    // The panels docked around an editor, as the frame will hold them.
    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("Panels"));
    auto* editor = new QPlainTextEdit(&frame);
    frame.setCentralWidget(editor);
    auto* logBar = new QDockWidget(QStringLiteral("Log"), &frame);
    auto* log = new CCalcLog(logBar);
    logBar->setWidget(log);
    frame.addDockWidget(Qt::BottomDockWidgetArea, logBar);
    auto* memoryBar = new QDockWidget(QStringLiteral("Memory"), &frame);
    auto* memory =
        new CCalcMemory(memoryBar, [](const QString&, unsigned, unsigned) { return IDYES; });
    memoryBar->setWidget(memory);
    frame.addDockWidget(Qt::RightDockWidgetArea, memoryBar);
    auto* statisticsBar = new QDockWidget(QStringLiteral("Statistics"), &frame);
    auto* statistics = new CCalcStatistics(statisticsBar);
    statisticsBar->setWidget(statistics);
    frame.addDockWidget(Qt::BottomDockWidgetArea, statisticsBar);
    frame.splitDockWidget(logBar, statisticsBar, Qt::Horizontal);
    memory->SetStatisticsPanel(statistics);
    NCalculatorText::engineState.logReceiver = log;

    const QString session = QStringLiteral(
        "5->mem[a]; 2->mem[B]; 0.1->mem[x]; 1e300->mem[big]; -7.25->mem[rate of return]; "
        "3->mem[c];\n"
        "mem[never] + mem[missing]; 1/0");
    editor->setPlainText(session);
    Calculate(session);
    memory->Refresh();
    for (const QString& name : {QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("x")}) {
        const auto items =
            memory->List()->findItems(name, Qt::MatchExactly, CCalcMemory::CellColumn);
        for (QTreeWidgetItem* item : items)
            item->setCheckState(CCalcMemory::IncludeColumn, Qt::Checked);
    }
    memory->Statistics();
    memory->List()->topLevelItem(2)->setSelected(true);

    CCalcTrigonometricUnits units(&frame);
    units.ShowUnit(1);

    frame.resize(1200, 700);
    frame.show();
    units.show();
    units.move(frame.geometry().center() - QPoint(units.width() / 2, units.height() / 2));

    QTimer::singleShot(600, [&] {
        Save(&frame, out, QStringLiteral("panels-docked"));
        Save(log, out, QStringLiteral("panel-log"));
        Save(memory, out, QStringLiteral("panel-memory"));
        Save(statistics, out, QStringLiteral("panel-statistics"));
        Save(&units, out, QStringLiteral("panel-units"));
        // The statistics bar floating, as it starts.
        statisticsBar->setFloating(true);
        statisticsBar->move(27, 27);
        QTimer::singleShot(400, [&] {
            Save(statisticsBar, out, QStringLiteral("panel-statistics-floating"));
            if (qEnvironmentVariableIsSet("PANELS_DEMO_STAY")) return;
            app.quit();
        });
    });
    return app.exec();
}
