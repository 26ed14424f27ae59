// TaMessageDialog: kinds, captions, buttons, default button, metrics, answers.
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "tests/support/StillDialogs.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaCompositing.h"
#include "toolkit/TaMessageDialog.h"
#include "toolkit/TaStatic.h"

namespace {

QStringList Captions(const TaMessageDialog& dialog) {
    QStringList captions;
    for (int i = 0; i < dialog.ButtonCount(); ++i) captions << dialog.Button(i)->Text();
    return captions;
}

}  // namespace

class TaMessageDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() { StillDialogs::Begin(); }
    void cleanup() { StillDialogs::End(); }

    void kindByType_data() {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("image");
        QTest::newRow("stop") << (MB_OK | MB_ICONSTOP) << "Calculator stops" << 148;
        QTest::newRow("question") << (MB_OK | MB_ICONQUESTION) << "Calculator asks" << 146;
        QTest::newRow("exclamation") << (MB_OK | MB_ICONEXCLAMATION) << "Calculator warns" << 147;
        QTest::newRow("information") << (MB_OK | MB_ICONINFORMATION) << "Calculator informs" << 145;
        QTest::newRow("no icon") << MB_OK << "Calculator informs" << 145;
        QTest::newRow("icon bits 0x50") << 0x50u << "Calculator informs" << 145;
        QTest::newRow("Yes/No without icon asks") << MB_YESNO << "Calculator asks" << 146;
        QTest::newRow("Yes/No/Cancel without icon asks")
            << MB_YESNOCANCEL << "Calculator asks" << 146;
        QTest::newRow("Yes/No with information asks")
            << (MB_YESNO | MB_ICONINFORMATION) << "Calculator asks" << 146;
        QTest::newRow("Yes/No with exclamation warns")
            << (MB_YESNO | MB_ICONEXCLAMATION) << "Calculator warns" << 147;
        QTest::newRow("OK/Cancel without icon informs")
            << MB_OKCANCEL << "Calculator informs" << 145;
    }
    void kindByType() {
        QFETCH(uint, type);
        QFETCH(QString, caption);
        QFETCH(int, image);
        TaMessageDialog dialog(QStringLiteral("Text"), type, 0, TestFonts());
        QCOMPARE(TaMessageDialog::ImageIdOf(dialog.MessageKind()), image);
        dialog.Initialize();
        QCOMPARE(dialog.windowTitle(), caption);
        QVERIFY(!dialog.KindImage().IsNull());
    }

    void buttonsByType_data() {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<int>>("results");
        QTest::newRow("0 OK") << 0u << QStringList{"Close"} << QList<int>{IDOK};
        QTest::newRow("1 OK, Cancel")
            << 1u << QStringList{"OK", "Cancel"} << QList<int>{IDOK, IDCANCEL};
        QTest::newRow("2 Abort, Retry, Ignore") << 2u << QStringList{"Abort", "Retry", "Ignore"}
                                                << QList<int>{IDABORT, IDRETRY, IDIGNORE};
        QTest::newRow("3 Yes, No, Cancel")
            << 3u << QStringList{"Yes", "No", "Cancel"} << QList<int>{IDYES, IDNO, IDCANCEL};
        QTest::newRow("4 Yes, No") << 4u << QStringList{"Yes", "No"} << QList<int>{IDYES, IDNO};
        QTest::newRow("5 Retry, Cancel")
            << 5u << QStringList{"Retry", "Cancel"} << QList<int>{IDRETRY, IDCANCEL};
        QTest::newRow("6 Cancel, Try again, Continue")
            << 6u << QStringList{"Cancel", "Try again", "Continue"}
            << QList<int>{IDCANCEL, IDTRYAGAIN, IDCONTINUE};
        QTest::newRow("7 anything else") << 7u << QStringList{"Close"} << QList<int>{IDOK};
        QTest::newRow("15 anything else") << 15u << QStringList{"Close"} << QList<int>{IDOK};
    }
    void buttonsByType() {
        QFETCH(uint, type);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, results);
        TaMessageDialog dialog(QStringLiteral("Text"), type, 0, TestFonts());
        dialog.Initialize();
        QCOMPARE(Captions(dialog), captions);
        QList<int> ids;
        for (int i = 0; i < dialog.ButtonCount(); ++i) ids << dialog.Button(i)->Id();
        QCOMPARE(ids, results);
        // One width for all, the first one's height, one row.
        for (int i = 1; i < dialog.ButtonCount(); ++i) {
            QCOMPARE(dialog.Button(i)->size(), dialog.Button(0)->size());
            QCOMPARE(dialog.Button(i)->y(), dialog.Button(0)->y());
            QCOMPARE(dialog.Button(i)->x() - dialog.Button(i - 1)->x(),
                     dialog.Button(0)->width() + 18);
        }
    }

    void defaultButton_data() {
        QTest::addColumn<uint>("type");
        QTest::addColumn<int>("index");
        QTest::newRow("Yes/No, question, second default: No") << 0x124u << 1;
        QTest::newRow("Yes/No, first default") << 0x004u << 0;
        QTest::newRow("Yes/No/Cancel, third default") << 0x203u << 2;
        QTest::newRow("Yes/No, third default is past the end: first") << 0x204u << 0;
        QTest::newRow("OK, second default is past the end: first") << 0x100u << 0;
        QTest::newRow("Abort/Retry/Ignore, fourth default: first") << 0x302u << 0;
    }
    void defaultButton() {
        QFETCH(uint, type);
        QFETCH(int, index);
        QCOMPARE(TaMessageDialog::DefaultButtonOf(type), index);
        TaMessageDialog dialog(QStringLiteral("Text"), type, 0, TestFonts());
        dialog.Initialize();
        QCOMPARE(dialog.DefaultIndex(), index);
        for (int i = 0; i < dialog.ButtonCount(); ++i)
            QCOMPARE(dialog.Button(i)->IsDefaultButton(), i == index);
        QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(dialog.Button(index)));
    }

    // At 96 dpi: caption 34, margins 36, pitch 30, image 156 (165 for asks
    // and warns), gap 18, bottom 21; one-line informs is at least 232 wide.
    void metricsAt96Dpi_data() {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("imageWidth");
        QTest::newRow("one line, informs") << MB_OK << "Done." << 156;
        QTest::newRow("one line, asks")
            << (MB_YESNO | MB_ICONQUESTION) << "Clear all the calculations?" << 165;
        QTest::newRow("one line, warns")
            << (MB_OK | MB_ICONEXCLAMATION) << "Cannot open the file for reading." << 165;
        QTest::newRow("two lines, stops")
            << (MB_OK | MB_ICONSTOP) << "Only one cell is selected.\nCalculate for all cells?"
            << 156;
        QTest::newRow("a long line") << MB_YESNOCANCEL << QString(80, QLatin1Char('m')) << 165;
    }
    void metricsAt96Dpi() {
        QFETCH(uint, type);
        QFETCH(QString, text);
        QFETCH(int, imageWidth);
        TaMessageDialog dialog(text, type, 0, TestFonts());
        dialog.Initialize();
        const int w = dialog.width();
        const TaStatic* line1 = dialog.Line(0);
        const TaStatic* line2 = dialog.Line(1);
        const int n = dialog.ButtonCount();
        const int bw = dialog.Button(0)->width();
        const int bh = dialog.Button(0)->height();
        QCOMPARE(bh, 34);
        const int content = std::max(
            {imageWidth, line1->width(), line2 ? line2->width() : 0, n * bw + (n - 1) * 18});
        QCOMPARE(w, content + 2 * 36 + 4);
        QVERIFY(w >= 232);
        QCOMPARE(dialog.KindImage().Width(), imageWidth);
        QCOMPARE(dialog.KindImage().Height(), 156);
        QCOMPARE(dialog.KindImage().Position(), QPoint((w - imageWidth) / 2, 36 + 34 + 4));
        const int t = 34 + 4 + 36 + 156 + 30;
        QCOMPARE(line1->pos(), QPoint((w - line1->width()) / 2, t));
        const int pitch = line2 != nullptr ? 30 : 0;
        if (line2 != nullptr) QCOMPARE(line2->pos(), QPoint((w - line2->width()) / 2, t + 30));
        const int rowTop = t + line1->height() + pitch + 36;
        QCOMPARE(dialog.Button(0)->pos(), QPoint((w - (n * bw + (n - 1) * 18)) / 2, rowTop));
        QCOMPARE(dialog.height(), rowTop + bh + 21);
        // Centred on the desktop.
        const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(dialog.geometry().center().x() - desktop.center().x()) <= 1);
        QVERIFY(qAbs(dialog.geometry().center().y() - desktop.center().y()) <= 1);
    }

    void minimumWidthOfAOneLineInformsMessage() {
        TaMessageDialog dialog(QStringLiteral("."), MB_OK, 0, TestFonts());
        dialog.Initialize();
        QCOMPARE(dialog.width(), 232);
    }

    void lines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("twoLines");
        QTest::newRow("one line") << "Cannot read the file."
                                  << "Cannot read the file."
                                  << "" << false;
        QTest::newRow("two lines") << "Only one cell is selected.\nCalculate for all cells?"
                                   << "Only one cell is selected."
                                   << "Calculate for all cells?" << true;
        QTest::newRow("a third line is dropped") << "a\nb\nc"
                                                 << "a"
                                                 << "b" << true;
        QTest::newRow("empty second line") << "a\n"
                                           << "a"
                                           << "" << true;
    }
    void lines() {
        QFETCH(QString, text);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, twoLines);
        TaMessageDialog dialog(text, MB_OK, 0, TestFonts());
        dialog.Initialize();
        QCOMPARE(dialog.Line(0)->Text(), first);
        QCOMPARE(dialog.Line(1) != nullptr, twoLines);
        if (twoLines) QCOMPARE(dialog.Line(1)->Text(), second);
    }

    // Widths counted in characters: where a too-long line breaks.
    void breakLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("maxWidth");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("fits whole") << "Close" << 10 << QStringList{"Close"};
        QTest::newRow("path, after separators")
            << "/home/user/documents/file.tvc" << 12
            << QStringList{"/home/user/", "documents/", "file.tvc"};
        QTest::newRow("Windows path")
            << "C:\\Users\\name\\file.tvc" << 9 << QStringList{"C:\\Users\\", "name\\", "file.tvc"};
        QTest::newRow("words, spaces dropped at the break")
            << "Cannot open the file for writing." << 12
            << QStringList{"Cannot open", "the file for", "writing."};
        QTest::newRow("no break point") << "abcdefghijklmnopqrstuvwxyz" << 10
                                        << QStringList{"abcdefghij", "klmnopqrst", "uvwxyz"};
    }
    void breakLine() {
        QFETCH(QString, line);
        QFETCH(int, maxWidth);
        QFETCH(QStringList, pieces);
        const auto count = [](const QString& text) { return static_cast<int>(text.size()); };
        QCOMPARE(TaMessageDialog::BreakLine(line, maxWidth, count), pieces);
    }

    // A message wider than the screen stays inside the work area, close
    // button included, its long line shown as several at one pitch each.
    void longMessageStaysOnTheScreen_data() {
        QTest::addColumn<bool>("secondLine");
        QTest::newRow("one long line") << false;
        QTest::newRow("short line, then a long one") << true;
    }
    void longMessageStaysOnTheScreen() {
        QFETCH(bool, secondLine);
        const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
        QString path = QStringLiteral("Cannot open the file ");
        while (path.size() < work.width() / 2) path += QStringLiteral("/a folder with a long name");
        path += QStringLiteral("/memory.tvm");
        const QString text = secondLine ? QStringLiteral("Save changes?\n") + path : path;
        TaMessageDialog dialog(text, MB_OK | MB_ICONEXCLAMATION, 0, TestFonts());
        dialog.Initialize();
        QVERIFY(dialog.width() <= work.width());
        QVERIFY(work.contains(dialog.geometry()));
        QVERIFY(work.contains(dialog.CloseButtonBox().toRect().translated(dialog.pos())));
        const int first = secondLine ? 1 : 0;
        if (secondLine) QCOMPARE(dialog.Line(0)->Text(), QStringLiteral("Save changes?"));
        QVERIFY(dialog.LineCount() > first + 1);
        QString joined;
        for (int i = 0; i < dialog.LineCount(); ++i) {
            const TaStatic* line = dialog.Line(i);
            QVERIFY(line->x() >= 36 && line->x() + line->width() <= dialog.width() - 36);
            QCOMPARE(line->y(), dialog.Line(0)->y() + 30 * i);
            if (i >= first) joined += line->Text() + (line->Text().endsWith(u'/') ? "" : " ");
        }
        QCOMPARE(joined.trimmed(), path);
        // The buttons sit one margin below the last line.
        const TaStatic* last = dialog.Line(dialog.LineCount() - 1);
        QCOMPARE(dialog.Button(0)->y(), dialog.Line(0)->y() + dialog.Line(0)->height() +
                                            30 * (dialog.LineCount() - 1) + 36);
        QVERIFY(dialog.Button(0)->y() > last->y() + last->height());
    }

    void helpId() {
        QCOMPARE(TaMessageDialog::HelpIdFor(0), 128u);
        QCOMPARE(TaMessageDialog::HelpIdFor(32829), 0x10000u + 32829u);
        TaMessageDialog dialog(QStringLiteral("x"), MB_OK, TaMessageDialog::HelpIdFor(32832),
                               TestFonts());
        QCOMPARE(dialog.HelpId(), 0x10000u + 32832u);
        QCOMPARE(dialog.TemplateId(), 108);
    }

    // Answers: keys, clicks and the close button.
    void answers_data() {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("result");
        QTest::newRow("Esc in Yes/No gives IDCANCEL")
            << (MB_YESNO | MB_ICONQUESTION) << "esc" << IDCANCEL;
        QTest::newRow("Esc in OK gives IDCANCEL") << MB_OK << "esc" << IDCANCEL;
        QTest::newRow("Enter with No default gives IDNO") << 0x124u << "enter" << IDNO;
        QTest::newRow("Enter in OK gives IDOK") << MB_OK << "enter" << IDOK;
        QTest::newRow("click Yes") << MB_YESNOCANCEL << "click 0" << IDYES;
        QTest::newRow("click No") << MB_YESNOCANCEL << "click 1" << IDNO;
        QTest::newRow("click Cancel") << MB_YESNOCANCEL << "click 2" << IDCANCEL;
        QTest::newRow("click Retry") << MB_ABORTRETRYIGNORE << "click 1" << IDRETRY;
        QTest::newRow("click Try again") << MB_CANCELTRYCONTINUE << "click 1" << IDTRYAGAIN;
        QTest::newRow("click Continue") << MB_CANCELTRYCONTINUE << "click 2" << IDCONTINUE;
        QTest::newRow("click OK") << MB_OKCANCEL << "click 0" << IDOK;
        QTest::newRow("Space on the focused default")
            << (MB_YESNO | MB_DEFBUTTON2) << "space" << IDNO;
        QTest::newRow("Tab to Yes, then Enter")
            << (MB_YESNO | MB_DEFBUTTON2) << "tab enter" << IDYES;
        QTest::newRow("close button in OK gives IDCANCEL") << MB_OK << "close" << IDCANCEL;
        QTest::newRow("close button in Abort/Retry/Ignore")
            << MB_ABORTRETRYIGNORE << "close" << IDCANCEL;
    }
    void answers() {
        QFETCH(uint, type);
        QFETCH(QString, action);
        QFETCH(int, result);
        TaMessageDialog dialog(QStringLiteral("Save changes to \u201cCalculation\u201d?"), type, 0,
                               TestFonts());
        const int answer = RunModal(dialog, [&] {
            QWidget* focus = dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog;
            if (action == QLatin1String("esc")) {
                QTest::keyClick(focus, Qt::Key_Escape);
            } else if (action == QLatin1String("enter")) {
                QTest::keyClick(focus, Qt::Key_Return);
            } else if (action == QLatin1String("space")) {
                QTest::keyClick(focus, Qt::Key_Space);
            } else if (action == QLatin1String("tab enter")) {
                QTest::keyClick(focus, Qt::Key_Tab);
                QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
            } else if (action.startsWith(QLatin1String("click "))) {
                TaButton* button = dialog.Button(action.mid(6).toInt());
                QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
            } else if (action == QLatin1String("close")) {
                const QPoint centre = dialog.CloseButtonBox().center().toPoint();
                QTest::mouseClick(&dialog, Qt::LeftButton, {}, centre);
            }
        });
        QCOMPARE(answer, result);
    }

    // The application's operation shows the dialog over its owner and answers.
    void messageBoxOperation() {
        QWidget owner;
        owner.show();
        QString caption;
        QString line;
        unsigned help = 0;
        QTimer::singleShot(50, [&] {
            auto* dialog = qobject_cast<TaMessageDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            caption = dialog->windowTitle();
            line = dialog->Line(0)->Text();
            help = dialog->HelpId();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        const int answer = TaMessageBox(&owner, QStringLiteral("Clear all the calculations?"),
                                        MB_YESNO | MB_ICONQUESTION, 32829, TestFonts());
        QCOMPARE(answer, IDCANCEL);
        QCOMPARE(caption, QStringLiteral("Calculator asks"));
        QCOMPARE(line, QStringLiteral("Clear all the calculations?"));
        QCOMPARE(help, 0x10000u + 32829u);
    }
};

TOOLKIT_SUITE(TaMessageDialogTest);
#include "TaMessageDialogTest.moc"
