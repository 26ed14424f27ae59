#include "document/LiveResult.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <string>

#include "document/CCalcView.h"
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
    QTextBlock block = document->findBlock(from);
    for (int blockStart = block.position(); block.isValid() && blockStart < to;
         blockStart += block.length(), block = block.next()) {
        const QString text = block.text();
        const int begin = std::max(0, from - blockStart);
        const int end = std::min(static_cast<int>(text.size()), to - blockStart);
        if (end - begin >= 2 && QStringView(text).mid(begin, end - begin).contains(u"/*"))
            return true;
    }
    return false;
}

// [start, end) of the document with LF breaks, and `position` in it.
LiveResult::Window Cut(const QTextDocument* document, int start, int end, int position) {
    QTextCursor range(const_cast<QTextDocument*>(document));
    range.setPosition(start);
    range.setPosition(end, QTextCursor::KeepAnchor);
    QString text = range.selectedText();
    CCalcView::ToLineFeeds(text);
    return {U16FromQString(text), position - start};
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
        if (block.next().isValid()) bytes.push_back('\n');
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
LiveResult::Window LiveResult::WindowAroundLines(const QTextDocument* document, int position) {
    const int last = document->characterCount() - 1;
    const QTextBlock caretBlock = document->findBlock(position);
    int start = 0;
    for (QTextBlock block = caretBlock.previous(); block.isValid(); block = block.previous()) {
        const QString line = block.text();
        const int cut = LineCellEnd(line, 0, static_cast<int>(line.size()));
        if (cut >= 0) {
            start = block.position() + cut;
            break;
        }
    }
    int end = -1;
    {
        const QString line = caretBlock.text();
        const int cut =
            LineCellEnd(line, position - caretBlock.position(), static_cast<int>(line.size()));
        if (cut >= 0) end = caretBlock.position() + cut;
    }
    for (QTextBlock block = caretBlock.next(); end < 0 && block.isValid(); block = block.next()) {
        const QString line = block.text();
        const int cut = LineCellEnd(line, 0, static_cast<int>(line.size()));
        if (cut >= 0) end = block.position() + cut;
    }
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
