// Times the editor on a calculation of the editor's maximum size on one line:
// setting the text, showing the window and its first paint, then single
// keystrokes (Delete one, then type a digit: the text is at the limit) near the start, in the
// middle and at the end, each answered by a repaint. A plain timed program: run it offscreen.
// With --recovery 1 the editor belongs to a document whose unsaved work is
// kept in a recovery copy, as in the program: keystrokes go through it, and
// the deferred write of the copy is timed too.
// --assist turns the editor's helpers on (colours, live result, completion),
// as the program starts; the live result after each pause is timed apart.
// --text lines: 15,000 lines of cells instead of one line.
//   bench_editor [--length N] [--text cells|column|lines] [--repeat K] [--assist] [--recovery 0|1]
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "document/CCalcDoc.h"
#include "document/CCalcView.h"
#include "document/DocumentFiles.h"
#include "document/EditorAssist.h"
#include "document/LiveResult.h"
#include "shell/RecoveryKeeper.h"

namespace {

// "1+1;1+1;..." cut to length.
QString RepeatedCells(qsizetype length) {
    QString text;
    text.reserve(length);
    while (text.size() < length) text += QStringLiteral("1+1;");
    text.truncate(length);
    return text;
}

// A pasted column of numbers joined by "+": "417.25+9031.5+..." from a fixed seed.
QString JoinedColumn(qsizetype length) {
    QString text;
    text.reserve(length + 32);
    uint32_t state = 12345;
    while (text.size() < length) {
        state = state * 1103515245u + 12345u;
        if (!text.isEmpty()) text += QLatin1Char('+');
        text += QString::number((state >> 8) % 100000) + QLatin1Char('.') +
                QString::number((state >> 4) % 100);
    }
    text.truncate(length);
    return text;
}

// 15,000 lines of cells with functions, memory, comments and old results.
QString CellLines(int count) {
    QString text;
    for (int i = 0; i < count; ++i) {
        text += QStringLiteral("%1.25*(3+sin(%2))-mem[rate]/7 = 12.5; // line %3\n")
                    .arg(i % 977)
                    .arg(i % 13)
                    .arg(i);
    }
    text.chop(1);
    return text;
}

double Ms(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

// Lets the view answer everything queued, then paints it synchronously.
void Settle(CCalcView& view) {
    QCoreApplication::processEvents();
    view.viewport()->repaint();
}

// CPU time of this thread: on a loaded machine the wall clock mostly
// measures the other processes.
double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double Keystroke(CCalcView& view, qsizetype position, bool typeDigit, double& cpu) {
    QTextCursor cursor = view.textCursor();
    cursor.setPosition(static_cast<int>(position));
    view.setTextCursor(cursor);
    Settle(view);
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = CpuMs();
    if (typeDigit)
        QTest::keyClick(&view, Qt::Key_7, Qt::NoModifier);
    else
        QTest::keyClick(&view, Qt::Key_Delete, Qt::NoModifier);
    Settle(view);
    cpu = CpuMs() - cpuStart;
    return Ms(timer);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    qsizetype length = kEditorTextLimit;
    std::string kind = "cells";
    int repeat = 3;
    bool recovery = false;
    bool assist = false;
    for (int i = 1; i < argc; i += 2) {
        if (std::strcmp(argv[i], "--assist") == 0) {
            assist = true;
            --i;
            continue;
        }
        if (i + 1 >= argc) break;
        if (std::strcmp(argv[i], "--length") == 0)
            length = std::atoll(argv[i + 1]);
        else if (std::strcmp(argv[i], "--text") == 0)
            kind = argv[i + 1];
        else if (std::strcmp(argv[i], "--repeat") == 0)
            repeat = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--recovery") == 0)
            recovery = std::atoi(argv[i + 1]) != 0;
        else {
            std::fprintf(stderr, "bench_editor: unknown argument %s\n", argv[i]);
            return 2;
        }
    }
    const QString text = kind == "column"  ? JoinedColumn(length)
                         : kind == "lines" ? CellLines(15000)
                                           : RepeatedCells(length);
    length = CCalcView::LengthOf(text);

    CCalcView view;
    EditorAssist* helpers = assist ? new EditorAssist(&view) : nullptr;
    std::vector<double> live;
    view.resize(1000, 700);
    CCalcDoc document;
    QTemporaryDir recoveryFolder;
    std::unique_ptr<RecoveryKeeper> keeper;
    if (recovery) {
        document.SetView(&view);
        keeper = std::make_unique<RecoveryKeeper>(&document, recoveryFolder.path());
        keeper->Start();
    }
    QElapsedTimer timer;
    timer.start();
    view.ReplaceText(text);
    const double replaced = Ms(timer);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) {
        std::fprintf(stderr, "bench_editor: the window was not exposed\n");
        return 1;
    }
    const double shown = Ms(timer);
    Settle(view);
    const double painted = Ms(timer);
    std::printf("text %s, %lld code units on %d line(s), editor helpers %s\n", kind.c_str(),
                static_cast<long long>(view.TextLength()), view.document()->blockCount(),
                assist ? "on" : "off");
    std::printf("%-28s %10.1f ms\n", "set text", replaced);
    std::printf("%-28s %10.1f ms\n", "set text + show", shown);
    std::printf("%-28s %10.1f ms\n", "set text + show + paint", painted);

    const qsizetype characters = view.document()->characterCount() - 1;
    const struct {
        const char* name;
        qsizetype position;
    } places[] = {{"start", 10}, {"middle", characters / 2}, {"end", characters - 10}};
    for (const auto& place : places) {
        if (repeat <= 0) break;
        for (const bool typeDigit : {false, true}) {
            std::vector<double> times;
            std::vector<double> cpus;
            for (int i = 0; i < repeat; ++i) {
                double cpu = 0;
                times.push_back(Keystroke(view, place.position, typeDigit, cpu));
                cpus.push_back(cpu);
                if (helpers) {
                    QElapsedTimer timer;
                    timer.start();
                    helpers->Live()->Update();
                    live.push_back(Ms(timer));
                }
            }
            std::sort(times.begin(), times.end());
            std::sort(cpus.begin(), cpus.end());
            char name[64];
            std::snprintf(name, sizeof name, "%s at the %s", typeDigit ? "type" : "Delete",
                          place.name);
            std::printf("%-28s %10.1f ms (median of %d, max %.1f; CPU %.1f, max %.1f)\n", name,
                        times[times.size() / 2], repeat, times.back(), cpus[cpus.size() / 2],
                        cpus.back());
        }
    }
    if (!live.empty()) {
        std::sort(live.begin(), live.end());
        std::printf("%-28s %10.1f ms (median, max %.1f)\n", "live result after a pause",
                    live[live.size() / 2], live.back());
    }
    if (view.TextLength() != length) {
        std::fprintf(stderr, "bench_editor: length %lld after as many insertions as deletions\n",
                     static_cast<long long>(view.TextLength()));
        return 1;
    }
    if (keeper) {
        // The window's share (the snapshot), then the writing thread's.
        timer.restart();
        keeper->WriteNow();
        std::printf("%-28s %10.1f ms\n", "recovery copy taken", Ms(timer));
        const bool written = keeper->Flush(true);
        std::printf("%-28s %10.1f ms (%s)\n", "recovery copy on disk", Ms(timer),
                    written ? "written" : "NOT WRITTEN");
    }
    // File, New after it.
    timer.restart();
    view.ReplaceText(QString());
    Settle(view);
    std::printf("%-28s %10.1f ms\n", "replace by an empty text", Ms(timer));
    return 0;
}
