#include "document/CupsJobs.h"

#include <QByteArray>
#include <QLibrary>
#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinter>
#include <ctime>
#include <utility>
#include <vector>

namespace {

// The library's stable C interface (libcups.so.2), declared here so that
// the build needs no development files of the scheduler.
struct CupsOption {
    char* name;
    char* value;
};
struct CupsJob {
    int id;
    char* dest;
    char* title;
    char* user;
    char* format;
    int state;
    int size;
    int priority;
    time_t completedTime;
    time_t creationTime;
    time_t processingTime;
};
using PrintFileFn = int (*)(const char*, const char*, const char*, int, CupsOption*);
using GetJobsFn = int (*)(CupsJob**, const char*, int, int);
using FreeJobsFn = void (*)(int, CupsJob*);
using CancelJobFn = int (*)(const char*, int);
using LastErrorStringFn = const char* (*)();
constexpr int kAllJobs = -1;

// The scheduler's job states (IPP job-state).
constexpr int kHeld = 4;
constexpr int kProcessing = 5;
constexpr int kStopped = 6;
constexpr int kCancelled = 7;
constexpr int kAborted = 8;
constexpr int kCompleted = 9;

// The options Qt's printer keeps from its print dialog (page set, n-up, ...).
constexpr auto kCupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

struct Library {
    PrintFileFn printFile = nullptr;
    GetJobsFn getJobs = nullptr;
    FreeJobsFn freeJobs = nullptr;
    CancelJobFn cancelJob = nullptr;
    LastErrorStringFn lastErrorString = nullptr;
    bool Loaded() const { return printFile && getJobs && freeJobs && cancelJob && lastErrorString; }
};

const Library& Cups() {
    static const Library library = [] {
        Library loaded;
#ifndef Q_OS_WIN
        QLibrary cups(QStringLiteral("cups"), 2);
        if (!cups.load()) return loaded;
        loaded.printFile = reinterpret_cast<PrintFileFn>(cups.resolve("cupsPrintFile"));
        loaded.getJobs = reinterpret_cast<GetJobsFn>(cups.resolve("cupsGetJobs"));
        loaded.freeJobs = reinterpret_cast<FreeJobsFn>(cups.resolve("cupsFreeJobs"));
        loaded.cancelJob = reinterpret_cast<CancelJobFn>(cups.resolve("cupsCancelJob"));
        loaded.lastErrorString =
            reinterpret_cast<LastErrorStringFn>(cups.resolve("cupsLastErrorString"));
#endif
        return loaded;
    }();
    return library;
}

const char* SidesOf(QPrinter::DuplexMode duplex, QPageLayout::Orientation orientation) {
    switch (duplex) {
        case QPrinter::DuplexNone:
            return "one-sided";
        case QPrinter::DuplexAuto:
            return orientation == QPageLayout::Portrait ? "two-sided-long-edge"
                                                        : "two-sided-short-edge";
        case QPrinter::DuplexLongSide:
            return "two-sided-long-edge";
        case QPrinter::DuplexShortSide:
            return "two-sided-short-edge";
    }
    return "one-sided";
}

}  // namespace

namespace CupsJobs {

bool Available() { return Cups().Loaded(); }

QString QueueOf(const QString& printerName) { return printerName.section(u'/', 0, 0); }

Submission Submit(const QPrinter& printer, const QString& file, const QString& title) {
    Submission result;
    const Library& cups = Cups();
    if (!cups.Loaded()) {
        result.error = QStringLiteral("no CUPS library");
        return result;
    }
    // What Qt's own printer would send with the same file.
    std::vector<std::pair<QByteArray, QByteArray>> options;
    const QPageLayout layout = printer.pageLayout();
    options.emplace_back("media", layout.pageSize().key().toLocal8Bit());
    if (printer.copyCount() > 1) {
        options.emplace_back("copies", QByteArray::number(printer.copyCount()));
        if (printer.collateCopies()) options.emplace_back("Collate", "True");
    }
    options.emplace_back("sides", SidesOf(printer.duplex(), layout.orientation()));
    if (layout.orientation() == QPageLayout::Landscape) options.emplace_back("landscape", "");
    const QStringList chosen =
        const_cast<QPrinter&>(printer).printEngine()->property(kCupsOptionsKey).toStringList();
    for (qsizetype i = 0; i + 1 < chosen.size(); i += 2)
        options.emplace_back(chosen[i].toLocal8Bit(), chosen[i + 1].toLocal8Bit());

    std::vector<CupsOption> raw;
    raw.reserve(options.size());
    for (auto& [name, value] : options) raw.push_back({name.data(), value.data()});
    const QByteArray queue = QueueOf(printer.printerName()).toLocal8Bit();
    result.job = cups.printFile(queue.constData(), file.toLocal8Bit().constData(),
                                title.toLocal8Bit().constData(), int(raw.size()),
                                raw.empty() ? nullptr : raw.data());
    if (result.job <= 0) {
        result.job = 0;
        result.error = QString::fromLocal8Bit(cups.lastErrorString());
    }
    return result;
}

JobState Decide(bool queueAnswered, bool found, int ippState) {
    // A queue that no longer answers took the job with it.
    if (!queueAnswered) return JobState::Refused;
    // Finished jobs may already be out of the scheduler's history.
    if (!found) return JobState::Accepted;
    switch (ippState) {
        case kProcessing:
        case kCompleted:
            return JobState::Accepted;
        case kCancelled:
        case kAborted:
            return JobState::Refused;
        case kHeld:
        case kStopped:
        default:
            return JobState::Waiting;
    }
}

JobState StateOf(const QString& queue, int job) {
    const Library& cups = Cups();
    if (!cups.Loaded()) return JobState::Accepted;
    CupsJob* jobs = nullptr;
    const int count = cups.getJobs(&jobs, queue.toLocal8Bit().constData(), 0, kAllJobs);
    bool found = false;
    int state = 0;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id != job) continue;
        found = true;
        state = jobs[i].state;
    }
    if (count > 0) cups.freeJobs(count, jobs);
    return Decide(count >= 0, found, state);
}

bool Cancel(const QString& queue, int job) {
    const Library& cups = Cups();
    return cups.Loaded() && cups.cancelJob(queue.toLocal8Bit().constData(), job) != 0;
}

}  // namespace CupsJobs
