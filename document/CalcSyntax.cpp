#include "document/CalcSyntax.h"

#include <QSet>
#include <algorithm>
#include <vector>

#include "engine/Parcer.h"

namespace CalcSyntax {

namespace {

// State bits: an open "/*", the cell's old result running on, the bracket
// depth of the cell going on.
constexpr int kInComment = 1;
constexpr int kInResult = 2;
constexpr int kDepthShift = 2;
constexpr int kMaxDepth = 255;

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool IsNameUnit(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u'\u03C0' ||
           c == u'\u221A';
}
bool IsOpen(QChar c) { return c == u'(' || c == u'[' || c == u'{'; }
bool IsClose(QChar c) { return c == u')' || c == u']' || c == u'}'; }

// A number's extent from i: digits with separators, then maybe an exponent.
int NumberEnd(QStringView line, int i) {
    const int n = static_cast<int>(line.size());
    while (i < n && (IsDigit(line[i]) || line[i] == u'.' || line[i] == u',')) ++i;
    if (i < n && line[i] == u'e') {
        int j = i + 1;
        if (j < n && (line[j] == u'+' || line[j] == u'-')) ++j;
        if (j < n && IsDigit(line[j])) {
            while (j < n && IsDigit(line[j])) ++j;
            i = j;
        }
    }
    return i;
}

// A piece of the line before roles are settled: what the cell pass needs.
struct Token {
    int start;
    int length;
    enum Kind { Comment, Number, Name, Memory, Open, Close, Equals, Separator } kind;
    Role role;  // for Number, Name, Memory, Comment
};

}  // namespace

bool IsKnownName(QStringView name) {
    static const QSet<QString> known = [] {
        QSet<QString> names;
        for (const std::u16string_view keyword : NCalculatorText::FunctionKeywords())
            names.insert(
                QString::fromUtf16(keyword.data(), static_cast<qsizetype>(keyword.size())));
        for (const char* constant : {"pi", "e", "rslt", "result"})
            names.insert(QLatin1String(constant));
        names.insert(QString(QChar(0x03C0)));
        return names;
    }();
    return known.contains(name.toString());
}

int ReadBlock(QStringView block, int entryState, bool lastBlock, QList<Span>* spans) {
    int state = entryState;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = block.indexOf(QChar::LineSeparator, start);
        const bool last = end < 0;
        const QStringView line = block.mid(start, (last ? block.size() : end) - start);
        if (start == 0 && last) return ReadLine(line, state, lastBlock, spans);
        QList<Span> lineSpans;
        state = ReadLine(line, state, lastBlock && last, spans != nullptr ? &lineSpans : nullptr);
        if (spans != nullptr) {
            for (Span span : lineSpans) {
                span.start += static_cast<int>(start);
                spans->append(span);
            }
        }
        if (last) return state;
        start = end + 1;
    }
}

int ReadLine(QStringView line, int entryState, bool lastLine, QList<Span>* spans) {
    const int n = static_cast<int>(line.size());
    bool inComment = (entryState & kInComment) != 0;
    std::vector<Token> tokens;
    int i = 0;
    while (i < n) {
        if (inComment) {
            // "*/" may use the star of its own "/*" ("/*/"): the scan started there.
            const qsizetype close = line.indexOf(u"*/", i);
            const int end = close < 0 ? n : static_cast<int>(close) + 2;
            tokens.push_back({i, end - i, Token::Comment, Role::Comment});
            inComment = close < 0;
            i = end;
            continue;
        }
        const QChar c = line[i];
        if (c == u'/' && i + 1 < n && line[i + 1] == u'/') {
            tokens.push_back({i, n - i, Token::Comment, Role::Comment});
            break;
        }
        if (c == u'/' && i + 1 < n && line[i + 1] == u'*') {
            const qsizetype close = line.indexOf(u"*/", i + 1);
            const int end = close < 0 ? n : static_cast<int>(close) + 2;
            tokens.push_back({i, end - i, Token::Comment, Role::Comment});
            inComment = close < 0;
            i = end;
            continue;
        }
        if (IsDigit(c) || ((c == u'.' || c == u',') && i + 1 < n && IsDigit(line[i + 1]))) {
            const int end = NumberEnd(line, i);
            tokens.push_back({i, end - i, Token::Number, Role::Number});
            i = end;
            continue;
        }
        if (IsNameUnit(c)) {
            int end = i + 1;
            // π and √ stand alone; letters run on, over spaces and tabs too:
            // the calculation drops those before it reads a name ("a sin").
            QString name(c);
            const auto isLetter = [&](int k) {
                return k < n && IsNameUnit(line[k]) && line[k] != u'\u03C0' && line[k] != u'\u221A';
            };
            if (c != u'\u03C0' && c != u'\u221A') {
                for (;;) {
                    while (isLetter(end)) name += line[end++];
                    int k = end;
                    while (k < n && (line[k] == u' ' || line[k] == u'\t')) ++k;
                    if (k == end || !isLetter(k)) break;
                    end = k;
                }
            }
            if (name == u"mem" || name == u"memory") {
                int j = end;
                while (j < n && (line[j] == u' ' || line[j] == u'\t')) ++j;
                if (j < n && IsOpen(line[j])) {
                    // The name runs to the bracket that closes the group.
                    int depth = 0;
                    int k = j;
                    for (; k < n; ++k) {
                        if (IsOpen(line[k])) ++depth;
                        if (IsClose(line[k]) && --depth == 0) break;
                    }
                    const int stop = k < n ? k + 1 : n;
                    tokens.push_back({i, stop - i, Token::Memory, Role::Memory});
                    i = stop;
                    continue;
                }
            }
            tokens.push_back(
                {i, end - i, Token::Name, IsKnownName(name) ? Role::Keyword : Role::Unknown});
            i = end;
            continue;
        }
        if (IsOpen(c))
            tokens.push_back({i, 1, Token::Open, Role::Unbalanced});
        else if (IsClose(c))
            tokens.push_back({i, 1, Token::Close, Role::Unbalanced});
        else if (c == u'=')
            tokens.push_back({i, 1, Token::Equals, Role::Result});
        else if (c == u';')
            tokens.push_back({i, 1, Token::Separator, Role::Result});
        ++i;
    }

    // Cell by cell: the old result follows the last "=", the brackets before
    // it must pair within the cell.
    bool inResult = (entryState & kInResult) != 0;
    int depth = (entryState >> kDepthShift) & kMaxDepth;
    std::vector<int> opens;  // tokens of this line still open
    std::size_t cellFirst = 0;
    QList<Span> out;
    const auto emitCell = [&](std::size_t from, std::size_t to, bool cellEnds) {
        // The last "=" of the piece, if any.
        std::size_t lastEquals = to;
        for (std::size_t t = from; t < to; ++t)
            if (tokens[t].kind == Token::Equals) lastEquals = t;
        const bool hasEquals = lastEquals != to;
        for (std::size_t t = from; t < to; ++t) {
            const Token& token = tokens[t];
            const bool result = (hasEquals && t > lastEquals) || (!hasEquals && inResult);
            if (token.kind == Token::Comment) {
                out.append({token.start, token.length, Role::Comment});
                continue;
            }
            if (result) {
                if (token.kind != Token::Separator)
                    out.append({token.start, token.length, Role::Result});
                continue;
            }
            switch (token.kind) {
                case Token::Open:
                    if (depth < kMaxDepth) ++depth;
                    opens.push_back(static_cast<int>(t));
                    break;
                case Token::Close:
                    if (depth == 0) {
                        out.append({token.start, 1, Role::Unbalanced});
                    } else {
                        --depth;
                        if (!opens.empty()) opens.pop_back();
                    }
                    break;
                case Token::Number:
                case Token::Name:
                case Token::Memory:
                    out.append({token.start, token.length, token.role});
                    break;
                default:
                    break;
            }
        }
        if (hasEquals) inResult = true;
        // The expression ends at the cell's end, or at an "=" on the cell's
        // last line: what is still open then never closes.
        if (cellEnds || (hasEquals && lastLine)) {
            for (const int t : opens) out.append({tokens[t].start, 1, Role::Unbalanced});
        }
        if (cellEnds) {
            opens.clear();
            depth = 0;
            inResult = false;
        }
    };
    for (std::size_t t = 0; t < tokens.size(); ++t) {
        if (tokens[t].kind != Token::Separator) continue;
        emitCell(cellFirst, t, true);
        cellFirst = t + 1;
    }
    emitCell(cellFirst, tokens.size(), lastLine);

    if (spans) {
        std::sort(out.begin(), out.end(),
                  [](const Span& a, const Span& b) { return a.start < b.start; });
        *spans = std::move(out);
    }
    return (inComment ? kInComment : 0) | (inResult ? kInResult : 0) | (depth << kDepthShift);
}

}  // namespace CalcSyntax
