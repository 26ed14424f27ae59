// The calculation document: receiver commands, questions, files.
#include <sys/stat.h>

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <cerrno>
#include <map>

#ifdef Q_OS_UNIX
#include <sys/resource.h>

#include <csignal>
#endif

#include "document/CCalcDoc.h"
#include "document/CCalcFontDialog.h"
#include "document/CCalcView.h"
#include "document/DocumentFiles.h"
#include "document/EditorFont.h"
#include "document/LongTask.h"
#include "document/MemoryFiles.h"
#include "engine/CalculateText.h"
#include "engine/FileText.h"
#include "engine/MemoryStore.h"
#include "engine/Preferences.h"
#include "tests/document/ScriptedUi.h"
#include "tests/support/ProcessState.h"
#include "toolkit/U16Text.h"

using NCalculatorText::MemoryStore;

namespace {

const unsigned kQuestion = MB_YESNO | MB_ICONQUESTION;
const QString kSaveChanges = QStringLiteral("Save changes to \u201c%1\u201d?");

}  // namespace

class TestCalcDoc : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    CCalcView* view_ = nullptr;
    CCalcDoc* doc_ = nullptr;
    std::unique_ptr<TempSettings> settings_;

    QString PathOf(const QString& name) const { return dir_.filePath(name); }
    enum class FileCommand { Open, SaveAs, Execute, MemoryLoad, MemorySave };

    // Text in the editor as a user would leave it: typed, so the document counts it as an edit.
    void Type(const QString& text) {
        view_->setFocus();
        QTest::keyClicks(view_, text);
    }
    void SetText(const QString& text) {
        view_->ReplaceText(text);
        doc_->SetModifiedFlag(false);
    }
    void Select(int start, int end) {
        QTextCursor cursor = view_->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        view_->setTextCursor(cursor);
    }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        // File dialogs remember their folders in the settings.
        settings_ = std::make_unique<TempSettings>();
        ResetProcessState();
        view_ = new CCalcView;
        doc_ = new CCalcDoc;
        doc_->SetView(view_);
    }
    void cleanup() {
        delete doc_;
        delete view_;
        settings_.reset();
    }

    // ---- ClearAll ----
    void clearAll_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty text asks nothing") << "" << true << IDYES << false << "";
        QTest::newRow("no confirmation deletes") << "1+1=2" << false << IDNO << false << "";
        QTest::newRow("confirmed with Yes") << "1+1=2;\n3" << true << IDYES << true << "";
        QTest::newRow("No keeps the text") << "1+1=2" << true << IDNO << true << "1+1=2";
        QTest::newRow("Cancel keeps the text") << "1+1=2" << true << IDCANCEL << true << "1+1=2";
    }
    void clearAll() {
        QFETCH(QString, text);
        QFETCH(bool, confirm);
        QFETCH(int, answer);
        QFETCH(bool, asks);
        QFETCH(QString, after);
        MemoryStore::Instance().Assign(u"x", 2);
        Preferences.ClearConfirmation = confirm ? 1 : 0;
        SetText(text);
        ScriptedMessages messages({answer});
        doc_->ExecuteCommand(ClearAll);
        QCOMPARE(view_->EditorText(), after);
        QCOMPARE(MemoryStore::Instance().Count(), std::size_t(1));
        QCOMPARE(messages.asked.size(), asks ? 1 : 0);
        if (asks) {
            QCOMPARE(messages.asked[0].text, QStringLiteral("Clear all the calculations?"));
            QCOMPARE(messages.asked[0].type, kQuestion);
            QCOMPARE(messages.asked[0].help, 0u);
        }
    }
    void clearAllIsUndoable() {
        Type("1+1=2");
        doc_->ExecuteCommand(ClearAll);
        QCOMPARE(view_->EditorText(), QString());
        QVERIFY(doc_->IsModified());
        view_->undo();
        QCOMPARE(view_->EditorText(), QStringLiteral("1+1=2"));
    }

    // ---- DeleteBack ----
    void deleteBack_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::newRow("selection goes exactly") << "abcdefg" << 2 << 5 << "abfg" << 2;
        QTest::newRow("backward selection") << "abcdefg" << 5 << 2 << "abfg" << 2;
        QTest::newRow("code unit before the caret") << "abcdefg" << 3 << 3 << "abdefg" << 2;
        QTest::newRow("caret at 0 deletes nothing") << "abc" << 0 << 0 << "abc" << 0;
        QTest::newRow("line break before the caret") << "ab\ncd" << 3 << 3 << "abcd" << 2;
    }
    void deleteBack() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(QString, after);
        QFETCH(int, caret);
        SetText(text);
        Select(start, end);
        ScriptedMessages messages;
        doc_->ExecuteCommand(DeleteBack);
        QCOMPARE(view_->EditorText(), after);
        QCOMPARE(view_->textCursor().position(), caret);
        QVERIFY(messages.asked.isEmpty());
        QCOMPARE(doc_->IsModified(), after != text);
        if (after != text) {
            view_->undo();
            QCOMPARE(view_->EditorText(), text);
        }
    }

    // ---- CalculateCell / CalculateAll ----
    void calculate_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::addColumn<double>("result");
        QTest::newRow("cell at the caret")
            << "1+1=;\n2*3=" << 8 << 8 << int(CalculateCell) << "1+1=;\n2*3=6" << 11 << 6.0;
        QTest::newRow("selection: the cell of its start")
            << "1+1=;\n2*3=" << 1 << 9 << int(CalculateCell) << "1+1=2;\n2*3=" << 6 << 2.0;
        QTest::newRow("backward selection: the lower end")
            << "1+1=;\n2*3=" << 9 << 1 << int(CalculateCell) << "1+1=2;\n2*3=" << 6 << 2.0;
        QTest::newRow("cell without =")
            << "7*6" << 3 << 3 << int(CalculateCell) << "7*6=42" << 6 << 42.0;
        QTest::newRow("all cells")
            << "1+1=;\n2*3=" << 1 << 1 << int(CalculateAll) << "1+1=2;\n2*3=6" << 12 << 6.0;
    }
    void calculate() {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(int, command);
        QFETCH(QString, after);
        QFETCH(int, caret);
        QFETCH(double, result);
        SetText(text);
        Select(selStart, selEnd);
        QStringList hooks;
        connect(doc_, &CCalcDoc::ResultChanged, this, [&] { hooks << "result"; });
        connect(doc_, &CCalcDoc::MemoryChanged, this, [&] { hooks << "memory"; });
        doc_->ExecuteCommand(command);
        QCOMPARE(view_->EditorText(), after);
        QCOMPARE(view_->textCursor().position(), caret);
        QVERIFY(!view_->textCursor().hasSelection());
        QCOMPARE(NCalculatorText::lastResult, result);
        QCOMPARE(hooks, QStringList({"result", "memory"}));
        // Results count as a change; the calculation is one undoable step
        // that gives back text and selection, and redo applies it again.
        QVERIFY(doc_->IsModified());
        QVERIFY(view_->GetModify());
        view_->undo();
        QCoreApplication::processEvents();
        QCOMPARE(view_->EditorText(), text);
        QCOMPARE(view_->textCursor().anchor(), selStart);
        QCOMPARE(view_->textCursor().position(), selEnd);
        QVERIFY(!view_->document()->isUndoAvailable());
        view_->redo();
        QCoreApplication::processEvents();
        QCOMPARE(view_->EditorText(), after);
        QCOMPARE(view_->textCursor().position(), caret);
    }
    void undoOfAFailedRunBringsTheResultBack() {
        // Text typed after the last "=" and the old result of a failing cell
        // are lost by a calculation; one undo brings both back.
        Type("2+2=4 and then 3*3;1/0=7");
        Select(3, 3);
        doc_->ExecuteCommand(CalculateAll);
        QCOMPARE(view_->EditorText(), QStringLiteral("2+2=4   ;1/0"));
        QCOMPARE(view_->textCursor().position(), 3);
        view_->undo();
        QCOMPARE(view_->EditorText(), QStringLiteral("2+2=4 and then 3*3;1/0=7"));
        view_->undo();  // the typing goes next, not before
        QCOMPARE(view_->EditorText(), QString());
    }
    void viewStaysStillAfterCalculate() {
        QStringList lines;
        for (int i = 0; i < 3000; ++i) lines << QStringLiteral("%1*2=;").arg(i);
        SetText(lines.join('\n'));
        view_->resize(400, 300);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_));
        const QTextBlock line = view_->document()->findBlockByNumber(1500);
        Select(line.position() + 2, line.position() + 2);
        view_->centerCursor();
        const int top = view_->verticalScrollBar()->value();
        doc_->ExecuteCommand(CalculateCell);
        QCOMPARE(view_->document()->findBlockByNumber(1500).text(), QStringLiteral("1500*2=3000;"));
        QCOMPARE(view_->verticalScrollBar()->value(), top);
    }
    void failedRunMarksAndSelectsTheCell() {
        SetText("1+1=;\n  2*  =5;\n3");
        Select(12, 12);
        doc_->ExecuteCommand(CalculateAll);
        QCOMPARE(view_->EditorText(), QStringLiteral("1+1=2;\n  2*  ;\n3"));
        QCOMPARE(view_->textCursor().position(), 13);  // still before the ";"
        QCOMPARE(view_->extraSelections().size(), 1);
        QCOMPARE(view_->extraSelections()[0].cursor.selectedText(), QStringLiteral("2*"));
        QCOMPARE(view_->extraSelections()[0].format.underlineStyle(),
                 QTextCharFormat::WaveUnderline);
        doc_->SelectFailedCell();
        QCOMPARE(view_->textCursor().selectedText(), QStringLiteral("2*"));
        Type("7");
        QVERIFY(view_->extraSelections().isEmpty());  // gone with the next edit
    }
    void failedRunKeepsTheCaret() {
        SetText("1+1=;\n2*=;\n3");
        Select(8, 8);
        doc_->ExecuteCommand(CalculateCell);
        // The failing cell has lost its "=", the caret stays.
        QCOMPARE(view_->EditorText(), QStringLiteral("1+1=;\n2*;\n3"));
        QCOMPARE(view_->textCursor().position(), 8);
        // Also after Calculate all, where earlier results move the text.
        SetText("1+1=;\n2*=;\n3");
        Select(9, 7);
        doc_->ExecuteCommand(CalculateAll);
        QCOMPARE(view_->EditorText(), QStringLiteral("1+1=2;\n2*;\n3"));
        QCOMPARE(view_->textCursor().anchor(), 9);    // the same ";"
        QCOMPARE(view_->textCursor().position(), 8);  // the same "*"
    }
    void unknownCommandDoesNothing() {
        SetText("1+1");
        MemoryStore::Instance().Assign(u"x", 1);
        ScriptedMessages messages;
        doc_->ExecuteCommand(5);
        doc_->ExecuteCommand(-1);
        QCOMPARE(view_->EditorText(), QStringLiteral("1+1"));
        QCOMPARE(MemoryStore::Instance().Count(), std::size_t(1));
        QVERIFY(!doc_->IsModified());
        QVERIFY(messages.asked.isEmpty());
    }
    void insertTextReplacesTheSelection() {
        SetText("sin(x)");
        Select(0, 3);
        doc_->InsertText("cos");
        QCOMPARE(view_->EditorText(), QStringLiteral("cos(x)"));
        QCOMPARE(view_->textCursor().position(), 3);
        QVERIFY(doc_->IsModified());
        view_->undo();
        QCOMPARE(view_->EditorText(), QStringLiteral("sin(x)"));
    }

    // ---- FreeMemory ----
    void freeMemory_data() {
        QTest::addColumn<int>("cells");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<int>("left");
        QTest::newRow("empty store asks nothing") << 0 << true << IDYES << false << 0;
        QTest::newRow("no confirmation erases") << 2 << false << IDNO << false << 0;
        QTest::newRow("Yes erases") << 2 << true << IDYES << true << 0;
        QTest::newRow("No keeps") << 2 << true << IDNO << true << 2;
        QTest::newRow("Cancel keeps") << 2 << true << IDCANCEL << true << 2;
    }
    void freeMemory() {
        QFETCH(int, cells);
        QFETCH(bool, confirm);
        QFETCH(int, answer);
        QFETCH(bool, asks);
        QFETCH(int, left);
        for (int i = 0; i < cells; ++i) MemoryStore::Instance().Assign(i == 0 ? u"a" : u"b", i);
        Preferences.FreeConfirmation = confirm ? 1 : 0;
        SetText("1");
        QSignalSpy memory(doc_, &CCalcDoc::MemoryChanged);
        QSignalSpy result(doc_, &CCalcDoc::ResultChanged);
        ScriptedMessages messages({answer});
        doc_->ExecuteCommand(FreeMemory);
        QCOMPARE(int(MemoryStore::Instance().Count()), left);
        QCOMPARE(messages.asked.size(), asks ? 1 : 0);
        if (asks) {
            QCOMPARE(messages.asked[0].text, QStringLiteral("Erase all the memory?"));
            QCOMPARE(messages.asked[0].type, kQuestion);
        }
        QCOMPARE(memory.count(), left < cells ? 1 : 0);
        QCOMPARE(result.count(), 0);
        QCOMPARE(view_->EditorText(), QStringLiteral("1"));
    }

    // ---- Save-changes question ----
    void saveChangesOnNew_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("proceeds");
        QTest::addColumn<bool>("saves");
        QTest::newRow("Yes saves, then new") << IDYES << true << true;
        QTest::newRow("No: new without saving") << IDNO << true << false;
        QTest::newRow("Cancel stops") << IDCANCEL << false << false;
    }
    void saveChangesOnNew() {
        QFETCH(int, answer);
        QFETCH(bool, proceeds);
        QFETCH(bool, saves);
        Type("1+2");
        const QString target = PathOf("new-question.tvc");
        QFile::remove(target);
        ScriptedMessages messages({answer});
        ScriptedFiles files({target});
        QCOMPARE(doc_->OnNewDocument(), proceeds);
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text, kSaveChanges.arg("Calculation"));
        QCOMPARE(messages.asked[0].type, MB_YESNOCANCEL);
        QCOMPARE(messages.asked[0].help, 61699u);
        QCOMPARE(QFile::exists(target), saves);
        if (saves) {
            QCOMPARE(ReadFile(target), Utf16File("1+2"));
            QCOMPARE(files.seen.size(), 1);
            QCOMPARE(files.seen[0].proposedName, QStringLiteral("Calculation.tvc"));
            QCOMPARE(files.seen[0].title, QStringLiteral("Save As"));
            QCOMPARE(files.seen[0].defaultExtension, QStringLiteral("tvc"));
            QCOMPARE(files.seen[0].open, false);
            QCOMPARE(files.seen[0].flags, 0x00880804u);
            QCOMPARE(files.seen[0].filter,
                     QStringLiteral("Calculation files (*.tvc)|*.tvc|Memory files "
                                    "(*.tvm)|*.tvm|All files (*.*)|*.*||"));
        }
        QCOMPARE(view_->EditorText(), proceeds ? QString() : QStringLiteral("1+2"));
        QCOMPARE(doc_->GetTitle(), QStringLiteral("Calculation"));
        QCOMPARE(doc_->GetPathName(), QString());
        QCOMPARE(doc_->IsModified(), !proceeds);
    }
    void saveChangesNamesTheFile() {
        const QString path = PathOf("named.tvc");
        WriteFile(path, Utf16File("1"));
        QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::Opened);
        Type("+1");
        ScriptedMessages messages({IDNO});
        QVERIFY(doc_->SaveModified());
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text, kSaveChanges.arg("named.tvc"));
        QCOMPARE(ReadFile(path), Utf16File("1"));
    }
    void cancelledSaveDialogStopsTheOperation() {
        Type("5");
        ScriptedMessages messages({IDYES});
        ScriptedFiles files;  // Cancel in the Save As dialog
        QVERIFY(!doc_->OnNewDocument());
        QCOMPARE(view_->EditorText(), QStringLiteral("5"));
        QVERIFY(doc_->IsModified());
    }
    void unchangedDocumentAsksNothing() {
        SetText("1");
        ScriptedMessages messages;
        QVERIFY(doc_->OnNewDocument());
        QVERIFY(messages.asked.isEmpty());
    }

    // ---- Title and changed flag ----
    void changedFlagSignalsOnlyOnChange() {
        QSignalSpy title(doc_, &CCalcDoc::TitleChanged);
        Type("12");
        QVERIFY(doc_->IsModified());
        QCOMPARE(title.count(), 1);
        Type("3");
        QCOMPARE(title.count(), 1);
    }

    // ---- Open ----
    void openingTheOpenPathDoesNothing() {
        const QString path = PathOf("open-twice.tvc");
        WriteFile(path, Utf16File("1+1=2"));
        QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::Opened);
        Type("9");
        WriteFile(path, Utf16File("other"));
        ScriptedMessages messages;
        QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::AlreadyOpen);
        QCOMPARE(doc_->OpenDocumentFile(dir_.path() + "/./open-twice.tvc"),
                 CCalcDoc::OpenResult::AlreadyOpen);
        QVERIFY(messages.asked.isEmpty());
        QCOMPARE(view_->EditorText(), QStringLiteral("91+1=2"));
        QVERIFY(doc_->IsModified());
    }
    void openDialogArguments() {
        const QString path = PathOf("via-dialog.tvc");
        WriteFile(path, Utf16File("4"));
        ScriptedFiles files({path});
        doc_->OnFileOpen();
        QCOMPARE(view_->EditorText(), QStringLiteral("4"));
        QCOMPARE(files.seen.size(), 1);
        QCOMPARE(files.seen[0].open, true);
        QCOMPARE(files.seen[0].defaultExtension, QStringLiteral("tvm"));
        QCOMPARE(files.seen[0].proposedName, QString());
        QCOMPARE(files.seen[0].flags, CCalcFileDialog::kDefaultFlags);
    }
    // Each kind of file dialog starts in the folder last used for that kind,
    // in this run and the next; the other kinds are not moved.
    void dialogsRememberTheirFolder_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("key");
        QTest::newRow("Open") << int(FileCommand::Open) << "Calculation";
        QTest::newRow("Save As") << int(FileCommand::SaveAs) << "Calculation";
        QTest::newRow("Execute") << int(FileCommand::Execute) << "Execute";
        QTest::newRow("Memory, Load") << int(FileCommand::MemoryLoad) << "Memory";
        QTest::newRow("Memory, Save") << int(FileCommand::MemorySave) << "Memory";
    }
    void dialogsRememberTheirFolder() {
        QFETCH(int, command);
        QFETCH(QString, key);
        QVERIFY(QDir(dir_.path()).mkpath(key + "-folder"));
        const QString folder = QFileInfo(PathOf(key + "-folder")).absoluteFilePath();
        const QString file = folder + "/chosen.tvc";
        WriteFile(file, Utf16File("1+1"));
        ScriptedMessages messages({IDYES, IDYES});  // overwrite questions
        ScriptedFiles files({file, file});
        const auto run = [&] {
            switch (FileCommand(command)) {
                case FileCommand::Open:
                    doc_->OnFileOpen();
                    break;
                case FileCommand::SaveAs:
                    doc_->OnFileSaveAs();
                    break;
                case FileCommand::Execute:
                    doc_->OnFileExecute();
                    break;
                case FileCommand::MemoryLoad:
                    doc_->OnMemoryLoad();
                    break;
                case FileCommand::MemorySave:
                    doc_->OnMemorySave();
                    break;
            }
        };
        run();
        // The first time: where the process is, as before.
        QCOMPARE(files.seen.size(), 1);
        QCOMPARE(files.seen[0].startFolder, QString());
        doc_->SetModifiedFlag(false);
        run();
        QCOMPARE(files.seen.size(), 2);
        QCOMPARE(files.seen[1].startFolder, folder);
        // Kept for the next run, under a key of its own kind only.
        const auto stored = TempSettings::Open("GUI/Folders");
        QCOMPARE(stored->childKeys(), QStringList{key});
        QCOMPARE(stored->value(key).toString(), folder);
        // A folder removed since is forgotten.
        QVERIFY(QDir(folder).removeRecursively());
        CCalcFileDialog again(true, "tvc", QString(), CCalcFileDialog::kDefaultFlags,
                              CCalcFileDialog::kCalculationFilter, nullptr);
        again.SetFolder(key == "Calculation" ? CCalcFileDialog::Folder::Calculation
                        : key == "Memory"    ? CCalcFileDialog::Folder::Memory
                                             : CCalcFileDialog::Folder::Execute);
        QCOMPARE(again.StartFolder(), QString());
    }
    void openReadingRule_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero bytes") << QByteArray() << "";
        QTest::newRow("only FF FE") << Bytes({0xFF, 0xFE}) << "";
        QTest::newRow("CR LF becomes a line break") << Utf16File("a\r\nb") << "a\nb";
        QTest::newRow("U+FEFF in the middle removed")
            << Utf16File(QString("1+") + QChar(0xFEFF) + "2") << "1+2";
        QTest::newRow("U+0000 cuts") << Utf16File(QString("1+2") + QChar(0) + "junk") << "1+2";
        QTest::newRow("no mark") << Utf16File("7", false) << "7";
        QTest::newRow("odd last byte dropped") << Utf16File("ab") + QByteArray("\x33", 1) << "ab";
        QTest::newRow("8-bit file read as pairs") << QByteArray("AB") << QString(QChar(0x4241));
    }
    void openReadingRule() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const QString path = PathOf("reading-rule.tvc");
        WriteFile(path, bytes);
        SetText("previous");
        ScriptedMessages messages;
        QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::Opened);
        QVERIFY(messages.asked.isEmpty());
        QCOMPARE(view_->EditorText(), text);
        QCOMPARE(doc_->GetPathName(), path);
        QCOMPARE(doc_->GetTitle(), QStringLiteral("reading-rule.tvc"));
        QVERIFY(!doc_->IsModified());
        doc_->OnNewDocument();  // so the next row opens the path again
    }
    // A large file goes into the editor a piece at a time: every piece size
    // gives the text and the length the whole reading would, and no piece
    // ends between the halves of a surrogate pair or of a CR LF.
    void filePiecesReadAsTheWhole_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QChar mark(0xFEFF);
        QTest::newRow("CR LF, lone CR and LF") << Utf16File("a\r\nb\rc\nd\r\r\n\n\r");
        QTest::newRow("marks between CR and LF")
            << Utf16File(QString("a\r") + mark + mark + "\nb" + mark + "\r");
        QTest::newRow("surrogate pairs") << Utf16File(QString("1+\U0001F600\U0001F600;\n2"));
        QTest::newRow("U+0000 cuts, also after a CR")
            << Utf16File(QString("1\r") + QChar(0) + "\n2");
        QTest::newRow("odd last byte") << Utf16File("ab\r") + QByteArray("\x0A", 1);
        QTest::newRow("a line longer than a piece") << Utf16File(QString(40, 'x') + "\n;");
    }
    void filePiecesReadAsTheWhole() {
        QFETCH(QByteArray, bytes);
        const std::string raw(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        const std::u16string decoded = NCalculatorText::DecodeFileText(raw);
        const QString whole = EditorTextFromFileText(decoded);
        for (const qsizetype units : {qsizetype{1}, qsizetype{3}, qsizetype{1} << 20}) {
            FileTextPieces pieces(raw);
            QCOMPARE(pieces.EditorLength(), FileTextEditorLength(decoded));
            QString joined;
            QString piece;
            while (pieces.Next(piece, units)) {
                QVERIFY(!piece.back().isHighSurrogate());
                QVERIFY(piece.size() <= units + units / 4 + 1);
                joined += piece;
            }
            QCOMPARE(joined, whole);
            QCOMPARE(pieces.Done() <= pieces.Total(), true);
        }
    }
    // Read out as the title bar shows it: "Calculation" or the file's name.
    void editorIsNamedAfterTheDocument() {
        const auto name = [this] {
            return QAccessible::queryAccessibleInterface(view_)->text(QAccessible::Name);
        };
        QCOMPARE(name(), QStringLiteral("Calculation"));
        const QString path = PathOf("named.tvc");
        WriteFile(path, Utf16File("1+2"));
        QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::Opened);
        QCOMPARE(name(), QStringLiteral("named.tvc"));
        Type("3");  // the changed mark is not part of the name
        QCOMPARE(name(), QStringLiteral("named.tvc"));
        ScriptedMessages messages({IDNO});
        QVERIFY(doc_->OnNewDocument());
        QCOMPARE(name(), QStringLiteral("Calculation"));
    }
    void openLeavesMemoryAlone() {
        const QString path = PathOf("memory-alone.tvc");
        WriteFile(path, Utf16File("5->mem[a]"));
        MemoryStore::Instance().Assign(u"x", 3);
        QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::Opened);
        QCOMPARE(MemoryStore::Instance().Count(), std::size_t(1));
        QVERIFY(MemoryStore::Instance().Find(u"x") != nullptr);
    }

    // ---- Save ----
    void saveBytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("2*3 = 6") << "2*3 = 6"
                                 << Bytes({0xFF, 0xFE, 0x32, 0, 0x2A, 0, 0x33, 0, 0x20, 0, 0x3D, 0,
                                           0x20, 0, 0x36, 0});
        QTest::newRow("line breaks as CR LF")
            << "a\nb" << Bytes({0xFF, 0xFE, 'a', 0, '\r', 0, '\n', 0, 'b', 0});
        QTest::newRow("empty text") << "" << Bytes({0xFF, 0xFE});
        QTest::newRow("beyond Latin-1")
            << QString("\u03C0\u00B0") << Bytes({0xFF, 0xFE, 0xC0, 0x03, 0xB0, 0x00});
    }
    void saveBytes() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const QString path = PathOf("bytes.tvc");
        QFile::remove(path);
        SetText(text);
        ScriptedFiles files({path});
        ScriptedMessages messages;
        QVERIFY(doc_->OnFileSave());
        QCOMPARE(ReadFile(path), bytes);
        QVERIFY(messages.asked.isEmpty());

        // And back: the same text, and the same bytes when saved again.
        CCalcView view2;
        CCalcDoc doc2;
        doc2.SetView(&view2);
        QCOMPARE(doc2.OpenDocumentFile(path), CCalcDoc::OpenResult::Opened);
        QCOMPARE(view2.EditorText(), text);
        // Changed by someone else since: overwritten once that is confirmed.
        WriteFile(path, "junk");
        ScriptedMessages overwrite({IDYES});
        QVERIFY(doc2.OnFileSave());
        QCOMPARE(overwrite.asked.size(), 1);
        QCOMPARE(ReadFile(path), bytes);
    }
    void saveUpdatesIdentity() {
        Type("1");
        const QString path = PathOf("identity.tvc");
        QFile::remove(path);
        ScriptedFiles files({path});
        QSignalSpy used(doc_, &CCalcDoc::PathUsed);
        QVERIFY(doc_->OnFileSave());
        QCOMPARE(doc_->GetPathName(), path);
        QCOMPARE(doc_->GetTitle(), QStringLiteral("identity.tvc"));
        QVERIFY(!doc_->IsModified());
        QCOMPARE(used.count(), 1);
        QCOMPARE(used.at(0).at(0).toString(), path);

        // The path names a writable file now: Save asks for no name.
        Type("2");
        QVERIFY(doc_->OnFileSave());
        QCOMPARE(files.seen.size(), 1);
        QCOMPARE(ReadFile(path), Utf16File("12"));
        // Save As always asks; proposes the path.
        files.typed << QString();
        QVERIFY(!doc_->OnFileSaveAs());
        QCOMPARE(files.seen.size(), 2);
        QCOMPARE(files.seen[1].proposedName, path);
    }
    void proposedSaveName_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("title of a new document") << ""
                                                 << "Calculation"
                                                 << "Calculation.tvc";
        QTest::newRow("the path when there is one") << "/tmp/a.tvc"
                                                    << "a.tvc"
                                                    << "/tmp/a.tvc";
        QTest::newRow("cut at a colon") << ""
                                        << "Sheet:2"
                                        << "Sheet.tvc";
        QTest::newRow("cut at a slash") << ""
                                        << "a/b"
                                        << "a.tvc";
        QTest::newRow("cut at a backslash") << ""
                                            << "a\\b"
                                            << "a.tvc";
        QTest::newRow("empty title") << ""
                                     << ""
                                     << "";
    }
    void proposedSaveName() {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QFETCH(QString, proposed);
        QCOMPARE(ProposedSaveName(path, title, ".tvc"), proposed);
    }

    // ---- Failures ----
    void openErrors_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("file not found") << "missing.tvc"
                                        << "%1 was not found.";
        QTest::newRow("bad path") << "no-such-folder/x.tvc"
                                  << "%1 contains an incorrect path.";
        QTest::newRow("a folder") << "."
                                  << "Access to %1 was denied.";
    }
    void openErrors() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        const QString previous = PathOf("previous.tvc");
        WriteFile(previous, Utf16File("prev"));
        QCOMPARE(doc_->OpenDocumentFile(previous), CCalcDoc::OpenResult::Opened);
        Type("x");
        const QString path = QFileInfo(PathOf(name)).absoluteFilePath();
        ScriptedMessages messages({IDNO});
        QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::Failed);
        QCOMPARE(messages.asked.size(), 2);  // the save-changes question, then the error
        QCOMPARE(messages.asked[1].text, message.arg(path));
        QCOMPARE(messages.asked[1].type, MB_ICONEXCLAMATION);
        // The previous document stays exactly as it was.
        QCOMPARE(view_->EditorText(), QStringLiteral("xprev"));
        QCOMPARE(doc_->GetPathName(), previous);
        QCOMPARE(doc_->GetTitle(), QStringLiteral("previous.tvc"));
        QVERIFY(doc_->IsModified());
    }
    void fileErrorMessages_data() {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("opening");
        QTest::addColumn<QString>("message");
        QTest::newRow("unclassified")
            << int(EPROTO) << true << "An unknown error occurred while accessing /d/f.tvc.";
        QTest::newRow("too many open files")
            << int(EMFILE) << true
            << "Could not open /d/f.tvc because there are too many open files.";
        QTest::newRow("access denied") << int(EACCES) << false << "Access to /d/f.tvc was denied.";
        QTest::newRow("read-only file system")
            << int(EROFS) << false << "Access to /d/f.tvc was denied.";
        QTest::newRow("invalid handle")
            << int(EBADF) << true << "An incorrect file handle was associated with /d/f.tvc.";
        QTest::newRow("directory full")
            << int(EMLINK) << false << "Could not create /d/f.tvc because the directory is full.";
        QTest::newRow("seek failed") << int(ESPIPE) << true << "Seek failed on /d/f.tvc";
        QTest::newRow("hardware error")
            << int(EIO) << true << "Encountered a hardware I/O error while accessing /d/f.tvc.";
        QTest::newRow("sharing violation")
            << int(ETXTBSY) << false << "Encountered a sharing violation while accessing /d/f.tvc.";
        QTest::newRow("locking violation")
            << int(ENOLCK) << false << "Encountered a locking violation while accessing /d/f.tvc.";
        QTest::newRow("disk full") << int(ENOSPC) << false << "Disk full while accessing /d/f.tvc.";
        QTest::newRow("file too big for the disk")
            << int(EFBIG) << false << "Disk full while accessing /d/f.tvc.";
        QTest::newRow("no cause, opening") << 0 << true << "Failed to open document.";
        QTest::newRow("no cause, saving") << 0 << false << "Failed to save document.";
    }
    void fileErrorMessages() {
        QFETCH(int, error);
        QFETCH(bool, opening);
        QFETCH(QString, message);
        const FileErrorCause cause = FileErrorCauseOf(error, QFileDevice::NoError, "/d/f.tvc");
        QCOMPARE(FileErrorMessage(cause, "/d/f.tvc", opening), message);
    }
    void readPastEndMessage() {
        QCOMPARE(FileErrorMessage(FileErrorCause::ReadPastEnd, "/d/f.tvc", true),
                 QStringLiteral("Attempted to access /d/f.tvc past its end."));
    }
    void saveIntoMissingFolderFails() {
        Type("1");
        const QString path = PathOf("no-folder/a.tvc");
        ScriptedFiles files({path});
        ScriptedMessages messages;
        QVERIFY(!doc_->OnFileSave());
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text,
                 QStringLiteral("%1 contains an incorrect path.").arg(path));
        QCOMPARE(messages.asked[0].type, MB_ICONEXCLAMATION);
        QCOMPARE(doc_->GetPathName(), QString());
        QCOMPARE(doc_->GetTitle(), QStringLiteral("Calculation"));
        QVERIFY(doc_->IsModified());
    }
#ifdef Q_OS_UNIX
    void failedSaveKeepsTheOldFile() {
        const QString path = PathOf("keep.tvc");
        const QByteArray old = Utf16File("1+1=2");
        WriteFile(path, old);
        QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::Opened);
        Type(QString(200, QChar('9')));

        // A file size limit makes the write fail as a full disk would.
        struct rlimit saved;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        ScriptedMessages messages;
        const bool saved_ok = doc_->OnFileSave();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!saved_ok);
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text, QStringLiteral("Disk full while accessing %1.").arg(path));
        QCOMPARE(ReadFile(path), old);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files).filter("keep").size(),
                 1);  // no temporary left
        QVERIFY(doc_->IsModified());
        QCOMPARE(doc_->GetPathName(), path);
    }
#endif
    void tooLargeFileIsRefused() {
        // Past the file limit: refused from its size, without reading (the
        // file is sparse, so reading it would take long and find only zeros).
        const QString big = PathOf("big.tvc");
        {
            QFile file(big);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(static_cast<qint64>(NCalculatorText::kFileByteLimit) + 1));
        }
        Type("keep");
        doc_->SetModifiedFlag(false);
        ScriptedMessages messages;
        QCOMPARE(doc_->OpenDocumentFile(big), CCalcDoc::OpenResult::Failed);
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text,
                 QStringLiteral("%1 is too large to open.\nA calculation file holds at most "
                                "67,108,864 characters.")
                     .arg(big));
        QCOMPARE(messages.asked[0].type, MB_ICONEXCLAMATION);
        QCOMPARE(view_->EditorText(), QStringLiteral("keep"));
        QCOMPARE(doc_->GetPathName(), QString());
        QCOMPARE(doc_->GetTitle(), QStringLiteral("Calculation"));

        // What a calculation can grow to (past the typing limit) opens again;
        // U+FEFF and what follows a U+0000 do not count.
        const QString grown = PathOf("grown.tvc");
        WriteFile(grown, Utf16File(QString(kEditorTextLimit, QChar('1')) + "\r\n2" + QChar(0xFEFF) +
                                   QChar(0) + "tail"));
        QCOMPARE(doc_->OpenDocumentFile(grown), CCalcDoc::OpenResult::Opened);
        QCOMPARE(view_->TextLength(), kEditorTextLimit + 3);
    }

    // Code units reach the editor as they are: no byte-order guessing, at open
    // or after a calculation (a leading U+FFFE once byte-swapped everything).
    void codeUnitsStayAsTheyAre_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::addRow("leading U+FFFE") << Utf16File(QChar(0xFFFE) + QStringLiteral("2+2 = ;"))
                                        << QChar(0xFFFE) + QStringLiteral("2+2 = ;");
        QTest::addRow("U+FEFF in the middle")
            << Utf16File(QStringLiteral("2+") + QChar(0xFEFF) + "2") << QStringLiteral("2+2");
        QTest::addRow("FE FF at the start")
            << Bytes({0xFE, 0xFF, '1', 0, '+', 0, '1', 0}) << QChar(0xFFFE) + QStringLiteral("1+1");
        QTest::addRow("odd byte count")
            << Bytes({0xFF, 0xFE, '7', 0, '*', 0, '6', 0, '='}) << QStringLiteral("7*6");
    }
    void codeUnitsStayAsTheyAre() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const QString path = PathOf("units.tvc");
        WriteFile(path, bytes);
        QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::Opened);
        QCOMPARE(view_->EditorText(), shown);

        std::u16string expected = U16FromQString(shown);
        int32_t position = -1;
        NCalculatorText::CalculateText(expected, position);
        ScriptedMessages messages;
        doc_->ExecuteCommand(CalculateAll);
        QCOMPARE(view_->EditorText(), QStringFromU16(expected));
    }

    // What is not a regular file is refused at once, with the message of the
    // real cause; nothing waits for a FIFO's writer.
    void unusualTargetsNameTheirCause_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opening");
        QTest::addColumn<QString>("message");
        QTest::newRow("open a FIFO") << "fifo" << true << "%1 is not a regular file.";
        QTest::newRow("open a folder") << "folder" << true << "Access to %1 was denied.";
        QTest::newRow("save over a FIFO") << "fifo" << false << "%1 is not a regular file.";
        QTest::newRow("save through a dangling link")
            << "dangling" << false << "%1 is a link to a file that does not exist.";
    }
    void unusualTargetsNameTheirCause() {
        QFETCH(QString, kind);
        QFETCH(bool, opening);
        QFETCH(QString, message);
        const QString path = PathOf(QStringLiteral("%1.tvc").arg(QTest::currentDataTag()));
        if (kind == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0666), 0);
        if (kind == "folder") QVERIFY(QDir().mkdir(path));
        if (kind == "dangling") QVERIFY(QFile::link(PathOf("nowhere.tvc"), path));
        if (!opening) Type("1");
        ScriptedFiles files({path});
        // Saving over something that exists asks first; Yes goes on.
        ScriptedMessages messages({IDYES});
        if (opening)
            QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::Failed);
        else
            QVERIFY(!doc_->OnFileSaveAs());
        QCOMPARE(messages.asked.last().text, message.arg(path));
        QCOMPARE(messages.asked.last().type, MB_ICONEXCLAMATION);
        QCOMPARE(doc_->IsModified(), !opening);
        std::u16string text;
        if (kind == "fifo") QCOMPARE(ReadTextToExecute(path, text), ReadFileResult::CannotOpen);
    }

    // ---- Another program's changes ----
    void changedOnDiskIsNotOverwrittenUnasked_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<QString>("savedTo");  // "", "same" or "other"
        QTest::newRow("untouched") << "none" << IDCANCEL << false << "same";
        QTest::newRow("only touched") << "touch" << IDCANCEL << false << "same";
        QTest::newRow("same size, Yes overwrites") << "same size" << IDYES << true << "same";
        QTest::newRow("grown, Yes overwrites") << "grown" << IDYES << true << "same";
        QTest::newRow("grown, No saves as") << "grown" << IDNO << true << "other";
        QTest::newRow("grown, Cancel saves nothing") << "grown" << IDCANCEL << true << "";
    }
    void changedOnDiskIsNotOverwrittenUnasked() {
        QFETCH(QString, change);
        QFETCH(int, answer);
        QFETCH(bool, asks);
        QFETCH(QString, savedTo);
        const QString path = PathOf(QStringLiteral("%1.tvc").arg(QTest::currentDataTag()));
        const QString other = PathOf(QStringLiteral("%1 (mine).tvc").arg(QTest::currentDataTag()));
        WriteFile(path, Utf16File("1+1"));
        QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::Opened);
        Type("2*");
        // Another program's turn, a little later.
        const QByteArray theirs = change == "same size" ? Utf16File("1+2")
                                  : change == "grown"   ? Utf16File("1+1+40")
                                                        : Utf16File("1+1");
        if (change != "none") {
            if (change != "touch") WriteFile(path, theirs);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                     QFileDevice::FileModificationTime));
        }
        ScriptedFiles files({other});
        ScriptedMessages messages({answer});
        QCOMPARE(doc_->OnFileSave(), !savedTo.isEmpty());
        QCOMPARE(messages.asked.size(), asks ? 1 : 0);
        if (asks) {
            QCOMPARE(messages.asked[0].text,
                     QStringLiteral("\u201c%1\u201d was changed by another program after "
                                    "it was opened or saved here.\nDo you want to overwrite it?\n\n"
                                    "Yes overwrites it, No saves under another name, Cancel does "
                                    "not save.")
                         .arg(QFileInfo(path).fileName()));
            QCOMPARE(messages.asked[0].type, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
        }
        const QByteArray mine = Utf16File("2*1+1");
        QCOMPARE(ReadFile(path), savedTo == "same" ? mine : theirs);
        QCOMPARE(ReadFile(other), savedTo == "other" ? mine : QByteArray("<missing>"));
        QCOMPARE(doc_->IsModified(), savedTo.isEmpty());
        // What was saved is the new yardstick: the next Save asks nothing.
        if (!savedTo.isEmpty()) {
            Type("3");
            QVERIFY(doc_->OnFileSave());
            QCOMPARE(messages.asked.size(), asks ? 1 : 0);
        }
    }

    // ---- Large texts ----
    // Opening and calculating a large text show their progress and stop at
    // Esc: an open called off leaves a new document, a calculation the text,
    // the memory and the last result as they were.
    void longWorkStopsAtEsc_data() {
        QTest::addColumn<QString>("work");
        QTest::addColumn<bool>("esc");
        QTest::newRow("open") << "open" << false;
        QTest::newRow("open, Esc") << "open" << true;
        QTest::newRow("calculate all, Esc") << "calculate" << true;
        QTest::newRow("execute") << "execute" << false;
    }
    void longWorkStopsAtEsc() {
        QFETCH(QString, work);
        QFETCH(bool, esc);
        QString text;
        for (int i = 0; i < 300000; ++i) text += QStringLiteral("1+1 = ;\n");
        text += QStringLiteral("5->mem[x] = ");
        const QString path = PathOf("large.tvc");
        WriteFile(path, Utf16File(QString(text).replace("\n", "\r\n")));
        MemoryStore::Instance().Assign(u"x", 2);
        NCalculatorText::lastResult = 7;
        LongTask::SetDelay(0);
        if (work == "calculate") {
            QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::Opened);
            doc_->SetModifiedFlag(false);
        }
        if (esc)
            QCoreApplication::postEvent(view_, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
        ScriptedFiles files({path});
        if (work == "open")
            QCOMPARE(doc_->OpenDocumentFile(path),
                     esc ? CCalcDoc::OpenResult::Cancelled : CCalcDoc::OpenResult::Opened);
        else if (work == "execute")
            doc_->OnFileExecute();  // the text it reads goes back to the system as it goes
        else
            doc_->ExecuteCommand(CalculateAll);
        LongTask::SetDelay(400);
        const bool opened = work == "calculate" || (work == "open" && !esc);
        const bool executed = work == "execute";
        QCOMPARE(view_->EditorText() == text, opened);
        QCOMPARE(doc_->GetPathName(), opened ? path : QString());
        QVERIFY(!doc_->IsModified());
        QCOMPARE(MemoryStore::Instance().Find(u"x")->value, executed ? 5.0 : 2.0);
        QCOMPARE(NCalculatorText::lastResult, executed ? 5.0 : 7.0);
        QVERIFY(view_->findChild<QWidget*>("LongTaskProgress") == nullptr);  // gone with the work
    }

    // Esc half-way: an open called off at a later report leaves a new
    // document, nothing of the file; Calculate all called off while the
    // results go in leaves the text, the caret, the memory and the flag.
    void longWorkStopsHalfWay_data() {
        QTest::addColumn<QString>("work");
        // Esc at the first report from `at` on (progress in thousandths),
        // which must come before `below`: calculating fills the first fifth.
        QTest::addColumn<int>("at");
        QTest::addColumn<int>("below");
        QTest::newRow("open, half-way") << "open" << 500 << 1000;
        QTest::newRow("calculate all, calculating") << "calculate" << 100 << 200;
        QTest::newRow("calculate all, results going in") << "calculate" << 500 << 1000;
    }
    void longWorkStopsHalfWay() {
        QFETCH(QString, work);
        QFETCH(int, at);
        QFETCH(int, below);
        QString text;
        for (int i = 0; i < 400000; ++i) text += QStringLiteral("1+1 = ;\n");
        text += QStringLiteral("5->mem[x] = ");
        const QString path = PathOf("half.tvc");
        WriteFile(path, Utf16File(QString(text).replace("\n", "\r\n")));
        MemoryStore::Instance().Assign(u"x", 2);
        MemoryStore::Instance().changed = false;
        NCalculatorText::lastResult = 7;
        if (work == "calculate") {
            QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::Opened);
            Select(16, 12);
        } else {
            SetText("before");
        }
        const QString title = doc_->GetTitle();
        QSignalSpy titles(doc_, &CCalcDoc::TitleChanged);
        // Every step turns the event loop; Esc goes in at the first report
        // past `at`, and the steps before it must have been heard.
        LongTask::SetDelay(0);
        LongTask::SetEventInterval(0);
        int reports = 0;
        int escAt = -1;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            const auto* bar = view_->findChild<QProgressBar*>();
            if (bar == nullptr || escAt >= 0) return;
            ++reports;
            if (bar->value() < at) return;
            escAt = bar->value();
            QCoreApplication::postEvent(view_, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
        });
        watch.start(0);
        if (work == "open")
            QCOMPARE(doc_->OpenDocumentFile(path), CCalcDoc::OpenResult::Cancelled);
        else
            doc_->ExecuteCommand(CalculateAll);
        watch.stop();
        LongTask::SetDelay(400);
        LongTask::SetEventInterval(50);
        QVERIFY2(escAt >= at && escAt < below, qPrintable(QString::number(escAt)));
        QVERIFY(reports > 1);
        if (work == "open") {
            QCOMPARE(view_->EditorText(), QString());
            QCOMPARE(doc_->GetPathName(), QString());
            QCOMPARE(doc_->GetTitle(), QStringLiteral("Calculation"));
        } else {
            QCOMPARE(view_->EditorText(), text);
            QCOMPARE(doc_->GetPathName(), path);
            QCOMPARE(doc_->GetTitle(), title);
            QCOMPARE(titles.count(), 0);
            QCOMPARE(view_->textCursor().anchor(), 16);
            QCOMPARE(view_->textCursor().position(), 12);
        }
        QVERIFY(!doc_->IsModified());
        QCOMPARE(MemoryStore::Instance().Count(), 1u);
        QCOMPARE(MemoryStore::Instance().Find(u"x")->value, 2.0);
        QCOMPARE(NCalculatorText::lastResult, 7.0);
        QVERIFY(view_->findChild<QWidget*>("LongTaskProgress") == nullptr);
        // The editor is left as it was found: its scroll bar follows the text again.
        QCOMPARE(view_->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    }

    // ---- The file dialog's own checks ----
    void fileDialogRefusesMissingName() {
        const QString existing = PathOf("exists.tvc");
        WriteFile(existing, Utf16File("1"));
        ScriptedFiles files({PathOf("nothere.tvc"), existing});
        ScriptedMessages messages;
        CCalcFileDialog dialog(true, "tvm", QString(), CCalcFileDialog::kDefaultFlags,
                               CCalcFileDialog::kCalculationFilter, nullptr);
        QCOMPARE(dialog.DoModal(), IDOK);
        QCOMPARE(files.seen.size(), 2);  // stayed open after the message
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(
            messages.asked[0].text,
            QStringLiteral(
                "File \u201cnothere.tvc\u201d is not found.\nVerify the file name and try again."));
        QCOMPARE(messages.asked[0].type, MB_OK);
        QCOMPARE(messages.asked[0].help, 0u);
        QCOMPARE(dialog.GetPathName(), existing);
        QCOMPARE(dialog.GetFileName(), QStringLiteral("exists.tvc"));
    }
    void fileDialogAsksBeforeOverwriting_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("Yes closes with the path") << IDYES << 1;
        QTest::newRow("No keeps the dialog open") << IDNO << 2;
        QTest::newRow("Cancel keeps the dialog open") << IDCANCEL << 2;
    }
    void fileDialogAsksBeforeOverwriting() {
        QFETCH(int, answer);
        QFETCH(int, dialogs);
        const QString existing = PathOf("over.tvc");
        WriteFile(existing, Utf16File("1"));
        ScriptedFiles files({existing, PathOf("fresh.tvc")});
        ScriptedMessages messages({answer});
        CCalcFileDialog dialog(false, "tvc", "Calculation.tvc", CCalcFileDialog::kDefaultFlags,
                               CCalcFileDialog::kCalculationFilter, nullptr);
        QCOMPARE(dialog.DoModal(), IDOK);
        QCOMPARE(files.seen.size(), dialogs);
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text,
                 QStringLiteral(
                     "File \u201cover.tvc\u201d already exists.\nDo you wish to overwrite it?"));
        QCOMPARE(messages.asked[0].type, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        QCOMPARE(dialog.GetPathName(), dialogs == 1 ? existing : PathOf("fresh.tvc"));
    }
    // The same checks in the toolkit's own file dialog, as users meet it:
    // each name is typed and Save pressed; the answer No keeps it open.
    void realFileDialogAsksBeforeOverwriting() {
        const QString existing = PathOf("over.tvc");
        WriteFile(existing, Utf16File("1"));
        ScriptedMessages messages({IDNO});
        QStringList typed{PathOf("over"), PathOf("fresh")};
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (files == nullptr || typed.isEmpty()) return;
            auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name != nullptr);
            name->setText(typed.takeFirst());
            QTest::keyClick(name, Qt::Key_Return);
        });
        timer.start(20);
        CCalcFileDialog dialog(false, "tvc", "Calculation.tvc", CCalcFileDialog::kDefaultFlags,
                               CCalcFileDialog::kCalculationFilter, nullptr);
        QCOMPARE(dialog.DoModal(), IDOK);
        QVERIFY(typed.isEmpty());
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text,
                 QStringLiteral(
                     "File \u201cover.tvc\u201d already exists.\nDo you wish to overwrite it?"));
        QCOMPARE(dialog.GetPathName(), PathOf("fresh.tvc"));
        QCOMPARE(ReadFile(existing), Utf16File("1"));
    }
    void fileDialogAddsDefaultExtension() {
        ScriptedFiles files({PathOf("Memory 1"), PathOf("v1.2")});
        CCalcFileDialog dialog(false, "tvm", "Memory 1", CCalcFileDialog::kDefaultFlags,
                               CCalcFileDialog::kMemorySaveFilter, nullptr);
        QCOMPARE(dialog.DoModal(), IDOK);
        QCOMPARE(dialog.GetPathName(), PathOf("Memory 1.tvm"));
        QCOMPARE(dialog.DoModal(), IDOK);
        QCOMPARE(dialog.GetPathName(), PathOf("v1.2"));
        QCOMPARE(
            CCalcFileDialog::NameFilters(CCalcFileDialog::kCalculationFilter),
            QStringList({"Calculation files (*.tvc)", "Memory files (*.tvm)", "All files (*)"}));
    }
    void openingTriesTheNameAsGivenFirst() {
        WriteFile(PathOf("notes"), Utf16File("1"));
        WriteFile(PathOf("rates.tvm"), Utf16File("2"));
        const struct {
            bool open;
            const char* typed;
            const char* chosen;
        } rows[] = {
            {true, "notes", "notes"},       // exists without an extension
            {true, "rates", "rates.tvm"},   // only with the default extension
            {false, "notes", "notes.tvm"},  // saving always adds it
        };
        for (const auto& row : rows) {
            ScriptedFiles files({PathOf(row.typed)});
            ScriptedMessages messages({IDYES});
            CCalcFileDialog dialog(row.open, "tvm", QString(), CCalcFileDialog::kDefaultFlags,
                                   CCalcFileDialog::kMemoryLoadFilter, nullptr);
            QCOMPARE(dialog.DoModal(), IDOK);
            QCOMPARE(dialog.GetPathName(), PathOf(row.chosen));
            QVERIFY(messages.asked.isEmpty());
        }
    }

    // The font dialog opens on the family a face resolves to and, when the
    // family is left alone, keeps the stored face text; no effects.
    void fontDialogKeepsAnUnchangedFace() {
        const QString resolved = QFontInfo(QFont("Courier New")).family();
        const struct {
            QString chosenFamily;  // empty: the one shown
            QString selected;
        } rows[] = {{QString(), QStringLiteral("Courier New")},
                    {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Sans")}};
        for (const auto& row : rows) {
            QString seen;
            const auto previous = CCalcFontDialog::SetChooser([&](const QFont& initial) {
                seen = initial.family();
                QFont font = initial;
                if (!row.chosenFamily.isEmpty()) font.setFamily(row.chosenFamily);
                font.setUnderline(true);
                font.setStrikeOut(true);
                return std::optional<QFont>(font);
            });
            CCalcFontDialog dialog(QFont("Courier New", 12), nullptr);
            QVERIFY(dialog.DoModal());
            CCalcFontDialog::SetChooser(previous);
            QCOMPARE(seen, resolved);
            QCOMPARE(dialog.SelectedFont().family(), row.selected);
            QCOMPARE(dialog.SelectedFont().pointSize(), 12);
            QVERIFY(!dialog.SelectedFont().underline() && !dialog.SelectedFont().strikeOut());
        }
    }

    // Stored editor font values out of all reason are clamped on reading.
    void hostileEditorFontValuesAreClamped() {
        TempSettings temp;
        const struct {
            int size, weight;
            int readSize, readWeight;
        } rows[] = {{99999, 5000, 144, 1000}, {145, 1001, 144, 1000}, {16, 700, 16, 700}};
        for (const auto& row : rows) {
            auto settings = TempSettings::Open(QStringLiteral("GUI/Editor"));
            settings->setValue("FontSize", row.size);
            settings->setValue("FontWeight", row.weight);
            settings->endGroup();
            const EditorFontValues values = ReadEditorFontValues(*settings);
            QCOMPARE(values.size, row.readSize);
            QCOMPARE(values.weight, row.readWeight);
        }
    }

    // ---- Memory and execute files ----
    void memorySaveWritesTheFormattedStore() {
        MemoryStore::Instance().Assign(u"x", 2);
        MemoryStore::Instance().Assign(u"y", 0.1);
        ScriptedFiles files({PathOf("Memory 1")});
        ScriptedMessages messages;
        doc_->OnMemorySave();
        QCOMPARE(files.seen.size(), 1);
        QCOMPARE(files.seen[0].open, false);
        QCOMPARE(files.seen[0].defaultExtension, QStringLiteral("tvm"));
        QCOMPARE(files.seen[0].proposedName, QStringLiteral("Memory 1"));
        QCOMPARE(files.seen[0].filter, QStringLiteral("Memory files (*.tvm)|*.tvm||"));
        const std::string expected =
            NCalculatorText::EncodeUtf16LE(NCalculatorText::FormatMemoryFile(true));
        const QByteArray written = ReadFile(PathOf("Memory 1.tvm"));
        QCOMPARE(written, QByteArray(expected.data(), qsizetype(expected.size())));
        QCOMPARE(written, Utf16File("2->mem[x];\r\n0.10000000000000000555->mem[y];\r\n"));
        QVERIFY(messages.asked.isEmpty());
        QVERIFY(!doc_->IsModified());
        QCOMPARE(doc_->GetPathName(), QString());
    }
    void memorySaveFailure() {
        MemoryStore::Instance().Assign(u"x", 2);
        ScriptedFiles files({PathOf("no-folder/m.tvm")});
        ScriptedMessages messages;
        doc_->OnMemorySave();
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text, QStringLiteral("Cannot open the file for writing."));
        QCOMPARE(messages.asked[0].type, MB_ICONEXCLAMATION);
        QCOMPARE(messages.asked[0].help, 0u);
    }
    void memorySaveCancelled() {
        MemoryStore::Instance().Assign(u"x", 2);
        ScriptedFiles files;
        ScriptedMessages messages;
        doc_->OnMemorySave();
        QCOMPARE(files.seen.size(), 1);
        QVERIFY(messages.asked.isEmpty());
    }
    void executeLeavesTheEditorAlone_data() {
        QTest::addColumn<bool>("load");
        QTest::newRow("File, Execute") << false;
        QTest::newRow("Memory, Load") << true;
    }
    void executeLeavesTheEditorAlone() {
        QFETCH(bool, load);
        const QString path = PathOf("run.tvc");
        WriteFile(path, Utf16File("5->mem[a];\r\n7*6=;"));
        MemoryStore::Instance().Assign(u"a", 1);
        MemoryStore::Instance().Assign(u"keep", 9);
        Type("1+1");
        Select(1, 2);
        QStringList hooks;
        connect(doc_, &CCalcDoc::ResultChanged, this, [&] { hooks << "result"; });
        connect(doc_, &CCalcDoc::MemoryChanged, this, [&] { hooks << "memory"; });
        ScriptedFiles files({path});
        ScriptedMessages messages;
        if (load)
            doc_->OnMemoryLoad();
        else
            doc_->OnFileExecute();
        QCOMPARE(files.seen.size(), 1);
        QCOMPARE(files.seen[0].open, true);
        QCOMPARE(files.seen[0].defaultExtension,
                 load ? QStringLiteral("tvm") : QStringLiteral("tvc"));
        QCOMPARE(files.seen[0].filter,
                 load ? QStringLiteral("Memory files (*.tvm)|*.tvm|All files (*.*)|*.*||")
                      : CCalcFileDialog::kCalculationFilter);
        QVERIFY(messages.asked.isEmpty());
        double value = 0;
        QVERIFY(MemoryStore::Instance().Read(u"a", value));
        QCOMPARE(value, 5.0);
        QVERIFY(MemoryStore::Instance().Read(u"keep", value));
        QCOMPARE(value, 9.0);
        QCOMPARE(NCalculatorText::lastResult, 42.0);
        QCOMPARE(hooks, QStringList({"result", "memory"}));
        QCOMPARE(view_->EditorText(), QStringLiteral("1+1"));
        QCOMPARE(view_->textCursor().selectionStart(), 1);
        QCOMPARE(view_->textCursor().selectionEnd(), 2);
        QVERIFY(doc_->IsModified());
        QVERIFY(view_->document()->isUndoAvailable());
    }
    void executeFailures_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero bytes") << QByteArray() << false << "Cannot read the file.";
        QTest::newRow("only FF FE runs an empty text") << Bytes({0xFF, 0xFE}) << false << "";
        QTest::newRow("cannot be opened")
            << QByteArray() << true << "Cannot open the file for reading.";
    }
    void executeFailures() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, folder);
        QFETCH(QString, message);
        QString path = PathOf("exec-failure.tvc");
        if (folder) {
            path = PathOf("a.folder");
            QDir().mkpath(path);
        } else {
            WriteFile(path, bytes);
        }
        MemoryStore::Instance().Assign(u"x", 1);
        NCalculatorText::lastResult = 3;
        QSignalSpy result(doc_, &CCalcDoc::ResultChanged);
        ScriptedFiles files({path});
        ScriptedMessages messages;
        doc_->OnFileExecute();
        QCOMPARE(messages.asked.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(messages.asked[0].text, message);
            QCOMPARE(messages.asked[0].type, MB_ICONEXCLAMATION);
            QCOMPARE(result.count(), 0);
        }
        QCOMPARE(MemoryStore::Instance().Count(), std::size_t(1));
        QCOMPARE(NCalculatorText::lastResult, 3.0);
    }
    void memorySaveAndLoadRoundTrip() {
        MemoryStore::Instance().Assign(u"B", 1e300);
        MemoryStore::Instance().Assign(u"a", 0.1);
        MemoryStore::Instance().Assign(u"neg", -2.5e-7);
        std::map<std::u16string, double> before;
        for (const auto& [name, cell] : MemoryStore::Instance()) before[name] = cell.value;
        const QString path = PathOf("round.tvm");
        {
            ScriptedFiles files({path});
            doc_->OnMemorySave();
        }
        MemoryStore::Instance().Clear();
        {
            ScriptedFiles files({path});
            doc_->OnMemoryLoad();
        }
        std::map<std::u16string, double> after;
        for (const auto& [name, cell] : MemoryStore::Instance()) after[name] = cell.value;
        QVERIFY(before == after);
    }
};

QTEST_MAIN(TestCalcDoc)
#include "tst_calcdoc.moc"
