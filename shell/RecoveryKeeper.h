// Keeps a recovery copy of the document's unsaved work for the whole run:
// writes it a moment after the last change and after every calculation,
// removes it when the work is saved or discarded, writes it at once when the
// program is ended without asking (SIGTERM, SIGHUP, a lost display, a main
// window destroyed from outside), and at start offers the copies that
// instances gone before left behind.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <string>

#include "document/RecoveryStore.h"

class CCalcDoc;
class RecoveryWriter;
class QSocketNotifier;
class QWidget;

class RecoveryKeeper : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // A change is written this long after the last one; typing on without a
    // pause writes at most this long after the first.
    static constexpr int kQuietMs = 2000;
    static constexpr int kLongestDelayMs = 10000;
    // How soon a copy waiting for the one before it is tried again.
    static constexpr int kRetryMs = 100;

    explicit RecoveryKeeper(CCalcDoc* document,
                            const QString& directory = RecoveryStore::DefaultDirectory(),
                            QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // Takes this instance's slot and follows the document from now on. A
    // folder that cannot be used only turns recovery off (one message).
    // Once per run; later calls do nothing.
    void Start();
    // Asks about every copy left by an instance that no longer runs, newest
    // first, until one is recovered into the document; true when one was.
    // Copies that cannot be used are refused with a message and kept aside.
    // Starts first when there is a copy to offer.
    bool OfferOrphans();

    // SIGTERM and SIGHUP end the run through EndAbruptly.
    void CatchTerminationSignals();
    // The window's destruction by another client ends the run the same way.
    void WatchWindow(QWidget* window);

    // Writes the copy now (when something is unsaved) and keeps it past the
    // end of the run, for the next start.
    void KeepForNextStart();
    // KeepForNextStart, then every event loop ends.
    void EndAbruptly();
    // The normal end: the copy goes with the slot.
    void Finish();

    // Takes the copy now when the document holds unsaved work (removes it
    // otherwise) and hands it to the writing thread, so that encoding and
    // writing a large text never hold up the window.
    void WriteNow();
    // WriteNow, once the copy before it is written.
    void WriteWhenIdle();
    // A copy is due once typing pauses.
    bool WriteScheduled() const { return quiet_.isActive(); }
    // Waits until everything handed over is on disk (or failed); true when
    // the copy is there. quiet: no message whatever happened (the display
    // may be gone).
    bool Flush(bool quiet = false);

    const RecoveryStore& Store() const { return store_; }
    bool Enabled() const { return store_.Claimed(); }
    bool EndedAbruptly() const { return keep_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void Schedule();
    void OnModifiedChanged();
    void ReportUnusable();
    void ReportFailure();
    void RestoreMemory(const RecoveryCopy& copy);
    RecoveryCopy Capture() const;
    void OnMemoryChanged();

    CCalcDoc* document_;
    RecoveryStore store_;
    std::unique_ptr<RecoveryWriter> writer_;
    QTimer quiet_;
    QElapsedTimer pendingSince_;
    bool started_ = false;
    bool reported_ = false;         // the folder's failure was told once this run
    bool keep_ = false;             // ended abruptly: the copy outlives the run
    bool written_ = false;          // a copy of this run may be on disk
    std::u16string writtenMemory_;  // the memory of the last copy taken
    QSocketNotifier* signalNotifier_ = nullptr;
    QPointer<QWidget> window_;
    quintptr windowId_ = 0;
};
