#include "engine/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h maps ReplaceFile to ReplaceFileA/W; ours is a different function.
#undef ReplaceFile
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/xattr.h>
#endif
#endif

#include <string>

namespace NCalculatorText {

namespace {

FileOutcome Failed(FileFailure failure, int systemError) { return {failure, systemError}; }

}  // namespace

std::string DescribeFileFailure(const FileOutcome& outcome) {
    switch (outcome.failure) {
        case FileFailure::None:
            return "no error";
        case FileFailure::NotRegular:
#ifndef _WIN32
            if (outcome.systemError == EISDIR) return std::strerror(EISDIR);
#endif
            return "not a regular file";
        case FileFailure::DanglingLink:
            return "the symbolic link points to a missing file";
        case FileFailure::ReadOnly:
            return "the file is read-only";
        case FileFailure::TooLarge:
            return "the file is too large";
        case FileFailure::PartlyWritten:
            return DescribeFileFailure({FileFailure::System, outcome.systemError}) +
                   "; the file now holds only part of the new text";
        case FileFailure::System:
            break;
    }
#ifdef _WIN32
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   static_cast<DWORD>(outcome.systemError), 0, text, sizeof text, nullptr);
    std::string cause = text;
    while (!cause.empty() && (cause.back() == '\n' || cause.back() == '\r' || cause.back() == '.'))
        cause.pop_back();
    return cause.empty() ? "error " + std::to_string(outcome.systemError) : cause;
#else
    return std::strerror(outcome.systemError);
#endif
}

#ifndef _WIN32

namespace {

FileOutcome SystemFailure() { return Failed(FileFailure::System, errno); }

// O_NONBLOCK: should the file have become a FIFO since it was looked at,
// opening it must not wait for the other end.
int OpenWithoutWaiting(const char* name, int access) {
    int fd;
    do {
        fd = ::open(name, access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

FileOutcome WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return SystemFailure();
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 && errno != EINVAL) return SystemFailure();
    return {};
}

// Follows symbolic links by hand, so that a dangling one is noticed instead
// of being replaced. On success target names the file itself (existing or
// not) and info describes it when exists is set.
FileOutcome ResolveTarget(std::filesystem::path& target, struct stat& info, bool& exists) {
    exists = false;
    for (int hops = 0; hops < 40; ++hops) {
        if (::lstat(target.c_str(), &info) != 0) {
            if (errno == ENOENT && hops > 0) return Failed(FileFailure::DanglingLink, ENOENT);
            if (errno == ENOENT) return {};
            return SystemFailure();
        }
        if (!S_ISLNK(info.st_mode)) {
            exists = true;
            return {};
        }
        std::error_code error;
        const std::filesystem::path link = std::filesystem::read_symlink(target, error);
        if (error) return Failed(FileFailure::System, error.value());
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return Failed(FileFailure::System, ELOOP);
}

// What mkstemp makes of "<name>.XXXXXX": six of its letters and digits. A
// person's suffix ("backup", "Before", "old2") has no capital past its first
// character; a random one nearly always has.
bool IsTemporaryOf(const std::string& entry, const std::string& name) {
    constexpr std::size_t kRandom = 6;
    std::string_view rest = entry;
    if (rest.starts_with(name + ".") && rest.size() == name.size() + 1 + kRandom) {
        rest.remove_prefix(name.size() + 1);
    } else if (rest.starts_with(".numera-") && rest.size() == 8 + kRandom) {
        rest.remove_prefix(8);
    } else {
        return false;
    }
    bool capital = false;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        const bool upper = c >= 'A' && c <= 'Z';
        if (!upper && !(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9')) return false;
        capital = capital || (upper && i > 0);
    }
    return capital;
}

// A save that was killed leaves its temporary file beside the target. One of
// ours is removed when it is a regular file of this user with one link,
// holding nothing or a UTF-16 text (FF FE, as everything the program writes),
// and no save in progress holds its lock.
void RemoveStaleTemporaries(const std::filesystem::path& folder, const std::string& name) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::filesystem::path entry = entries->path();
        if (!IsTemporaryOf(entry.filename().string(), name)) continue;
        const int fd = ::open(entry.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info {};
        unsigned char head[2] = {};
        const bool ours = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                          info.st_uid == ::geteuid() && info.st_nlink == 1;
        const ssize_t got = ours ? ::pread(fd, head, sizeof head, 0) : -1;
        const bool text = got == 0 || (got == 2 && head[0] == 0xFF && head[1] == 0xFE);
        if (ours && text && ::flock(fd, LOCK_EX | LOCK_NB) == 0) (void)::unlink(entry.c_str());
        ::close(fd);
    }
}

// The file itself rewritten, for want of a temporary file beside it. The room
// for the new bytes is reserved before the first old byte is overwritten, so a
// full disk refuses the save with the file as it was; the file is cut to its
// new length only after the last new byte is written.
FileOutcome RewriteInPlace(const std::filesystem::path& target, std::string_view bytes) {
    // Read access lets posix_fallocate fall back to its emulation where the
    // file system has no fallocate.
    int fd = OpenWithoutWaiting(target.c_str(), O_RDWR);
    if (fd < 0 && errno == EACCES) fd = OpenWithoutWaiting(target.c_str(), O_WRONLY);
    if (fd < 0) return SystemFailure();
    const auto finish = [fd](FileOutcome outcome) {
        ::close(fd);
        return outcome;
    };
    struct stat info {};
    if (::fstat(fd, &info) != 0) return finish(SystemFailure());
    if (!S_ISREG(info.st_mode)) return finish(Failed(FileFailure::NotRegular, EACCES));
    const off_t oldSize = info.st_size;
    const auto newSize = static_cast<off_t>(bytes.size());
    if (newSize > 0) {
        const int reserved = ::posix_fallocate(fd, 0, newSize);
        if (reserved != 0) {
            // Only room past the old end was taken: give it back.
            struct stat now {};
            if (::fstat(fd, &now) == 0 && now.st_size != oldSize) (void)::ftruncate(fd, oldSize);
            return finish(Failed(FileFailure::System, reserved));
        }
    }
    // From here on a failure leaves a mixture of new and old bytes.
    const auto broken = [&finish](int error) {
        return finish(Failed(FileFailure::PartlyWritten, error != 0 ? error : EIO));
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return broken(n < 0 ? errno : EIO);
        done += static_cast<std::size_t>(n);
    }
    if (oldSize > newSize && ::ftruncate(fd, newSize) != 0) return broken(errno);
    if (::fsync(fd) != 0 && errno != EINVAL) return broken(errno);
    if (::close(fd) != 0) return Failed(FileFailure::PartlyWritten, errno);
    return {};
}

// A new file has no extended attributes; the old one's go over to it: its
// access control list ("system.posix_acl_access", the access others were
// given beyond the mode), its security label, its user attributes. False
// when the access control list could not be given, which the file must not
// lose; the others are kept where the system lets us.
bool CopyExtendedAttributes([[maybe_unused]] const std::filesystem::path& from,
                            [[maybe_unused]] int to) {
#ifdef __linux__
    std::string names;
    for (;;) {
        const ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
        if (size <= 0) return true;  // none, or a file system without them
        names.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::listxattr(from.c_str(), names.data(), names.size());
        if (got >= 0) {
            names.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno != ERANGE) return true;  // ERANGE: it grew in between, ask again
    }
    std::string value;
    for (std::size_t at = 0; at < names.size(); at += std::strlen(names.c_str() + at) + 1) {
        const char* name = names.c_str() + at;
        const ssize_t size = ::getxattr(from.c_str(), name, nullptr, 0);
        if (size < 0) continue;
        value.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::getxattr(from.c_str(), name, value.data(), value.size());
        if (got < 0) continue;
        if (::fsetxattr(to, name, value.data(), static_cast<std::size_t>(got), 0) != 0 &&
            std::strcmp(name, "system.posix_acl_access") == 0)
            return false;
    }
#endif
    return true;
}

}  // namespace

FileOutcome ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                            std::string& bytes) {
    bytes.clear();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return SystemFailure();
    if (!S_ISREG(info.st_mode))
        return Failed(FileFailure::NotRegular, S_ISDIR(info.st_mode) ? EISDIR : EACCES);
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes)
        return Failed(FileFailure::TooLarge, EFBIG);

    const int fd = OpenWithoutWaiting(path.c_str(), O_RDONLY);
    if (fd < 0) return SystemFailure();
    FileOutcome outcome;
    if (::fstat(fd, &info) != 0) {
        outcome = SystemFailure();
    } else if (!S_ISREG(info.st_mode)) {
        outcome = Failed(FileFailure::NotRegular, S_ISDIR(info.st_mode) ? EISDIR : EACCES);
    } else {
        // The size is only a hint (files grow, /proc reports 0): read until
        // the end, but never more than one byte past the limit.
        const std::size_t hint = static_cast<std::size_t>(info.st_size);
        bytes.resize(std::min(maxBytes, hint) + 1);
        std::size_t done = 0;
        for (;;) {
            if (done == bytes.size()) {
                if (done > maxBytes) break;
                bytes.resize(
                    std::min(maxBytes + 1, std::max<std::size_t>(bytes.size() * 2, 65536)));
            }
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0) {
                if (errno == EINTR) continue;
                outcome = SystemFailure();
                break;
            }
            if (n == 0) break;
            done += static_cast<std::size_t>(n);
        }
        bytes.resize(done);
        if (outcome.Ok() && done > maxBytes) outcome = Failed(FileFailure::TooLarge, EFBIG);
    }
    ::close(fd);
    if (!outcome.Ok()) bytes.clear();
    return outcome;
}

namespace {

// The file a replacement writes (links followed) and what it must keep.
struct Replaceable {
    std::filesystem::path target;
    struct stat info {};
    bool exists = false;
    mode_t mode = 0;
};

FileOutcome InspectTarget(const std::filesystem::path& path, Replaceable& file) {
    file.target = path;
    if (FileOutcome resolved = ResolveTarget(file.target, file.info, file.exists); !resolved.Ok())
        return resolved;
    if (file.exists) {
        const struct stat& info = file.info;
        if (!S_ISREG(info.st_mode))
            return Failed(FileFailure::NotRegular, S_ISDIR(info.st_mode) ? EISDIR : EACCES);
        if (::access(file.target.c_str(), W_OK) != 0) return Failed(FileFailure::ReadOnly, errno);
        // The superuser may write anything; a file nobody may write is still
        // meant to stay as it is.
        if (::geteuid() == 0 && (info.st_mode & 0222) == 0)
            return Failed(FileFailure::ReadOnly, EACCES);
        file.mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        file.mode = 0666 & ~mask;
    }
    return {};
}

}  // namespace

FileOutcome CheckReplaceable(const std::filesystem::path& path) {
    Replaceable file;
    if (FileOutcome inspected = InspectTarget(path, file); !inspected.Ok()) return inspected;
    if (file.exists) return {};
    const std::filesystem::path folder =
        file.target.has_parent_path() ? file.target.parent_path() : ".";
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return SystemFailure();
    if (!S_ISDIR(info.st_mode)) return Failed(FileFailure::System, ENOTDIR);
    return {};
}

FileOutcome ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
    Replaceable file;
    if (FileOutcome inspected = InspectTarget(path, file); !inspected.Ok()) return inspected;
    const std::filesystem::path& target = file.target;
    const struct stat& info = file.info;
    const bool exists = file.exists;
    const mode_t mode = file.mode;
    // A file with other names (hard links) is one file: a new file renamed
    // over this name would leave the others with the old text.
    if (exists && info.st_nlink > 1) return RewriteInPlace(target, bytes);

    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    // The temporary name tells whose it is, unless that would make it too long.
    const std::string name = target.filename().string();
    // What killed saves left here goes first: it may be what fills the disk.
    RemoveStaleTemporaries(folder, name);
    std::string temp =
        (folder / (name.size() <= 200 ? name + ".XXXXXX" : std::string(".numera-XXXXXX"))).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        const int error = errno;
        // A folder we may not create files in, holding a file we may write:
        // rewrite the file itself, the only way left.
        if (exists && (error == EACCES || error == EPERM)) return RewriteInPlace(target, bytes);
        return Failed(FileFailure::System, error);
    }
    // Held until the file has its final name: a save in progress is not stale.
    (void)::flock(fd, LOCK_EX | LOCK_NB);
    const auto abandon = [&](FileOutcome outcome) {
        ::close(fd);
        ::unlink(temp.c_str());
        return outcome;
    };
    // Someone else's file (a shared folder) keeps its owner and group, or
    // they could lose it; where the new file cannot be given them, the file
    // itself is rewritten.
    if (exists) {
        struct stat made {};
        const bool sameOwner =
            ::fstat(fd, &made) == 0 && made.st_uid == info.st_uid && made.st_gid == info.st_gid;
        if (!sameOwner && ::fchown(fd, info.st_uid, info.st_gid) != 0)
            return abandon(RewriteInPlace(target, bytes));
    }
    // mkstemp makes the file private: give it the target's mode, or the mode
    // a new file would get (after the owner: a change of owner clears set-id bits).
    if (::fchmod(fd, mode) != 0) return abandon(SystemFailure());
    if (exists && !CopyExtendedAttributes(target, fd))
        return abandon(RewriteInPlace(target, bytes));
    if (FileOutcome written = WriteAll(fd, bytes); !written.Ok()) return abandon(written);
    // Renamed while still open and locked, so that no other save takes it
    // for a leftover; the contents are on the disk already (WriteAll).
    if (::rename(temp.c_str(), target.c_str()) != 0) return abandon(SystemFailure());
    ::close(fd);
    // Make the new name itself durable; a failure here loses nothing written.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return {};
}

#else  // _WIN32

namespace {

FileOutcome SystemFailure() {
    return Failed(FileFailure::System, static_cast<int>(GetLastError()));
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (Valid()) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// How many names the file has; 1 when that cannot be told.
DWORD LinkCount(const std::filesystem::path& target) {
    Handle file(CreateFileW(target.c_str(), 0,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.Valid() || !GetFileInformationByHandle(file.Get(), &info)) return 1;
    return info.nNumberOfLinks;
}

// The file itself rewritten, for want of a temporary file beside it: the room
// for the new bytes is reserved before the first old byte is overwritten, and
// the file is cut to its new length only after the last one is written.
FileOutcome RewriteInPlace(const std::filesystem::path& target, std::string_view bytes) {
    Handle file(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return SystemFailure();
    if (GetFileType(file.Get()) != FILE_TYPE_DISK)
        return Failed(FileFailure::NotRegular, ERROR_ACCESS_DENIED);
    LARGE_INTEGER oldSize{};
    if (!GetFileSizeEx(file.Get(), &oldSize)) return SystemFailure();
    LARGE_INTEGER newSize{};
    newSize.QuadPart = static_cast<LONGLONG>(bytes.size());
    // A smaller allocation size would cut the file: only ever grow it.
    if (newSize.QuadPart > oldSize.QuadPart) {
        FILE_ALLOCATION_INFO room{};
        room.AllocationSize = newSize;
        if (!SetFileInformationByHandle(file.Get(), FileAllocationInfo, &room, sizeof room)) {
            const DWORD error = GetLastError();
            if (error != ERROR_CALL_NOT_IMPLEMENTED && error != ERROR_NOT_SUPPORTED &&
                error != ERROR_INVALID_PARAMETER)
                return SystemFailure();
            // A file system without allocation sizes: moving the end out
            // reserves the room as well; a refusal puts the end back.
            if (!SetFilePointerEx(file.Get(), newSize, nullptr, FILE_BEGIN) ||
                !SetEndOfFile(file.Get())) {
                const FileOutcome refused = SystemFailure();
                if (SetFilePointerEx(file.Get(), oldSize, nullptr, FILE_BEGIN))
                    (void)SetEndOfFile(file.Get());
                return refused;
            }
            if (!SetFilePointerEx(file.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN))
                return SystemFailure();
        }
    }
    const auto broken = [] {
        const DWORD error = GetLastError();
        return Failed(FileFailure::PartlyWritten,
                      static_cast<int>(error != 0 ? error : ERROR_WRITE_FAULT));
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD put = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, want, &put, nullptr) || put == 0)
            return broken();
        done += put;
    }
    if (!SetFilePointerEx(file.Get(), newSize, nullptr, FILE_BEGIN) || !SetEndOfFile(file.Get()) ||
        !FlushFileBuffers(file.Get()))
        return broken();
    return {};
}

}  // namespace

FileOutcome ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                            std::string& bytes) {
    bytes.clear();
    // Opening a folder fails with "access denied"; say what it is instead.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return Failed(FileFailure::NotRegular, ERROR_ACCESS_DENIED);
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return SystemFailure();
    if (GetFileType(file.Get()) != FILE_TYPE_DISK)
        return Failed(FileFailure::NotRegular, ERROR_ACCESS_DENIED);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) return SystemFailure();
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return Failed(FileFailure::TooLarge, ERROR_FILE_TOO_LARGE);
    bytes.resize(static_cast<std::size_t>(size.QuadPart) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > maxBytes) break;
            bytes.resize(std::min(maxBytes + 1, bytes.size() * 2));
        }
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr)) {
            bytes.clear();
            return SystemFailure();
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    if (done > maxBytes) {
        bytes.clear();
        return Failed(FileFailure::TooLarge, ERROR_FILE_TOO_LARGE);
    }
    return {};
}

namespace {

// The file a replacement writes (links followed), when it may be replaced.
FileOutcome InspectTarget(const std::filesystem::path& path, std::filesystem::path& target,
                          bool& exists) {
    std::error_code error;
    target = path;
    const auto linkStatus = std::filesystem::symlink_status(target, error);
    if (std::filesystem::is_symlink(linkStatus)) {
        target = std::filesystem::canonical(path, error);
        if (error) return Failed(FileFailure::DanglingLink, ERROR_FILE_NOT_FOUND);
    }
    const DWORD attributes = GetFileAttributesW(target.c_str());
    exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return Failed(FileFailure::NotRegular, ERROR_ACCESS_DENIED);
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
            return Failed(FileFailure::ReadOnly, ERROR_ACCESS_DENIED);
    }
    return {};
}

}  // namespace

FileOutcome CheckReplaceable(const std::filesystem::path& path) {
    std::filesystem::path target;
    bool exists = false;
    if (FileOutcome inspected = InspectTarget(path, target, exists); !inspected.Ok())
        return inspected;
    if (exists) return {};
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : L".";
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return Failed(FileFailure::System, ERROR_PATH_NOT_FOUND);
    return {};
}

FileOutcome ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path target;
    bool exists = false;
    if (FileOutcome inspected = InspectTarget(path, target, exists); !inspected.Ok())
        return inspected;
    // A file with other names (hard links) is one file: a new file moved
    // over this name would leave the others with the old text.
    if (exists && LinkCount(target) > 1) return RewriteInPlace(target, bytes);
    std::filesystem::path temp = target;
    temp += L".numera-tmp";
    {
        Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            // A folder we may not create files in, holding a file we may
            // write: rewrite the file itself, the only way left.
            if (exists && GetLastError() == ERROR_ACCESS_DENIED)
                return RewriteInPlace(target, bytes);
            return SystemFailure();
        }
        if (GetFileType(file.Get()) != FILE_TYPE_DISK)
            return Failed(FileFailure::NotRegular, ERROR_ACCESS_DENIED);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD want =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD put = 0;
            if (!WriteFile(file.Get(), bytes.data() + done, want, &put, nullptr) ||
                !FlushFileBuffers(file.Get())) {
                const FileOutcome failure = SystemFailure();
                DeleteFileW(temp.c_str());
                return failure;
            }
            done += put;
        }
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const FileOutcome failure = SystemFailure();
        DeleteFileW(temp.c_str());
        return failure;
    }
    return {};
}

#endif

}  // namespace NCalculatorText
