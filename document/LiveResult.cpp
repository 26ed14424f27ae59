#include "document/LiveResult.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <string>

#include "document/CCalcView.h"
#include "document/SoftLines.h"
#include "engine/NumberFormat.h"
#include "toolkit/U16Text.h"

namespace {

// One past the last ";" of a block in [from, to) outside the "//" comments of
// its lines (a block may hold several, parted by U+2028), or -1. Without any
// "/*" in the text a line's comments are its own.
int LineCellEnd(const QString& block, int from, int to) {
    int lineEnd = static_cast<int>(block.size());
    while (lineEnd > from) {
        const int lineStart =
            static_cast<int>(block.lastIndexOf(QChar::LineSeparator, lineEnd - 1)) + 1;
        const QStringView line = QStringView(block).mid(lineStart, lineEnd - lineStart);
        int end = std::min(to, lineEnd);
        const qsizetype comment = line.indexOf(u"//");
        if (comment >= 0) end = std::min(end, lineStart + static_cast<int>(comment));
        const int begin = std::max(from, lineStart);
        if (end > begin) {
            const qsizetype semicolon =
                QStringView(block).mid(begin, end - begin).lastIndexOf(QLatin1Char(';'));
            if (semicolon >= 0) return begin + static_cast<int>(semicolon) + 1;
        }
        lineEnd = lineStart - 1;
    }
    return -1;
}

// Whether [from, to) of the document, with a character either side, holds "/*".
bool HoldsBlockComment(const QTextDocument* document, int from, int to) {
    from = std::max(0, from - 1);
    to = std::min(document->characterCount() - 1, to + 1);
    // Read a block at a time; a "/*" may stand either side of a break of the
    // editor's own, which is no character.
    QChar before;
    QTextBlock block = document->findBlock(from);
    for (int blockStart = block.position(); block.isValid() && blockStart < to;
         blockStart += block.length(), block = block.next()) {
        const QString text = block.text();
        const int begin = std::max(0, from - blockStart);
        const int end = std::min(static_cast<int>(text.size()), to - blockStart);
        if (end - begin >= 2 && QStringView(text).mid(begin, end - begin).contains(u"/*"))
            return true;
        if (end > begin && before == QLatin1Char('/') && SoftLines::IsSoft(block) && begin == 0 &&
            text[0] == QLatin1Char('*'))
            return true;
        before = end > begin && end == text.size() ? text[end - 1] : QChar();
    }
    return false;
}

// [start, end) of the document with LF breaks, and `position` in it.
LiveResult::Window Cut(const QTextDocument* document, int start, int end, int position) {
    const QString text = SoftLines::TextBetween(document, start, end);
    const auto offset = static_cast<int>(SoftLines::TextBetween(document, start, position).size());
    return {U16FromQString(text), offset};
}

}  // namespace

LiveResult::Window LiveResult::WindowAround(const QTextDocument* document, int position,
                                            bool blockComments) {
    if (!blockComments) return WindowAroundLines(document, position);
    return WindowFromCellEnds(document, ReadCellEnds(document), position);
}

LiveResult::CellEnds LiveResult::ReadCellEnds(const QTextDocument* document) {
    // One scan of the whole text, a line at a time: comments run on from
    // line to line. Only ASCII counts for comments and cells: anything else
    // stands as a letter.
    CellEnds ends;
    ends.lastCut.reserve(static_cast<std::size_t>(document->blockCount()));
    NCalculatorText::CommentScanner scanner;
    std::string bytes;
    int blockStart = 0;
    for (QTextBlock block = document->begin(); block.isValid();
         blockStart += block.length(), block = block.next()) {
        const QString text = block.text();
        bytes.resize(static_cast<std::size_t>(text.size()));
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t unit = text[i].unicode();
            bytes[static_cast<std::size_t>(i)] = unit < 0x80      ? static_cast<char>(unit)
                                                 : unit == 0x2028 ? '\n'
                                                                  : 'x';
        }
        if (block.next().isValid() && !SoftLines::IsSoft(block.next())) bytes.push_back('\n');
        const std::size_t cut = scanner.Scan(bytes);
        ends.lastCut.push_back(cut > 0 ? blockStart + static_cast<int>(cut) : -1);
    }
    ends.closed = scanner.Closed();
    return ends;
}

// Cut after a ";" outside comments on both sides, the engine reads the cells
// between as it reads them in the whole text. The start is cut before the
// caret's line, so the caret's cell is whole whichever side of a ";" right
// before it the caret counts to; the end is the last ";" of the caret's line
// after it, or the last of the first line further on that has one.
LiveResult::Window LiveResult::WindowFromCellEnds(const QTextDocument* document,
                                                  const CellEnds& ends, int position) {
    const int last = document->characterCount() - 1;
    // A "/*" left open anywhere makes the whole text one syntax error.
    if (!ends.closed) return Cut(document, 0, last, position);
    const auto line = static_cast<std::size_t>(document->findBlock(position).blockNumber());
    int start = 0;
    for (std::size_t k = line; k-- > 0;) {
        if (ends.lastCut[k] >= 0) {
            start = ends.lastCut[k];
            break;
        }
    }
    int end = ends.lastCut[line] > position ? ends.lastCut[line] : -1;
    for (std::size_t k = line + 1; end < 0 && k < ends.lastCut.size(); ++k) end = ends.lastCut[k];
    if (end < 0) end = last;
    return Cut(document, start, end, position);
}

// With no "/*" in the text the cells around the caret are found from its
// line outwards, without reading the text before them.
// A line the editor holds in parts is read whole: a "//" in one part goes
// on in the next.
LiveResult::Window LiveResult::WindowAroundLines(const QTextDocument* document, int position) {
    using SoftLines::LineEnd;
    using SoftLines::LineStart;
    using SoftLines::PositionInLine;
    const int last = document->characterCount() - 1;
    const QTextBlock caretLine = LineStart(document->findBlock(position));
    const auto cutOf = [](const QTextBlock& first, int from) {
        const QString line = SoftLines::LineText(first);
        const int cut = LineCellEnd(line, from, static_cast<int>(line.size()));
        return cut >= 0 ? PositionInLine(first, cut) : -1;
    };
    int start = 0;
    for (QTextBlock block = caretLine.previous(); block.isValid();
         block = LineStart(block).previous()) {
        const int cut = cutOf(LineStart(block), 0);
        if (cut >= 0) {
            start = cut;
            break;
        }
    }
    int end = cutOf(
        caretLine,
        static_cast<int>(SoftLines::TextBetween(document, caretLine.position(), position).size()));
    for (QTextBlock block = LineEnd(caretLine).next(); end < 0 && block.isValid();
         block = LineEnd(block).next())
        end = cutOf(block, 0);
    if (end < 0) end = last;
    return Cut(document, start, end, position);
}

LiveResult::LiveResult(CCalcView* view) : QObject(view), view_(view) {
    // Whether the text may hold a "/*", followed through every change: a new
    // one takes in the changed text or a character beside it.
    connect(view_, &CCalcView::ContentsChange, this,
            [this](int position, int /*removed*/, int added) {
                ++edits_;
                const QTextDocument* document = view_->document();
                if (document->characterCount() <= 1)
                    comments_ = Comments::None;
                else if (comments_ != Comments::None)
                    return;
                else if (added > kWholeTextUnits / 16)  // a text going in: looked at when needed
                    comments_ = Comments::Unknown;
                else if (HoldsBlockComment(document, position, position + added))
                    comments_ = Comments::Some;
            });
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &LiveResult::Update);
    const auto later = [this] {
        if (enabled_) timer_.start();
    };
    connect(view_, &QPlainTextEdit::textChanged, this, later);
    connect(view_, &QPlainTextEdit::cursorPositionChanged, this, later);
}

void LiveResult::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled) {
        Update();
    } else {
        timer_.stop();
        text_.clear();
        emit Changed(QString(), QString());
    }
}

QString LiveResult::TextOf(const NCalculatorText::CellPreview& preview) {
    if (!preview.calculated && preview.succeeded) return QString();
    if (preview.succeeded)
        return QStringLiteral("= ") + QStringFromU16(NCalculatorText::FormatResult(preview.value));
    // A run stops at its one error, the last diagnostic.
    for (std::size_t i = preview.diagnostics.size(); i-- > 0;)
        if (preview.severities[i] == 1) return QStringFromU16(preview.diagnostics[i]);
    return preview.diagnostics.empty() ? QString() : QStringFromU16(preview.diagnostics.front());
}

QString LiveResult::TipOf(const NCalculatorText::CellPreview& preview) {
    QStringList lines;
    for (const std::u16string& line : preview.diagnostics) lines.append(QStringFromU16(line));
    return lines.join(QLatin1Char('\n'));
}

void LiveResult::Update() {
    timer_.stop();
    if (!enabled_) return;
    // A large text gives only the cells around the caret: a whole copy of it
    // (three, with the engine's) would cost more memory than the text itself.
    // A smaller one is copied, which is quicker than finding the cells.
    const QTextDocument* document = view_->document();
    const int position = view_->textCursor().selectionStart();
    NCalculatorText::CellPreview preview;
    if (document->characterCount() > kWholeTextUnits) {
        if (comments_ == Comments::Unknown)
            comments_ = HoldsBlockComment(document, 0, document->characterCount() - 1)
                            ? Comments::Some
                            : Comments::None;
        Window window;
        if (comments_ == Comments::None) {
            window = WindowAroundLines(document, position);
        } else {
            // Read once per change of the text: moving the caret reads nothing again.
            if (cellEndsEdits_ != edits_ || !cellEnds_) {
                cellEnds_ = std::make_unique<CellEnds>(ReadCellEnds(document));
                cellEndsEdits_ = edits_;
            }
            window = WindowFromCellEnds(document, *cellEnds_, position);
        }
        preview = NCalculatorText::PreviewCell(window.text, window.position);
    } else {
        preview = NCalculatorText::PreviewCell(view_->EditorTextU16(), position);
    }
    text_ = TextOf(preview);
    emit Changed(text_, TipOf(preview));
}
