#include "shell/CCalcMainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
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
#include <QtMath>

#include "document/CCalcDoc.h"
#include "document/CCalcPageSetup.h"
#include "document/CCalcView.h"
#include "document/EditorAssist.h"
#include "document/LiveResult.h"
#include "engine/Diagnostics.h"
#include "engine/MemoryStore.h"
#include "engine/NumberFormat.h"
#include "engine/Preferences.h"
#include "panels/CCalcKeyPad.h"
#include "panels/CCalcLog.h"
#include "panels/CCalcMemory.h"
#include "panels/CCalcStatistics.h"
#include "panels/CCalcTrigonometricUnits.h"
#include "panels/KeypadTable.h"
#include "shell/CCalcAboutDialog.h"
#include "shell/CCalcDlgBar.h"
#include "shell/CCalcHelp.h"
#include "shell/CCalcPreferences.h"
#include "shell/CCalcPrintPreview.h"
#include "shell/CCalcToolBar.h"
#include "shell/CommandTable.h"
#include "shell/FrameText.h"
#include "shell/HelpTopics.h"
#include "shell/LockKeys.h"
#include "shell/PreferencesStore.h"
#include "shell/RecentFileList.h"
#include "shell/core/CommandIds.h"
#include "shell/core/MessageBox.h"
#include "shell/core/SettingsStore.h"
#include "shell/core/StringIds.h"
#include "toolkit/TaResources.h"

namespace {

// The View > Result digits command of a choice (the menu may lack it).
int ResultDigitsCommand(NCalculatorText::ResultDigits digits) {
    using NCalculatorText::ResultDigits;
    switch (digits.mode) {
        case ResultDigits::Shortest:
            return CommandId::ResultDigitsShortest;
        case ResultDigits::Significant:
            return CommandId::ResultDigitsSignificant + digits.count;
        case ResultDigits::Decimals:
            return CommandId::ResultDigitsDecimals + digits.count;
        default:
            return CommandId::ResultDigitsExact;
    }
}

// The smallest editor a window of the minimum size leaves, in characters
// of the editor font.
constexpr int kEditorMinimumColumns = 20;
constexpr int kEditorMinimumLines = 4;

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
      document_(document),
      recentFiles_(recentFiles),
      view_(new CCalcView(this)),
      help_(new CCalcHelp(this)) {
    setObjectName(QStringLiteral("CCalcMainFrame"));
    setCentralWidget(view_);
    // Bars dragged over the editor leave it 4 pixels; the window's own
    // minimum leaves it more (KeepEditorUsable).
    view_->setMinimumSize(4, 4);
    // Rows of bars, one above the other, as the docks hold them; no tabs.
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    document_->SetView(view_);
    assist_ = new EditorAssist(view_);
    setAcceptDrops(true);
    TaInitResources();

    CreateActions();
    // Undo and the clipboard keys belong to the editor: pressed in a panel
    // they would change the text out of sight. The menu still reaches them.
    for (const int id : {CommandId::Undo, CommandId::Cut, CommandId::Copy, CommandId::Paste}) {
        Action(id)->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        view_->addAction(Action(id));
    }
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateBars();
    // From here on the engine reports to the log panel.
    NCalculatorText::engineState.logReceiver = log_;
    DockBars();
    layoutRestored_ = ReadBarState(*OpenSettingsStore(), *this);
    ConnectPanels();
    assist_->LoadSettings(*OpenSettingsStore());

    connect(document_, &CCalcDoc::TitleChanged, this, &CCalcMainFrame::UpdateTitle);
    connect(document_, &CCalcDoc::ResultChanged, this, &CCalcMainFrame::UpdateResultPane);
    // A calculation changes memory and rslt, which the live result reads.
    connect(document_, &CCalcDoc::MemoryChanged, assist_->Live(), &LiveResult::Update);
    connect(assist_->Live(), &LiveResult::Changed, this,
            [this](const QString& text, const QString& tip) {
                ShowInPane(IndicatorId::LiveResult, text);
                Pane(IndicatorId::LiveResult)->setToolTip(tip);
            });
    // A menu or toolbar prompt takes the live result's place too: in a narrow
    // window the prompt area alone is a few words wide.
    connect(statusBar(), &QStatusBar::messageChanged, this, &CCalcMainFrame::ShowLivePane);
    connect(document_, &CCalcDoc::MemoryChanged, memory_, &CCalcMemory::Refresh);
    connect(document_, &CCalcDoc::MemoryChanged, this, &CCalcMainFrame::UpdateCommandStates);
    connect(document_, &CCalcDoc::PathUsed, this, [this](const QString& path) {
        recentFiles_->Add(path);
        RebuildRecentFileMenu();
    });
    connect(view_, &QPlainTextEdit::undoAvailable, this, &CCalcMainFrame::UpdateCommandStates);
    connect(view_, &QPlainTextEdit::copyAvailable, this, &CCalcMainFrame::UpdateCommandStates);
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
    delete preview_;
    // The children go after this destructor; what they signal on the way
    // must not reach the half-destroyed frame.
    for (QObject* sender : std::initializer_list<QObject*>{
             keypadBar_, logBar_, memoryBar_, statisticsBar_, toolBar_, units_, keypad_, log_,
             memory_, statistics_, view_, document_, QGuiApplication::clipboard()})
        if (sender) disconnect(sender, nullptr, this, nullptr);
    // The log goes with the frame: the engine must not report to it after.
    if (NCalculatorText::engineState.logReceiver == log_)
        NCalculatorText::engineState.logReceiver = nullptr;
}

CCalcDlgBar* CCalcMainFrame::Bar(int barId) const {
    switch (barId) {
        case BarId::Keypad:
            return keypadBar_;
        case BarId::Log:
            return logBar_;
        case BarId::Memory:
            return memoryBar_;
        case BarId::Statistics:
            return statisticsBar_;
        default:
            return nullptr;
    }
}

// ---- Commands --------------------------------------------------------------

QAction* CCalcMainFrame::MakeAction(const CommandEntry& entry) {
    const auto translated = [](const char* text) {
        return text ? QCoreApplication::translate("CCalcMainFrame", text) : QString();
    };
    const int id = entry.id;
    auto* action = new QAction(translated(entry.text), this);
    action->setData(id);
    QList<QKeySequence> keys;
    for (const QKeyCombination key : entry.keys)
        if (key != QKeyCombination()) keys.append(QKeySequence(key));
    action->setShortcuts(keys);
    // The panels' keys work wherever the focus is, floating panels included;
    // the editing keys belong to the main window.
    bool panelWide = false;
    for (const Keypad::PanelAccelerator& accelerator : Keypad::PanelAccelerators())
        panelWide = panelWide || accelerator.command == id;
    action->setShortcutContext(panelWide ? Qt::ApplicationShortcut : Qt::WindowShortcut);
    action->setIconVisibleInMenu(false);
    if (entry.prompt) action->setStatusTip(translated(entry.prompt));
    if (entry.tip) action->setToolTip(translated(entry.tip));
    action->setCheckable(entry.checkable);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    actions_.insert(id, action);
    return action;
}

void CCalcMainFrame::CreateActions() {
    using namespace CommandId;
    for (const CommandEntry& entry : CommandTable()) MakeAction(entry);
    // Commands on no menu: their keys reach them through the frame.
    for (int id :
         {Calculate, CommandId::CalculateAll, FocusEditor, FocusKeypad, FocusLog, FocusMemory,
          FocusStatistics, CommandId::Help, ContextHelp, NextPane, PrevPane, PrintDirect})
        addAction(Action(id));
}

void CCalcMainFrame::CreateMenus() {
    using namespace CommandId;
    QMenuBar* bar = menuBar();

    fileMenu_ = bar->addMenu(tr("&File"));
    fileMenu_->addAction(Action(New));
    fileMenu_->addAction(Action(Open));
    fileMenu_->addAction(Action(Save));
    fileMenu_->addAction(Action(SaveAs));
    fileMenu_->addSeparator();
    fileMenu_->addAction(Action(Execute));
    fileMenu_->addSeparator();
    fileMenu_->addAction(Action(Print));
    fileMenu_->addAction(Action(PrintPreview));
    fileMenu_->addAction(Action(PageSetup));
    fileMenu_->addSeparator();
    recentPlaceholder_ = fileMenu_->addAction(tr("Recent File"));
    recentPlaceholder_->setEnabled(false);
    for (int id : kRecentIds) fileMenu_->addAction(Action(id));
    recentSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addAction(Action(Exit));

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
    view->addSeparator();
    view->addAction(Action(ViewLiveResult));
    view->addAction(Action(ViewHighlighting));
    QMenu* digits = view->addMenu(tr("Result &digits"));
    digits->addAction(Action(ResultDigitsExact));
    digits->addAction(Action(ResultDigitsShortest));
    digits->addSeparator();
    for (int n : {3, 6, 10, 15}) digits->addAction(Action(ResultDigitsSignificant + n));
    digits->addSeparator();
    for (int n : {0, 2, 4}) digits->addAction(Action(ResultDigitsDecimals + n));
    digits->addSeparator();
    digits->addAction(Action(ResultDigitsOther));
    // One choice at a time: the items show as radio marks.
    auto* digitsGroup = new QActionGroup(this);
    for (QAction* action : digits->actions())
        if (!action->isSeparator()) digitsGroup->addAction(action);

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
    for (int id : {KeypadFontSelect, KeypadFontSystem, KeypadFontDefault})
        font->addAction(Action(id));
    QMenu* text = keypad->addMenu(tr("&Text Color"));
    for (int id : {KeypadTextFunction, KeypadTextDigit, KeypadTextService})
        text->addAction(Action(id));
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
    help->addAction(Action(HelpIndex));
    help->addSeparator();
    help->addAction(Action(About));

    for (QMenu* menu : {fileMenu_, memory, edit, view, digits, set, notation, keypad, style, font,
                        text, color, editorFont, help})
        connect(menu, &QMenu::aboutToShow, this, &CCalcMainFrame::UpdateCommandStates);
}

void CCalcMainFrame::CreateToolBar() {
    using namespace CommandId;
    toolBar_ = new CCalcToolBar(this);
    // Images of bitmap 128 by their index, in the order of the entries.
    const QList<std::pair<int, int>> images{{New, 0},
                                            {Open, 1},
                                            {Save, 2},
                                            {Execute, 3},
                                            {MemoryLoad, 4},
                                            {MemorySave, 5},
                                            {Print, 6},
                                            {Cut, 7},
                                            {Copy, 8},
                                            {Paste, 9},
                                            {ViewLog, 10},
                                            {ViewKeypad, 11},
                                            {ViewMemory, 12},
                                            {CommandId::Preferences, 13},
                                            {TrigonometricUnits, 14},
                                            {CommandId::CalculateAll, 15},
                                            {ContextHelp, 16}};
    for (const auto& [id, index] : images)
        if (QAction* action = Action(id)) action->setIcon(TaToolbarIcon(index));

    // 0 stands for a separator.
    const QList<int> entries{New,
                             Open,
                             Save,
                             0,
                             Execute,
                             0,
                             MemoryLoad,
                             MemorySave,
                             0,
                             Print,
                             0,
                             Cut,
                             Copy,
                             Paste,
                             0,
                             ViewLog,
                             ViewKeypad,
                             ViewMemory,
                             0,
                             CommandId::Preferences,
                             TrigonometricUnits,
                             CommandId::CalculateAll,
                             0,
                             ContextHelp};
    toolBar_->Populate(
        entries, [this](int id) { return Action(id); }, Action(TrigonometricUnits));
    toolBar_->UnitsCombo()->setToolTip(Action(TrigonometricUnits)->toolTip());
    toolBar_->UnitsCombo()->setStatusTip(Action(TrigonometricUnits)->statusTip());
    toolBar_->ShowUnit(::Preferences.TrigonometricUnits);
    connect(toolBar_, &QToolBar::visibilityChanged, this, &CCalcMainFrame::UpdateCommandStates);
    // The list's prompt has done its work once a unit is chosen.
    connect(toolBar_, &CCalcToolBar::UnitChosen, this, [this] {
        statusBar()->clearMessage();
        ShowUnit();
    });
    connect(toolBar_, &CCalcToolBar::TurnedHorizontal, this, [this] {
        if (units_) units_->hide();
    });
}

void CCalcMainFrame::CreateBars() {
    keypad_ = new CCalcKeyPad(nullptr, [](const QString& text, unsigned type, unsigned help) {
        return AppMessageBox(text, type, help);
    });
    log_ = new CCalcLog;
    memory_ = new CCalcMemory;
    statistics_ = new CCalcStatistics;

    using namespace BarStyle;
    const unsigned common = ToolTips | FlyBy;
    const auto make = [this](const QString& caption, QWidget* dialog, int id, unsigned style) {
        auto* bar = new CCalcDlgBar(this);
        bar->Create(caption, this, dialog, id, style);
        return bar;
    };
    keypadBar_ =
        make(tr("Keypad"), keypad_, BarId::Keypad, common | AlignTop | AlignBottom | SizeFixed);
    logBar_ = make(tr("Log"), log_, BarId::Log, common | AlignAny | SizeDynamic);
    memoryBar_ = make(tr("Memory"), memory_, BarId::Memory, common | AlignAny | SizeDynamic);
    statisticsBar_ =
        make(tr("Statistics"), statistics_, BarId::Statistics, common | AlignAny | SizeFixed);
}

void CCalcMainFrame::DockBars() {
    addToolBar(Qt::TopToolBarArea, toolBar_);
    // The log's row above the keypad's, both at the bottom.
    addDockWidget(Qt::BottomDockWidgetArea, logBar_);
    addDockWidget(Qt::BottomDockWidgetArea, keypadBar_);
    splitDockWidget(logBar_, keypadBar_, Qt::Vertical);
    addDockWidget(Qt::RightDockWidgetArea, memoryBar_);
    addDockWidget(Qt::TopDockWidgetArea, statisticsBar_);
    // Hidden before it floats: a floating bar that is not hidden is shown at
    // once, and its own window would be made before the main one is drawn.
    statisticsBar_->hide();
    statisticsBar_->setFloating(true);
    statisticsBar_->move(27, 27);
}

void CCalcMainFrame::ConnectPanels() {
    memory_->SetStatisticsPanel(statistics_);
    // Memory Save and Free follow the store, whoever changed it.
    connect(memory_, &CCalcMemory::StoreChanged, this, &CCalcMainFrame::UpdateCommandStates);
    // A memory reference goes to the caret, and typing goes on there.
    connect(memory_, &CCalcMemory::InsertRequested, this, [this](const QString& text) {
        document_->InsertText(text);
        FocusView();
    });
    connect(keypad_, &CCalcKeyPad::layoutChanged, keypadBar_, &CCalcDlgBar::OnNewDialogSize);
    connect(keypad_, &CCalcKeyPad::panelCommand, this, &CCalcMainFrame::OnCommand);
    connect(keypad_, &CCalcKeyPad::helpRequested, this,
            [](uint32_t context) { ShowHelpPage(HelpTopic::ForKeypadContext(context)); });
    // A new message with LogPopup on shows the log; the focus stays put.
    connect(log_, &CCalcLog::PopupRequested, this, [this] {
        if (!logBar_->isVisibleTo(this)) {
            logBar_->ShowWithoutFocus();
            UpdateCommandStates();
        }
    });
    // A double-click on a row shows where it came from.
    connect(log_, &CCalcLog::RowActivated, document_, &CCalcDoc::SelectDiagnosticSource);
    connect(statistics_, &CCalcStatistics::ShowRequested, this, [this] {
        if (!statisticsBar_->isVisibleTo(this)) {
            statisticsBar_->ShowWithoutFocus();
            UpdateCommandStates();
        }
    });
    for (CCalcDlgBar* bar : {keypadBar_, logBar_, memoryBar_, statisticsBar_})
        connect(bar, &QDockWidget::visibilityChanged, this, &CCalcMainFrame::UpdateCommandStates);
}

QLabel* CCalcMainFrame::AddPane(int indicatorId, const QString& indicatorText,
                                const QString& name) {
    auto* pane = new QLabel(indicatorText, this);
    pane->setObjectName(QStringLiteral("Pane%1").arg(indicatorId));
    pane->setAccessibleName(name);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    // As wide as its indicator text.
    const int margins = pane->contentsMargins().left() + pane->contentsMargins().right() +
                        2 * pane->frameWidth() + 8;
    pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(indicatorText) + margins);
    statusBar()->addPermanentWidget(pane);
    panes_.insert(indicatorId, pane);
    return pane;
}

void CCalcMainFrame::CreateStatusBar() {
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    // Left of the specified panes, as wide as the widest result.
    AddPane(IndicatorId::LiveResult, QStringLiteral("= -8.8888888888888888888E+888"),
            tr("Live result"))
        ->setText(QString());
    AddPane(IndicatorId::Result, QStringLiteral("RESULT=-8.8888888888888888888E+888"),
            tr("Last result"));
    AddPane(IndicatorId::Units, QStringLiteral("Grad"), tr("Angle unit"));
    AddPane(IndicatorId::Sse2, tr("SSE2"), tr("Processor module"));
    AddPane(IndicatorId::Caps, tr("CAP"), tr("Caps Lock"));
    AddPane(IndicatorId::Num, tr("NUM"), tr("Num Lock"));
}

void CCalcMainFrame::ShowLivePane() {
    QLabel* live = Pane(IndicatorId::LiveResult);
    if (live == nullptr || !assist_) return;
    live->setVisible(assist_->LiveResultShown() && statusBar()->currentMessage().isEmpty());
}

void CCalcMainFrame::ShowInPane(int indicatorId, const QString& text) {
    QLabel* pane = Pane(indicatorId);
    pane->setText(text);
    // A named label no longer reads its text as its name.
    pane->setAccessibleDescription(text);
}

bool CCalcMainFrame::HeldByPreview(int commandId) {
    using namespace CommandId;
    switch (commandId) {
        case New:
        case Open:
        case Execute:
        case RecentFile1:
        case RecentFile2:
        case RecentFile3:
        case RecentFile4:
        case MemoryFree:
        case MemoryLoad:
        case MemorySave:
        case Calculate:
        case CommandId::CalculateAll:
        case Undo:
        case Cut:
        case Copy:
        case Paste:
        case PrintPreview:
        case FocusEditor:
            return true;
        default:
            return false;
    }
}

void CCalcMainFrame::OnCommand(int commandId) {
    using namespace CommandId;
    if (preview_ && HeldByPreview(commandId)) return;
    switch (commandId) {
        case New:
            document_->OnNewDocument();
            break;
        case Open:
            document_->OnFileOpen();
            break;
        case Save:
            document_->OnFileSave();
            break;
        case SaveAs:
            document_->OnFileSaveAs();
            break;
        case Execute:
            document_->OnFileExecute();
            break;
        case Print:
            PrintDocument(true);
            break;
        case PrintDirect:
            PrintDocument(false);
            break;
        case PrintPreview:
            ShowPrintPreview();
            break;
        case PageSetup:
            CCalcPageSetup::Run(this, ApplicationPrintSettings(), ApplicationPrinterSelection());
            // The pages on show follow the new margins, fonts and paper.
            if (preview_) preview_->Relayout();
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
            document_->OnMemoryFree();
            break;
        case MemoryLoad:
            document_->OnMemoryLoad();
            break;
        case MemorySave:
            document_->OnMemorySave();
            break;
        case Calculate:
            document_->ExecuteCommand(CalculateCell);
            break;
        case CommandId::CalculateAll:
            document_->ExecuteCommand(CalcCommand::CalculateAll);
            break;
        case Undo:
            view_->undo();
            break;
        case Cut:
            view_->cut();
            break;
        case Copy:
            view_->copy();
            break;
        case Paste:
            view_->paste();
            break;
        case ViewToolbar:
            toolBar_->setVisible(!toolBar_->isVisible());
            break;
        case ViewStatusBar:
            statusBar()->setVisible(!statusBar()->isVisible());
            break;
        case ViewLiveResult:
            assist_->SetLiveResult(!assist_->LiveResultShown());
            break;
        case ViewHighlighting:
            assist_->SetHighlighting(!assist_->Highlighting());
            break;
        case ViewKeypad:
            ToggleBar(keypadBar_);
            break;
        case ViewLog:
            ToggleBar(logBar_);
            break;
        case ViewMemory:
            ToggleBar(memoryBar_);
            break;
        case ViewStatistics:
            ToggleBar(statisticsBar_);
            break;
        case FocusEditor:
            FocusView();
            break;
        case FocusKeypad:
            FocusPanel(keypadBar_);
            break;
        case FocusLog:
            FocusPanel(logBar_);
            break;
        case FocusMemory:
            FocusPanel(memoryBar_);
            break;
        case FocusStatistics:
            FocusPanel(statisticsBar_);
            break;
        case TrigonometricUnits:
            UnitsWindow()->setVisible(!UnitsWindow()->isVisible());
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
        case HelpIndex:
        case DefaultHelp:
            ShowHelpPage(QString::fromLatin1(HelpTopic::StartPage));
            break;
        case CommandId::Help:
            CCalcHelp::ShowTopicOf(QApplication::focusWidget());
            break;
        case ContextHelp:
            help_->EnterContextMode();
            break;
        case NextPane:
            CyclePane(1);
            break;
        case PrevPane:
            CyclePane(-1);
            break;
        case About: {
            CCalcAboutDialog about(ApplicationFonts(), this);
            about.DoModal();
            break;
        }
        case EditorFontSelect:
            view_->SelectFont();
            break;
        case EditorFontDefault:
            view_->SetDefaultFont();
            break;
        case ResultDigitsExact:
            SetResultDigits({});
            break;
        case ResultDigitsShortest:
            SetResultDigits({NCalculatorText::ResultDigits::Shortest, 0});
            break;
        case ResultDigitsOther:
            OnCommand(CommandId::Preferences);
            return;
        default:
            if (commandId > ResultDigitsSignificant && commandId <= ResultDigitsSignificant + 17)
                SetResultDigits({NCalculatorText::ResultDigits::Significant,
                                 commandId - ResultDigitsSignificant});
            if (commandId >= ResultDigitsDecimals && commandId <= ResultDigitsDecimals + 15)
                SetResultDigits(
                    {NCalculatorText::ResultDigits::Decimals, commandId - ResultDigitsDecimals});
            if (commandId >= KeypadStyleXP && commandId <= KeypadColorDefault)
                keypad_->OnCommand(commandId);
            break;
    }
    UpdateCommandStates();
}

CCalcPrintJob::Outcome CCalcMainFrame::PrintDocument(bool withDialog, const NamedPrinter* named,
                                                     const QString& fallbackPdf,
                                                     QString* writtenFile) {
    CCalcPrintJob job(*view_, document_->GetTitle(), document_->GetPathName(), this);
    if (named) job.SetNamedPrinter(*named);
    job.SetFallbackPdf(fallbackPdf);
    const CCalcPrintJob::Outcome outcome = job.Run(withDialog);
    if (!job.WrittenFile().isEmpty())
        statusBar()->showMessage(CCalcPrintJob::WrittenMessage(job.WrittenFile()));
    if (writtenFile) *writtenFile = job.WrittenFile();
    return outcome;
}

void CCalcMainFrame::ShowPrintPreview() {
    if (preview_) return;
    preview_ = new CCalcPrintPreview(view_, document_->GetPathName(), this);
    // Beside the prompts, not one of them: menus and tips leave it standing.
    previewStatus_ = new QLabel(preview_->StatusText(), this);
    previewStatus_->setObjectName(QStringLiteral("PreviewStatus"));
    statusBar()->addWidget(previewStatus_, 1);
    connect(preview_, &CCalcPrintPreview::StatusChanged, previewStatus_, &QLabel::setText);
    connect(preview_, &CCalcPrintPreview::CloseRequested, this, &CCalcMainFrame::ClosePrintPreview,
            Qt::QueuedConnection);
    connect(
        preview_, &CCalcPrintPreview::PrintRequested, this,
        [this] {
            ClosePrintPreview();
            OnCommand(CommandId::Print);
        },
        Qt::QueuedConnection);
    // The pages lie over the editor, which keeps its place in the window:
    // the bars and the window's size never move for the preview. The
    // editor, out of sight, takes neither keys nor the focus.
    view_->setEnabled(false);
    preview_->setGeometry(view_->geometry());
    preview_->show();
    preview_->raise();
    statusBar()->clearMessage();
    // The panels change nothing under the preview.
    for (QWidget* panel : {static_cast<QWidget*>(keypad_), static_cast<QWidget*>(log_),
                           static_cast<QWidget*>(memory_), static_cast<QWidget*>(statistics_)})
        panel->setEnabled(false);
    preview_->setFocus();
    UpdateCommandStates();
}

void CCalcMainFrame::ClosePrintPreview() {
    if (!preview_) return;
    preview_->SavePages();
    preview_->hide();
    preview_->deleteLater();
    preview_ = nullptr;
    statusBar()->removeWidget(previewStatus_);
    previewStatus_->deleteLater();
    previewStatus_ = nullptr;
    view_->setEnabled(true);
    for (QWidget* panel : {static_cast<QWidget*>(keypad_), static_cast<QWidget*>(log_),
                           static_cast<QWidget*>(memory_), static_cast<QWidget*>(statistics_)})
        panel->setEnabled(true);
    FocusView();
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

// The editor, then each visible panel in the frame's order, round again.
void CCalcMainFrame::CyclePane(int step) {
    QList<QWidget*> panes{view_};
    for (CCalcDlgBar* bar : {keypadBar_, logBar_, memoryBar_, statisticsBar_})
        if (bar->isVisibleTo(this)) panes.append(bar);
    const QWidget* focus = QApplication::focusWidget();
    qsizetype current = 0;  // from elsewhere (the toolbar) the editor counts as current
    for (qsizetype i = 0; i < panes.size(); ++i)
        if (focus && (panes[i] == focus || panes[i]->isAncestorOf(focus))) current = i;
    const qsizetype count = panes.size();
    const qsizetype next = ((current + step) % count + count) % count;
    if (next == 0)
        FocusView();
    else
        FocusPanel(static_cast<CCalcDlgBar*>(panes[next]));
}

void CCalcMainFrame::FocusView() {
    activateWindow();
    view_->setFocus(Qt::ShortcutFocusReason);
}

void CCalcMainFrame::SetNotation(int notation) {
    Preferences.Notation = static_cast<uint32_t>(notation);
    PreferencesChanged = true;
    if (keypad_->NotationIndex() != notation) keypad_->ApplyNotation(notation);
}

void CCalcMainFrame::SetResultDigits(NCalculatorText::ResultDigits digits) {
    Preferences.ResultDigits = NCalculatorText::ResultDigitsCode(digits);
    PreferencesChanged = true;
    RefreshFromPreferences();
}

void CCalcMainFrame::UpdateCommandStates() {
    using namespace CommandId;
    const bool hasMemory = NCalculatorText::MemoryStore::Instance().Count() > 0;
    Action(MemoryFree)->setEnabled(hasMemory);
    Action(MemorySave)->setEnabled(hasMemory);

    const bool hasSelection = view_->textCursor().hasSelection();
    Action(Undo)->setEnabled(view_->document()->isUndoAvailable());
    Action(Cut)->setEnabled(hasSelection && !view_->isReadOnly());
    Action(Copy)->setEnabled(hasSelection);
    Action(Paste)->setEnabled(view_->canPaste());

    // isVisibleTo: the state the bar will have once the window shows.
    Action(ViewToolbar)->setChecked(toolBar_->isVisibleTo(this));
    Action(ViewStatusBar)->setChecked(statusBar()->isVisibleTo(this));
    Action(EditorFontDefault)->setChecked(view_->IsDefaultFont());
    // One item of Result digits is checked; Other when the menu lacks the choice.
    const int digitsId = ResultDigitsCommand(NCalculatorText::CurrentResultDigits());
    bool digitsListed = false;
    for (QAction* action : actions_) {
        const int id = action->data().toInt();
        if (id < ResultDigitsExact || id >= ResultDigitsOther) continue;
        action->setChecked(id == digitsId);
        digitsListed = digitsListed || id == digitsId;
    }
    Action(ResultDigitsOther)->setChecked(!digitsListed);

    // The preview owns the window while it shows (Undo, the clipboard and
    // Memory Free/Save were just set from the editor and the store).
    for (const int id : {New, Open, Execute, RecentFile1, RecentFile2, RecentFile3, RecentFile4,
                         MemoryLoad, Calculate, CommandId::CalculateAll, PrintPreview, FocusEditor})
        Action(id)->setEnabled(!preview_);
    if (preview_)
        for (const int id : {MemoryFree, MemorySave, Undo, Cut, Copy, Paste})
            Action(id)->setEnabled(false);

    if (assist_) {
        Action(ViewLiveResult)->setChecked(assist_->LiveResultShown());
        Action(ViewHighlighting)->setChecked(assist_->Highlighting());
        ShowLivePane();
    }

    // The bars and panels exist once the frame is built.
    if (!statisticsBar_) return;
    Action(ViewKeypad)->setChecked(keypadBar_->isVisibleTo(this));
    Action(ViewLog)->setChecked(logBar_->isVisibleTo(this));
    Action(ViewMemory)->setChecked(memoryBar_->isVisibleTo(this));
    Action(ViewStatistics)->setChecked(statisticsBar_->isVisibleTo(this));
    Action(TrigonometricUnits)->setChecked(units_ && units_->isVisible());
    Action(NotationWest)->setChecked(::Preferences.Notation == 0);
    Action(NotationEast)->setChecked(::Preferences.Notation == 1);
    for (int id = KeypadStyleXP; id <= KeypadColorDefault; ++id) {
        const CCalcKeyPad::CommandState state = keypad_->StateOf(id);
        QAction* action = Action(id);
        action->setEnabled(state.enabled);
        if (action->isCheckable()) action->setChecked(state.checked);
    }
}

// ---- Title and panes --------------------------------------------------------

void CCalcMainFrame::UpdateTitle() {
    setWindowTitle(BuildFrameTitle(DocTemplate::WindowTitle(), document_->GetTitle(),
                                   document_->IsModified()));
}

void CCalcMainFrame::UpdateResultPane() {
    ShowInPane(IndicatorId::Result, ResultPaneText(NCalculatorText::lastResult));
    Pane(IndicatorId::Result)->repaint();
}

void CCalcMainFrame::UpdateUnitsPane() {
    ShowInPane(IndicatorId::Units, TrigonometricUnitPaneText(Preferences.TrigonometricUnits));
}

void CCalcMainFrame::UpdateSse2Pane() {
    const bool inUse = SSE2Available && Preferences.UseSSE2 != 0;
    ShowInPane(IndicatorId::Sse2, inUse ? tr("SSE2") : QString());
}

void CCalcMainFrame::UpdateLockPanes() {
    bool caps = false;
    bool num = false;
    QueryLockKeys(caps, num);
    ShowInPane(IndicatorId::Caps, caps ? tr("CAP") : QString());
    ShowInPane(IndicatorId::Num, num ? tr("NUM") : QString());
}

void CCalcMainFrame::ShowUnit() {
    // Angles in another unit give another result.
    if (assist_) assist_->Live()->Update();
    UpdateUnitsPane();
    Pane(IndicatorId::Units)->repaint();
    if (toolBar_) toolBar_->ShowUnit(Preferences.TrigonometricUnits);
    if (units_) units_->ShowUnit(Preferences.TrigonometricUnits);
}

void CCalcMainFrame::RefreshFromPreferences() {
    UpdateResultPane();
    // Values already on show follow a new choice of result digits.
    if (memory_) memory_->ShowValues();
    if (statistics_) statistics_->ShowValues();
    ShowUnit();
    if (keypad_ && keypad_->NotationIndex() != static_cast<int>(Preferences.Notation))
        keypad_->ApplyNotation(static_cast<int>(Preferences.Notation));
    // The ^ key's spoken name follows AppendPower.
    if (keypad_) keypad_->RefreshAccessibleNames();
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
            if (watched == static_cast<QObject*>(windowHandle()) || watched == view_ ||
                watched == focusWidget())
                UpdateLockPanes();
            break;
        case QEvent::ApplicationActivate:
            UpdateLockPanes();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            // The preview covers the editor wherever the layout puts it.
            if (preview_ && watched == view_) preview_->setGeometry(view_->geometry());
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
    placementRestored_ = true;
    return placement.maximized;
}

void CCalcMainFrame::SavePlacement(QSettings& settings) const {
    WriteFramePlacement(settings, *this);
}

void CCalcMainFrame::SaveState(QSettings& settings) const {
    // A window that was never placed or shown has nothing worth keeping.
    if (placementRestored_) SavePlacement(settings);
    if (shown_) WriteBarState(settings, *this);
    view_->SaveFont(settings);
    assist_->SaveSettings(settings);
    settings.sync();
}

void CCalcMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // From now on the bars have sizes worth keeping.
    shown_ = true;
}

void CCalcMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || floatingRaised_) return;
    floatingRaised_ = true;
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
    if (!document_->SaveModified()) {
        event->ignore();
        return;
    }
    ClosePrintPreview();
    std::unique_ptr<QSettings> settings = OpenSettingsStore();
    SaveState(*settings);
    event->accept();
}

// ---- Recent files and dropped files ------------------------------------------

void CCalcMainFrame::RebuildRecentFileMenu() {
    const int count = recentFiles_->Count();
    for (int i = 0; i < CRecentFileList::kSize; ++i) {
        QAction* action = Action(kRecentIds[i]);
        action->setVisible(i < count);
        if (i < count) action->setText(recentFiles_->MenuText(i));
    }
    recentPlaceholder_->setVisible(count == 0);
}

void CCalcMainFrame::OpenRecentFile(int index) {
    if (index < 0 || index >= recentFiles_->Count()) return;
    const QString path = recentFiles_->At(index);
    if (document_->OpenDocumentFile(path) == CCalcDoc::OpenResult::Failed) {
        recentFiles_->Remove(index);
        RebuildRecentFileMenu();
    }
}

void CCalcMainFrame::OpenDroppedFiles(const QStringList& paths) {
    for (const QString& path : paths) document_->OpenDocumentFile(path);
    UpdateCommandStates();
}

void CCalcMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    // A file opened under the preview would change the document unseen.
    if (preview_) {
        event->ignore();
        return;
    }
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            // Opened, never moved: the file stays where it was.
            event->setDropAction(Qt::CopyAction);
            event->accept();
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
    event->setDropAction(Qt::CopyAction);
    event->accept();
    activateWindow();
    OpenDroppedFiles(paths);
}

bool CCalcMainFrame::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::LayoutRequest) KeepEditorUsable();
    return handled;
}

void CCalcMainFrame::KeepEditorUsable() {
    // The layout's minimum holds the whole keypad and every bar at its
    // minimum around a 4-pixel editor. The editor shares its row with the
    // docked side bars and its column with the bars above and below it, so
    // the window asks for what a usable editor needs beyond that.
    int left = 0;
    int right = 0;
    for (QDockWidget* bar : findChildren<QDockWidget*>()) {
        if (bar->isFloating() || !bar->isVisibleTo(this) || bar->parentWidget() != this) continue;
        const Qt::DockWidgetArea area = dockWidgetArea(bar);
        if (area == Qt::LeftDockWidgetArea) left = std::max(left, bar->minimumSizeHint().width());
        if (area == Qt::RightDockWidgetArea)
            right = std::max(right, bar->minimumSizeHint().width());
    }
    const QSize layoutMinimum = layout()->minimumSize();
    const int separators = 16;
    const QSize editor = UsableEditorSize();
    const QSize wanted(
        std::max(layoutMinimum.width(), editor.width() + left + right + separators),
        layoutMinimum.height() + std::max(0, editor.height() - view_->minimumHeight()));
    if (minimumSize() != wanted) setMinimumSize(wanted);
}

CCalcTrigonometricUnits* CCalcMainFrame::UnitsWindow() {
    // Made when first asked for: a hidden window need not hold up the start.
    if (units_) return units_;
    units_ = new CCalcTrigonometricUnits(this);
    units_->hide();
    connect(units_, &CCalcTrigonometricUnits::UnitChosen, this, [this] {
        statusBar()->clearMessage();
        ShowUnit();
    });
    connect(units_, &CCalcTrigonometricUnits::VisibilityChanged, this,
            &CCalcMainFrame::UpdateCommandStates);
    return units_;
}

QSize CCalcMainFrame::UsableEditorSize() const {
    const QFontMetrics metrics(view_->font());
    const int margin = qCeil(view_->document()->documentMargin());
    const int frame = 2 * view_->frameWidth();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view_);
    return QSize(kEditorMinimumColumns * metrics.horizontalAdvance(QLatin1Char('8')) + 2 * margin +
                     frame + scrollBar + 4,
                 kEditorMinimumLines * metrics.lineSpacing() + 2 * margin + frame);
}
