// The editor's helpers: roles of the colouring, the live result, completion,
// the marks and sources of warnings.
#include <QAbstractItemView>
#include <QCompleter>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "document/CCalcDoc.h"
#include "document/CCalcView.h"
#include "document/CalcCompleter.h"
#include "document/CalcHighlighter.h"
#include "document/CalcSyntax.h"
#include "document/EditorAssist.h"
#include "document/EditorMarks.h"
#include "document/LiveResult.h"
#include "document/LongTask.h"
#include "engine/MemoryStore.h"
#include "engine/Parcer.h"
#include "engine/Preferences.h"
#include "tests/support/ProcessState.h"

using CalcSyntax::Role;
using NCalculatorText::MemoryStore;

Q_DECLARE_METATYPE(QList<CalcSyntax::Span>)

namespace {

// "text" with each role written over its units: the row below the text.
QString RolesOf(const QString& line, int entry, bool lastLine, int* end = nullptr) {
    QList<CalcSyntax::Span> spans;
    const int state = CalcSyntax::ReadBlock(line, entry, lastLine, &spans);
    if (end) *end = state;
    QString roles(line.size(), QLatin1Char('.'));
    static const char kLetters[] = "cnkmrub";  // in the order of Role
    for (const CalcSyntax::Span& span : spans)
        for (int i = span.start; i < span.start + span.length; ++i)
            roles[i] = QLatin1Char(kLetters[static_cast<int>(span.role)]);
    return roles;
}

// The colour a block's layout gives its unit at `column`.
QTextCharFormat FormatAt(const QTextBlock& block, int column) {
    for (const QTextLayout::FormatRange& range : block.layout()->formats())
        if (range.start <= column && column < range.start + range.length) return range.format;
    return QTextCharFormat();
}

}  // namespace

class TestEditorAssist : public QObject {
    Q_OBJECT

private:
    CCalcView* view_ = nullptr;
    CCalcDoc* doc_ = nullptr;
    EditorAssist* assist_ = nullptr;

    // `head`, lines of "1+1;" past the limit of a text previewed whole, then
    // `tail`, with the live result on; returns a position in the middle.
    int ShowLargeText(const QString& head, const QString& tail) {
        QString text = head;
        while (text.size() <= LiveResult::kWholeTextUnits) text += "1+1;\n";
        view_->ReplaceText(text + tail);
        assist_->SetLiveResult(true);
        return static_cast<int>(text.size()) / 2 + 1;
    }
    QString LiveAt(int position) {
        Place(position);
        assist_->Live()->Update();
        return assist_->Live()->Text();
    }
    void Place(int position) {
        QTextCursor cursor = view_->textCursor();
        cursor.setPosition(position);
        view_->setTextCursor(cursor);
    }
    void Show() {
        view_->resize(500, 300);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_));
        view_->activateWindow();
        view_->setFocus();
    }

private slots:
    void init() {
        ResetProcessState();
        view_ = new CCalcView;
        doc_ = new CCalcDoc;
        doc_->SetView(view_);
        assist_ = new EditorAssist(view_);
    }
    void cleanup() {
        delete view_;
        delete doc_;
    }

    // c comment, n number, k name the language knows, m memory reference,
    // r old result, u unknown name, b unbalanced bracket.
    void rolesOfALine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("lastLine");
        QTest::addColumn<QString>("roles");
        QTest::addColumn<int>("endState");
        QTest::newRow("numbers and names")
            << "sin(1,5e-3)*pi+E2" << 0 << true << "kkk.nnnnnn..kk.un" << 0;
        QTest::newRow("old result after the last equals")
            << "a=b = 12.5; 2=x" << 0 << true << "u.u...rrrr..n.r" << 0;
        QTest::newRow("memory and comments")
            << "mem[rate x]*2 // mem[a]" << 0 << false << "mmmmmmmmmmm.n.ccccccccc" << 0;
        QTest::newRow("block comment opens") << "1 /* 2;" << 0 << false << "n.ccccc" << 1;
        QTest::newRow("block comment closes") << "x */ 3" << 1 << true << "cccc.n" << 0;
        QTest::newRow("stray and unclosed brackets")
            << "(1))+(2;3" << 0 << true << ".n.b.bn.n" << 0;
        QTest::newRow("a cell going on keeps its bracket") << "(1+" << 0 << false << ".n." << 4;
        QTest::newRow("and closes it on the next line") << "2)=3;" << 4 << true << "n..r." << 0;
        QTest::newRow("names run on over spaces") << "a sin(1)+s in(0)*me m[x]-sin x" << 0 << true
                                                  << "kkkkk.n..kkkk.n..mmmmmmm.uuuuu" << 0;
        QTest::newRow("result running on from the line before")
            << "99 ; 4" << 2 << true << "rr...n" << 0;
        // A block of a large text holds several lines, parted by U+2028.
        QTest::newRow("lines of a block: a line comment ends with its line")
            << "1 // 2\u20283" << 0 << true << "n.cccc.n" << 0;
        QTest::newRow("lines of a block: a block comment runs on")
            << "1 /* 2;\u2028x */ 3" << 0 << true << "n.ccccc.cccc.n" << 0;
        QTest::newRow("lines of a block: a cell runs on")
            << "(1+\u20282)=3;" << 0 << true << ".n..n..r." << 0;
    }
    void rolesOfALine() {
        QFETCH(QString, line);
        QFETCH(int, entry);
        QFETCH(bool, lastLine);
        QFETCH(QString, roles);
        QFETCH(int, endState);
        int end = -1;
        QCOMPARE(RolesOf(line, entry, lastLine, &end), roles);
        QCOMPARE(end, endState);
    }

    void highlighterColoursTheLinesInView() {
        view_->ReplaceText(QStringLiteral("/* note\nstill */ 2*sinx;\nmem[a]"));
        Show();
        QTRY_VERIFY(!view_->document()->findBlockByNumber(1).layout()->formats().isEmpty());
        const CalcHighlighter* highlighter = assist_->Highlighter();
        const auto formatAt = [this](int block, int column) {
            return FormatAt(view_->document()->findBlockByNumber(block), column);
        };
        QCOMPARE(formatAt(1, 2), highlighter->Format(Role::Comment));  // the comment goes on
        QCOMPARE(formatAt(1, 9), highlighter->Format(Role::Number));
        QCOMPARE(formatAt(1, 12), highlighter->Format(Role::Unknown));
        QCOMPARE(formatAt(2, 0), highlighter->Format(Role::Memory));
        // Closing the comment on the first line changes the second in view.
        Place(7);
        QTest::keyClicks(view_, "*/");
        QTRY_COMPARE(formatAt(1, 0), highlighter->Format(Role::Unknown));
        assist_->SetHighlighting(false);
        QVERIFY(view_->document()->findBlockByNumber(1).layout()->formats().isEmpty());
    }

    void coloursReadOnADarkBase() {
        QPalette dark = view_->palette();
        dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
        dark.setColor(QPalette::Text, QColor(0xE0, 0xE0, 0xE0));
        view_->setPalette(dark);
        const QColor base = dark.color(QPalette::Base);
        for (const Role role :
             {Role::Number, Role::Keyword, Role::Memory, Role::Result, Role::Unknown}) {
            const QColor colour = assist_->Highlighter()->Format(role).foreground().color();
            QVERIFY2(colour.lightnessF() - base.lightnessF() > 0.45, qPrintable(colour.name()));
        }
    }

    void liveResultLeavesEverythingAsItWas() {
        MemoryStore::Instance().Assign(u"a", 3);
        MemoryStore::Instance().changed = false;
        NCalculatorText::lastResult = 5;
        Show();
        QSignalSpy changed(assist_->Live(), &LiveResult::Changed);
        QTest::keyClicks(view_, "1+1=; 2->mem[a]; mem[a]*rslt");
        const QString text = view_->EditorText();
        const int undoSteps = view_->document()->availableUndoSteps();
        QTRY_COMPARE(assist_->Live()->Text(), QStringLiteral("= 15"));
        QCOMPARE(view_->document()->availableUndoSteps(), undoSteps);
        Place(8);  // in the store
        QTRY_COMPARE(assist_->Live()->Text(), QStringLiteral("= 2"));
        Place(1);
        QTRY_COMPARE(assist_->Live()->Text(), QStringLiteral("= 2"));
        QTest::keyClicks(view_, "*");
        QTRY_COMPARE(assist_->Live()->Text(), QStringLiteral("Syntax error"));
        QTest::keyClick(view_, Qt::Key_Backspace);
        QTRY_COMPARE(assist_->Live()->Text(), QStringLiteral("= 2"));
        QCOMPARE(view_->EditorText(), text);
        QCOMPARE(MemoryStore::Instance().Count(), 1u);
        QCOMPARE(MemoryStore::Instance().Find(u"a")->value, 3.0);
        QVERIFY(!MemoryStore::Instance().changed);
        QCOMPARE(NCalculatorText::lastResult, 5.0);
        // Switched off, it says nothing.
        assist_->SetLiveResult(false);
        QCOMPARE(assist_->Live()->Text(), QString());
    }

    // The live result reads only the cells around the caret ("|"), cut after
    // a ";" outside comments before the caret's line and after the caret's
    // cell, and gives what a preview over the whole text gives.
    void liveResultReadsTheCellsAroundTheCaret_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("window");
        QTest::newRow("cells on lines of their own") << "1+1;\n2*3;\n|4+5;\n6/0;"
                                                     << "\n4+5;";
        QTest::newRow("a comment across lines hides its ;") << "1;/* a;\nb; */ 2+|3;\n4;"
                                                            << "/* a;\nb; */ 2+3;";
        QTest::newRow("a line comment hides its ;") << "1; // x;\n|3*3; 4;"
                                                    << " // x;\n3*3; 4;";
        QTest::newRow("a cell across lines") << "1;\n2+\n|3;\n7;"
                                             << "\n2+\n3;";
        QTest::newRow("caret right after a ;") << "1+1;|2+2;\n5;"
                                               << "1+1;2+2;";
        QTest::newRow("the last cell without ;") << "1;\n2+|2"
                                                 << "\n2+2";
        QTest::newRow("letters that are not ASCII") << "/* \u00e9; \u00e9 */ 1;\n\u03c0+|1;"
                                                    << "\n\u03c0+1;";
        QTest::newRow("a /* left open reads the whole") << "1;\n1+|1;\n/* open"
                                                        << "1;\n1+1;\n/* open";
        const QString longComment = "/* " + QString(70000, ';') + " */ 2+";
        QTest::newRow("a comment longer than a piece read") << "1;\n" + longComment + "|2;"
                                                            << "\n" + longComment + "2;";
        QTest::newRow("/*/ is no closed comment") << "1;\n/*/ ; */ 2|;\n3;"
                                                  << "\n/*/ ; */ 2;";
    }
    void liveResultReadsTheCellsAroundTheCaret() {
        QFETCH(QString, text);
        QFETCH(QString, window);
        const int caret = static_cast<int>(text.indexOf(QLatin1Char('|')));
        text.remove(caret, 1);
        view_->ReplaceText(text);
        // Without a "/*" the cells are also found line by line, the same.
        for (const bool blockComments : {true, false}) {
            if (!blockComments && text.contains("/*")) continue;
            const LiveResult::Window cut =
                LiveResult::WindowAround(view_->document(), caret, blockComments);
            QCOMPARE(QString::fromStdU16String(cut.text), window);
            const auto whole = NCalculatorText::PreviewCell(text.toStdU16String(), caret);
            const auto part = NCalculatorText::PreviewCell(cut.text, cut.position);
            QCOMPARE(part.calculated, whole.calculated);
            QCOMPARE(part.succeeded, whole.succeeded);
            QCOMPARE(part.value, whole.value);
            QCOMPARE(part.diagnostics, whole.diagnostics);
            QCOMPARE(part.severities, whole.severities);
        }
        // The lines of a large text's block, parted by U+2028: the cut may
        // take more cells, the caret's cell reads the same.
        QString grouped = text;
        grouped.replace(QLatin1Char('\n'), QChar::LineSeparator);
        view_->ReplaceText(grouped);
        for (const bool blockComments : {true, false}) {
            if (!blockComments && text.contains("/*")) continue;
            const LiveResult::Window cut =
                LiveResult::WindowAround(view_->document(), caret, blockComments);
            QVERIFY(!QString::fromStdU16String(cut.text).contains(QChar::LineSeparator));
            const auto whole = NCalculatorText::PreviewCell(text.toStdU16String(), caret);
            const auto part = NCalculatorText::PreviewCell(cut.text, cut.position);
            QCOMPARE(part.value, whole.value);
            QCOMPARE(part.diagnostics, whole.diagnostics);
        }
    }

    // A large text without "/*" is read line by line; a "/*" made by an
    // edit (here by deleting what stood between, as a text over the typing
    // limit allows) is seen, and leaves the rest of the text a comment.
    void liveResultSeesABlockCommentMadeByAnEdit() {
        const int middle = ShowLargeText(QString(), "2+3;/x*");
        QCOMPARE(LiveAt(middle), QStringLiteral("= 2"));
        view_->moveCursor(QTextCursor::End);
        QTest::keyClick(view_, Qt::Key_Left);
        QTest::keyClick(view_, Qt::Key_Backspace);
        QVERIFY(view_->EditorText().endsWith("2+3;/*"));
        QCOMPARE(LiveAt(middle), QStringLiteral("Syntax error"));
    }

    // With a "/*" in a large text the cells are found from one reading of
    // the whole, kept while the text stays as it is; an edit reads it again.
    void liveResultReadsALargeTextAgainAfterAnEdit() {
        const int middle = ShowLargeText("/* note */\n", QString());
        const QString text = view_->EditorText();
        QCOMPARE(LiveAt(middle), QStringLiteral("= 2"));
        Place(10);  // after "*/"
        QTest::keyClick(view_, Qt::Key_Backspace);
        QTest::keyClick(view_, Qt::Key_Backspace);
        QCOMPARE(LiveAt(middle), QStringLiteral("Syntax error"));
        view_->undo();
        view_->undo();
        QCOMPARE(view_->EditorText(), text);
        QCOMPARE(LiveAt(middle + 5), QStringLiteral("= 2"));
    }

    void completionOffers_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("typed");
        QTest::newRow("one letter waits") << "2*s" << false << QStringList{} << 0;
        QTest::newRow("both notations")
            << "ar" << false
            << QStringList{"arcsin", "arccos",   "arctan", "arctg",  "arccot", "arcctg", "arcsec",
                           "arccsc", "arccosec", "arsinh", "arsh",   "arcosh", "arch",   "artanh",
                           "arth",   "arcoth",   "arcth",  "arsech", "arsch",  "arcsch"}
            << 2;
        QTest::newRow("a whole name alone") << "1+sqrt" << false << QStringList{} << 4;
        QTest::newRow("memory names") << "mem [ r" << false << QStringList{"rate", "rent"} << 1;
        QTest::newRow("asked with nothing typed")
            << "1+" << true << QStringList{} << 0;  // filled below
    }
    void completionOffers() {
        QFETCH(QString, before);
        QFETCH(bool, asked);
        QFETCH(QStringList, names);
        QFETCH(int, typed);
        MemoryStore::Instance().Assign(u"rate", 0.07);
        MemoryStore::Instance().Assign(u"rent", 900);
        MemoryStore::Instance().Assign(u"x", 1);
        int length = -1;
        const QList<CalcCompleter::Offer> offers =
            CalcCompleter::OffersFor(before, QString(), asked, length);
        QStringList got;
        for (const CalcCompleter::Offer& offer : offers) got << offer.name;
        if (asked) {
            // Every name the calculation reads as a function, and no other
            // but the constants and the memory words.
            QSet<QString> functions;
            for (const std::u16string_view keyword : NCalculatorText::FunctionKeywords())
                functions.insert(
                    QString::fromUtf16(keyword.data(), static_cast<qsizetype>(keyword.size())));
            QSet<QString> offered(got.begin(), got.end());
            QCOMPARE(offered.size(), got.size());
            for (const char* other : {"pi", "rslt", "result", "mem", "memory"})
                QVERIFY2(offered.remove(QLatin1String(other)), other);
            functions.remove(QString(QChar(0x221A)));  // one key, nothing to complete
            QCOMPARE(offered, functions);
        } else {
            QCOMPARE(got, names);
        }
        QCOMPARE(length, typed);
    }

    void completionAcceptsAndCancels() {
        MemoryStore::Instance().Assign(u"rate", 0.07);
        Show();
        CalcCompleter* completer = assist_->Completer();
        QAbstractItemView* list = completer->Completer()->popup();
        // Tab takes the first entry; a function gets its bracket.
        QTest::keyClicks(view_, "2*sq");
        QTRY_VERIFY(completer->IsOpen());
        QCOMPARE(list->model()->index(0, 0).data().toString(),
                 QStringLiteral("sqrt \u2014 Square root"));
        QTest::keyClick(list, Qt::Key_Tab);
        QCOMPARE(view_->EditorText(), QStringLiteral("2*sqrt("));
        QVERIFY(!completer->IsOpen());
        // Esc closes and changes nothing.
        QTest::keyClicks(view_, "ta");
        QTRY_VERIFY(completer->IsOpen());
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(!completer->IsOpen());
        QCOMPARE(view_->EditorText(), QStringLiteral("2*sqrt(ta"));
        // Enter with nothing chosen breaks the line.
        QTest::keyClick(view_, Qt::Key_Backspace);
        QTest::keyClicks(view_, "a");
        QTRY_VERIFY(completer->IsOpen());
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!completer->IsOpen());
        QCOMPARE(view_->EditorText(), QStringLiteral("2*sqrt(ta\n"));
        // Down chooses, Enter takes it; inside mem[ the memory names.
        view_->ReplaceText(QString());
        QTest::keyClicks(view_, "mem[r");
        QTRY_VERIFY(completer->IsOpen());
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(view_->EditorText(), QStringLiteral("mem[rate]"));
        // Ctrl+Space opens it anywhere.
        QTest::keyClick(view_, Qt::Key_Space, Qt::ControlModifier);
        QTRY_VERIFY(completer->IsOpen());
        QTest::keyClick(list, Qt::Key_Escape);
        QCOMPARE(view_->EditorText(), QStringLiteral("mem[rate]"));
    }

    void warningsAreMarkedAndSelected() {
        view_->ReplaceText(QStringLiteral("1+1;\nmem[salry]*12;\n2e-200*1e-200"));
        doc_->ExecuteCommand(CalculateAll);
        QCOMPARE(view_->EditorText(), QStringLiteral("1+1=2;\nmem[salry]*12=0;\n2e-200*1e-200=0"));
        const QList<QTextEdit::ExtraSelection> marks =
            EditorMarks::Of(view_).Marks(EditorMarks::Warnings);
        QCOMPARE(marks.size(), 2);
        QCOMPARE(marks[0].cursor.selectedText(), QStringLiteral("mem[salry]"));
        QCOMPARE(marks[1].cursor.selectedText(), QStringLiteral("2e-200*1e-200"));
        QCOMPARE(marks[0].format.underlineStyle(), QTextCharFormat::WaveUnderline);
        QVERIFY(marks[0].format.underlineColor() != CCalcDoc::ErrorMarkColour());
        doc_->SelectDiagnosticSource(1);
        QCOMPARE(view_->textCursor().selectedText(), QStringLiteral("2e-200*1e-200"));
        doc_->SelectDiagnosticSource(0);
        QCOMPARE(view_->textCursor().selectedText(), QStringLiteral("mem[salry]"));
    }

    // A large text's results go in beside it and take its place whole: the
    // editor, its marks and its helpers then follow the new text.
    void calculateAllShowsTheFailingCell_data() {
        QTest::addColumn<int>("lines");
        QTest::newRow("small") << 400;
        QTest::newRow("large, beside the old text") << 200000;
    }
    void calculateAllShowsTheFailingCell() {
        QFETCH(int, lines);
        QString text = QStringLiteral("/* a note\nover two lines */\n");
        for (int i = 0; i < lines; ++i) text += QStringLiteral("%1+1;\n").arg(i);
        text += QStringLiteral("/* c */ mem[u]+1;\n2*/3;");
        const bool large = text.size() > CCalcView::kPieceUnits;
        view_->ReplaceTextInSteps(text, [](qint64, qint64) { return true; });
        Show();
        const int caret = static_cast<int>(text.indexOf(QStringLiteral("\n300+1;"))) + 3;
        assist_->SetLiveResult(true);
        QCOMPARE(LiveAt(caret), QStringLiteral("= 301"));
        const QTextDocument* before = view_->document();
        LongTask::SetDelay(0);
        doc_->ExecuteCommand(CalculateAll);
        LongTask::SetDelay(400);
        QCOMPARE(view_->document() != before, large);
        const QString after = view_->EditorText();
        QVERIFY(after.startsWith(QStringLiteral("/* a note\nover two lines */\n0+1=1;\n1+1=2;\n")));
        QVERIFY(after.endsWith(QStringLiteral("+1=%1;\n/* c */ mem[u]+1=1;\n2*/3;").arg(lines)));
        // The caret keeps its place in its cell.
        QCOMPARE(view_->textCursor().position(),
                 static_cast<int>(after.indexOf(QStringLiteral("\n300+1=301;"))) + 3);
        QCOMPARE(view_->TextLength(), CCalcView::LengthOf(after));
        QCOMPARE(view_->document()->isUndoAvailable(), !large);
        const QTextBlock failing = view_->document()->lastBlock();
        QVERIFY(failing.text().endsWith(QStringLiteral("2*/3;")));
        QTextCursor at(failing);
        at.movePosition(QTextCursor::EndOfBlock);
        QVERIFY(view_->viewport()->rect().contains(view_->cursorRect(at).center()));
        // Its source, then the warning's, from their log rows.
        doc_->SelectDiagnosticSource(1);
        QCOMPARE(view_->textCursor().selectedText(), QStringLiteral("2*/3"));
        doc_->SelectDiagnosticSource(0);
        QCOMPARE(view_->textCursor().selectedText(), QStringLiteral("mem[u]"));
        // The lines in view are coloured as the new text reads, the live
        // result reads it, and editing goes on in it.
        QTRY_VERIFY(!failing.layout()->formats().isEmpty());
        const int memory = static_cast<int>(after.lastIndexOf(QStringLiteral("mem[u]")));
        const QTextBlock block = view_->document()->findBlock(memory);
        QCOMPARE(FormatAt(block, memory - block.position()),
                 assist_->Highlighter()->Format(Role::Memory));
        const int eight = static_cast<int>(after.indexOf(QStringLiteral("\n7+1=8;"))) + 2;
        QCOMPARE(LiveAt(eight), QStringLiteral("= 8"));
        QTest::keyClick(view_, Qt::Key_Backspace);
        QCOMPARE(LiveAt(eight - 1), QStringLiteral("= 1"));  // "+1"
        QTest::keyClick(view_, Qt::Key_Backspace);           // joins two lines
        QCOMPARE(view_->EditorText(), QString(after).remove(eight - 2, 2));
        QCOMPARE(view_->TextLength(), CCalcView::LengthOf(after) - 3);
    }

    void bracketAtTheCaretIsPaired() {
        view_->ReplaceText(QStringLiteral("2*(3+[4-1]);1"));
        Place(5);  // before "["
        const auto marked = [this] {
            QList<int> at;
            for (const auto& mark : EditorMarks::Of(view_).Marks(EditorMarks::Bracket))
                at << mark.cursor.selectionStart();
            return at;
        };
        QCOMPARE(marked(), (QList<int>{5, 9}));
        Place(11);  // after the last ")"
        QCOMPARE(marked(), (QList<int>{10, 2}));
        Place(12);
        QVERIFY(marked().isEmpty());
        // Lines of one block pair within themselves, as lines of their own do.
        view_->ReplaceText(QStringLiteral("(1+\u20282)*(3)"));
        Place(0);
        QVERIFY(marked().isEmpty());
        Place(7);
        QCOMPARE(marked(), (QList<int>{7, 9}));
    }
};

QTEST_MAIN(TestEditorAssist)
#include "tst_editorassist.moc"
