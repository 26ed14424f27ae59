// Lines the editor holds in parts: whatever is typed, deleted, pasted,
// undone or calculated, the text is the text a plain editor would hold.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include "document/CCalcDoc.h"
#include "document/CCalcView.h"
#include "document/LiveResult.h"
#include "document/SoftLines.h"
#include "engine/CalculateText.h"
#include "tests/support/ProcessState.h"
#include "toolkit/U16Text.h"

namespace {

// Cells on one line, `length` code units: "12+3;12+3;...".
QString LongLine(qsizetype length) {
    QString line;
    while (line.size() < length) line += QStringLiteral("12+3;");
    line.truncate(length);
    return line;
}

}  // namespace

class TestSoftLines : public QObject {
    Q_OBJECT

private:
    // The editor's parts are as they must be, and its text is `text`.
    static void CheckHolds(const CCalcView& view, const QString& text) {
        QCOMPARE(view.EditorText(), text);
        QCOMPARE(view.TextUnits(), text.size());
        QCOMPARE(view.TextLength(), CCalcView::LengthOf(text));
        const QTextDocument* doc = view.document();
        QVERIFY(SoftLines::MarksAgree(doc, 0, doc->characterCount() - 1));
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            QVERIFY(block.length() - 1 <= SoftLines::kSplitAt);
            if (SoftLines::InPartedLine(block)) QVERIFY(block.length() > 1);
        }
        for (qsizetype at = 0; at <= text.size(); at += 997)
            QCOMPARE(view.TextPosition(view.EditorPosition(at)), at);
    }

    // Puts the caret (or a selection) at text positions.
    static void Select(CCalcView& view, qsizetype anchor, qsizetype position) {
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(view.EditorPosition(anchor));
        cursor.setPosition(view.EditorPosition(position), QTextCursor::KeepAnchor);
        view.setTextCursor(cursor);
    }

private slots:
    void init() { ResetProcessState(); }

    void longLinesGoInParts_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("one line at the limit") << LongLine(1048575);
        QTest::newRow("between short lines") << "1+1=;\n" + LongLine(40000) + "\n// end\n2";
        QTest::newRow("just over the limit") << LongLine(SoftLines::kSplitAt + 1);
        QTest::newRow("at the limit, one block") << LongLine(SoftLines::kSplitAt);
        QTest::newRow("U+2028 and surrogates kept")
            << "a\u2028b\n" + QString(20000, QChar(0x2211)) + QString::fromUtf16(u"\U0001F600") +
                   LongLine(20000);
    }
    void longLinesGoInParts() {
        QFETCH(QString, text);
        CCalcView view;
        view.ReplaceText(text);
        QString expected = text;
        CCalcView::ToLineFeeds(expected);
        CheckHolds(view, expected);
        QCOMPARE(view.SoftBreakCount() > 0, text.size() > SoftLines::kSplitAt);
        QCOMPARE(U16FromQString(expected), view.EditorTextU16());
        // No part ends inside a surrogate pair.
        for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next())
            QVERIFY(block.text().isEmpty() || !block.text().back().isHighSurrogate());
    }

    // Random edits of the kinds a user makes, most of them at the parts'
    // ends, against the same edits of a plain string; then every step is
    // undone and redone.
    void editsKeepTheText() {
        CCalcView view;
        view.resize(600, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QString original = "x=1;\n" + LongLine(60000) + "\n7*6";
        view.ReplaceText(original);
        QString model = original;
        QRandomGenerator random(2026);
        const auto somewhere = [&]() -> qsizetype {
            // A part's end or start half the time.
            const QTextBlock block = view.document()->findBlockByNumber(
                static_cast<int>(random.bounded(view.document()->blockCount())));
            if (random.bounded(2) == 0 && SoftLines::InPartedLine(block))
                return view.TextPosition(block.position() +
                                         (random.bounded(2) == 0 ? 0 : block.length() - 1));
            return static_cast<qsizetype>(random.bounded(static_cast<quint32>(model.size() + 1)));
        };
        for (int step = 0; step < 600; ++step) {
            const qsizetype at = somewhere();
            const int kind = static_cast<int>(random.bounded(8));
            if (kind <= 1) {  // Backspace or Delete at a caret
                Select(view, at, at);
                const bool back = kind == 0;
                QTest::keyClick(&view, back ? Qt::Key_Backspace : Qt::Key_Delete);
                if (back && at > 0) model.remove(at - 1, 1);
                if (!back && at < model.size()) model.remove(at, 1);
            } else if (kind == 2) {  // type a digit
                Select(view, at, at);
                QTest::keyClick(&view, Qt::Key_5);
                model.insert(at, QLatin1Char('5'));
            } else if (kind == 3) {  // Enter
                Select(view, at, at);
                QTest::keyClick(&view, Qt::Key_Return);
                model.insert(at, QLatin1Char('\n'));
            } else {  // a selection, deleted, typed over, cut or pasted over
                const qsizetype to = std::min<qsizetype>(
                    model.size(), at + random.bounded(kind == 7 ? 30000 : 9000));
                Select(view, at, to);
                if (kind == 4) {
                    QTest::keyClick(&view, Qt::Key_Delete);
                    model.remove(at, to - at);
                } else if (kind == 5) {
                    QTest::keyClick(&view, Qt::Key_7);
                    model.replace(at, to - at, QStringLiteral("7"));
                } else if (kind == 6) {
                    view.copy();
                    QCOMPARE(QApplication::clipboard()->text(), model.mid(at, to - at));
                    view.cut();
                    model.remove(at, to - at);
                } else {
                    const QString pasted = "9;\n" + LongLine(random.bounded(25000)) + "\n8";
                    QApplication::clipboard()->setText(pasted);
                    view.paste();
                    model.replace(at, to - at, pasted);
                }
            }
            QCoreApplication::processEvents();
            CheckHolds(view, model);
            if (QTest::currentTestFailed()) {
                qWarning("after step %d (kind %d at %lld)", step, kind, static_cast<long long>(at));
                return;
            }
        }
        while (view.document()->isUndoAvailable()) view.undo();
        CheckHolds(view, original);
        while (view.document()->isRedoAvailable()) view.redo();
        CheckHolds(view, model);
    }

    // Each arrow press moves by one character of the text, over a part's end too.
    void arrowsStepOverThePartsEnds_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shift");
        QTest::newRow("Right") << int(Qt::Key_Right) << false;
        QTest::newRow("Left") << int(Qt::Key_Left) << false;
        QTest::newRow("Shift+Right") << int(Qt::Key_Right) << true;
        QTest::newRow("Shift+Left") << int(Qt::Key_Left) << true;
    }
    void arrowsStepOverThePartsEnds() {
        QFETCH(int, key);
        QFETCH(bool, shift);
        CCalcView view;
        view.resize(600, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.ReplaceText(LongLine(30000));
        const QTextBlock second = view.document()->firstBlock().next();
        QVERIFY(SoftLines::IsSoft(second));
        const qsizetype end = view.TextPosition(second.position());
        const int step = key == Qt::Key_Right ? 1 : -1;
        const qsizetype start = end - 2 * step;
        Select(view, start, start);
        for (int k = 1; k <= 4; ++k) {
            QTest::keyClick(&view, Qt::Key(key), shift ? Qt::ShiftModifier : Qt::NoModifier);
            const QTextCursor cursor = view.textCursor();
            QCOMPARE(view.TextPosition(cursor.position()), start + k * step);
            if (shift)
                QCOMPARE(SoftLines::TextBetween(view.document(), cursor.selectionStart(),
                                                cursor.selectionEnd())
                             .size(),
                         k);
        }
    }

    // A calculation in a parted line writes where the text says, and the
    // failing cell's mark and the caret stand where they would.
    void calculatesInAPartedLine() {
        CCalcView view;
        CCalcDoc doc;
        doc.SetView(&view);
        QString text;
        while (text.size() < 50000) text += QStringLiteral("1+1=;");
        text += QStringLiteral("1/0=;2*3=");
        view.ReplaceText(text);
        QVERIFY(view.SoftBreakCount() > 0);

        std::u16string expected = U16FromQString(text);
        int32_t caret = static_cast<int32_t>(text.size());
        NCalculatorText::CalculateText(expected, caret);
        Select(view, text.size(), text.size());
        doc.ExecuteCommand(CalculateCell);
        CheckHolds(view, QStringFromU16(expected));
        QCOMPARE(view.TextPosition(view.textCursor().position()), caret);

        const QString one = view.EditorText();
        ResetProcessState();
        std::u16string all = U16FromQString(one);
        int32_t none = -1;
        NCalculatorText::CalculateText(all, none);
        doc.ExecuteCommand(CalculateAll);
        CheckHolds(view, QStringFromU16(all));
        // The failing cell "1/0" is marked and selected where it stands.
        doc.SelectFailedCell();
        const QTextCursor failed = view.textCursor();
        QCOMPARE(
            SoftLines::TextBetween(view.document(), failed.selectionStart(), failed.selectionEnd()),
            QStringLiteral("1/0"));
        view.undo();
        view.undo();
        QCoreApplication::processEvents();
        CheckHolds(view, text);
    }

    // Calculate all of a text larger than the editor's limit goes in beside
    // the old one, a piece at a time: its long line comes in parts too.
    void calculateAllOfALargeTextGoesInParts() {
        CCalcView view;
        CCalcDoc doc;
        doc.SetView(&view);
        const QString text = "7*7=;\n" + QStringLiteral("1+1=;").repeated(300000) + "\n2*3=";
        view.ReplaceTextInSteps(text, [](qint64, qint64) { return true; });
        std::u16string expected = U16FromQString(text);
        int32_t none = -1;
        NCalculatorText::CalculateText(expected, none);
        ResetProcessState();
        doc.ExecuteCommand(CalculateAll);
        QVERIFY(expected.size() > std::size_t{1800000});
        CheckHolds(view, QStringFromU16(expected));
        QVERIFY(view.SoftBreakCount() > 400);
    }

    // The keypad's back key and a typed text from the keypad, at a part's start.
    void keypadEditsAtAPartsStart() {
        CCalcView view;
        CCalcDoc doc;
        doc.SetView(&view);
        const QString text = LongLine(30000);
        view.ReplaceText(text);
        const QTextBlock second = view.document()->firstBlock().next();
        QVERIFY(SoftLines::IsSoft(second));
        const qsizetype at = view.TextPosition(second.position());
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(second.position());
        view.setTextCursor(cursor);
        doc.ExecuteCommand(DeleteBack);
        QString expected = text;
        expected.remove(at - 1, 1);
        CheckHolds(view, expected);
        doc.InsertText(QStringLiteral("4\n5"));
        QCoreApplication::processEvents();
        expected.insert(at - 1, QStringLiteral("4\n5"));
        CheckHolds(view, expected);
    }

    // The live result reads a "//" comment in one part on into the next.
    // Read line by line and, with "/*" in the text, from the cells' ends.
    void liveResultReadsThePartsAsOneLine_data() {
        QTest::addColumn<bool>("blockComments");
        QTest::newRow("lines") << false;
        QTest::newRow("cell ends") << true;
    }
    void liveResultReadsThePartsAsOneLine() {
        QFETCH(bool, blockComments);
        CCalcView view;
        const QString text = "2+2;//" + LongLine(40000) + "\n3*4";
        view.ReplaceText(text);
        QVERIFY(view.SoftBreakCount() > 0);
        const int last = view.document()->characterCount() - 1;
        const LiveResult::Window window =
            LiveResult::WindowAround(view.document(), last, blockComments);
        QCOMPARE(window.text.substr(0, 2), std::u16string(u"//"));
        QCOMPARE(QStringFromU16(window.text).section(QLatin1Char('\n'), 1), QStringLiteral("3*4"));
        QCOMPARE(static_cast<qsizetype>(window.position), window.text.size());
    }
};

QTEST_MAIN(TestSoftLines)
#include "tst_softlines.moc"
