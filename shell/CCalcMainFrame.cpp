#include "shell/CCalcMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "shell/CCalcAboutDialog.h"
#include "shell/CCalcDlgBar.h"
#include "document/CCalcDoc.h"
#include "panels/CCalcKeyPad.h"
#include "panels/CCalcLog.h"
#include "panels/CCalcMemory.h"
#include "shell/CCalcPreferences.h"
#include "panels/CCalcStatistics.h"
#include "shell/CCalcToolBar.h"
#include "panels/CCalcTrigonometricUnits.h"
#include "document/CCalcView.h"
#include "shell/core/CommandIds.h"
#include "engine/Diagnostics.h"
#include "shell/FrameText.h"
#include "panels/KeypadTable.h"
#include "shell/LockKeys.h"
#include "engine/MemoryStore.h"
#include "shell/core/MessageBox.h"
#include "engine/Preferences.h"
#include "shell/PreferencesStore.h"
#include "shell/RecentFileList.h"
#include "shell/core/SettingsStore.h"
#include "shell/core/StringIds.h"
#include "toolkit/TaResources.h"

namespace {

const int kRecentIds[] = {CommandId::RecentFile1, CommandId::RecentFile2, CommandId::RecentFile3,
                          CommandId::RecentFile4};

// The first widget of a panel that takes the focus by Tab.
QWidget* FirstFocusable(QWidget* panel) {
    if (panel->focusProxy() || (panel->focusPolicy() & Qt::TabFocus)) return panel;
    QWidget* w = panel->nextInFocusChain();
    for (int guard = 0; w && w != panel && guard < 10000; ++guard, w = w->nextInFocusChain()) {
        if (panel->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
            w->isVisibleTo(panel))
            return w;
    }
    return panel;
}

}  // namespace

CCalcMainFrame::CCalcMainFrame(CCalcDoc* document, CRecentFileList* recentFiles, QWidget* parent)
    : QMainWindow(parent),
      m_document(document),
      m_recentFiles(recentFiles),
      m_view(new CCalcView(this)) {
    setObjectName(QStringLiteral("CCalcMainFrame"));
    setCentralWidget(m_view);
    // Bars dragged over the editor leave it 4 pixels.
    m_view->setMinimumSize(4, 4);
    // Rows of bars, one above the other, as the docks hold them; no tabs.
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    m_document->SetView(m_view);
    setAcceptDrops(true);
    TaInitResources();

    CreateActions();
    CreateMenus();
    // The units window: owned by the frame, hidden until asked for.
    m_units = new CCalcTrigonometricUnits(this);
    m_units->hide();
    CreateToolBar();
    CreateStatusBar();
    CreateBars();
    // From here on the engine reports to the log panel.
    NCalculatorText::engineState.logReceiver = m_log;
    DockBars();
    m_layoutRestored = ReadBarState(*OpenSettingsStore(), *this);
    ConnectPanels();

    connect(m_document, &CCalcDoc::TitleChanged, this, &CCalcMainFrame::UpdateTitle);
    connect(m_document, &CCalcDoc::ResultChanged, this, &CCalcMainFrame::UpdateResultPane);
    connect(m_document, &CCalcDoc::MemoryChanged, m_memory, &CCalcMemory::Refresh);
    connect(m_document, &CCalcDoc::MemoryChanged, this, &CCalcMainFrame::UpdateCommandStates);
    connect(m_document, &CCalcDoc::PathUsed, this, [this](const QString& path) {
        m_recentFiles->Add(path);
        RebuildRecentFileMenu();
    });
    connect(m_view, &QPlainTextEdit::undoAvailable, this, &CCalcMainFrame::UpdateCommandStates);
    connect(m_view, &QPlainTextEdit::copyAvailable, this, &CCalcMainFrame::UpdateCommandStates);
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &CCalcMainFrame::UpdateCommandStates);
    qApp->installEventFilter(this);

    RebuildRecentFileMenu();
    UpdateTitle();
    RefreshFromPreferences();
    UpdateLockPanes();
    UpdateCommandStates();
    resize(kDefaultFrameWidth, kDefaultFrameHeight);
}

CCalcMainFrame::~CCalcMainFrame() {
    // The children go after this destructor; what they signal on the way
    // must not reach the half-destroyed frame.
    for (QObject* sender : std::initializer_list<QObject*>{
             m_keypadBar, m_logBar, m_memoryBar, m_statisticsBar, m_toolBar, m_units, m_keypad,
             m_log, m_memory, m_statistics, m_view, m_document, QGuiApplication::clipboard()})
        if (sender) disconnect(sender, nullptr, this, nullptr);
    // The log goes with the frame: the engine must not report to it after.
    if (NCalculatorText::engineState.logReceiver == m_log)
        NCalculatorText::engineState.logReceiver = nullptr;
}

CCalcDlgBar* CCalcMainFrame::Bar(int barId) const {
    switch (barId) {
        case BarId::Keypad:
            return m_keypadBar;
        case BarId::Log:
            return m_logBar;
        case BarId::Memory:
            return m_memoryBar;
        case BarId::Statistics:
            return m_statisticsBar;
        default:
            return nullptr;
    }
}

// ---- Commands --------------------------------------------------------------

QAction* CCalcMainFrame::MakeAction(int id, const QString& text, const QList<QKeySequence>& keys,
                                    const QString& prompt, const QString& tip) {
    auto* action = new QAction(text, this);
    action->setData(id);
    action->setShortcuts(keys);
    // The panels' keys work wherever the focus is, floating panels included;
    // the editing keys belong to the main window.
    bool panelWide = false;
    for (const Keypad::PanelAccelerator& entry : Keypad::PanelAccelerators())
        panelWide = panelWide || entry.command == id;
    action->setShortcutContext(panelWide ? Qt::ApplicationShortcut : Qt::WindowShortcut);
    action->setIconVisibleInMenu(false);
    if (!prompt.isEmpty()) action->setStatusTip(prompt);
    if (!tip.isEmpty()) action->setToolTip(tip);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    m_actions.insert(id, action);
    return action;
}

void CCalcMainFrame::CreateActions() {
    using namespace CommandId;
    MakeAction(New, tr("&New"), {QKeySequence(Qt::CTRL | Qt::Key_N)},
               tr("Start a new calculation"), tr("New Ctrl+N"));
    MakeAction(Open, tr("&Open..."), {QKeySequence(Qt::CTRL | Qt::Key_O)},
               tr("Open a calculation file"), tr("Open Ctrl+O"));
    MakeAction(Save, tr("&Save"), {QKeySequence(Qt::CTRL | Qt::Key_S)}, tr("Save the calculation"),
               tr("Save Ctrl+S"));
    MakeAction(SaveAs, tr("Save &As..."), {}, tr("Save the calculation under a new name"));
    MakeAction(Execute, tr("&Execute..."), {QKeySequence(Qt::CTRL | Qt::Key_E)},
               tr("Calculate a file against the memory"), tr("Execute file Ctrl+E"));
    MakeAction(Exit, tr("E&xit"), {}, tr("Quit the calculator"));
    for (int i = 0; i < CRecentFileList::kSize; ++i)
        MakeAction(kRecentIds[i], QString(), {}, tr("Open this calculation"));

    MakeAction(MemoryFree, tr("&Free"), {}, tr("Erase all memory cells"));
    MakeAction(MemoryLoad, tr("&Load..."), {}, tr("Load memory cells from a file"),
               tr("Load memory"));
    MakeAction(MemorySave, tr("&Save..."), {}, tr("Save the memory cells to a file"),
               tr("Save memory"));

    // Calculate and Calculate all come from keys only. Ctrl++ is never bound:
    // under X11 the shifted "=" key matches it too and the two would cancel.
    MakeAction(Calculate, tr("Calculate"), {QKeySequence(Qt::CTRL | Qt::Key_Equal)},
               tr("Calculate the current cell"));
    MakeAction(CommandId::CalculateAll, tr("Calculate all"),
               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal)}, tr("Calculate all cells"),
               tr("Calculate all Ctrl+Shift+="));
    addAction(m_actions.value(Calculate));
    addAction(m_actions.value(CommandId::CalculateAll));

    MakeAction(Undo, tr("&Undo"),
               {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)},
               tr("Undo the last edit"));
    MakeAction(Cut, tr("Cu&t"),
               {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
               tr("Cut the selection to the clipboard"), tr("Cut Ctrl+X"));
    MakeAction(Copy, tr("&Copy"),
               {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)},
               tr("Copy the selection to the clipboard"), tr("Copy Ctrl+C"));
    MakeAction(Paste, tr("&Paste"),
               {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
               tr("Insert the clipboard text"), tr("Paste Ctrl+V"));

    MakeAction(ViewToolbar, tr("&Toolbar"), {}, tr("Show or hide the toolbar"))->setCheckable(true);
    MakeAction(ViewKeypad, tr("&Keypad"), {QKeySequence(Qt::CTRL | Qt::Key_K)},
               tr("Show or hide keypad"), tr("Toggle keypad Ctrl+K"))
        ->setCheckable(true);
    MakeAction(ViewLog, tr("&Log"), {QKeySequence(Qt::CTRL | Qt::Key_L)}, tr("Show or hide log"),
               tr("Toggle log Ctrl+L"))
        ->setCheckable(true);
    MakeAction(ViewMemory, tr("&Memory"), {QKeySequence(Qt::CTRL | Qt::Key_M)},
               tr("Show or hide memory"), tr("Toggle memory Ctrl+M"))
        ->setCheckable(true);
    MakeAction(ViewStatistics, tr("St&atistics"), {QKeySequence(Qt::CTRL | Qt::Key_T)},
               tr("Show or hide statistics"), tr("Toggle statistics Ctrl+T"))
        ->setCheckable(true);
    MakeAction(ViewStatusBar, tr("&Status Bar"), {}, tr("Show or hide the status bar"))
        ->setCheckable(true);

    // Focus commands come from keys only.
    MakeAction(FocusEditor, tr("Focus editor"), {QKeySequence(Qt::CTRL | Qt::Key_W)},
               tr("Go to the editor"));
    MakeAction(FocusKeypad, tr("Focus keypad"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K)},
               tr("Go to the keypad"));
    MakeAction(FocusLog, tr("Focus log"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L)},
               tr("Go to the log"));
    MakeAction(FocusMemory, tr("Focus memory"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M)},
               tr("Go to the memory"));
    MakeAction(FocusStatistics, tr("Focus statistics"),
               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T)}, tr("Go to the statistics"));
    for (int id : {FocusEditor, FocusKeypad, FocusLog, FocusMemory, FocusStatistics})
        addAction(Action(id));

    MakeAction(CommandId::Preferences, tr("&Preferences..."), {}, tr("Change the preferences"),
               tr("Preferences"));
    MakeAction(TrigonometricUnits, tr("Trigonometric units"), {},
               tr("Choose the unit of angles"), tr("Trigonometric units"))
        ->setCheckable(true);
    MakeAction(NotationWest, tr("&West"), {}, tr("Function names of the West tradition"))
        ->setCheckable(true);
    MakeAction(NotationEast, tr("&East"), {}, tr("Function names of the East tradition"))
        ->setCheckable(true);

    MakeAction(KeypadStyle2000, tr("&2000"), {}, tr("Classic keypad buttons"))->setCheckable(true);
    MakeAction(KeypadStyleTarvik, tr("&Tarvik"), {}, tr("Capsule keypad buttons"))
        ->setCheckable(true);
    MakeAction(KeypadStyleXP, tr("&XP"), {}, tr("Rounded keypad buttons"))->setCheckable(true);
    MakeAction(KeypadStyleVista, tr("&Vista"), {}, tr("Glass keypad buttons"))->setCheckable(true);
    MakeAction(KeypadFontSelect, tr("&Select..."), {}, tr("Choose the keypad font"));
    MakeAction(KeypadFontSystem, tr("S&ystem"), {}, tr("Use the system font on the keypad"))
        ->setCheckable(true);
    MakeAction(KeypadFontDefault, tr("&Default"), {}, tr("Use the default keypad font"))
        ->setCheckable(true);
    MakeAction(KeypadTextFunction, tr("&Function..."), {}, tr("Text colour of function keys"));
    MakeAction(KeypadTextDigit, tr("&Digit..."), {}, tr("Text colour of digit keys"));
    MakeAction(KeypadTextService, tr("&Service..."), {}, tr("Text colour of service keys"));
    MakeAction(KeypadTextSystem, tr("S&ystem"), {}, tr("System text colour on all keys"))
        ->setCheckable(true);
    MakeAction(KeypadTextDefault, tr("D&efault"), {}, tr("Default text colours"))
        ->setCheckable(true);
    MakeAction(KeypadColorFunction, tr("&Function..."), {}, tr("Colour of function keys"));
    MakeAction(KeypadColorDigit, tr("&Digit..."), {}, tr("Colour of digit keys"));
    MakeAction(KeypadColorService, tr("&Service..."), {}, tr("Colour of service keys"));
    MakeAction(KeypadColorSystem, tr("S&ystem"), {}, tr("System colour on all keys"))
        ->setCheckable(true);
    MakeAction(KeypadColorDefault, tr("D&efault"), {}, tr("Default key colours"))
        ->setCheckable(true);

    MakeAction(EditorFontSelect, tr("&Select..."), {}, tr("Choose the editor font"));
    MakeAction(EditorFontDefault, tr("&Default"), {}, tr("Use the default editor font"))
        ->setCheckable(true);

    MakeAction(About, tr("&About Calculator..."), {},
               tr("Show the program name, version and maker"));
}

void CCalcMainFrame::CreateMenus() {
    using namespace CommandId;
    QMenuBar* bar = menuBar();

    m_fileMenu = bar->addMenu(tr("&File"));
    m_fileMenu->addAction(Action(New));
    m_fileMenu->addAction(Action(Open));
    m_fileMenu->addAction(Action(Save));
    m_fileMenu->addAction(Action(SaveAs));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Action(Execute));
    m_fileMenu->addSeparator();
    m_recentPlaceholder = m_fileMenu->addAction(tr("Recent File"));
    m_recentPlaceholder->setEnabled(false);
    for (int id : kRecentIds) m_fileMenu->addAction(Action(id));
    m_recentSeparator = m_fileMenu->addSeparator();
    m_fileMenu->addAction(Action(Exit));

    QMenu* memory = bar->addMenu(tr("&Memory"));
    memory->addAction(Action(MemoryFree));
    memory->addAction(Action(MemoryLoad));
    memory->addAction(Action(MemorySave));

    QMenu* edit = bar->addMenu(tr("&Edit"));
    edit->addAction(Action(Undo));
    edit->addSeparator();
    edit->addAction(Action(Cut));
    edit->addAction(Action(Copy));
    edit->addAction(Action(Paste));

    QMenu* view = bar->addMenu(tr("&View"));
    for (int id : {ViewToolbar, ViewKeypad, ViewLog, ViewMemory, ViewStatistics, ViewStatusBar})
        view->addAction(Action(id));

    QMenu* set = bar->addMenu(tr("&Set"));
    set->addAction(Action(CommandId::Preferences));
    QMenu* notation = set->addMenu(tr("&Notation"));
    notation->addAction(Action(NotationWest));
    notation->addAction(Action(NotationEast));
    QMenu* keypad = set->addMenu(tr("&Keypad"));
    QMenu* style = keypad->addMenu(tr("&Style"));
    for (int id : {KeypadStyle2000, KeypadStyleTarvik, KeypadStyleXP, KeypadStyleVista})
        style->addAction(Action(id));
    QMenu* font = keypad->addMenu(tr("&Font"));
    for (int id : {KeypadFontSelect, KeypadFontSystem, KeypadFontDefault}) font->addAction(Action(id));
    QMenu* text = keypad->addMenu(tr("&Text Color"));
    for (int id : {KeypadTextFunction, KeypadTextDigit, KeypadTextService}) text->addAction(Action(id));
    text->addSeparator();
    text->addAction(Action(KeypadTextSystem));
    text->addAction(Action(KeypadTextDefault));
    QMenu* color = keypad->addMenu(tr("&Color"));
    for (int id : {KeypadColorFunction, KeypadColorDigit, KeypadColorService})
        color->addAction(Action(id));
    color->addSeparator();
    color->addAction(Action(KeypadColorSystem));
    color->addAction(Action(KeypadColorDefault));
    QMenu* editorFont = set->addMenu(tr("&Editor Font"));
    editorFont->addAction(Action(EditorFontSelect));
    editorFont->addAction(Action(EditorFontDefault));

    QMenu* help = bar->addMenu(tr("&Help"));
    help->addAction(Action(About));

    for (QMenu* menu : {m_fileMenu, memory, edit, view, set, notation, keypad, style, font, text,
                        color, editorFont, help})
        connect(menu, &QMenu::aboutToShow, this, &CCalcMainFrame::UpdateCommandStates);
}

void CCalcMainFrame::CreateToolBar() {
    using namespace CommandId;
    m_toolBar = new CCalcToolBar(this);
    // Images of bitmap 128 by their index, in the order of the entries.
    const QList<std::pair<int, int>> images{
        {New, 0},       {Open, 1},        {Save, 2},        {Execute, 3},
        {MemoryLoad, 4}, {MemorySave, 5},  {Print, 6},       {Cut, 7},
        {Copy, 8},      {Paste, 9},       {ViewLog, 10},    {ViewKeypad, 11},
        {ViewMemory, 12}, {CommandId::Preferences, 13}, {TrigonometricUnits, 14},
        {CommandId::CalculateAll, 15}, {ContextHelp, 16}};
    for (const auto& [id, index] : images)
        if (QAction* action = Action(id)) action->setIcon(TaToolbarIcon(index));

    // 0 stands for a separator. Print and context help have no command yet
    // and are left out.
    const QList<int> entries{New,        Open,       Save,       0,
                             Execute,    0,          MemoryLoad, MemorySave,
                             0,          Print,      0,          Cut,
                             Copy,       Paste,      0,          ViewLog,
                             ViewKeypad, ViewMemory, 0,          CommandId::Preferences,
                             TrigonometricUnits, CommandId::CalculateAll, 0, ContextHelp};
    m_toolBar->Populate(
        entries, [this](int id) { return Action(id); }, Action(TrigonometricUnits));
    m_toolBar->UnitsCombo()->setToolTip(Action(TrigonometricUnits)->toolTip());
    m_toolBar->UnitsCombo()->setStatusTip(Action(TrigonometricUnits)->statusTip());
    m_toolBar->ShowUnit(::Preferences.TrigonometricUnits);
    connect(m_toolBar, &QToolBar::visibilityChanged, this, &CCalcMainFrame::UpdateCommandStates);
    connect(m_toolBar, &CCalcToolBar::UnitChosen, this, &CCalcMainFrame::ShowUnit);
    connect(m_toolBar, &CCalcToolBar::TurnedHorizontal, m_units, &QWidget::hide);
}

void CCalcMainFrame::CreateBars() {
    m_keypad = new CCalcKeyPad(nullptr, [](const QString& text, unsigned type, unsigned help) {
        return AppMessageBox(text, type, help);
    });
    m_log = new CCalcLog;
    m_memory = new CCalcMemory;
    m_statistics = new CCalcStatistics;

    using namespace BarStyle;
    const unsigned common = ToolTips | FlyBy;
    const auto make = [this](const QString& caption, QWidget* dialog, int id, unsigned style) {
        auto* bar = new CCalcDlgBar(this);
        bar->Create(caption, this, dialog, id, style);
        return bar;
    };
    m_keypadBar = make(tr("Keypad"), m_keypad, BarId::Keypad, common | AlignTop | AlignBottom | SizeFixed);
    m_logBar = make(tr("Log"), m_log, BarId::Log, common | AlignAny | SizeDynamic);
    m_memoryBar = make(tr("Memory"), m_memory, BarId::Memory, common | AlignAny | SizeDynamic);
    m_statisticsBar =
        make(tr("Statistics"), m_statistics, BarId::Statistics, common | AlignAny | SizeFixed);
}

void CCalcMainFrame::DockBars() {
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    // The log's row above the keypad's, both at the bottom.
    addDockWidget(Qt::BottomDockWidgetArea, m_logBar);
    addDockWidget(Qt::BottomDockWidgetArea, m_keypadBar);
    splitDockWidget(m_logBar, m_keypadBar, Qt::Vertical);
    addDockWidget(Qt::RightDockWidgetArea, m_memoryBar);
    addDockWidget(Qt::TopDockWidgetArea, m_statisticsBar);
    m_statisticsBar->setFloating(true);
    m_statisticsBar->move(27, 27);
    m_statisticsBar->hide();
}

void CCalcMainFrame::ConnectPanels() {
    m_memory->SetStatisticsPanel(m_statistics);
    connect(m_keypad, &CCalcKeyPad::layoutChanged, m_keypadBar, &CCalcDlgBar::OnNewDialogSize);
    connect(m_keypad, &CCalcKeyPad::panelCommand, this, &CCalcMainFrame::OnCommand);
    // A new message with LogPopup on shows the log; the focus stays put.
    connect(m_log, &CCalcLog::PopupRequested, this, [this] {
        if (!m_logBar->isVisibleTo(this)) {
            m_logBar->ShowWithoutFocus();
            UpdateCommandStates();
        }
    });
    connect(m_statistics, &CCalcStatistics::ShowRequested, this, [this] {
        if (!m_statisticsBar->isVisibleTo(this)) {
            m_statisticsBar->ShowWithoutFocus();
            UpdateCommandStates();
        }
    });
    connect(m_units, &CCalcTrigonometricUnits::UnitChosen, this, &CCalcMainFrame::ShowUnit);
    connect(m_units, &CCalcTrigonometricUnits::VisibilityChanged, this,
            &CCalcMainFrame::UpdateCommandStates);
    for (CCalcDlgBar* bar : {m_keypadBar, m_logBar, m_memoryBar, m_statisticsBar})
        connect(bar, &QDockWidget::visibilityChanged, this, &CCalcMainFrame::UpdateCommandStates);
}

QLabel* CCalcMainFrame::AddPane(int indicatorId, const QString& indicatorText) {
    auto* pane = new QLabel(indicatorText, this);
    pane->setObjectName(QStringLiteral("Pane%1").arg(indicatorId));
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    // As wide as its indicator text.
    const int margins = pane->contentsMargins().left() + pane->contentsMargins().right() +
                        2 * pane->frameWidth() + 8;
    pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(indicatorText) + margins);
    statusBar()->addPermanentWidget(pane);
    m_panes.insert(indicatorId, pane);
    return pane;
}

void CCalcMainFrame::CreateStatusBar() {
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    AddPane(IndicatorId::Result, QStringLiteral("RESULT=-8.8888888888888888888E+888"));
    AddPane(IndicatorId::Units, QStringLiteral("Grad"));
    AddPane(IndicatorId::Sse2, QStringLiteral("SSE2"));
    AddPane(IndicatorId::Caps, QStringLiteral("CAP"));
    AddPane(IndicatorId::Num, QStringLiteral("NUM"));
}

void CCalcMainFrame::OnCommand(int commandId) {
    using namespace CommandId;
    switch (commandId) {
        case New:
            m_document->OnNewDocument();
            break;
        case Open:
            m_document->OnFileOpen();
            break;
        case Save:
            m_document->OnFileSave();
            break;
        case SaveAs:
            m_document->OnFileSaveAs();
            break;
        case Execute:
            m_document->OnFileExecute();
            break;
        case Exit:
            close();
            break;
        case RecentFile1:
        case RecentFile2:
        case RecentFile3:
        case RecentFile4:
            OpenRecentFile(commandId - RecentFile1);
            break;
        case MemoryFree:
            m_document->OnMemoryFree();
            break;
        case MemoryLoad:
            m_document->OnMemoryLoad();
            break;
        case MemorySave:
            m_document->OnMemorySave();
            break;
        case Calculate:
            m_document->ExecuteCommand(CalculateCell);
            break;
        case CommandId::CalculateAll:
            m_document->ExecuteCommand(CalcCommand::CalculateAll);
            break;
        case Undo:
            m_view->undo();
            break;
        case Cut:
            m_view->cut();
            break;
        case Copy:
            m_view->copy();
            break;
        case Paste:
            m_view->paste();
            break;
        case ViewToolbar:
            m_toolBar->setVisible(!m_toolBar->isVisible());
            break;
        case ViewStatusBar:
            statusBar()->setVisible(!statusBar()->isVisible());
            break;
        case ViewKeypad:
            ToggleBar(m_keypadBar);
            break;
        case ViewLog:
            ToggleBar(m_logBar);
            break;
        case ViewMemory:
            ToggleBar(m_memoryBar);
            break;
        case ViewStatistics:
            ToggleBar(m_statisticsBar);
            break;
        case FocusEditor:
            FocusView();
            break;
        case FocusKeypad:
            FocusPanel(m_keypadBar);
            break;
        case FocusLog:
            FocusPanel(m_logBar);
            break;
        case FocusMemory:
            FocusPanel(m_memoryBar);
            break;
        case FocusStatistics:
            FocusPanel(m_statisticsBar);
            break;
        case TrigonometricUnits:
            m_units->setVisible(!m_units->isVisible());
            break;
        case NotationWest:
            SetNotation(0);
            break;
        case NotationEast:
            SetNotation(1);
            break;
        case CommandId::Preferences: {
            CCalcPreferences dialog(
                this, [this] { RefreshFromPreferences(); }, [] { ApplySSE2Choice(); });
            dialog.DoModal();
            break;
        }
        case About: {
            CCalcAboutDialog about(ApplicationFonts(), this);
            about.DoModal();
            break;
        }
        case EditorFontSelect:
            m_view->SelectFont();
            break;
        case EditorFontDefault:
            m_view->SetDefaultFont();
            break;
        default:
            if (commandId >= KeypadStyleXP && commandId <= KeypadColorDefault)
                m_keypad->OnCommand(commandId);
            break;
    }
    UpdateCommandStates();
}

void CCalcMainFrame::ToggleBar(CCalcBar* bar) {
    bar->setVisible(!bar->isVisibleTo(this));
    // The focus never stays in a hidden panel.
    if (!bar->isVisibleTo(this)) FocusView();
    UpdateCommandStates();
}

void CCalcMainFrame::FocusPanel(CCalcDlgBar* bar) {
    if (!bar->isVisibleTo(this)) bar->show();
    QWidget* panel = bar->Dialog();
    // A floating panel is a window of its own and must be the active one.
    panel->window()->activateWindow();
    FirstFocusable(panel)->setFocus(Qt::ShortcutFocusReason);
    UpdateCommandStates();
}

void CCalcMainFrame::FocusView() {
    activateWindow();
    m_view->setFocus(Qt::ShortcutFocusReason);
}

void CCalcMainFrame::SetNotation(int notation) {
    Preferences.Notation = static_cast<uint32_t>(notation);
    PreferencesChanged = true;
    if (m_keypad->NotationIndex() != notation) m_keypad->ApplyNotation(notation);
}

void CCalcMainFrame::UpdateCommandStates() {
    using namespace CommandId;
    const bool hasMemory = NCalculatorText::MemoryStore::Instance().Count() > 0;
    Action(MemoryFree)->setEnabled(hasMemory);
    Action(MemorySave)->setEnabled(hasMemory);

    const bool hasSelection = m_view->textCursor().hasSelection();
    Action(Undo)->setEnabled(m_view->document()->isUndoAvailable());
    Action(Cut)->setEnabled(hasSelection && !m_view->isReadOnly());
    Action(Copy)->setEnabled(hasSelection);
    Action(Paste)->setEnabled(m_view->canPaste());

    // isVisibleTo: the state the bar will have once the window shows.
    Action(ViewToolbar)->setChecked(m_toolBar->isVisibleTo(this));
    Action(ViewStatusBar)->setChecked(statusBar()->isVisibleTo(this));
    Action(EditorFontDefault)->setChecked(m_view->IsDefaultFont());

    // The bars and panels exist once the frame is built.
    if (!m_statisticsBar) return;
    Action(ViewKeypad)->setChecked(m_keypadBar->isVisibleTo(this));
    Action(ViewLog)->setChecked(m_logBar->isVisibleTo(this));
    Action(ViewMemory)->setChecked(m_memoryBar->isVisibleTo(this));
    Action(ViewStatistics)->setChecked(m_statisticsBar->isVisibleTo(this));
    Action(TrigonometricUnits)->setChecked(m_units->isVisible());
    Action(NotationWest)->setChecked(::Preferences.Notation == 0);
    Action(NotationEast)->setChecked(::Preferences.Notation == 1);
    for (int id = KeypadStyleXP; id <= KeypadColorDefault; ++id) {
        const CCalcKeyPad::CommandState state = m_keypad->StateOf(id);
        QAction* action = Action(id);
        action->setEnabled(state.enabled);
        if (action->isCheckable()) action->setChecked(state.checked);
    }
}

// ---- Title and panes --------------------------------------------------------

void CCalcMainFrame::UpdateTitle() {
    setWindowTitle(BuildFrameTitle(DocTemplate::WindowTitle(), m_document->GetTitle(),
                                   m_document->IsModified()));
}

void CCalcMainFrame::UpdateResultPane() {
    QLabel* pane = Pane(IndicatorId::Result);
    pane->setText(ResultPaneText(NCalculatorText::lastResult));
    pane->repaint();
}

void CCalcMainFrame::UpdateUnitsPane() {
    Pane(IndicatorId::Units)->setText(TrigonometricUnitPaneText(Preferences.TrigonometricUnits));
}

void CCalcMainFrame::UpdateSse2Pane() {
    const bool inUse = SSE2Available && Preferences.UseSSE2 != 0;
    Pane(IndicatorId::Sse2)->setText(inUse ? QStringLiteral("SSE2") : QString());
}

void CCalcMainFrame::UpdateLockPanes() {
    bool caps = false;
    bool num = false;
    QueryLockKeys(caps, num);
    Pane(IndicatorId::Caps)->setText(caps ? QStringLiteral("CAP") : QString());
    Pane(IndicatorId::Num)->setText(num ? QStringLiteral("NUM") : QString());
}

void CCalcMainFrame::ShowUnit() {
    UpdateUnitsPane();
    Pane(IndicatorId::Units)->repaint();
    if (m_toolBar) m_toolBar->ShowUnit(Preferences.TrigonometricUnits);
    if (m_units) m_units->ShowUnit(Preferences.TrigonometricUnits);
}

void CCalcMainFrame::RefreshFromPreferences() {
    UpdateResultPane();
    ShowUnit();
    if (m_keypad && m_keypad->NotationIndex() != static_cast<int>(Preferences.Notation))
        m_keypad->ApplyNotation(static_cast<int>(Preferences.Notation));
    // The ^ key's spoken name follows AppendPower.
    if (m_keypad) m_keypad->RefreshAccessibleNames();
    UpdateSse2Pane();
    UpdateCommandStates();
}

bool CCalcMainFrame::IsPanelWideKey(const QKeyEvent* event) const {
    const int command = Keypad::PanelCommandForKey(event->key(), event->modifiers());
    if (command == 0) return false;
    const QAction* action = Action(command);
    return action && action->isEnabled();
}

bool CCalcMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Text fields claim some of these keys (Ctrl+K deletes to the end
            // of the line under X11); the panels' keys win outside dialogs.
            if (!QApplication::activeModalWidget() &&
                IsPanelWideKey(static_cast<QKeyEvent*>(event))) {
                event->ignore();
                return true;
            }
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (watched == static_cast<QObject*>(windowHandle()) || watched == m_view ||
                watched == focusWidget())
                UpdateLockPanes();
            break;
        case QEvent::ApplicationActivate:
            UpdateLockPanes();
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Placement ----------------------------------------------------------------

bool CCalcMainFrame::RestorePlacement(QSettings& settings) {
    const FramePlacement placement = ReadFramePlacement(settings, *this);
    ApplyFramePlacement(*this, placement.rect);
    m_placementRestored = true;
    return placement.maximized;
}

void CCalcMainFrame::SavePlacement(QSettings& settings) const {
    WriteFramePlacement(settings, *this);
}

void CCalcMainFrame::SaveState(QSettings& settings) const {
    // A window that was never placed or shown has nothing worth keeping.
    if (m_placementRestored) SavePlacement(settings);
    if (m_shown) WriteBarState(settings, *this);
    m_view->SaveFont(settings);
    settings.sync();
}

void CCalcMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // From now on the bars have sizes worth keeping.
    m_shown = true;
}

void CCalcMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || m_floatingRaised) return;
    m_floatingRaised = true;
    // Floating bars restored before this window was on the screen are
    // mapped again as its own windows, so they stay above it.
    for (CCalcBar* bar : CCalcBar::AllBars()) {
        if (bar->parentWidget() != this || !bar->isFloating() || !bar->isVisible()) continue;
        bar->hide();
        if (QWindow* floating = bar->windowHandle()) floating->setTransientParent(windowHandle());
        bar->ShowWithoutFocus();
    }
}

void CCalcMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_document->SaveModified()) {
        event->ignore();
        return;
    }
    std::unique_ptr<QSettings> settings = OpenSettingsStore();
    SaveState(*settings);
    event->accept();
}

// ---- Recent files and dropped files ------------------------------------------

void CCalcMainFrame::RebuildRecentFileMenu() {
    const int count = m_recentFiles->Count();
    for (int i = 0; i < CRecentFileList::kSize; ++i) {
        QAction* action = Action(kRecentIds[i]);
        action->setVisible(i < count);
        if (i < count) action->setText(m_recentFiles->MenuText(i));
    }
    m_recentPlaceholder->setVisible(count == 0);
}

void CCalcMainFrame::OpenRecentFile(int index) {
    if (index < 0 || index >= m_recentFiles->Count()) return;
    const QString path = m_recentFiles->At(index);
    if (m_document->OpenDocumentFile(path) == CCalcDoc::OpenResult::Failed) {
        m_recentFiles->Remove(index);
        RebuildRecentFileMenu();
    }
}

void CCalcMainFrame::OpenDroppedFiles(const QStringList& paths) {
    for (const QString& path : paths) m_document->OpenDocumentFile(path);
    UpdateCommandStates();
}

void CCalcMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
    event->ignore();
}

void CCalcMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    activateWindow();
    OpenDroppedFiles(paths);
}
