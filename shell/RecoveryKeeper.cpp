#include "shell/RecoveryKeeper.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTextCursor>
#include <QWidget>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "document/CCalcDoc.h"
#include "document/CCalcView.h"
#include "document/DocumentFiles.h"
#include "engine/CalculateText.h"
#include "engine/FileText.h"
#include "engine/MemoryStore.h"
#include "shell/core/MessageBox.h"
#include "shell/core/StringIds.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace {

// The keeper of the run, for the exit hook: Qt ends the process with exit()
// when the display connection breaks, and the work is written on the way out.
RecoveryKeeper* armedKeeper = nullptr;

void WriteOnExit() {
    if (armedKeeper == nullptr) return;
    armedKeeper->WriteNow();
    armedKeeper->Flush(true);
}

#ifdef Q_OS_UNIX
int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char byte = 1;
    // Nothing else is safe in a handler; the event loop does the rest.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}
#endif

// The parts of an X DestroyNotify event that matter here (xcb's layout).
struct DestroyNotifyEvent {
    std::uint8_t responseType;
    std::uint8_t pad;
    std::uint16_t sequence;
    std::uint32_t event;
    std::uint32_t window;
};
constexpr std::uint8_t kDestroyNotify = 17;

QString RefusalReason(RecoveryRefusal refusal) {
    switch (refusal) {
        case RecoveryRefusal::Truncated:
            return LoadString(StringId::RecoveryTruncated);
        case RecoveryRefusal::NewerFormat:
            return LoadString(StringId::RecoveryNewerFormat);
        case RecoveryRefusal::TooLarge:
            return LoadString(StringId::RecoveryTooLarge);
        case RecoveryRefusal::Corrupt:
        case RecoveryRefusal::None:
            break;
    }
    return LoadString(StringId::RecoveryCorrupt);
}

// "14:32" for a copy of today, else the date too.
QString WhenWritten(const QDateTime& written) {
    const QDateTime local = written.toLocalTime();
    if (local.date() == QDate::currentDate()) return local.toString(QStringLiteral("HH:mm"));
    return local.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

}  // namespace

// One thread that writes and removes the copy in the order asked; a copy
// still waiting is replaced by a newer one, so a slow disk never queues up.
class RecoveryWriter {
public:
    // done runs on the writing thread after each job with its outcome.
    RecoveryWriter(RecoveryStore& store, std::function<void()> done)
        : store_(store), done_(std::move(done)), thread_([this] { Run(); }) {}
    ~RecoveryWriter() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    // The copy to write, or none to remove it.
    void Post(std::optional<RecoveryCopy> copy) {
        {
            std::lock_guard lock(mutex_);
            job_ = std::move(copy);
            pending_ = true;
        }
        wake_.notify_all();
    }
    // Until nothing waits or runs; true when the last job succeeded.
    bool Wait() {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return !pending_ && !busy_; });
        return lastOk_;
    }
    // A copy waits or is being written.
    bool Busy() {
        std::lock_guard lock(mutex_);
        return pending_ || busy_;
    }
    // A failure since the last call.
    bool TakeFailure() {
        std::lock_guard lock(mutex_);
        return std::exchange(failed_, false);
    }

private:
    void Run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return pending_ || stop_; });
            if (!pending_) return;
            std::optional<RecoveryCopy> job = std::move(job_);
            pending_ = false;
            busy_ = true;
            lock.unlock();
            bool ok = true;
            if (job)
                ok = store_.Write(std::move(*job)).Ok();
            else
                store_.Remove();
            job.reset();
            lock.lock();
            busy_ = false;
            lastOk_ = ok;
            if (!ok) failed_ = true;
            idle_.notify_all();
            if (!ok && done_) {
                lock.unlock();
                done_();
                lock.lock();
            }
        }
    }

    RecoveryStore& store_;
    std::function<void()> done_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<RecoveryCopy> job_;
    bool pending_ = false;
    bool busy_ = false;
    bool stop_ = false;
    bool lastOk_ = false;
    bool failed_ = false;
    std::thread thread_;  // last: starts once the rest is ready
};

RecoveryKeeper::RecoveryKeeper(CCalcDoc* document, const QString& directory, QObject* parent)
    : QObject(parent), document_(document), store_(directory) {
    quiet_.setSingleShot(true);
    connect(&quiet_, &QTimer::timeout, this, &RecoveryKeeper::WriteWhenIdle);
}

RecoveryKeeper::~RecoveryKeeper() {
    // Gone without the end of a run (only a test does that): as a normal end.
    if (store_.Claimed()) Finish();
    if (armedKeeper == this) armedKeeper = nullptr;
    writer_.reset();
    QCoreApplication::instance()->removeNativeEventFilter(this);
#ifdef Q_OS_UNIX
    if (signalNotifier_ != nullptr) {
        ::signal(SIGTERM, SIG_DFL);
        ::signal(SIGHUP, SIG_DFL);
        delete signalNotifier_;
        for (int& fd : signalPipe) {
            ::close(fd);
            fd = -1;
        }
    }
#endif
}

void RecoveryKeeper::Start() {
    if (started_) return;
    started_ = true;
    if (!store_.Claim()) {
        ReportUnusable();
        return;
    }
    // Failures are told on the window's thread.
    writer_ = std::make_unique<RecoveryWriter>(store_, [this] {
        QMetaObject::invokeMethod(this, &RecoveryKeeper::ReportFailure, Qt::QueuedConnection);
    });
    CCalcView* view = document_->View();
    // A keystroke only restarts the timer; the copy is written when typing pauses.
    connect(view, &CCalcView::Edited, this, &RecoveryKeeper::Schedule);
    connect(document_, &CCalcDoc::TitleChanged, this, &RecoveryKeeper::OnModifiedChanged);
    connect(document_, &CCalcDoc::ResultChanged, this, &RecoveryKeeper::WriteWhenIdle);
    connect(document_, &CCalcDoc::MemoryChanged, this, &RecoveryKeeper::OnMemoryChanged);
    static const bool hooked = [] { return std::atexit(WriteOnExit) == 0; }();
    if (hooked) armedKeeper = this;
    // Work done before the start is kept like any later change.
    Schedule();
}

void RecoveryKeeper::Schedule() {
    if (!store_.Claimed() || !document_->IsModified()) return;
    if (!quiet_.isActive()) pendingSince_.start();
    if (pendingSince_.elapsed() < kLongestDelayMs - kQuietMs) quiet_.start(kQuietMs);
}

void RecoveryKeeper::OnModifiedChanged() {
    if (document_->IsModified())
        Schedule();
    else
        WriteNow();  // saved or discarded: the copy goes
}

RecoveryCopy RecoveryKeeper::Capture() const {
    RecoveryCopy copy;
    CCalcView* view = document_->View();
    copy.text = view->EditorText();
    copy.path = document_->GetPathName();
    const QTextCursor cursor = view->textCursor();
    // Positions of the text: the editor's own breaks are not in the copy.
    copy.anchor = static_cast<int>(view->TextPosition(cursor.anchor()));
    copy.position = static_cast<int>(view->TextPosition(cursor.position()));
    copy.modified = document_->IsModified();
    copy.memory = NCalculatorText::FormatMemoryFile(true);
    copy.lastResult = NCalculatorText::lastResult;
    copy.written = QDateTime::currentDateTimeUtc();
    copy.pid = QCoreApplication::applicationPid();
    return copy;
}

void RecoveryKeeper::WriteNow() {
    quiet_.stop();
    if (!writer_) return;
    if (!document_->IsModified()) {
        if (written_) writer_->Post(std::nullopt);
        written_ = false;
        return;
    }
    // Only the snapshot is taken here; the thread encodes and writes it.
    RecoveryCopy copy = Capture();
    writtenMemory_ = copy.memory;
    writer_->Post(std::move(copy));
    written_ = true;
}

void RecoveryKeeper::OnMemoryChanged() {
    // A calculation tells its result first, and the copy taken then holds
    // the memory already: it is not written again.
    if (written_ && NCalculatorText::FormatMemoryFile(true) == writtenMemory_) return;
    Schedule();
}

void RecoveryKeeper::WriteWhenIdle() {
    // A copy of a large text is tens of megabytes: while one is on its way
    // the next is taken after it, not beside it.
    if (writer_ && writer_->Busy()) {
        quiet_.start(kRetryMs);
        return;
    }
    WriteNow();
}

bool RecoveryKeeper::Flush(bool quiet) {
    if (!writer_) return false;
    const bool ok = writer_->Wait();
    if (!quiet) ReportFailure();
    return ok && written_;
}

void RecoveryKeeper::ReportFailure() {
    // A full or read-only folder: said once, then the run goes on unprotected
    // but tries again at the next change, in case room was made.
    if (writer_ && writer_->TakeFailure()) ReportUnusable();
}

void RecoveryKeeper::ReportUnusable() {
    if (reported_) return;
    reported_ = true;
    AppMessageBox(
        LoadString(StringId::RecoveryUnavailable).arg(QDir::toNativeSeparators(store_.Directory())),
        MB_ICONEXCLAMATION, StringId::RecoveryUnavailable);
}

void RecoveryKeeper::Finish() {
    if (armedKeeper == this) armedKeeper = nullptr;
    quiet_.stop();
    if (writer_) writer_->Wait();
    writer_.reset();
    store_.Release(keep_);
}

void RecoveryKeeper::KeepForNextStart() {
    if (keep_) return;
    WriteNow();
    Flush(true);
    keep_ = true;
    if (armedKeeper == this) armedKeeper = nullptr;
}

void RecoveryKeeper::EndAbruptly() {
    KeepForNextStart();
    // Every event loop ends, a dialog's too; no window is asked to close,
    // so nothing asks a question nobody is there to answer.
    QCoreApplication::exit(0);
}

bool RecoveryKeeper::OfferOrphans() {
    bool recovered = false;
    std::vector<RecoveryStore::Orphan> orphans = store_.TakeOrphans();
    // A recovered document is kept in this run's slot before the old copy goes.
    if (!orphans.empty()) Start();
    for (RecoveryStore::Orphan& orphan : orphans) {
        RecoveryCopy copy;
        const RecoveryRefusal refusal = RecoveryStore::Read(orphan.file, copy);
        if (refusal != RecoveryRefusal::None) {
            const QString aside = RecoveryStore::SetAside(orphan, QStringLiteral("refused"));
            AppMessageBox(LoadString(StringId::RecoveryRefused)
                              .arg(RefusalReason(refusal), QDir::toNativeSeparators(aside)),
                          MB_ICONEXCLAMATION, StringId::RecoveryRefused);
            continue;
        }
        if (recovered) {
            // One document at a time: the others wait for the next start.
            orphan.lock->unlock();
            continue;
        }
        const QString name =
            copy.path.isEmpty() ? DocTemplate::DocumentName() : FileTitleOf(copy.path);
        const QString question =
            LoadString(StringId::RecoveryQuestion).arg(name, WhenWritten(copy.written));
        const int answer =
            AppMessageBox(question, MB_YESNO | MB_ICONQUESTION, StringId::RecoveryQuestion);
        if (keep_) {
            // Ended while asking: nobody answered, the copy stays on offer.
            orphan.lock->unlock();
            continue;
        }
        if (answer != IDYES) {
            // A wrong click loses nothing: the copy is kept aside for a while.
            RecoveryStore::SetAside(orphan, QStringLiteral("declined"));
            continue;
        }
        document_->RestoreRecovered(copy.text, copy.path, copy.anchor, copy.position);
        RestoreMemory(copy);
        recovered = true;
        // The work is this run's now; the old copy goes once this run's is written.
        WriteNow();
        if (Flush())
            RecoveryStore::Dismiss(orphan);
        else
            orphan.lock->unlock();
    }
    store_.Prune(QDateTime::currentDateTimeUtc());
    return recovered;
}

void RecoveryKeeper::RestoreMemory(const RecoveryCopy& copy) {
    // A memory file is loaded by calculating it, as Memory, Load does, after
    // the reading rule's removal of the byte order marks.
    std::u16string text = copy.memory;
    std::erase(text, u'\uFEFF');
    int32_t position = -1;
    NCalculatorText::CalculateText(text, position);
    NCalculatorText::lastResult = copy.lastResult;
    emit document_->ResultChanged();
    emit document_->MemoryChanged();
}

void RecoveryKeeper::CatchTerminationSignals() {
#ifdef Q_OS_UNIX
    if (signalNotifier_ != nullptr || signalPipe[0] >= 0) return;
    if (::pipe(signalPipe) != 0) return;
    for (const int fd : signalPipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    signalNotifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(signalNotifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        EndAbruptly();
    });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
#endif
}

void RecoveryKeeper::WatchWindow(QWidget* window) {
    window_ = window;
    windowId_ = window->internalWinId();
    if (windowId_ != 0) QCoreApplication::instance()->installNativeEventFilter(this);
}

bool RecoveryKeeper::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || window_ == nullptr || keep_) return false;
    const auto* event = static_cast<const DestroyNotifyEvent*>(message);
    if ((event->responseType & 0x7F) != kDestroyNotify || event->window != windowId_) return false;
    // When the program destroys the window itself it forgets the id first.
    if (window_->internalWinId() != windowId_) return false;
    QMetaObject::invokeMethod(this, &RecoveryKeeper::EndAbruptly, Qt::QueuedConnection);
    return false;
}
