// Reading and replacing the program's files without harm to anything else:
// only regular files are read or written, reads are bounded, a replacement
// is atomic, follows symbolic links to their target and keeps its mode.
// This is the one place that talks to the operating system about files; the
// command-line calculator and the window both use it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace NCalculatorText {

enum class FileFailure {
    None,
    System,        // the system refused: systemError says why
    NotRegular,    // a directory, FIFO, socket or device
    DanglingLink,  // a symbolic link whose target does not exist
    ReadOnly,      // the user may not write the file
    TooLarge,      // longer than the caller takes
    // Rewriting the file where it stands failed after its old contents were
    // overwritten: it now holds part of the new bytes. Never said of a
    // refusal that left the file as it was.
    PartlyWritten,
};

struct FileOutcome {
    FileFailure failure = FileFailure::None;
    // The system's error number (errno; GetLastError on Windows). For the
    // other failures the nearest one: EISDIR or EACCES, ENOENT, EACCES, EFBIG.
    int systemError = 0;

    bool Ok() const { return failure == FileFailure::None; }
};

// The bytes of a regular file, at most maxBytes of them. A longer file is
// TooLarge and is not read beyond maxBytes + 1; a FIFO or device is refused
// before it is opened, so nothing can block or run on for ever.
FileOutcome ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                            std::string& bytes);

// Replaces the file with bytes: written under a temporary name in the same
// folder, flushed, then renamed over the target. The target must be a
// regular file or not exist; a symbolic link is followed to its target and
// never replaced itself. A file the user may not write is refused (as the
// superuser too, when it has no write bit at all). When no temporary file can
// be made in the folder but the file itself is writable, it is rewritten in
// place instead: the room for the new bytes is reserved first, so a full disk
// refuses the save with the file untouched (ENOSPC); the file is cut to its
// new length only after the last byte is written. Temporary files of ours
// left beside the target by a save that never finished are removed first.
FileOutcome ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

// What ReplaceFile would refuse before writing anything: a target that is
// not a regular file, a dangling link, a read-only file, a missing folder.
// For callers that must learn of these before they write elsewhere.
FileOutcome CheckReplaceable(const std::filesystem::path& path);

// A short English cause for messages of the command-line calculator:
// "not a regular file", "the file is too large", strerror's text, ...
std::string DescribeFileFailure(const FileOutcome& outcome);

}  // namespace NCalculatorText
