// The main window: the editor, menus and keys, toolbar, status panes,
// title and placement.
#pragma once

#include <QHash>
#include <QMainWindow>

#include "Placement.h"

class CCalcDoc;
class CCalcView;
class CRecentFileList;
class QLabel;
class QSettings;
class QToolBar;

class CCalcMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CCalcMainFrame(CCalcDoc* document, CRecentFileList* recentFiles, QWidget* parent = nullptr);

    CCalcView* View() const { return m_view; }
    CCalcDoc* Document() const { return m_document; }
    QAction* Action(int commandId) const { return m_actions.value(commandId); }
    QLabel* Pane(int indicatorId) const { return m_panes.value(indicatorId); }
    QToolBar* ToolBar() const { return m_toolBar; }

    // Runs the command of an id, as its menu item, key or button would.
    void OnCommand(int commandId);
    // Check marks and enabling of every command.
    void UpdateCommandStates();

    void UpdateTitle();
    void UpdateResultPane();
    void UpdateUnitsPane();
    void UpdateSse2Pane();
    void UpdateLockPanes();
    // At start (and after the preferences change): result, units, SSE2.
    void RefreshFromPreferences();

    // Placement of "GUI/Frame": restored before the first show, saved at exit.
    // Returns true when the window is to be shown maximized.
    bool RestorePlacement(QSettings& settings);
    void SavePlacement(QSettings& settings) const;
    // The frame state written when the window goes: placement, editor font.
    void SaveState(QSettings& settings) const;

    void RebuildRecentFileMenu();
    void OpenRecentFile(int index);
    void OpenDroppedFiles(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* MakeAction(int id, const QString& text, const QList<QKeySequence>& keys = {},
                        const QString& prompt = QString());
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QLabel* AddPane(int indicatorId, const QString& indicatorText);

    CCalcDoc* m_document;
    CRecentFileList* m_recentFiles;
    CCalcView* m_view;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    QAction* m_recentSeparator = nullptr;
    QHash<int, QAction*> m_actions;
    QHash<int, QLabel*> m_panes;
    bool m_placementRestored = false;
};

// Work areas of the screens, as frame rectangles.
std::vector<FrameRect> ScreenWorkAreas();
std::optional<FrameRect> PrimaryWorkArea();
