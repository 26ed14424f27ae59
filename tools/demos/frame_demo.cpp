// A scripted session with the whole program, for looking at it: first
// start, a calculation with the keypad, memory cells, warnings in the log,
// statistics in their floating bar, a floating log, the toolbar at the
// left, the Set menu, and a second start with the layout kept. Each step
// saves a picture of the whole screen (tools/screenshot-frame.sh).
// Usage: frame_demo <out-dir>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

#include "document/CCalcView.h"
#include "engine/MemoryStore.h"
#include "panels/CCalcKeyPad.h"
#include "panels/CCalcMemory.h"
#include "panels/CCalcTrigonometricUnits.h"
#include "panels/CColorButton.h"
#include "shell/CCalcApp.h"
#include "shell/CCalcDlgBar.h"
#include "shell/CCalcMainFrame.h"
#include "shell/CCalcToolBar.h"
#include "shell/core/CommandIds.h"
#include "shell/core/MessageBox.h"

namespace {

QDir out;

void Pause(int ms) { QTest::qWait(ms); }

void Shot(const QString& name) {
    Pause(500);
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString path = out.filePath(name + QStringLiteral(".png"));
    screen.save(path);
    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
}

void ClickWidget(QWidget* widget, QPoint at = QPoint(-1, -1)) {
    if (at.x() < 0) at = widget->rect().center();
    QTest::mouseMove(widget, at);
    Pause(40);
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    Pause(80);
}

// Keypad buttons by control id.
void Keys(CCalcMainFrame* frame, std::initializer_list<int> ids) {
    for (int id : ids) ClickWidget(frame->Keypad()->ButtonById(id));
}

// Letters of cell names: the keypad has none, so they come from the keyboard.
void Type(CCalcMainFrame* frame, const char* text) {
    QTest::keyClicks(frame->View(), QString::fromLatin1(text));
}

namespace K {
constexpr int Sin = 1028, Exp = 1035, Open = 1020, Close = 1021, Bracket = 1023;
constexpr int D0 = 1006, D1 = 1007, D2 = 1008, D3 = 1009, D5 = 1011, D7 = 1013;
constexpr int Plus = 1018, Minus = 1019, Times = 1016, Equals = 1001, EqualsAll = 1062;
constexpr int Store = 1069, Mem = 1070, SemicolonEnter = 1071;
}  // namespace K

void Session(CCalcApp& app) {
    CCalcMainFrame* frame = app.MainFrame();
    Pause(800);
    Shot(QStringLiteral("01-first-start"));

    // " Deg" from the toolbar's list, with the mouse.
    QComboBox* units = frame->ToolBar()->UnitsCombo();
    ClickWidget(units);
    Pause(300);
    Shot(QStringLiteral("02-units-list"));
    QAbstractItemView* view = units->view();
    ClickWidget(view->viewport(), view->visualRect(view->model()->index(1, 0)).center());
    units->hidePopup();

    // sin(30) =
    Keys(frame, {K::Sin, K::D3, K::D0, K::Close, K::Equals});
    Shot(QStringLiteral("03-sin30-degrees"));

    // ; enter 5 -> mem[a] ; enter mem[a] × 2 ; enter 7 -> mem[c] = all
    Keys(frame, {K::SemicolonEnter, K::D5, K::Store});
    Type(frame, "a");
    Keys(frame, {K::Bracket, K::SemicolonEnter, K::Mem});
    Type(frame, "a");
    Keys(frame, {K::Bracket, K::Times, K::D2, K::SemicolonEnter, K::D7, K::Store});
    Type(frame, "c");
    Keys(frame, {K::Bracket, K::EqualsAll});
    Shot(QStringLiteral("04-memory-cells"));

    // ; enter exp(−1000) ; enter mem[b] + 1 = all: two warnings.
    Keys(frame, {K::SemicolonEnter, K::Exp, K::Minus, K::D1, K::D0, K::D0, K::D0, K::Close,
                 K::SemicolonEnter, K::Mem});
    Type(frame, "b");
    Keys(frame, {K::Bracket, K::Plus, K::D1, K::EqualsAll});
    Shot(QStringLiteral("05-warnings-in-the-log"));

    // Statistics of both cells: their bar floats at (27, 27).
    frame->MemoryPanel()->Statistics();
    Pause(300);
    Shot(QStringLiteral("06-statistics-floating"));

    // The log floats too.
    frame->Bar(BarId::Log)->setFloating(true);
    Pause(300);
    // Floating at its first size, then made larger as a user would.
    frame->Bar(BarId::Log)->setGeometry(560, 80, 720, 160);
    Pause(300);
    Shot(QStringLiteral("07-log-floating"));

    // The toolbar at the left: the list turns into a button for the units window.
    frame->addToolBar(Qt::LeftToolBarArea, frame->ToolBar());
    Pause(300);
    QAction* unitsButton = frame->Action(CommandId::TrigonometricUnits);
    if (auto* tool = qobject_cast<QToolButton*>(frame->ToolBar()->widgetForAction(unitsButton)))
        ClickWidget(tool);
    Pause(300);
    Shot(QStringLiteral("08-toolbar-at-the-left"));
    frame->addToolBar(Qt::TopToolBarArea, frame->ToolBar());

    // Set > Keypad > Style, opened from the keyboard.
    frame->activateWindow();
    Pause(200);
    QMenu* set = nullptr;
    for (QAction* action : frame->menuBar()->actions())
        if (action->text() == QStringLiteral("&Set")) set = action->menu();
    if (set) {
        frame->menuBar()->setActiveAction(set->menuAction());
        Pause(300);
        for (QAction* action : set->actions()) {
            if (action->text() == QStringLiteral("&Keypad")) {
                set->setActiveAction(action);
                action->menu()->popup(set->mapToGlobal(set->actionGeometry(action).topRight()));
                Pause(300);
                QMenu* keypad = action->menu();
                for (QAction* sub : keypad->actions())
                    if (sub->text() == QStringLiteral("&Style")) {
                        keypad->setActiveAction(sub);
                        sub->menu()->popup(
                            keypad->mapToGlobal(keypad->actionGeometry(sub).topRight()));
                    }
            }
        }
        Shot(QStringLiteral("09-set-keypad-style-menu"));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    out = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath());
    // Questions at exit (save changes?) are answered No.
    SetMessageBoxHandler([](const QString&, unsigned, unsigned) { return IDNO; });
    {
        CCalcApp app;
        if (!app.InitInstance({})) return 1;
        Session(app);
        app.MainFrame()->close();
        app.ExitInstance();
    }
    // The second start comes back as the first one ended (the engine's
    // state starts afresh as in a new process).
    NCalculatorText::lastResult = 0;
    NCalculatorText::MemoryStore::Instance().Clear();
    {
        CCalcApp app;
        if (!app.InitInstance({})) return 1;
        Pause(800);
        Shot(QStringLiteral("10-second-start"));
        app.MainFrame()->close();
        app.ExitInstance();
    }
    return 0;
}
