#include "document/CCalcDoc.h"

#include <QAbstractUndoItem>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "document/CCalcFileDialog.h"
#include "document/CCalcView.h"
#include "document/DocumentFiles.h"
#include "document/MemoryFiles.h"
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

// Where a position of the text before a calculation stands after it. A run
// rewrites cells but never adds or removes a ";", so the position keeps its
// cell and, within it, its place against the unchanged start or end.
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

int PositionAfterCalculation(const QString& before, const QString& after, int position) {
    const qsizetype p = std::clamp<qsizetype>(position, 0, before.size());
    qsizetype oldStart = 0;
    qsizetype newStart = 0;
    for (qsizetype i = 0; i < p; ++i) {
        if (before[i] != QLatin1Char(';')) continue;
        oldStart = i + 1;
        newStart = after.indexOf(QLatin1Char(';'), newStart) + 1;
        if (newStart == 0) return static_cast<int>(std::min(p, after.size()));  // not a calculation
    }
    qsizetype oldEnd = before.indexOf(QLatin1Char(';'), oldStart);
    if (oldEnd < 0) oldEnd = before.size();
    qsizetype newEnd = after.indexOf(QLatin1Char(';'), newStart);
    if (newEnd < 0) newEnd = after.size();
    const qsizetype oldLength = oldEnd - oldStart;
    const auto [head, tail] = CommonEndsOf(QStringView(before).mid(oldStart, oldLength),
                                           QStringView(after).mid(newStart, newEnd - newStart));
    const qsizetype offset = p - oldStart;
    if (offset <= head) return static_cast<int>(newStart + offset);
    if (offset >= oldLength - tail) return static_cast<int>(newEnd - (oldLength - offset));
    return static_cast<int>(newStart + head);  // in the rewritten part: at its start
}

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
            if (start == end && start > 0) --start;
            DeleteSelection(start, end);
            return;
        }
        case CalculateCell:
            Calculate(false);
            return;
        case CalculateAll:
            Calculate(true);
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
    const qsizetype selected = [&] {
        const QString s = view_->textCursor().selectedText();
        return s.size() + s.count(QChar::ParagraphSeparator);
    }();
    inserted = CCalcView::FitText(inserted, kEditorTextLimit - (view_->TextLength() - selected));
    QTextCursor cursor = view_->textCursor();
    cursor.insertText(inserted);
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
    const QString before = view_->EditorText();
    std::u16string text = U16FromQString(before);
    const QTextCursor caret = view_->textCursor();
    const int anchorBefore = caret.anchor();
    const int positionBefore = caret.position();
    int32_t position = allCells ? -1 : caret.selectionStart();
    NCalculatorText::FailedCell failed;
    const bool ok = NCalculatorText::CalculateText(text, position, failed);
    const QString after = QStringFromU16(text);

    // The caret after the command: the driver's position, or the old
    // selection after a failure.
    const auto finalCursor = [&] {
        QTextCursor cursor(view_->document());
        if (!ok) {
            cursor.setPosition(PositionAfterCalculation(before, after, anchorBefore));
            cursor.setPosition(PositionAfterCalculation(before, after, positionBefore),
                               QTextCursor::KeepAnchor);
        } else if (ok && position >= 0) {
            cursor.setPosition(std::min<int>(position, view_->document()->characterCount() - 1));
        } else {
            cursor.setPosition(std::min(positionBefore, view_->document()->characterCount() - 1));
        }
        return cursor;
    };

    // Only the changed stretch is replaced, as one undoable step: the rest of
    // the text, its layout and the view stay as they are.
    const auto [head, tail] = CommonEndsOf(before, after);

    QTextCursor cursor;
    if (head == before.size() && head == after.size()) {
        cursor = finalCursor();
    } else {
        QTextCursor edit(view_->document());
        edit.beginEditBlock();
        edit.setPosition(static_cast<int>(head));
        edit.setPosition(static_cast<int>(before.size() - tail), QTextCursor::KeepAnchor);
        edit.insertText(after.mid(head, after.size() - head - tail));
        cursor = finalCursor();
        view_->document()->appendUndoItem(new CaretUndoItem(view_, anchorBefore, positionBefore,
                                                            cursor.anchor(), cursor.position()));
        edit.endEditBlock();
    }
    view_->SetModify(true);
    // The results are part of the work: the document counts as changed.
    SetModifiedFlag(true);
    view_->setTextCursor(cursor);
    view_->ensureCursorVisible();
    if (!ok) MarkFailedCell(failed.start, failed.end);

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
    mark.format.setUnderlineColor(QColor(0xD0, 0x10, 0x10));
    view_->setExtraSelections({mark});
}

void CCalcDoc::ClearFailedMark() {
    // The failed-cell mark is the view's only extra selection.
    if (!view_->extraSelections().isEmpty()) view_->setExtraSelections({});
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

void CCalcDoc::ReportFileError(int systemError, int qtError, const QString& path, bool opening) {
    const FileErrorCause cause =
        FileErrorCauseOf(systemError, static_cast<QFileDevice::FileError>(qtError), path);
    AppMessageBox(FileErrorMessage(cause, path, opening), MB_ICONEXCLAMATION, 0);
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
    std::u16string text;
    if (outcome.Ok()) {
        text = NCalculatorText::DecodeFileText(bytes);
        bytes = std::string();
        // Counted as the editor counts, line breaks as two units.
        if (FileTextEditorLength(text) > static_cast<qsizetype>(NCalculatorText::kFileTextLimit))
            outcome.failure = NCalculatorText::FileFailure::TooLarge;
    }
    // More than the program can hold comfortably: refuse it, keep the document.
    if (outcome.failure == NCalculatorText::FileFailure::TooLarge) {
        AppMessageBox(FileTooLargeMessage(fullPath), MB_ICONEXCLAMATION, 0);
        return OpenResult::Failed;
    }
    if (!outcome.Ok()) {
        ReportFileError(outcome.systemError, QFileDevice::OpenError, fullPath, true);
        return OpenResult::Failed;
    }

    view_->ReplaceText(EditorTextFromFileText(text));
    view_->SetModify(true);
    modified_ = false;
    SetPathName(fullPath);
    return OpenResult::Opened;
}

bool CCalcDoc::OnFileSave() {
    const QFileInfo info(path_);
    if (!path_.isEmpty() && info.isFile() && info.isWritable()) return DoSave(path_, true);
    return DoSave(QString(), true);
}

bool CCalcDoc::OnFileSaveAs() { return DoSave(QString(), true); }

bool CCalcDoc::DoSave(const QString& path, bool replace) {
    QString target = path;
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
    if (outcome.Ok()) return true;
    ReportFileError(outcome.systemError, QFileDevice::WriteError, path, false);
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
    int32_t position = -1;
    NCalculatorText::CalculateText(text, position);
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
    if (!WriteMemoryFile(dialog.GetPathName(), text))
        AppMessageBox(LoadString(StringId::CannotOpenForWriting), MB_ICONEXCLAMATION, 0);
}
