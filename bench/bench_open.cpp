// Opens a large calculation file in the editor, as the program does (a shown
// window, the document, the editor's helpers), and reports the process's
// resident memory: before the open, its peak during the open, right after
// it, after a pause (the helpers' timers have run) and after the view went to
// the end of the text. Each against the file's size, which for a calculation
// file (UTF-16) is also the size of its text in memory. A plain measuring
// program: run it offscreen.
//   bench_open [--mib N] [--plain] [--resize] [--calculate]
// --plain leaves the helpers off; --resize narrows the editor after the open;
// --calculate also runs Calculate all and
// reports the memory after it.
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTextCursor>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "bench/BenchInputs.h"
#include "document/CCalcDoc.h"
#include "document/CCalcView.h"
#include "document/EditorAssist.h"
#include "document/LiveResult.h"
#include "document/LongTask.h"
#include "engine/FileText.h"

namespace {

double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM").
long long StatusBytes(const char* field) {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return -1;
    char line[256];
    long long kib = -1;
    const std::size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status) != nullptr)
        if (std::strncmp(line, field, length) == 0 && line[length] == ':')
            kib = std::atoll(line + length + 1);
    std::fclose(status);
    return kib < 0 ? -1 : kib * 1024;
}

// The peak is measured from here on (Linux 4.0 and later).
bool ResetPeak() {
    FILE* refs = std::fopen("/proc/self/clear_refs", "w");
    if (refs == nullptr) return false;
    const bool ok = std::fputs("5", refs) >= 0;
    return std::fclose(refs) == 0 && ok;
}

// The typical document with CR LF line breaks, as the program saves it, just
// under `bytes` bytes on disk. Written by a child process, so that none of
// its making stays in this one's heap.
bool WriteCalculation(const std::string& path, std::size_t bytes, std::size_t& lines) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        // Two bytes a unit, one unit more a line for the CR.
        std::size_t cells = 0;
        std::string text = NumeraBench::TypicalDocument(bytes / 2 * 46 / 47, 24, &cells);
        std::u16string units;
        units.reserve(text.size() + text.size() / 40);
        std::size_t count = 0;
        for (const char c : text) {
            if (c == '\n') {
                units.push_back(u'\r');
                ++count;
            }
            units.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
        }
        const std::string file = NCalculatorText::EncodeCalculationFile(units);
        FILE* out = std::fopen(path.c_str(), "wb");
        const bool ok = out != nullptr &&
                        std::fwrite(file.data(), 1, file.size(), out) == file.size() &&
                        std::fclose(out) == 0;
        (void)!write(pipeEnds[1], &count, sizeof count);
        _exit(ok ? 0 : 1);
    }
    close(pipeEnds[1]);
    if (child < 0) return false;
    (void)!read(pipeEnds[0], &lines, sizeof lines);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Settle(CCalcView& view, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QTest::qWait(10);
    } while (clock.elapsed() < milliseconds);
    view.viewport()->repaint();
}

struct Heap {
    long long used = -1;
    long long free = -1;
};
Heap HeapNow() {
    Heap heap;
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    const struct mallinfo2 info = mallinfo2();
    heap.used = static_cast<long long>(info.uordblks) + static_cast<long long>(info.hblkhd);
    heap.free = static_cast<long long>(info.fordblks);
#endif
    return heap;
}

}  // namespace

int main(int argc, char** argv) {
    int mib = 50;
    bool assist = true;
    bool calculate = false;
    bool resize = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--mib") == 0 && i + 1 < argc)
            mib = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--plain") == 0)
            assist = false;
        else if (std::strcmp(argv[i], "--calculate") == 0)
            calculate = true;
        else if (std::strcmp(argv[i], "--resize") == 0)
            resize = true;
        else {
            std::fprintf(stderr,
                         "usage: bench_open [--mib N] [--plain] [--resize] [--calculate]\n");
            return 2;
        }
    }

    char folder[] = "/tmp/bench_open.XXXXXX";
    if (mkdtemp(folder) == nullptr) return 1;
    const std::string path = std::string(folder) + "/large.tvc";
    std::size_t lines = 0;
    if (!WriteCalculation(path, static_cast<std::size_t>(mib) << 20, lines)) {
        std::fprintf(stderr, "bench_open: cannot write %s\n", path.c_str());
        return 1;
    }
    const long long fileBytes = QFile(QString::fromStdString(path)).size();

    QApplication app(argc, argv);
    CCalcView view;
    CCalcDoc doc;
    doc.SetView(&view);
    const std::unique_ptr<EditorAssist> helpers(assist ? new EditorAssist(&view) : nullptr);
    view.resize(1000, 700);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) return 1;
    Settle(view, 300);

    const long long before = StatusBytes("VmRSS");
    const bool peakReset = ResetPeak();
    const double cpu = CpuMs();
    QElapsedTimer clock;
    clock.start();
    const bool opened =
        doc.OpenDocumentFile(QString::fromStdString(path)) == CCalcDoc::OpenResult::Opened;
    const double openMs = static_cast<double>(clock.elapsed());
    const double openCpu = CpuMs() - cpu;
    view.viewport()->repaint();
    const long long afterOpen = StatusBytes("VmRSS");
    const long long peakOpen = StatusBytes("VmHWM");
    Settle(view, 1500);
    const long long idle = StatusBytes("VmRSS");
    double liveMs = -1;
    double movedMs = -1;
    double editedMs = -1;
    if (helpers != nullptr) {
        QTextCursor middle(view.document());
        middle.setPosition(view.document()->characterCount() / 2);
        view.setTextCursor(middle);
        clock.restart();
        helpers->Live()->Update();
        liveMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        // The caret moves on, the text unchanged.
        middle.movePosition(QTextCursor::Down, QTextCursor::MoveAnchor, 3);
        view.setTextCursor(middle);
        clock.restart();
        helpers->Live()->Update();
        movedMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        // A character deleted: the text is read again.
        middle.deleteChar();
        clock.restart();
        helpers->Live()->Update();
        editedMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        view.document()->undo();
    }
    const Heap idleHeap = HeapNow();
    view.moveCursor(QTextCursor::End);
    view.ensureCursorVisible();
    Settle(view, 500);
    const long long atEnd = StatusBytes("VmRSS");
    const long long peak = StatusBytes("VmHWM");

    const double size = static_cast<double>(fileBytes);
    const auto row = [size](const char* name, long long bytes) {
        std::printf("%-34s %9.1f MiB  %5.2f x file\n", name, static_cast<double>(bytes) / 1048576.0,
                    static_cast<double>(bytes) / size);
    };
    std::printf("file: %.1f MiB (UTF-16, %lld code units, %zu lines), helpers %s, %s\n",
                size / 1048576.0, fileBytes / 2 - 1, lines, assist ? "on" : "off",
                opened ? "opened" : "NOT OPENED");
    std::printf("open: %.0f ms (CPU %.0f ms)%s\n", openMs, openCpu,
                peakReset ? "" : "; the peak includes the time before the open");
    if (liveMs >= 0) std::printf("live result in the middle: %.1f ms\n", liveMs);
    if (movedMs >= 0) std::printf("live result, the caret moved on: %.1f ms\n", movedMs);
    if (editedMs >= 0) std::printf("live result after a deletion: %.1f ms\n", editedMs);
    row("resident before the open", before);
    row("peak during the open", peakOpen);
    row("peak during the open, added", peakOpen - before);
    row("right after the open", afterOpen);
    row("after a pause", idle);
    row("after a pause, added", idle - before);
    row("at the end of the text", atEnd);
    row("peak up to here", peak);
    if (idleHeap.used >= 0) {
        row("heap in use after the pause", idleHeap.used);
        row("heap kept free after the pause", idleHeap.free);
    }
    if (resize) {
        // A narrower editor: Qt lays the whole text out again at the new width.
        ResetPeak();
        clock.restart();
        view.resize(900, 700);
        Settle(view, 500);
        std::printf("resize: %lld ms\n", static_cast<long long>(clock.elapsed()));
        row("peak during a resize", StatusBytes("VmHWM"));
        row("after a resize", StatusBytes("VmRSS"));
    }
    if (calculate) {
        ResetPeak();
        LongTask::SetDelay(400);
        clock.restart();
        doc.ExecuteCommand(CalculateAll);
        std::printf("Calculate all: %lld ms\n", static_cast<long long>(clock.elapsed()));
        Settle(view, 1500);
        row("peak during Calculate all", StatusBytes("VmHWM"));
        row("after Calculate all and a pause", StatusBytes("VmRSS"));
    }
    std::remove(path.c_str());
    rmdir(folder);
    return opened ? 0 : 1;
}
