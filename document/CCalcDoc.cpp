#include "document/CCalcDoc.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextCursor>

#include "document/CCalcFileDialog.h"
#include "document/CCalcView.h"
#include "engine/CalculateText.h"
#include "document/DocumentFiles.h"
#include "engine/FileText.h"
#include "document/MemoryFiles.h"
#include "engine/MemoryStore.h"
#include "shell/core/MessageBox.h"
#include "engine/Preferences.h"
#include "shell/core/StringIds.h"

using NCalculatorText::MemoryStore;

namespace {

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

std::u16string ToU16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

QString FromU16(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CCalcDoc::CCalcDoc(QObject* parent) : QObject(parent), m_title(DocTemplate::DocumentName()) {}

void CCalcDoc::SetView(CCalcView* view) {
    m_view = view;
    connect(view, &CCalcView::Edited, this, [this] { SetModifiedFlag(true); });
}

QWidget* CCalcDoc::Owner() const { return m_view != nullptr ? m_view->window() : nullptr; }

void CCalcDoc::SetModifiedFlag(bool modified) {
    if (m_modified == modified) return;
    m_modified = modified;
    emit TitleChanged();
}

// ---- ICmdReceiver --------------------------------------------------------

void CCalcDoc::ExecuteCommand(int command) {
    switch (command) {
        case ClearAll: {
            if (m_view->TextLength() == 0) return;
            if (Preferences.ClearConfirmation != 0 &&
                AppMessageBox(LoadString(StringId::ClearAllQuestion), MB_YESNO | MB_ICONQUESTION,
                              0) != IDYES)
                return;
            DeleteSelection(0, -1);
            return;
        }
        case DeleteBack: {
            const QTextCursor cursor = m_view->textCursor();
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
        const QString s = m_view->textCursor().selectedText();
        return s.size() + s.count(QChar::ParagraphSeparator);
    }();
    inserted = CCalcView::FitText(inserted, kEditorTextLimit - (m_view->TextLength() - selected));
    QTextCursor cursor = m_view->textCursor();
    cursor.insertText(inserted);
    m_view->setTextCursor(cursor);
    m_view->ensureCursorVisible();
}

void CCalcDoc::DeleteSelection(int start, int end) {
    QTextCursor cursor = m_view->textCursor();
    cursor.setPosition(start);
    if (end < 0)
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    else
        cursor.setPosition(end, QTextCursor::KeepAnchor);
    m_view->setTextCursor(cursor);
    m_view->ensureCursorVisible();
    cursor.removeSelectedText();
    m_view->setTextCursor(cursor);
}

void CCalcDoc::Calculate(bool allCells) {
    std::u16string text = ToU16(m_view->EditorText());
    int32_t position = allCells ? -1 : m_view->textCursor().selectionStart();
    NCalculatorText::CalculateText(text, position);

    // Replacing the whole text empties the undo history: no undo of a calculation.
    m_view->ReplaceText(FromU16(text));
    m_view->SetModify(true);
    // The results are part of the work: the document counts as changed.
    SetModifiedFlag(true);

    QTextCursor cursor = m_view->textCursor();
    if (position >= 0) {
        const int last = m_view->document()->characterCount() - 1;
        cursor.setPosition(std::min<int>(position, last));
    } else {
        cursor.clearSelection();
    }
    m_view->setTextCursor(cursor);
    m_view->ensureCursorVisible();

    emit ResultChanged();
    emit MemoryChanged();
}

// ---- Documents -----------------------------------------------------------

void CCalcDoc::ResetToNew() {
    m_view->ReplaceText(QString());
    m_view->SetModify(false);
    m_path.clear();
    m_title = DocTemplate::DocumentName();
    m_modified = false;
    emit TitleChanged();
}

bool CCalcDoc::OnNewDocument() {
    if (!SaveModified()) return false;
    ResetToNew();
    return true;
}

void CCalcDoc::SetPathName(const QString& path) {
    m_path = QFileInfo(path).absoluteFilePath();
    m_title = FileTitleOf(m_path);
    emit PathUsed(m_path);
    emit TitleChanged();
}

bool CCalcDoc::SaveModified() {
    if (!IsModified()) return true;
    QString name = m_path.isEmpty() ? m_title : FileTitleOf(m_path);
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
    if (dialog.DoModal() != IDOK) return;
    OpenDocumentFile(dialog.GetPathName());
}

void CCalcDoc::ReportFileError(int systemError, int qtError, const QString& path, bool opening) {
    const FileErrorCause cause =
        FileErrorCauseOf(systemError, static_cast<QFileDevice::FileError>(qtError), path);
    AppMessageBox(FileErrorMessage(cause, path, opening), MB_ICONEXCLAMATION, 0);
}

CCalcDoc::OpenResult CCalcDoc::OpenDocumentFile(const QString& path) {
    if (SameFilePath(path, m_path)) return OpenResult::AlreadyOpen;
    if (!SaveModified()) return OpenResult::Cancelled;

    const QString fullPath = QFileInfo(path).absoluteFilePath();
    QFile file(fullPath);
    if (QFileInfo(fullPath).isDir()) {
        ReportFileError(0, QFileDevice::PermissionsError, fullPath, true);
        return OpenResult::Failed;
    }
    ClearSystemError();
    if (!file.open(QIODevice::ReadOnly)) {
        const int systemError = LastSystemError();
        ReportFileError(systemError, file.error(), fullPath, true);
        return OpenResult::Failed;
    }

    QByteArray bytes;
    {
        WaitCursor wait;
        ClearSystemError();
        bytes = file.readAll();
    }
    if (file.error() != QFileDevice::NoError) {
        const int systemError = LastSystemError();
        ReportFileError(systemError, file.error(), fullPath, true);
        ResetToNew();
        return OpenResult::Failed;
    }
    file.close();

    const std::u16string text = NCalculatorText::DecodeFileText(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    // More than the editor holds would be cut on display and lost at the next
    // save: refuse it and keep the open document.
    if (static_cast<qsizetype>(text.size()) > kEditorTextLimit) {
        AppMessageBox(FileTooLargeMessage(fullPath), MB_ICONEXCLAMATION, 0);
        return OpenResult::Failed;
    }

    m_view->ReplaceText(EditorTextFromFileText(text));
    m_view->SetModify(true);
    m_modified = false;
    SetPathName(fullPath);
    return OpenResult::Opened;
}

bool CCalcDoc::OnFileSave() {
    const QFileInfo info(m_path);
    if (!m_path.isEmpty() && info.isFile() && info.isWritable()) return DoSave(m_path, true);
    return DoSave(QString(), true);
}

bool CCalcDoc::OnFileSaveAs() { return DoSave(QString(), true); }

bool CCalcDoc::DoSave(const QString& path, bool replace) {
    QString target = path;
    if (target.isEmpty()) {
        CCalcFileDialog dialog(false, QStringLiteral("tvc"),
                               ProposedSaveName(m_path, m_title, DocTemplate::FilterExtension()),
                               CCalcFileDialog::kDefaultFlags, CCalcFileDialog::kCalculationFilter,
                               Owner());
        dialog.SetTitle(LoadString(StringId::SaveAsTitle));
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
        NCalculatorText::EncodeCalculationFile(FileTextFromEditorText(m_view->EditorText()));
    int systemError = 0;
    QFileDevice::FileError qtError = QFileDevice::NoError;
    if (QFileInfo(path).isDir()) {
        qtError = QFileDevice::PermissionsError;  // a folder: access denied
    } else {
        WaitCursor wait;
        QSaveFile file(path);
        ClearSystemError();
        if (!file.open(QIODevice::WriteOnly)) {
            systemError = LastSystemError();
            qtError = file.error() != QFileDevice::NoError ? file.error() : QFileDevice::OpenError;
        } else {
            ClearSystemError();
            const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
            // Flushed here: commit() does not report a failing final flush.
            if (written != static_cast<qint64>(bytes.size()) || !file.flush()) {
                systemError = LastSystemError();
                qtError =
                    file.error() != QFileDevice::NoError ? file.error() : QFileDevice::WriteError;
                file.cancelWriting();
                file.commit();
            } else {
                ClearSystemError();
                if (!file.commit()) {
                    systemError = LastSystemError();
                    qtError = file.error() != QFileDevice::NoError ? file.error()
                                                                   : QFileDevice::WriteError;
                }
            }
        }
    }
    if (qtError == QFileDevice::NoError && systemError == 0) return true;
    ReportFileError(systemError, qtError, path, false);
    return false;
}

// ---- Memory and execute files ---------------------------------------------

void CCalcDoc::ExecuteFile(const QString& filter, const QString& defaultExtension) {
    CCalcFileDialog dialog(true, defaultExtension, QString(), CCalcFileDialog::kDefaultFlags,
                           filter, Owner());
    if (dialog.DoModal() != IDOK) return;

    std::u16string text;
    switch (ReadTextToExecute(dialog.GetPathName(), text)) {
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
    if (dialog.DoModal() != IDOK) return;
    if (!WriteMemoryFile(dialog.GetPathName(), text))
        AppMessageBox(LoadString(StringId::CannotOpenForWriting), MB_ICONEXCLAMATION, 0);
}
