// The cell calculation driver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace NCalculatorText {

// Calculates the cell containing `position`, or every cell when it is -1.
// Rewrites `text`; on success also `position` (the new caret).
bool CalculateText(std::u16string& text, int32_t& position);

// Where a failed run stopped, in the rewritten text: the failing cell's
// expression without its surrounding blanks, or an unclosed comment from its
// "/*" to the end. Both -1 after a successful run.
struct FailedCell {
    int32_t start = -1;
    int32_t end = -1;
};

// As above, and tells where a failed run stopped.
bool CalculateText(std::u16string& text, int32_t& position, FailedCell& failed);

// A run that reports how far it has come and may be called off. `progress`
// is asked between cells, about every `stride` code units, with the code
// units done and the text's length; a false answer cancels the run: the text
// and the position stay as they were (memory and the last result keep what
// the cells before wrote), the answer is false and `cancelled` is set.
struct DiagnosticSource;

struct RunControl {
    std::function<bool(std::size_t done, std::size_t total)> progress;
    std::size_t stride = 65536;
    bool cancelled = false;
    // When set, receives the source of every diagnostic, as below.
    std::vector<DiagnosticSource>* sources = nullptr;
    // When set, told between cells (as `progress` is asked) that the text
    // before `upTo` is in the new text and will not be read again: a caller
    // may give that memory back. The text is then to be read after the run
    // only when `rewritten`; a run that rewrites nothing releases nothing.
    std::function<void(std::size_t upTo)> released;
    // Whether the run put a new text in place of the one it read.
    bool rewritten = false;
};

// CalculateText under a run control.
bool CalculateText(std::u16string& text, int32_t& position, FailedCell& failed,
                   RunControl& control);

// Where a diagnostic of a run came from, in the rewritten text: for a
// warning the expression that raised it (the memory reference, the
// operation or function), for an error the failing cell as FailedCell has it.
struct DiagnosticSource {
    int32_t severity = 0;
    int32_t start = -1;
    int32_t end = -1;
};

// As above, and lists the source of every diagnostic, in the order reported.
bool CalculateText(std::u16string& text, int32_t& position, FailedCell& failed,
                   std::vector<DiagnosticSource>& sources);

// What calculating the cell at `position` would give, worked out without any
// lasting effect: the memory store (stores go to a copy), the last result,
// the engine state and the log receiver are as they were.
struct CellPreview {
    bool calculated = false;  // some cell with an expression holds the position
    bool succeeded = false;
    double value = 0;
    // Every diagnostic the calculation reported, in order.
    std::vector<std::u16string> diagnostics;
    std::vector<int32_t> severities;
};
CellPreview PreviewCell(std::u16string_view text, int32_t position);

// Calculates every cell of `text`, which holds the next whole cells of a
// longer text: memory, last result and diagnostics go on from the previous
// call instead of starting afresh. A caller that cuts a large text only after
// a ";" outside comments (see CommentScanner), and has made sure that every
// "/*" of the whole text is closed, gets the same pieces of text and the same
// diagnostics as one run over the whole. Stops at the first failing cell.
bool CalculateMoreCells(std::u16string& text);

// Follows the comments of a text that arrives piece by piece, as UTF-8 bytes
// (only ASCII characters mark comments and cells, and no byte of a longer
// UTF-8 sequence is ASCII) with the same rules as the driver.
class CommentScanner {
public:
    // Scans the next piece; returns one past the last ";" of it outside
    // comments, or 0 when it has none.
    std::size_t Scan(std::string_view piece);
    // Whether everything scanned so far leaves no "/*" open.
    bool Closed() const { return state_ != Block && state_ != BlockStar; }

private:
    enum State { Outside, Slash, Line, Block, BlockStar };
    State state_ = Outside;
};

// The driver's first step on its scratch copy: every comment character
// becomes a space. False when a "/*" is never closed; `unclosed` is then
// where it starts.
bool BlankComments(std::u16string& copy, std::size_t& unclosed);

}  // namespace NCalculatorText
