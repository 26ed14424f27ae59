// The editor: wrapping, tab stops, the text limit, the font and its settings.
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>

#include "document/CCalcFontDialog.h"
#include "document/CCalcView.h"
#include "document/DocumentFiles.h"
#include "document/EditorFont.h"
#include "tests/document/ScriptedUi.h"

class TestCalcView : public QObject {
    Q_OBJECT

private slots:
    void wrapsWithoutHorizontalScrolling() {
        CCalcView view;
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.ReplaceText(QString(2000, QChar('7')));
        QCOMPARE(view.lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(!view.horizontalScrollBar()->isVisible());
        // One line of text, several lines on screen.
        QCOMPARE(view.document()->blockCount(), 1);
        QVERIFY(view.document()->firstBlock().layout()->lineCount() > 1);
    }

    // A wrapped line never ends inside "->": the "-" goes to the next line
    // with the ">", where a plain editor of the same width splits them.
    void wrappingKeepsTheArrowWhole_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("columns");  // the width of the editor in characters
        QTest::newRow("a store after a cell") << "1/3->mem[a]" << 9;
        QTest::newRow("twice on one line") << "1/3->mem[a];2/3->mem[b]" << 11;
        QTest::newRow("typed after a space") << "2+2 ->mem[b]" << 10;
        QTest::newRow("a name longer than a line") << "1/3->mem[averylongname]" << 9;
    }
    void wrappingKeepsTheArrowWhole() {
        QFETCH(QString, text);
        QFETCH(int, columns);
        // Children of a shown window take their sizes at once.
        QWidget host;
        host.resize(800, 400);
        auto& view = *new CCalcView(&host);
        auto& plain = *new QPlainTextEdit(&host);
        plain.setFont(view.font());
        plain.setWordWrapMode(view.wordWrapMode());
        plain.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        const int width = QFontMetrics(view.font()).horizontalAdvance(QString(columns, '8'));
        const auto lineEnds = [&](QPlainTextEdit& editor) {
            editor.setPlainText(text);
            const int margin = qCeil(editor.document()->documentMargin());
            editor.resize(width + 2 * margin + 2 * editor.frameWidth() + 1, 200);
            const QTextBlock block = editor.document()->firstBlock();
            editor.document()->documentLayout()->blockBoundingRect(block);
            QList<int> ends;
            for (int i = 0; i + 1 < block.layout()->lineCount(); ++i)
                ends << block.layout()->lineAt(i).textStart() +
                            block.layout()->lineAt(i).textLength();
            return ends;
        };
        const auto splitsAnArrow = [&](const QList<int>& ends) {
            for (int end : ends)
                if (text.mid(end - 1, 2) == "->") return true;
            return false;
        };
        QVERIFY(splitsAnArrow(lineEnds(plain)));
        const QList<int> ends = lineEnds(view);
        QVERIFY(!ends.isEmpty());
        QStringList lines;
        for (int i = 0, start = 0; i <= ends.size(); start = i < ends.size() ? ends[i] : 0, ++i)
            lines << text.mid(start, i < ends.size() ? ends[i] - start : -1);
        QVERIFY2(!splitsAnArrow(ends), qPrintable(lines.join(" | ")));
        QCOMPARE(view.document()->firstBlock().lineCount(),
                 view.document()->firstBlock().layout()->lineCount());
        QCOMPARE(view.EditorText(), text);
    }

    // Lines over 8192 code units wrap anywhere (word wrapping is quadratic on
    // them); the text stays exactly what was given.
    void longLinesWrapAnywhere_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("anywhere");
        const QString limit(8192, QChar('1'));
        QTest::newRow("8192 on one line") << limit << false;
        QTest::newRow("8193 on one line") << limit + "+" << true;
        QTest::newRow("8192 on each of two lines") << limit + "\n" + limit << false;
        QTest::newRow("a long second line") << "2*3\n" + limit + "+" << true;
    }
    void longLinesWrapAnywhere() {
        QFETCH(QString, text);
        QFETCH(bool, anywhere);
        CCalcView view;
        view.ReplaceText(text);
        QCOMPARE(view.WrapsAnywhere(), anywhere);
        QCOMPARE(view.wordWrapMode(),
                 anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
        QCOMPARE(view.EditorText(), text);
        QCOMPARE(view.TextLength(), CCalcView::LengthOf(text));
    }

    void editsAcrossTheLongLineLimitSwitchWrapping() {
        CCalcView view;
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QString cells = QString("1+1;").repeated(20000);
        view.ReplaceText("2*3\n" + QString(8192, QChar('1')));
        view.moveCursor(QTextCursor::End);
        QTest::keyClicks(&view, "5");
        QVERIFY(view.WrapsAnywhere());
        QTest::keyClick(&view, Qt::Key_Backspace);
        QVERIFY(!view.WrapsAnywhere());

        view.ReplaceText("2*3\n" + cells);
        const QTextBlock line = view.document()->lastBlock();
        QVERIFY(line.layout()->lineCount() > 1);
        for (int i = 0; i < line.layout()->lineCount(); ++i)
            QVERIFY(line.layout()->lineAt(i).naturalTextWidth() <= view.viewport()->width());
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(4);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        view.setTextCursor(cursor);
        QTest::keyClick(&view, Qt::Key_Delete);
        QCOMPARE(view.EditorText(), QStringLiteral("2*3\n"));
        QVERIFY(!view.WrapsAnywhere());
        view.undo();
        QCOMPARE(view.EditorText(), "2*3\n" + cells);
        QVERIFY(view.WrapsAnywhere());
        QCOMPARE(view.document()->defaultTextOption().textDirection(), Qt::LeftToRight);
    }

    // A long line is laid out unshaped only when that draws the same glyphs as
    // the shaper would; anything that needs it (a joining script, a combining
    // mark) brings the shaper back, and short lines always have it.
    void longLinesSkipShapingOnlyWhereItLooksTheSame_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("inserted");  // at the start, as an edit
        QTest::addColumn<bool>("shaped");
        const QString cells = QString("sin(30)+1;").repeated(900);
        // Kept on the first screen line: the glyphs of a right-to-left run
        // split over two lines would come in another order.
        const QString arabic =
            QString::fromUtf8("/* \u0627\u0644\u0639\u0631\u0628\u064a\u0629 */");
        QTest::newRow("short line") << QString("1+1;fi").repeated(100) << QString() << true;
        QTest::newRow("long line of a calculation") << cells << QString() << false;
        QTest::newRow("long line, Arabic comment") << arabic + cells << QString() << true;
        QTest::newRow("Arabic typed into a long line") << cells << arabic << true;
        QTest::newRow("combining mark typed") << cells << QString::fromUtf8("e\u0301") << true;
        QTest::newRow("Cyrillic typed")
            << cells << QString::fromUtf8("/* \u0441\u0443\u043c\u043c\u0430 */") << false;
    }
    void longLinesSkipShapingOnlyWhereItLooksTheSame() {
        QFETCH(QString, text);
        QFETCH(QString, inserted);
        QFETCH(bool, shaped);
        CCalcView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.ReplaceText(text);
        view.moveCursor(QTextCursor::Start);
        view.textCursor().insertText(inserted);
        QCOMPARE(view.EditorText(), inserted + text);
        QCOMPARE(view.ShapesText(), shaped);

        // The glyphs on screen are those of the shaped text (as sets: runs come
        // grouped by font, not in reading order).
        const QTextBlock block = view.document()->firstBlock();
        view.document()->documentLayout()->blockBoundingRect(block);  // laid out
        QFont reference = view.font();
        reference.setStyleStrategy(QFont::PreferAntialias);
        QTextLayout expected(block.text(), reference);
        expected.beginLayout();
        expected.createLine();
        expected.endLayout();
        const auto glyphs = [](const QTextLayout& layout) {
            QList<quint32> ids;
            for (int i = 0; i < layout.lineCount(); ++i)
                for (const QGlyphRun& run : layout.lineAt(i).glyphRuns()) ids += run.glyphIndexes();
            std::sort(ids.begin(), ids.end());
            return ids;
        };
        QCOMPARE(glyphs(*block.layout()), glyphs(expected));

        // Back under the long-line limit, the shaper is back.
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(100);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        QVERIFY(view.ShapesText());
        view.undo();
        QCOMPARE(view.EditorText(), inserted + text);
        QCOMPARE(view.ShapesText(), shaped);
    }

    void tabStopsEveryEightAverageCharacters() {
        CCalcView view;
        QCOMPARE(view.tabStopDistance(), 8 * QFontMetricsF(view.font()).averageCharWidth());
        QFont bigger = view.font();
        bigger.setPixelSize(40);
        QVERIFY(view.ApplyChosenFont(bigger));
        QCOMPARE(view.tabStopDistance(), 8 * QFontMetricsF(view.font()).averageCharWidth());
    }

    void textLengthCountsLineBreaksAsTwo() {
        CCalcView view;
        view.ReplaceText("ab\ncd\n");
        QCOMPARE(view.TextLength(), qsizetype(8));
        QCOMPARE(CCalcView::LengthOf("ab\ncd\n"), qsizetype(8));
    }

    // A large text goes in with its lines a few thousand units to a block;
    // such a block's inner line breaks read, count, copy and edit as any.
    void largeTextGoesInGroupedLines() {
        CCalcView view;
        QString text;
        for (int n = 1; text.size() <= CCalcView::kPieceUnits; ++n) {
            text += "12+3;\n4*5; // x\n";
            if (n % 1000 == 0) text += QString(5000, u'7') + "\n";  // a line longer than a group
        }
        QVERIFY(view.ReplaceTextInSteps(text, [](qint64, qint64) { return true; }));
        QCOMPARE(view.EditorText(), text);
        QVERIFY(view.document()->blockCount() < text.count(u'\n') / 100);
        for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next())
            QVERIFY(block.length() - 1 <= CCalcView::kGroupedLines ||
                    !block.text().contains(QChar::LineSeparator));
        const auto lengthsAgree = [&view] {
            return view.TextLength() == CCalcView::LengthOf(view.EditorText());
        };
        QVERIFY(lengthsAgree());
        QTextCursor cursor(view.document());
        // Lines joined: the break before "4*5;" of the first group goes.
        cursor.setPosition(5);
        QCOMPARE(view.document()->characterAt(5), QChar(QChar::LineSeparator));
        cursor.deleteChar();
        QVERIFY(view.EditorText().startsWith("12+3;4*5; // x\n12+3;"));
        QVERIFY(lengthsAgree());
        // A line split inside a group, and a stretch over several groups gone.
        cursor.setPosition(2);
        cursor.insertText("\n");
        cursor.setPosition(100);
        cursor.setPosition(20000, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        QVERIFY(lengthsAgree());
        view.document()->undo();
        view.document()->undo();
        QVERIFY(lengthsAgree());
        // Copied, an inner break is a line break.
        QCOMPARE(view.document()->characterAt(14), QChar(QChar::LineSeparator));
        cursor.setPosition(10);
        cursor.setPosition(19, QTextCursor::KeepAnchor);
        view.setTextCursor(cursor);
        view.copy();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("// x\n12+3"));
        // Replaced by a small text, nothing of the count stays.
        view.ReplaceText("1\n2");
        QCOMPARE(view.TextLength(), qsizetype(4));
    }

    void fitText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("room");
        QTest::addColumn<QString>("fitted");
        QTest::newRow("fits") << "abc" << 3 << "abc";
        QTest::newRow("cut") << "abcdef" << 4 << "abcd";
        QTest::newRow("line break takes two") << "a\nb" << 2 << "a";
        QTest::newRow("no room") << "abc" << 0 << "";
        QTest::newRow("surrogate pair stays whole")
            << QString("a") + QString::fromUcs4(U"\U0001D400") << 2 << "a";
    }
    void fitText() {
        QFETCH(QString, text);
        QFETCH(int, room);
        QFETCH(QString, fitted);
        QCOMPARE(CCalcView::FitText(text, room), fitted);
    }

    void typingStopsAtTheLimit() {
        CCalcView view;
        view.ReplaceText(QString(kEditorTextLimit - 1, QChar('1')));
        view.moveCursor(QTextCursor::End);
        QTest::keyClicks(&view, "23");
        QCOMPARE(view.TextLength(), kEditorTextLimit);
        QVERIFY(view.EditorText().endsWith("12"));
        // A line break would take two code units: refused.
        view.moveCursor(QTextCursor::End);
        QTest::keyClick(&view, Qt::Key_Backspace);
        QTest::keyClick(&view, Qt::Key_Return);
        QCOMPARE(view.TextLength(), kEditorTextLimit - 1);
        // Replacing a selection of the same size is fine.
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(0);
        cursor.setPosition(1, QTextCursor::KeepAnchor);
        view.setTextCursor(cursor);
        QTest::keyClicks(&view, "9");
        QVERIFY(view.EditorText().startsWith("9"));
    }

    void pastingIsCutAtTheLimit() {
        CCalcView view;
        view.ReplaceText(QString(kEditorTextLimit - 3, QChar('1')));
        view.moveCursor(QTextCursor::End);
        QApplication::clipboard()->setText("abcdef");
        view.paste();
        QCOMPARE(view.TextLength(), kEditorTextLimit);
        QVERIFY(view.EditorText().endsWith("1abc"));
        view.paste();
        QCOMPARE(view.TextLength(), kEditorTextLimit);
    }

    void pastedCrLfIsOneLineBreak() {
        CCalcView view;
        auto* data = new QMimeData;
        data->setText("1\r\n2");
        QApplication::clipboard()->setMimeData(data);
        view.paste();
        QCOMPARE(view.EditorText(), QStringLiteral("1\n2"));
    }

    void replaceTextIsNoEdit() {
        CCalcView view;
        int edits = 0;
        connect(&view, &CCalcView::Edited, this, [&] { ++edits; });
        view.ReplaceText("1+1");
        view.SetDefaultFont();
        QCOMPARE(edits, 0);
        QTest::keyClicks(&view, "2");
        QCOMPARE(edits, 1);
        view.undo();
        QCOMPARE(edits, 2);
    }

    // ---- Font rules ----
    void pointSizeOfHeight_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("points");
        QTest::newRow("-20 at 96 dpi is 15") << -20 << 96 << 15;
        QTest::newRow("-21 at 96 dpi rounds to 16") << -21 << 96 << 16;
        QTest::newRow("-19 at 96 dpi rounds to 14") << -19 << 96 << 14;
        QTest::newRow("-30 at 144 dpi is 15") << -30 << 144 << 15;
        QTest::newRow("positive height") << 20 << 96 << 15;
    }
    void pointSizeOfHeight() {
        QFETCH(int, height);
        QFETCH(int, dpi);
        QFETCH(int, points);
        QCOMPARE(PointSizeOf(height, dpi), points);
    }
    void characterHeight() {
        QCOMPARE(CharacterHeightOf(15, 96), -20);
        QCOMPARE(CharacterHeightOf(15, 120), -25);
        QCOMPARE(CharacterHeightOf(11, 96), -15);  // 14.67 rounds to 15
    }
    void defaultFontRule_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("weight");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QString>("face");
        QTest::addColumn<bool>("isDefault");
        QTest::newRow("the default") << 15 << 400 << false << "Courier New" << true;
        QTest::newRow("other size") << 16 << 400 << false << "Courier New" << false;
        QTest::newRow("bold") << 15 << 700 << false << "Courier New" << false;
        QTest::newRow("italic") << 15 << 400 << true << "Courier New" << false;
        QTest::newRow("face in other letter case") << 15 << 400 << false << "courier new" << false;
        QTest::newRow("other face") << 15 << 400 << false << "Liberation Mono" << false;
    }
    void defaultFontRule() {
        QFETCH(int, size);
        QFETCH(int, weight);
        QFETCH(bool, italic);
        QFETCH(QString, face);
        QFETCH(bool, isDefault);
        QCOMPARE(IsDefaultEditorFont({size, weight, italic, face}), isDefault);
    }

    void noSettingsGiveTheDefaultFont() {
        TempSettings temp;
        CCalcView view;
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Tarvik", "Numera");
        view.LoadFont(settings);
        QVERIFY(view.IsDefaultFont());
        QCOMPARE(view.FontSize(), 15);
        QCOMPARE(view.font().family(), QStringLiteral("Courier New"));
        QCOMPARE(view.font().pixelSize(), -CharacterHeightOf(15, view.ScreenDpi()));
        QCOMPARE(view.font().weight(), QFont::Normal);
        QVERIFY(!view.font().italic());
    }

    void fontSettingsRoundTrip() {
        TempSettings temp;
        {
            QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Tarvik", "Numera");
            settings.setValue("GUI/Editor/FontSize", 12);
            settings.setValue("GUI/Editor/FontWeight", 700);
            settings.setValue("GUI/Editor/FontItalic", 1);
            settings.setValue("GUI/Editor/FontFace", "Liberation Serif");
        }
        CCalcView view;
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Tarvik", "Numera");
        view.LoadFont(settings);
        QVERIFY(!view.IsDefaultFont());
        QCOMPARE(view.FontSize(), 12);
        QCOMPARE(view.font().family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(view.font().weight(), QFont::Bold);
        QVERIFY(view.font().italic());

        view.SetDefaultFont();
        view.SaveFont(settings);
        settings.sync();
        QSettings raw(temp.FilePath(), QSettings::IniFormat);
        QCOMPARE(raw.value("GUI/Editor/FontSize").toString(), QStringLiteral("15"));
        QCOMPARE(raw.value("GUI/Editor/FontWeight").toString(), QStringLiteral("400"));
        QCOMPARE(raw.value("GUI/Editor/FontItalic").toString(), QStringLiteral("0"));
        QCOMPARE(raw.value("GUI/Editor/FontFace").toString(), QStringLiteral("Courier New"));
    }

    void everyEnterInsertsALineBreak() {
        CCalcView view;
        for (const Qt::KeyboardModifiers modifiers :
             {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
              Qt::KeyboardModifiers(Qt::KeypadModifier)}) {
            view.ReplaceText(QStringLiteral("1//c"));
            view.moveCursor(QTextCursor::End);
            QTest::keyClick(&view, modifiers & Qt::KeypadModifier ? Qt::Key_Enter : Qt::Key_Return,
                            modifiers);
            QTest::keyClicks(&view, "2");
            QCOMPARE(view.EditorText(), QStringLiteral("1//c\n2"));
            QCOMPARE(view.TextLength(), 7);
        }
    }

    void unusableStoredFontFallsBack() {
        TempSettings temp;
        {
            QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Tarvik", "Numera");
            settings.setValue("GUI/Editor/FontSize", -4);
            settings.setValue("GUI/Editor/FontFace", "Liberation Serif");
        }
        CCalcView view;
        QFont other = view.font();
        other.setFamily("Liberation Serif");
        view.setFont(other);
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Tarvik", "Numera");
        view.LoadFont(settings);
        QVERIFY(view.IsDefaultFont());
        QCOMPARE(view.font().family(), QStringLiteral("Courier New"));
    }

    void chosenFont_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("weight");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("isDefault");
        QTest::newRow("Courier New 15 pt regular") << "Courier New" << 20 << 400 << 15 << true;
        QTest::newRow("height -21 stores 16") << "Courier New" << 21 << 400 << 16 << false;
        QTest::newRow("letter case differs") << "courier new" << 20 << 400 << 15 << false;
        QTest::newRow("semibold") << "Courier New" << 20 << 600 << 15 << false;
    }
    void chosenFont() {
        QFETCH(QString, face);
        QFETCH(int, pixels);
        QFETCH(int, weight);
        QFETCH(int, size);
        QFETCH(bool, isDefault);
        CCalcView view;
        if (view.ScreenDpi() != 96) QSKIP("the rows assume 96 dots per inch");
        QFont bold = view.font();
        bold.setBold(true);
        view.ApplyChosenFont(bold);
        QVERIFY(!view.IsDefaultFont());

        QFont chosen(face);
        chosen.setPixelSize(pixels);
        chosen.setWeight(static_cast<QFont::Weight>(weight));
        const auto previous =
            CCalcFontDialog::SetChooser([&](const QFont&) { return std::optional<QFont>(chosen); });
        QVERIFY(view.SelectFont());
        CCalcFontDialog::SetChooser(previous);
        QCOMPARE(view.FontSize(), size);
        QCOMPARE(view.IsDefaultFont(), isDefault);
        QCOMPARE(view.font().pixelSize(), pixels);
    }

    void cancelledFontDialogChangesNothing() {
        CCalcView view;
        const QFont before = view.font();
        const auto previous =
            CCalcFontDialog::SetChooser([](const QFont&) { return std::optional<QFont>(); });
        QVERIFY(!view.SelectFont());
        CCalcFontDialog::SetChooser(previous);
        QCOMPARE(view.font(), before);
        QVERIFY(view.IsDefaultFont());
    }
};

QTEST_MAIN(TestCalcView)
#include "tst_calcview.moc"
