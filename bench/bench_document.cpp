// Times the window's calculation commands on the largest typical calculation
// whose calculated text still fits the editor: opening it (with the first
// paint), Calculate of one cell at the end and in the middle, and Calculate
// all, each followed by a repaint. A plain timed program: run it offscreen.
// With --assist the editor's helpers are on (colours, live result), as the
// program starts; then a keystroke in the middle and the live result that
// follows it are timed too.
//   bench_document [--repeat K] [--assist]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "bench/BenchInputs.h"
#include "document/CCalcDoc.h"
#include "document/CCalcView.h"
#include "document/DocumentFiles.h"
#include "document/EditorAssist.h"
#include "document/LiveResult.h"
#include "engine/CalculateText.h"
#include "engine/FileText.h"

namespace {

double Ms(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

// CPU time of this thread: on a loaded machine the wall clock mostly
// measures the other processes.
double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void Settle(CCalcView& view) {
    QCoreApplication::processEvents();
    view.viewport()->repaint();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The typical document, shrunk until its calculated text fits the editor.
std::string LargestFittingDocument(std::size_t& cells) {
    std::size_t bytes = static_cast<std::size_t>(kEditorTextLimit);
    for (;;) {
        std::string text = NumeraBench::TypicalDocument(bytes, 42, &cells);
        std::u16string calculated(text.begin(), text.end());
        int32_t position = -1;
        NCalculatorText::CalculateText(calculated, position);
        if (FileTextEditorLength(calculated) <= kEditorTextLimit) return text;
        bytes = bytes * 97 / 100;
    }
}

}  // namespace

int main(int argc, char** argv) {
    int repeat = 5;
    bool assist = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--assist") == 0)
            assist = true;
    }
    QApplication app(argc, argv);

    std::size_t cells = 0;
    const std::string text = LargestFittingDocument(cells);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("typical.tvc"));
    {
        std::u16string units(text.begin(), text.end());
        const std::string bytes = NCalculatorText::EncodeCalculationFile(units);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return 1;
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    std::printf("typical calculation: %zu cells, %zu code units\n", cells, text.size());

    CCalcView view;
    CCalcDoc doc;
    doc.SetView(&view);
    EditorAssist* helpers = assist ? new EditorAssist(&view) : nullptr;
    std::printf("editor helpers %s\n", assist ? "on" : "off");
    view.resize(1000, 700);
    view.show();
    Settle(view);

    std::vector<double> open;
    std::vector<double> openCpu;
    for (int i = 0; i < repeat; ++i) {
        doc.SetModifiedFlag(false);
        doc.OnNewDocument();
        Settle(view);
        QElapsedTimer timer;
        timer.start();
        const double cpu = CpuMs();
        doc.OpenDocumentFile(path);
        Settle(view);
        open.push_back(Ms(timer));
        openCpu.push_back(CpuMs() - cpu);
    }
    std::printf("%-36s %10.1f ms (CPU %.1f)\n", "open + first paint", Median(open),
                Median(openCpu));

    const auto timeCommand = [&](const char* name, int command, int block) {
        std::vector<double> times;
        std::vector<double> cpus;
        for (int i = 0; i < repeat; ++i) {
            if (block >= 0) {
                const QTextBlock line = view.document()->findBlockByNumber(block);
                QTextCursor cursor = view.textCursor();
                cursor.setPosition(line.position() + 1);
                view.setTextCursor(cursor);
                view.ensureCursorVisible();  // the user looks at the cell
            }
            Settle(view);
            QElapsedTimer timer;
            timer.start();
            const double cpu = CpuMs();
            doc.ExecuteCommand(command);
            Settle(view);
            times.push_back(Ms(timer));
            cpus.push_back(CpuMs() - cpu);
            view.undo();  // the next run finds the same stale result
            Settle(view);
        }
        std::printf("%-36s %10.1f ms (CPU %.1f)\n", name, Median(times), Median(cpus));
    };
    const int lines = view.document()->blockCount();
    {
        // A digit typed and erased again in a cell in view, in the middle.
        const QTextBlock line = view.document()->findBlockByNumber(lines / 2);
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(line.position() + 1);
        view.setTextCursor(cursor);
        view.ensureCursorVisible();
        view.setFocus();
        Settle(view);
        std::vector<double> typed;
        std::vector<double> typedCpu;
        std::vector<double> live;
        for (int i = 0; i < repeat; ++i) {
            for (const Qt::Key key : {Qt::Key_7, Qt::Key_Backspace}) {
                QElapsedTimer timer;
                timer.start();
                const double cpu = CpuMs();
                QTest::keyClick(&view, key, Qt::NoModifier);
                Settle(view);
                typed.push_back(Ms(timer));
                typedCpu.push_back(CpuMs() - cpu);
                if (helpers) {
                    timer.restart();
                    helpers->Live()->Update();
                    live.push_back(Ms(timer));
                }
            }
        }
        std::printf("%-36s %10.1f ms (max %.1f; CPU %.1f)\n", "keystroke in the middle",
                    Median(typed), *std::max_element(typed.begin(), typed.end()), Median(typedCpu));
        if (helpers)
            std::printf("%-36s %10.1f ms (max %.1f)\n", "live result after the pause", Median(live),
                        *std::max_element(live.begin(), live.end()));
    }
    timeCommand("Calculate, cell at the end", CalculateCell, lines - 2);
    timeCommand("Calculate, cell in the middle", CalculateCell, lines / 2);
    timeCommand("Calculate all", CalculateAll, -1);
    return 0;
}
