#include "document/RecoveryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>

#include "document/ReadPages.h"
#include "engine/FileText.h"
#include "toolkit/U16Text.h"

// The copy is a short text header followed by the texts themselves, each
// preceded by its length in bytes, and a check over everything before it:
//   NUMERA-RECOVERY 1
//   written MILLISECONDS-SINCE-1970-UTC
//   pid 4242
//   caret ANCHOR POSITION
//   modified 1
//   result 17-DIGIT-VALUE
//   path N      then N bytes of UTF-8 and a line feed
//   text N      then N bytes of UTF-16LE (the editor's text) and a line feed
//   memory N    then N bytes of UTF-16LE (a memory file's text) and a line feed
//   check 16-HEX-DIGITS (FNV-1a, 64 bits)
// The texts keep every code unit, unpaired surrogates included.

namespace {

constexpr std::string_view kMagic = "NUMERA-RECOVERY ";
const QString kCopyExtension = QStringLiteral(".recovery");
const QString kLockExtension = QStringLiteral(".lock");

std::uint64_t Fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::u16string Utf16Units(std::string_view bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return units;
}

void AppendBlob(std::string& out, std::string_view key, std::string_view blob) {
    out += key;
    out += ' ';
    out += std::to_string(blob.size());
    out += '\n';
    out += blob;
    out += '\n';
}

// The same for UTF-16 code units, written little-endian straight into `out`:
// a text of tens of megabytes is not copied once more on the way. With
// `read`, the units go back to the system as they are written.
void AppendUtf16Blob(std::string& out, std::string_view key, const char16_t* units,
                     std::size_t count, ReadPages* read = nullptr) {
    out += key;
    out += ' ';
    out += std::to_string(count * 2);
    out += '\n';
    const std::size_t at = out.size();
    // A stretch at a time: the bytes grow as the units they come from go.
    constexpr std::size_t kStretch = std::size_t{1} << 20;
    for (std::size_t from = 0; from < count; from += kStretch) {
        const std::size_t to = std::min(count, from + kStretch);
        out.resize(at + to * 2);
        for (std::size_t i = from; i < to; ++i) {
            out[at + 2 * i] = static_cast<char>(units[i] & 0xFF);
            out[at + 2 * i + 1] = static_cast<char>(units[i] >> 8);
        }
        if (read != nullptr) read->DoneUpTo(to * sizeof(char16_t));
    }
    out += '\n';
}

// Reads the copy front to back; the first fault decides the refusal.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    // The value of the next line, which must start with key and a space.
    bool Line(std::string_view key, std::string_view& value) {
        const std::size_t end = bytes_.find('\n', at_);
        if (end == std::string_view::npos) return Fail(RecoveryRefusal::Truncated);
        std::string_view line = bytes_.substr(at_, end - at_);
        if (line.size() <= key.size() || line.substr(0, key.size()) != key ||
            line[key.size()] != ' ')
            return Fail(RecoveryRefusal::Corrupt);
        value = line.substr(key.size() + 1);
        at_ = end + 1;
        return true;
    }
    bool Number(std::string_view key, long long& number) {
        std::string_view value;
        return Line(key, value) && Parse(value, number);
    }
    // A length line and as many bytes, with the line feed after them; a
    // length above limit is TooLarge.
    bool Blob(std::string_view key, std::size_t limit, std::string_view& blob) {
        long long length = 0;
        if (!Number(key, length)) return false;
        if (length < 0) return Fail(RecoveryRefusal::Corrupt);
        if (static_cast<unsigned long long>(length) > limit) return Fail(RecoveryRefusal::TooLarge);
        const auto size = static_cast<std::size_t>(length);
        if (bytes_.size() - at_ < size + 1) return Fail(RecoveryRefusal::Truncated);
        blob = bytes_.substr(at_, size);
        if (bytes_[at_ + size] != '\n') return Fail(RecoveryRefusal::Corrupt);
        at_ += size + 1;
        return true;
    }
    static bool Parse(std::string_view text, long long& number) {
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        return error == std::errc() && end == text.data() + text.size();
    }
    bool Fail(RecoveryRefusal refusal) {
        refusal_ = refusal;
        return false;
    }
    std::size_t At() const { return at_; }
    bool AtEnd() const { return at_ == bytes_.size(); }
    RecoveryRefusal Refusal() const { return refusal_; }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
    RecoveryRefusal refusal_ = RecoveryRefusal::None;
};

}  // namespace

namespace RecoveryFormat {

std::size_t MaxBytes() { return 4 * NCalculatorText::kFileTextLimit + 64 * 1024; }

namespace {

std::string EncodeCopy(const RecoveryCopy& copy, bool takeText) {
    std::string out;
    out.reserve(static_cast<std::size_t>(copy.text.size()) * 2 + copy.memory.size() * 2 + 512);
    out += kMagic;
    out += std::to_string(kVersion) + '\n';
    // Milliseconds since 1970 UTC: the copy may be written while the program
    // ends, when Qt's date formatting may already be gone.
    out += "written " + std::to_string(copy.written.toMSecsSinceEpoch()) + '\n';
    out += "pid " + std::to_string(copy.pid) + '\n';
    out += "caret " + std::to_string(copy.anchor) + ' ' + std::to_string(copy.position) + '\n';
    out += copy.modified ? "modified 1\n" : "modified 0\n";
    out += "result " + QByteArray::number(copy.lastResult, 'g', 17).toStdString() + '\n';
    AppendBlob(out, "path", copy.path.toUtf8().toStdString());
    const auto* text = reinterpret_cast<const char16_t*>(copy.text.utf16());
    const auto units = static_cast<std::size_t>(copy.text.size());
    ReadPages read(text, units * sizeof(char16_t));
    AppendUtf16Blob(out, "text", text, units, takeText ? &read : nullptr);
    AppendUtf16Blob(out, "memory", copy.memory.data(), copy.memory.size());
    char check[40];
    std::snprintf(check, sizeof check, "check %016llx\n",
                  static_cast<unsigned long long>(Fnv1a(out)));
    out += check;
    return out;
}

}  // namespace

std::string Encode(const RecoveryCopy& copy) { return EncodeCopy(copy, false); }

std::string Encode(RecoveryCopy&& copy) {
    // A text held only here goes back to the system as it is encoded: a copy
    // of a large text is not held twice.
    const bool alone = copy.text.isDetached() && copy.text.capacity() >= copy.text.size();
    std::string out = EncodeCopy(copy, alone);
    if (alone) copy.text = QString();
    return out;
}

RecoveryRefusal Decode(std::string_view bytes, RecoveryCopy& copy) {
    if (bytes.size() < kMagic.size())
        return kMagic.substr(0, bytes.size()) == bytes ? RecoveryRefusal::Truncated
                                                       : RecoveryRefusal::Corrupt;
    if (bytes.substr(0, kMagic.size()) != kMagic) return RecoveryRefusal::Corrupt;
    // The version comes first: a later format may change everything after it.
    const std::size_t versionEnd = bytes.find('\n');
    if (versionEnd == std::string_view::npos) return RecoveryRefusal::Truncated;
    long long version = 0;
    if (!Reader::Parse(bytes.substr(kMagic.size(), versionEnd - kMagic.size()), version) ||
        version < 1)
        return RecoveryRefusal::Corrupt;
    if (version > kVersion) return RecoveryRefusal::NewerFormat;

    Reader reader(bytes.substr(versionEnd + 1));
    RecoveryCopy read;
    std::string_view value;
    long long number = 0;
    std::string_view path;
    std::string_view text;
    std::string_view memory;
    const std::size_t textLimit = 2 * NCalculatorText::kFileTextLimit;
    const bool ok = [&] {
        if (!reader.Number("written", number)) return false;
        read.written = QDateTime::fromMSecsSinceEpoch(number, Qt::UTC);
        if (!reader.Number("pid", number)) return false;
        read.pid = number;
        if (!reader.Line("caret", value)) return false;
        const std::size_t space = value.find(' ');
        long long anchor = 0;
        long long position = 0;
        if (space == std::string_view::npos || !Reader::Parse(value.substr(0, space), anchor) ||
            !Reader::Parse(value.substr(space + 1), position) || anchor < 0 || position < 0 ||
            anchor > INT32_MAX || position > INT32_MAX)
            return reader.Fail(RecoveryRefusal::Corrupt);
        read.anchor = static_cast<int>(anchor);
        read.position = static_cast<int>(position);
        if (!reader.Number("modified", number)) return false;
        if (number != 0 && number != 1) return reader.Fail(RecoveryRefusal::Corrupt);
        read.modified = number == 1;
        if (!reader.Line("result", value)) return false;
        bool isNumber = false;
        read.lastResult =
            QByteArray(value.data(), static_cast<qsizetype>(value.size())).toDouble(&isNumber);
        if (!isNumber) return reader.Fail(RecoveryRefusal::Corrupt);
        return reader.Blob("path", 64 * 1024, path) && reader.Blob("text", textLimit, text) &&
               reader.Blob("memory", textLimit, memory);
    }();
    if (!ok) return reader.Refusal();
    if (text.size() % 2 != 0 || memory.size() % 2 != 0) return RecoveryRefusal::Corrupt;

    const std::size_t checked = versionEnd + 1 + reader.At();
    if (!reader.Line("check", value)) return reader.Refusal();
    if (!reader.AtEnd()) return RecoveryRefusal::Corrupt;
    char expected[20];
    std::snprintf(expected, sizeof expected, "%016llx",
                  static_cast<unsigned long long>(Fnv1a(bytes.substr(0, checked))));
    if (value != expected) return RecoveryRefusal::Corrupt;

    read.path = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    const std::u16string units = Utf16Units(text);
    read.text =
        QString(reinterpret_cast<const QChar*>(units.data()), static_cast<qsizetype>(units.size()));
    read.memory = Utf16Units(memory);
    copy = std::move(read);
    return RecoveryRefusal::None;
}

}  // namespace RecoveryFormat

// ---- The folder ----------------------------------------------------------------

RecoveryStore::RecoveryStore(QString directory) : directory_(std::move(directory)) {}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::DefaultDirectory() {
    // Under test a folder of the process's own, so that no test run meets
    // the copies another left behind.
    if (QStandardPaths::isTestModeEnabled())
        return QDir::temp().filePath(
            QStringLiteral("numera-recovery-%1").arg(QCoreApplication::applicationPid()));
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

QString RecoveryStore::SlotFile(const QString& slot, const QString& extension) const {
    return directory_ + QLatin1Char('/') + slot + extension;
}

QString RecoveryStore::CopyFile() const { return SlotFile(slot_, kCopyExtension); }

bool RecoveryStore::Claim() {
    if (lock_) return true;
    if (!QDir().mkpath(directory_)) return false;
    // The process and a random part: a process number comes back after a
    // restart, and the lock, not the name, tells whether the owner runs.
    const QString slot = QStringLiteral("%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    auto lock = std::make_unique<QLockFile>(SlotFile(slot, kLockExtension));
    // Only a dead owner makes a lock stale, however long it has been held.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return false;
    slot_ = slot;
    lock_ = std::move(lock);
    return true;
}

NCalculatorText::FileOutcome RecoveryStore::Write(RecoveryCopy copy) {
    if (!lock_) return {NCalculatorText::FileFailure::System, EACCES};
    return NCalculatorText::ReplaceFile(NativePath(CopyFile()),
                                        RecoveryFormat::Encode(std::move(copy)));
}

void RecoveryStore::Remove() {
    if (lock_) QFile::remove(CopyFile());
}

void RecoveryStore::Release(bool keep) {
    if (!lock_) return;
    if (!keep) QFile::remove(CopyFile());
    lock_->unlock();
    lock_.reset();
    QDir().rmdir(directory_);  // only when nothing else is kept there
}

std::vector<RecoveryStore::Orphan> RecoveryStore::TakeOrphans() {
    std::vector<Orphan> orphans;
    const QDir dir(directory_);
    const QFileInfoList copies = dir.entryInfoList({QLatin1Char('*') + kCopyExtension},
                                                   QDir::Files | QDir::Hidden, QDir::Time);
    for (const QFileInfo& info : copies) {
        const QString slot = info.completeBaseName();
        if (slot == slot_) continue;
        auto lock = std::make_unique<QLockFile>(SlotFile(slot, kLockExtension));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) continue;  // its instance still runs
        orphans.push_back({info.absoluteFilePath(), std::move(lock)});
    }
    return orphans;
}

RecoveryRefusal RecoveryStore::Read(const QString& file, RecoveryCopy& copy) {
    std::string bytes;
    const NCalculatorText::FileOutcome outcome =
        NCalculatorText::ReadRegularFile(NativePath(file), RecoveryFormat::MaxBytes(), bytes);
    if (outcome.failure == NCalculatorText::FileFailure::TooLarge) return RecoveryRefusal::TooLarge;
    if (!outcome.Ok()) return RecoveryRefusal::Corrupt;
    return RecoveryFormat::Decode(bytes, copy);
}

void RecoveryStore::Dismiss(Orphan& orphan) {
    QFile::remove(orphan.file);
    if (orphan.lock) orphan.lock->unlock();
}

QString RecoveryStore::SetAside(Orphan& orphan, const QString& suffix) {
    QString aside = orphan.file + QLatin1Char('.') + suffix;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = orphan.file + QLatin1Char('.') + suffix + QString::number(n);
    if (!QFile::rename(orphan.file, aside)) aside = orphan.file;
    QFile file(aside);
    // Kept kKeepDays from today, whenever it was written.
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
    if (orphan.lock) orphan.lock->unlock();
    return aside;
}

void RecoveryStore::Prune(const QDateTime& now) {
    const QDir dir(directory_);
    const QDateTime limit = now.addDays(-kKeepDays);
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& info : entries) {
        const QString name = info.fileName();
        if (name.endsWith(kCopyExtension)) continue;  // offered, never pruned
        if (name.endsWith(kLockExtension)) {
            // A lock without a copy: its instance ended with nothing unsaved
            // or was killed with nothing to lose.
            const QString slot = name.chopped(kLockExtension.size());
            if (slot == slot_ || QFileInfo::exists(SlotFile(slot, kCopyExtension))) continue;
            QLockFile lock(info.absoluteFilePath());
            lock.setStaleLockTime(0);
            if (lock.tryLock(0)) lock.unlock();
            continue;
        }
        if (info.lastModified() < limit) QFile::remove(info.absoluteFilePath());
    }
}
