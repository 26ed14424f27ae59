#include "document/CCalcDoc.h"

#include <QAbstractUndoItem>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <optional>
#include <vector>

#include "document/CCalcFileDialog.h"
#include "document/CCalcView.h"
#include "document/DocumentFiles.h"
#include "document/EditorMarks.h"
#include "document/LongTask.h"
#include "document/MemoryFiles.h"
#include "document/ReadPages.h"
#include "document/SoftLines.h"
#include "engine/CalculateText.h"
#include "engine/FileAccess.h"
#include "engine/FileText.h"
#include "engine/MemoryStore.h"
#include "engine/Preferences.h"
#include "shell/core/MessageBox.h"
#include "shell/core/StringIds.h"
#include "toolkit/U16Text.h"

using NCalculatorText::MemoryStore;

namespace {

// Gives the caret of a calculation back with its undo and redo (the text
// commands of the step put it at the edit instead). Applied once the
// document has finished the step.
class CaretUndoItem : public QAbstractUndoItem {
public:
    CaretUndoItem(CCalcView* view, int anchorBefore, int positionBefore, int anchorAfter,
                  int positionAfter)
        : view_(view), before_{anchorBefore, positionBefore}, after_{anchorAfter, positionAfter} {}
    void undo() override { Restore(before_); }
    void redo() override { Restore(after_); }

private:
    struct Caret {
        int anchor;
        int position;
    };
    void Restore(Caret caret) {
        QPointer<CCalcView> view = view_;
        QMetaObject::invokeMethod(
            view,
            [view, caret] {
                if (view == nullptr) return;
                const int last = view->document()->characterCount() - 1;
                QTextCursor cursor = view->textCursor();
                cursor.setPosition(std::clamp(caret.anchor, 0, last));
                cursor.setPosition(std::clamp(caret.position, 0, last), QTextCursor::KeepAnchor);
                view->setTextCursor(cursor);
                view->ensureCursorVisible();
            },
            Qt::QueuedConnection);
    }

    QPointer<CCalcView> view_;
    Caret before_;
    Caret after_;
};

// How many code units two stretches share at their start and, after that,
// at their end: everything between is what changed.
struct CommonEnds {
    qsizetype head = 0;
    qsizetype tail = 0;
};
CommonEnds CommonEndsOf(QStringView before, QStringView after) {
    const qsizetype common = std::min(before.size(), after.size());
    CommonEnds ends;
    while (ends.head < common && before[ends.head] == after[ends.head]) ++ends.head;
    while (ends.tail < common - ends.head &&
           before[before.size() - 1 - ends.tail] == after[after.size() - 1 - ends.tail])
        ++ends.tail;
    return ends;
}

// The same for the text still in the editor before a run (`beforeSize` code
// units) and the run's new text, read a block at a time: the editor's text
// is not copied whole.
CommonEnds CommonEndsOf(const QTextDocument& before, qsizetype beforeSize, QStringView after) {
    using SoftLines::TextWithBreak;
    const qsizetype common = std::min<qsizetype>(beforeSize, after.size());
    CommonEnds ends;
    for (QTextBlock block = before.begin(); block.isValid() && ends.head < common;
         block = block.next()) {
        const QString line = TextWithBreak(block);
        const qsizetype most = std::min(line.size(), common - ends.head);
        qsizetype k = 0;
        while (k < most && line[k] == after[ends.head + k]) ++k;
        ends.head += k;
        if (k < line.size()) break;
    }
    for (QTextBlock block = before.lastBlock(); block.isValid() && ends.tail < common - ends.head;
         block = block.previous()) {
        const QString line = TextWithBreak(block);
        const qsizetype most = std::min(line.size(), common - ends.head - ends.tail);
        qsizetype k = 0;
        while (k < most && line[line.size() - 1 - k] == after[after.size() - 1 - ends.tail - k])
            ++k;
        ends.tail += k;
        if (k < line.size()) break;
    }
    return ends;
}

// Where a position of the text before a calculation (still in the editor)
// stands after it; both are positions of the text, not of the editor. A run
// rewrites cells but never adds or removes a ";", so the position keeps its
// cell and, within it, its place against the unchanged start or end.
qsizetype PositionAfterCalculation(const CCalcView& view, QStringView after, qsizetype position) {
    const QTextDocument& before = *view.document();
    const qsizetype size = view.TextUnits();
    const qsizetype p = std::clamp<qsizetype>(position, 0, size);
    // The old cell holding p, and how many ";" stand before it.
    qsizetype oldStart = 0;
    qsizetype oldEnd = -1;
    qsizetype cellsBefore = 0;
    qsizetype blockStart = 0;  // in the text
    for (QTextBlock block = before.begin(); block.isValid() && oldEnd < 0; block = block.next()) {
        const QString line = SoftLines::TextWithBreak(block);
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line[i] != QLatin1Char(';')) continue;
            const qsizetype at = blockStart + i;
            if (at >= p) {
                oldEnd = at;
                break;
            }
            oldStart = at + 1;
            ++cellsBefore;
        }
        blockStart += line.size();
    }
    if (oldEnd < 0) oldEnd = size;
    qsizetype newStart = 0;
    for (qsizetype k = 0; k < cellsBefore; ++k) {
        newStart = after.indexOf(QLatin1Char(';'), newStart) + 1;
        if (newStart == 0) return std::min(p, after.size());  // not a calculation
    }
    qsizetype newEnd = after.indexOf(QLatin1Char(';'), newStart);
    if (newEnd < 0) newEnd = after.size();
    const QString cell =
        SoftLines::TextBetween(&before, view.EditorPosition(oldStart), view.EditorPosition(oldEnd));
    const qsizetype oldLength = oldEnd - oldStart;
    const auto [head, tail] = CommonEndsOf(cell, after.mid(newStart, newEnd - newStart));
    const qsizetype offset = p - oldStart;
    if (offset <= head) return newStart + offset;
    if (offset >= oldLength - tail) return newEnd - (oldLength - offset);
    return newStart + head;  // in the rewritten part: at its start
}

// Memory and the last result as a run found them, so that a run called off
// leaves them as they were.
class MemorySnapshot {
public:
    MemorySnapshot() : lastResult_(NCalculatorText::lastResult) {
        for (const auto& [name, cell] : MemoryStore::Instance()) cells_.push_back(cell);
    }
    void Restore() const {
        MemoryStore& store = MemoryStore::Instance();
        store.Clear();
        for (const NCalculatorText::MemoryCell& cell : cells_)
            store.Assign(cell.name, cell.value).mark = cell.mark;
        NCalculatorText::lastResult = lastResult_;
    }

private:
    std::vector<NCalculatorText::MemoryCell> cells_;
    double lastResult_;
};

// The driver over all cells of a text under a long task: its progress fills
// the first `share` of the task's bar. False with `cancelled` set when Esc
// called it off; the text is then as it was.
bool CalculateAllCells(std::u16string& text, int32_t& position, NCalculatorText::FailedCell& failed,
                       LongTask& task, qint64 share, bool& cancelled,
                       NCalculatorText::RunControl& control) {
    control.progress = [&task, share](std::size_t done, std::size_t total) {
        return task.Step(static_cast<qint64>(done) * share, static_cast<qint64>(total) * 100);
    };
    const bool ok = NCalculatorText::CalculateText(text, position, failed, control);
    cancelled = control.cancelled;
    return ok;
}

// A change of more than this many code units goes into the editor a piece at
// a time, its progress shown, instead of as one undoable step.
constexpr qsizetype kSteppedChange = qsizetype{1} << 20;

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

}  // namespace

CCalcDoc::CCalcDoc(QObject* parent) : QObject(parent), title_(DocTemplate::DocumentName()) {}

void CCalcDoc::SetView(CCalcView* view) {
    view_ = view;
    // Screen readers name the editor after the document, as the title bar does.
    const auto nameView = [this] {
        if (view_ != nullptr && view_->accessibleName() != title_) view_->setAccessibleName(title_);
    };
    nameView();
    connect(this, &CCalcDoc::TitleChanged, view, nameView);
    connect(view, &CCalcView::Edited, this, [this] { SetModifiedFlag(true); });
    // The mark of a failed run goes with the next edit.
    connect(view, &QPlainTextEdit::textChanged, this, [this] { ClearFailedMark(); });
}

QWidget* CCalcDoc::Owner() const { return view_ != nullptr ? view_->window() : nullptr; }

void CCalcDoc::SetModifiedFlag(bool modified) {
    if (modified_ == modified) return;
    modified_ = modified;
    emit TitleChanged();
}

// ---- ICmdReceiver --------------------------------------------------------

void CCalcDoc::ExecuteCommand(int command) {
    switch (command) {
        case ClearAll: {
            if (view_->TextLength() == 0) return;
            if (Preferences.ClearConfirmation != 0 &&
                AppMessageBox(LoadString(StringId::ClearAllQuestion), MB_YESNO | MB_ICONQUESTION,
                              0) != IDYES)
                return;
            DeleteSelection(0, -1);
            return;
        }
        case DeleteBack: {
            const QTextCursor cursor = view_->textCursor();
            int start = cursor.selectionStart();
            const int end = cursor.selectionEnd();
            // The character before, beyond any break of the editor's own.
            if (start == end && start > 0)
                start = view_->EditorPosition(view_->TextPosition(start) - 1);
            DeleteSelection(start, end);
            return;
        }
        case CalculateCell:
            Calculate(false);
            return;
        case CalculateAll:
            Calculate(true);
            // The copies of a large text the run took go back to the system.
            if (view_->document()->characterCount() > CCalcView::kPieceUnits)
                CCalcView::ReleaseFreedMemory();
            return;
        case FreeMemory: {
            MemoryStore& store = MemoryStore::Instance();
            if (store.Count() == 0) return;
            if (Preferences.FreeConfirmation != 0 &&
                AppMessageBox(LoadString(StringId::EraseMemoryQuestion), MB_YESNO | MB_ICONQUESTION,
                              0) != IDYES)
                return;
            store.Clear();
            emit MemoryChanged();
            return;
        }
        default:
            return;
    }
}

void CCalcDoc::InsertText(const QString& text) {
    QString inserted = text;
    inserted.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const qsizetype selected = view_->SelectionLength();
    inserted = CCalcView::FitText(inserted, kEditorTextLimit - (view_->TextLength() - selected));
    QTextCursor cursor = view_->textCursor();
    view_->InsertPlainText(cursor, inserted);
    view_->setTextCursor(cursor);
    view_->ensureCursorVisible();
}

void CCalcDoc::DeleteSelection(int start, int end) {
    QTextCursor cursor = view_->textCursor();
    cursor.setPosition(start);
    if (end < 0)
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    else
        cursor.setPosition(end, QTextCursor::KeepAnchor);
    view_->setTextCursor(cursor);
    view_->ensureCursorVisible();
    cursor.removeSelectedText();
    view_->setTextCursor(cursor);
}

void CCalcDoc::Calculate(bool allCells) {
    ClearFailedMark();
    // The copies of a large text are mapped apart: freed, they go back to the
    // system at once, and the new document's text grows by remapping, not in
    // the holes they would leave in the heap.
    const bool large = view_->document()->characterCount() > CCalcView::kPieceUnits;
    std::optional<CCalcView::LargeBlocksMapped> mapped;
    if (large) mapped.emplace();
    std::u16string text = view_->EditorTextU16();
    const QTextCursor caret = view_->textCursor();
    const int anchorBefore = caret.anchor();
    const int positionBefore = caret.position();
    // The engine's positions are the text's; the editor may hold breaks of its own.
    const qsizetype textAnchorBefore = view_->TextPosition(anchorBefore);
    const qsizetype textPositionBefore = view_->TextPosition(positionBefore);
    int32_t position =
        allCells ? -1 : static_cast<int32_t>(view_->TextPosition(caret.selectionStart()));
    NCalculatorText::FailedCell failed;
    // All cells of a large text: progress, and Esc leaves everything as it was.
    std::optional<MemorySnapshot> memoryBefore;
    std::optional<LongTask> task;
    if (allCells) {
        memoryBefore.emplace();
        task.emplace(view_, tr("Calculating\u2026"));
    }
    const auto calledOff = [this, &memoryBefore] {
        memoryBefore->Restore();
        emit MemoryChanged();
    };
    bool cancelled = false;
    std::vector<NCalculatorText::DiagnosticSource> sources;
    NCalculatorText::RunControl control;
    control.sources = &sources;
    // The editor keeps the text before the run: the copy of a large one goes
    // back to the system as the run reads it.
    const auto bytes = [](std::size_t units) { return units * sizeof(char16_t); };
    ReadPages read(text.data(), bytes(text.size()));
    if (large) control.released = [&](std::size_t upTo) { read.DoneUpTo(bytes(upTo)); };
    const bool ok = allCells
                        ? CalculateAllCells(text, position, failed, *task, 20, cancelled, control)
                        : NCalculatorText::CalculateText(text, position, failed, control);
    if (cancelled) return calledOff();
    // The new text is read where the run left it: a large text is not copied.
    // A run that rewrote nothing left the text as it was.
    const QStringView after(text.data(), static_cast<qsizetype>(text.size()));
    const QTextDocument& before = *view_->document();
    const qsizetype beforeSize = view_->TextUnits();

    // The caret after the command: the driver's position, or after a failure
    // the old selection, moved with its cells when the run rewrote the text.
    qsizetype anchorAfter = textAnchorBefore;
    qsizetype positionAfter = textPositionBefore;
    if (ok) {
        anchorAfter = positionAfter = position >= 0 ? position : textPositionBefore;
    } else if (control.rewritten) {
        anchorAfter = PositionAfterCalculation(*view_, after, textAnchorBefore);
        positionAfter = PositionAfterCalculation(*view_, after, textPositionBefore);
    }
    const auto finalCursor = [&] {
        QTextCursor cursor(view_->document());
        cursor.setPosition(view_->EditorPosition(anchorAfter));
        cursor.setPosition(view_->EditorPosition(positionAfter), QTextCursor::KeepAnchor);
        return cursor;
    };

    // Only the changed stretch is replaced, as one undoable step: the rest of
    // the text, its layout and the view stay as they are.
    const auto [head, tail] =
        control.rewritten ? CommonEndsOf(before, beforeSize, after) : CommonEnds{beforeSize, 0};

    QTextCursor cursor;
    if (!control.rewritten || (head == beforeSize && head == after.size())) {
        cursor = finalCursor();
    } else if (task && after.size() - head - tail > kSteppedChange) {
        // Too large for one step: the whole text, a piece at a time, beside
        // the old one, which stays until the new one is whole; the undo
        // history goes, as with any replacement of the whole text. What has
        // gone in goes back to the system.
        const auto step = [&task](qint64 done, qint64 total) {
            return task->Step(20 * total + 80 * done, 100 * total);
        };
        ReadPages written(text.data(), bytes(text.size()));
        const auto taken = [&](qsizetype units) {
            written.DoneUpTo(bytes(static_cast<std::size_t>(units)));
        };
        if (!view_->ReplaceTextAside(after, step, taken)) return calledOff();
        cursor = finalCursor();
    } else {
        QTextCursor edit(view_->document());
        edit.beginEditBlock();
        edit.setPosition(view_->EditorPosition(head));
        edit.setPosition(view_->EditorPosition(beforeSize - tail), QTextCursor::KeepAnchor);
        view_->InsertPlainText(edit, after.mid(head, after.size() - head - tail).toString());
        cursor = finalCursor();
        view_->document()->appendUndoItem(new CaretUndoItem(view_, anchorBefore, positionBefore,
                                                            cursor.anchor(), cursor.position()));
        edit.endEditBlock();
    }
    // The run's text is done with: it goes before the signals below, on
    // which a recovery copy of the editor's text is taken.
    std::u16string().swap(text);
    view_->SetModify(true);
    // The results are part of the work: the document counts as changed.
    SetModifiedFlag(true);
    view_->setTextCursor(cursor);
    view_->ensureCursorVisible();
    // Positions of the new text: the text in the editor now.
    sources_.clear();
    sourceSeverities_.clear();
    for (const NCalculatorText::DiagnosticSource& source : sources) {
        QTextCursor mark(view_->document());
        if (source.start >= 0) {
            mark.setPosition(view_->EditorPosition(source.start));
            mark.setPosition(view_->EditorPosition(source.end), QTextCursor::KeepAnchor);
        }
        sources_.append(mark);
        sourceSeverities_.append(source.severity);
    }
    MarkWarnings();
    if (!ok) {
        const int start = failed.start >= 0 ? view_->EditorPosition(failed.start) : -1;
        MarkFailedCell(start, failed.start >= 0 ? view_->EditorPosition(failed.end) : -1);
        // The caret stays; the cell that stopped the run comes into view.
        if (allCells && start >= 0) ScrollIntoView(start);
    }

    emit ResultChanged();
    emit MemoryChanged();
}

void CCalcDoc::MarkFailedCell(int start, int end) {
    failedStart_ = start;
    failedEnd_ = end;
    if (start < 0 || end <= start) return;
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(view_->document());
    mark.cursor.setPosition(start);
    mark.cursor.setPosition(end, QTextCursor::KeepAnchor);
    mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    mark.format.setUnderlineColor(ErrorMarkColour());
    EditorMarks::Of(view_).Set(EditorMarks::FailedCell, {mark});
}

QColor CCalcDoc::ErrorMarkColour() { return QColor(0xD0, 0x10, 0x10); }

// Amber, lighter on a dark base: a warning is no error.
QColor CCalcDoc::WarningMarkColour(const QPalette& palette) {
    const bool dark = palette.color(QPalette::Base).lightnessF() < 0.5;
    return QColor::fromHslF(40 / 360.0, 0.95, dark ? 0.6 : 0.45);
}

void CCalcDoc::MarkWarnings() {
    QList<QTextEdit::ExtraSelection> marks;
    for (qsizetype i = 0; i < sources_.size(); ++i) {
        if (sourceSeverities_[i] != 0 || !sources_[i].hasSelection()) continue;
        QTextEdit::ExtraSelection mark;
        mark.cursor = sources_[i];
        mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.format.setUnderlineColor(WarningMarkColour(view_->palette()));
        marks.append(mark);
    }
    EditorMarks::Of(view_).Set(EditorMarks::Warnings, marks);
}

void CCalcDoc::ScrollIntoView(int position) {
    // Placing the caret there scrolls; the caret then goes back and the
    // view keeps its new place.
    const QTextCursor caret = view_->textCursor();
    QTextCursor there(view_->document());
    there.setPosition(std::min(position, view_->document()->characterCount() - 1));
    view_->setTextCursor(there);
    view_->ensureCursorVisible();
    const int vertical = view_->verticalScrollBar()->value();
    const int horizontal = view_->horizontalScrollBar()->value();
    view_->setTextCursor(caret);
    view_->verticalScrollBar()->setValue(vertical);
    view_->horizontalScrollBar()->setValue(horizontal);
}

void CCalcDoc::ClearFailedMark() {
    EditorMarks& marks = EditorMarks::Of(view_);
    marks.Clear(EditorMarks::FailedCell);
    marks.Clear(EditorMarks::Warnings);
}

void CCalcDoc::SelectDiagnosticSource(int row) {
    if (row < 0 || row >= sources_.size()) return;
    if (sourceSeverities_[row] != 0 || !sources_[row].hasSelection()) {
        SelectFailedCell();
        return;
    }
    view_->setTextCursor(sources_[row]);
    view_->ensureCursorVisible();
    view_->setFocus(Qt::OtherFocusReason);
}

void CCalcDoc::SelectFailedCell() {
    if (failedStart_ < 0) return;
    const int last = view_->document()->characterCount() - 1;
    QTextCursor cursor = view_->textCursor();
    cursor.setPosition(std::min(failedStart_, last));
    cursor.setPosition(std::min(failedEnd_, last), QTextCursor::KeepAnchor);
    view_->setTextCursor(cursor);
    view_->ensureCursorVisible();
    view_->setFocus(Qt::OtherFocusReason);
}

// ---- Documents -----------------------------------------------------------

void CCalcDoc::ResetToNew() {
    view_->ReplaceText(QString());
    view_->SetModify(false);
    path_.clear();
    stamp_ = DiskStamp();
    title_ = DocTemplate::DocumentName();
    modified_ = false;
    emit TitleChanged();
}

bool CCalcDoc::OnNewDocument() {
    if (!SaveModified()) return false;
    ResetToNew();
    return true;
}

void CCalcDoc::SetPathName(const QString& path) {
    path_ = QFileInfo(path).absoluteFilePath();
    title_ = FileTitleOf(path_);
    emit PathUsed(path_);
    emit TitleChanged();
}

bool CCalcDoc::SaveModified() {
    if (!IsModified()) return true;
    QString name = path_.isEmpty() ? title_ : FileTitleOf(path_);
    if (name.isEmpty()) name = LoadString(StringId::Untitled);
    const QString prompt = LoadString(StringId::SaveChangesQuestion).arg(name);
    switch (AppMessageBox(prompt, MB_YESNOCANCEL, StringId::SaveChangesHelp)) {
        case IDCANCEL:
            return false;
        case IDYES:
            return OnFileSave();
        default:
            return true;
    }
}

void CCalcDoc::OnFileOpen() {
    CCalcFileDialog dialog(true, QStringLiteral("tvm"), QString(), CCalcFileDialog::kDefaultFlags,
                           CCalcFileDialog::kCalculationFilter, Owner());
    dialog.SetFolder(CCalcFileDialog::Folder::Calculation);
    if (dialog.DoModal() != IDOK) return;
    OpenDocumentFile(dialog.GetPathName());
}

CCalcDoc::OpenResult CCalcDoc::OpenDocumentFile(const QString& path) {
    if (SameFilePath(path, path_)) return OpenResult::AlreadyOpen;
    if (!SaveModified()) return OpenResult::Cancelled;

    const QString fullPath = QFileInfo(path).absoluteFilePath();
    std::string bytes;
    NCalculatorText::FileOutcome outcome;
    {
        WaitCursor wait;
        outcome = NCalculatorText::ReadRegularFile(NativePath(fullPath),
                                                   NCalculatorText::kFileByteLimit, bytes);
    }
    DiskStamp stamp;
    if (outcome.Ok()) stamp = StampOfFile(fullPath, bytes);
    // The text goes from the bytes straight into the editor, a piece at a
    // time: no decoded copy of the whole beside the editor's own.
    FileTextPieces pieces(std::move(bytes));
    if (outcome.Ok()) {
        // Counted as the editor counts, line breaks as two units.
        if (pieces.EditorLength() > static_cast<qsizetype>(NCalculatorText::kFileTextLimit))
            outcome.failure = NCalculatorText::FileFailure::TooLarge;
    }
    // More than the program can hold comfortably: refuse it, keep the document.
    if (outcome.failure == NCalculatorText::FileFailure::TooLarge) {
        AppMessageBox(FileTooLargeMessage(fullPath), MB_ICONEXCLAMATION, 0);
        return OpenResult::Failed;
    }
    if (!outcome.Ok()) {
        AppMessageBox(FileOutcomeMessage(outcome, fullPath, true), MB_ICONEXCLAMATION, 0);
        return OpenResult::Failed;
    }

    bool complete = true;
    if (pieces.Total() <= CCalcView::kPieceUnits) {
        QString text;
        pieces.Next(text, pieces.Total() + 1);  // all of it
        view_->ReplaceText(text);
    } else {
        // A large text shows its progress; called off, the document is a new
        // one, as after a failed read.
        LongTask task(view_, tr("Opening %1\u2026").arg(FileTitleOf(fullPath)));
        complete = view_->ReplaceTextInPieces(
            [&pieces](QString& piece) { return pieces.Next(piece, CCalcView::kPieceUnits); },
            [&task, &pieces] { return task.Step(pieces.Done(), pieces.Total()); });
        pieces = FileTextPieces(std::string());
        // What the reading and the editor's growing freed goes back to the system.
        CCalcView::ReleaseFreedMemory();
    }
    if (!complete) {
        ResetToNew();
        return OpenResult::Cancelled;
    }
    view_->SetModify(true);
    modified_ = false;
    stamp_ = stamp;
    SetPathName(fullPath);
    return OpenResult::Opened;
}

void CCalcDoc::RestoreRecovered(const QString& editorText, const QString& path, int anchor,
                                int position) {
    // A large text goes in a piece at a time, its lines grouped, as an opened one.
    view_->ReplaceTextInSteps(editorText, [](qint64, qint64) { return true; });
    view_->SetModify(true);
    // The old path stays, so Save writes where the work belongs; it does not
    // enter the recent files, nothing was opened.
    path_ = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    title_ = path_.isEmpty() ? DocTemplate::DocumentName() : FileTitleOf(path_);
    modified_ = false;
    SetModifiedFlag(true);
    // Positions of the text: the editor may part its lines otherwise now.
    QTextCursor cursor = view_->textCursor();
    cursor.setPosition(view_->EditorPosition(anchor));
    cursor.setPosition(view_->EditorPosition(position), QTextCursor::KeepAnchor);
    view_->setTextCursor(cursor);
    view_->ensureCursorVisible();
}

bool CCalcDoc::OnFileSave() {
    const QFileInfo info(path_);
    if (!path_.isEmpty() && info.isFile() && info.isWritable()) return DoSave(path_, true);
    return DoSave(QString(), true);
}

bool CCalcDoc::OnFileSaveAs() { return DoSave(QString(), true); }

bool CCalcDoc::DoSave(const QString& path, bool replace) {
    QString target = path;
    // Another program's changes are not overwritten unasked.
    if (!target.isEmpty() && SameFilePath(target, path_) && ChangedOnDisk(stamp_, target)) {
        const QString prompt = LoadString(StringId::ChangedOnDiskQuestion).arg(FileTitleOf(target));
        switch (AppMessageBox(prompt, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, 0)) {
            case IDYES:
                break;
            case IDNO:
                target.clear();  // under another name
                break;
            default:
                return false;
        }
    }
    if (target.isEmpty()) {
        CCalcFileDialog dialog(false, QStringLiteral("tvc"),
                               ProposedSaveName(path_, title_, DocTemplate::FilterExtension()),
                               CCalcFileDialog::kDefaultFlags, CCalcFileDialog::kCalculationFilter,
                               Owner());
        dialog.SetTitle(LoadString(StringId::SaveAsTitle));
        dialog.SetFolder(CCalcFileDialog::Folder::Calculation);
        if (dialog.DoModal() != IDOK) return false;
        target = dialog.GetPathName();
    }
    // Nothing of a failed write is left behind: the new file replaces the
    // old one only once it is complete.
    if (!WriteDocument(target)) return false;
    if (replace) SetPathName(target);
    SetModifiedFlag(false);
    return true;
}

bool CCalcDoc::WriteDocument(const QString& path) {
    const std::string bytes =
        NCalculatorText::EncodeCalculationFile(FileTextFromEditorText(view_->EditorText()));
    NCalculatorText::FileOutcome outcome;
    {
        WaitCursor wait;
        outcome = NCalculatorText::ReplaceFile(NativePath(path), bytes);
    }
    if (outcome.Ok()) {
        stamp_ = StampOfFile(path, bytes);
        return true;
    }
    AppMessageBox(FileOutcomeMessage(outcome, path, false), MB_ICONEXCLAMATION, 0);
    return false;
}

// ---- Memory and execute files ---------------------------------------------

void CCalcDoc::ExecuteFile(const QString& filter, const QString& defaultExtension) {
    CCalcFileDialog dialog(true, defaultExtension, QString(), CCalcFileDialog::kDefaultFlags,
                           filter, Owner());
    // Memory files have their folder, executed calculations theirs.
    dialog.SetFolder(filter == CCalcFileDialog::kMemoryLoadFilter
                         ? CCalcFileDialog::Folder::Memory
                         : CCalcFileDialog::Folder::Execute);
    if (dialog.DoModal() != IDOK) return;

    // A large file's text is mapped apart and goes back to the system as the
    // run reads it: only the memory and the log are kept.
    std::optional<CCalcView::LargeBlocksMapped> mapped;
    if (QFileInfo(dialog.GetPathName()).size() > 2 * CCalcView::kPieceUnits) mapped.emplace();
    std::u16string text;
    switch (ReadTextToExecute(dialog.GetPathName(), text)) {
        case ReadFileResult::TooLarge:
            AppMessageBox(FileTooLargeMessage(dialog.GetPathName()), MB_ICONEXCLAMATION, 0);
            return;
        case ReadFileResult::CannotOpen:
            AppMessageBox(LoadString(StringId::CannotOpenForReading), MB_ICONEXCLAMATION, 0);
            return;
        case ReadFileResult::NothingRead:
            AppMessageBox(LoadString(StringId::CannotReadFile), MB_ICONEXCLAMATION, 0);
            return;
        case ReadFileResult::Read:
            break;
    }
    // Only the memory and log effects count; the rewritten text is dropped.
    // Its diagnostics point into no text of the editor.
    sources_.clear();
    sourceSeverities_.clear();
    failedStart_ = failedEnd_ = -1;
    int32_t position = -1;
    NCalculatorText::FailedCell failed;
    bool cancelled = false;
    const MemorySnapshot memoryBefore;
    LongTask task(view_, tr("Executing %1\u2026").arg(FileTitleOf(dialog.GetPathName())));
    NCalculatorText::RunControl control;
    ReadPages read(text.data(), text.size() * sizeof(char16_t));
    if (mapped)
        control.released = [&read](std::size_t upTo) { read.DoneUpTo(upTo * sizeof(char16_t)); };
    CalculateAllCells(text, position, failed, task, 100, cancelled, control);
    if (cancelled) memoryBefore.Restore();
    emit ResultChanged();
    emit MemoryChanged();
}

void CCalcDoc::OnFileExecute() {
    ExecuteFile(CCalcFileDialog::kCalculationFilter, QStringLiteral("tvc"));
}

void CCalcDoc::OnMemoryLoad() {
    ExecuteFile(CCalcFileDialog::kMemoryLoadFilter, QStringLiteral("tvm"));
}

void CCalcDoc::OnMemorySave() {
    const std::u16string text = NCalculatorText::FormatMemoryFile(true);
    CCalcFileDialog dialog(false, QStringLiteral("tvm"), tr("Memory 1"),
                           CCalcFileDialog::kDefaultFlags, CCalcFileDialog::kMemorySaveFilter,
                           Owner());
    dialog.SetFolder(CCalcFileDialog::Folder::Memory);
    if (dialog.DoModal() != IDOK) return;
    const NCalculatorText::FileOutcome written = WriteMemoryFile(dialog.GetPathName(), text);
    if (written.failure == NCalculatorText::FileFailure::PartlyWritten)
        AppMessageBox(PartlyWrittenMessage(dialog.GetPathName()), MB_ICONEXCLAMATION, 0);
    else if (!written.Ok())
        AppMessageBox(LoadString(StringId::CannotOpenForWriting), MB_ICONEXCLAMATION, 0);
}
