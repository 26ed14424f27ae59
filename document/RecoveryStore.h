// Recovery copies of unsaved work: what one copy holds, its file format, and
// the folder that keeps one copy per running instance of the program.
//
// A copy is written while the document has unsaved changes and removed when
// they are saved or discarded; one left behind by an instance that no longer
// runs is work that a crash, a kill or a lost display would otherwise have
// taken. Each instance locks its own slot, so a copy whose lock can be taken
// is an orphan; copies the user declines, and copies that cannot be read,
// are renamed aside rather than deleted and pruned after some days.
#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/FileAccess.h"

struct RecoveryCopy {
    QString text;  // the editor's text, line breaks as LF
    QString path;  // the document's file; empty for a calculation never saved
    int anchor = 0;
    int position = 0;
    bool modified = true;
    std::u16string memory;  // the memory cells as a memory file's text
    double lastResult = 0;
    QDateTime written;  // UTC
    qint64 pid = 0;
};

enum class RecoveryRefusal {
    None,
    Corrupt,      // not a copy, or its contents do not match their check
    Truncated,    // ends before its last section
    NewerFormat,  // written by a later version of the program
    TooLarge,     // more text than the program opens
};

namespace RecoveryFormat {
inline constexpr int kVersion = 1;
// The most bytes a copy may take: the largest text the program opens and a
// memory of the same size, with room for the header.
std::size_t MaxBytes();
std::string Encode(const RecoveryCopy& copy);
// The same, taking the copy: a text held by it alone is given back to the
// system as it is encoded, and the copy's text is empty afterwards.
std::string Encode(RecoveryCopy&& copy);
RecoveryRefusal Decode(std::string_view bytes, RecoveryCopy& copy);
}  // namespace RecoveryFormat

class RecoveryStore {
public:
    // Copies set aside are kept this long.
    static constexpr int kKeepDays = 14;

    explicit RecoveryStore(QString directory);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // The per-user folder: the application data location's "recovery"
    // (under Qt's test mode, one of the process's own in the temporary folder).
    static QString DefaultDirectory();
    const QString& Directory() const { return directory_; }

    // Takes a slot of this instance: makes the folder and locks the slot.
    // False when either fails (then nothing can be written).
    bool Claim();
    bool Claimed() const { return lock_ != nullptr; }
    QString CopyFile() const;  // this instance's copy

    // Writes this instance's copy atomically; removing it needs no copy there.
    NCalculatorText::FileOutcome Write(RecoveryCopy copy);
    void Remove();
    // Ends the slot: removes the copy (unless keep) and releases the lock.
    void Release(bool keep);

    // An orphan: a copy whose instance no longer runs, held locked by this
    // store until it is settled.
    struct Orphan {
        QString file;
        std::unique_ptr<QLockFile> lock;
    };
    // Orphans, newest copy first. Copies of running instances are left alone.
    std::vector<Orphan> TakeOrphans();
    static RecoveryRefusal Read(const QString& file, RecoveryCopy& copy);
    // The orphan's work now lives elsewhere: its copy goes.
    static void Dismiss(Orphan& orphan);
    // Renamed to NAME.SUFFIX (declined, refused) and kept kKeepDays from now;
    // the new name, or the old one when it cannot be renamed.
    static QString SetAside(Orphan& orphan, const QString& suffix);
    // Removes what was set aside more than kKeepDays before now, the locks
    // of instances gone without a copy, and temporary files as old.
    void Prune(const QDateTime& now);

private:
    QString SlotFile(const QString& slot, const QString& extension) const;

    QString directory_;
    QString slot_;
    std::unique_ptr<QLockFile> lock_;
};
