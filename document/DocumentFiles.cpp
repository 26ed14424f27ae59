#include "document/DocumentFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>

#include "engine/FileText.h"
#include "toolkit/U16Text.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
// The document's texts, under the document's context; lupdate reads Text::tr.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(CCalcDoc)
};
}  // namespace

int LastSystemError() {
#ifdef Q_OS_WIN
    return static_cast<int>(GetLastError());
#else
    return errno;
#endif
}

void ClearSystemError() {
#ifdef Q_OS_WIN
    SetLastError(0);
#else
    errno = 0;
#endif
}

FileErrorCause FileErrorCauseOf(int systemError, QFileDevice::FileError qtError,
                                const QString& path) {
#ifdef Q_OS_WIN
    (void)path;
    switch (systemError) {
        case 0:
            break;
        case ERROR_FILE_NOT_FOUND:
            return FileErrorCause::FileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
            return FileErrorCause::BadPath;
        case ERROR_TOO_MANY_OPEN_FILES:
            return FileErrorCause::TooManyOpenFiles;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return FileErrorCause::AccessDenied;
        case ERROR_INVALID_HANDLE:
            return FileErrorCause::InvalidHandle;
        case ERROR_CANNOT_MAKE:
            return FileErrorCause::DirectoryFull;
        case ERROR_SEEK:
        case ERROR_NEGATIVE_SEEK:
            return FileErrorCause::SeekFailed;
        case ERROR_CRC:
        case ERROR_GEN_FAILURE:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
            return FileErrorCause::HardwareError;
        case ERROR_SHARING_VIOLATION:
            return FileErrorCause::SharingViolation;
        case ERROR_LOCK_VIOLATION:
            return FileErrorCause::LockingViolation;
        case ERROR_HANDLE_DISK_FULL:
        case ERROR_DISK_FULL:
            return FileErrorCause::DiskFull;
        case ERROR_HANDLE_EOF:
            return FileErrorCause::ReadPastEnd;
        default:
            return FileErrorCause::Unclassified;
    }
#else
    switch (systemError) {
        case 0:
            break;
        case ENOENT: {
            // A missing folder on the way is a bad path, a missing last part "not found".
            const QFileInfo info(path);
            return QFileInfo(info.absolutePath()).isDir() ? FileErrorCause::FileNotFound
                                                          : FileErrorCause::BadPath;
        }
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL:
            return FileErrorCause::BadPath;
        case EMFILE:
        case ENFILE:
            return FileErrorCause::TooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EEXIST:
            return FileErrorCause::AccessDenied;
        case EBADF:
            return FileErrorCause::InvalidHandle;
        case EMLINK:
            return FileErrorCause::DirectoryFull;
        case ESPIPE:
            return FileErrorCause::SeekFailed;
        case EIO:
        case ENXIO:
        case ENODEV:
            return FileErrorCause::HardwareError;
        case EBUSY:
#ifdef ETXTBSY
        case ETXTBSY:
#endif
            return FileErrorCause::SharingViolation;
        case EDEADLK:
#ifdef ENOLCK
        case ENOLCK:
#endif
            return FileErrorCause::LockingViolation;
        case ENOSPC:
        case EFBIG:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return FileErrorCause::DiskFull;
        default:
            return FileErrorCause::Unclassified;
    }
#endif
    switch (qtError) {
        case QFileDevice::NoError:
            return FileErrorCause::Other;
        case QFileDevice::PermissionsError:
            return FileErrorCause::AccessDenied;
        case QFileDevice::PositionError:
            return FileErrorCause::SeekFailed;
        case QFileDevice::ResourceError:
            return FileErrorCause::DiskFull;
        default:
            return FileErrorCause::Unclassified;
    }
}

QString FileErrorMessage(FileErrorCause cause, const QString& path, bool opening) {
    const QString shown = QDir::toNativeSeparators(path);
    switch (cause) {
        case FileErrorCause::Unclassified:
            return Text::tr("An unknown error occurred while accessing %1.").arg(shown);
        case FileErrorCause::FileNotFound:
            return Text::tr("%1 was not found.").arg(shown);
        case FileErrorCause::BadPath:
            return Text::tr("%1 contains an incorrect path.").arg(shown);
        case FileErrorCause::TooManyOpenFiles:
            return Text::tr("Could not open %1 because there are too many open files.").arg(shown);
        case FileErrorCause::AccessDenied:
            return Text::tr("Access to %1 was denied.").arg(shown);
        case FileErrorCause::InvalidHandle:
            return Text::tr("An incorrect file handle was associated with %1.").arg(shown);
        case FileErrorCause::DirectoryFull:
            return Text::tr("Could not create %1 because the directory is full.").arg(shown);
        case FileErrorCause::SeekFailed:
            return Text::tr("Seek failed on %1").arg(shown);
        case FileErrorCause::HardwareError:
            return Text::tr("Encountered a hardware I/O error while accessing %1.").arg(shown);
        case FileErrorCause::SharingViolation:
            return Text::tr("Encountered a sharing violation while accessing %1.").arg(shown);
        case FileErrorCause::LockingViolation:
            return Text::tr("Encountered a locking violation while accessing %1.").arg(shown);
        case FileErrorCause::DiskFull:
            return Text::tr("Disk full while accessing %1.").arg(shown);
        case FileErrorCause::ReadPastEnd:
            return Text::tr("Attempted to access %1 past its end.").arg(shown);
        case FileErrorCause::Other:
            break;
    }
    return opening ? Text::tr("Failed to open document.") : Text::tr("Failed to save document.");
}

QString FileTooLargeMessage(const QString& path) {
    return Text::tr(
               "%1 is too large to open.\nA calculation file holds at most 67,108,864 characters.")
        .arg(QDir::toNativeSeparators(path));
}

QString FileOutcomeMessage(const NCalculatorText::FileOutcome& outcome, const QString& path,
                           bool opening) {
    using NCalculatorText::FileFailure;
    const QString shown = QDir::toNativeSeparators(path);
    switch (outcome.failure) {
        case FileFailure::NotRegular:
            // A folder is refused as the system refuses it.
            if (outcome.systemError == EISDIR) break;
            return Text::tr("%1 is not a regular file.").arg(shown);
        case FileFailure::DanglingLink:
            return Text::tr("%1 is a link to a file that does not exist.").arg(shown);
        case FileFailure::PartlyWritten:
            return PartlyWrittenMessage(path);
        case FileFailure::TooLarge:
            return FileTooLargeMessage(path);
        default:
            break;
    }
    const QFileDevice::FileError qtError =
        opening ? QFileDevice::OpenError : QFileDevice::WriteError;
    return FileErrorMessage(FileErrorCauseOf(outcome.systemError, qtError, path), path, opening);
}

QString PartlyWrittenMessage(const QString& path) {
    return Text::tr(
               "%1 could not be written completely and now holds only part of the new text.\n"
               "Save it again, or save it under another name.")
        .arg(QDir::toNativeSeparators(path));
}

qsizetype FileTextEditorLength(std::u16string_view fileText) {
    // The editor keeps LF alone; CR LF, CR and LF each become one break.
    qsizetype length = static_cast<qsizetype>(fileText.size());
    for (std::size_t i = 0; i < fileText.size(); ++i) {
        if (fileText[i] == u'\r' && i + 1 < fileText.size() && fileText[i + 1] == u'\n') {
            ++i;
        } else if (fileText[i] == u'\r' || fileText[i] == u'\n') {
            ++length;
        }
    }
    return length;
}

QString EditorTextFromFileText(const std::u16string& fileText) {
    QString text = QStringFromU16(fileText);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

namespace {
constexpr char16_t kByteOrderMark = 0xFEFF;

// The unit at byte offset `at` (little-endian).
char16_t UnitAt(std::string_view bytes, std::size_t at) {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                                 (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

// The next unit of the decoded text from byte offset `at` on, skipping byte
// order marks; U+0000 (the end) also at the end of the bytes.
char16_t DecodedUnit(std::string_view bytes, std::size_t& at) {
    while (at + 1 < bytes.size()) {
        const char16_t unit = UnitAt(bytes, at);
        if (unit == 0) return 0;
        at += 2;
        if (unit != kByteOrderMark) return unit;
    }
    return 0;
}
}  // namespace

qsizetype FileTextPieces::EditorLength() const {
    // Every lone CR or LF becomes a break of two units; a CR LF pair is two.
    qsizetype units = 0;
    qsizetype breaks = 0;
    qsizetype pairs = 0;
    std::size_t at = 0;
    char16_t previous = 0;
    for (char16_t unit = DecodedUnit(bytes_, at); unit != 0; unit = DecodedUnit(bytes_, at)) {
        ++units;
        if (unit == u'\r' || unit == u'\n') ++breaks;
        if (unit == u'\n' && previous == u'\r') ++pairs;
        previous = unit;
    }
    return units + breaks - 2 * pairs;
}

bool FileTextPieces::Next(QString& piece, qsizetype units) {
    piece.clear();
    if (ended_) return false;
    // A long line is cut where it gets too long, not at its end.
    const qsizetype longest = units + units / 4;
    piece.resize(longest + 1);
    char16_t* out = reinterpret_cast<char16_t*>(piece.data());
    qsizetype size = 0;
    while (true) {
        char16_t unit = DecodedUnit(bytes_, next_);
        if (unit == 0) {
            ended_ = true;
            break;
        }
        if (unit == u'\r') {
            // CR LF is one line break; the LF may come after byte order marks.
            std::size_t after = next_;
            if (DecodedUnit(bytes_, after) == u'\n') {
                next_ = after;
                unit = u'\n';
            }
        }
        out[size++] = unit;
        if (size > longest ||
            (size >= units && (unit == u'\n' || size >= longest) && !QChar::isHighSurrogate(unit)))
            break;
    }
    piece.truncate(size);
    read_.DoneUpTo(next_);
    return size > 0;
}

std::u16string FileTextFromEditorText(const QString& editorText) {
    std::u16string text;
    text.reserve(static_cast<std::size_t>(editorText.size()) +
                 static_cast<std::size_t>(editorText.count(QLatin1Char('\n'))));
    for (QChar c : editorText) {
        if (c == QLatin1Char('\n')) text.push_back(u'\r');
        text.push_back(c.unicode());
    }
    return text;
}

QString FileTitleOf(const QString& path) { return QFileInfo(path).fileName(); }

QString ProposedSaveName(const QString& path, const QString& title, const QString& extension) {
    if (!path.isEmpty()) return path;
    QString name = title;
    const qsizetype cut = name.indexOf(QRegularExpression(QStringLiteral("[:/\\\\]")));
    if (cut >= 0) name.truncate(cut);
    if (!title.isEmpty()) name += extension;
    return name;
}

namespace {
bool StatFile(const QString& path, qint64& size, qint64& time) {
    std::error_code error;
    const std::filesystem::path native = NativePath(path);
    const auto bytes = std::filesystem::file_size(native, error);
    if (error) return false;
    const auto written = std::filesystem::last_write_time(native, error);
    if (error) return false;
    size = static_cast<qint64>(bytes);
    time = std::chrono::duration_cast<std::chrono::nanoseconds>(written.time_since_epoch()).count();
    return true;
}
}  // namespace

DiskStamp StampOfFile(const QString& path, std::string_view bytes) {
    DiskStamp stamp;
    stamp.valid = StatFile(path, stamp.size, stamp.time);
    stamp.hash = std::hash<std::string_view>()(bytes);
    return stamp;
}

bool ChangedOnDisk(const DiskStamp& stamp, const QString& path) {
    qint64 size = 0;
    qint64 time = 0;
    if (!stamp.valid || !StatFile(path, size, time)) return false;
    if (size != stamp.size) return true;
    if (time == stamp.time) return false;
    // Touched, or rewritten at the same length: the bytes decide.
    std::string bytes;
    if (!NCalculatorText::ReadRegularFile(NativePath(path), NCalculatorText::kFileByteLimit, bytes)
             .Ok())
        return true;
    return std::hash<std::string_view>()(bytes) != stamp.hash;
}

bool SameFilePath(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty()) return false;
    const QString left = QDir::cleanPath(QFileInfo(a).absoluteFilePath());
    const QString right = QDir::cleanPath(QFileInfo(b).absoluteFilePath());
#ifdef Q_OS_WIN
    return left.compare(right, Qt::CaseInsensitive) == 0;
#else
    return left == right;
#endif
}
