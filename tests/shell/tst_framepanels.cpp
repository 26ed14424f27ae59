// The main window with its panels: the four bars, their sizes and the
// stored layout, the toolbar and its unit list, the View and Set commands,
// the panel-wide keys in docked and floating panels, and the wiring between
// panels, document and engine.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include "document/CCalcDoc.h"
#include "document/CCalcView.h"
#include "engine/Diagnostics.h"
#include "engine/MemoryStore.h"
#include "engine/Preferences.h"
#include "panels/CCalcKeyPad.h"
#include "panels/CCalcLog.h"
#include "panels/CCalcMemory.h"
#include "panels/CCalcStatistics.h"
#include "panels/CCalcTrigonometricUnits.h"
#include "panels/CColorButton.h"
#include "shell/CCalcAboutDialog.h"
#include "shell/CCalcApp.h"
#include "shell/CCalcDlgBar.h"
#include "shell/CCalcMainFrame.h"
#include "shell/CCalcPreferences.h"
#include "shell/CCalcToolBar.h"
#include "shell/core/CommandIds.h"
#include "shell/core/SettingsStore.h"
#include "tests/document/ScriptedUi.h"
#include "tests/support/FrameFixture.h"
#include "toolkit/TaStatic.h"

using NCalculatorText::MemoryStore;

namespace {

// Runs `act` on the modal dialog of type T once it is up.
template <typename T>
class OnModal {
public:
    OnModal(QObject* context, std::function<void(T*)> act) : act_(std::move(act)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, context, [this] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog || done_) return;
            done_ = true;
            act_(dialog);
        });
        timer_.start();
    }
    bool Done() const { return done_; }

private:
    std::function<void(T*)> act_;
    QTimer timer_;
    bool done_ = false;
};

}  // namespace

class TestFramePanels : public QObject, protected FrameFixture {
    Q_OBJECT

private:
    CCalcView* View() const { return frame_->View(); }
    CCalcDlgBar* Bar(int id) const { return frame_->Bar(id); }
    QWidget* Focus() const { return QApplication::focusWidget(); }

    // Every toolbar entry on the bar and in the window, none behind the
    // extension button, at the sizes of the bar's state.
    void CheckToolbarFits(bool compact, bool horizontal) {
        CCalcToolBar* bar = frame_->ToolBar();
        QCOMPARE(bar->IsVertical(), !horizontal);
        QCOMPARE(bar->iconSize(), compact ? QSize(24, 24) : QSize(32, 32));
        const QSize compactButton =
            horizontal ? CCalcToolBar::kCompactButton : CCalcToolBar::kCompactSideButton;
        const QSize button =
            compact ? compactButton
                    : CCalcToolBar::ButtonSizeFor(bar->UnitsCombo()->sizeHint().height());
        const auto* extension = bar->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY(!extension || !extension->isVisible());
        int entries = 0;
        for (QAction* action : bar->actions()) {
            if (action->isSeparator() || !action->isVisible()) continue;
            QWidget* widget = bar->widgetForAction(action);
            QVERIFY2(widget && widget->isVisible(), qPrintable(action->toolTip()));
            const QRect inFrame(widget->mapTo(frame_.get(), QPoint(0, 0)), widget->size());
            QVERIFY2(frame_->rect().contains(inFrame), qPrintable(action->toolTip()));
            if (widget != bar->UnitsCombo()) QCOMPARE(widget->size(), button);
            ++entries;
        }
        // 16 buttons and the list, or 17 buttons at the side.
        QCOMPARE(entries, 17);
        // Whole at full size exactly when the window has room for it.
        const int room = horizontal ? bar->width() : bar->height();
        QCOMPARE(bar->FullLength() > room, compact);
    }

    void ShowActive() {
        frame_->resize(1200, 800);
        frame_->show();
        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
        QCoreApplication::processEvents();
        View()->setFocus();
    }
    // Closes the window as the user would: placement, bars and layout saved.
    void CloseAndForget() {
        ScriptedMessages messages({IDNO});
        frame_->close();
        frame_.reset();
        doc_.reset();
    }
    void Click(int controlId) {
        CColorButton* button = frame_->Keypad()->ButtonById(controlId);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }
    bool FocusIn(QWidget* panel) const {
        return Focus() && (Focus() == panel || panel->isAncestorOf(Focus()));
    }

private slots:
    void init() { StartFrame(); }
    void cleanup() { StopFrame(); }

    // ---- The bars as created ----
    void barsAsCreated_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("sides");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("area");  // 0: floating
        const int any = Qt::AllDockWidgetAreas;
        QTest::newRow("keypad") << 101 << "Keypad"
                                << int(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea) << true
                                << true << int(Qt::BottomDockWidgetArea);
        QTest::newRow("log") << 102 << "Log" << any << false << true
                             << int(Qt::BottomDockWidgetArea);
        QTest::newRow("memory") << 105 << "Memory" << any << false << true
                                << int(Qt::RightDockWidgetArea);
        QTest::newRow("statistics") << 106 << "Statistics" << any << true << false << 0;
    }
    void barsAsCreated() {
        QFETCH(int, id);
        QFETCH(QString, caption);
        QFETCH(int, sides);
        QFETCH(bool, fixed);
        QFETCH(bool, visible);
        QFETCH(int, area);
        ShowActive();
        CCalcDlgBar* bar = Bar(id);
        QVERIFY(bar);
        QCOMPARE(bar->Id(), id);
        QCOMPARE(bar->TemplateId(), id);
        QCOMPARE(bar->windowTitle(), caption);
        QCOMPARE(int(bar->allowedAreas()), sides);
        QCOMPARE(bar->IsFixedSize(), fixed);
        QCOMPARE(bar->isVisible(), visible);
        QCOMPARE(bar->isFloating(), area == 0);
        if (area != 0) QCOMPARE(int(frame_->dockWidgetArea(bar)), area);
    }
    void initialPlaces() {
        ShowActive();
        // The log's row lies above the keypad's, both below the editor.
        const QRect log = Bar(102)->geometry();
        const QRect keypad = Bar(101)->geometry();
        const QRect editor = View()->geometry();
        QVERIFY(log.top() >= editor.bottom());
        QVERIFY(keypad.top() >= log.bottom());
        // The memory panel stands right of the editor.
        QVERIFY(Bar(105)->geometry().left() >= editor.right());
        // Statistics float at (27, 27), hidden.
        QCOMPARE(Bar(106)->pos(), QPoint(27, 27));
        frame_->OnCommand(CommandId::ViewStatistics);
        QVERIFY(Bar(106)->isVisible());
        QCOMPARE(Bar(106)->pos(), QPoint(27, 27));
        QCOMPARE(Bar(106)->Body()->size(), Bar(106)->FloatingSize());
    }

    // ---- Sizes ----
    void sizesFromTheHostedPanel_data() {
        QTest::addColumn<int>("id");
        QTest::newRow("keypad, fixed") << 101;
        QTest::newRow("log, sizeable") << 102;
        QTest::newRow("memory, sizeable") << 105;
        QTest::newRow("statistics, fixed") << 106;
    }
    void sizesFromTheHostedPanel() {
        QFETCH(int, id);
        CCalcDlgBar* bar = Bar(id);
        const QSize d = bar->IsFixedSize() ? bar->Dialog()->size() : bar->Dialog()->sizeHint();
        if (bar->IsFixedSize()) {
            QCOMPARE(bar->HorizontalSize(), d + QSize(15, 10));
            QCOMPARE(bar->VerticalSize(), d + QSize(10, 15));
            QCOMPARE(bar->FloatingSize(), d);
            QCOMPARE(bar->MinimumSize(), d + QSize(15, 15));
        } else {
            for (const QSize& s : {bar->HorizontalSize(), bar->VerticalSize(), bar->FloatingSize(),
                                   bar->MinimumSize()})
                QCOMPARE(s, d);
        }
    }
    void panelFillsTheClientArea() {
        ShowActive();
        // Docked at the bottom: 5-pixel borders and the gripper band at the left.
        CCalcDlgBar* log = Bar(102);
        const QSize body = log->Body()->size();
        QCOMPARE(log->Dialog()->geometry(), QRect(10, 5, body.width() - 15, body.height() - 10));
        // Docked at the right: the band at the top.
        CCalcDlgBar* memory = Bar(105);
        const QSize right = memory->Body()->size();
        QCOMPARE(memory->Dialog()->geometry(),
                 QRect(5, 10, right.width() - 10, right.height() - 15));
        // The keypad fits its bar exactly.
        CCalcDlgBar* keypad = Bar(101);
        QCOMPARE(keypad->Body()->height(), keypad->HorizontalSize().height());
        QCOMPARE(keypad->Dialog()->geometry(), QRect(QPoint(10, 5), frame_->Keypad()->size()));
    }
    // A window narrower than the keypad draws the keypad smaller, whole, and
    // keeps 20 columns and 4 lines of the editor; 800 x 600 is enough.
    void smallWindowsKeepTheKeypadWhole_data() {
        QTest::addColumn<int>("notation");
        QTest::addColumn<QSize>("size");  // empty: the window's minimum
        QTest::newRow("West, 800 x 600") << 0 << QSize(800, 600);
        QTest::newRow("East, 800 x 600") << 1 << QSize(800, 600);
        QTest::newRow("West, the minimum") << 0 << QSize();
        QTest::newRow("East, the minimum") << 1 << QSize();
        QTest::newRow("East, room for all: natural") << 1 << QSize(1400, 900);
    }
    void smallWindowsKeepTheKeypadWhole() {
        QFETCH(int, notation);
        QFETCH(QSize, size);
        ShowActive();
        frame_->SetNotation(notation);
        QCoreApplication::processEvents();
        const QSize minimum = frame_->minimumSize();
        QVERIFY2(minimum.width() <= 800 && minimum.height() <= 600,
                 qPrintable(QStringLiteral("%1 x %2").arg(minimum.width()).arg(minimum.height())));
        frame_->resize(size.isEmpty() ? minimum : size);
        QTRY_COMPARE(frame_->size(), size.isEmpty() ? minimum : size);
        QTest::qWait(50);
        CCalcKeyPad* keypad = frame_->Keypad();
        CCalcDlgBar* bar = Bar(101);
        // Whole when the window is wide enough, once the bar has settled.
        const bool whole = frame_->width() >= bar->HorizontalSize().width() + 20;
        QTRY_COMPARE(keypad->Scale() < 1.0, !whole);
        const QRect inFrame(keypad->mapTo(frame_.get(), QPoint(0, 0)), keypad->size());
        QVERIFY(frame_->rect().contains(inFrame));
        QVERIFY(bar->Body()->rect().contains(keypad->geometry()));
        for (int i = 0; i < Keypad::ButtonCount; ++i)
            QVERIFY(keypad->rect().contains(keypad->Button(i)->geometry()));
        QVERIFY(keypad->Scale() >= Keypad::kSmallestScale);
        // The bar is as low as the smaller keypad; only a window at its
        // minimum squeezes it lower.
        if (size.isEmpty())
            QVERIFY(bar->Body()->height() <= keypad->heightForWidth(keypad->width()) + 10);
        else
            QTRY_COMPARE(bar->Body()->height(), keypad->heightForWidth(keypad->width()) + 10);
        // The editor: 20 columns and 4 lines.
        const QFontMetrics editor(View()->font());
        QVERIFY(View()->viewport()->width() >= 20 * editor.horizontalAdvance('8'));
        QVERIFY(View()->viewport()->height() >= 4 * editor.lineSpacing());
        // Room again: the natural keypad.
        frame_->resize(1600, 900);
        QTRY_COMPARE(keypad->Scale(), 1.0);
        QTRY_COMPARE(bar->Body()->height(), bar->HorizontalSize().height());
    }
    void keypadLayoutResizesItsBar() {
        ShowActive();
        CCalcDlgBar* bar = Bar(101);
        CCalcKeyPad* keypad = frame_->Keypad();
        const QSize west = keypad->sizeHint();
        QCOMPARE(keypad->size(), west);
        frame_->OnCommand(CommandId::NotationEast);
        QCoreApplication::processEvents();
        const QSize east = keypad->sizeHint();
        QVERIFY(east != west);
        QCOMPARE(bar->HorizontalSize(), east + QSize(15, 10));
        QCOMPARE(bar->FloatingSize(), east);
        // The window has room: the bar settles at the whole keypad.
        QTRY_COMPARE(keypad->size(), east);
        QTRY_COMPARE(bar->Body()->height(), east.height() + 10);
        // Floating, the window follows at once.
        bar->setFloating(true);
        QTRY_COMPARE(bar->Body()->size(), east);
        frame_->OnCommand(CommandId::NotationWest);
        QCOMPARE(keypad->size(), west);
        QTRY_COMPARE(bar->Body()->size(), west);
    }
    void eachStateKeepsItsSize() {
        ShowActive();
        CCalcDlgBar* log = Bar(102);
        const QSize docked = log->Body()->size();
        QCOMPARE(log->HorizontalSize(), docked);
        // Floating: the floating size, not the docked one.
        log->setFloating(true);
        QTRY_COMPARE(log->Body()->size(), log->FloatingSize());
        QCOMPARE(log->HorizontalSize(), docked);
        QTest::qWait(50);
        // A floating window the user makes larger keeps that size.
        log->resize(log->size() + QSize(120, 80));
        QTRY_COMPARE(log->FloatingSize(), log->Body()->size());
        const QSize floating = log->FloatingSize();
        QVERIFY(floating.width() > log->MinimumSize().width() + 100);
        // Docked at the right: the vertical size; back at the bottom: the horizontal one.
        log->setFloating(false);
        frame_->addDockWidget(Qt::RightDockWidgetArea, log);
        // The memory bar shares the right area; the wider of the two sets its width.
        QTRY_COMPARE(log->Body()->width(),
                     std::max(log->VerticalSize().width(), Bar(105)->Body()->width()));
        frame_->addDockWidget(Qt::BottomDockWidgetArea, log);
        QTRY_COMPARE(log->Body()->height(), docked.height());
        QCOMPARE(log->FloatingSize(), floating);
    }
    void storedSizes_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");  // -1: the minimum, -2: unchanged, -3: the screen
        QTest::newRow("HorizontalY below the minimum") << "HorizontalY"
                                                       << "5" << -1;
        QTest::newRow("HorizontalX below the minimum") << "HorizontalX"
                                                       << "10" << -1;
        QTest::newRow("VerticalX below the minimum") << "VerticalX"
                                                     << "0" << -1;
        QTest::newRow("VerticalY above the minimum") << "VerticalY"
                                                     << "700" << 700;
        QTest::newRow("FloatingX above the minimum") << "FloatingX"
                                                     << "640" << 640;
        QTest::newRow("FloatingY not a number") << "FloatingY"
                                                << "tall" << -2;
        QTest::newRow("VerticalX wider than the screen") << "VerticalX"
                                                         << "2147483647" << -3;
        QTest::newRow("HorizontalY taller than the screen") << "HorizontalY"
                                                            << "99999" << -3;
        QTest::newRow("HorizontalX negative") << "HorizontalX"
                                              << "-20" << -1;
        QTest::newRow("FloatingX as DWORD -1") << "FloatingX"
                                               << "4294967295" << -1;
    }
    void storedSizes() {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(int, expected);
        const QSize minimum = Bar(102)->MinimumSize();
        const QSize before = Bar(102)->FloatingSize();
        {
            auto settings = OpenSettingsStore();
            settings->setValue("GUI/BarState-Bar102/" + key, stored);
        }
        NewFrame();
        CCalcDlgBar* log = Bar(102);
        QCOMPARE(log->MinimumSize(), minimum);
        const QSize size = key.startsWith("Horizontal") ? log->HorizontalSize()
                           : key.startsWith("Vertical") ? log->VerticalSize()
                                                        : log->FloatingSize();
        const int value = key.endsWith('X') ? size.width() : size.height();
        const int min = key.endsWith('X') ? minimum.width() : minimum.height();
        const int same = key.endsWith('X') ? before.width() : before.height();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const int largest = key.endsWith('X') ? screen.width() : screen.height();
        QCOMPARE(value, expected == -1   ? min
                        : expected == -2 ? same
                        : expected == -3 ? largest
                                         : expected);
    }
    void hostileBarSizeIsWrittenBackWithinTheScreen() {
        {
            auto settings = OpenSettingsStore();
            settings->setValue("GUI/BarState-Bar105/VerticalX", "2147483647");
        }
        NewFrame();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(Bar(105)->VerticalSize().width(), screen.width());
        ShowActive();
        CloseAndForget();
        const int stored =
            ReadProfileInt(*OpenSettingsStore(), "GUI/BarState-Bar105/VerticalX", -1);
        QVERIFY2(stored > 0 && stored <= screen.width(), QByteArray::number(stored));
    }
    void hostileKeypadFontLeavesTheFrameOnTheScreen() {
        frame_.reset();  // its keypad writes its font as it goes
        OpenSettingsStore()->setValue("GUI/Keypad/FontSize", -2048);
        NewFrame();
        ShowActive();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QSize keypad = frame_->Keypad()->size();
        QVERIFY2(keypad.width() <= screen.width() && keypad.height() <= screen.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(keypad.width()).arg(keypad.height())));
    }
    void storedHeightBelowMinimumShowsAtMinimum() {
        {
            auto settings = OpenSettingsStore();
            settings->setValue("GUI/BarState-Bar102/HorizontalY", 3);
        }
        NewFrame();
        ShowActive();
        CCalcDlgBar* log = Bar(102);
        QCOMPARE(log->HorizontalSize().height(), log->MinimumSize().height());
        QTRY_COMPARE(log->Body()->height(), log->MinimumSize().height());
    }
    void onlySizeableBarsStoreSizes() {
        ShowActive();
        CloseAndForget();
        auto settings = OpenSettingsStore();
        const QStringList groups = settings->childGroups();
        QVERIFY(groups.contains("GUI"));
        settings->beginGroup("GUI");
        const QStringList gui = settings->childGroups();
        QVERIFY(gui.contains("BarState-Bar102"));
        QVERIFY(gui.contains("BarState-Bar105"));
        QVERIFY(!gui.contains("BarState-Bar101"));
        QVERIFY(!gui.contains("BarState-Bar106"));
        settings->endGroup();
        settings->beginGroup("GUI/BarState-Bar102");
        QCOMPARE(settings->childKeys(), QStringList({"FloatingX", "FloatingY", "HorizontalX",
                                                     "HorizontalY", "VerticalX", "VerticalY"}));
        settings->endGroup();
        QVERIFY(!settings->value("GUI/BarState/Layout").toByteArray().isEmpty());
    }
    void layoutAndSizesSurviveARestart() {
        ShowActive();
        CCalcDlgBar* log = Bar(102);
        // Taller log, memory moved to the left, statistics shown, keypad hidden.
        const int taller = log->height() + 60;
        frame_->resizeDocks({log}, {taller}, Qt::Vertical);
        frame_->addDockWidget(Qt::LeftDockWidgetArea, Bar(105));
        frame_->OnCommand(CommandId::ViewStatistics);
        frame_->OnCommand(CommandId::ViewKeypad);
        QCoreApplication::processEvents();
        const QSize logBody = log->Body()->size();
        const QSize logHorizontal = log->HorizontalSize();
        QCOMPARE(logHorizontal, logBody);
        const int memoryWidth = Bar(105)->Body()->width();
        QCOMPARE(Bar(105)->VerticalSize().width(), memoryWidth);
        CloseAndForget();

        NewFrame();
        QCOMPARE(Bar(102)->HorizontalSize(), logHorizontal);
        ShowActive();
        QTRY_COMPARE(Bar(102)->Body()->height(), logBody.height());
        QCOMPARE(frame_->dockWidgetArea(Bar(105)), Qt::LeftDockWidgetArea);
        QCOMPARE(Bar(105)->Body()->width(), memoryWidth);
        QVERIFY(!Bar(101)->isVisible());
        QVERIFY(Bar(106)->isVisible());
        QVERIFY(Bar(106)->isFloating());
        frame_->UpdateCommandStates();
        QVERIFY(!frame_->Action(CommandId::ViewKeypad)->isChecked());
        QVERIFY(frame_->Action(CommandId::ViewStatistics)->isChecked());
    }
    void draggingTheBottomRowUp_data() {
        QTest::addColumn<bool>("memoryShown");
        QTest::newRow("no side bar: the editor keeps 4 pixels") << false;
        QTest::newRow("memory at the right: it stops at its minimum") << true;
    }
    void draggingTheBottomRowUp() {
        QFETCH(bool, memoryShown);
        ShowActive();
        if (!memoryShown) frame_->OnCommand(CommandId::ViewMemory);
        QCoreApplication::processEvents();
        // The separator between the editor and the bottom dock, dragged far up.
        const QRect editor = View()->geometry();
        const QRect log = Bar(102)->geometry();
        const QPoint grip((editor.left() + editor.right()) / 2,
                          (editor.bottom() + log.top()) / 2 + 1);
        QWindow* window = frame_->windowHandle();
        QTest::mousePress(window, Qt::LeftButton, {}, grip);
        for (int y = grip.y(); y > -200; y -= 20) QTest::mouseMove(window, QPoint(grip.x(), y));
        QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(grip.x(), -200));
        QCoreApplication::processEvents();
        if (memoryShown) {
            QCOMPARE(Bar(105)->Body()->height(), Bar(105)->MinimumSize().height());
            QVERIFY(View()->height() > 4);
        } else {
            QCOMPARE(View()->height(), 4);
        }
        // The log took the room and keeps it as its size; the fixed keypad did not grow.
        QVERIFY(Bar(102)->height() > log.height() + 100);
        QCOMPARE(Bar(102)->HorizontalSize().height(), Bar(102)->Body()->height());
        QCOMPARE(Bar(101)->Body()->height(), Bar(101)->HorizontalSize().height());
    }
    void draggingBetweenTwoBarsOfARow() {
        ShowActive();
        // The memory panel joins the log's row at the bottom.
        frame_->splitDockWidget(Bar(102), Bar(105), Qt::Horizontal);
        QCoreApplication::processEvents();
        QCOMPARE(frame_->dockWidgetArea(Bar(105)), Qt::BottomDockWidgetArea);
        const QRect log = Bar(102)->geometry();
        const QRect memory = Bar(105)->geometry();
        QCOMPARE(log.top(), memory.top());
        const int sum = log.width() + memory.width();
        const QPoint grip((log.right() + memory.left()) / 2 + 1, log.center().y());
        QWindow* window = frame_->windowHandle();
        QTest::mousePress(window, Qt::LeftButton, {}, grip);
        for (int x = grip.x(); x < 3000; x += 40) QTest::mouseMove(window, QPoint(x, grip.y()));
        QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(3000, grip.y()));
        QCoreApplication::processEvents();
        // The memory panel stops at its minimum; the two widths keep their sum.
        QCOMPARE(Bar(105)->Body()->width(), Bar(105)->MinimumSize().width());
        QCOMPARE(Bar(102)->width() + Bar(105)->width(), sum);
        QTest::mousePress(window, Qt::LeftButton, {},
                          QPoint(Bar(105)->geometry().left() - 2, grip.y()));
        for (int x = grip.x(); x > -3000; x -= 40) QTest::mouseMove(window, QPoint(x, grip.y()));
        QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(-3000, grip.y()));
        QCoreApplication::processEvents();
        QCOMPARE(Bar(102)->Body()->width(), Bar(102)->MinimumSize().width());
        QCOMPARE(Bar(102)->width() + Bar(105)->width(), sum);
    }

    // ---- View commands and focus ----
    void viewToggles_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("bar");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shownAtStart");
        QTest::newRow("Ctrl+K keypad") << CommandId::ViewKeypad << 101 << int(Qt::Key_K) << true;
        QTest::newRow("Ctrl+L log") << CommandId::ViewLog << 102 << int(Qt::Key_L) << true;
        QTest::newRow("Ctrl+M memory") << CommandId::ViewMemory << 105 << int(Qt::Key_M) << true;
        QTest::newRow("Ctrl+T statistics")
            << CommandId::ViewStatistics << 106 << int(Qt::Key_T) << false;
    }
    void viewToggles() {
        QFETCH(int, command);
        QFETCH(int, bar);
        QFETCH(int, key);
        QFETCH(bool, shownAtStart);
        ShowActive();
        QAction* action = frame_->Action(command);
        QVERIFY(action->isCheckable());
        frame_->UpdateCommandStates();
        QCOMPARE(action->isChecked(), shownAtStart);
        QTest::keyClick(View(), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(Bar(bar)->isVisible(), !shownAtStart);
        QCOMPARE(action->isChecked(), !shownAtStart);
        QCOMPARE(Focus(), static_cast<QWidget*>(View()));
        frame_->OnCommand(command);
        QCOMPARE(Bar(bar)->isVisible(), shownAtStart);
        QCOMPARE(action->isChecked(), shownAtStart);
        // Closing the bar by its own means clears the check too.
        Bar(bar)->show();
        Bar(bar)->close();
        QVERIFY(!action->isChecked());
    }
    void hidingTheFocusedLogFocusesTheEditor() {
        ShowActive();
        QTest::keyClick(View(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(FocusIn(frame_->Log()));
        QTest::keyClick(Focus(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!Bar(102)->isVisible());
        QCOMPARE(Focus(), static_cast<QWidget*>(View()));
        QTest::keyClick(View(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(Bar(102)->isVisible());
        QVERIFY(FocusIn(frame_->Log()));
    }
    void focusKeysReachEveryPanel_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("bar");
        QTest::newRow("Ctrl+Shift+K keypad") << int(Qt::Key_K) << 101;
        QTest::newRow("Ctrl+Shift+L log") << int(Qt::Key_L) << 102;
        QTest::newRow("Ctrl+Shift+M memory") << int(Qt::Key_M) << 105;
        QTest::newRow("Ctrl+Shift+T statistics, shown first") << int(Qt::Key_T) << 106;
    }
    void focusKeysReachEveryPanel() {
        QFETCH(int, key);
        QFETCH(int, bar);
        ShowActive();
        QTest::keyClick(View(), Qt::Key(key), Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(Bar(bar)->isVisible());
        QTRY_VERIFY(FocusIn(Bar(bar)->Dialog()));
        // Ctrl+W from the panel goes back to the editor.
        QTest::keyClick(Focus(), Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(Focus(), static_cast<QWidget*>(View()));
    }
    // A panel's own focus key is no key of that panel: the focus stays put.
    void ownFocusKeyLeavesTheFocus_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("bar");
        QTest::addColumn<int>("move");  // pressed twice inside the panel first
        QTest::newRow("keypad, third button") << int(Qt::Key_K) << 101 << int(Qt::Key_Right);
        QTest::newRow("statistics, third box") << int(Qt::Key_T) << 106 << int(Qt::Key_Tab);
        QTest::newRow("memory list") << int(Qt::Key_M) << 105 << 0;
    }
    void ownFocusKeyLeavesTheFocus() {
        QFETCH(int, key);
        QFETCH(int, bar);
        QFETCH(int, move);
        ShowActive();
        QTest::keyClick(View(), Qt::Key(key), Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(FocusIn(Bar(bar)->Dialog()));
        QWidget* first = Focus();
        if (move != 0)
            for (int i = 0; i < 2; ++i) QTest::keyClick(Focus(), Qt::Key(move));
        QWidget* inside = Focus();
        QVERIFY(FocusIn(Bar(bar)->Dialog()));
        QCOMPARE(inside != first, move != 0);
        QTest::keyClick(Focus(), Qt::Key(key), Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Focus(), inside);
    }
    void keypadKeysFromTheKeypad() {
        ShowActive();
        QTest::keyClicks(View(), "2+3");
        frame_->OnCommand(CommandId::FocusKeypad);
        QVERIFY(FocusIn(frame_->Keypad()));
        // Ctrl+= from the keypad calculates the document.
        QTest::keyClick(Focus(), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(View()->EditorText(), QStringLiteral("2+3=5"));
        // Ctrl+K in the keypad hides it and the editor takes the focus.
        QTest::keyClick(Focus(), Qt::Key_K, Qt::ControlModifier);
        QVERIFY(!Bar(101)->isVisible());
        QCOMPARE(Focus(), static_cast<QWidget*>(View()));
    }
    void panelKeysWorkInAFloatingPanel_data() {
        QTest::addColumn<int>("bar");
        QTest::newRow("memory") << 105;
        QTest::newRow("log") << 102;
        QTest::newRow("keypad") << 101;
    }
    void panelKeysWorkInAFloatingPanel() {
        QFETCH(int, bar);
        ShowActive();
        QTest::keyClicks(View(), "6*7");
        Bar(bar)->setFloating(true);
        QCoreApplication::processEvents();
        frame_->OnCommand(bar == 101   ? CommandId::FocusKeypad
                          : bar == 102 ? CommandId::FocusLog
                                       : CommandId::FocusMemory);
        QTRY_VERIFY(FocusIn(Bar(bar)->Dialog()));
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(Bar(bar)));
        // Calculate, toggle another bar, then back to the editor.
        QTest::keyClick(Focus(), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(View()->EditorText(), QStringLiteral("6*7=42"));
        QTest::keyClick(Focus(), Qt::Key_T, Qt::ControlModifier);
        QVERIFY(Bar(106)->isVisible());
        QTRY_VERIFY(FocusIn(Bar(bar)->Dialog()));
        QTest::keyClick(Focus(), Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(Focus(), static_cast<QWidget*>(View()));
        QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(frame_.get()));
    }
    void ctrlKInTheEditorTogglesTheKeypad() {
        // Under X11 key bindings a text field would delete to the end of the line.
        ShowActive();
        QTest::keyClicks(View(), "12345");
        QTest::keyClick(View(), Qt::Key_Home);
        QTest::keyClick(View(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(View()->EditorText(), QStringLiteral("12345"));
        QVERIFY(!Bar(101)->isVisible());
    }

    // ---- Notation and the keypad menu ----
    void notationChosenTwiceRelabelsOnce_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("notation");
        QTest::addColumn<QString>("tan");
        QTest::newRow("East") << CommandId::NotationEast << 1 << "tg";
        QTest::newRow("West") << CommandId::NotationWest << 0 << "tan";
    }
    void notationChosenTwiceRelabelsOnce() {
        QFETCH(int, command);
        QFETCH(int, notation);
        QFETCH(QString, tan);
        // Start from the other notation.
        Preferences.Notation = 1 - notation;
        frame_->RefreshFromPreferences();
        QCOMPARE(frame_->Keypad()->NotationIndex(), 1 - notation);
        PreferencesChanged = false;
        QSignalSpy relaid(frame_->Keypad(), &CCalcKeyPad::layoutChanged);
        frame_->OnCommand(command);
        frame_->OnCommand(command);
        QCOMPARE(relaid.size(), 1);
        QCOMPARE(frame_->Keypad()->ButtonById(1029)->text(), tan);
        QCOMPARE(int(Preferences.Notation), notation);
        QVERIFY(PreferencesChanged);
        QCOMPARE(frame_->Action(CommandId::NotationWest)->isChecked(), notation == 0);
        QCOMPARE(frame_->Action(CommandId::NotationEast)->isChecked(), notation == 1);
    }
    void refreshRelabelsFromThePreference() {
        QCOMPARE(frame_->Keypad()->NotationIndex(), 0);  // West by default
        QCOMPARE(frame_->Keypad()->ButtonById(1030)->text(), QStringLiteral("cot"));
        Preferences.Notation = 1;
        frame_->RefreshFromPreferences();
        QCOMPARE(frame_->Keypad()->ButtonById(1030)->text(), QStringLiteral("ctg"));
    }
    void keypadStyleMenu_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("themes");
        QTest::newRow("visual styles off") << "Windows" << false;
        QTest::newRow("visual styles on") << "Fusion" << true;
    }
    void keypadStyleMenu() {
        QFETCH(QString, style);
        QFETCH(bool, themes);
        const QString previous = QApplication::style()->name();
        QApplication::setStyle(QStyleFactory::create(style));
        frame_->OnCommand(CommandId::KeypadStyleTarvik);
        QCOMPARE(frame_->Action(CommandId::KeypadStyle2000)->isEnabled(), !themes);
        QVERIFY(frame_->Action(CommandId::KeypadStyleTarvik)->isEnabled());
        QCOMPARE(frame_->Action(CommandId::KeypadStyleXP)->isEnabled(), themes);
        QCOMPARE(frame_->Action(CommandId::KeypadStyleVista)->isEnabled(), themes);
        QVERIFY(frame_->Action(CommandId::KeypadStyleTarvik)->isChecked());
        // Style 2000 shows as Vista while styles are active.
        frame_->OnCommand(CommandId::KeypadStyle2000);
        QCOMPARE(frame_->Keypad()->StoredStyle(), 0);
        QCOMPARE(frame_->Action(CommandId::KeypadStyle2000)->isChecked(), !themes);
        QCOMPARE(frame_->Action(CommandId::KeypadStyleVista)->isChecked(), themes);
        QVERIFY(!frame_->Action(CommandId::KeypadStyleTarvik)->isChecked());
        QApplication::setStyle(QStyleFactory::create(previous));
    }
    void keypadColorAndFontChecks() {
        frame_->OnCommand(CommandId::KeypadColorDefault);
        frame_->OnCommand(CommandId::KeypadTextDefault);
        frame_->OnCommand(CommandId::KeypadFontDefault);
        QVERIFY(frame_->Action(CommandId::KeypadColorDefault)->isChecked());
        QVERIFY(!frame_->Action(CommandId::KeypadColorSystem)->isChecked());
        QVERIFY(frame_->Action(CommandId::KeypadTextDefault)->isChecked());
        QVERIFY(frame_->Action(CommandId::KeypadFontDefault)->isChecked());
        QVERIFY(!frame_->Action(CommandId::KeypadFontSystem)->isChecked());
        frame_->OnCommand(CommandId::KeypadColorSystem);
        frame_->OnCommand(CommandId::KeypadFontSystem);
        QVERIFY(frame_->Action(CommandId::KeypadColorSystem)->isChecked());
        QVERIFY(!frame_->Action(CommandId::KeypadColorDefault)->isChecked());
        QVERIFY(frame_->Action(CommandId::KeypadFontSystem)->isChecked());
        QVERIFY(!frame_->Action(CommandId::KeypadFontDefault)->isChecked());
        // Appearance is the keypad's own: the preferences stay unchanged.
        QVERIFY(!PreferencesChanged);
    }

    // ---- Toolbar and units ----
    void toolbarEntries() {
        CCalcToolBar* bar = frame_->ToolBar();
        QCOMPARE(bar->windowTitle(), QStringLiteral("Tarvik F"));
        QStringList entries;
        for (QAction* action : bar->actions()) {
            if (action->isSeparator())
                entries << "|";
            else if (bar->widgetForAction(action) == bar->UnitsCombo())
                entries << "combo";
            else
                entries << QString::number(action->data().toInt());
        }
        QCOMPARE(entries,
                 QStringList({"57600", "57601", "57603", "|",     "32771", "|",     "32773",
                              "32774", "|",     "57607", "|",     "57635", "57634", "57637",
                              "|",     "32776", "32775", "32777", "|",     "32779", "combo",
                              "32780", "32803", "|",     "57669"}));
        QVERIFY(!frame_->Action(CommandId::ViewLog)->icon().isNull());
        QCOMPARE(frame_->Action(CommandId::ViewKeypad)->toolTip(),
                 QStringLiteral("Toggle keypad Ctrl+K"));
        QCOMPARE(frame_->Action(CommandId::ViewKeypad)->statusTip(),
                 QStringLiteral("Show or hide keypad"));
    }
    void unitsList() {
        QComboBox* combo = frame_->ToolBar()->UnitsCombo();
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
        QCOMPARE(items, QStringList({" Rad", " Deg", " Grad"}));
        QCOMPARE(combo->font().pixelSize(), 28);
        QCOMPARE(combo->font().weight(), QFont::Bold);
        QCOMPARE(combo->font().family(), QStringLiteral("Arial"));
        const int width = QFontMetrics(combo->font()).horizontalAdvance(" Grad ") +
                          combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo) +
                          4;
        QCOMPARE(combo->width(), width);
        const QSize button = CCalcToolBar::ButtonSizeFor(combo->sizeHint().height());
        const auto* tool = qobject_cast<QToolButton*>(
            frame_->ToolBar()->widgetForAction(frame_->Action(CommandId::New)));
        QCOMPARE(tool->size(), button);
    }
    void buttonSizeRule_data() {
        QTest::addColumn<int>("h");
        QTest::addColumn<QSize>("button");
        QTest::addColumn<int>("thickness");
        QTest::newRow("36") << 36 << QSize(48, 43) << 49;
        QTest::newRow("41") << 41 << QSize(48, 43) << 49;
        QTest::newRow("42") << 42 << QSize(48, 42) << 48;
        QTest::newRow("50") << 50 << QSize(56, 50) << 56;
    }
    void buttonSizeRule() {
        QFETCH(int, h);
        QFETCH(QSize, button);
        QFETCH(int, thickness);
        QCOMPARE(CCalcToolBar::ButtonSizeFor(h), button);
        QCOMPARE(CCalcToolBar::ThicknessFor(h), thickness);
    }
    void unitsKeptInLine() {
        ShowActive();
        QComboBox* toolbar = frame_->ToolBar()->UnitsCombo();
        QComboBox* popup = frame_->UnitsWindow()->List();
        QLabel* pane = frame_->Pane(IndicatorId::Units);
        QCOMPARE(pane->text(), QStringLiteral("Rad"));
        // The toolbar list; its prompt goes once a unit is chosen.
        QStatusTipEvent prompt(toolbar->statusTip());
        QApplication::sendEvent(toolbar, &prompt);
        QCOMPARE(frame_->statusBar()->currentMessage(),
                 QStringLiteral("Choose the unit of angles"));
        toolbar->setFocus();
        QTest::keyClick(toolbar, Qt::Key_Down);
        QCOMPARE(frame_->statusBar()->currentMessage(), QString());
        QCOMPARE(toolbar->currentText(), QStringLiteral(" Deg"));
        QCOMPARE(int(Preferences.TrigonometricUnits), 1);
        QVERIFY(PreferencesChanged);
        QCOMPARE(pane->text(), QStringLiteral("Deg"));
        QCOMPARE(popup->currentText(), QStringLiteral("Degrees"));
        // The popup's list.
        frame_->OnCommand(CommandId::TrigonometricUnits);
        QVERIFY(frame_->UnitsWindow()->isVisible());
        popup->setFocus();
        QTest::keyClick(popup, Qt::Key_Down);
        QCOMPARE(int(Preferences.TrigonometricUnits), 2);
        QCOMPARE(pane->text(), QStringLiteral("Grad"));
        QCOMPARE(toolbar->currentText(), QStringLiteral(" Grad"));
        // The preferences.
        Preferences.TrigonometricUnits = 0;
        frame_->RefreshFromPreferences();
        QCOMPARE(pane->text(), QStringLiteral("Rad"));
        QCOMPARE(toolbar->currentText(), QStringLiteral(" Rad"));
        QCOMPARE(popup->currentText(), QStringLiteral("Radians"));
    }
    // Every toolbar entry stays on the bar, none behind the extension
    // button: a bar too short for the full-size entries turns compact.
    void toolbarFitsTheWindow_data() {
        QTest::addColumn<QSize>("size");  // empty: the window's minimum
        QTest::addColumn<Qt::ToolBarArea>("area");
        QTest::addColumn<bool>("compact");
        QTest::newRow("the default width") << QSize(930, 550) << Qt::TopToolBarArea << false;
        QTest::newRow("800 x 600") << QSize(800, 600) << Qt::TopToolBarArea << true;
        QTest::newRow("the minimum") << QSize() << Qt::TopToolBarArea << true;
        QTest::newRow("wide again") << QSize(1400, 900) << Qt::TopToolBarArea << false;
        QTest::newRow("at the left, 1400 x 800") << QSize(1400, 800) << Qt::LeftToolBarArea << true;
        QTest::newRow("at the left, tall") << QSize(1400, 1100) << Qt::LeftToolBarArea << false;
        QTest::newRow("at the left, 800 x 600") << QSize(800, 600) << Qt::LeftToolBarArea << true;
    }
    void toolbarFitsTheWindow() {
        QFETCH(QSize, size);
        QFETCH(Qt::ToolBarArea, area);
        QFETCH(bool, compact);
        ShowActive();
        CCalcToolBar* bar = frame_->ToolBar();
        frame_->addToolBar(area, bar);
        // From the smallest window, so that each size is also the way back.
        frame_->resize(frame_->minimumSize());
        QTRY_VERIFY(bar->IsCompact());
        const int fullFromCompact = bar->FullLength();
        const QSize wanted = size.isEmpty() ? frame_->minimumSize() : size;
        frame_->resize(wanted);
        QTRY_COMPARE(frame_->size(), wanted);
        QTRY_COMPARE(bar->IsCompact(), compact);
        QTest::qWait(20);
        CheckToolbarFits(compact, area == Qt::TopToolBarArea);
        // The full length reckoned while compact is the one measured at full
        // size: no size where the bar would switch back and forth.
        QCOMPARE(bar->FullLength(), fullFromCompact);
    }
    // Moved to another edge of a window that keeps its size, the bar fits
    // that edge at once.
    void movedToolbarFitsItsNewEdge_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Qt::ToolBarArea>("area");
        QTest::addColumn<bool>("compact");
        QTest::newRow("800 x 600, to the left") << QSize(800, 600) << Qt::LeftToolBarArea << true;
        QTest::newRow("1400 x 1100, to the right")
            << QSize(1400, 1100) << Qt::RightToolBarArea << false;
        QTest::newRow("1400 x 800, to the bottom")
            << QSize(1400, 800) << Qt::BottomToolBarArea << false;
    }
    void movedToolbarFitsItsNewEdge() {
        QFETCH(QSize, size);
        QFETCH(Qt::ToolBarArea, area);
        QFETCH(bool, compact);
        ShowActive();
        frame_->resize(size);
        QTRY_COMPARE(frame_->size(), size);
        frame_->addToolBar(area, frame_->ToolBar());
        QTRY_COMPARE(frame_->ToolBar()->IsCompact(), compact);
        QTest::qWait(20);
        CheckToolbarFits(compact, area == Qt::BottomToolBarArea);
    }
    // A layout stored with the toolbar compact or at full size comes back
    // fitted to the window it is restored in, at its stored edge.
    void storedToolbarFitsTheRestoredWindow_data() {
        QTest::addColumn<QSize>("storedIn");
        QTest::addColumn<QSize>("restoredIn");
        QTest::addColumn<bool>("compact");
        QTest::newRow("stored compact") << QSize(800, 600) << QSize(1400, 900) << false;
        QTest::newRow("stored at full size") << QSize(1400, 900) << QSize(800, 600) << true;
    }
    void storedToolbarFitsTheRestoredWindow() {
        QFETCH(QSize, storedIn);
        QFETCH(QSize, restoredIn);
        QFETCH(bool, compact);
        ShowActive();
        frame_->addToolBar(Qt::BottomToolBarArea, frame_->ToolBar());
        frame_->resize(storedIn);
        QTRY_COMPARE(frame_->ToolBar()->IsCompact(), !compact);
        CloseAndForget();
        NewFrame();
        ShowActive();
        frame_->resize(restoredIn);
        QTRY_COMPARE(frame_->size(), restoredIn);
        QCOMPARE(frame_->toolBarArea(frame_->ToolBar()), Qt::BottomToolBarArea);
        QTRY_COMPARE(frame_->ToolBar()->IsCompact(), compact);
        QTest::qWait(20);
        CheckToolbarFits(compact, true);
    }
    void verticalToolbarSwapsListAndButton() {
        ShowActive();
        // Tall enough for the full-size buttons at the side.
        frame_->resize(1200, 1100);
        CCalcToolBar* bar = frame_->ToolBar();
        QAction* button = frame_->Action(CommandId::TrigonometricUnits);
        QVERIFY(bar->UnitsCombo()->isVisible());
        QVERIFY(!button->isVisible());
        frame_->addToolBar(Qt::LeftToolBarArea, bar);
        QCoreApplication::processEvents();
        QVERIFY(bar->IsVertical());
        QVERIFY(!bar->UnitsCombo()->isVisible());
        QVERIFY(button->isVisible());
        auto* tool = qobject_cast<QToolButton*>(bar->widgetForAction(button));
        QVERIFY(tool && tool->isVisible());
        QCOMPARE(tool->size(), CCalcToolBar::ButtonSizeFor(bar->UnitsCombo()->sizeHint().height()));
        tool->click();
        QVERIFY(frame_->UnitsWindow()->isVisible());
        QVERIFY(button->isChecked());
        QVERIFY(tool->isChecked());
        tool->click();
        QVERIFY(!frame_->UnitsWindow()->isVisible());
        QVERIFY(!button->isChecked());
        tool->click();
        QVERIFY(frame_->UnitsWindow()->isVisible());
        // Back on top: the list returns and the units window goes.
        frame_->addToolBar(Qt::TopToolBarArea, bar);
        QCoreApplication::processEvents();
        QVERIFY(!bar->IsVertical());
        QVERIFY(bar->UnitsCombo()->isVisible());
        QVERIFY(!button->isVisible());
        QVERIFY(!frame_->UnitsWindow()->isVisible());
    }

    // ---- Panels, document and engine ----
    void logReceivesAndPopsUp_data() {
        QTest::addColumn<uint>("popup");
        QTest::newRow("LogPopup on shows the hidden log") << 1u;
        QTest::newRow("LogPopup off leaves it hidden") << 0u;
    }
    void logReceivesAndPopsUp() {
        QFETCH(uint, popup);
        QCOMPARE(NCalculatorText::engineState.logReceiver,
                 static_cast<NCalculatorText::ILogReceiver*>(frame_->Log()));
        ShowActive();
        Preferences.LogPopup = popup;
        frame_->OnCommand(CommandId::ViewLog);
        QVERIFY(!Bar(102)->isVisible());
        QTest::keyClicks(View(), "1/0");
        QTest::keyClick(View(), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(frame_->Log()->List()->topLevelItemCount(), 1);
        QCOMPARE(Bar(102)->isVisible(), popup != 0);
        QCOMPARE(frame_->Action(CommandId::ViewLog)->isChecked(), popup != 0);
        QCOMPARE(Focus(), static_cast<QWidget*>(View()));
    }
    void editKeysInAPanelLeaveTheEditorAlone() {
        ShowActive();
        QTest::keyClicks(View(), "1+1");
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::keyClick(View(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(FocusIn(Bar(105)->Dialog()));
        for (const Qt::Key key : {Qt::Key_Z, Qt::Key_X, Qt::Key_V})
            QTest::keyClick(Focus(), key, Qt::ControlModifier);
        QCOMPARE(View()->EditorText(), QStringLiteral("1+1"));
        // The editor itself still has them.
        QTest::keyClick(Bar(105)->Dialog(), Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(Focus(), static_cast<QWidget*>(View()));
        QTest::keyClick(View(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(View()->EditorText(), QStringLiteral("1+1pasted"));
    }
    void memoryCommandsFollowThePanelsFree() {
        ShowActive();
        Preferences.FreeConfirmation = 0;
        QTest::keyClicks(View(), "5->mem[a]");
        QTest::keyClick(View(), Qt::Key_Equal, Qt::ControlModifier);
        QVERIFY(frame_->Action(CommandId::MemorySave)->isEnabled());
        frame_->MemoryPanel()->Free();
        QVERIFY(!frame_->Action(CommandId::MemorySave)->isEnabled());
        QVERIFY(!frame_->Action(CommandId::MemoryFree)->isEnabled());
    }
    void doubleClickedRowShowsItsSource() {
        ShowActive();
        QTest::keyClicks(View(), "mem[w];  2+ ;3");
        QTest::keyClick(View(), Qt::Key_Equal, Qt::ControlModifier | Qt::ShiftModifier);
        QTreeWidget* list = frame_->Log()->List();
        QCOMPARE(list->topLevelItemCount(), 2);  // the warning, then the error
        for (int row : {0, 1}) {
            // Apart enough that the next click starts no double-click.
            QTest::qWait(QApplication::doubleClickInterval() + 50);
            list->scrollToItem(list->topLevelItem(row));
            const QRect rect = list->visualItemRect(list->topLevelItem(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
            // A warning selects the reference that raised it, an error its cell.
            QCOMPARE(View()->textCursor().selectedText(),
                     row == 0 ? QStringLiteral("mem[w]") : QStringLiteral("2+"));
        }
        QTRY_COMPARE(Focus(), static_cast<QWidget*>(View()));
    }
    void memoryPanelFollowsTheDocument() {
        ShowActive();
        QTest::keyClicks(View(), "5->mem[a];mem[a]*2");
        QTest::keyClick(View(), Qt::Key_Equal, Qt::ControlModifier | Qt::ShiftModifier);
        QTreeWidget* list = frame_->MemoryPanel()->List();
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(CCalcMemory::CellColumn), QStringLiteral("a"));
        frame_->OnCommand(CommandId::MemoryFree);
        QCOMPARE(list->topLevelItemCount(), 0);
    }
    void statisticsShowTheirBar() {
        ShowActive();
        QTest::keyClicks(View(), "1->mem[a];2->mem[b];3->mem[c]");
        QTest::keyClick(View(), Qt::Key_Equal, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!Bar(106)->isVisible());
        frame_->MemoryPanel()->Statistics();
        QVERIFY(Bar(106)->isVisible());
        QCOMPARE(frame_->Statistics()->Box(Mean)->text(), QStringLiteral("2"));
        QVERIFY(frame_->Action(CommandId::ViewStatistics)->isChecked());
    }
    void calculateWithTheKeypadAlone() {
        // The application attaches the keypad to the document at start-up.
        frame_.reset();
        doc_.reset();
        CCalcApp app;
        QVERIFY(app.InitInstance({}));
        CCalcMainFrame* frame = app.MainFrame();
        QCOMPARE(frame->Keypad()->Receiver(), static_cast<ICmdReceiver*>(app.Document()));
        QComboBox* units = frame->ToolBar()->UnitsCombo();
        units->setCurrentIndex(1);
        emit units->activated(1);
        QCOMPARE(frame->Pane(IndicatorId::Units)->text(), QStringLiteral("Deg"));
        const auto click = [frame](int id) {
            CColorButton* button = frame->Keypad()->ButtonById(id);
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        };
        // s i n ( 3 0 ) =
        for (int id : {1028, 1009, 1006, 1021, 1001}) click(id);
        QCOMPARE(frame->View()->EditorText(), QStringLiteral("sin(30)=0.4999999999999999445"));
        QCOMPARE(frame->Pane(IndicatorId::Result)->text(),
                 QStringLiteral("rslt = 0.4999999999999999445"));
        ScriptedMessages messages({IDNO});
        frame->close();
        app.ExitInstance();
    }
    void aboutAndPreferencesOpenFromTheMenus() {
        ShowActive();
        QString aboutVersion;
        {
            OnModal<CCalcAboutDialog> about(this, [&](CCalcAboutDialog* dialog) {
                aboutVersion = dialog->Version()->Text();
                QTest::keyClick(dialog, Qt::Key_Escape);
            });
            frame_->Action(CommandId::About)->trigger();
            QVERIFY(about.Done());
        }
        QVERIFY(aboutVersion.contains(QStringLiteral("01.02.004")));
        {
            OnModal<CCalcPreferences> preferences(this, [](CCalcPreferences* dialog) {
                auto* units = qobject_cast<QComboBox*>(
                    dialog->Control(CCalcPreferences::IdTrigonometricUnits));
                units->setCurrentIndex(2);
                auto* notation =
                    qobject_cast<QComboBox*>(dialog->Control(CCalcPreferences::IdNotation));
                notation->setCurrentIndex(1);
                dialog->accept();
            });
            frame_->Action(CommandId::Preferences)->trigger();
            QVERIFY(preferences.Done());
        }
        QCOMPARE(int(Preferences.TrigonometricUnits), 2);
        QCOMPARE(frame_->Pane(IndicatorId::Units)->text(), QStringLiteral("Grad"));
        QCOMPARE(frame_->ToolBar()->UnitsCombo()->currentText(), QStringLiteral(" Grad"));
        QCOMPARE(frame_->Keypad()->NotationIndex(), 1);
        QCOMPARE(frame_->Keypad()->ButtonById(1029)->text(), QStringLiteral("tg"));
    }
};

QTEST_MAIN(TestFramePanels)
#include "tst_framepanels.moc"
