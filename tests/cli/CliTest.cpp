// Runs the built numera-cli as a separate process and checks its whole
// contract: exit status, stdout bytes, stderr lines and the files it writes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// UTF-16LE bytes of a text, written out independently of the engine helpers.
std::string Utf16(std::u16string_view text) {
    std::string bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::string CalculationFile(std::u16string_view text) { return "\xFF\xFE" + Utf16(text); }

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    long peakKilobytes = 0;  // the largest resident size the run reached
};

// A fresh directory per test, removed afterwards.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(::testing::TempDir()) / "numera-cli-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }

    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    fs::path File(const std::string& name) const { return dir_ / name; }

    std::string Make(const std::string& name, const std::string& bytes) const {
        WriteBytes(File(name), bytes);
        return File(name).string();
    }

    // Runs numera-cli with the arguments and the bytes as standard input.
    // `output` replaces the file that collects standard output (/dev/full).
    CliResult Run(const std::vector<std::string>& args, const std::string& input = std::string(),
                  const fs::path& output = fs::path()) const {
        const fs::path in = dir_ / ".stdin";
        const fs::path out = output.empty() ? dir_ / ".stdout" : output;
        const fs::path err = dir_ / ".stderr";
        WriteBytes(in, input);

        std::vector<std::string> argvText{NUMERA_CLI_PATH};
        argvText.insert(argvText.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : argvText) argv.push_back(arg.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        pid_t pid = 0;
        const int spawned =
            posix_spawn(&pid, NUMERA_CLI_PATH, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);

        CliResult result;
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << NUMERA_CLI_PATH;
            return result;
        }
        int status = 0;
        rusage usage{};
        while (::wait4(pid, &status, 0, &usage) < 0) {
        }
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.peakKilobytes = usage.ru_maxrss;
        result.err = ReadBytes(err);
        fs::remove(in);
        fs::remove(err);
        if (output.empty()) {
            result.out = ReadBytes(out);
            fs::remove(out);
        }
        return result;
    }

    // Names in the directory other than the ones the runner uses.
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            const std::string name = entry.path().filename().string();
            if (name[0] != '.') names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

// ---------------------------------------------------------------------------
// Calculation through standard input.

struct RunCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int exitCode;
    std::string out;
    std::string err;
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

class CliRun : public CliTest, public ::testing::WithParamInterface<RunCase> {};

TEST_P(CliRun, PrintsTextAndDiagnostics) {
    const RunCase& c = GetParam();
    const CliResult result = Run(c.args, c.input);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
}

const char* const kSyntaxErrorLine = "1\tError\tNone\tSyntax error\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, CliRun,
    ::testing::Values(
        RunCase{"Utf8Cell", {}, "2+3", 0, "2+3=5", ""},
        RunCase{"Utf8AllCells", {}, "2+3 = 7 ;  4*2;", 0, "2+3 = 5 ;  4*2=8;", ""},
        RunCase{"CrLfKeptExactly", {}, "1+1\r\n;2*2\r\n", 0, "1+1=2\r\n;2*2=4\r\n", ""},
        RunCase{"NoNewlineAdded", {}, "7", 0, "7=7", ""}, RunCase{"EmptyInput", {}, "", 0, "", ""},
        RunCase{"DashMeansStandardInput", {"-"}, "2*3", 0, "2*3=6", ""},
        RunCase{"Utf16Input", {}, CalculationFile(u"2*3 = 7"), 0, "2*3 = 6", ""},
        RunCase{"Utf16CutAtNul",
                {},
                CalculationFile(u"1+1") + Utf16(std::u16string(1, u'\0')) + Utf16(u"garbage"),
                0,
                "1+1=2",
                ""},
        RunCase{"Utf16MarkInsideRemoved", {}, CalculationFile(u"1+\uFEFF1"), 0, "1+1=2", ""},
        RunCase{"Utf16OddByteIgnored", {}, CalculationFile(u"4/2") + "\x20", 0, "4/2=2", ""},
        RunCase{"Utf16NonAsciiToUtf8",
                {},
                CalculationFile(u"2\u22123 // \u00e9"),
                0,
                "2\xE2\x88\x92"
                "3=-1 // \xC3\xA9",
                ""},
        RunCase{"Utf8Pi", {}, "\xCF\x80", 0, "\xCF\x80=3.141592653589793116", ""},
        RunCase{"Utf8SupplementaryInComment",
                {},
                "1+1 // \xF0\x9F\x98\x80",
                0,
                "1+1=2 // \xF0\x9F\x98\x80",
                ""},
        RunCase{"Utf8ByteOrderMarkDropped",
                {},
                "\xEF\xBB\xBF"
                "2+2",
                0,
                "2+2=4",
                ""},
        RunCase{
            "InvalidUtf8", {}, "1+\xFF", 2, "", "numera-cli: invalid UTF-8 in standard input\n"},
        RunCase{
            "OverlongUtf8", {}, "\xC0\xAF", 2, "", "numera-cli: invalid UTF-8 in standard input\n"},
        RunCase{"SurrogateInUtf8",
                {},
                "\xED\xA0\x80",
                2,
                "",
                "numera-cli: invalid UTF-8 in standard input\n"},
        RunCase{"TruncatedUtf8",
                {},
                "1+1 \xE2\x82",
                2,
                "",
                "numera-cli: invalid UTF-8 in standard input\n"},
        RunCase{"RadiansByDefault", {}, "atan(1)*4", 0, "atan(1)*4=3.141592653589793116", ""},
        RunCase{"UnitsDeg", {"--units", "deg"}, "sin(30)", 0, "sin(30)=0.4999999999999999445", ""},
        RunCase{"UnitsDegInline", {"--units=deg"}, "atan(1)", 0, "atan(1)=45", ""},
        RunCase{"UnitsGrad", {"--units", "grad"}, "atan(1)", 0, "atan(1)=50", ""},
        RunCase{"UnitsRad", {"--units=rad"}, "sin(pi)", 0, "sin(pi)=0", ""},
        RunCase{"DigitsExact",
                {"--digits", "exact"},
                "0.1+0.2",
                0,
                "0.1+0.2=0.3000000000000000444",
                ""},
        RunCase{"DigitsShortest",
                {"--digits", "shortest"},
                "0.1+0.2",
                0,
                "0.1+0.2=0.30000000000000004",
                ""},
        RunCase{"DigitsSignificant", {"--digits", "sig3"}, "2/3;-0*1", 0, "2/3=0.667;-0*1=-0", ""},
        RunCase{"DigitsDecimalsInline",
                {"--digits=fix2"},
                "89.9;-1/1000",
                0,
                "89.9=89.90;-1/1000=0.00",
                ""},
        RunCase{"PositionAtSemicolon", {"--position", "1"}, "1;2", 0, "1=1;2", ""},
        RunCase{"PositionInSecondCell", {"--position", "2"}, "1;2", 0, "1;2=2", ""},
        RunCase{"PositionInline", {"--position=0"}, "1;2", 0, "1=1;2", ""},
        RunCase{"PositionBetweenSemicolons", {"--position", "2"}, "1;;2", 0, "1;;2", ""},
        RunCase{"PositionAtTheEnd", {"--position", "3"}, "1;2", 0, "1;2=2", ""},
        RunCase{"PositionBeyondText",
                {"--position", "2147483647"},
                "1;2",
                2,
                "",
                "numera-cli: position 2147483647 is beyond the end of the text (3 code units)\n"},
        RunCase{"PositionCountsUtf16Units",
                {"--position", "8"},
                "/*\xF0\x9F\x98\x80*/1;2",
                0,
                "/*\xF0\x9F\x98\x80*/1;2=2",
                ""},
        RunCase{"DivisionByZero",
                {},
                "1/0",
                1,
                "1/0",
                "1\tError\tDivision\tOperation has singularity at 0\n"},
        RunCase{"UninitializedMemory",
                {},
                "mem[q]",
                0,
                "mem[q]=0",
                "1\tWarning\tMemory\tUninitialized memory used, value forced to 0\n"},
        RunCase{"DiagnosticsNumbered",
                {},
                "mem[a]+mem[b];1/0;3",
                1,
                "mem[a]+mem[b]=0;1/0;3",
                "1\tWarning\tMemory\tUninitialized memory used, value forced to 0\n"
                "2\tWarning\tMemory\tUninitialized memory used, value forced to 0\n"
                "3\tError\tDivision\tOperation has singularity at 0\n"},
        RunCase{"NotDefined",
                {},
                "sqrt(-4)",
                1,
                "sqrt(-4)",
                "1\tError\tSquare root\tFunction is not defined for -4\n"},
        RunCase{"SyntaxError", {}, "2+", 1, "2+", kSyntaxErrorLine},
        RunCase{"RunStopsAtError",
                {},
                "1/0 = 5; 1+1=",
                1,
                "1/0  ; 1+1=",
                "1\tError\tDivision\tOperation has singularity at 0\n"},
        RunCase{"UnterminatedComment", {}, "/* 1+1=", 1, "/* 1+1=", kSyntaxErrorLine},
        RunCase{"MemoryWithinRun", {}, "5->mem[a];mem[a]*2", 0, "5->mem[a]=5;mem[a]*2=10", ""}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Usage errors: status 2, one line on stderr, nothing on stdout.

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    std::string err;
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

class CliUsage : public CliTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(CliUsage, RejectsArguments) {
    const UsageCase& c = GetParam();
    const CliResult result = Run(c.args, "1+1");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsage,
    ::testing::Values(
        UsageCase{"UnknownOption", {"--frobnicate"}, "numera-cli: unknown option '--frobnicate'\n"},
        UsageCase{"ShortOption", {"-x"}, "numera-cli: unknown option '-x'\n"},
        UsageCase{"BadUnits",
                  {"--units", "turns"},
                  "numera-cli: invalid angle unit 'turns' (rad, deg or grad)\n"},
        UsageCase{"UnitsCaseSensitive",
                  {"--units=Deg"},
                  "numera-cli: invalid angle unit 'Deg' (rad, deg or grad)\n"},
        UsageCase{"UnitsWithoutValue", {"--units"}, "numera-cli: option '--units' needs a value\n"},
        UsageCase{"DigitsOutOfRange",
                  {"--digits", "sig18"},
                  "numera-cli: invalid digits 'sig18' (exact, shortest, sigN or fixN)\n"},
        UsageCase{"DigitsWithoutCount",
                  {"--digits=fix"},
                  "numera-cli: invalid digits 'fix' (exact, shortest, sigN or fixN)\n"},
        UsageCase{"NegativePosition", {"--position", "-1"}, "numera-cli: invalid position '-1'\n"},
        UsageCase{"SignedPosition", {"--position=+1"}, "numera-cli: invalid position '+1'\n"},
        UsageCase{"TextPosition", {"--position", "1x"}, "numera-cli: invalid position '1x'\n"},
        UsageCase{"EmptyPosition", {"--position="}, "numera-cli: invalid position ''\n"},
        UsageCase{"PositionTooBig",
                  {"--position", "2147483648"},
                  "numera-cli: invalid position '2147483648'\n"},
        UsageCase{"InPlaceWithStandardInput",
                  {"--in-place"},
                  "numera-cli: option '--in-place' needs a FILE argument\n"},
        UsageCase{"InPlaceWithDash",
                  {"--in-place", "-"},
                  "numera-cli: option '--in-place' needs a FILE argument\n"},
        UsageCase{"InPlaceWithValue",
                  {"--in-place=yes", "x"},
                  "numera-cli: option '--in-place' takes no value\n"},
        UsageCase{"TwoInputs", {"a.tvc", "b.tvc"}, "numera-cli: unexpected argument 'b.tvc'\n"},
        UsageCase{"MemoryWithoutName",
                  {"--memory="},
                  "numera-cli: option '--memory' needs a file name\n"}),
    [](const ::testing::TestParamInfo<UsageCase>& info) { return std::string(info.param.name); });

TEST_F(CliTest, HelpPrintsUsage) {
    const CliResult result = Run({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    const std::string synopsis =
        "Usage: numera-cli [--units rad|deg|grad] [--digits MODE] [--position N] [--memory "
        "FILE]... [--save-memory FILE] [--in-place] [FILE|-]\n";
    EXPECT_EQ(result.out.rfind(synopsis, 0), 0u) << result.out;
    EXPECT_EQ(result.err, "");
}

TEST_F(CliTest, VersionPrintsVersion) {
    const CliResult result = Run({"--version"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "numera-cli 01.02.004\n");
    EXPECT_EQ(result.err, "");
}

// ---------------------------------------------------------------------------
// Input files.

TEST_F(CliTest, ReadsUtf16FileArgument) {
    const std::string path = Make("doc.tvc", CalculationFile(u"2+3\r\n;10/4"));
    const CliResult result = Run({path});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "2+3=5\r\n;10/4=2.5");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadBytes(path), CalculationFile(u"2+3\r\n;10/4"))
        << "without --in-place the file stays";
}

TEST_F(CliTest, ReadsUtf8FileAfterDoubleDash) {
    const std::string path = Make("-odd.txt", "6*7");
    const CliResult result = Run({"--", path});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "6*7=42");
}

TEST_F(CliTest, MissingFileIsReported) {
    const std::string path = File("missing.tvc").string();
    const CliResult result = Run({path});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "numera-cli: cannot read '" + path + "': No such file or directory\n");
}

TEST_F(CliTest, DirectoryAsInputIsReported) {
    const CliResult result = Run({dir_.string()});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "numera-cli: cannot read '" + dir_.string() + "': Is a directory\n");
}

TEST_F(CliTest, InvalidUtf8FileIsNamed) {
    const std::string path = Make("bad.txt", "1+\x80");
    const CliResult result = Run({path});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "numera-cli: invalid UTF-8 in '" + path + "'\n");
}

// ---------------------------------------------------------------------------
// --memory

struct MemoryCase {
    const char* name;
    std::vector<std::string> memoryFiles;  // contents, run in order
    std::vector<std::string> extraArgs;
    std::string input;
    int exitCode;
    std::string out;
    std::string err;
};

void PrintTo(const MemoryCase& c, std::ostream* os) { *os << c.name; }

class CliMemory : public CliTest, public ::testing::WithParamInterface<MemoryCase> {};

TEST_P(CliMemory, RunsMemoryFilesFirst) {
    const MemoryCase& c = GetParam();
    std::vector<std::string> args = c.extraArgs;
    for (std::size_t i = 0; i < c.memoryFiles.size(); ++i) {
        args.push_back("--memory");
        args.push_back(Make("memory" + std::to_string(i) + ".tvm", c.memoryFiles[i]));
    }
    const CliResult result = Run(args, c.input);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliMemory,
    ::testing::Values(
        MemoryCase{"Utf8Store", {"5->mem[a];"}, {}, "mem[a]*2", 0, "mem[a]*2=10", ""},
        MemoryCase{"Utf16MemoryFile",
                   {CalculationFile(u"\uFEFF2->mem[x];\r\n0.5->mem[y y];\r\n")},
                   {},
                   "mem[x]+mem[y y]",
                   0,
                   "mem[x]+mem[y y]=2.5",
                   ""},
        MemoryCase{
            "FilesRunInOrder", {"1->mem[a]", "mem[a]+1->mem[a]"}, {}, "mem[a]", 0, "mem[a]=2", ""},
        MemoryCase{"LastResultCarriesOver", {"7"}, {}, "rslt+1", 0, "rslt+1=8", ""},
        MemoryCase{"DiagnosticsDropped",
                   {"mem[zz]->mem[a];4->mem[b];1/0;9->mem[c]"},
                   {},
                   "mem[a]+mem[b]",
                   0,
                   "mem[a]+mem[b]=4",
                   ""},
        MemoryCase{"NotStoredAfterError",
                   {"1/0;9->mem[c]"},
                   {},
                   "mem[c]",
                   0,
                   "mem[c]=0",
                   "1\tWarning\tMemory\tUninitialized memory used, value forced to 0\n"},
        MemoryCase{"SameUnits",
                   {"sin(30)->mem[s]"},
                   {"--units", "deg"},
                   "mem[s]",
                   0,
                   "mem[s]=0.4999999999999999445",
                   ""}),
    [](const ::testing::TestParamInfo<MemoryCase>& info) { return std::string(info.param.name); });

TEST_F(CliTest, EmptyMemoryFileIsAnError) {
    const std::string memory = Make("empty.tvm", "");
    const CliResult result = Run({"--memory", memory}, "1+1");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "numera-cli: cannot read '" + memory + "': the file is empty\n");
}

TEST_F(CliTest, MissingMemoryFileIsAnError) {
    const std::string memory = File("none.tvm").string();
    const CliResult result = Run({"--memory=" + memory}, "1+1");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "numera-cli: cannot read '" + memory + "': No such file or directory\n");
}

TEST_F(CliTest, InvalidMemoryFileEncodingIsAnError) {
    const std::string memory = Make("bad.tvm", "5->mem[\xC3]");
    const CliResult result = Run({"--memory", memory}, "1+1");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "numera-cli: invalid UTF-8 in '" + memory + "'\n");
}

// ---------------------------------------------------------------------------
// --save-memory

struct SaveCase {
    const char* name;
    std::string input;
    int exitCode;
    std::u16string memoryFile;  // after FF FE
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

class CliSaveMemory : public CliTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(CliSaveMemory, WritesEveryCell) {
    const SaveCase& c = GetParam();
    const std::string path = File("out.tvm").string();
    const CliResult result = Run({"--save-memory", path}, c.input);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(ReadBytes(path), CalculationFile(c.memoryFile));
    EXPECT_EQ(Listing(), std::vector<std::string>{"out.tvm"})
        << "no temporary file may stay behind";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliSaveMemory,
    ::testing::Values(
        SaveCase{"Integer", "2->mem[x]", 0, u"2->mem[x];\r\n"},
        SaveCase{"TwentyDigits", "0.1->mem[x]", 0, u"0.10000000000000000555->mem[x];\r\n"},
        SaveCase{"Exponent", "1e300->mem[x]", 0, u"1.0000000000000000525e+300->mem[x];\r\n"},
        SaveCase{"EmptyStore", "1+1", 0, u""},
        SaveCase{"StoreOrder", "1->mem[b];2->mem[B];3->mem[a b];4->mem[]", 0,
                 u"4->mem[];\r\n2->mem[B];\r\n3->mem[a b];\r\n1->mem[b];\r\n"},
        SaveCase{"AfterFailedRun", "5->mem[a];1/0;6->mem[b]", 1, u"5->mem[a];\r\n"}),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.name); });

TEST_F(CliTest, SaveMemoryIncludesLoadedCellsAndReplacesFile) {
    const std::string memory = Make("in.tvm", CalculationFile(u"3->mem[c];\r\n"));
    const std::string path = Make("out.tvm", "old content that is longer than the new one");
    const CliResult result = Run({"--memory", memory, "--save-memory=" + path}, "1->mem[a]");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "1->mem[a]=1");
    EXPECT_EQ(ReadBytes(path), CalculationFile(u"1->mem[a];\r\n3->mem[c];\r\n"));
}

TEST_F(CliTest, SavedMemoryLoadsBackToTheSameFile) {
    const std::string first = File("first.tvm").string();
    const std::string second = File("second.tvm").string();
    ASSERT_EQ(Run({"--save-memory", first}, "0.1->mem[x];-1/3->mem[y];1e-300->mem[z z]").exitCode,
              0);
    ASSERT_EQ(Run({"--memory", first, "--save-memory", second}, "").exitCode, 0);
    EXPECT_EQ(ReadBytes(second), ReadBytes(first));
}

// The digits choice reaches results read in pieces from a file; memory files
// keep every digit.
TEST_F(CliTest, DigitsApplyToResultsOnly) {
    const std::string path = Make("doc.tvc", CalculationFile(u"0.1->mem[x];\r\n10/4"));
    const CliResult pieces = Run({"--digits", "fix2", path});
    EXPECT_EQ(pieces.exitCode, 0);
    EXPECT_EQ(pieces.out, "0.1->mem[x]=0.10;\r\n10/4=2.50");

    const std::string memory = File("out.tvm").string();
    const CliResult saved = Run({"--digits=shortest", "--save-memory", memory}, "0.1->mem[x]");
    EXPECT_EQ(saved.out, "0.1->mem[x]=0.1");
    EXPECT_EQ(ReadBytes(memory), CalculationFile(u"0.10000000000000000555->mem[x];\r\n"));
}

TEST_F(CliTest, SaveMemoryIntoDirectoryFails) {
    const std::string target = File("sub").string();
    fs::create_directory(target);
    const CliResult result = Run({"--save-memory", target}, "2->mem[x]");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "numera-cli: cannot write '" + target + "': Is a directory\n");
    EXPECT_EQ(Listing(), std::vector<std::string>{"sub"});
}

TEST_F(CliTest, SaveMemoryIntoMissingDirectoryFails) {
    const std::string target = File("nowhere/m.tvm").string();
    const CliResult result = Run({"--save-memory", target}, "2->mem[x]");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "numera-cli: cannot write '" + target + "': No such file or directory\n");
}

// ---------------------------------------------------------------------------
// --in-place

struct InPlaceCase {
    const char* name;
    std::string before;
    int exitCode;
    std::string out;
    std::u16string after;  // after FF FE
};

void PrintTo(const InPlaceCase& c, std::ostream* os) { *os << c.name; }

class CliInPlace : public CliTest, public ::testing::WithParamInterface<InPlaceCase> {};

TEST_P(CliInPlace, RewritesFileAsCalculationFile) {
    const InPlaceCase& c = GetParam();
    const std::string path = Make("doc.tvc", c.before);
    const CliResult result = Run({"--in-place", path});
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(ReadBytes(path), CalculationFile(c.after));
    EXPECT_EQ(Listing(), std::vector<std::string>{"doc.tvc"})
        << "no temporary file may stay behind";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliInPlace,
    ::testing::Values(InPlaceCase{"Utf8Becomes16", "2+3", 0, "2+3=5", u"2+3=5"},
                      InPlaceCase{"Utf16", CalculationFile(u"1+1 = 3\r\n;\u03c0*2"), 0,
                                  "1+1 = 2\r\n;\xCF\x80*2=6.283185307179586232",
                                  u"1+1 = 2\r\n;\u03c0*2=6.283185307179586232"},
                      InPlaceCase{"WrittenAfterError", "1 = 0;1/0 = 5;2", 1, "1 = 1;1/0  ;2",
                                  u"1 = 1;1/0  ;2"},
                      InPlaceCase{"EmptyFile", "", 0, "", u""}),
    [](const ::testing::TestParamInfo<InPlaceCase>& info) { return std::string(info.param.name); });

TEST_F(CliTest, InPlaceWithPositionAndUnits) {
    const std::string path = Make("doc.tvc", "sin(90);cos(0)");
    const CliResult result = Run({"--units=deg", "--position=8", "--in-place", path});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(ReadBytes(path), CalculationFile(u"sin(90);cos(0)=1"));
}

TEST_F(CliTest, InPlaceKeepsModeAndSymlink) {
    const std::string path = Make("doc.tvc", "1+2");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path link = File("link.tvc");
    fs::create_symlink(path, link);
    const CliResult result = Run({"--in-place", link.string()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(path), CalculationFile(u"1+2=3"));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// Targets that must not be replaced: the run fails with exit 2 and a cause,
// prints nothing and leaves the target as it was.
TEST_F(CliTest, UnwritableTargetsAreRefused) {
    const std::string fifo = File("fifo.tvc").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    const std::string readOnly = Make("readonly.tvc", "1+2");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    const fs::path dangling = File("dangling.tvm");
    fs::create_symlink("nowhere.tvm", dangling);
    const struct {
        std::vector<std::string> args;
        std::string target;
        std::string cause;
    } cases[] = {
        {{"--in-place", fifo}, fifo, "not a regular file"},
        {{"--in-place", readOnly}, readOnly, "the file is read-only"},
        {{"--save-memory", dangling.string()},
         dangling.string(),
         "the symbolic link points to a missing file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        const CliResult result = Run(c.args, "2->mem[x]");
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "numera-cli: cannot write '" + c.target + "': " + c.cause + "\n");
    }
    EXPECT_EQ(fs::symlink_status(fifo).type(), fs::file_type::fifo);
    EXPECT_EQ(ReadBytes(readOnly), "1+2");
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"dangling.tvm", "fifo.tvc", "readonly.tvc"}));
}

// Files are replaced only once standard output has taken the text.
TEST_F(CliTest, FailingStandardOutputReplacesNothing) {
    const std::string doc = Make("doc.tvc", "1+1");
    const std::string saved = File("saved.tvm").string();
    const CliResult result =
        Run({"--save-memory", saved, "--in-place", doc}, "", fs::path("/dev/full"));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "numera-cli: cannot write standard output: No space left on device\n");
    EXPECT_EQ(ReadBytes(doc), "1+1");
    EXPECT_FALSE(fs::exists(saved));
}

// An input past the limit is refused from its size: nothing is read and no
// memory is prepared for it (the file is sparse, so reading would be slow).
TEST_F(CliTest, OversizedInputIsRefusedFromItsSize) {
    const std::string big = File("big.tvc").string();
    WriteBytes(big, "");
    fs::resize_file(big, std::uintmax_t{2} << 30);
    for (const auto& args :
         {std::vector<std::string>{big}, std::vector<std::string>{"--memory", big, "-"}}) {
        SCOPED_TRACE(args.front());
        const CliResult result = Run(args, "1");
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "numera-cli: cannot read '" + big + "': the input is too large\n");
        EXPECT_LT(result.peakKilobytes, 32 * 1024);
    }
}

TEST_F(CliTest, FailedReadLeavesOtherFilesAlone) {
    const std::string doc = Make("doc.tvc", "1+1");
    const std::string saved = File("saved.tvm").string();
    const CliResult result =
        Run({"--memory", File("missing.tvm").string(), "--save-memory", saved, "--in-place", doc});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(ReadBytes(doc), "1+1");
    EXPECT_FALSE(fs::exists(saved));
}

}  // namespace
