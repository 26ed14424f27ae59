#include "document/CalcHighlighter.h"

#include <QEvent>
#include <QPalette>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

#include "document/CCalcView.h"
#include "document/SoftLines.h"

using CalcSyntax::Role;

namespace {

// A block's user state: -1 unknown, else the state at its end, the state it
// was read from, and whether its colours are applied.
constexpr int kStateBits = 10;
constexpr int kStateMask = (1 << kStateBits) - 1;
constexpr int kColoured = 1 << (2 * kStateBits);

int Pack(int end, int entry, bool coloured) {
    return (end & kStateMask) | ((entry & kStateMask) << kStateBits) | (coloured ? kColoured : 0);
}
int EndOf(int packed) { return packed & kStateMask; }
int EntryOf(int packed) { return (packed >> kStateBits) & kStateMask; }
bool ColouredOf(int packed) { return (packed & kColoured) != 0; }

// A colour of the given hue that reads on the palette's base, light or dark.
QColor Tinted(const QPalette& palette, int hue, double saturation) {
    const bool dark = palette.color(QPalette::Base).lightnessF() < 0.5;
    return QColor::fromHslF(hue / 360.0, saturation, dark ? 0.72 : 0.36);
}

QColor Mixed(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(a.redF() * share + b.redF() * (1 - share),
                            a.greenF() * share + b.greenF() * (1 - share),
                            a.blueF() * share + b.blueF() * (1 - share));
}

bool SameFormats(const QList<QTextLayout::FormatRange>& a,
                 const QList<QTextLayout::FormatRange>& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].start != b[i].start || a[i].length != b[i].length || a[i].format != b[i].format)
            return false;
    return true;
}

}  // namespace

CalcHighlighter::CalcHighlighter(CCalcView* view)
    : QObject(view), view_(view), viewport_(view->viewport()) {
    visibleTimer_.setSingleShot(true);
    visibleTimer_.setInterval(0);
    connect(&visibleTimer_, &QTimer::timeout, this, &CalcHighlighter::HighlightVisible);
    connect(view_, &CCalcView::ContentsChange, this, &CalcHighlighter::OnContentsChange);
    connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, &visibleTimer_,
            qOverload<>(&QTimer::start));
    viewport_->installEventFilter(this);
    UpdateColours();
}

void CalcHighlighter::UpdateColours() {
    const QPalette palette = view_->palette();
    const QColor text = palette.color(QPalette::Text);
    const QColor base = palette.color(QPalette::Base);
    auto format = [this](Role role) -> QTextCharFormat& {
        return formats_[static_cast<int>(role)];
    };
    format(Role::Comment) = QTextCharFormat();
    format(Role::Comment).setForeground(Mixed(text, base, 0.55));
    format(Role::Comment).setFontItalic(true);
    format(Role::Number) = QTextCharFormat();
    format(Role::Number).setForeground(Tinted(palette, 215, 0.75));
    format(Role::Keyword) = QTextCharFormat();
    format(Role::Keyword).setForeground(Tinted(palette, 285, 0.55));
    format(Role::Memory) = QTextCharFormat();
    format(Role::Memory).setForeground(Tinted(palette, 165, 0.7));
    format(Role::Result) = QTextCharFormat();
    format(Role::Result).setForeground(Tinted(palette, 30, 0.7));
    format(Role::Unknown) = QTextCharFormat();
    format(Role::Unknown).setForeground(Tinted(palette, 355, 0.7));
    format(Role::Unknown).setUnderlineStyle(QTextCharFormat::DotLine);
    format(Role::Unknown).setUnderlineColor(Tinted(palette, 355, 0.7));
    format(Role::Unbalanced) = QTextCharFormat();
    format(Role::Unbalanced).setForeground(Tinted(palette, 355, 0.85));
    format(Role::Unbalanced).setBackground(Mixed(QColor(0xE0, 0x20, 0x20), base, 0.3));
    format(Role::Unbalanced).setFontWeight(QFont::Bold);
    if (enabled_) {
        // Every line is coloured again as it comes into view.
        for (QTextBlock block = view_->document()->begin(); block.isValid(); block = block.next())
            if (block.userState() >= 0) block.setUserState(block.userState() & ~kColoured);
        visibleTimer_.start();
    }
}

void CalcHighlighter::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    if (!enabled) {
        visibleTimer_.stop();
        ClearAll();
        return;
    }
    validUpTo_ = -1;
    for (QTextBlock block = view_->document()->begin(); block.isValid(); block = block.next())
        block.setUserState(-1);
    visibleTimer_.start();
}

void CalcHighlighter::ClearAll() {
    QTextDocument* doc = view_->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        block.setUserState(-1);
        if (!block.layout()->formats().isEmpty()) {
            block.layout()->clearFormats();
            doc->markContentsDirty(block.position(), block.length());
        }
    }
    validUpTo_ = -1;
}

bool CalcHighlighter::eventFilter(QObject* watched, QEvent* event) {
    // Not view_->viewport(): the viewport still has events while the view
    // is being destroyed.
    if (enabled_ && watched == viewport_ &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        visibleTimer_.start();
    return QObject::eventFilter(watched, event);
}

void CalcHighlighter::OnContentsChange(int position, int /*removed*/, int added) {
    if (!enabled_) return;
    QTextDocument* doc = view_->document();
    QTextBlock first = doc->findBlock(position);
    if (!first.isValid()) first = doc->lastBlock();
    const QTextBlock last = doc->findBlock(position + added);
    validUpTo_ = std::min(validUpTo_, SoftLines::LineStart(first).blockNumber() - 1);
    const int lastNumber = last.isValid() ? last.blockNumber() : doc->blockCount() - 1;
    // A typed character: colour its line at once, inside this change, so the
    // line is laid out once. A whole new text waits for the lines in view.
    const bool small = lastNumber - first.blockNumber() < 64;
    for (QTextBlock block = first; block.isValid() && block.blockNumber() <= lastNumber;
         block = block.next())
        block.setUserState(-1);
    if (small) {
        for (QTextBlock block = first; block.isValid() && block.blockNumber() <= lastNumber;
             block = block.next())
            Colour(block);
    }
    visibleTimer_.start();
}

int CalcHighlighter::EntryState(const QTextBlock& block) {
    const int target = block.blockNumber() - 1;  // the line whose end state is asked for
    if (target < 0) return CalcSyntax::kStartState;
    QTextDocument* doc = view_->document();
    if (validUpTo_ >= target) return EndOf(doc->findBlockByNumber(target).userState());
    QTextBlock current = doc->findBlockByNumber(validUpTo_ + 1);
    int entry = validUpTo_ >= 0 ? EndOf(current.previous().userState()) : CalcSyntax::kStartState;
    const bool parted = view_->SoftBreakCount() > 0;
    while (current.isValid() && current.blockNumber() <= target) {
        const int stored = current.userState();
        if (parted && SoftLines::IsSoft(current.next())) {
            // A line held in parts is read whole; its parts stay plain.
            const QTextBlock lineEnd = SoftLines::LineEnd(current);
            int end = 0;
            if (stored >= 0 && EntryOf(stored) == entry) {
                end = EndOf(stored);
            } else {
                end = CalcSyntax::ReadBlock(SoftLines::LineText(current), entry,
                                            !lineEnd.next().isValid(), nullptr);
                for (QTextBlock part = current;; part = part.next()) {
                    part.setUserState(Pack(end, entry, false));
                    if (part == lineEnd) break;
                }
            }
            entry = end;
            validUpTo_ = lineEnd.blockNumber();
            current = lineEnd.next();
            continue;
        }
        int end = 0;
        if (stored >= 0 && EntryOf(stored) == entry) {
            end = EndOf(stored);
        } else {
            end = CalcSyntax::ReadBlock(current.text(), entry, current.next() == QTextBlock(),
                                        nullptr);
            current.setUserState(Pack(end, entry, false));
        }
        entry = end;
        validUpTo_ = current.blockNumber();
        current = current.next();
    }
    return entry;
}

void CalcHighlighter::Colour(QTextBlock& block) {
    Colour(block, SoftLines::InPartedLine(block) ? 0 : EntryState(block));
}

void CalcHighlighter::Colour(QTextBlock& block, int entry) {
    const int stored = block.userState();
    if (stored >= 0 && ColouredOf(stored) && EntryOf(stored) == entry) return;
    QTextLayout* layout = block.layout();
    if (block.length() - 1 > kLongLine || SoftLines::InPartedLine(block)) {
        // Too long to read at every keystroke: it stays plain, and its end
        // state is worked out only when a line after it needs it.
        if (!layout->formats().isEmpty()) {
            layout->clearFormats();
            view_->document()->markContentsDirty(block.position(), block.length());
        }
        return;
    }
    QList<CalcSyntax::Span> spans;
    const int end = CalcSyntax::ReadBlock(block.text(), entry, !block.next().isValid(), &spans);
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(spans.size());
    for (const CalcSyntax::Span& span : spans)
        ranges.append({span.start, span.length, Format(span.role)});
    block.setUserState(Pack(end, entry, true));
    // Qt shapes a coloured line piece by piece at every paint unless it
    // keeps the glyphs: kept, a keystroke's repaint costs half as much.
    layout->setCacheEnabled(true);
    if (!SameFormats(layout->formats(), ranges)) {
        layout->setFormats(ranges);
        view_->document()->markContentsDirty(block.position(), block.length());
    }
}

void CalcHighlighter::HighlightVisible() {
    if (!enabled_ || !view_->isVisible()) return;
    QTextBlock block = view_->cursorForPosition(QPoint(0, 0)).block();
    const QTextBlock bottom =
        view_->cursorForPosition(QPoint(0, view_->viewport()->height() - 1)).block();
    const int last = bottom.isValid() ? bottom.blockNumber() + 1 : block.blockNumber() + 64;
    for (; block.isValid() && block.blockNumber() <= last; block = block.next()) Colour(block);
}
