// The Windows side of reading and replacing files: what is refused, what a
// replacement leaves behind. Runs on Windows or under wine.

#include <gtest/gtest.h>
#include <windows.h>
#undef ReplaceFile  // windows.h maps it to ReplaceFileA

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/FileAccess.h"

using namespace NCalculatorText;
namespace fs = std::filesystem;

namespace {

class FileAccessWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() / ("numera-files-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(dir_);
        ASSERT_TRUE(fs::create_directory(dir_));
    }
    void TearDown() override {
        for (const auto& entry : fs::directory_iterator(dir_))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove_all(dir_);
    }
    static void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    int Entries() const {
        int n = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) ++n;
        return n;
    }

    fs::path dir_;
};

TEST_F(FileAccessWindowsTest, ReplacingWritesTheFileAndLeavesNoTemporary) {
    const fs::path file = dir_ / "calc.tvc";
    ASSERT_TRUE(ReplaceFile(file, "first").Ok());
    EXPECT_EQ(Read(file), "first");
    ASSERT_TRUE(ReplaceFile(file, std::string("2\0nd", 4)).Ok());
    EXPECT_EQ(Read(file), std::string("2\0nd", 4));
    EXPECT_EQ(Entries(), 1);
}

// With no temporary file possible beside it (here a folder holds the
// temporary name, which Windows refuses as "access denied" like a folder
// without the right to create files), the file is rewritten where it stands:
// grown with its room reserved first, or cut to its new length at the end.
TEST_F(FileAccessWindowsTest, ReplacingInPlaceWhenNoTemporaryCanBeMade) {
    const fs::path file = dir_ / "shared.tvc";
    fs::path blocker = file;
    blocker += L".numera-tmp";
    ASSERT_TRUE(fs::create_directory(blocker));
    for (const std::size_t size : {std::size_t{100}, std::size_t{70000}, std::size_t{3}}) {
        SCOPED_TRACE(size);
        Write(file, std::string(5000, 'o'));
        std::string bytes(size, 'n');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('A' + i % 23);
        const FileOutcome outcome = ReplaceFile(file, bytes);
        ASSERT_TRUE(outcome.Ok()) << DescribeFileFailure(outcome) << " " << outcome.systemError;
        EXPECT_EQ(Read(file), bytes);
        EXPECT_EQ(fs::file_size(file), size);
    }
    EXPECT_TRUE(fs::is_directory(blocker));
    EXPECT_EQ(Entries(), 2);
}

// Every name of a hard-linked file sees the new text, longer or shorter.
TEST_F(FileAccessWindowsTest, ReplacingKeepsHardLinksOneFile) {
    const fs::path file = dir_ / "a.tvc";
    Write(file, "old text");
    ASSERT_TRUE(CreateHardLinkW((dir_ / "b.tvc").c_str(), file.c_str(), nullptr));
    for (const std::string bytes : {"a longer new text", "short"}) {
        ASSERT_TRUE(ReplaceFile(file, bytes).Ok());
        EXPECT_EQ(Read(dir_ / "b.tvc"), bytes);
    }
    EXPECT_EQ(Entries(), 2);
}

TEST_F(FileAccessWindowsTest, ReplacingRefusesFoldersAndReadOnlyFiles) {
    const fs::path folder = dir_ / "folder";
    fs::create_directory(folder);
    const fs::path locked = dir_ / "locked.tvc";
    Write(locked, "kept");
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));

    struct Row {
        fs::path target;
        FileFailure failure;
        const char* text;
    };
    for (const Row& row : {Row{folder, FileFailure::NotRegular, "not a regular file"},
                           Row{locked, FileFailure::ReadOnly, "the file is read-only"}}) {
        SCOPED_TRACE(row.target.string());
        const FileOutcome outcome = ReplaceFile(row.target, "new");
        EXPECT_EQ(outcome.failure, row.failure);
        EXPECT_EQ(DescribeFileFailure(outcome), row.text);
    }
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(Read(locked), "kept");
    EXPECT_EQ(Entries(), 2);
}

TEST_F(FileAccessWindowsTest, ReadingTakesRegularFilesWithinTheLimitOnly) {
    Write(dir_ / "four", "1234");
    fs::create_directory(dir_ / "folder");
    struct Row {
        fs::path path;
        std::size_t limit;
        FileFailure failure;
        int systemError;
        std::string bytes;
    };
    for (const Row& row : {
             Row{dir_ / "four", 4, FileFailure::None, 0, "1234"},
             Row{dir_ / "four", 3, FileFailure::TooLarge, ERROR_FILE_TOO_LARGE, ""},
             Row{dir_ / "missing", 4, FileFailure::System, ERROR_FILE_NOT_FOUND, ""},
             Row{dir_ / "folder", 4, FileFailure::NotRegular, ERROR_ACCESS_DENIED, ""},
             Row{"NUL", 4, FileFailure::NotRegular, ERROR_ACCESS_DENIED, ""},
         }) {
        SCOPED_TRACE(row.path.string());
        std::string bytes = "stale";
        const FileOutcome outcome = ReadRegularFile(row.path, row.limit, bytes);
        EXPECT_EQ(outcome.failure, row.failure);
        EXPECT_EQ(outcome.systemError, row.systemError);
        EXPECT_EQ(bytes, row.bytes);
    }
}

}  // namespace
