// File-level helpers of the calculation document: error causes and their
// messages, line-break conversion between editor and file, names.
#pragma once

#include <QFileDevice>
#include <QString>
#include <string>

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

// The length of a file's text once in the editor, line breaks (CR LF, a lone
// CR or LF) counted as the two units the editor counts them as.
qsizetype FileTextEditorLength(std::u16string_view fileText);

// Line breaks: CR LF in files, LF in the editor.
QString EditorTextFromFileText(const std::u16string& fileText);
std::u16string FileTextFromEditorText(const QString& editorText);

// File name of a path, as titles and the save question show it.
QString FileTitleOf(const QString& path);

// The name a Save As dialog proposes: the path, else the title cut before
// its first ':', '/' or '\' followed by extension (when the title is not empty).
QString ProposedSaveName(const QString& path, const QString& title, const QString& extension);

// Same file for "is it already open": absolute, cleaned, case as the platform.
bool SameFilePath(const QString& a, const QString& b);
