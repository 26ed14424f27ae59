// File-level helpers of the calculation document: error causes and their
// messages, line-break conversion between editor and file, names.
#pragma once

#include <QFileDevice>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/ReadPages.h"
#include "engine/FileAccess.h"

// Typing and pasting stop at this many code units (line breaks counted as
// the two code units they take in a file). Opening takes far more.
inline constexpr qsizetype kEditorTextLimit = 1048575;

enum class FileErrorCause {
    Unclassified,
    FileNotFound,
    BadPath,
    TooManyOpenFiles,
    AccessDenied,
    InvalidHandle,
    DirectoryFull,
    SeekFailed,
    HardwareError,
    SharingViolation,
    LockingViolation,
    DiskFull,
    ReadPastEnd,
    Other,  // not a file-system failure: "Failed to open/save document."
};

// The system's error number of the last failed call: errno, or on Windows
// GetLastError(). ClearSystemError() before the call makes 0 mean "none".
int LastSystemError();
void ClearSystemError();

// The cause of a failed file operation on path from the system error number,
// falling back to Qt's error class when the system says nothing.
FileErrorCause FileErrorCauseOf(int systemError, QFileDevice::FileError qtError,
                                const QString& path);

// The message for a cause, %1 being the full path; opening selects the
// "Failed to open document." / "Failed to save document." fallback.
QString FileErrorMessage(FileErrorCause cause, const QString& path, bool opening);

// Shown when a file holds more text than the program opens.
QString FileTooLargeMessage(const QString& path);

// The message for a failed read or replacement of a file: the causes no
// system error number tells (not a regular file, a dangling link, a file
// left partly rewritten) have their own; the others go by FileErrorCauseOf.
QString FileOutcomeMessage(const NCalculatorText::FileOutcome& outcome, const QString& path,
                           bool opening);
// A rewrite that failed after overwriting part of the file: never worded as
// if the old file were still there.
QString PartlyWrittenMessage(const QString& path);

// The length of a file's text once in the editor, line breaks (CR LF, a lone
// CR or LF) counted as the two units the editor counts them as.
qsizetype FileTextEditorLength(std::u16string_view fileText);

// Line breaks: CR LF in files, LF in the editor.
QString EditorTextFromFileText(const std::u16string& fileText);

// A calculation file's bytes read as editor text a piece at a time, by the
// reading rule of the file text (UTF-16LE, cut at the first U+0000, every
// U+FEFF removed) and with CR LF as LF: a large file goes into the editor
// without a whole decoded copy of it beside the editor's own, and the bytes
// read are given back to the system as it goes.
class FileTextPieces {
public:
    explicit FileTextPieces(std::string bytes)
        : bytes_(std::move(bytes)), read_(bytes_.data(), bytes_.size()) {}

    // What FileTextEditorLength says of the whole decoded text (before the
    // first Next).
    qsizetype EditorLength() const;
    // The next piece: about `units` code units, ending after a line break
    // where one comes soon enough, never inside a surrogate pair. False when
    // the text is all read.
    bool Next(QString& piece, qsizetype units);
    // Code units of the file read so far, and in all (for progress).
    qint64 Done() const { return static_cast<qint64>(next_ / 2); }
    qint64 Total() const { return static_cast<qint64>(bytes_.size() / 2); }

private:
    std::string bytes_;
    ReadPages read_;        // the bytes read go back to the system as it goes
    std::size_t next_ = 0;  // byte offset of the next unit
    bool ended_ = false;    // a U+0000 was met
};
std::u16string FileTextFromEditorText(const QString& editorText);

// File name of a path, as titles and the save question show it.
QString FileTitleOf(const QString& path);

// The name a Save As dialog proposes: the path, else the title cut before
// its first ':', '/' or '\' followed by extension (when the title is not empty).
QString ProposedSaveName(const QString& path, const QString& title, const QString& extension);

// What a file held when it was opened or saved here, so that a change by
// another program since can be told: its size, its time and a hash of its bytes.
struct DiskStamp {
    bool valid = false;
    qint64 size = 0;
    qint64 time = 0;  // last modification, in nanoseconds
    std::size_t hash = 0;
};
// The stamp of the file at path, which holds bytes (just read or written).
DiskStamp StampOfFile(const QString& path, std::string_view bytes);
// Whether the file at path is no longer what the stamp describes (false
// without a stamp or a file). Reads the file only when its size agrees and
// its time does not.
bool ChangedOnDisk(const DiskStamp& stamp, const QString& path);

// Same file for "is it already open": absolute, cleaned, case as the platform.
bool SameFilePath(const QString& a, const QString& b);
