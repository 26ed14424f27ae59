// Which files may be read and replaced, and what a replacement leaves behind.
// Device nodes are stood in for by FIFOs and sockets made here; no test ever
// opens a real device.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>

#include "engine/FileAccess.h"

using namespace NCalculatorText;
namespace fs = std::filesystem;

namespace {

class FileAccessTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/numera-files-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::all, ec);
        fs::remove_all(dir_, ec);
    }

public:
    static void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void MakeSocket(const fs::path& path) const {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(fd, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }

protected:
    fs::path dir_;
};

// A target made in dir_, and what writing "new" to it must come to.
struct TargetCase {
    const char* name;
    std::function<void(FileAccessTest&, const fs::path&)> make;
    FileFailure failure;
    int systemError;
};

void PrintTo(const TargetCase& c, std::ostream* os) { *os << c.name; }

class WriteTarget : public FileAccessTest, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(WriteTarget, IsReplacedOrRefusedUntouched) {
    const fs::path target = dir_ / "target";
    GetParam().make(*this, target);
    const auto before = fs::symlink_status(target).type();
    const FileOutcome outcome = ReplaceFile(target, "new");
    EXPECT_EQ(outcome.failure, GetParam().failure);
    EXPECT_EQ(outcome.systemError, GetParam().systemError);
    if (outcome.Ok()) {
        EXPECT_EQ(Read(target), "new");
    } else if (before != fs::file_type::not_found) {
        EXPECT_EQ(fs::symlink_status(target).type(), before);  // not replaced by a file
    }
    // Nothing but the target is left in the folder.
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(dir_))
        entries += entry.path().filename() != "aside";
    EXPECT_EQ(entries, before == fs::file_type::not_found && !outcome.Ok() ? 0 : 1);
}

const TargetCase kTargets[] = {
    {"regular", [](FileAccessTest&, const fs::path& p) { FileAccessTest::Write(p, "old"); },
     FileFailure::None, 0},
    {"missing", [](FileAccessTest&, const fs::path&) {}, FileFailure::None, 0},
    {"directory", [](FileAccessTest&, const fs::path& p) { fs::create_directory(p); },
     FileFailure::NotRegular, EISDIR},
    {"fifo", [](FileAccessTest&, const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0666), 0); },
     FileFailure::NotRegular, EACCES},
    {"socket", [](FileAccessTest& t, const fs::path& p) { t.MakeSocket(p); },
     FileFailure::NotRegular, EACCES},
    {"dangling symlink",
     [](FileAccessTest&, const fs::path& p) { fs::create_symlink("nowhere", p); },
     FileFailure::DanglingLink, ENOENT},
    {"symlink to a fifo",
     [](FileAccessTest&, const fs::path& p) {
         ASSERT_EQ(::mkfifo((p.parent_path() / "aside").c_str(), 0666), 0);
         fs::create_symlink("aside", p);
     },
     FileFailure::NotRegular, EACCES},
    {"no write bit",
     [](FileAccessTest&, const fs::path& p) {
         FileAccessTest::Write(p, "old");
         fs::permissions(p, fs::perms::owner_read | fs::perms::group_read);
     },
     FileFailure::ReadOnly, EACCES},
};

INSTANTIATE_TEST_SUITE_P(Targets, WriteTarget, ::testing::ValuesIn(kTargets), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (c == ' ') c = '_';
    return name;
});

TEST_F(FileAccessTest, SymlinkIsFollowedAndModeKept) {
    const fs::path real = dir_ / "real";
    Write(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real", dir_ / "link");
    ASSERT_TRUE(ReplaceFile(dir_ / "link", "new").Ok());
    EXPECT_TRUE(fs::is_symlink(dir_ / "link"));
    EXPECT_EQ(Read(real), "new");
    EXPECT_EQ(fs::status(real).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// Every name of a hard-linked file sees the new text, longer or shorter.
TEST_F(FileAccessTest, HardLinkedFileStaysOneFile) {
    const fs::path file = dir_ / "a.tvc";
    Write(file, "old text");
    fs::create_hard_link(file, dir_ / "b.tvc");
    for (const std::string bytes : {"a longer new text", "short"}) {
        ASSERT_TRUE(ReplaceFile(file, bytes).Ok());
        EXPECT_EQ(Read(dir_ / "b.tvc"), bytes);
        EXPECT_EQ(fs::hard_link_count(file), 2U);
    }
}

// As an ordinary user, in a folder anyone may write to, a file of someone
// else's that the user may only read stays as it is.
TEST_F(FileAccessTest, ReadOnlyFileOfAnotherUserIsRefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to drop to another user";
    fs::permissions(dir_, fs::perms::all);
    const fs::path target = dir_ / "theirs";
    Write(target, "old");
    fs::permissions(target,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        const FileOutcome outcome = ReplaceFile(target, "new");
        ::_exit(outcome.failure == FileFailure::ReadOnly ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Read(target), "old");
}

// What a save keeps besides owner and mode: the access control list (here:
// user 65534 may read and write) and the file's other extended attributes.
TEST_F(FileAccessTest, ExtendedAttributesAndAccessListAreKept) {
    const fs::path target = dir_ / "shared.tvc";
    Write(target, "old");
    // The kernel's ACL form: version 2, then (tag, permissions, id) entries
    // in tag order: owner, named user, group, mask, others.
    std::string acl;
    const auto put = [&acl](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) acl.push_back(static_cast<char>(value >> (8 * i)));
    };
    put(2, 4);
    for (const auto [tag, permissions, id] : {std::array<std::uint32_t, 3>{0x01, 6, 0xFFFFFFFF},
                                              {0x02, 6, 65534},
                                              {0x04, 4, 0xFFFFFFFF},
                                              {0x10, 6, 0xFFFFFFFF},
                                              {0x20, 4, 0xFFFFFFFF}}) {
        put(tag, 2);
        put(permissions, 2);
        put(id, 4);
    }
    const auto get = [](const fs::path& path, const char* name) {
        std::string value(256, '\0');
        const ssize_t size = ::getxattr(path.c_str(), name, value.data(), value.size());
        value.resize(size < 0 ? 0 : static_cast<std::size_t>(size));
        return value;
    };
    if (::setxattr(target.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0 ||
        ::setxattr(target.c_str(), "user.numera", "kept", 4, 0) != 0)
        GTEST_SKIP() << "no ACLs or user attributes here: " << std::strerror(errno);
    const std::string before = get(target, "system.posix_acl_access");
    ASSERT_FALSE(before.empty());
    const auto mode = fs::status(target).permissions();

    ASSERT_TRUE(ReplaceFile(target, "new").Ok());
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(get(target, "system.posix_acl_access"), before);
    EXPECT_EQ(get(target, "user.numera"), "kept");
    EXPECT_EQ(fs::status(target).permissions(), mode);
}

// In a shared folder, a file of someone else's that the user may write
// keeps its owner, group and mode after the user's save.
TEST_F(FileAccessTest, AnotherUsersFileKeepsItsOwner) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to drop to another user";
    fs::permissions(dir_, fs::perms::all);
    const fs::path target = dir_ / "shared";
    Write(target, "old");
    ASSERT_EQ(::chown(target.c_str(), 0, 0), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0666), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        ::_exit(ReplaceFile(target, "new").Ok() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Read(target), "new");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 0U);
    EXPECT_EQ(info.st_gid, 0U);
    EXPECT_EQ(info.st_mode & 07777, 0666U);
}

// A folder the user may not create files in, holding a file the user may
// write: no temporary file can be made, so the file is rewritten where it
// stands. Whatever the outcome, the file holds either its old bytes or the
// new ones, never a part of them.
struct InPlaceCase {
    const char* name;
    std::size_t oldSize;
    std::size_t newSize;
    rlim_t sizeLimit;  // RLIMIT_FSIZE of the saving process, 0 for none
    bool fullDisk;     // on a 64 KiB file system filled up before the save
    FileFailure failure;
    int systemError;
};

void PrintTo(const InPlaceCase& c, std::ostream* os) { *os << c.name; }

class InPlaceRewrite : public FileAccessTest, public ::testing::WithParamInterface<InPlaceCase> {};

std::string Pattern(std::size_t size, char first) {
    std::string bytes(size, first);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(first + i % 7);
    return bytes;
}

// The save runs in a child process that cannot create files in the folder
// (another user as root, a folder without its write bit otherwise); the child
// compares the file itself, as a file system it mounted is its own.
TEST_P(InPlaceRewrite, LeavesTheOldOrTheNewBytes) {
    const InPlaceCase& c = GetParam();
    const bool root = ::geteuid() == 0;
    if (c.fullDisk && !root) GTEST_SKIP() << "needs root to mount a small file system";
    const std::string before = Pattern(c.oldSize, 'a');
    const std::string after = Pattern(c.newSize, 'A');
    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const auto open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                          fs::perms::others_read | fs::perms::others_exec;
        fs::permissions(dir_, open);
        fs::path folder = dir_;
        if (c.fullDisk) {
            folder = dir_ / "small";
            fs::create_directory(folder);
            if (::unshare(CLONE_NEWNS) != 0 ||
                ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0)
                ::_exit(3);
        }
        const fs::path target = folder / "shared.tvc";
        Write(target, before);
        if (c.fullDisk) Write(folder / "filler", std::string(64 * 1024, 'f'));  // fills it
        std::error_code ec;
        fs::permissions(target, fs::perms::all, ec);
        fs::permissions(folder,
                        fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                            fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec,
                        ec);
        if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        if (c.sizeLimit != 0) {
            const rlimit limit{c.sizeLimit, c.sizeLimit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
        }
        const FileOutcome outcome = ReplaceFile(target, after);
        const std::string now = Read(target);
        const int result[3] = {static_cast<int>(outcome.failure), outcome.systemError,
                               now == before  ? 1
                               : now == after ? 2
                                              : 0};
        (void)!::write(report[1], result, sizeof result);
        ::_exit(0);
    }
    ::close(report[1]);
    int result[3] = {-1, -1, -1};
    const ssize_t got = ::read(report[0], result, sizeof result);
    ::close(report[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child could not set up";
    ASSERT_EQ(got, static_cast<ssize_t>(sizeof result));
    EXPECT_EQ(static_cast<FileFailure>(result[0]), c.failure);
    EXPECT_EQ(result[1], c.systemError);
    EXPECT_EQ(result[2], c.failure == FileFailure::None ? 2 : 1) << "0: the file is damaged";
}

const InPlaceCase kInPlace[] = {
    {"growing", 100, 5000, 0, false, FileFailure::None, 0},
    {"shrinking, cut at the end", 5000, 100, 0, false, FileFailure::None, 0},
    {"beyond the file size limit", 37778, 40960, 39000, false, FileFailure::System, EFBIG},
    {"on a full disk", 37778, 50000, 0, true, FileFailure::System, ENOSPC},
};

INSTANTIATE_TEST_SUITE_P(Saves, InPlaceRewrite, ::testing::ValuesIn(kInPlace),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

// What a killed save leaves beside the file goes at the next save; anything
// that may be someone's own file, or a save still in progress, stays.
TEST_F(FileAccessTest, NextSaveRemovesStaleTemporaryFilesOnly) {
    // "1" as the program writes it: BOM, then UTF-16LE.
    const std::string text(
        "\xFF\xFE"
        "1\0",
        4);
    const struct {
        const char* name;
        std::string bytes;
        bool stays;
    } entries[] = {
        {"calc.tvc.aB3xYz", text, false},
        {"calc.tvc.q7RtZ0", "", false},
        {".numera-Ab3Cd4", text, false},
        {"calc.tvc.backup", text, true},  // a name a person gives
        {"calc.tvc.Before", text, true},
        {"calc.tvc.Zz9Yy8", "plain", true},  // not a text the program writes
        {"calc.tvc.aB3xYzW", text, true},    // not mkstemp's six characters
        {"other.tvc.aB3xYz", text, true},    // beside another file
        {"calc.tvc.L0ckEd", text, true},     // a save in progress holds it
    };
    for (const auto& e : entries) Write(dir_ / e.name, e.bytes);
    fs::create_symlink("calc.tvc.aB3xYz", dir_ / "calc.tvc.Li9kAA");
    const int busy = ::open((dir_ / "calc.tvc.L0ckEd").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);

    ASSERT_TRUE(ReplaceFile(dir_ / "calc.tvc", text).Ok());
    ::close(busy);
    for (const auto& e : entries) EXPECT_EQ(fs::exists(dir_ / e.name), e.stays) << e.name;
    EXPECT_TRUE(fs::is_symlink(dir_ / "calc.tvc.Li9kAA"));
    EXPECT_EQ(Read(dir_ / "calc.tvc"), text);
}

TEST_F(FileAccessTest, ReadingTakesRegularFilesWithinTheLimitOnly) {
    Write(dir_ / "five", "12345");
    ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0666), 0);  // no writer: opening it would block
    fs::create_symlink("fifo", dir_ / "to-fifo");
    fs::create_directory(dir_ / "folder");
    const struct {
        const char* name;
        std::size_t limit;
        FileFailure failure;
        int systemError;
        std::string bytes;
    } cases[] = {
        {"five", 5, FileFailure::None, 0, "12345"},
        {"five", 4, FileFailure::TooLarge, EFBIG, ""},
        {"fifo", 100, FileFailure::NotRegular, EACCES, ""},
        {"to-fifo", 100, FileFailure::NotRegular, EACCES, ""},
        {"folder", 100, FileFailure::NotRegular, EISDIR, ""},
        {"missing", 100, FileFailure::System, ENOENT, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " limit " + std::to_string(c.limit));
        std::string bytes = "stale";
        const FileOutcome outcome = ReadRegularFile(dir_ / c.name, c.limit, bytes);
        EXPECT_EQ(outcome.failure, c.failure);
        EXPECT_EQ(outcome.systemError, c.systemError);
        EXPECT_EQ(bytes, c.bytes);
    }
}

TEST_F(FileAccessTest, ProcFilesReportingNoSizeAreStillBounded) {
    // /proc files claim a size of 0 and are read to their end, never past the limit.
    std::string bytes;
    const FileOutcome outcome = ReadRegularFile("/proc/self/maps", 16, bytes);
    EXPECT_EQ(outcome.failure, FileFailure::TooLarge);
    EXPECT_TRUE(bytes.empty());
}

}  // namespace
