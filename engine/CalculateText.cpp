#include "engine/CalculateText.h"

#include <algorithm>
#include <string_view>

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

bool BlankComments(std::u16string& copy, std::size_t& unclosed) {
    const std::size_t n = copy.size();
    std::size_t i = 0;
    while (i + 1 < n) {
        if (copy[i] != u'/' || (copy[i + 1] != u'/' && copy[i + 1] != u'*')) {
            ++i;
            continue;
        }
        std::size_t end = 0;
        if (copy[i + 1] == u'/') {
            const std::size_t lineFeed = copy.find(u'\n', i);
            end = lineFeed == npos ? n : lineFeed + 1;
        } else {
            // Searched from the "/*" itself, so "/*/" is a whole comment.
            const std::size_t close = copy.find(u"*/", i);
            if (close == npos) {
                unclosed = i;
                return false;
            }
            end = close + 2;
        }
        std::fill(copy.begin() + static_cast<std::ptrdiff_t>(i),
                  copy.begin() + static_cast<std::ptrdiff_t>(end), u' ');
        i = end;
    }
    return true;
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
    TextRewriter(const std::u16string& text, const std::u16string& copy, std::size_t expected)
        : text_(text), copy_(copy) {
        out_.reserve(expected);
    }

    // Copies the old text up to (not including) index `end`.
    void CopyUpTo(std::size_t end) {
        if (end > copied_) out_.append(text_, copied_, end - copied_);
        copied_ = std::max(copied_, end);
    }

    // Keeps the characters of [from, to) that are blank in the copy.
    void KeepBlanks(std::size_t from, std::size_t to) {
        for (std::size_t j = from; j < to; ++j) {
            if (IsBlank(copy_[j])) out_.push_back(text_[j]);
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

private:
    const std::u16string& text_;
    const std::u16string& copy_;
    std::u16string out_;
    std::size_t copied_ = 0;
};

}  // namespace

bool CalculateText(std::u16string& text, int32_t& position) {
    FailedCell failed;
    return CalculateText(text, position, failed);
}

bool CalculateText(std::u16string& text, int32_t& position, FailedCell& failed) {
    failed = FailedCell{};
    std::u16string copy = text;
    ResetEngineState(UnitFromPreferences());
    std::size_t unclosed = 0;
    if (!BlankComments(copy, unclosed)) {
        failed = {static_cast<int32_t>(unclosed), static_cast<int32_t>(text.size())};
        ReportDiagnostic(SyntaxError, 0);
        return false;
    }

    const std::size_t n = copy.size();
    const bool allCells = position == -1;
    // All cells: results make a typical text grow by about a half.
    TextRewriter rewriter(text, copy, allCells ? n + n / 2 + 64 : n + 64);
    bool touched = false;
    std::size_t p = 0;
    NodeArena arena;

    for (;;) {
        while (p < n && copy[p] == u';') ++p;
        if (p >= n) break;
        const std::size_t s = p;
        std::size_t e = copy.find(u';', s);
        if (e == npos) e = n;
        p = e + 1;
        if (!allCells && !(position >= 0 && s <= static_cast<std::size_t>(position) &&
                           static_cast<std::size_t>(position) <= e)) {
            continue;
        }

        // The cut: the result goes after the cell's last "=", or after its
        // last non-blank character when it has none.
        const std::u16string_view cell(copy.data() + s, e - s);
        std::size_t q = cell.rfind(u'=');
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
        rewriter.CopyUpTo(s + q);
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
            // The failing cell keeps its expression and blanks only.
            rewriter.KeepBlanks(s + q, e);
            text = rewriter.Finish();
            return false;
        }
        lastResult = value;

        rewriter.Append(u'=');
        // Blanks between "=" and the old result stay in front of the new one.
        if (r > q + 1) rewriter.KeepBlanks(s + q + 1, s + r);
        char16_t result[kFormatCapacity];
        rewriter.Append(std::u16string_view(result, FormatGeneralTo(value, 19, result)));
        // Without "=", the blank at the cut follows the result.
        if (q < cell.size() && IsBlank(cell[q])) rewriter.Append(text[s + q]);
        rewriter.KeepBlanks(s + std::min(std::max(r, q + 1), cell.size()), e);

        if (!allCells) {
            const std::size_t c = static_cast<std::size_t>(position) < n
                                      ? copy.find(u';', static_cast<std::size_t>(position))
                                      : npos;
            const std::ptrdiff_t shift = rewriter.Shift();
            const std::size_t length = rewriter.CurrentLength();
            text = rewriter.Finish();
            position = c != npos ? static_cast<int32_t>(static_cast<std::ptrdiff_t>(c) + shift + 1)
                                 : static_cast<int32_t>(length);
            return true;
        }
    }

    if (touched) text = rewriter.Finish();
    position = static_cast<int32_t>(text.size());
    return true;
}

}  // namespace NCalculatorText
