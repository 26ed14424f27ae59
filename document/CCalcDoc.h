// The one calculation document: file identity (path, title, changed flag),
// calculation files, and the receiver of the whole-text and memory commands.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTextCursor>

#include "document/DocumentFiles.h"
#include "document/ICmdReceiver.h"

class CCalcView;
class QWidget;

class CCalcDoc : public QObject, public ICmdReceiver {
    Q_OBJECT
public:
    enum class OpenResult { Opened, AlreadyOpen, Cancelled, Failed };

    explicit CCalcDoc(QObject* parent = nullptr);

    // The one view; the document keeps no text of its own.
    void SetView(CCalcView* view);
    CCalcView* View() const { return view_; }

    // ICmdReceiver
    void ExecuteCommand(int command) override;
    void InsertText(const QString& text) override;

    // Identity.
    const QString& GetPathName() const { return path_; }
    const QString& GetTitle() const { return title_; }
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified);

    // File commands.
    bool OnNewDocument();                              // New: asks to save first
    void OnFileOpen();                                 // Open...: dialog, then OpenDocumentFile
    OpenResult OpenDocumentFile(const QString& path);  // recent file, drop, command line
    bool OnFileSave();                                 // Save
    bool OnFileSaveAs();                               // Save As...
    bool SaveModified();  // the save-changes question; false stops the caller
    // Recovered work in place of the document, without a question: the text
    // as unsaved changes to path (none: a new calculation), the caret as kept.
    void RestoreRecovered(const QString& editorText, const QString& path, int anchor, int position);

    // Memory and execute files.
    void OnFileExecute();
    void OnMemoryLoad();
    void OnMemorySave();
    void OnMemoryFree() { ExecuteCommand(FreeMemory); }

    // Runs a file's text against the memory; the editor is untouched.
    void ExecuteFile(const QString& filter, const QString& defaultExtension);

    // Selects the expression of the cell the last failed run stopped at and
    // gives the editor the focus (a double-click on an error of the log).
    void SelectFailedCell();
    // Selects where the diagnostic of a log row came from: the failing cell
    // for an error, the expression that raised it for a warning.
    void SelectDiagnosticSource(int row);
    // The sources of the last run's diagnostics, in log order (they follow
    // later edits).
    const QList<QTextCursor>& DiagnosticSources() const { return sources_; }

    // The colours of the marks of a failed cell and of a warning.
    static QColor ErrorMarkColour();
    static QColor WarningMarkColour(const QPalette& palette);

signals:
    // The title or the changed flag changed: the frame rebuilds its title.
    void TitleChanged();
    // A path was opened or saved: it enters the recent-file list.
    void PathUsed(const QString& path);
    // Refresh hooks after calculations and memory changes, in this order.
    void ResultChanged();
    void MemoryChanged();

private:
    void Calculate(bool allCells);
    void MarkFailedCell(int start, int end);
    void MarkWarnings();
    // Shows the text at `position` without moving the caret.
    void ScrollIntoView(int position);
    void ClearFailedMark();
    void DeleteSelection(int start, int end);
    bool DoSave(const QString& path, bool replace);
    bool WriteDocument(const QString& path);
    void SetPathName(const QString& path);
    void ResetToNew();
    QWidget* Owner() const;

    CCalcView* view_ = nullptr;
    QString path_;
    // The file as it was opened or last saved here.
    DiskStamp stamp_;
    QString title_;
    bool modified_ = false;
    // The failing cell of the last failed run.
    int failedStart_ = -1;
    int failedEnd_ = -1;
    QList<QTextCursor> sources_;
    QList<int> sourceSeverities_;
};
