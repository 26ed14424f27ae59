// numera-cli: calculates a calculation text from a file or standard input and
// prints the calculated text. Scripts and tests depend on its exact contract:
// stdout carries only the text, stderr only the diagnostics (or one error line).

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/CalculateText.h"
#include "engine/Diagnostics.h"
#include "engine/FileAccess.h"
#include "engine/FileText.h"
#include "engine/NumberFormat.h"
#include "engine/Preferences.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif
#ifdef __linux__
#include <sys/mman.h>
#endif
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

using namespace NCalculatorText;

namespace {

constexpr const char* kProgram = "numera-cli";

constexpr const char* kUsage =
    "Usage: numera-cli [--units rad|deg|grad] [--digits MODE] [--position N] [--memory FILE]... "
    "[--save-memory FILE] [--in-place] [FILE|-]\n"
    "\n"
    "Calculates the cells of a calculation text and prints the calculated text.\n"
    "Reads FILE, or standard input when FILE is '-' or absent. Input that begins\n"
    "with the bytes FF FE is a UTF-16LE calculation file; any other input is UTF-8.\n"
    "\n"
    "  --units rad|deg|grad  angle unit of the run (default rad)\n"
    "  --digits MODE         how results show: exact (19 significant digits, the\n"
    "                        default), shortest, sigN (N = 1-17 significant\n"
    "                        digits) or fixN (N = 0-15 decimals)\n"
    "  --position N          calculate only the cell containing code-unit index N\n"
    "  --memory FILE         execute FILE against the memory before the run;\n"
    "                        may be repeated, files run in order\n"
    "  --save-memory FILE    write every memory cell to FILE after the run\n"
    "  --in-place            write the calculated text back into FILE\n"
    "  --help                show this help and exit\n"
    "  --version             show the version and exit\n"
    "\n"
    "Standard output receives the calculated text (UTF-8), standard error one\n"
    "line per diagnostic: N<TAB>Error|Warning<TAB>context<TAB>description.\n"
    "Exit status: 0 success, 1 the run stopped at an error, 2 usage, file or\n"
    "encoding error.\n";

// Ends the program with status 2 and one line on stderr.
struct FatalError {
    std::string message;
};

[[noreturn]] void Fail(std::string message) { throw FatalError{std::move(message)}; }

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

std::string ErrnoText(int error) {
    return error != 0 ? std::strerror(error) : "Input/output error";
}

struct Options {
    uint32_t units = 0;
    uint32_t digits = 0;  // Preferences.ResultDigits
    int32_t position = -1;
    std::vector<std::string> memoryFiles;
    std::optional<std::string> saveMemory;
    bool inPlace = false;
    std::optional<std::string> input;  // absent or "-": standard input
    bool help = false;
    bool version = false;
};

bool ParsePosition(std::string_view text, int32_t& value) {
    if (text.empty()) return false;
    int64_t result = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        result = result * 10 + (c - '0');
        if (result > INT32_MAX) return false;
    }
    value = static_cast<int32_t>(result);
    return true;
}

Options ParseArguments(int argc, char** argv) {
    Options options;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            if (options.input) Fail("unexpected argument " + Quoted(arg));
            options.input = arg;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg.compare(0, 2, "--") != 0) Fail("unknown option " + Quoted(arg));

        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        std::optional<std::string> inlineValue;
        if (equals != std::string::npos) inlineValue = arg.substr(equals + 1);

        if (name == "--help" || name == "--version" || name == "--in-place") {
            if (inlineValue) Fail("option " + Quoted(name) + " takes no value");
            if (name == "--help") {
                options.help = true;
                return options;
            }
            if (name == "--version") {
                options.version = true;
                return options;
            }
            options.inPlace = true;
            continue;
        }
        if (name != "--units" && name != "--digits" && name != "--position" && name != "--memory" &&
            name != "--save-memory") {
            Fail("unknown option " + Quoted(name));
        }
        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else {
            if (i + 1 >= argc) Fail("option " + Quoted(name) + " needs a value");
            value = argv[++i];
        }
        if (name == "--units") {
            if (value == "rad") {
                options.units = 0;
            } else if (value == "deg") {
                options.units = 1;
            } else if (value == "grad") {
                options.units = 2;
            } else {
                Fail("invalid angle unit " + Quoted(value) + " (rad, deg or grad)");
            }
        } else if (name == "--digits") {
            NCalculatorText::ResultDigits digits;
            if (!NCalculatorText::ParseResultDigits(value, digits))
                Fail("invalid digits " + Quoted(value) + " (exact, shortest, sigN or fixN)");
            options.digits = NCalculatorText::ResultDigitsCode(digits);
        } else if (name == "--position") {
            if (!ParsePosition(value, options.position)) Fail("invalid position " + Quoted(value));
        } else if (name == "--memory") {
            if (value.empty()) Fail("option '--memory' needs a file name");
            options.memoryFiles.push_back(value);
        } else {
            if (value.empty()) Fail("option '--save-memory' needs a file name");
            options.saveMemory = value;
        }
    }
    if (options.inPlace && (!options.input || *options.input == "-")) {
        Fail("option '--in-place' needs a FILE argument");
    }
    return options;
}

// A source of bytes with a name for messages.
struct Source {
    std::string path;  // "-" for standard input
    std::string Describe() const {
        return path == "-" ? std::string("standard input") : Quoted(path);
    }
};

// Bytes of input beyond which no text fits the limit, whatever the encoding
// (UTF-16 takes two bytes a unit, UTF-8 at least one).
constexpr std::size_t kInputByteLimit = kFileByteLimit;

// `expected`: the size of a regular file, so that its bytes land in one
// allocation (0 when unknown).
std::string ReadStream(std::FILE* file, const Source& source, std::size_t expected = 0) {
    std::string bytes;
    if (expected > 0) bytes.reserve(std::min(expected, kInputByteLimit) + 1);
    char buffer[65536];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
        bytes.append(buffer, got);
        // An endless source (/dev/zero, a pipe that never closes) stops here.
        if (bytes.size() > kInputByteLimit)
            Fail("cannot read " + source.Describe() + ": the input is too large");
        if (got < sizeof buffer) break;
    }
    if (std::ferror(file)) {
        const int error = errno;
        Fail("cannot read " + source.Describe() + ": " + ErrnoText(error));
    }
    return bytes;
}

// A file past the limit is refused from its size, before anything is read or
// any memory is prepared for it.
void CheckSourceSize(const Source& source) {
    if (source.path == "-") return;
    std::error_code ec;
    const auto status = std::filesystem::status(source.path, ec);
    if (ec || !std::filesystem::is_regular_file(status)) return;
    const auto size = std::filesystem::file_size(source.path, ec);
    if (!ec && size > kInputByteLimit)
        Fail("cannot read " + source.Describe() + ": the input is too large");
}

std::string ReadSource(const Source& source) {
    if (source.path == "-") return ReadStream(stdin, source);
    CheckSourceSize(source);
    errno = 0;
    std::FILE* file = std::fopen(source.path.c_str(), "rb");
    if (file == nullptr) {
        const int error = errno;
        Fail("cannot read " + source.Describe() + ": " + ErrnoText(error));
    }
    std::error_code ec;
    const auto size = std::filesystem::file_size(source.path, ec);
    try {
        std::string bytes = ReadStream(file, source, ec ? 0 : static_cast<std::size_t>(size));
        std::fclose(file);
        return bytes;
    } catch (...) {
        std::fclose(file);
        throw;
    }
}

// FF FE marks a calculation or memory file; anything else must be UTF-8.
std::u16string DecodeInput(std::string_view bytes, const Source& source) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string text = DecodeFileText(bytes);
        if (text.size() > kFileTextLimit)
            Fail("cannot read " + source.Describe() + ": the input is too large");
        return text;
    }
    std::u16string text;
    if (!DecodeUtf8(bytes, text)) Fail("invalid UTF-8 in " + source.Describe());
    if (text.size() > kFileTextLimit)
        Fail("cannot read " + source.Describe() + ": the input is too large");
    // Editors on Windows like to start UTF-8 files with a byte order mark.
    if (!text.empty() && text[0] == 0xFEFF) text.erase(0, 1);
    return text;
}

// Replaces the file only once the new contents are complete; refuses devices,
// FIFOs, folders, read-only files and dangling links (see ReplaceFile).
void WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const FileOutcome outcome = ReplaceFile(path, bytes);
    if (!outcome.Ok()) Fail("cannot write " + Quoted(path) + ": " + DescribeFileFailure(outcome));
}

void CheckTarget(const std::string& path) {
    const FileOutcome outcome = CheckReplaceable(path);
    if (!outcome.Ok()) Fail("cannot write " + Quoted(path) + ": " + DescribeFileFailure(outcome));
}

// A run over a document of `bytes` bytes passes through about seven times as
// much memory (the bytes, the text, the new text half as long again). Faulting those pages in
// one at a time costs more than calculating a typical document, so the heap
// is grown and populated in one go before the run, and stays (see main).
void PrepareHeap(std::size_t bytes) {
#if defined(__GLIBC__) && defined(__linux__) && defined(MADV_POPULATE_WRITE)
    constexpr std::size_t kSmall = 256 * 1024;
    constexpr std::size_t kMost = 256 * 1024 * 1024;
    if (bytes < kSmall / 7) return;
    const std::size_t size = std::min(bytes * 7, kMost);
    void* block = std::malloc(size);
    if (block == nullptr) return;
    const std::size_t page = 4096;
    // The whole pages inside the block, reached from the block's own pointer.
    const auto address = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (address + page - 1) / page * page;
    const std::uintptr_t last = (address + size) / page * page;
    if (last > first)
        madvise(static_cast<char*>(block) + (first - address), last - first, MADV_POPULATE_WRITE);
    std::free(block);
#else
    (void)bytes;
#endif
}

// The calculated text goes out in pieces, so that a large document never
// needs its whole UTF-8 form in memory at once.
void WriteText(std::FILE* stream, std::u16string_view text, const char* name) {
    constexpr std::size_t kPiece = 32768;
    while (!text.empty()) {
        std::size_t length = std::min(kPiece, text.size());
        // A surrogate pair stays in one piece.
        if (length < text.size() && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF)
            --length;
        const std::string bytes = EncodeUtf8(text.substr(0, length));
        if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size())
            Fail(std::string("cannot write ") + name + ": " + ErrnoText(errno));
        text.remove_prefix(length);
    }
    if (std::fflush(stream) != 0)
        Fail(std::string("cannot write ") + name + ": " + ErrnoText(errno));
}

void WriteStandard(std::FILE* stream, const std::string& bytes, const char* name) {
    if ((!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) ||
        std::fflush(stream) != 0) {
        Fail(std::string("cannot write ") + name + ": " + ErrnoText(errno));
    }
}

// Keeps the diagnostics of a run; the driver clears it at the start of each run.
// The receiver interface's destructor is protected and non-virtual on purpose;
// this final class is never deleted through it.
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor)
class DiagnosticCollector final : public ILogReceiver {
public:
    struct Entry {
        int32_t severity;
        std::u16string context;
        std::u16string description;
    };

    void AddMessage(const Diagnostic& record) override {
        // The engine must not see an exception; remember the failure instead.
        try {
            entries.push_back({record.severity, record.context != nullptr ? record.context : u"",
                               record.description != nullptr ? record.description : u""});
        } catch (...) {
            lost = true;
        }
    }

    void Clear() override { entries.clear(); }

    std::vector<Entry> entries;
    bool lost = false;
};

// The run's diagnostics go to `collector` from here on; the memory files are
// calculated into the store first, and what they said is not the run's.
void StartCollecting(DiagnosticCollector& collector, std::vector<std::u16string>& memoryTexts) {
    engineState.logReceiver = &collector;
    for (std::u16string& memoryText : memoryTexts) {
        int32_t position = -1;
        CalculateText(memoryText, position);
    }
    collector.Clear();
}

void StopCollecting(const DiagnosticCollector& collector) {
    engineState.logReceiver = nullptr;
    if (collector.lost) throw std::bad_alloc();
}

std::string FormatDiagnostics(const std::vector<DiagnosticCollector::Entry>& entries) {
    std::string out;
    std::size_t number = 0;
    for (const auto& entry : entries) {
        out += std::to_string(++number);
        out += entry.severity != 0 ? "\tError\t" : "\tWarning\t";
        out += EncodeUtf8(entry.context);
        out += '\t';
        out += EncodeUtf8(entry.description);
        out += '\n';
    }
    return out;
}

// A large file is calculated a piece of whole cells at a time, each piece
// written before the next is read, so that a run holds neither the whole text
// nor its calculated form. The pieces end after a ";" outside comments; the
// first reading checks what a run over the whole text would refuse (not
// UTF-8, too long, an unclosed "/*"), and anything unusual goes that way.
class PieceReader {
public:
    explicit PieceReader(const Source& source) : source_(source) {}
    ~PieceReader() {
        if (file_ != nullptr) std::fclose(file_);
    }
    PieceReader(const PieceReader&) = delete;
    PieceReader& operator=(const PieceReader&) = delete;

    // Whether the file can go piece by piece.
    bool Check() {
        std::error_code ec;
        const auto size = std::filesystem::file_size(source_.path, ec);
        if (ec || size > kInputByteLimit) return false;
        file_ = std::fopen(source_.path.c_str(), "rb");
        if (file_ == nullptr) return false;
        CommentScanner comments;
        std::string carry;
        std::size_t bytes = 0;
        std::size_t length = 0;
        std::size_t lastCut = 0;
        for (;;) {
            const std::size_t got = Read(carry);
            if (bytes == 0 && got >= 2 && static_cast<unsigned char>(carry[0]) == 0xFF &&
                static_cast<unsigned char>(carry[1]) == 0xFE)
                return false;
            const std::size_t cut =
                comments.Scan(std::string_view(carry).substr(carry.size() - got));
            // Where the second reading cuts, after this block.
            cuts_.push_back(cut > 0 ? bytes + cut : 0);
            if (cut > 0) {
                largest_ = std::max(largest_, bytes + cut - lastCut);
                lastCut = bytes + cut;
            }
            bytes += got;
            // Measured up to the last ASCII byte: no sequence is cut.
            std::size_t end = carry.size();
            if (got > 0)
                while (end > 0 && static_cast<unsigned char>(carry[end - 1]) >= 0x80) --end;
            std::size_t units = 0;
            if (!MeasureUtf8(std::string_view(carry).substr(0, end), units)) return false;
            length += units;
            carry.erase(0, end);
            if (got == 0) break;
        }
        largest_ = std::max(largest_, bytes - lastCut);
        if (std::ferror(file_) || bytes != size || length > kFileTextLimit || !comments.Closed())
            return false;
        std::rewind(file_);
        return true;
    }

    // The next piece of whole cells, the rest of the file at its end; false
    // when nothing is left. The file is read again block by block, and cut
    // where the first reading found the last ";" of a block.
    bool Next(std::u16string& text) {
        for (;;) {
            const std::size_t got = Read(pending_);
            std::size_t cut = 0;
            if (block_ < cuts_.size() && cuts_[block_] > 0) {
                cut = cuts_[block_] - done_;
                // A file that changed since the first reading is refused.
                if (cut > pending_.size() || pending_[cut - 1] != ';')
                    Fail(source_.Describe() + " changed while it was read");
            }
            ++block_;
            if (got == 0) {
                if (pending_.empty()) return false;
                cut = pending_.size();
            }
            if (cut == 0) continue;
            if (!DecodeUtf8(std::string_view(pending_).substr(0, cut), text))
                Fail("invalid UTF-8 in " + source_.Describe());
            if (first_ && !text.empty() && text[0] == 0xFEFF) text.erase(0, 1);
            first_ = false;
            pending_.erase(0, cut);
            done_ += cut;
            return true;
        }
    }

    // Bytes of the largest piece (after Check).
    std::size_t Largest() const { return largest_; }

private:
    static constexpr std::size_t kBlock = 65536;

    // Appends up to a block to `bytes`; 0 at the end.
    std::size_t Read(std::string& bytes) {
        const std::size_t before = bytes.size();
        bytes.resize(before + kBlock);
        const std::size_t got = std::fread(bytes.data() + before, 1, kBlock, file_);
        bytes.resize(before + got);
        if (got == 0 && std::ferror(file_)) {
            const int error = errno;
            Fail("cannot read " + source_.Describe() + ": " + ErrnoText(error));
        }
        return got;
    }

    const Source& source_;
    std::FILE* file_ = nullptr;
    std::vector<std::size_t> cuts_;  // per block: the cut after it, or 0
    std::size_t block_ = 0;          // blocks read again so far
    std::size_t done_ = 0;           // bytes handed out as pieces
    std::string pending_;
    bool first_ = true;
    std::size_t largest_ = 0;
};

std::string VersionText() {
    char text[64];
    std::snprintf(text, sizeof text, "%s %02d.%02d.%03d\n", kProgram, NUMERA_VERSION_MAJOR,
                  NUMERA_VERSION_MINOR, NUMERA_VERSION_PATCH);
    return text;
}

int Run(int argc, char** argv) {
    const Options options = ParseArguments(argc, argv);
    if (options.help) {
        WriteStandard(stdout, kUsage, "standard output");
        return 0;
    }
    if (options.version) {
        WriteStandard(stdout, VersionText(), "standard output");
        return 0;
    }

    // Files are replaced only after standard output took the text: whatever
    // would refuse them is found out now, before anything is read or written
    // (a FIFO or device, besides, may never end when read).
    if (options.inPlace) CheckTarget(*options.input);
    if (options.saveMemory) CheckTarget(*options.saveMemory);

    // Read and decode everything first, so that a bad file changes nothing.
    std::vector<std::u16string> memoryTexts;
    for (const std::string& path : options.memoryFiles) {
        const Source source{path};
        const std::string bytes = ReadSource(source);
        if (bytes.empty()) Fail("cannot read " + source.Describe() + ": the file is empty");
        memoryTexts.push_back(DecodeInput(bytes, source));
    }
    const Source input{options.input.value_or("-")};
    CheckSourceSize(input);
    std::optional<PieceReader> pieces;
    if (input.path != "-" && options.position == -1 && !options.inPlace && !options.saveMemory) {
        pieces.emplace(input);
        if (!pieces->Check()) pieces.reset();
    }
    Preferences.TrigonometricUnits = options.units;
    Preferences.ResultDigits = options.digits;
    if (pieces) {
        // One cell of a megabyte is still one piece.
        PrepareHeap(pieces->Largest());
        DiagnosticCollector collector;
        StartCollecting(collector, memoryTexts);
        bool succeeded = true;
        bool first = true;
        std::u16string text;
        while (pieces->Next(text)) {
            if (succeeded) {
                int32_t position = -1;
                succeeded = first ? CalculateText(text, position) : CalculateMoreCells(text);
                first = false;
            }
            // After a failing cell the rest of the text goes out unchanged.
            WriteText(stdout, text, "standard output");
        }
        StopCollecting(collector);
        WriteStandard(stderr, FormatDiagnostics(collector.entries), "standard error");
        return succeeded ? 0 : 1;
    }
    if (input.path != "-") {
        std::error_code ec;
        const auto size = std::filesystem::file_size(input.path, ec);
        if (!ec)
            PrepareHeap(static_cast<std::size_t>(std::min<std::uintmax_t>(size, kInputByteLimit)));
    }
    std::u16string text = DecodeInput(ReadSource(input), input);

    if (options.position != -1 && static_cast<std::size_t>(options.position) > text.size())
        Fail("position " + std::to_string(options.position) + " is beyond the end of the text (" +
             std::to_string(text.size()) + " code units)");

    DiagnosticCollector collector;
    StartCollecting(collector, memoryTexts);
    int32_t position = options.position;
    const bool succeeded = CalculateText(text, position);
    StopCollecting(collector);

    // Standard output first: a file is replaced only when the text also
    // reached it, so a failing pipe never leaves a half-done job behind.
    WriteText(stdout, text, "standard output");
    if (options.saveMemory)
        WriteFileAtomically(*options.saveMemory, EncodeUtf16LE(FormatMemoryFile(true)));
    if (options.inPlace) WriteFileAtomically(*options.input, EncodeCalculationFile(text));
    WriteStandard(stderr, FormatDiagnostics(collector.entries), "standard error");
    return succeeded ? 0 : 1;
}

void ReportFatal(const std::string& message) {
    const std::string line = std::string(kProgram) + ": " + message + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef __GLIBC__
    // A document passes through a few large buffers one after another (bytes,
    // text, scratch copy, new text): let each reuse the memory its
    // predecessor freed instead of mapping fresh pages for it.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
#endif
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    try {
        return Run(argc, argv);
    } catch (const FatalError& error) {
        ReportFatal(error.message);
    } catch (const std::bad_alloc&) {
        ReportFatal("out of memory");
    } catch (const std::exception& error) {
        ReportFatal(std::string("internal error: ") + error.what());
    } catch (...) {
        ReportFatal("internal error");
    }
    return 2;
}
