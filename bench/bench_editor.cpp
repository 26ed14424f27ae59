// Times the editor on a calculation of the editor's maximum size on one line:
// setting the text, showing the window and its first paint, then single
// keystrokes (Delete one, then type a digit: the text is at the limit) near the start, in the
// middle and at the end, each answered by a repaint. A plain timed program: run it offscreen.
// With --recovery 1 the editor belongs to a document whose unsaved work is
// kept in a recovery copy, as in the program: keystrokes go through it, and
// the deferred write of the copy is timed too.
//   bench_editor [--length N] [--text cells|column] [--repeat K] [--recovery 0|1]
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "document/CCalcDoc.h"
#include "document/CCalcView.h"
#include "document/DocumentFiles.h"
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

double Ms(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

// Lets the view answer everything queued, then paints it synchronously.
void Settle(CCalcView& view) {
    QCoreApplication::processEvents();
    view.viewport()->repaint();
}

double Keystroke(CCalcView& view, qsizetype position, bool typeDigit) {
    QTextCursor cursor = view.textCursor();
    cursor.setPosition(static_cast<int>(position));
    view.setTextCursor(cursor);
    Settle(view);
    QElapsedTimer timer;
    timer.start();
    if (typeDigit)
        QTest::keyClick(&view, Qt::Key_7, Qt::NoModifier);
    else
        QTest::keyClick(&view, Qt::Key_Delete, Qt::NoModifier);
    Settle(view);
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
    for (int i = 1; i + 1 < argc; i += 2) {
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
    const QString text = kind == "column" ? JoinedColumn(length) : RepeatedCells(length);

    CCalcView view;
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
    std::printf("text %s, %lld code units on one line\n", kind.c_str(),
                static_cast<long long>(view.TextLength()));
    std::printf("%-28s %10.1f ms\n", "set text", replaced);
    std::printf("%-28s %10.1f ms\n", "set text + show", shown);
    std::printf("%-28s %10.1f ms\n", "set text + show + paint", painted);

    const struct {
        const char* name;
        qsizetype position;
    } places[] = {{"start", 10}, {"middle", length / 2}, {"end", length - 10}};
    for (const auto& place : places) {
        if (repeat <= 0) break;
        for (const bool typeDigit : {false, true}) {
            std::vector<double> times;
            for (int i = 0; i < repeat; ++i)
                times.push_back(Keystroke(view, place.position, typeDigit));
            std::sort(times.begin(), times.end());
            char name[64];
            std::snprintf(name, sizeof name, "%s at the %s", typeDigit ? "type" : "Delete",
                          place.name);
            std::printf("%-28s %10.1f ms (median of %d, max %.1f)\n", name, times[times.size() / 2],
                        repeat, times.back());
        }
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
