// A line too long for one layout block is held in several: Qt lays a block
// out whole after every edit, some 40 ns a character, so one block of a
// megabyte costs three frames a keystroke. The breaks between such blocks are
// the editor's own: they are not in the text, and every position that goes
// to or comes from the text skips them. The blocks either side of one carry a
// mark in their block formats, which the document's undo history keeps.
//
// Both sides are marked because Qt, joining blocks, keeps the first block's
// format when the deletion starts inside it and the last one's when it
// starts at a block's start: either way one side of the joined block keeps
// a wrong mark, and its untouched neighbour tells which (RepairMarks).
#pragma once

#include <QString>
#include <QStringView>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextFormat>

class QTextCursor;
class QTextDocument;

namespace SoftLines {

// A block longer than this is parted, into pieces of about kChunk.
inline constexpr int kSplitAt = 16384;
inline constexpr int kChunk = 4096;
// A parted line this short again goes back into one block.
inline constexpr int kJoinBelow = 8192;

inline constexpr int kSoftProperty = QTextFormat::UserProperty + 0x5B;       // the break before
inline constexpr int kSoftAfterProperty = QTextFormat::UserProperty + 0x5C;  // the break after

// Whether the break before `block` is the editor's own.
inline bool IsSoft(const QTextBlock& block) {
    return block.isValid() && block.blockFormat().boolProperty(kSoftProperty);
}
inline bool IsSoftAfter(const QTextBlock& block) {
    return block.isValid() && block.blockFormat().boolProperty(kSoftAfterProperty);
}
// Whether `block` is one of the blocks of a parted line.
inline bool InPartedLine(const QTextBlock& block) { return IsSoft(block) || IsSoft(block.next()); }
// What a block gets after a break of the text's (false) or one of the editor's.
QTextBlockFormat FormatAfter(QTextBlockFormat format, bool soft);
// Whether the marks of the blocks from the one holding `from` to the one
// holding `to` agree with their neighbours'.
bool MarksAgree(const QTextDocument* document, int from, int to);
// Mends them after a change of [from, to]: the first block's mark before it
// from the block before, each later block's mark before it stands, and the
// last block's mark after it from the block after.
void RepairMarks(QTextDocument* document, int from, int to);

// The first and the last block of the line that holds `block`.
QTextBlock LineStart(QTextBlock block);
QTextBlock LineEnd(QTextBlock block);
// The text of the line that holds `block`.
QString LineText(const QTextBlock& block);

// The document position of `offset` code units into the line that starts
// with `first` (at a part's end rather than the next part's start).
int PositionInLine(const QTextBlock& first, qsizetype offset);

// Turns the editor's line breaks in a copy of its text (U+2029 between
// blocks, U+2028 within one) into LF.
void ToLineFeeds(QString& text);

// The block's text and, when a line break of the text follows it, an LF;
// U+2028 within the block as LF.
QString TextWithBreak(const QTextBlock& block);
// [from, to) of the document as the text has it: line breaks as LF, the
// editor's own breaks left out.
QString TextBetween(const QTextDocument* document, int from, int to);

// Where to part a piece of `at` code units off the start of `text` (at < its
// size): after a ";" or a space in the last 256 units before it if there is
// one, never inside a surrogate pair, "->", "//", "/*" or "*/".
int PartingPoint(QStringView text, int at);

// Inserts `text` (LF breaks) at the cursor: its breaks are the text's, however
// the block it goes into is marked. Not parted: see CCalcView::InsertPlainText.
void InsertWithBreaks(QTextCursor& cursor, QStringView text);

}  // namespace SoftLines
