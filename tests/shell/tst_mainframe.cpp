// The main window and the application: keys, menus, panes, title,
// placement, recent and dropped files, start-up and exit.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>

#include "document/CCalcDoc.h"
#include "document/CCalcPageSetup.h"
#include "document/CCalcView.h"
#include "document/EditorAssist.h"
#include "document/PrintSettings.h"
#include "document/PrinterSelection.h"
#include "engine/MemoryStore.h"
#include "engine/Preferences.h"
#include "panels/CCalcMemory.h"
#include "shell/CCalcApp.h"
#include "shell/CCalcDlgBar.h"
#include "shell/CCalcMainFrame.h"
#include "shell/CCalcPrintPreview.h"
#include "shell/CCalcToolBar.h"
#include "shell/core/CommandIds.h"
#include "shell/core/SettingsStore.h"
#include "shell/core/StringIds.h"
#include "tests/document/ScriptedUi.h"
#include "tests/support/FrameFixture.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaMessageDialog.h"
#include "toolkit/TaStatic.h"

using NCalculatorText::MemoryStore;

namespace {

// Menu texts, submenus as "Title>" followed by their items, separators "-".
QStringList MenuTexts(const QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (!action->isVisible()) continue;
        if (action->isSeparator())
            texts << "-";
        else if (action->menu())
            texts << action->text() + ">" + MenuTexts(action->menu()).join(",");
        else
            texts << action->text();
    }
    return texts;
}

}  // namespace

class TestMainFrame : public QObject, protected FrameFixture {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString PathOf(const QString& name) const { return dir_.filePath(name); }
    CCalcView* View() const { return frame_->View(); }

    void ShowActive() {
        frame_->show();
        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
        View()->setFocus();
    }

private slots:
    void init() { StartFrame(); }
    void cleanup() { StopFrame(); }

    void calculationThroughTheShortcutKeys() {
        ShowActive();
        QTest::keyClicks(View(), "2+3");
        QTest::keyClick(View(), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(View()->EditorText(), QStringLiteral("2+3=5"));
        QCOMPARE(frame_->Pane(IndicatorId::Result)->text(), QStringLiteral("rslt = 5"));
        QCOMPARE(frame_->windowTitle(), QString::fromUtf8(" Tarvik F \u2014 Calculation\u00B0"));

        QTest::keyClicks(View(), ";");
        QTest::keyClick(View(), Qt::Key_Return);
        QTest::keyClicks(View(), "7*6;");
        QTest::keyClick(View(), Qt::Key_Return);
        QTest::keyClicks(View(), "1/4");
        QTest::keyClick(View(), Qt::Key_Home);
        QTest::keyClick(View(), Qt::Key_Equal, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(View()->EditorText(), QStringLiteral("2+3=5;\n7*6=42;\n1/4=0.25"));
        QCOMPARE(frame_->Pane(IndicatorId::Result)->text(), QStringLiteral("rslt = 0.25"));
        // Edit > Undo takes the whole calculation back.
        QVERIFY(frame_->Action(CommandId::Undo)->isEnabled());
        frame_->Action(CommandId::Undo)->trigger();
        QCOMPARE(View()->EditorText(), QStringLiteral("2+3=5;\n7*6;\n1/4"));
    }
    void liveResultPaneAndTheEditorSwitches() {
        ShowActive();
        QLabel* live = frame_->Pane(IndicatorId::LiveResult);
        QTest::keyClicks(View(), "2^10");
        QTRY_COMPARE(live->text(), QStringLiteral("= 1024"));
        QCOMPARE(frame_->Pane(IndicatorId::Result)->text(), QStringLiteral("rslt = 0"));
        // A prompt takes the pane's place while it shows.
        QVERIFY(live->isVisible());
        frame_->statusBar()->showMessage(QStringLiteral("Change the preferences"));
        QVERIFY(!live->isVisible());
        frame_->UpdateCommandStates();
        QVERIFY(!live->isVisible());
        frame_->statusBar()->clearMessage();
        QVERIFY(live->isVisible());
        frame_->UpdateCommandStates();
        QVERIFY(frame_->Action(CommandId::ViewLiveResult)->isChecked());
        QVERIFY(frame_->Action(CommandId::ViewHighlighting)->isChecked());
        frame_->Action(CommandId::ViewLiveResult)->trigger();
        frame_->Action(CommandId::ViewHighlighting)->trigger();
        QVERIFY(!frame_->Action(CommandId::ViewLiveResult)->isChecked());
        QVERIFY(!frame_->Action(CommandId::ViewHighlighting)->isChecked());
        QVERIFY(!live->isVisible());
        frame_->statusBar()->showMessage(QStringLiteral("Change the preferences"));
        frame_->statusBar()->clearMessage();
        QVERIFY(!live->isVisible());
        // Kept with the editor's settings, read at the next start.
        frame_->SaveState(*OpenSettingsStore());
        std::unique_ptr<QSettings> stored = OpenSettingsStore();
        QCOMPARE(stored->value("GUI/Editor/LiveResult").toInt(), 0);
        QCOMPARE(stored->value("GUI/Editor/Highlighting").toInt(), 0);
        frame_->Assist()->LoadSettings(*stored);
        QVERIFY(!frame_->Assist()->LiveResultShown());
    }
    void noCtrlPlusShortcut() {
        for (QAction* action : frame_->findChildren<QAction*>())
            for (const QKeySequence& key : action->shortcuts())
                QVERIFY2(key != QKeySequence(Qt::CTRL | Qt::Key_Plus), qPrintable(action->text()));
        QCOMPARE(frame_->Action(CommandId::Calculate)->shortcuts(),
                 QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::Key_Equal)}));
        QCOMPARE(frame_->Action(CommandId::CalculateAll)->shortcuts(),
                 QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal)}));
    }
    void editingKeys_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QList<QKeySequence>>("keys");
        QTest::newRow("undo") << CommandId::Undo
                              << QList<QKeySequence>{QKeySequence("Ctrl+Z"),
                                                     QKeySequence("Alt+Backspace")};
        QTest::newRow("cut") << CommandId::Cut
                             << QList<QKeySequence>{QKeySequence("Ctrl+X"),
                                                    QKeySequence("Shift+Del")};
        QTest::newRow("copy") << CommandId::Copy
                              << QList<QKeySequence>{QKeySequence("Ctrl+C"),
                                                     QKeySequence("Ctrl+Ins")};
        QTest::newRow("paste") << CommandId::Paste
                               << QList<QKeySequence>{QKeySequence("Ctrl+V"),
                                                      QKeySequence("Shift+Ins")};
        QTest::newRow("new") << CommandId::New << QList<QKeySequence>{QKeySequence("Ctrl+N")};
        QTest::newRow("open") << CommandId::Open << QList<QKeySequence>{QKeySequence("Ctrl+O")};
        QTest::newRow("save") << CommandId::Save << QList<QKeySequence>{QKeySequence("Ctrl+S")};
        QTest::newRow("execute") << CommandId::Execute
                                 << QList<QKeySequence>{QKeySequence("Ctrl+E")};
        QTest::newRow("help") << CommandId::Help << QList<QKeySequence>{QKeySequence("F1")};
        QTest::newRow("context help")
            << CommandId::ContextHelp << QList<QKeySequence>{QKeySequence("Shift+F1")};
        QTest::newRow("next pane")
            << CommandId::NextPane << QList<QKeySequence>{QKeySequence("F6")};
        QTest::newRow("previous pane")
            << CommandId::PrevPane << QList<QKeySequence>{QKeySequence("Shift+F6")};
    }
    void editingKeys() {
        QFETCH(int, id);
        QFETCH(QList<QKeySequence>, keys);
        QAction* action = frame_->Action(id);
        QVERIFY(action);
        QCOMPARE(action->data().toInt(), id);
        QCOMPARE(action->shortcuts(), keys);
    }
    void altBackspaceUndoes() {
        ShowActive();
        QTest::keyClicks(View(), "12");
        QTest::keyClick(View(), Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(View()->EditorText(), QString());
    }
    void everyActionCarriesItsId() {
        for (QAction* action : frame_->findChildren<QAction*>()) {
            if (action->isSeparator() || action->menu() || !action->data().isValid()) continue;
            QCOMPARE(frame_->Action(action->data().toInt()), action);
        }
    }
    // Print Preview in place of the editor: the pages of the text, the
    // button row, the status text, and back to the editor with Esc.
    void printPreviewInPlaceOfTheEditor() {
        const auto lister = PrinterSelection::SetLister([] { return QList<PrinterQueue>(); });
        ApplicationPrinterSelection().Clear();
        ApplicationPrintSettings() = PrintSettings();
        ShowActive();
        // Three pages on A4 and on Letter alike.
        View()->ReplaceText(QString("7*6 = 42;\n").repeated(120));
        frame_->OnCommand(CommandId::PrintPreview);
        CCalcPrintPreview* preview = frame_->Preview();
        QVERIFY(preview);
        // Over the editor, which keeps its place but takes nothing.
        QVERIFY(preview->isVisible());
        QCOMPARE(preview->geometry(), View()->geometry());
        QVERIFY(!View()->isEnabled());
        QStringList buttons;
        for (QPushButton* button : preview->findChildren<QPushButton*>()) buttons << button->text();
        QCOMPARE(buttons, QStringList({"&Print...", "&Next Page", "Pre&v Page", "&Two Page",
                                       "Zoom &In", "Zoom &Out", "&Close"}));
        QCOMPARE(preview->PageCount(), 3);
        const auto status = [this] {
            return frame_->findChild<QLabel*>(QStringLiteral("PreviewStatus"))->text();
        };
        QCOMPARE(status(), "Page 1");
        preview->NextPage();
        QCOMPARE(status(), "Page 2");
        // Two pages stand in pairs from page 1; Next moves a pair on.
        preview->TogglePages();
        QVERIFY(preview->Button("&One Page"));
        QCOMPARE(status(), "Pages 1-2");
        QCOMPARE(preview->SecondWidget()->currentPage(), 2);
        QVERIFY(preview->Button("&Next Page")->isEnabled());
        preview->NextPage();
        QCOMPARE(status(), "Page 3");
        QVERIFY(!preview->SecondWidget()->isVisible());
        QVERIFY(!preview->Button("&Next Page")->isEnabled());
        preview->PreviousPage();
        QCOMPARE(status(), "Pages 1-2");
        QTest::keyClick(preview, Qt::Key_Escape);
        QTRY_VERIFY(!frame_->Preview());
        QVERIFY(View()->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(View()));
        QCOMPARE(TempSettings::Open("Settings")->value("PreviewPages").toInt(), 2);
        // Opened again, it starts with two pages; the frame goes with it open.
        frame_->OnCommand(CommandId::PrintPreview);
        QVERIFY(frame_->Preview()->Button("&One Page"));
        PrinterSelection::SetLister(lister);
    }
    // While the preview shows, nothing changes the document or the panels
    // under it; Page Setup re-lays its pages; closing it brings back the bars
    // and the window exactly as they were.
    void previewOwnsTheWindow_data() {
        QTest::addColumn<bool>("maximized");
        QTest::newRow("restored") << false;
        QTest::newRow("maximized") << true;
    }
    void previewOwnsTheWindow() {
        QFETCH(bool, maximized);
        const auto lister = PrinterSelection::SetLister([] { return QList<PrinterQueue>(); });
        ApplicationPrinterSelection().Clear();
        ApplicationPrintSettings() = PrintSettings();
        if (maximized) frame_->setWindowState(Qt::WindowMaximized);
        ShowActive();
        View()->ReplaceText(QString("7*6 = 42;\n").repeated(120));
        // The user made the log taller.
        frame_->resizeDocks({frame_->Bar(BarId::Log)}, {200}, Qt::Vertical);
        QTest::qWait(50);
        const QByteArray layout = frame_->saveState();
        const QSize size = frame_->size();
        const QRect editor = View()->geometry();
        const QRect memory = frame_->Bar(BarId::Memory)->geometry();
        const QString title = frame_->windowTitle();

        frame_->OnCommand(CommandId::PrintPreview);
        QVERIFY(frame_->Preview());
        using namespace CommandId;
        for (int id : {New, Open, Execute, MemoryLoad, Calculate, CommandId::CalculateAll, Undo,
                       Paste, PrintPreview})
            QVERIFY2(!frame_->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        for (int id : {Print, PageSetup, Exit}) QVERIFY(frame_->Action(id)->isEnabled());
        QVERIFY(!frame_->Keypad()->isEnabled());
        QVERIFY(!frame_->MemoryPanel()->isEnabled());
        // Asked all the same (a panel's key, a script): nothing happens.
        frame_->OnCommand(New);
        frame_->OnCommand(Calculate);
        QCOMPARE(frame_->windowTitle(), title);
        QVERIFY(frame_->Preview()->isVisible());

        // A prompt passes over the page text and leaves it standing.
        auto* status = frame_->findChild<QLabel*>(QStringLiteral("PreviewStatus"));
        frame_->statusBar()->showMessage("Create a new document");
        frame_->statusBar()->clearMessage();
        QCOMPARE(status->text(), "Page 1");
        QVERIFY(status->isVisible());
        // Page Setup with a far larger top margin: more pages, same status.
        frame_->Preview()->NextPage();
        const int before = frame_->Preview()->PageCount();
        CCalcPageSetup::SetMeasurementSystem(QLocale::MetricSystem);
        const auto runner = CCalcPageSetup::SetRunner([](CCalcPageSetup& dialog) {
            dialog.SetMarginField(CCalcPageSetup::Top, 15000);
            dialog.accept();
            return dialog.result();
        });
        frame_->OnCommand(PageSetup);
        CCalcPageSetup::SetRunner(runner);
        CCalcPageSetup::SetMeasurementSystem(std::nullopt);
        QVERIFY2(frame_->Preview()->PageCount() > before,
                 qPrintable(QString::number(frame_->Preview()->PageCount())));
        QCOMPARE(status->text(), "Page 2");

        frame_->ClosePrintPreview();
        QVERIFY(frame_->Action(New)->isEnabled());
        QVERIFY(frame_->Keypad()->isEnabled());
        QTRY_COMPARE(View()->geometry(), editor);
        QCOMPARE(frame_->size(), size);
        QCOMPARE(frame_->Bar(BarId::Memory)->geometry(), memory);
        QCOMPARE(frame_->saveState(), layout);
        QTRY_VERIFY(!frame_->findChild<QLabel*>(QStringLiteral("PreviewStatus")));
        ApplicationPrintSettings() = PrintSettings();
        PrinterSelection::SetLister(lister);
    }
    void menusHoldOnlyWhatExists() {
        const QList<QAction*> top = frame_->menuBar()->actions();
        QStringList titles;
        for (QAction* a : top) titles << a->text();
        QCOMPARE(titles, QStringList({"&File", "&Memory", "&Edit", "&View", "&Set", "&Help"}));
        QCOMPARE(MenuTexts(top[0]->menu()),
                 QStringList({"&New", "&Open...", "&Save", "Save &As...", "-", "&Execute...", "-",
                              "&Print...", "Print Pre&view", "Pa&ge Setup...", "-", "Recent File",
                              "-", "E&xit"}));
        QCOMPARE(MenuTexts(top[1]->menu()), QStringList({"&Free", "&Load...", "&Save..."}));
        QCOMPARE(MenuTexts(top[2]->menu()), QStringList({"&Undo", "-", "Cu&t", "&Copy", "&Paste"}));
        QCOMPARE(MenuTexts(top[3]->menu()),
                 QStringList({"&Toolbar", "&Keypad", "&Log", "&Memory", "St&atistics",
                              "&Status Bar", "-", "L&ive Result", "&Highlighting",
                              // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one submenu
                              "Result &digits>&Exact (19 digits),&Shortest,-,"
                              "Significant digits: &3,Significant digits: &6,"
                              "Significant digits: 1&0,Significant digits: 1&5,-,"
                              "Decimals: &0,Decimals: &2,Decimals: &4,-,&Other..."}));
        QCOMPARE(MenuTexts(top[4]->menu()),
                 QStringList({"&Preferences...", "&Notation>&West,&East",
                              "&Keypad>&Style>&2000,&Tarvik,&XP,&Vista,"
                              "&Font>&Select...,S&ystem,&Default,"
                              "&Text Color>&Function...,&Digit...,&Service...,-,S&ystem,D&efault,"
                              "&Color>&Function...,&Digit...,&Service...,-,S&ystem,D&efault",
                              "&Editor Font>&Select...,&Default"}));
        QCOMPARE(MenuTexts(top[5]->menu()),
                 QStringList({"&Help Topics", "-", "&About Calculator..."}));
    }
    void menuCommandsCarryTheirIds_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("id");
        QTest::addColumn<QKeySequence>("key");
        const QKeySequence none;
        QTest::newRow("page setup") << "&File/Pa&ge Setup..." << 57605 << none;
        QTest::newRow("keypad") << "&View/&Keypad" << 32775 << QKeySequence("Ctrl+K");
        QTest::newRow("log") << "&View/&Log" << 32776 << QKeySequence("Ctrl+L");
        QTest::newRow("memory") << "&View/&Memory" << 32777 << QKeySequence("Ctrl+M");
        QTest::newRow("statistics") << "&View/St&atistics" << 32778 << QKeySequence("Ctrl+T");
        QTest::newRow("preferences") << "&Set/&Preferences..." << 32779 << none;
        QTest::newRow("west") << "&Set/&Notation/&West" << 32782 << none;
        QTest::newRow("east") << "&Set/&Notation/&East" << 32781 << none;
        QTest::newRow("2000") << "&Set/&Keypad/&Style/&2000" << 32788 << none;
        QTest::newRow("Tarvik") << "&Set/&Keypad/&Style/&Tarvik" << 32787 << none;
        QTest::newRow("XP") << "&Set/&Keypad/&Style/&XP" << 32785 << none;
        QTest::newRow("Vista") << "&Set/&Keypad/&Style/&Vista" << 32786 << none;
        QTest::newRow("font select") << "&Set/&Keypad/&Font/&Select..." << 32789 << none;
        QTest::newRow("font system") << "&Set/&Keypad/&Font/S&ystem" << 32790 << none;
        QTest::newRow("font default") << "&Set/&Keypad/&Font/&Default" << 32791 << none;
        QTest::newRow("text function") << "&Set/&Keypad/&Text Color/&Function..." << 32792 << none;
        QTest::newRow("text digit") << "&Set/&Keypad/&Text Color/&Digit..." << 32793 << none;
        QTest::newRow("text service") << "&Set/&Keypad/&Text Color/&Service..." << 32794 << none;
        QTest::newRow("text system") << "&Set/&Keypad/&Text Color/S&ystem" << 32796 << none;
        QTest::newRow("text default") << "&Set/&Keypad/&Text Color/D&efault" << 32795 << none;
        QTest::newRow("color function") << "&Set/&Keypad/&Color/&Function..." << 32797 << none;
        QTest::newRow("color digit") << "&Set/&Keypad/&Color/&Digit..." << 32798 << none;
        QTest::newRow("color service") << "&Set/&Keypad/&Color/&Service..." << 32799 << none;
        QTest::newRow("color system") << "&Set/&Keypad/&Color/S&ystem" << 32800 << none;
        QTest::newRow("color default") << "&Set/&Keypad/&Color/D&efault" << 32801 << none;
        QTest::newRow("about") << "&Help/&About Calculator..." << 57664 << none;
        QTest::newRow("help topics") << "&Help/&Help Topics" << 57667 << none;
    }
    void menuCommandsCarryTheirIds() {
        QFETCH(QString, path);
        QFETCH(int, id);
        QFETCH(QKeySequence, key);
        const QStringList steps = path.split('/');
        QList<QAction*> level = frame_->menuBar()->actions();
        QAction* found = nullptr;
        for (const QString& step : steps) {
            found = nullptr;
            for (QAction* a : level)
                if (a->text() == step) found = a;
            if (!found) QFAIL(qPrintable(step));
            if (found->menu()) level = found->menu()->actions();
        }
        if (!found) QFAIL(qPrintable(path));
        QCOMPARE(found->data().toInt(), id);
        QCOMPARE(found, frame_->Action(id));
        QCOMPARE(found->shortcut(), key);
    }
    void actionPromptsTipsAndMarks_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<bool>("checkable");
        QTest::newRow("new") << 57600 << "Start a new calculation"
                             << "New Ctrl+N" << false;
        // Without a tip of its own an action shows its menu text, bare.
        QTest::newRow("save as") << 57604 << "Save the calculation under a new name"
                                 << "Save As" << false;
        QTest::newRow("recent") << 57616 << "Open this calculation"
                                << "" << false;
        QTest::newRow("calculate all") << 32803 << "Calculate all cells"
                                       << "Calculate all Ctrl+Shift+=" << false;
        QTest::newRow("keypad") << 32775 << "Show or hide keypad"
                                << "Toggle keypad Ctrl+K" << true;
        QTest::newRow("units") << 32780 << "Choose the unit of angles"
                               << "Trigonometric units" << true;
        QTest::newRow("font select") << 32789 << "Choose the keypad font"
                                     << "Select" << false;
        QTest::newRow("color default") << 32801 << "Default key colours"
                                       << "Default" << true;
    }
    void actionPromptsTipsAndMarks() {
        QFETCH(int, id);
        QFETCH(QString, prompt);
        QFETCH(QString, tip);
        QFETCH(bool, checkable);
        const QAction* action = frame_->Action(id);
        QVERIFY(action);
        QCOMPARE(action->statusTip(), prompt);
        QCOMPARE(action->toolTip(), tip);
        QCOMPARE(action->isCheckable(), checkable);
    }
    void memoryCommandsNeedCells() {
        frame_->UpdateCommandStates();
        QVERIFY(!frame_->Action(CommandId::MemoryFree)->isEnabled());
        QVERIFY(!frame_->Action(CommandId::MemorySave)->isEnabled());
        QVERIFY(frame_->Action(CommandId::MemoryLoad)->isEnabled());
        View()->ReplaceText("2->mem[x]");
        frame_->OnCommand(CommandId::Calculate);
        QVERIFY(frame_->Action(CommandId::MemoryFree)->isEnabled());
        QVERIFY(frame_->Action(CommandId::MemorySave)->isEnabled());
        frame_->OnCommand(CommandId::MemoryFree);
        QCOMPARE(MemoryStore::Instance().Count(), std::size_t(0));
        QVERIFY(!frame_->Action(CommandId::MemoryFree)->isEnabled());
    }
    void editorFontDefaultCheckMark() {
        frame_->UpdateCommandStates();
        QVERIFY(frame_->Action(CommandId::EditorFontDefault)->isChecked());
        QFont other = View()->font();
        other.setItalic(true);
        View()->ApplyChosenFont(other);
        frame_->UpdateCommandStates();
        QVERIFY(!frame_->Action(CommandId::EditorFontDefault)->isChecked());
        frame_->OnCommand(CommandId::EditorFontDefault);
        QVERIFY(frame_->Action(CommandId::EditorFontDefault)->isChecked());
        QVERIFY(!View()->font().italic());
    }
    void toolbarAndStatusBarToggle() {
        ShowActive();
        frame_->UpdateCommandStates();
        QVERIFY(frame_->Action(CommandId::ViewToolbar)->isChecked());
        QVERIFY(frame_->Action(CommandId::ViewStatusBar)->isChecked());
        frame_->OnCommand(CommandId::ViewToolbar);
        frame_->OnCommand(CommandId::ViewStatusBar);
        QVERIFY(!frame_->ToolBar()->isVisible());
        QVERIFY(!frame_->statusBar()->isVisible());
        QVERIFY(!frame_->Action(CommandId::ViewToolbar)->isChecked());
        QVERIFY(!frame_->Action(CommandId::ViewStatusBar)->isChecked());
        frame_->OnCommand(CommandId::ViewToolbar);
        QVERIFY(frame_->ToolBar()->isVisible());
    }
    void statusPanes() {
        Preferences.TrigonometricUnits = 2;
        Preferences.UseSSE2 = 1;
        NCalculatorText::lastResult = 0.1;
        frame_->RefreshFromPreferences();
        QCOMPARE(frame_->Pane(IndicatorId::Result)->text(),
                 QStringLiteral("rslt = 0.1000000000000000056"));
        QCOMPARE(frame_->Pane(IndicatorId::Units)->text(), QStringLiteral("Grad"));
        // No SSE2 switch on this platform: the pane stays empty.
        QCOMPARE(frame_->Pane(IndicatorId::Sse2)->text(),
                 SSE2Available ? QStringLiteral("SSE2") : QString());
        // Each pane is as wide as its indicator text; a reader hears its
        // name, then what it shows.
        struct Indicator {
            int id;
            QString text;
            QString name;
        };
        const QList<Indicator> indicators{
            {IndicatorId::Result, "RESULT=-8.8888888888888888888E+888", "Last result"},
            {IndicatorId::Units, "Grad", "Angle unit"},
            {IndicatorId::Sse2, "SSE2", "Processor module"},
            {IndicatorId::Caps, "CAP", "Caps Lock"},
            {IndicatorId::Num, "NUM", "Num Lock"}};
        for (const auto& [id, text, name] : indicators) {
            QLabel* pane = frame_->Pane(id);
            QVERIFY(pane->width() >= pane->fontMetrics().horizontalAdvance(text));
            QVERIFY(pane->width() < pane->fontMetrics().horizontalAdvance(text) + 30);
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(pane);
            QCOMPARE(iface->text(QAccessible::Name), name);
            QCOMPARE(iface->text(QAccessible::Description), pane->text());
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(frame_->Pane(IndicatorId::Result))
                     ->text(QAccessible::Description),
                 QStringLiteral("rslt = 0.1000000000000000056"));
    }
    // View > Result digits: one item checked, the choice stored and shown at
    // once in the result pane and the memory panel, and used by Calculate.
    void resultDigitsMenu() {
        using namespace CommandId;
        View()->ReplaceText("0.1->mem[x]");
        frame_->OnCommand(CommandId::Calculate);
        frame_->MemoryPanel()->Refresh();
        const auto shown = [this] {
            const QTreeWidgetItem* row = frame_->MemoryPanel()->List()->topLevelItem(0);
            return QStringList{frame_->Pane(IndicatorId::Result)->text(),
                               row->text(CCalcMemory::ValueColumn)};
        };
        const auto checked = [this] {
            QList<int> ids;
            for (int id : {ResultDigitsExact, ResultDigitsShortest, ResultDigitsSignificant + 3,
                           ResultDigitsDecimals + 2, ResultDigitsOther})
                if (frame_->Action(id)->isChecked()) ids << id;
            return ids;
        };
        frame_->UpdateCommandStates();
        QCOMPARE(checked(), QList<int>{ResultDigitsExact});
        QCOMPARE(shown(), (QStringList{"rslt = 0.1000000000000000056", "0.1000000000000000056"}));

        frame_->Action(ResultDigitsShortest)->trigger();
        QCOMPARE(::Preferences.ResultDigits, 1u);
        QVERIFY(PreferencesChanged);
        QCOMPARE(checked(), QList<int>{ResultDigitsShortest});
        QCOMPARE(shown(), (QStringList{"rslt = 0.1", "0.1"}));

        frame_->Action(ResultDigitsDecimals + 2)->trigger();
        QCOMPARE(::Preferences.ResultDigits, 202u);
        QCOMPARE(checked(), QList<int>{ResultDigitsDecimals + 2});
        QCOMPARE(shown(), (QStringList{"rslt = 0.10", "0.10"}));
        View()->ReplaceText("0.1*3");
        frame_->OnCommand(CommandId::CalculateAll);
        QCOMPARE(View()->toPlainText(), QStringLiteral("0.1*3=0.30"));

        // A choice the menu lacks (from the dialog) checks Other.
        ::Preferences.ResultDigits = 107;
        frame_->UpdateCommandStates();
        QCOMPARE(checked(), QList<int>{ResultDigitsOther});
    }
    void titleFollowsTheDocument() {
        QCOMPARE(frame_->windowTitle(), QString::fromUtf8(" Tarvik F \u2014 Calculation"));
        const QString path = PathOf("title.tvc");
        WriteFile(path, Utf16File("1"));
        doc_->OpenDocumentFile(path);
        QCOMPARE(frame_->windowTitle(), QString::fromUtf8(" Tarvik F \u2014 title.tvc"));
        QCOMPARE(View()->accessibleName(), QStringLiteral("title.tvc"));
        ShowActive();
        QTest::keyClicks(View(), "+");
        QCOMPARE(frame_->windowTitle(), QString::fromUtf8(" Tarvik F \u2014 title.tvc\u00B0"));
    }

    // ---- Placement ----
    void restoredPlacement_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("first start") << QByteArray() << true << QRect();
        QTest::newRow("stored normal")
            << QByteArray("Maximized=0\nLeft=100\nTop=50\nRight=700\nBottom=450\n") << false
            << QRect(100, 50, 600, 400);
        QTest::newRow("right of the screen")
            << QByteArray("Maximized=0\nLeft=9000\nTop=50\nRight=9600\nBottom=450\n") << false
            << QRect();
        const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::newRow("wider than any int difference")
            << QByteArray("Maximized=0\nLeft=-2147483648\nTop=50\nRight=2147483647\nBottom=450\n")
            << false << QRect(work.left(), 50, work.width(), 400);
    }
    void restoredPlacement() {
        QFETCH(QByteArray, stored);
        QFETCH(bool, maximized);
        QFETCH(QRect, geometry);
        if (!stored.isEmpty()) {
            auto settings = OpenSettingsStore();
            for (const QByteArray& line : stored.split('\n')) {
                if (line.isEmpty()) continue;
                const QList<QByteArray> pair = line.split('=');
                settings->setValue("GUI/Frame/" + QString::fromLatin1(pair[0]), pair[1].toInt());
            }
        }
        auto settings = OpenSettingsStore();
        QCOMPARE(frame_->RestorePlacement(*settings), maximized);
        const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect got = frame_->geometry();
        if (geometry.isValid()) {
            QCOMPARE(got, geometry);
        } else if (maximized) {
            const FrameRect expected = DefaultFrameRect(FrameRect{
                work.left(), work.top(), work.left() + work.width(), work.top() + work.height()});
            QCOMPARE(got, QRect(expected.left, expected.top, expected.Width(), expected.Height()));
        } else {
            QCOMPARE(got.left() + got.width(),
                     work.left() + work.width());  // pulled back to the right edge
            QCOMPARE(got.width(), 600);
        }
        // What was placed is what is kept.
        frame_->SavePlacement(*settings);
        QCOMPARE(ReadProfileInt(*settings, "GUI/Frame/Left", 1), got.left());
        QCOMPARE(ReadProfileInt(*settings, "GUI/Frame/Right", 1), got.left() + got.width());
        QCOMPARE(ReadProfileInt(*settings, "GUI/Frame/Bottom", 1), got.top() + got.height());
    }
    void savedPlacement() {
        auto settings = OpenSettingsStore();
        // Large enough for the docked bars' minimum sizes.
        frame_->setGeometry(120, 80, 1100, 700);
        frame_->show();
        frame_->SavePlacement(*settings);
        settings->sync();
        const QString copy = settings_->Directory() + "/copy.ini";
        QVERIFY(QFile::copy(settings_->FilePath(), copy));
        QSettings fresh(copy, QSettings::IniFormat);
        fresh.beginGroup("GUI/Frame");
        QCOMPARE(fresh.value("Maximized").toInt(), 0);
        QCOMPARE(fresh.value("Left").toInt(), 120);
        QCOMPARE(fresh.value("Top").toInt(), 80);
        QCOMPARE(fresh.value("Right").toInt(), 1220);
        QCOMPARE(fresh.value("Bottom").toInt(), 780);
    }

    // ---- Recent and dropped files ----
    void recentFilesInTheMenu() {
        const QString a = PathOf("a.tvc");
        const QString b = PathOf("b.tvc");
        WriteFile(a, Utf16File("a"));
        WriteFile(b, Utf16File("b"));
        doc_->OpenDocumentFile(a);
        doc_->OpenDocumentFile(b);
        QCOMPARE(recent_->Paths(), QStringList({b, a}));
        QAction* first = frame_->Action(CommandId::RecentFile1);
        QVERIFY(first->isVisible());
        QCOMPARE(first->text(), recent_->MenuText(0));
        QVERIFY(!frame_->Action(CommandId::RecentFile3)->isVisible());

        frame_->OnCommand(CommandId::RecentFile2);
        QCOMPARE(View()->EditorText(), QStringLiteral("a"));
        QCOMPARE(recent_->Paths(), QStringList({a, b}));

        // An entry that fails to open goes.
        QFile::remove(b);
        ScriptedMessages messages;
        frame_->OnCommand(CommandId::RecentFile2);
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text, QStringLiteral("%1 was not found.").arg(b));
        QCOMPARE(recent_->Paths(), QStringList({a}));
        QVERIFY(!frame_->Action(CommandId::RecentFile2)->isVisible());
    }
    void cancelledRecentFileStaysListed() {
        const QString a = PathOf("a.tvc");
        WriteFile(a, Utf16File("a"));
        recent_->Add(a);
        frame_->RebuildRecentFileMenu();
        ShowActive();
        QTest::keyClicks(View(), "x");
        ScriptedMessages messages({IDCANCEL});
        frame_->OnCommand(CommandId::RecentFile1);
        QCOMPARE(View()->EditorText(), QStringLiteral("x"));
        QCOMPARE(recent_->Paths(), QStringList({a}));
    }
    // New while the editor's menu is open and active: the question belongs
    // to the window, and the menu closes. A menu deletes itself once closed,
    // and a question it owned went with it while still being asked.
    void questionAskedOverAnOpenMenu() {
        ShowActive();
        QTest::keyClicks(View(), "x");
        const QPoint at(5, 5);
        QContextMenuEvent open(QContextMenuEvent::Keyboard, at,
                               View()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(View()->viewport(), &open);
        const QPointer<QWidget> menu = QApplication::activePopupWidget();
        QVERIFY(menu != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        // As on a desktop, where the menu takes the keyboard.
        QApplication::setActiveWindow(menu);
        QCOMPARE(QApplication::activeWindow(), menu.data());

        QPointer<QWidget> owner;
        bool menuOpen = true;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (qobject_cast<TaMessageDialog*>(dialog) == nullptr) return;
            poll.stop();
            owner = dialog->parentWidget();
            menuOpen = QApplication::activePopupWidget() != nullptr;
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        poll.start();
        frame_->Action(CommandId::New)->trigger();
        QCOMPARE(owner.data(), static_cast<QWidget*>(frame_.get()));
        QVERIFY(!menuOpen);
        QTRY_VERIFY(menu.isNull());
        QCOMPARE(View()->EditorText(), QStringLiteral("x"));  // Cancel keeps the text
    }
    void droppedFilesOpenOneAfterAnother() {
        const QString a = PathOf("drop-a.tvc");
        const QString b = PathOf("drop-b.tvc");
        WriteFile(a, Utf16File("first"));
        WriteFile(b, Utf16File("second"));
        ShowActive();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
        // Dropped over the editor: it leaves files to the window.
        // Proposed as a move (Shift held), it is taken as a copy: the file
        // stays where it was.
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(QPoint(50, 80), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(enter.proposedAction(), Qt::MoveAction);
        QApplication::sendEvent(View()->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QCOMPARE(enter.dropAction(), Qt::CopyAction);
        QDropEvent drop(QPointF(50, 80), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(View()->viewport(), &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QVERIFY(QFile::exists(a));
        QCOMPARE(View()->EditorText(), QStringLiteral("second"));
        QCOMPARE(doc_->GetPathName(), b);
        QCOMPARE(recent_->Paths(), QStringList({b, a}));
    }

    // ---- Closing ----
    void closingAsksToSave_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Cancel keeps the window") << IDCANCEL << false;
        QTest::newRow("No closes") << IDNO << true;
    }
    void closingAsksToSave() {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        ShowActive();
        QTest::keyClicks(View(), "1");
        ScriptedMessages messages({answer});
        frame_->close();
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text,
                 QString::fromUtf8("Save changes to \u201cCalculation\u201d?"));
        QCOMPARE(frame_->isVisible(), !closes);
        auto settings = OpenSettingsStore();
        QCOMPARE(settings->contains("GUI/Frame/Maximized"), false);  // never placed: nothing saved
        QCOMPARE(settings->contains("GUI/Editor/FontFace"), closes);
    }

    // ---- The message box ----
    void messageBoxShowsTheToolkitDialog_data() {
        QTest::addColumn<unsigned>("type");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("defaultButton");
        QTest::addColumn<int>("answer");
        QTest::newRow("question, No")
            << (MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) << "No"
            << "Calculator asks" << QStringList{"Yes", "No"} << "No" << IDNO;
        QTest::newRow("Esc answers Cancel")
            << (MB_YESNO | MB_ICONQUESTION) << "Esc"
            << "Calculator asks" << QStringList{"Yes", "No"} << "Yes" << IDCANCEL;
        QTest::newRow("warning, Close")
            << MB_ICONEXCLAMATION << "Close"
            << "Calculator warns" << QStringList{"Close"} << "Close" << IDOK;
        QTest::newRow("Enter presses the default")
            << (MB_YESNOCANCEL | MB_DEFBUTTON3) << "Enter"
            << "Calculator asks" << QStringList{"Yes", "No", "Cancel"} << "Cancel" << IDCANCEL;
    }
    void messageBoxShowsTheToolkitDialog() {
        QFETCH(unsigned, type);
        QFETCH(QString, press);
        QFETCH(QString, caption);
        QFETCH(QStringList, buttons);
        QFETCH(QString, defaultButton);
        QFETCH(int, answer);
        QString seenCaption;
        QStringList seenButtons;
        QString seenDefault;
        QStringList seenLines;
        unsigned seenHelp = 0;
        bool answered = false;
        // The dialog opens with an animation: wait until it runs modally.
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<TaMessageDialog*>(QApplication::activeModalWidget());
            if (!dialog || answered) return;
            answered = true;
            seenCaption = dialog->windowTitle();
            seenHelp = dialog->HelpId();
            for (int i = 0; i < 2; ++i)
                if (dialog->Line(i)) seenLines << dialog->Line(i)->Text();
            TaButton* target = nullptr;
            for (int i = 0; i < dialog->ButtonCount(); ++i) {
                TaButton* button = dialog->Button(i);
                seenButtons << button->Text();
                if (i == dialog->DefaultIndex()) seenDefault = button->Text();
                if (button->Text() == press) target = button;
            }
            QWidget* focus = dialog->focusWidget() ? dialog->focusWidget() : dialog;
            if (press == "Esc")
                QTest::keyClick(focus, Qt::Key_Escape);
            else if (press == "Enter")
                QTest::keyClick(focus, Qt::Key_Return);
            else if (target)
                QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
            else
                QFAIL(qPrintable(press));
        });
        poll.start();
        const int result = AppMessageBox("Only one cell is selected.\nCalculate for all cells?",
                                         type, StringId::ClearAllQuestion);
        poll.stop();
        QVERIFY(answered);
        QCOMPARE(result, answer);
        QCOMPARE(seenCaption, caption);
        QCOMPARE(seenButtons, buttons);
        QCOMPARE(seenDefault, defaultButton);
        QCOMPARE(seenHelp, 0x10000u + StringId::ClearAllQuestion);
        QCOMPARE(seenLines,
                 QStringList({"Only one cell is selected.", "Calculate for all cells?"}));
    }
    void scriptedAnswersReplaceTheDialog() {
        ScriptedMessages messages({IDNO});
        const int result = AppMessageBox("Erase all the memory?", MB_YESNO | MB_ICONQUESTION, 7);
        QCOMPARE(result, IDNO);
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text, QStringLiteral("Erase all the memory?"));
        QCOMPARE(messages.asked[0].type, MB_YESNO | MB_ICONQUESTION);
        QCOMPARE(messages.asked[0].help, 7u);
        QVERIFY(!QApplication::activeModalWidget());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<TaMessageDialog*>(w));
    }

    // ---- Start-up and exit ----
    void startWithAPathThatCannotOpen() {
        frame_.reset();
        doc_.reset();
        CCalcApp app;
        ScriptedMessages messages;
        const QString missing = PathOf("gone.tvc");
        QVERIFY(!app.InitInstance({missing}));
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text, QStringLiteral("%1 was not found.").arg(missing));
        QVERIFY(!app.MainFrame()->isVisible());
        app.ExitInstance();
        auto settings = OpenSettingsStore();
        QVERIFY(!settings->contains("GUI/Frame/Maximized"));
    }
    // A store that cannot be written is told once the window is up; a
    // writable one asks nothing.
    void startWithSettingsThatCannotBeSaved_data() {
        QTest::addColumn<bool>("blocked");
        QTest::newRow("writable") << false;
        QTest::newRow("a folder where the file goes") << true;
    }
    void startWithSettingsThatCannotBeSaved() {
        QFETCH(bool, blocked);
        frame_.reset();
        doc_.reset();
        if (blocked) {
            QFile::remove(settings_->FilePath());
            QVERIFY(QDir().mkpath(settings_->FilePath()));
        }
        ScriptedMessages messages;
        {
            CCalcApp app;
            QVERIFY(app.InitInstance({}));
            QTest::qWait(300);
            app.MainFrame()->close();
            app.ExitInstance();
        }
        if (blocked) QVERIFY(QDir(settings_->FilePath()).removeRecursively());
        if (!blocked) {
            QCOMPARE(messages.asked.size(), 0);
            return;
        }
        QCOMPARE(messages.asked.size(), 1);
        QCOMPARE(messages.asked[0].text,
                 QStringLiteral("Numera cannot save its settings in %1.\nChanges to the window, "
                                "the preferences and the recent files last only until Numera "
                                "ends.")
                     .arg(QDir::toNativeSeparators(settings_->FilePath())));
        QCOMPARE(messages.asked[0].type, unsigned{MB_ICONEXCLAMATION});
        QCOMPARE(messages.asked[0].help, 32881u);
    }
    void startWithAPathOpensIt() {
        frame_.reset();
        doc_.reset();
        const QString path = PathOf("start.tvc");
        WriteFile(path, Utf16File("1+1=2"));
        CCalcApp app;
        QVERIFY(app.InitInstance({path}));
        QVERIFY(app.MainFrame()->isVisible());
        QVERIFY(!QApplication::windowIcon().isNull());
        QCOMPARE(app.MainFrame()->View()->EditorText(), QStringLiteral("1+1=2"));
        QCOMPARE(app.RecentFiles().Paths(), QStringList({path}));
        app.MainFrame()->close();
        app.ExitInstance();
        const QString copy = settings_->Directory() + "/copy.ini";
        QVERIFY(QFile::copy(settings_->FilePath(), copy));
        QSettings fresh(copy, QSettings::IniFormat);
        QCOMPARE(fresh.value("Recent File List/File1").toString(), path);
        QVERIFY(fresh.contains("GUI/Frame/Maximized"));
        QVERIFY(fresh.contains("GUI/Editor/FontSize"));
        // No preference changed: nothing under "Preferences".
        QVERIFY(fresh.childGroups().contains("GUI"));
        QVERIFY(!fresh.childGroups().contains("Preferences"));
    }
    void changedPreferencesWrittenAtExit() {
        frame_.reset();
        doc_.reset();
        CCalcApp app;
        QVERIFY(app.InitInstance({}));
        QCOMPARE(app.Document()->GetTitle(), QStringLiteral("Calculation"));
        Preferences.TrigonometricUnits = 1;
        PreferencesChanged = true;
        app.MainFrame()->OnCommand(CommandId::ResultDigitsSignificant + 10);
        app.MainFrame()->close();
        app.ExitInstance();
        PreferencesChanged = false;
        const QString copy = settings_->Directory() + "/copy.ini";
        QVERIFY(QFile::copy(settings_->FilePath(), copy));
        QSettings fresh(copy, QSettings::IniFormat);
        QCOMPARE(fresh.value("Preferences/TrigonometricUnits").toString(), QStringLiteral("1"));
        QCOMPARE(fresh.value("Preferences/AppendPower").toString(), QStringLiteral("1"));
        QCOMPARE(fresh.value("Preferences/ResultDigits").toString(), QStringLiteral("110"));
    }
};

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
