#include "engine/CalculateText.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "engine/Diagnostics.h"
#include "engine/MemoryStore.h"
#include "engine/Nodes.h"
#include "engine/NumberFormat.h"
#include "engine/Parcer.h"
#include "engine/Preferences.h"

namespace NCalculatorText {

namespace {

constexpr std::size_t npos = std::u16string::npos;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

AngleUnit UnitFromPreferences() {
    switch (Preferences.TrigonometricUnits) {
        case 1:
            return Degrees;
        case 2:
            return Grads;
        default:
            return Radians;
    }
}

}  // namespace

namespace {

// 16-bit lanes of a word that equal `unit`: the high bit of each such lane.
uint64_t UnitsEqual(uint64_t word, char16_t unit) {
    constexpr uint64_t kLow15 = 0x7FFF7FFF7FFF7FFFULL;
    const uint64_t x = word ^ (0x0001000100010001ULL * unit);
    return ~(((x & kLow15) + kLow15) | x | kLow15);
}

// s.find(unit, from), four code units at a time.
std::size_t FindUnit(std::u16string_view s, char16_t unit, std::size_t from = 0) {
    const std::size_t n = s.size();
    std::size_t i = from;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 4 <= n; i += 4) {
            uint64_t word;
            std::memcpy(&word, s.data() + i, 8);
            if (const uint64_t hits = UnitsEqual(word, unit); hits != 0)
                return i + static_cast<std::size_t>(std::countr_zero(hits)) / 16;
        }
    }
    for (; i < n; ++i)
        if (s[i] == unit) return i;
    return npos;
}

// s.rfind(unit), four code units at a time.
std::size_t FindLastUnit(std::u16string_view s, char16_t unit) {
    std::size_t i = s.size();
    if constexpr (std::endian::native == std::endian::little) {
        for (; i >= 4; i -= 4) {
            uint64_t word;
            std::memcpy(&word, s.data() + i - 4, 8);
            if (const uint64_t hits = UnitsEqual(word, unit); hits != 0)
                return i - 4 + static_cast<std::size_t>(63 - std::countl_zero(hits)) / 16;
        }
    }
    while (i-- > 0)
        if (s[i] == unit) return i;
    return npos;
}

// A comment, [begin, end) in the text: what the scratch copy blanks.
struct Comment {
    std::size_t begin;
    std::size_t end;
};

// The comments of the text, left to right. False when a "/*" is never
// closed; unclosed is then where it starts.
bool FindComments(std::u16string_view text, std::vector<Comment>& comments, std::size_t& unclosed) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i + 1 < n) {
        const std::size_t slash = FindUnit(text, u'/', i);
        if (slash == npos || slash + 1 >= n) break;
        i = slash;
        if (text[i + 1] != u'/' && text[i + 1] != u'*') {
            ++i;
            continue;
        }
        std::size_t end = 0;
        if (text[i + 1] == u'/') {
            const std::size_t lineFeed = FindUnit(text, u'\n', i);
            end = lineFeed == npos ? n : lineFeed + 1;
        } else {
            // Searched from the "/*" itself, so "/*/" is a whole comment.
            const std::size_t close = text.find(u"*/", i);
            if (close == npos) {
                unclosed = i;
                return false;
            }
            end = close + 2;
        }
        comments.push_back({i, end});
        i = end;
    }
    return true;
}

// The scratch copy of the text (every comment character a space), read a
// cell at a time: no copy of the whole text is ever made.
class ScratchText {
public:
    ScratchText(std::u16string_view text, const std::vector<Comment>& comments)
        : text_(text), comments_(comments) {}

    std::size_t size() const { return text_.size(); }

    // The first ";" of the copy at or after `from`, or npos. Calls come with
    // `from` never decreasing, except FirstSeparatorFrom.
    std::size_t NextSeparator(std::size_t from) {
        while (cursor_ < comments_.size() && comments_[cursor_].end <= from) ++cursor_;
        return Separator(from, cursor_);
    }

    // The same for any `from`.
    std::size_t FirstSeparatorFrom(std::size_t from) const {
        std::size_t k = 0;
        while (k < comments_.size() && comments_[k].end <= from) ++k;
        return Separator(from, k);
    }

    // Whether the copy has ";" at i (NextSeparator's order of calls).
    bool IsSeparator(std::size_t i) {
        if (text_[i] != u';') return false;
        while (cursor_ < comments_.size() && comments_[cursor_].end <= i) ++cursor_;
        return cursor_ >= comments_.size() || comments_[cursor_].begin > i;
    }

    // The copy of [s, e): the text itself when no comment touches it.
    std::u16string_view Cell(std::size_t s, std::size_t e) {
        while (cursor_ < comments_.size() && comments_[cursor_].end <= s) ++cursor_;
        if (cursor_ >= comments_.size() || comments_[cursor_].begin >= e)
            return text_.substr(s, e - s);
        cell_.assign(text_.substr(s, e - s));
        for (std::size_t k = cursor_; k < comments_.size() && comments_[k].begin < e; ++k) {
            const std::size_t from = std::max(comments_[k].begin, s);
            const std::size_t to = std::min(comments_[k].end, e);
            std::fill(cell_.begin() + static_cast<std::ptrdiff_t>(from - s),
                      cell_.begin() + static_cast<std::ptrdiff_t>(to - s), u' ');
        }
        return cell_;
    }

private:
    std::size_t Separator(std::size_t from, std::size_t k) const {
        std::size_t pos = from;
        const std::size_t n = text_.size();
        while (pos < n) {
            if (k < comments_.size() && comments_[k].begin <= pos) {
                pos = comments_[k].end;
                ++k;
                continue;
            }
            const std::size_t limit = k < comments_.size() ? comments_[k].begin : n;
            const std::size_t found = FindUnit(text_.substr(0, limit), u';', pos);
            if (found != npos) return found;
            pos = limit;
        }
        return npos;
    }

    std::u16string_view text_;
    const std::vector<Comment>& comments_;
    std::size_t cursor_ = 0;  // the first comment that may end after the scan point
    std::u16string cell_;
};

}  // namespace

bool BlankComments(std::u16string& copy, std::size_t& unclosed) {
    std::vector<Comment> comments;
    const bool closed = FindComments(copy, comments, unclosed);
    for (const Comment& c : comments) {
        std::fill(copy.begin() + static_cast<std::ptrdiff_t>(c.begin),
                  copy.begin() + static_cast<std::ptrdiff_t>(c.end), u' ');
    }
    return closed;
}

namespace {

// Parses and evaluates one expression; false after an error diagnostic.
// The tree lives in `arena`, which is released once the cell is done.
bool EvaluateExpression(std::u16string_view expression, NodeArena& arena, double& value) {
    CNode root(&arena);
    bool ok = root.ParseText(expression);
    if (!ok) {
        ReportDiagnostic(SyntaxError, 0);
    } else {
        ok = root.children[0]->Evaluate(value);
    }
    arena.Release();
    return ok;
}

// The new text is built in one pass: untouched stretches are copied, each
// calculated cell is rewritten on the way. `copied` is how much of the old
// text has gone into `out`.
class TextRewriter {
public:
    // Growing by doubling would copy a large document several times over:
    // `expected` is the length the new text will most likely have.
    TextRewriter(const std::u16string& text, std::size_t expected) : text_(text) {
        out_.reserve(expected);
    }

    // Copies the old text up to (not including) index `end`.
    void CopyUpTo(std::size_t end) {
        if (end > copied_) out_.append(text_, copied_, end - copied_);
        copied_ = std::max(copied_, end);
    }

    // Keeps the characters of [from, to) that are blank in the copy, whose
    // cell (starting at `start`) is `cell`.
    void KeepBlanks(std::u16string_view cell, std::size_t start, std::size_t from, std::size_t to) {
        for (std::size_t j = from; j < to; ++j) {
            if (IsBlank(cell[j - start])) out_.push_back(text_[j]);
        }
        copied_ = std::max(copied_, to);
    }

    void Append(char16_t c) { out_.push_back(c); }
    void Append(std::u16string_view s) { out_.append(s); }

    // Length of the new text if the rest were copied now.
    std::size_t CurrentLength() const { return out_.size() + (text_.size() - copied_); }
    // How much the text has grown before the current scan point.
    std::ptrdiff_t Shift() const {
        return static_cast<std::ptrdiff_t>(out_.size()) - static_cast<std::ptrdiff_t>(copied_);
    }

    std::u16string Finish() {
        CopyUpTo(text_.size());
        return std::move(out_);
    }

    // Puts the new text in place of `text`, the one read.
    void FinishInto(std::u16string& text, RunControl* control) {
        text = Finish();
        if (control != nullptr) control->rewritten = true;
    }

    // How much of the old text has gone into the new one.
    std::size_t Copied() const { return copied_; }

private:
    const std::u16string& text_;
    std::u16string out_;
    std::size_t copied_ = 0;
};

}  // namespace

bool CalculateText(std::u16string& text, int32_t& position) {
    FailedCell failed;
    return CalculateText(text, position, failed);
}

namespace {

// Notes, for each diagnostic of the cell in progress, where its node stands
// in the cell's expression (-1 when no node was in progress).
// Lives on the stack of one run; never deleted through its base.
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor)
class SourceCollector final : public IDiagnosticObserver {
public:
    struct Span {
        int32_t severity;
        int32_t begin;
        int32_t end;
    };
    void Reported(int32_t severity) override {
        std::size_t begin = 0;
        std::size_t end = 0;
        const CNode* node = engineState.frameNode;
        if (node != nullptr && SourceSpanOf(*node, begin, end))
            spans.push_back({severity, static_cast<int32_t>(begin), static_cast<int32_t>(end)});
        else
            spans.push_back({severity, -1, -1});
    }
    std::vector<Span> spans;
};

// What a run hands back beyond the text and the position.
struct RunReport {
    FailedCell failed;
    std::vector<DiagnosticSource>* sources = nullptr;
    RunControl* control = nullptr;
    bool calculated = false;  // some cell was calculated
};

}  // namespace

namespace {

// Bytes of a word that equal `byte`: the high bit of each such byte, exactly
// (no borrow crosses into the next byte).
uint64_t BytesEqual(uint64_t word, unsigned char byte) {
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const uint64_t x = word ^ (0x0101010101010101ULL * byte);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

}  // namespace

std::size_t CommentScanner::Scan(std::string_view piece) {
    std::size_t cut = 0;
    State state = state_;
    const std::size_t n = piece.size();
    std::size_t i = 0;
    while (i < n) {
        // Outside comments, eight bytes at a time while none is "/".
        if (state == Outside && std::endian::native == std::endian::little) {
            while (i + 8 <= n) {
                uint64_t word;
                std::memcpy(&word, piece.data() + i, 8);
                const uint64_t slashes = BytesEqual(word, '/');
                // The bytes before the first "/", if any.
                const uint64_t before = slashes != 0 ? (slashes & (0 - slashes)) - 1 : ~uint64_t{0};
                if (const uint64_t semicolons = BytesEqual(word, ';') & before; semicolons != 0)
                    cut = i + static_cast<std::size_t>(63 - std::countl_zero(semicolons)) / 8 + 1;
                if (slashes != 0) {
                    i += static_cast<std::size_t>(std::countr_zero(slashes)) / 8;
                    break;
                }
                i += 8;
            }
            if (i >= n) break;
        } else if (state == Line || state == Block) {
            // Inside a comment only its end matters.
            const void* found = std::memchr(piece.data() + i, state == Line ? '\n' : '*', n - i);
            if (found == nullptr) break;
            i = static_cast<std::size_t>(static_cast<const char*>(found) - piece.data());
        }
        const char c = piece[i];
        switch (state) {
            case Slash:
                if (c == '/') {
                    state = Line;
                    break;
                }
                if (c == '*') {
                    // "/*/" is a whole comment: this star may close it.
                    state = BlockStar;
                    break;
                }
                state = Outside;
                [[fallthrough]];
            case Outside:
                if (c == '/') state = Slash;
                if (c == ';') cut = i + 1;
                break;
            case Line:
                if (c == '\n') state = Outside;
                break;
            case Block:
                if (c == '*') state = BlockStar;
                break;
            case BlockStar:
                state = c == '/' ? Outside : c == '*' ? BlockStar : Block;
                break;
        }
        ++i;
    }
    state_ = state;
    return cut;
}

namespace {

bool CalculateCells(std::u16string& text, int32_t& position, RunReport& report);

}  // namespace

bool CalculateText(std::u16string& text, int32_t& position, FailedCell& failed) {
    ResetEngineState(UnitFromPreferences());
    RunReport report;
    const bool ok = CalculateCells(text, position, report);
    failed = report.failed;
    return ok;
}

bool CalculateText(std::u16string& text, int32_t& position, FailedCell& failed,
                   std::vector<DiagnosticSource>& sources) {
    sources.clear();
    ResetEngineState(UnitFromPreferences());
    RunReport report;
    report.sources = &sources;
    const bool ok = CalculateCells(text, position, report);
    failed = report.failed;
    return ok;
}

bool CalculateText(std::u16string& text, int32_t& position, FailedCell& failed,
                   RunControl& control) {
    control.cancelled = false;
    control.rewritten = false;
    ResetEngineState(UnitFromPreferences());
    RunReport report;
    report.control = &control;
    if (control.sources != nullptr) control.sources->clear();
    report.sources = control.sources;
    const bool ok = CalculateCells(text, position, report);
    failed = report.failed;
    return ok;
}

bool CalculateMoreCells(std::u16string& text) {
    int32_t position = -1;
    RunReport report;
    return CalculateCells(text, position, report);
}

namespace {

// Collects the diagnostics of a preview instead of the log.
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor)
class PreviewLog final : public ILogReceiver {
public:
    explicit PreviewLog(CellPreview& preview) : preview_(preview) {}
    void AddMessage(const Diagnostic& record) override {
        preview_.diagnostics.emplace_back(record.description);
        preview_.severities.push_back(record.severity);
    }
    void Clear() override {
        preview_.diagnostics.clear();
        preview_.severities.clear();
    }

private:
    CellPreview& preview_;
};

}  // namespace

CellPreview PreviewCell(std::u16string_view text, int32_t position) {
    CellPreview preview;
    if (position < 0) return preview;
    // Everything a run touches is put back afterwards. The store's cells are
    // swapped out whole, so whoever holds one keeps a valid cell.
    const EngineState savedState = engineState;
    const double savedResult = lastResult;
    MemoryStore& store = MemoryStore::Instance();
    MemoryStore copy = store;
    store.Swap(copy);  // the run works on the copy; `copy` now holds the real cells
    PreviewLog log(preview);
    engineState.logReceiver = &log;
    engineState.observer = nullptr;

    std::u16string scratch(text);
    int32_t caret = position;
    ResetEngineState(UnitFromPreferences());
    RunReport report;
    preview.succeeded = CalculateCells(scratch, caret, report);
    preview.calculated = report.calculated;
    preview.value = lastResult;

    store.Swap(copy);
    lastResult = savedResult;
    engineState = savedState;
    return preview;
}

namespace {

bool CalculateCells(std::u16string& text, int32_t& position, RunReport& report) {
    FailedCell& failed = report.failed;
    RunControl* const control = report.control;
    failed = FailedCell{};
    std::vector<Comment> comments;
    std::size_t unclosed = 0;
    if (!FindComments(text, comments, unclosed)) {
        failed = {static_cast<int32_t>(unclosed), static_cast<int32_t>(text.size())};
        ReportDiagnostic(SyntaxError, 0);
        if (report.sources != nullptr) report.sources->push_back({1, failed.start, failed.end});
        return false;
    }
    // Sources are asked for: the nodes say where each diagnostic came from.
    SourceCollector collector;
    IDiagnosticObserver* const savedObserver = engineState.observer;
    if (report.sources != nullptr) engineState.observer = &collector;
    struct ObserverReset {
        IDiagnosticObserver* saved;
        ~ObserverReset() { engineState.observer = saved; }
    } observerReset{savedObserver};
    // The collected spans of the cell starting at `s`, shifted as the text
    // before it has grown, into the report; an error takes the failing cell.
    const auto flushSources = [&](std::size_t s, std::ptrdiff_t shift) {
        if (report.sources == nullptr) return;
        for (const SourceCollector::Span& span : collector.spans) {
            DiagnosticSource source{span.severity, failed.start, failed.end};
            if (span.severity == 0 && span.begin >= 0) {
                source.start =
                    static_cast<int32_t>(static_cast<std::ptrdiff_t>(s) + span.begin + shift);
                source.end =
                    static_cast<int32_t>(static_cast<std::ptrdiff_t>(s) + span.end + shift);
            }
            report.sources->push_back(source);
        }
        collector.spans.clear();
    };
    ScratchText copy(text, comments);

    const std::size_t n = copy.size();
    const bool allCells = position == -1;
    // All cells: results make a typical text grow by about a half.
    // Results written into every cell can make the text grow by half and more
    // (a cell "1=" becomes "1=1" ... "=0.3000000000000000444"): room reserved
    // and not written costs no memory, a copy to grow would cost the text twice.
    TextRewriter rewriter(text, allCells ? 2 * n + 64 : n + 64);
    bool touched = false;
    std::size_t p = 0;
    NodeArena arena;
    const ResultDigits digits = CurrentResultDigits();
    std::size_t nextReport = 0;

    for (;;) {
        while (p < n && copy.IsSeparator(p)) ++p;
        if (p >= n) break;
        // The text is rewritten only at the end: a cancelled run leaves it.
        if (control != nullptr && (control->progress || control->released) && p >= nextReport) {
            nextReport = p + std::max<std::size_t>(control->stride, 1);
            if (control->released) control->released(rewriter.Copied());
            if (control->progress && !control->progress(p, n)) {
                control->cancelled = true;
                return false;
            }
        }
        const std::size_t s = p;
        std::size_t e = copy.NextSeparator(s);
        if (e == npos) e = n;
        p = e + 1;
        if (!allCells && !(position >= 0 && s <= static_cast<std::size_t>(position) &&
                           static_cast<std::size_t>(position) <= e)) {
            continue;
        }

        // The cut: the result goes after the cell's last "=", or after its
        // last non-blank character when it has none.
        const std::u16string_view cell = copy.Cell(s, e);
        std::size_t q = FindLastUnit(cell, u'=');
        std::size_t r = 0;
        if (q != npos) {
            r = q + 1;
            while (r < cell.size() && IsBlank(cell[r])) ++r;
            if (r >= cell.size()) r = q + 1;
        } else {
            std::size_t last = cell.size();
            while (last > 0 && IsBlank(cell[last - 1])) --last;
            if (last == 0) continue;  // blanks only
            q = last;
            r = q + 1;
        }

        touched = true;
        report.calculated = true;
        rewriter.CopyUpTo(s + q);
        // The expression stands before the cut: this shift holds for all of it.
        const std::ptrdiff_t cellShift = rewriter.Shift();
        double value = 0;
        if (!EvaluateExpression(cell.substr(0, q), arena, value)) {
            // Where the expression stands in the new text, blanks left out
            // (the text before it is copied unchanged, only shifted).
            std::size_t from = 0;
            std::size_t to = q;
            while (from < to && IsBlank(cell[from])) ++from;
            while (to > from && IsBlank(cell[to - 1])) --to;
            const std::ptrdiff_t shift = rewriter.Shift();
            failed = {static_cast<int32_t>(static_cast<std::ptrdiff_t>(s + from) + shift),
                      static_cast<int32_t>(static_cast<std::ptrdiff_t>(s + to) + shift)};
            flushSources(s, cellShift);
            // The failing cell keeps its expression and blanks only.
            rewriter.KeepBlanks(cell, s, s + q, e);
            rewriter.FinishInto(text, control);
            return false;
        }
        flushSources(s, cellShift);
        lastResult = value;

        rewriter.Append(u'=');
        // Blanks between "=" and the old result stay in front of the new one.
        if (r > q + 1) rewriter.KeepBlanks(cell, s, s + q + 1, s + r);
        char16_t result[kFormatCapacity];
        rewriter.Append(std::u16string_view(result, FormatResultTo(value, digits, result)));
        // Without "=", the blank at the cut follows the result.
        if (q < cell.size() && IsBlank(cell[q])) rewriter.Append(text[s + q]);
        rewriter.KeepBlanks(cell, s, s + std::min(std::max(r, q + 1), cell.size()), e);

        if (!allCells) {
            const std::size_t c = static_cast<std::size_t>(position) < n
                                      ? copy.FirstSeparatorFrom(static_cast<std::size_t>(position))
                                      : npos;
            const std::ptrdiff_t shift = rewriter.Shift();
            const std::size_t length = rewriter.CurrentLength();
            rewriter.FinishInto(text, control);
            position = c != npos ? static_cast<int32_t>(static_cast<std::ptrdiff_t>(c) + shift + 1)
                                 : static_cast<int32_t>(length);
            return true;
        }
    }

    if (touched) rewriter.FinishInto(text, control);
    position = static_cast<int32_t>(text.size());
    return true;
}

}  // namespace

}  // namespace NCalculatorText
