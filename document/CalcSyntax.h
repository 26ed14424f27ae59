// The roles of the pieces of one editor line, for colouring: comments,
// numbers, names, memory references, old results and what cannot parse.
// A line is read with the state the line before left (an open "/*", a cell
// that goes on past its "=" or with brackets open).
#pragma once

#include <QList>
#include <QStringView>
#include <cstdint>

namespace CalcSyntax {

enum class Role : uint8_t {
    Comment,
    Number,
    Keyword,     // a function, or pi, e, rslt, result
    Memory,      // mem[...] or memory[...], the name included
    Result,      // the old result after a cell's last "="
    Unknown,     // a name the language does not know
    Unbalanced,  // a bracket without its partner in the cell
};
inline constexpr int kRoleCount = 7;

struct Span {
    int start;
    int length;
    Role role;
    bool operator==(const Span&) const = default;
};

// The state at a line's end, as a small non-negative number.
inline constexpr int kStartState = 0;

// Reads one line (no line break in it) from `entryState`; fills `spans` (in
// order, not overlapping) when given, and returns the state at its end.
// `lastLine`: the text ends here, so does the cell.
int ReadLine(QStringView line, int entryState, bool lastLine, QList<Span>* spans);
// The same for an editor block, which may hold several lines parted by
// U+2028: each is read as a line, the state running on.
int ReadBlock(QStringView block, int entryState, bool lastBlock, QList<Span>* spans);

// Whether `name` is a function keyword or a named constant.
bool IsKnownName(QStringView name);

}  // namespace CalcSyntax
