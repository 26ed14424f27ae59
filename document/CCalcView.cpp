#include "document/CCalcView.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QFontMetricsF>
#include <QHash>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QScopedValueRollback>
#include <QSettings>
#include <QTextBlock>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>
#include <vector>

#include "document/CCalcFontDialog.h"
#include "document/DocumentFiles.h"
#include "document/EditorMarks.h"
#include "document/PrintSettings.h"
#include "document/SoftLines.h"
#include "toolkit/U16Text.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

bool HasLocalFiles(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return false;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return true;
    return false;
}

// Longer lines wrap anywhere. Qt's word-boundary wrapping looks ahead to the
// next break opportunity for every screen line, and a calculation gives few:
// "1+1;1+1;..." or a column of numbers joined by "+" has none at all, which
// makes the layout of one long line quadratic (a minute for a megabyte).
constexpr int kLongLine = 8192;

// The longest line of a piece of a text, `sofar` units of its first line
// having come before it; `sofar` becomes the length of its last line.
qsizetype LongestLine(QStringView piece, qsizetype& sofar) {
    qsizetype longest = 0;
    qsizetype start = 0;
    while (start <= piece.size()) {
        const qsizetype end = piece.indexOf(QLatin1Char('\n'), start);
        if (end < 0) {
            sofar += piece.size() - start;
            return std::max(longest, sofar);
        }
        longest = std::max(longest, sofar + end - start);
        sofar = 0;
        start = end + 1;
    }
    return longest;
}

// Whether some line of the text is longer than `most`.
bool HasLineLongerThan(QStringView text, qsizetype most) {
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0) end = text.size();
        if (end - start > most) return true;
        start = end + 1;
    }
    return false;
}

// Qt's line breaking allows a break after any "-", so a long line could wrap
// inside "->", the store operator, and show "1/3-" over ">mem[x]". A block
// laid out with such a break is laid out again with the "-" moved to the
// next line, and when what follows is longer than a line, that line breaks
// anywhere after the arrow. Long lines wrap anywhere and are left alone:
// there a break inside a number is no better.
class ArrowKeepingLayout : public QPlainTextDocumentLayout {
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

    QRectF blockBoundingRect(const QTextBlock& block) const override {
        const QRectF rect = QPlainTextDocumentLayout::blockBoundingRect(block);
        if (!const_cast<ArrowKeepingLayout*>(this)->KeepArrowsWhole(block)) return rect;
        return QPlainTextDocumentLayout::blockBoundingRect(block);
    }

private:
    QHash<int, std::pair<int, qreal>> unhelped_;

    static bool SplitsArrow(const QString& text, int end) {
        return end > 0 && end < text.size() && text[end - 1] == QLatin1Char('-') &&
               text[end] == QLatin1Char('>');
    }

    bool KeepArrowsWhole(const QTextBlock& block) {
        QTextLayout* layout = block.layout();
        if (!layout || layout->lineCount() < 2 || block.length() - 1 > kLongLine ||
            SoftLines::InPartedLine(block))
            return false;
        const QString text = block.text();
        bool split = false;
        for (int i = 0; i + 1 < layout->lineCount() && !split; ++i) {
            const QTextLine line = layout->lineAt(i);
            split = SplitsArrow(text, line.textStart() + line.textLength());
        }
        if (!split) return false;
        // A block that cannot be helped is not tried again until it changes.
        const qreal lineWidth = layout->lineAt(0).width();
        const auto tried = unhelped_.constFind(block.blockNumber());
        if (tried != unhelped_.constEnd() && tried->first == block.revision() &&
            tried->second == lineWidth)
            return false;
        // As the plain-text layout lays a block out, each line that would end
        // in the "-" of an arrow ending before it. When that still leaves an
        // arrow split, the block keeps the layout it had.
        const qreal margin = document()->documentMargin();
        const qreal width = lineWidth;  // as the plain-text layout gave it
        for (const bool keepArrows : {true, false}) {
            qreal y = 0;
            bool splits = false;
            layout->beginLayout();
            for (QTextLine line = layout->createLine(); line.isValid();
                 line = layout->createLine()) {
                line.setLeadingIncluded(true);
                line.setLineWidth(width);
                if (keepArrows && SplitsArrow(text, line.textStart() + line.textLength())) {
                    if (line.textLength() > 1) {
                        line.setNumColumns(line.textLength() - 1, width);
                    } else {
                        // The line starts with the arrow and what follows is
                        // longer than a line: fill it, breaking anywhere.
                        const QTextOption words = layout->textOption();
                        QTextOption anywhere = words;
                        anywhere.setWrapMode(QTextOption::WrapAnywhere);
                        layout->setTextOption(anywhere);
                        line.setLineWidth(width);
                        layout->setTextOption(words);
                    }
                }
                splits = splits || SplitsArrow(text, line.textStart() + line.textLength());
                line.setPosition(QPointF(margin, y));
                y += line.height();
                if (line.leading() < 0) y += qCeil(line.leading());
            }
            layout->endLayout();
            if (!splits) break;
            if (!keepArrows) unhelped_.insert(block.blockNumber(), {block.revision(), lineWidth});
        }
        const int before = document()->lineCount();
        const_cast<QTextBlock&>(block).setLineCount(block.isVisible() ? layout->lineCount() : 0);
        if (document()->lineCount() != before) emit documentSizeChanged(documentSize());
        return true;
    }
};

// Text Qt may draw without shaping and look the same: Latin, Greek and
// Cyrillic letters, digits and symbols without combining marks. Joining
// scripts, marks, surrogates (emoji sequences) need the shaper.
bool NeedsShaping(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x0300) continue;
        if (c.isSurrogate() || c.isMark()) return true;
        switch (c.script()) {
            case QChar::Script_Common:
            case QChar::Script_Latin:
            case QChar::Script_Greek:
            case QChar::Script_Cyrillic:
                continue;
            default:
                return true;
        }
    }
    return false;
}

// Qt lays a long line out afresh after every edit, into arrays of some 40 MB
// that it frees and takes again each time. glibc gives blocks that large back
// to the system and the next edit faults in and zeroes fresh pages: half the
// time of a keystroke. Kept in the heap, they are reused.
void KeepLargeBlocksInHeap() {
#if defined(__GLIBC__)
    static const bool once = [] {
        mallopt(M_MMAP_MAX, 0);
        mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
        return true;
    }();
    (void)once;
#endif
}

// Turns the line breaks of a piece of a large text that fall inside a group
// into U+2028: a group holds whole lines up to kGroupedLines code units, and
// a longer line stands alone. `grouped` is the length of the group the piece
// goes on with. A piece ends after a line break or within a line that runs
// beyond it, so the line after a break is whole in it or longer than a group.
void GroupLines(QString& piece, qsizetype& grouped) {
    qsizetype start = 0;
    while (start < piece.size()) {
        const qsizetype end = piece.indexOf(QLatin1Char('\n'), start);
        if (end < 0) {
            grouped += piece.size() - start;
            return;
        }
        grouped += end - start;
        qsizetype next = piece.indexOf(QLatin1Char('\n'), end + 1);
        if (next < 0) next = end + 1 + CCalcView::kGroupedLines;  // runs beyond the piece
        const qsizetype after = grouped + 1 + (next - end - 1);
        if (after <= CCalcView::kGroupedLines) {
            piece[end] = QChar::LineSeparator;
            grouped += 1;
        } else {
            grouped = 0;
        }
        start = end + 1;
    }
}

// Keeps, for a block holding U+2028 or after one of the editor's own
// breaks, how many and whether in the editor's counts.
template <typename Totals>
class BlockCounts : public QTextBlockUserData {
public:
    BlockCounts(std::shared_ptr<Totals> totals, qsizetype separators, bool soft, bool marked)
        : totals_(std::move(totals)),
          separators_(separators),
          soft_(soft ? 1 : 0),
          marked_(marked ? 1 : 0) {
        totals_->lineSeparators += separators_;
        totals_->softBlocks += soft_;
        totals_->markedBlocks += marked_;
    }
    ~BlockCounts() override {
        totals_->lineSeparators -= separators_;
        totals_->softBlocks -= soft_;
        totals_->markedBlocks -= marked_;
    }
    BlockCounts(const BlockCounts&) = delete;
    BlockCounts& operator=(const BlockCounts&) = delete;

private:
    std::shared_ptr<Totals> totals_;
    qsizetype separators_;
    int soft_;
    int marked_;
};

int largeBlocksMapped = 0;  // how many LargeBlocksMapped live

#if defined(__GLIBC__)
// glibc serves even a large block from the heap's free room before it maps
// one apart. A text that grew there would be copied when it outgrew the
// room, and the room it left would stay resident: while large blocks are
// mapped, the room is taken, untouched, so it costs nothing. (A sanitizer's
// allocator keeps no such room and counts no mapped blocks.)
constexpr std::size_t kHeapPlug = std::size_t{1} << 20;
constexpr std::size_t kMostPlugs = 4096;
std::vector<void*> heapPlugs;

void TakeHeapRoom() {
#if !defined(__SANITIZE_ADDRESS__)
    // Taken until a block is mapped: the heap has no such room left.
    const std::size_t mappedBefore = mallinfo2().hblks;
    while (heapPlugs.size() < kMostPlugs) {
        void* plug = malloc(kHeapPlug);  // NOLINT(cppcoreguidelines-no-malloc)
        if (plug == nullptr) break;
        if (mallinfo2().hblks > mappedBefore) {
            free(plug);  // NOLINT(cppcoreguidelines-no-malloc)
            break;
        }
        heapPlugs.push_back(plug);
    }
#endif
}

void GiveHeapRoomBack() {
    for (void* plug : heapPlugs) free(plug);  // NOLINT(cppcoreguidelines-no-malloc)
    heapPlugs = {};
}
#endif

}  // namespace

CCalcView::LargeBlocksMapped::LargeBlocksMapped() {
#if defined(__GLIBC__)
    if (largeBlocksMapped++ == 0) {
        mallopt(M_MMAP_THRESHOLD, kHeapPlug);
        mallopt(M_MMAP_MAX, 65536);
        TakeHeapRoom();
    }
#endif
}

CCalcView::LargeBlocksMapped::~LargeBlocksMapped() {
#if defined(__GLIBC__)
    if (--largeBlocksMapped == 0) {
        GiveHeapRoomBack();
        mallopt(M_MMAP_MAX, 0);
    }
#endif
}

CCalcView::CCalcView(QWidget* parent) : QPlainTextEdit(parent) {
    KeepLargeBlocksInHeap();
    setDocument(NewDocument());
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    SetWrapAnywhere(false);
    // Left to right as the platform's edit control. Left automatic, Qt looks
    // for the first strong character at every turn, and a calculation has
    // none: digits and operators are weak, so each look scans the whole line.
    QTextOption option = document()->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    document()->setDefaultTextOption(option);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUndoRedoEnabled(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!replacing_) emit Edited();
    });
    AttachDocument();
    SetDefaultFont();
}

QTextDocument* CCalcView::NewDocument() {
    auto* text = new QTextDocument(this);
    text->setDocumentLayout(new ArrowKeepingLayout(text));
    return text;
}

void CCalcView::AttachDocument() {
    // Called before the layout sees the change: a long line is never laid out
    // with word wrapping first.
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) {
                OnContentsChange(position, removed, added);
                emit ContentsChange(position, removed, added);
            });
}

std::u16string CCalcView::EditorTextU16() const {
    const QTextDocument* doc = document();
    // A small text is copied whole, at once; reading it a block at a time
    // costs more than the copy saves.
    if (doc->characterCount() <= kPieceUnits) return U16FromQString(EditorText());
    std::u16string text;
    text.reserve(static_cast<std::size_t>(doc->characterCount()));
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block != doc->begin() && !SoftLines::IsSoft(block)) text.push_back(u'\n');
        const QString line = block.text();
        const std::size_t from = text.size();
        text.append(reinterpret_cast<const char16_t*>(line.constData()),
                    static_cast<std::size_t>(line.size()));
        std::replace(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                     static_cast<char16_t>(QChar::LineSeparator), u'\n');
    }
    return text;
}

QString CCalcView::EditorText() const {
    if (totals_->softBlocks > 0)
        return SoftLines::TextBetween(document(), 0, document()->characterCount() - 1);
    QString text = document()->toRawText();
    ToLineFeeds(text);
    return text;
}

void CCalcView::ToLineFeeds(QString& text) { SoftLines::ToLineFeeds(text); }

void CCalcView::ReplaceText(const QString& text) {
    QScopedValueRollback<bool> guard(replacing_, true);
    // Wrapping anywhere comes before a long line is laid out; word wrapping
    // only once the old long line is gone, or it would be laid out again.
    const bool longLine = HasLineLongerThan(text, kLongLine);
    needsShaping_ = NeedsShaping(text);
    if (longLine) {
        SetWrapAnywhere(true);
        UpdateShaping();
    }
    if (HasLineLongerThan(text, SoftLines::kSplitAt)) {
        // Parted as it goes in: the long line is never laid out whole.
        setPlainText(QString());
        QTextDocument* doc = document();
        doc->setUndoRedoEnabled(false);
        QTextCursor cursor(doc);
        InsertPlainText(cursor, text);
        doc->setUndoRedoEnabled(true);
        doc->setModified(false);
        moveCursor(QTextCursor::Start);
    } else {
        setPlainText(text);
    }
    if (!longLine) {
        SetWrapAnywhere(false);
        UpdateShaping();
    }
}

namespace {

// The pieces of a large text, each ending after a line break where it can:
// no line is laid out twice. `at` is how much has been given.
std::function<bool(QString&)> PiecesOf(QStringView text, qsizetype& at) {
    return [text, &at](QString& piece) {
        if (at >= text.size()) return false;
        qsizetype end = std::min(at + CCalcView::kPieceUnits, text.size());
        if (end < text.size()) {
            const qsizetype lineBreak = text.lastIndexOf(QLatin1Char('\n'), end - 1);
            if (lineBreak >= at) end = lineBreak + 1;
        }
        piece = text.mid(at, end - at).toString();
        at = end;
        return true;
    };
}

}  // namespace

bool CCalcView::ReplaceTextInSteps(QStringView text,
                                   const std::function<bool(qint64, qint64)>& step) {
    if (text.size() <= kPieceUnits) {
        ReplaceText(text.toString());
        return true;
    }
    qsizetype at = 0;
    return ReplaceTextInPieces(PiecesOf(text, at), [&] { return step(at, text.size()); });
}

bool CCalcView::ReplaceTextInPieces(const std::function<bool(QString&)>& next,
                                    const std::function<bool()>& step) {
    QScopedValueRollback<bool> guard(replacing_, true);
    const LargeBlocksMapped mapped;
    QTextDocument* doc = document();
    doc->setUndoRedoEnabled(false);
    // Cleared in the old wrap mode: a long line is never laid out again.
    setPlainText(QString());
    // The scroll bar the text will need is there before it: a width change
    // under the text would give every line a layout object of its own (Qt
    // lays the whole document out again), some 300 bytes a line.
    const Qt::ScrollBarPolicy scrollBar = verticalScrollBarPolicy();
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextModes modes;
    ApplyModes(modes);
    const bool complete = InsertPieces(doc, next, step, modes, true);
    if (!complete) setPlainText(QString());
    setVerticalScrollBarPolicy(scrollBar);
    doc->setUndoRedoEnabled(true);
    moveCursor(QTextCursor::Start);
    return complete;
}

bool CCalcView::ReplaceTextAside(QStringView text, const std::function<bool(qint64, qint64)>& step,
                                 const std::function<void(qsizetype)>& taken) {
    const LargeBlocksMapped mapped;
    QTextDocument* const old = document();
    QTextDocument* const next = NewDocument();
    next->setDefaultTextOption(old->defaultTextOption());
    next->setDefaultFont(old->defaultFont());
    next->setUndoRedoEnabled(false);
    connect(next, &QTextDocument::contentsChange, this,
            [this, next](int position, int /*removed*/, int added) {
                NoteChange(next, position, added);
            });
    qsizetype at = 0;
    TextModes modes;
    const bool complete = InsertPieces(
        next, PiecesOf(text, at),
        [&] {
            taken(at);
            return step(at, text.size());
        },
        modes, false);
    if (!complete) {
        delete next;  // its blocks' line separators leave the count
        return false;
    }
    const int oldLength = old->characterCount() - 1;
    {
        QScopedValueRollback<bool> guard(replacing_, true);
        disconnect(next, nullptr, this, nullptr);
        // The marks point into the old text.
        for (int layer = 0; layer < EditorMarks::LayerCount; ++layer)
            EditorMarks::Of(this).Clear(static_cast<EditorMarks::Layer>(layer));
        setDocument(next);
        AttachDocument();
        softStartsValid_ = false;
        partFrom_ = partTo_ = -1;
        // Laid out lazily: the modes are right before any line is.
        ApplyModes(modes);
        next->setUndoRedoEnabled(true);
    }
    delete old;
    emit ContentsChange(0, oldLength, next->characterCount() - 1);
    return true;
}

bool CCalcView::InsertPieces(QTextDocument* doc, const std::function<bool(QString&)>& next,
                             const std::function<bool()>& step, TextModes& modes, bool applyModes) {
    QTextCursor cursor(doc);
    qsizetype lineSoFar = 0;
    qsizetype grouped = 0;
    QString piece;
    while (next(piece)) {
        // Wrapping and shaping follow what comes, before it is laid out.
        bool changed = false;
        if (!modes.shaping && NeedsShaping(piece)) {
            modes.shaping = true;
            changed = true;
        }
        if (LongestLine(piece, lineSoFar) > kLongLine && !modes.wrapAnywhere) {
            modes.wrapAnywhere = true;
            changed = true;
        }
        if (changed && applyModes) ApplyModes(modes);
        GroupLines(piece, grouped);
        cursor.movePosition(QTextCursor::End);
        InsertPlainText(cursor, piece);
        piece = QString();
        if (!step()) return false;
    }
    return true;
}

void CCalcView::ApplyModes(TextModes modes) {
    needsShaping_ = modes.shaping;
    SetWrapAnywhere(modes.wrapAnywhere);
    UpdateShaping();
}

void CCalcView::ReleaseFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

bool CCalcView::WrapsAnywhere() const { return wordWrapMode() == QTextOption::WrapAnywhere; }

void CCalcView::SetWrapAnywhere(bool anywhere) {
    const QTextOption::WrapMode mode =
        anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() != mode) setWordWrapMode(mode);
}

// Shaping is most of a long line's layout; a long line of text that looks the
// same unshaped is laid out without it. Short lines are always shaped.
void CCalcView::UpdateShaping() {
    QFont current = font();
    const QFont::StyleStrategy strategy = current.styleStrategy();
    const QFont::StyleStrategy wanted =
        WrapsAnywhere() && !needsShaping_
            ? QFont::StyleStrategy(strategy | QFont::PreferNoShaping)
            : QFont::StyleStrategy(strategy & ~QFont::PreferNoShaping);
    if (wanted == strategy) return;
    current.setStyleStrategy(wanted);
    QScopedValueRollback<bool> guard(replacing_, true);
    setFont(current);
}

bool CCalcView::ShapesText() const { return !(font().styleStrategy() & QFont::PreferNoShaping); }

CCalcView::Change CCalcView::NoteChange(QTextDocument* doc, int position, int added) {
    Change change;
    if (added > 0) {
        QTextCursor range(doc);
        range.setPosition(position);
        range.setPosition(std::min(position + added, doc->characterCount() - 1),
                          QTextCursor::KeepAnchor);
        change.inserted = range.selectedText();
    }
    CountLineSeparators(doc, position, added, change.inserted.contains(QChar::LineSeparator));
    for (QTextBlock block = doc->findBlock(position);
         block.isValid() && block.position() <= position + added; block = block.next()) {
        if (block.length() - 1 <= kLongLine && !SoftLines::InPartedLine(block)) continue;
        change.longLine = true;
        // Qt drops a block's shaped glyphs after every layout, so each caret
        // placement and paint would itemize and shape the whole line again.
        block.layout()->setCacheEnabled(true);
    }
    return change;
}

void CCalcView::OnContentsChange(int position, int removed, int added) {
    QTextDocument* doc = document();
    softStartsValid_ = false;
    if (!replacing_ && !parting_) {
        // Kept over later changes until the lines are parted.
        if (partFrom_ < 0) {
            partFrom_ = position;
            partTo_ = position + added;
        } else {
            if (partTo_ >= position) partTo_ = std::max(position, partTo_ + added - removed);
            partFrom_ = std::min(partFrom_, position);
            partTo_ = std::max(partTo_, position + added);
        }
        // Edits of the program's own (a calculation, completion) are parted
        // once they are done; the user's keys and pastes at once.
        if (!partQueued_) {
            partQueued_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    partQueued_ = false;
                    PartChangedLines();
                },
                Qt::QueuedConnection);
        }
    }
    const Change change = NoteChange(doc, position, added);
    // Text that needs shaping is seen as it comes; what is removed is only
    // forgotten when the whole text is looked at again.
    if (!replacing_ && !needsShaping_ && NeedsShaping(change.inserted)) {
        needsShaping_ = true;
        UpdateShaping();
    }
    // ReplaceText has chosen the wrap mode already; its clearing must not switch back.
    if (replacing_) return;
    if (change.longLine) {
        if (WrapsAnywhere()) return;
        SetWrapAnywhere(true);
        needsShaping_ = NeedsShaping(doc->toRawText());
        UpdateShaping();
        return;
    }
    if (!WrapsAnywhere() || totals_->softBlocks > 0) return;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        if (block.length() - 1 > kLongLine) return;
    SetWrapAnywhere(false);
    UpdateShaping();
}

qsizetype CCalcView::LengthOf(const QString& editorText) {
    return editorText.size() + editorText.count(QLatin1Char('\n'));
}

qsizetype CCalcView::TextLength() const {
    const QTextDocument* doc = document();
    return doc->characterCount() - 1 + (doc->blockCount() - 1) + totals_->lineSeparators -
           2 * totals_->softBlocks;
}

qsizetype CCalcView::TextUnits() const {
    return document()->characterCount() - 1 - totals_->softBlocks;
}

const std::vector<int>& CCalcView::SoftStarts() const {
    if (softStartsValid_) return softStarts_;
    softStarts_.clear();
    if (totals_->softBlocks > 0) {
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
            if (SoftLines::IsSoft(block)) softStarts_.push_back(block.position());
    }
    softStartsValid_ = true;
    return softStarts_;
}

qsizetype CCalcView::TextPosition(int position) const {
    const std::vector<int>& starts = SoftStarts();
    const auto before = std::upper_bound(starts.begin(), starts.end(), position) - starts.begin();
    return position - before;
}

int CCalcView::EditorPosition(qsizetype textPosition) const {
    qsizetype position = std::max<qsizetype>(textPosition, 0);
    for (const int start : SoftStarts()) {
        if (start > position) break;
        ++position;
    }
    return static_cast<int>(std::min<qsizetype>(position, document()->characterCount() - 1));
}

void CCalcView::InsertPlainText(QTextCursor& cursor, const QString& text) {
    const QScopedValueRollback<bool> guard(parting_, true);
    cursor.beginEditBlock();
    QTextDocument* doc = cursor.document();
    if (cursor.hasSelection()) {
        cursor.removeSelectedText();
        SoftLines::RepairMarks(doc, cursor.position(), cursor.position());
    }
    const int from = cursor.position();
    // Most insertions make no line long and touch no parted one: Qt's own
    // insertion then does, at a fraction of the cost of a line at a time.
    const QTextBlock block = cursor.block();
    const qsizetype before = cursor.positionInBlock();
    const qsizetype after = block.length() - 1 - before;
    const qsizetype firstBreak = text.indexOf(QLatin1Char('\n'));
    const qsizetype lastBreak = text.lastIndexOf(QLatin1Char('\n'));
    const bool plain =
        !SoftLines::InPartedLine(block) && !SoftLines::IsSoftAfter(block) &&
        !HasLineLongerThan(text, SoftLines::kSplitAt) &&
        (firstBreak < 0 ? before + text.size() + after : before + firstBreak) <=
            SoftLines::kSplitAt &&
        (lastBreak < 0 || text.size() - lastBreak - 1 + after <= SoftLines::kSplitAt);
    if (plain) {
        cursor.insertText(text);
    } else {
        SoftLines::InsertWithBreaks(cursor, text);
        SoftLines::RepairMarks(doc, from, cursor.position());
        PartLines(cursor, from, cursor.position());
    }
    cursor.endEditBlock();
}

void CCalcView::PartLines(QTextCursor& edit, int from, int to) {
    using namespace SoftLines;
    QTextDocument* doc = edit.document();
    const QScopedValueRollback<bool> guard(parting_, true);
    QTextCursor part(doc);
    from = std::clamp(from, 0, doc->characterCount() - 1);
    QTextBlock line = LineStart(doc->findBlock(from));
    // `to` moves with the breaks put in and taken out before it.
    while (line.isValid() && line.position() <= to) {
        int blocks = 0;
        qsizetype units = 0;
        for (QTextBlock block = line; block == line || IsSoft(block); block = block.next()) {
            ++blocks;
            units += block.length() - 1;
        }
        if (blocks > 1 && units <= kJoinBelow) {
            // Short again: one block.
            for (int k = 1; k < blocks; ++k) {
                part.setPosition(line.position() + line.length() - 1);
                part.deleteChar();
                --to;
            }
            RepairMarks(doc, line.position(), line.position());
        } else {
            QTextBlock block = line;
            bool first = true;
            while (block.isValid() && (first || IsSoft(block))) {
                first = false;
                if (blocks > 1 && block.length() == 1) {
                    // An empty part would show as an empty row: its break goes.
                    const bool soft = IsSoft(block);
                    const int at = soft ? block.position() - 1 : block.position();
                    part.setPosition(at);
                    part.deleteChar();
                    RepairMarks(doc, at, at);
                    --to;
                    --blocks;
                    block = doc->findBlock(at);
                    if (soft)
                        block = block.next();
                    else
                        first = true;  // the line's first block, holding the next part now
                    continue;
                }
                if (block.length() - 1 > kSplitAt) {
                    // Every point first, then parted from the end: the text
                    // before a point stays where it is.
                    const QString text = block.text();
                    std::vector<int> points;
                    for (int start = 0; text.size() - start > kSplitAt;) {
                        start += PartingPoint(QStringView(text).mid(start), kChunk);
                        points.push_back(start);
                    }
                    const QTextBlockFormat soft = FormatAfter(block.blockFormat(), true);
                    for (auto point = points.rbegin(); point != points.rend(); ++point) {
                        part.setPosition(block.position() + *point);
                        part.insertBlock(soft, part.charFormat());
                    }
                    softSeen_ = true;
                    to += static_cast<int>(points.size());
                    blocks += static_cast<int>(points.size());
                    const int start = block.position();
                    for (std::size_t k = 0; k < points.size(); ++k) block = block.next();
                    RepairMarks(doc, start, block.position());
                }
                block = block.next();
            }
        }
        line = LineEnd(doc->findBlock(line.position())).next();
    }
    RepairMarks(doc, from, std::min(to, doc->characterCount() - 1));
}

void CCalcView::PartChangedLines() {
    if (partFrom_ < 0) return;
    QTextDocument* doc = document();
    const int from = partFrom_;
    const int to = std::min(partTo_, doc->characterCount() - 1);
    partFrom_ = partTo_ = -1;
    // After Undo or Redo the lines are as they were parted; an edit now
    // would take the redo history away.
    if (doc->availableRedoSteps() > 0 || !doc->isUndoRedoEnabled()) return;
    // Cheap for the usual keystroke: nothing parted and no long block.
    const bool marked = totals_->markedBlocks > 0;
    bool needed = marked && !SoftLines::MarksAgree(doc, from, to);
    for (QTextBlock block = doc->findBlock(from);
         !needed && block.isValid() && block.position() <= to; block = block.next()) {
        if (block.length() - 1 > SoftLines::kSplitAt ||
            (marked && SoftLines::InPartedLine(block))) {
            needed = true;
            break;
        }
    }
    if (!needed) return;
    const QScopedValueRollback<bool> guard(parting_, true);
    QTextCursor edit(doc);
    edit.joinPreviousEditBlock();
    SoftLines::RepairMarks(doc, from, to);
    PartLines(edit, from, to);
    edit.endEditBlock();
}

void CCalcView::CountLineSeparators(QTextDocument* doc, int position, int added, bool brought) {
    // Blocks that lose theirs hold a count already; a block merged away takes
    // its count with it.
    if (!brought && totals_->lineSeparators == 0 && !softSeen_) return;
    const QTextBlock last = doc->findBlock(position + added);
    for (QTextBlock block = doc->findBlock(position); block.isValid(); block = block.next()) {
        const qsizetype count = block.text().count(QChar::LineSeparator);
        const bool soft = SoftLines::IsSoft(block);
        const bool marked = soft || SoftLines::IsSoftAfter(block);
        if (count > 0 || marked)
            block.setUserData(new BlockCounts<BlockTotals>(totals_, count, soft, marked));
        else if (block.userData() != nullptr)
            block.setUserData(nullptr);
        if (block == last) break;
    }
}

void CCalcView::SetModify(bool modified) { document()->setModified(modified); }

bool CCalcView::GetModify() const { return document()->isModified(); }

qsizetype CCalcView::SelectionLength() const {
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) return 0;
    const QString selected = cursor.selectedText();
    // The editor's own breaks are no characters of the text.
    const qsizetype soft =
        (cursor.selectionEnd() - cursor.selectionStart()) -
        (TextPosition(cursor.selectionEnd()) - TextPosition(cursor.selectionStart()));
    return selected.size() + selected.count(QChar::ParagraphSeparator) +
           selected.count(QChar::LineSeparator) - 2 * soft;
}

QString CCalcView::FitText(const QString& text, qsizetype room) {
    if (LengthOf(text) <= room) return text;
    qsizetype used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const qsizetype cost = text[end] == QLatin1Char('\n') ? 2 : 1;
        if (used + cost > room) break;
        used += cost;
        ++end;
    }
    // Never split a surrogate pair.
    if (end > 0 && text[end - 1].isHighSurrogate()) --end;
    return text.left(end);
}

void CCalcView::keyPressEvent(QKeyEvent* event) {
    if (keys_ != nullptr && keys_->BeforeKey(event)) {
        event->accept();
        return;
    }
    HandleKey(event);
    // Mended before anything reads the text again.
    PartChangedLines();
    if (keys_ != nullptr) keys_->AfterKey(event);
    PartChangedLines();
}

void CCalcView::HandleKey(QKeyEvent* event) {
    QString typed = event->text();
    const bool isBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (isBreak) typed = QStringLiteral("\n");
    const bool inserts =
        !typed.isEmpty() &&
        (isBreak || typed.front().isPrint() || typed.front() == QLatin1Char('\t')) &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (inserts && !isReadOnly() &&
        TextLength() - SelectionLength() + LengthOf(typed) > kEditorTextLimit) {
        QApplication::beep();
        event->accept();
        return;
    }
    // Shift+Enter would insert U+2028, which ends no line for the engine (a
    // "//" comment runs on) and is saved as such: a break is a break.
    if (isBreak && !isReadOnly() &&
        (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0) {
        QTextCursor cursor = textCursor();
        InsertPlainText(cursor, QStringLiteral("\n"));
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
        return;
    }
    // Backspace and Delete at one of the editor's own breaks delete the
    // character beyond it, as at any place where a line wraps.
    if (!isReadOnly() && !textCursor().hasSelection() &&
        (event->modifiers() & ~Qt::KeypadModifier) == 0) {
        QTextCursor cursor = textCursor();
        if (event->key() == Qt::Key_Backspace && cursor.atBlockStart() &&
            SoftLines::IsSoft(cursor.block())) {
            cursor.movePosition(QTextCursor::PreviousCharacter);
            setTextCursor(cursor);
        } else if (event->key() == Qt::Key_Delete && cursor.atBlockEnd() &&
                   SoftLines::IsSoft(cursor.block().next())) {
            cursor.movePosition(QTextCursor::NextCharacter);
            setTextCursor(cursor);
        }
    }
    const int before = textCursor().position();
    QPlainTextEdit::keyPressEvent(event);
    // An arrow that only stepped over a break of the editor's own goes on
    // by a character: the break is no place of the text.
    const bool right = event->key() == Qt::Key_Right;
    if ((right || event->key() == Qt::Key_Left) && !(event->modifiers() & Qt::ControlModifier)) {
        QTextCursor cursor = textCursor();
        const int after = cursor.position();
        const QTextBlock block = cursor.block();
        const bool stepped = right ? after == before + 1 && cursor.atBlockStart()
                                   : after == before - 1 && cursor.atBlockEnd();
        if (stepped && SoftLines::IsSoft(right ? block : block.next())) {
            cursor.movePosition(right ? QTextCursor::NextCharacter : QTextCursor::PreviousCharacter,
                                event->modifiers() & Qt::ShiftModifier ? QTextCursor::KeepAnchor
                                                                       : QTextCursor::MoveAnchor);
            setTextCursor(cursor);
        }
    }
}

void CCalcView::inputMethodEvent(QInputMethodEvent* event) {
    const QString committed = event->commitString();
    if (!committed.isEmpty() &&
        TextLength() - SelectionLength() + LengthOf(committed) > kEditorTextLimit) {
        QApplication::beep();
        event->accept();
        return;
    }
    QString breaks = committed;
    breaks.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    ToLineFeeds(breaks);
    breaks.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (breaks.contains(QLatin1Char('\n')) && !isReadOnly()) {
        // A break goes in as a line break of the text, as Enter's.
        QInputMethodEvent rest(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&rest);
        QTextCursor cursor = textCursor();
        InsertPlainText(cursor, breaks);
        setTextCursor(cursor);
        event->accept();
    } else {
        QPlainTextEdit::inputMethodEvent(event);
    }
    PartChangedLines();
}

bool CCalcView::canInsertFromMimeData(const QMimeData* source) const {
    // Files go to the main window, which opens them.
    if (HasLocalFiles(source)) return false;
    return QPlainTextEdit::canInsertFromMimeData(source);
}

void CCalcView::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText() || isReadOnly()) return;
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const qsizetype room = kEditorTextLimit - (TextLength() - SelectionLength());
    const QString fitting = FitText(text, room);
    if (fitting.size() < text.size()) QApplication::beep();
    if (fitting.isEmpty() && !text.isEmpty()) return;
    QTextCursor cursor = textCursor();
    InsertPlainText(cursor, fitting);
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData* CCalcView::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    if (TextPosition(cursor.selectionEnd()) - TextPosition(cursor.selectionStart()) ==
        cursor.selectionEnd() - cursor.selectionStart())
        return QPlainTextEdit::createMimeDataFromSelection();
    // The editor's own breaks are no line breaks of the text.
    auto* data = new QMimeData;
    data->setText(
        SoftLines::TextBetween(document(), cursor.selectionStart(), cursor.selectionEnd()));
    return data;
}

void CCalcView::dragEnterEvent(QDragEnterEvent* event) {
    if (HasLocalFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    QPlainTextEdit::dragEnterEvent(event);
}

void CCalcView::dragMoveEvent(QDragMoveEvent* event) {
    if (HasLocalFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    QPlainTextEdit::dragMoveEvent(event);
}

void CCalcView::dropEvent(QDropEvent* event) {
    if (HasLocalFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    QPlainTextEdit::dropEvent(event);
}

void CCalcView::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) UpdateTabStops();
}

void CCalcView::UpdateTabStops() {
    // Every 8 average characters.
    setTabStopDistance(8 * QFontMetricsF(font()).averageCharWidth());
}

int CCalcView::ScreenDpi() const { return logicalDpiY() > 0 ? logicalDpiY() : 96; }

void CCalcView::SetEditorFont(const QFont& font) {
    QScopedValueRollback<bool> guard(replacing_, true);
    QFont applied = font;
    const QFont::StyleStrategy strategy = applied.styleStrategy();
    applied.setStyleStrategy(WrapsAnywhere() && !needsShaping_
                                 ? QFont::StyleStrategy(strategy | QFont::PreferNoShaping)
                                 : QFont::StyleStrategy(strategy & ~QFont::PreferNoShaping));
    setFont(applied);
    UpdateTabStops();
}

void CCalcView::LoadFont(QSettings& settings) {
    const EditorFontValues values = ReadEditorFontValues(settings);
    QFont font;
    if (!MakeEditorFont(values, ScreenDpi(), font)) {
        SetDefaultFont();
        return;
    }
    fontSize_ = values.size;
    defaultFont_ = IsDefaultEditorFont(values);
    SetEditorFont(font);
}

EditorFontValues CCalcView::CurrentFontValues() const {
    EditorFontValues values;
    const QFont current = font();
    values.size = fontSize_;
    values.weight = current.weight();
    values.italic = current.italic();
    values.face = current.family();
    return values;
}

void CCalcView::SaveFont(QSettings& settings) const {
    WriteEditorFontValues(settings, CurrentFontValues());
}

void CCalcView::SetDefaultFont() {
    QFont font;
    if (!MakeEditorFont(EditorFontValues{}, ScreenDpi(), font)) return;
    fontSize_ = 15;
    defaultFont_ = true;
    SetEditorFont(font);
}

bool CCalcView::SelectFont() {
    CCalcFontDialog dialog(font(), window());
    if (!dialog.DoModal()) return false;
    return ApplyChosenFont(dialog.SelectedFont());
}

bool CCalcView::ApplyChosenFont(const QFont& chosen) {
    const int dpi = ScreenDpi();
    const int height = CharacterHeightOfFont(chosen, dpi);
    if (height >= 0 || chosen.family().isEmpty()) return false;
    QFont font = chosen;
    font.setPixelSize(-height);
    font.setStyleStrategy(QFont::PreferAntialias);
    fontSize_ = PointSizeOf(height, dpi);
    SetEditorFont(font);
    EditorFontValues values = CurrentFontValues();
    defaultFont_ = IsDefaultEditorFont(values);
    return true;
}

bool CCalcView::OnPreparePrinting() const { return textCursor().hasSelection(); }

QString CCalcView::PrintText() const {
    QString text = EditorText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void CCalcView::OnBeginPrinting(QPaintDevice& device, const DeviceMetrics& metrics,
                                const QString& path, bool selection) {
    PrintSource source{PrintText(), path, selection, 0, 0};
    if (selection) {
        // Editor positions count a line break once; the printed text has two
        // code units for it.
        const QString text = EditorText();
        const QTextCursor cursor = textCursor();
        const auto printed = [&text](int position) {
            const qsizetype at = std::clamp<qsizetype>(position, 0, text.size());
            return at + QStringView(text).left(at).count(QLatin1Char('\n'));
        };
        printSelectionStart_ = printed(static_cast<int>(TextPosition(cursor.selectionStart())));
        printSelectionEnd_ = printed(static_cast<int>(TextPosition(cursor.selectionEnd())));
        source.selectionStart = printSelectionStart_;
        source.selectionEnd = printSelectionEnd_;
    }
    print_.Begin(device, metrics, ApplicationPrintSettings(), CurrentFontValues(), source);
}
