#include "document/EditorAssist.h"

#include <QEvent>
#include <QSettings>
#include <QTextBlock>

#include "document/CCalcView.h"
#include "document/CalcCompleter.h"
#include "document/CalcHighlighter.h"
#include "document/EditorMarks.h"
#include "document/LiveResult.h"
#include "document/SoftLines.h"

namespace {

const QString kSection = QStringLiteral("GUI/Editor");

bool IsOpen(QChar c) { return c == u'(' || c == u'[' || c == u'{'; }
bool IsClose(QChar c) { return c == u')' || c == u']' || c == u'}'; }

// The partner of the bracket at `at` in `line`, or -1. Brackets of all three
// kinds pair with each other, as the language has them.
int Partner(QStringView line, int at) {
    const int step = IsOpen(line[at]) ? 1 : -1;
    int depth = 0;
    for (int i = at; i >= 0 && i < line.size(); i += step) {
        const QChar c = line[i];
        if (c == u';') return -1;
        if (IsOpen(c)) depth += step;
        if (IsClose(c)) depth -= step;
        if (depth == 0) return i;
    }
    return -1;
}

}  // namespace

EditorAssist::EditorAssist(CCalcView* view)
    : QObject(view),
      view_(view),
      highlighter_(new CalcHighlighter(view)),
      completer_(new CalcCompleter(view)),
      live_(new LiveResult(view)) {
    connect(view_, &QPlainTextEdit::cursorPositionChanged, this,
            &EditorAssist::MarkMatchingBracket);
    view_->installEventFilter(this);
    highlighter_->SetEnabled(true);
    live_->SetEnabled(true);
}

bool EditorAssist::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::PaletteChange) {
        highlighter_->UpdateColours();
        MarkMatchingBracket();
    }
    return QObject::eventFilter(watched, event);
}

void EditorAssist::LoadSettings(QSettings& settings) {
    settings.beginGroup(kSection);
    const auto flag = [&settings](const char* key) {
        bool ok = false;
        const uint value = settings.value(QLatin1String(key), 1).toUInt(&ok);
        return !ok || value != 0;
    };
    SetHighlighting(flag("Highlighting"));
    SetLiveResult(flag("LiveResult"));
    settings.endGroup();
}

void EditorAssist::SaveSettings(QSettings& settings) const {
    settings.beginGroup(kSection);
    settings.setValue(QStringLiteral("Highlighting"), Highlighting() ? 1 : 0);
    settings.setValue(QStringLiteral("LiveResult"), LiveResultShown() ? 1 : 0);
    settings.endGroup();
}

void EditorAssist::SetHighlighting(bool on) {
    highlighter_->SetEnabled(on);
    MarkMatchingBracket();
}

bool EditorAssist::Highlighting() const { return highlighter_->IsEnabled(); }

void EditorAssist::SetLiveResult(bool on) {
    if (live_->IsEnabled() != on) live_->SetEnabled(on);
}

bool EditorAssist::LiveResultShown() const { return live_->IsEnabled(); }

void EditorAssist::MarkMatchingBracket() {
    EditorMarks& marks = EditorMarks::Of(view_);
    const QTextCursor caret = view_->textCursor();
    const QTextBlock block = caret.block();
    if (!highlighter_->IsEnabled() || caret.hasSelection() ||
        block.length() - 1 > CalcHighlighter::kLongLine || SoftLines::InPartedLine(block)) {
        marks.Clear(EditorMarks::Bracket);
        return;
    }
    // The caret's line: a block may hold several, parted by U+2028.
    const QString text = block.text();
    const int inBlock = caret.positionInBlock();
    const int lineStart =
        inBlock > 0 ? static_cast<int>(text.lastIndexOf(QChar::LineSeparator, inBlock - 1)) + 1 : 0;
    qsizetype lineEnd = text.indexOf(QChar::LineSeparator, inBlock);
    if (lineEnd < 0) lineEnd = text.size();
    const QString line = text.mid(lineStart, lineEnd - lineStart);
    const int column = inBlock - lineStart;
    // The bracket after the caret first, then the one before it.
    int at = -1;
    if (column < line.size() && (IsOpen(line[column]) || IsClose(line[column])))
        at = column;
    else if (column > 0 && (IsOpen(line[column - 1]) || IsClose(line[column - 1])))
        at = column - 1;
    int partner = at >= 0 ? Partner(line, at) : -1;
    if (partner >= 0) {
        at += lineStart;
        partner += lineStart;
    }
    if (partner < 0) {
        marks.Clear(EditorMarks::Bracket);
        return;
    }
    const QPalette palette = view_->palette();
    const QColor highlight = palette.color(QPalette::Highlight);
    const QColor base = palette.color(QPalette::Base);
    QTextCharFormat format;
    format.setBackground(QColor::fromRgbF(highlight.redF() * 0.35 + base.redF() * 0.65,
                                          highlight.greenF() * 0.35 + base.greenF() * 0.65,
                                          highlight.blueF() * 0.35 + base.blueF() * 0.65));
    QList<QTextEdit::ExtraSelection> pair;
    for (const int i : {at, partner}) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(view_->document());
        mark.cursor.setPosition(block.position() + i);
        mark.cursor.setPosition(block.position() + i + 1, QTextCursor::KeepAnchor);
        mark.format = format;
        pair.append(mark);
    }
    marks.Set(EditorMarks::Bracket, pair);
}
