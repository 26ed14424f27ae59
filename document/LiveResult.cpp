#include "document/LiveResult.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <string>

#include "document/CCalcView.h"
#include "engine/NumberFormat.h"
#include "toolkit/U16Text.h"

namespace {

// The code units of a line as the comment scanner reads them: only ASCII
// counts for comments and cells, anything else stands as a letter.
void AsciiOf(QStringView text, bool lineBreak, std::string& bytes) {
    bytes.resize(static_cast<std::size_t>(text.size()) + (lineBreak ? 1 : 0));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        bytes[static_cast<std::size_t>(i)] = unit < 0x80 ? static_cast<char>(unit) : 'x';
    }
    if (lineBreak) bytes.back() = '\n';
}

}  // namespace

LiveResult::Window LiveResult::WindowAround(const QTextDocument* document, int position) {
    // Cut after a ";" outside comments on both sides, the engine reads the
    // cells between as it reads them in the whole text. The start is cut
    // before the caret's line, so the caret's cell is whole whichever side
    // of a ";" right before it the caret counts to.
    NCalculatorText::CommentScanner scanner;
    std::string bytes;
    const QTextBlock caretBlock = document->findBlock(position);
    int start = 0;
    int end = -1;
    bool beforeCaret = true;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const bool lineBreak = block.next().isValid();
        if (block == caretBlock) {
            const qsizetype caret = position - block.position();
            AsciiOf(QStringView(text).left(caret), false, bytes);
            scanner.Scan(bytes);
            AsciiOf(QStringView(text).mid(caret), lineBreak, bytes);
            if (const std::size_t cut = scanner.Scan(bytes); cut > 0)
                end = position + static_cast<int>(cut);
            beforeCaret = false;
            continue;
        }
        AsciiOf(text, lineBreak, bytes);
        const std::size_t cut = scanner.Scan(bytes);
        if (cut == 0) continue;
        if (beforeCaret)
            start = block.position() + static_cast<int>(cut);
        else if (end < 0)
            end = block.position() + static_cast<int>(cut);
    }
    // A "/*" left open anywhere makes the whole text one syntax error.
    if (!scanner.Closed()) start = 0, end = -1;
    if (end < 0) end = document->characterCount() - 1;
    QTextCursor range(const_cast<QTextDocument*>(document));
    range.setPosition(start);
    range.setPosition(end, QTextCursor::KeepAnchor);
    QString text = range.selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return {U16FromQString(text), position - start};
}

LiveResult::LiveResult(CCalcView* view) : QObject(view), view_(view) {
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
    // Only the cells around the caret: a whole copy of a large text (three,
    // with the engine's) would cost more memory than the text itself.
    const Window window = WindowAround(view_->document(), view_->textCursor().selectionStart());
    const NCalculatorText::CellPreview preview =
        NCalculatorText::PreviewCell(window.text, window.position);
    text_ = TextOf(preview);
    emit Changed(text_, TipOf(preview));
}
