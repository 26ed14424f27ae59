// The manual and the help commands: the index of numera.qch against the
// program's own tables, the manual's examples against the engine, F1 and
// context help by what has the focus or is clicked, F6 between the panes,
// and the real help window on the real manual.
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

#include "document/CCalcDoc.h"
#include "document/CCalcView.h"
#include "engine/CalculateText.h"
#include "engine/Diagnostics.h"
#include "engine/MemoryStore.h"
#include "engine/Parcer.h"
#include "engine/Preferences.h"
#include "panels/CCalcKeyPad.h"
#include "panels/CCalcMemory.h"
#include "panels/CColorButton.h"
#include "panels/KeypadTable.h"
#include "shell/CCalcDlgBar.h"
#include "shell/CCalcHelp.h"
#include "shell/CCalcHelpWindow.h"
#include "shell/CCalcMainFrame.h"
#include "shell/CCalcToolBar.h"
#include "shell/CommandTable.h"
#include "shell/HelpTopics.h"
#include "shell/RecentFileList.h"
#include "shell/core/CommandIds.h"
#include "shell/core/MessageBox.h"
#include "tests/document/ScriptedUi.h"
#include "tests/support/FrameFixture.h"
#include "toolkit/TaMessageDialog.h"

using namespace NCalculatorText;

namespace {

// What the log receives, one "Status, Context: Description" line each.
// Never deleted through the receiver interface, whose destructor is protected.
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor)
class LogLines final : public ILogReceiver {
public:
    void AddMessage(const Diagnostic& d) override {
        lines.append(QStringLiteral("%1, %2: %3")
                         .arg(d.severity == 1 ? "Error" : "Warning", QString::fromUtf16(d.context),
                              QString::fromUtf16(d.description)));
    }
    void Clear() override { lines.clear(); }
    QStringList lines;
};

// The text of an example cell, spaces kept: the manual shows them as typed.
QString PlainText(QString html) {
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return html.replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

// Stands for the desktop's opener.
class ExternalOpener : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls.append(url); }
};

}  // namespace

class TestHelp : public QObject, protected FrameFixture {
    Q_OBJECT

private:
    QStringList pages_;  // what the frame asked the presenter to show
    HelpPresenter previous_;
    QTemporaryDir data_;  // the help collection's per-user folder

    QWidget* Focus() const { return QApplication::focusWidget(); }
    bool FocusIn(QWidget* pane) const {
        return Focus() && (Focus() == pane || pane->isAncestorOf(Focus()));
    }
    void ShowActive() {
        frame_->resize(1200, 800);
        frame_->show();
        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
        frame_->View()->setFocus();
    }

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", data_.path().toLocal8Bit()); }
    void init() {
        StartFrame();
        // The collection goes to the temporary data folder, not the home's.
        QStandardPaths::setTestModeEnabled(false);
        pages_.clear();
        previous_ = SetHelpPresenter([this](const QString& page) { pages_.append(page); });
    }
    void cleanup() {
        SetHelpPresenter(std::move(previous_));
        CCalcHelpWindow::DestroyInstance();
        StopFrame();
    }

    // Every function keyword, diagnostic text, context text and key of the
    // command table is an index keyword of the manual, pointing at its page.
    void indexHoldsTheProgramsNames() {
        QTemporaryDir dir;
        QHelpEngineCore core(dir.filePath("check.qhc"));
        core.setReadOnly(false);
        QVERIFY(core.setupData());
        QVERIFY2(core.registerDocumentation(CCalcHelpWindow::HelpFilePath()),
                 qPrintable(core.error()));

        QList<QPair<QString, QString>> expected;  // keyword, page it must lead to
        for (std::u16string_view name : FunctionKeywords())
            expected.append({QString::fromStdU16String(std::u16string(name)), "functions.html"});
        // Descriptions without the value they carry, both signs and both
        // kinds of singularity included.
        for (int kind : {0, 1, 2, 3, 4, 5, 6, 7, 9})
            for (double value : {12345.0, -12345.0})
                for (int op : {OpDivision, OpSine}) {
                    QString text = QString::fromStdU16String(DescribeDiagnostic(kind, value, op));
                    text.remove(QStringLiteral("-12345")).remove(QStringLiteral("12345"));
                    expected.append({text.trimmed(), "diagnostics.html"});
                }
        for (int op = 0; op <= 37; ++op)
            expected.append({QString::fromUtf16(OperationContext(op)), "diagnostics.html"});
        for (const CommandEntry& entry : CommandTable())
            for (const QKeyCombination key : entry.keys)
                if (key != QKeyCombination())
                    expected.append(
                        {QKeySequence(key).toString(QKeySequence::PortableText), "keyboard.html"});
        for (const Keypad::PanelAccelerator& a : Keypad::PanelAccelerators())
            expected.append(
                {QKeySequence(a.key).toString(QKeySequence::PortableText), "keyboard.html"});
        // 51 function keywords, 36 descriptions, 38 contexts, 27 frame keys, 17 panel keys.
        QCOMPARE(expected.size(), 169);

        QStringList missing;
        for (const auto& [keyword, page] : expected) {
            const QList<QHelpLink> links = core.documentsForKeyword(keyword);
            bool found = false;
            for (const QHelpLink& link : links) found = found || link.url.path().endsWith(page);
            if (!found) missing.append(keyword);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }

    // Every topic the program can ask for is a page of the manual, and its
    // anchor one of that page's: a renamed heading would open the page top.
    void everyTopicIsInTheManual() {
        QSet<QString> topics;
        for (const CommandEntry& entry : CommandTable()) topics << HelpTopic::ForCommand(entry.id);
        for (QAction* menu : frame_->menuBar()->actions()) {
            QList<QAction*> items = menu->menu()->actions();
            while (!items.isEmpty()) {
                QAction* item = items.takeFirst();
                if (item->menu()) items << item->menu()->actions();
                topics << HelpTopic::ForCommand(item->data().toInt());
            }
        }
        for (const CColorButton* button : frame_->Keypad()->findChildren<CColorButton*>())
            topics << HelpTopic::ForKeypadContext(button->HelpContext());
        for (unsigned id = 0x10000; id < 0x20000; ++id) topics << HelpTopic::ForMessageHelpId(id);
        for (QWidget* part : frame_->findChildren<QWidget*>()) topics << HelpTopic::ForWidget(part);
        topics.remove(QString());  // the help window answers itself
        QVERIFY(topics.size() > 40);

        const QDir source(QStringLiteral(NUMERA_HELP_SOURCE));
        QStringList missing;
        for (const QString& topic : topics) {
            const QString page = topic.section(QLatin1Char('#'), 0, 0);
            const QString anchor = topic.section(QLatin1Char('#'), 1);
            QFile file(source.filePath(page));
            if (!file.open(QIODevice::ReadOnly)) {
                missing << topic;
                continue;
            }
            const QString html = QString::fromUtf8(file.readAll());
            if (!anchor.isEmpty() && !html.contains(QStringLiteral("id=\"%1\"").arg(anchor)))
                missing << topic;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }

    // Each example row of the manual is what the engine makes of its text.
    void examplesAreTheProgramsOwn() {
        const QDir source(QStringLiteral(NUMERA_HELP_SOURCE));
        const QRegularExpression row(QStringLiteral("<tr([^>]*)>(.*?)</tr>"),
                                     QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpression in(QStringLiteral("<code class=\"in\">(.*?)</code>"));
        const QRegularExpression out(QStringLiteral("<code class=\"out\">(.*?)</code>"));
        const QRegularExpression log(QStringLiteral("<td class=\"log\">(.*?)</td>"));
        const QRegularExpression units(QStringLiteral("data-units=\"(\\w+)\""));
        LogLines receiver;
        ILogReceiver* const before = engineState.logReceiver;
        engineState.logReceiver = &receiver;
        int checked = 0;
        QStringList wrong;
        for (const QString& name : source.entryList({"*.html"})) {
            QFile file(source.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            for (const QRegularExpressionMatch& m : row.globalMatch(html)) {
                const QRegularExpressionMatch input = in.match(m.captured(2));
                if (!input.hasMatch()) continue;
                const QString unit = units.match(m.captured(1)).captured(1);
                Preferences.TrigonometricUnits = unit == "deg" ? 1 : unit == "grad" ? 2 : 0;
                MemoryStore::Instance().Clear();
                lastResult = 0;
                std::u16string text = PlainText(input.captured(1)).toStdU16String();
                int32_t position = -1;
                CalculateText(text, position);
                const QString shown = PlainText(out.match(m.captured(2)).captured(1));
                QStringList logged;
                for (const QString& line : log.match(m.captured(2)).captured(1).split("<br>"))
                    if (!line.isEmpty()) logged.append(PlainText(line));
                if (shown != QString::fromStdU16String(text) || logged != receiver.lines)
                    wrong.append(name + ": " + PlainText(input.captured(1)));
                ++checked;
            }
        }
        engineState.logReceiver = before;
        QVERIFY2(checked >= 140, qPrintable(QString::number(checked)));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }

    // Phrases the manual once held that the program now contradicts: each
    // row shows the program doing otherwise, then looks for the phrase.
    void manualDoesNotContradictTheProgram_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<int>("probe");
        QTest::newRow("a calculation cannot be undone")
            << "(calculation[^.<]*(cannot|can't) be undone|Undo is unavailable until)" << 0;
        QTest::newRow("the window cannot be narrower than the keypad")
            << "(cannot|can't) be (made )?narrower than the keypad" << 1;
        QTest::newRow("file dialogs always start in the working folder")
            << "dialogs? (always )?(start|open)s? in the (working|current) (folder|directory)" << 2;
    }
    void manualDoesNotContradictTheProgram() {
        QFETCH(QString, phrase);
        QFETCH(int, probe);
        switch (probe) {
            case 0: {
                // Ctrl+Z takes a calculation back.
                frame_->View()->ReplaceText(QStringLiteral("1+1"));
                frame_->OnCommand(CommandId::Calculate);
                QCOMPARE(frame_->View()->EditorText(), QStringLiteral("1+1=2"));
                QVERIFY(frame_->View()->document()->isUndoAvailable());
                frame_->View()->undo();
                QCOMPARE(frame_->View()->EditorText(), QStringLiteral("1+1"));
                break;
            }
            case 1:
                QVERIFY(frame_->minimumWidth() < frame_->Bar(101)->HorizontalSize().width());
                break;
            case 2: {
                QTemporaryDir folder;
                ScriptedFiles files({folder.filePath("a.tvc"), QString()});
                frame_->OnCommand(CommandId::SaveAs);
                frame_->OnCommand(CommandId::SaveAs);
                QCOMPARE(files.seen.size(), 2);
                QCOMPARE(files.seen[1].startFolder, QFileInfo(folder.path()).absoluteFilePath());
                break;
            }
        }
        const QRegularExpression contradiction(phrase, QRegularExpression::CaseInsensitiveOption);
        const QDir source(QStringLiteral(NUMERA_HELP_SOURCE));
        for (const QString& name : source.entryList({"*.html"})) {
            QFile file(source.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = PlainText(QString::fromUtf8(file.readAll())).simplified();
            const QRegularExpressionMatch found = contradiction.match(text);
            QVERIFY2(!found.hasMatch(), qPrintable(name + ": " + found.captured(0)));
        }
    }

    // F1 asks for the topic of what has the focus.
    void f1OpensTheFocusTopic_data() {
        QTest::addColumn<int>("button");  // a keypad button, 0 for the editor, -1 the memory list
        QTest::addColumn<QString>("page");
        QTest::newRow("editor") << 0 << "language.html";
        QTest::newRow("arcsin") << 1040 << "keypad.html#inverse-trigonometric";
        QTest::newRow("lg") << 1037 << "keypad.html#functions";
        QTest::newRow("seven") << 1013 << "keypad.html#digits";
        QTest::newRow("store") << 1069 << "keypad.html#memory";
        QTest::newRow("= all") << 1062 << "keypad.html#calculate";
        QTest::newRow("memory list") << -1 << "memory-panel.html";
    }
    void f1OpensTheFocusTopic() {
        QFETCH(int, button);
        QFETCH(QString, page);
        ShowActive();
        QWidget* target = frame_->View();
        if (button > 0) target = frame_->Keypad()->ButtonById(button);
        if (button < 0) target = frame_->MemoryPanel()->List();
        QVERIFY(target);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_F1);
        QCOMPARE(pages_, QStringList{page});
    }

    // Shift+F1 or the toolbar button, then a click: the clicked part's topic;
    // Esc leaves without one.
    void contextHelpOpensTheClickedTopic() {
        ShowActive();
        QTest::keyClick(frame_->View(), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(frame_->HelpRequests()->InContextMode());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WhatsThisCursor);
        QWidget* list = frame_->MemoryPanel()->List()->viewport();
        QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(pages_, QStringList{"memory-panel.html"});
        QVERIFY(!frame_->HelpRequests()->InContextMode());
        QVERIFY(!QApplication::overrideCursor());

        auto* button = qobject_cast<QToolButton*>(
            frame_->ToolBar()->widgetForAction(frame_->Action(CommandId::ContextHelp)));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(frame_->HelpRequests()->InContextMode());
        QTest::keyClick(frame_->View(), Qt::Key_Escape);
        QVERIFY(!frame_->HelpRequests()->InContextMode());
        QCOMPARE(pages_.size(), 1);
    }

    // F1 on a menu's highlighted item: the topic of its command, a submenu's
    // through its first command, an item without one through the widget the
    // menu belongs to. The menu closes.
    void f1OnAMenuItem_data() {
        QTest::addColumn<int>("menu");  // of the menu bar; -1 the editor's own
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("page");
        QTest::newRow("File > Save") << 0 << "&Save"
                                     << "files.html#commands";
        QTest::newRow("Memory > Load") << 1 << "&Load..."
                                       << "memory.html#menu";
        QTest::newRow("View > Live Result") << 3 << "L&ive Result"
                                            << "editor.html#live-result";
        QTest::newRow("View > Result digits") << 3 << "Result &digits"
                                              << "preferences.html#digits";
        QTest::newRow("Set > Keypad") << 4 << "&Keypad"
                                      << "keypad.html#appearance";
        QTest::newRow("Help > About") << 5 << "&About Calculator..."
                                      << "index.html";
        QTest::newRow("editor > Undo") << -1 << "&Undo"
                                       << "language.html";
    }
    void f1OnAMenuItem() {
        QFETCH(int, menu);
        QFETCH(QString, item);
        QFETCH(QString, page);
        ShowActive();
        QPointer<QMenu> opened;
        if (menu >= 0) {
            opened = frame_->menuBar()->actions().at(menu)->menu();
            opened->popup(frame_->mapToGlobal(QPoint(20, 40)));
        } else {
            const QPoint at(5, 5);
            QContextMenuEvent open(QContextMenuEvent::Keyboard, at,
                                   frame_->View()->viewport()->mapToGlobal(at));
            QApplication::sendEvent(frame_->View()->viewport(), &open);
            opened = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        }
        QVERIFY(opened);
        QVERIFY(QTest::qWaitForWindowExposed(opened));
        const QList<QAction*> items = opened->actions();
        const auto found = std::find_if(items.begin(), items.end(), [&](const QAction* a) {
            return a->text().startsWith(item);
        });
        QVERIFY(found != items.end());
        opened->setActiveAction(*found);
        QTest::keyClick(opened, Qt::Key_F1);
        QCOMPARE(pages_, QStringList{page});
        QVERIFY(!opened || !opened->isVisible());
        QVERIFY(!QApplication::activePopupWidget());
    }

    // F1 in the message dialog: its help id names the message's topic.
    void f1InTheMessageDialog() {
        ShowActive();
        QTimer timer;
        bool pressed = false;
        connect(&timer, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<TaMessageDialog*>(QApplication::activeModalWidget());
            if (!dialog || pressed) return;
            pressed = true;
            QTest::keyClick(dialog, Qt::Key_F1);
            dialog->done(IDNO);
        });
        timer.start(20);
        AppMessageBox(QStringLiteral("Erase all the memory?"), MB_YESNO | MB_ICONQUESTION, 32830);
        QVERIFY(pressed);
        QCOMPARE(pages_, QStringList{"messages.html#erase-memory"});
    }

    // F6 and Shift+F6: editor, then each visible panel in order, round again.
    void panesCycle_data() {
        QTest::addColumn<QList<int>>("shown");  // bars made visible, then hidden
        QTest::addColumn<QList<int>>("hidden");
        QTest::addColumn<QList<int>>("order");  // 0 the editor, else bar ids
        QTest::newRow("as created") << QList<int>{} << QList<int>{} << QList<int>{0, 101, 102, 105};
        QTest::newRow("floating statistics")
            << QList<int>{106} << QList<int>{} << QList<int>{0, 101, 102, 105, 106};
        QTest::newRow("log hidden") << QList<int>{} << QList<int>{102} << QList<int>{0, 101, 105};
    }
    void panesCycle() {
        QFETCH(QList<int>, shown);
        QFETCH(QList<int>, hidden);
        QFETCH(QList<int>, order);
        ShowActive();
        for (int id : shown) frame_->Bar(id)->show();
        for (int id : hidden) frame_->Bar(id)->hide();
        frame_->FocusView();
        const auto pane = [this](int id) -> QWidget* {
            return id == 0 ? static_cast<QWidget*>(frame_->View()) : frame_->Bar(id);
        };
        for (int step : {1, -1}) {
            for (qsizetype i = 1; i <= order.size(); ++i) {
                QTest::keyClick(Focus(), Qt::Key_F6, step > 0 ? Qt::NoModifier : Qt::ShiftModifier);
                const qsizetype at = ((step * i) % order.size() + order.size()) % order.size();
                QTRY_VERIFY2(FocusIn(pane(order[at])), qPrintable(QString::number(order[at])));
            }
        }
    }

    // The real window on the real manual: one window, raised again, on the
    // page asked for, with contents and index.
    void realWindowShowsThePage() {
        SetHelpPresenter({});
        ShowActive();
        QTest::keyClick(frame_->View(), Qt::Key_F1);
        CCalcHelpWindow* window = CCalcHelpWindow::Instance();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(window->windowTitle().contains("Help"));
        QCOMPARE(window->CurrentUrl(), QUrl("qthelp://numera.help/doc/language.html"));
        QVERIFY(window->Browser()->toPlainText().startsWith("Contents\nThe calculation language"));

        ShowHelpPage(QStringLiteral("functions.html#sech"));
        QCOMPARE(CCalcHelpWindow::Instance(), window);
        QCOMPARE(window->CurrentUrl(), QUrl("qthelp://numera.help/doc/functions.html#sech"));
        QVERIFY(window->Browser()->toPlainText().contains("Names: sech"));
        // Help Topics: the start page, with the contents beside it.
        window->Tabs()->setCurrentIndex(1);
        frame_->Action(CommandId::HelpIndex)->trigger();
        QCOMPARE(CCalcHelpWindow::Instance(), window);
        QCOMPARE(window->CurrentUrl(), QUrl("qthelp://numera.help/doc/index.html"));
        QCOMPARE(window->Tabs()->currentIndex(), 0);
        QTRY_COMPARE(window->Engine()->contentModel()->rowCount(), 1);
        QTRY_VERIFY(window->Engine()->indexModel()->rowCount() > 200);

        // One click on a page of the contents opens it.
        QHelpContentWidget* contents = window->Engine()->contentWidget();
        const QModelIndex root = contents->model()->index(0, 0);
        contents->expand(root);
        QModelIndex page;
        for (int row = 0; row < contents->model()->rowCount(root) && !page.isValid(); ++row) {
            const QModelIndex candidate = contents->model()->index(row, 0, root);
            const QHelpContentItem* item =
                window->Engine()->contentModel()->contentItemAt(candidate);
            if (item && item->url().path().endsWith("/keypad.html")) page = candidate;
        }
        QVERIFY(page.isValid());
        contents->scrollTo(page);
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                          contents->visualRect(page).center());
        QCOMPARE(window->CurrentUrl().path(), QStringLiteral("/doc/keypad.html"));
    }

    // A link of the manual, clicked or chosen with Tab and Enter, opens its
    // page in the window, and Back comes back; none reaches the desktop.
    void linksStayInTheWindow() {
        SetHelpPresenter({});
        ShowHelpPage(QStringLiteral("language.html"));
        CCalcHelpWindow* window = CCalcHelpWindow::Instance();
        QVERIFY(window);
        QTextBrowser* browser = window->Browser();
        ExternalOpener opened;
        QDesktopServices::setUrlHandler(QStringLiteral("qthelp"), &opened, "Open");
        const QUrl start("qthelp://numera.help/doc/language.html");

        // The first link to another page, and where it is.
        QTextCursor link;
        QString href;
        for (QTextBlock block = browser->document()->begin(); block.isValid() && href.isEmpty();
             block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (const QTextCharFormat format = it.fragment().charFormat();
                    format.isAnchor() && format.anchorHref().contains(".html")) {
                    href = format.anchorHref();
                    link = QTextCursor(browser->document());
                    link.setPosition(it.fragment().position() + 1);
                    break;
                }
        QVERIFY(!href.isEmpty());
        const QUrl target = start.resolved(QUrl(href));
        QVERIFY(target.path() != start.path());

        browser->setTextCursor(link);
        browser->ensureCursorVisible();
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {},
                          browser->cursorRect(link).center());
        QCOMPARE(window->CurrentUrl(), target);
        browser->backward();
        QCOMPARE(window->CurrentUrl(), start);

        // Tab goes to the first link of the page, Enter follows it.
        browser->verticalScrollBar()->setValue(0);
        browser->setTextCursor(QTextCursor(browser->document()));
        browser->setFocus();
        QTest::keyClick(browser, Qt::Key_Tab);
        const QUrl focused = start.resolved(QUrl(browser->textCursor().charFormat().anchorHref()));
        QVERIFY(focused.path() != start.path());
        QTest::keyClick(browser, Qt::Key_Return);
        QCOMPARE(window->CurrentUrl(), focused);
        QCOMPARE(opened.urls, QList<QUrl>());
        QDesktopServices::unsetUrlHandler(QStringLiteral("qthelp"));
    }

    // A manual that cannot be opened is said once, and no window appears.
    void unopenableManualIsSaidOnce() {
        SetHelpPresenter({});
        const QString collection = CCalcHelpWindow::CollectionFilePath();
        QVERIFY(collection.startsWith(data_.path()));
        QFile::remove(collection);
        QVERIFY(QDir().mkpath(collection));  // a folder where the collection must go
        ScriptedMessages messages({IDOK});
        ShowHelpPage(QStringLiteral("index.html"));
        QVERIFY(QDir(collection).removeRecursively());
        QVERIFY(!CCalcHelpWindow::Instance());
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text,
                 QStringLiteral("The help file %1 cannot be opened.\nInstall the program again "
                                "to restore its manual.")
                     .arg(CCalcHelpWindow::HelpFilePath()));
        QCOMPARE(messages.asked[0].type, MB_ICONEXCLAMATION);
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
