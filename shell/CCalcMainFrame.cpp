#include "CCalcMainFrame.h"

#include <QAction>
#include <QApplication>
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
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include "CCalcDoc.h"
#include "CCalcView.h"
#include "CommandIds.h"
#include "FrameText.h"
#include "LockKeys.h"
#include "MemoryStore.h"
#include "Preferences.h"
#include "RecentFileList.h"
#include "SettingsStore.h"
#include "StringIds.h"

namespace {

FrameRect ToFrameRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

QRect ToQRect(const FrameRect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

const int kRecentIds[] = {CommandId::RecentFile1, CommandId::RecentFile2, CommandId::RecentFile3,
                          CommandId::RecentFile4};

}  // namespace

std::vector<FrameRect> ScreenWorkAreas() {
    std::vector<FrameRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(ToFrameRect(screen->availableGeometry()));
    return areas;
}

std::optional<FrameRect> PrimaryWorkArea() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return ToFrameRect(screen->availableGeometry());
    return std::nullopt;
}

CCalcMainFrame::CCalcMainFrame(CCalcDoc* document, CRecentFileList* recentFiles, QWidget* parent)
    : QMainWindow(parent),
      m_document(document),
      m_recentFiles(recentFiles),
      m_view(new CCalcView(this)) {
    setObjectName(QStringLiteral("CCalcMainFrame"));
    setCentralWidget(m_view);
    m_document->SetView(m_view);
    setAcceptDrops(true);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    connect(m_document, &CCalcDoc::TitleChanged, this, &CCalcMainFrame::UpdateTitle);
    connect(m_document, &CCalcDoc::ResultChanged, this, &CCalcMainFrame::UpdateResultPane);
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

// ---- Commands --------------------------------------------------------------

QAction* CCalcMainFrame::MakeAction(int id, const QString& text, const QList<QKeySequence>& keys,
                                    const QString& prompt) {
    auto* action = new QAction(text, this);
    action->setData(id);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    if (!prompt.isEmpty()) action->setStatusTip(prompt);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    m_actions.insert(id, action);
    return action;
}

void CCalcMainFrame::CreateActions() {
    using namespace CommandId;
    MakeAction(New, tr("&New"), {QKeySequence(Qt::CTRL | Qt::Key_N)},
               tr("Start a new calculation"));
    MakeAction(Open, tr("&Open..."), {QKeySequence(Qt::CTRL | Qt::Key_O)},
               tr("Open a calculation file"));
    MakeAction(Save, tr("&Save"), {QKeySequence(Qt::CTRL | Qt::Key_S)}, tr("Save the calculation"));
    MakeAction(SaveAs, tr("Save &As..."), {}, tr("Save the calculation under a new name"));
    MakeAction(Execute, tr("&Execute..."), {QKeySequence(Qt::CTRL | Qt::Key_E)},
               tr("Calculate a file against the memory"));
    MakeAction(Exit, tr("E&xit"), {}, tr("Quit the calculator"));
    for (int i = 0; i < CRecentFileList::kSize; ++i)
        MakeAction(kRecentIds[i], QString(), {}, tr("Open this calculation"));

    MakeAction(MemoryFree, tr("&Free"), {}, tr("Erase all memory cells"));
    MakeAction(MemoryLoad, tr("&Load..."), {}, tr("Load memory cells from a file"));
    MakeAction(MemorySave, tr("&Save..."), {}, tr("Save the memory cells to a file"));

    // Calculate and Calculate all come from keys only. Ctrl++ is never bound:
    // under X11 the shifted "=" key matches it too and the two would cancel.
    MakeAction(Calculate, tr("Calculate"), {QKeySequence(Qt::CTRL | Qt::Key_Equal)},
               tr("Calculate the current cell"));
    MakeAction(CommandId::CalculateAll, tr("Calculate all"),
               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal)}, tr("Calculate all cells"));
    addAction(m_actions.value(Calculate));
    addAction(m_actions.value(CommandId::CalculateAll));

    MakeAction(Undo, tr("&Undo"),
               {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)},
               tr("Undo the last edit"));
    MakeAction(Cut, tr("Cu&t"),
               {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
               tr("Cut the selection to the clipboard"));
    MakeAction(Copy, tr("&Copy"),
               {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)},
               tr("Copy the selection to the clipboard"));
    MakeAction(Paste, tr("&Paste"),
               {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
               tr("Insert the clipboard text"));

    MakeAction(ViewToolbar, tr("&Toolbar"), {}, tr("Show or hide the toolbar"))->setCheckable(true);
    MakeAction(ViewStatusBar, tr("&Status Bar"), {}, tr("Show or hide the status bar"))
        ->setCheckable(true);

    MakeAction(EditorFontSelect, tr("&Select..."), {}, tr("Choose the editor font"));
    MakeAction(EditorFontDefault, tr("&Default"), {}, tr("Use the default editor font"))
        ->setCheckable(true);
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
    view->addAction(Action(ViewToolbar));
    view->addAction(Action(ViewStatusBar));

    QMenu* set = bar->addMenu(tr("&Set"));
    QMenu* editorFont = set->addMenu(tr("&Editor Font"));
    editorFont->addAction(Action(EditorFontSelect));
    editorFont->addAction(Action(EditorFontDefault));

    for (QMenu* menu : {m_fileMenu, memory, edit, view, set, editorFont})
        connect(menu, &QMenu::aboutToShow, this, &CCalcMainFrame::UpdateCommandStates);
}

void CCalcMainFrame::CreateToolBar() {
    using namespace CommandId;
    m_toolBar = new QToolBar(DocTemplate::WindowTitle(), this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setIconSize(QSize(24, 24));
    // Toolbar images by their index in the toolbar artwork when it is built
    // in, else the style's own pictures.
    QStyle* s = style();
    const auto image = [s](int index, QStyle::StandardPixmap fallback) {
        const QString path =
            QStringLiteral(":/images/toolbar/%1.svg").arg(index, 2, 10, QLatin1Char('0'));
        if (QFile::exists(path)) return QIcon(path);
        return fallback != QStyle::SP_CustomBase ? s->standardIcon(fallback) : QIcon();
    };
    Action(New)->setIcon(image(0, QStyle::SP_FileIcon));
    Action(Open)->setIcon(image(1, QStyle::SP_DialogOpenButton));
    Action(Save)->setIcon(image(2, QStyle::SP_DialogSaveButton));
    Action(Execute)->setIcon(image(3, QStyle::SP_MediaPlay));
    Action(MemoryLoad)->setIcon(image(4, QStyle::SP_ArrowDown));
    Action(MemorySave)->setIcon(image(5, QStyle::SP_ArrowUp));
    Action(Cut)->setIcon(image(7, QStyle::SP_CustomBase));
    Action(Copy)->setIcon(image(8, QStyle::SP_CustomBase));
    Action(Paste)->setIcon(image(9, QStyle::SP_CustomBase));
    Action(CommandId::CalculateAll)->setIcon(image(15, QStyle::SP_CustomBase));
    Action(CommandId::CalculateAll)->setIconText(QStringLiteral("="));

    for (int id : {New, Open, Save}) m_toolBar->addAction(Action(id));
    m_toolBar->addSeparator();
    m_toolBar->addAction(Action(Execute));
    m_toolBar->addSeparator();
    m_toolBar->addAction(Action(MemoryLoad));
    m_toolBar->addAction(Action(MemorySave));
    m_toolBar->addSeparator();
    for (int id : {Cut, Copy, Paste}) m_toolBar->addAction(Action(id));
    m_toolBar->addSeparator();
    m_toolBar->addAction(Action(CommandId::CalculateAll));
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    connect(m_toolBar, &QToolBar::visibilityChanged, this, &CCalcMainFrame::UpdateCommandStates);
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
        case EditorFontSelect:
            m_view->SelectFont();
            break;
        case EditorFontDefault:
            m_view->SetDefaultFont();
            break;
        default:
            break;
    }
    UpdateCommandStates();
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
    Pane(IndicatorId::Units)->setText(UnitsPaneText(Preferences.TrigonometricUnits));
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

void CCalcMainFrame::RefreshFromPreferences() {
    UpdateResultPane();
    UpdateUnitsPane();
    UpdateSse2Pane();
}

bool CCalcMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
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
    settings.beginGroup(SettingsSection::Frame);
    const bool maximized = ReadProfileInt(settings, QStringLiteral("Maximized"), 1) != 0;
    const FrameRect fallback = DefaultFrameRect(PrimaryWorkArea());
    FrameRect rect;
    rect.left = ReadProfileInt(settings, QStringLiteral("Left"), fallback.left);
    rect.top = ReadProfileInt(settings, QStringLiteral("Top"), fallback.top);
    rect.right = ReadProfileInt(settings, QStringLiteral("Right"), fallback.right);
    rect.bottom = ReadProfileInt(settings, QStringLiteral("Bottom"), fallback.bottom);
    settings.endGroup();

    const std::vector<FrameRect> areas = ScreenWorkAreas();
    if (!areas.empty()) {
        const int captionHeight = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
        rect = PullBackIntoWorkArea(rect, NearestWorkArea(rect, areas), captionHeight);
    }
    if (rect.Width() > 0 && rect.Height() > 0) setGeometry(ToQRect(rect));
    m_placementRestored = true;
    return maximized;
}

void CCalcMainFrame::SavePlacement(QSettings& settings) const {
    const QRect normal =
        (isMaximized() || isMinimized() || isFullScreen()) && normalGeometry().isValid()
            ? normalGeometry()
            : geometry();
    const FrameRect rect = ToFrameRect(normal);
    settings.beginGroup(SettingsSection::Frame);
    settings.setValue(QStringLiteral("Maximized"), isMaximized() ? 1 : 0);
    settings.setValue(QStringLiteral("Left"), rect.left);
    settings.setValue(QStringLiteral("Right"), rect.right);
    settings.setValue(QStringLiteral("Top"), rect.top);
    settings.setValue(QStringLiteral("Bottom"), rect.bottom);
    settings.endGroup();
}

void CCalcMainFrame::SaveState(QSettings& settings) const {
    // A window that was never placed has nothing worth keeping.
    if (m_placementRestored) SavePlacement(settings);
    m_view->SaveFont(settings);
    settings.sync();
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
