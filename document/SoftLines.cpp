#include "document/SoftLines.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace SoftLines {

QTextBlockFormat FormatAfter(QTextBlockFormat format, bool soft) {
    if (soft)
        format.setProperty(kSoftProperty, true);
    else
        format.clearProperty(kSoftProperty);
    return format;
}

namespace {

// The marks the blocks from `from` to `to` should have, by the rule above;
// `apply` hears each block whose marks differ.
template <typename Apply>
void WantedMarks(const QTextDocument* document, int from, int to, Apply apply) {
    QTextBlock first = document->findBlock(from);
    if (!first.isValid()) first = document->lastBlock();
    QTextBlock last = document->findBlock(std::max(from, to));
    if (!last.isValid()) last = document->lastBlock();
    for (QTextBlock block = first;; block = block.next()) {
        const bool before = block == first ? IsSoftAfter(block.previous()) : IsSoft(block);
        const bool after = IsSoft(block.next());
        if (before != IsSoft(block) || after != IsSoftAfter(block)) apply(block, before, after);
        if (block == last || !block.next().isValid()) break;
    }
}

}  // namespace

bool MarksAgree(const QTextDocument* document, int from, int to) {
    bool agree = true;
    WantedMarks(document, from, to, [&agree](const QTextBlock&, bool, bool) { agree = false; });
    return agree;
}

void RepairMarks(QTextDocument* document, int from, int to) {
    QTextCursor edit(document);
    WantedMarks(document, from, to, [&edit](const QTextBlock& block, bool before, bool after) {
        QTextBlockFormat format = FormatAfter(block.blockFormat(), before);
        if (after)
            format.setProperty(kSoftAfterProperty, true);
        else
            format.clearProperty(kSoftAfterProperty);
        edit.setPosition(block.position());
        edit.setBlockFormat(format);
    });
}

QTextBlock LineStart(QTextBlock block) {
    while (IsSoft(block)) block = block.previous();
    return block;
}

QTextBlock LineEnd(QTextBlock block) {
    while (IsSoft(block.next())) block = block.next();
    return block;
}

QString LineText(const QTextBlock& block) {
    const QTextBlock first = LineStart(block);
    QString text = first.text();
    for (QTextBlock next = first.next(); IsSoft(next); next = next.next()) text += next.text();
    return text;
}

void ToLineFeeds(QString& text) {
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
}

QString TextWithBreak(const QTextBlock& block) {
    QString text = block.text();
    ToLineFeeds(text);
    const QTextBlock next = block.next();
    if (next.isValid() && !IsSoft(next)) text += QLatin1Char('\n');
    return text;
}

QString TextBetween(const QTextDocument* document, int from, int to) {
    QString text;
    if (to <= from) return text;
    for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const int start = block.position();
        const QString line = block.text();
        const int begin = std::max(0, from - start);
        const int end = std::min<int>(static_cast<int>(line.size()), to - start);
        if (end > begin) text += QStringView(line).mid(begin, end - begin);
        // The block's break, when the range goes over it.
        if (to > start + line.size() && block.next().isValid() && !IsSoft(block.next()))
            text += QLatin1Char('\n');
    }
    ToLineFeeds(text);
    return text;
}

namespace {

// Pairs read as one: a surrogate pair, "->", "//", "/*", "*/".
bool Joined(QChar before, QChar after) {
    if (before.isHighSurrogate()) return true;
    const auto is = [](QChar c, char16_t unit) { return c.unicode() == unit; };
    return (is(before, u'-') && is(after, u'>')) || (is(before, u'/') && is(after, u'/')) ||
           (is(before, u'/') && is(after, u'*')) || (is(before, u'*') && is(after, u'/'));
}

}  // namespace

int PartingPoint(QStringView text, int at) {
    const int earliest = std::max(1, at - 256);
    for (int k = at; k >= earliest; --k) {
        const QChar c = text[k - 1];
        if (c == QLatin1Char(';') || c == QLatin1Char(' ')) return k;
    }
    int k = at;
    while (k > 1 && Joined(text[k - 1], text[k])) --k;
    return k;
}

int PositionInLine(const QTextBlock& first, qsizetype offset) {
    QTextBlock block = first;
    while (offset > block.length() - 1 && IsSoft(block.next())) {
        offset -= block.length() - 1;
        block = block.next();
    }
    return block.position() + static_cast<int>(std::min<qsizetype>(offset, block.length() - 1));
}

void InsertWithBreaks(QTextCursor& cursor, QStringView text) {
    qsizetype start = 0;
    while (true) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        const QStringView line = text.mid(start, (end < 0 ? text.size() : end) - start);
        if (!line.isEmpty()) cursor.insertText(line.toString());
        if (end < 0) return;
        // Qt gives the new block the format of the one it parts, mark and all.
        cursor.insertBlock(FormatAfter(cursor.blockFormat(), false), cursor.charFormat());
        start = end + 1;
    }
}

}  // namespace SoftLines
