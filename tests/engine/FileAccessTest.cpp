// Which files may be read and replaced, and what a replacement leaves behind.
// Device nodes are stood in for by FIFOs and sockets made here; no test ever
// opens a real device.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
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

// A folder the user may not create files in, holding a file the user may
// write: no temporary file can be made, so the file is rewritten in place.
TEST_F(FileAccessTest, FileInAClosedFolderIsRewrittenInPlace) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to drop to another user";
    const fs::path target = dir_ / "shared.tvc";
    Write(target, "old contents");
    fs::permissions(target, fs::perms::all);
    fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
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
