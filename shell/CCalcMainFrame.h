// The main window: the editor, menus and keys, toolbar, status panes, the
// four panel bars and the units window, title and placement.
#pragma once

#include <QHash>
#include <QMainWindow>

#include "shell/Placement.h"

class CCalcBar;
class CCalcDlgBar;
class CCalcDoc;
class CCalcKeyPad;
class CCalcLog;
class CCalcMemory;
class CCalcStatistics;
class CCalcToolBar;
class CCalcTrigonometricUnits;
class CCalcView;
class CRecentFileList;
struct CommandEntry;
class QKeyEvent;
class QLabel;
class QSettings;

class CCalcMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CCalcMainFrame(CCalcDoc* document, CRecentFileList* recentFiles, QWidget* parent = nullptr);
    ~CCalcMainFrame() override;

    CCalcView* View() const { return m_view; }
    CCalcDoc* Document() const { return m_document; }
    QAction* Action(int commandId) const { return m_actions.value(commandId); }
    QLabel* Pane(int indicatorId) const { return m_panes.value(indicatorId); }
    CCalcToolBar* ToolBar() const { return m_toolBar; }

    // The bars by id (101 keypad, 102 log, 105 memory, 106 statistics).
    CCalcDlgBar* Bar(int barId) const;
    CCalcKeyPad* Keypad() const { return m_keypad; }
    CCalcLog* Log() const { return m_log; }
    CCalcMemory* MemoryPanel() const { return m_memory; }
    CCalcStatistics* Statistics() const { return m_statistics; }
    CCalcTrigonometricUnits* UnitsWindow() const { return m_units; }

    // Runs the command of an id, as its menu item, key or button would.
    void OnCommand(int commandId);
    // Check marks and enabling of every command.
    void UpdateCommandStates();

    void UpdateTitle();
    void UpdateResultPane();
    void UpdateUnitsPane();
    void UpdateSse2Pane();
    void UpdateLockPanes();
    // At start and after the Preferences dialog's OK: result pane, units
    // pane and both unit lists, keypad notation, SSE2 pane.
    void RefreshFromPreferences();
    // Status pane and both unit lists follow TrigonometricUnits.
    void ShowUnit();

    // Show a hidden bar, hide a shown one; focus goes back to the editor
    // when the bar ends hidden.
    void ToggleBar(CCalcBar* bar);
    // Show the bar when hidden, then give its panel the keyboard focus.
    void FocusPanel(CCalcDlgBar* bar);
    void FocusView();
    // West (0) or East (1): the preference, then the keypad when it differs.
    void SetNotation(int notation);

    // Placement of "GUI/Frame": restored before the first show, saved at exit.
    // Returns true when the window is to be shown maximized.
    bool RestorePlacement(QSettings& settings);
    void SavePlacement(QSettings& settings) const;
    // The frame state written when the window goes: placement, bar sizes
    // and layout, editor font.
    void SaveState(QSettings& settings) const;

    void RebuildRecentFileMenu();
    void OpenRecentFile(int index);
    void OpenDroppedFiles(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The window's minimum: the whole keypad, every bar and a usable editor.
    void KeepEditorUsable();
    // The action of one command-table entry, translated.
    QAction* MakeAction(const CommandEntry& entry);
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateBars();
    void DockBars();
    void ConnectPanels();
    QLabel* AddPane(int indicatorId, const QString& indicatorText);
    // A key of the panels' table that a text field would otherwise keep.
    bool IsPanelWideKey(const QKeyEvent* event) const;

    CCalcDoc* m_document;
    CRecentFileList* m_recentFiles;
    CCalcView* m_view;
    CCalcTrigonometricUnits* m_units = nullptr;
    CCalcToolBar* m_toolBar = nullptr;
    CCalcKeyPad* m_keypad = nullptr;
    CCalcLog* m_log = nullptr;
    CCalcMemory* m_memory = nullptr;
    CCalcStatistics* m_statistics = nullptr;
    CCalcDlgBar* m_keypadBar = nullptr;
    CCalcDlgBar* m_logBar = nullptr;
    CCalcDlgBar* m_memoryBar = nullptr;
    CCalcDlgBar* m_statisticsBar = nullptr;
    bool m_layoutRestored = false;
    bool m_shown = false;
    bool m_floatingRaised = false;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    QAction* m_recentSeparator = nullptr;
    QHash<int, QAction*> m_actions;
    QHash<int, QLabel*> m_panes;
    bool m_placementRestored = false;
};
