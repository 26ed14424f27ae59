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

// Scans [at, to) of the document a piece at a time; returns one past the
// last ";" outside comments in it, or -1. With `first`, stops after the
// first piece that has one. `at` ends where the scan stopped. Only ASCII
// counts for comments and cells: anything else stands as a letter, a line
// break as LF.
int ScanRange(const QTextDocument* document, NCalculatorText::CommentScanner& scanner, int& at,
              int to, bool first) {
    constexpr int kPiece = 1 << 16;
    QTextCursor range(const_cast<QTextDocument*>(document));
    std::string bytes;
    int found = -1;
    while (at < to) {
        const int end = std::min(to, at + kPiece);
        range.setPosition(at);
        range.setPosition(end, QTextCursor::KeepAnchor);
        const QString text = range.selectedText();
        bytes.resize(static_cast<std::size_t>(text.size()));
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t unit = text[i].unicode();
            bytes[static_cast<std::size_t>(i)] = unit < 0x80                         ? char(unit)
                                                 : unit == QChar::ParagraphSeparator ? '\n'
                                                                                     : 'x';
        }
        const std::size_t cut = scanner.Scan(bytes);
        if (cut > 0) found = at + static_cast<int>(cut);
        at = end;
        if (first && found >= 0) break;
    }
    return found;
}

// One past the last ";" of a line in [from, to) outside its "//" comment,
// or -1. Without any "/*" in the text a line's comments are its own.
int LineCellEnd(const QString& line, int from, int to) {
    const qsizetype comment = line.indexOf(u"//");
    if (comment >= 0) to = std::min(to, static_cast<int>(comment));
    if (to <= from) return -1;
    const qsizetype semicolon = line.lastIndexOf(QLatin1Char(';'), to - 1);
    return semicolon >= from ? static_cast<int>(semicolon) + 1 : -1;
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
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return {U16FromQString(text), position - start};
}

}  // namespace

LiveResult::Window LiveResult::WindowAround(const QTextDocument* document, int position,
                                            bool blockComments) {
    if (!blockComments) return WindowAroundLines(document, position);
    // Cut after a ";" outside comments on both sides, the engine reads the
    // cells between as it reads them in the whole text. The start is cut
    // before the caret's line, so the caret's cell is whole whichever side
    // of a ";" right before it the caret counts to; the end is the last ";"
    // of the caret's line after it, or the first further on.
    NCalculatorText::CommentScanner scanner;
    const int last = document->characterCount() - 1;
    const QTextBlock caretBlock = document->findBlock(position);
    const int lineStart = caretBlock.position();
    const int lineEnd = std::min(last, lineStart + caretBlock.length());
    int at = 0;
    int start = std::max(0, ScanRange(document, scanner, at, lineStart, false));
    ScanRange(document, scanner, at, position, false);
    int end = ScanRange(document, scanner, at, lineEnd, false);
    if (end < 0) end = ScanRange(document, scanner, at, last, true);
    ScanRange(document, scanner, at, last, false);  // the rest, for a "/*" left open
    // A "/*" left open anywhere makes the whole text one syntax error.
    if (!scanner.Closed()) start = 0, end = -1;
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
    connect(view_->document(), &QTextDocument::contentsChange, this,
            [this](int position, int /*removed*/, int added) {
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
        const Window window = WindowAround(document, position, comments_ != Comments::None);
        preview = NCalculatorText::PreviewCell(window.text, window.position);
    } else {
        preview = NCalculatorText::PreviewCell(U16FromQString(view_->EditorText()), position);
    }
    text_ = TextOf(preview);
    emit Changed(text_, TipOf(preview));
}
