// The main window: the editor, menus and keys, toolbar, status panes, the
// four panel bars and the units window, title and placement.
#pragma once

#include <QHash>
#include <QMainWindow>

#include "document/PrintJob.h"
#include "engine/NumberFormat.h"
#include "shell/Placement.h"

class CCalcBar;
class CCalcDlgBar;
class CCalcDoc;
class CCalcHelp;
class CCalcKeyPad;
class CCalcLog;
class CCalcMemory;
class CCalcPrintPreview;
class CCalcStatistics;
class CCalcToolBar;
class CCalcTrigonometricUnits;
class CCalcView;
class CRecentFileList;
class EditorAssist;
struct CommandEntry;
class QKeyEvent;
class QLabel;
class QSettings;

class CCalcMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CCalcMainFrame(CCalcDoc* document, CRecentFileList* recentFiles, QWidget* parent = nullptr);
    ~CCalcMainFrame() override;

    CCalcView* View() const { return view_; }
    CCalcDoc* Document() const { return document_; }
    QAction* Action(int commandId) const { return actions_.value(commandId); }
    QLabel* Pane(int indicatorId) const { return panes_.value(indicatorId); }
    CCalcToolBar* ToolBar() const { return toolBar_; }
    EditorAssist* Assist() const { return assist_; }

    // The bars by id (101 keypad, 102 log, 105 memory, 106 statistics).
    CCalcDlgBar* Bar(int barId) const;
    CCalcKeyPad* Keypad() const { return keypad_; }
    CCalcLog* Log() const { return log_; }
    CCalcMemory* MemoryPanel() const { return memory_; }
    CCalcStatistics* Statistics() const { return statistics_; }
    // The units window, made when first asked for.
    CCalcTrigonometricUnits* UnitsWindow();

    // The print job: Print... with the dialog, or without it on the current
    // printer, a named one, or (no printer at all) into fallbackPdf.
    // A job that wrote a file says where in the status bar (and in
    // writtenFile when asked).
    CCalcPrintJob::Outcome PrintDocument(bool withDialog, const NamedPrinter* named = nullptr,
                                         const QString& fallbackPdf = QString(),
                                         QString* writtenFile = nullptr);
    // The preview over the editor, and back.
    void ShowPrintPreview();
    void ClosePrintPreview();
    CCalcPrintPreview* Preview() const { return preview_; }
    // Commands the preview holds back while it shows: they would change the
    // document or its panels out of sight.
    static bool HeldByPreview(int commandId);

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
    // F6 and Shift+F6: the next (1) or previous (-1) pane.
    void CyclePane(int step);
    CCalcHelp* HelpRequests() const { return help_; }
    // West (0) or East (1): the preference, then the keypad when it differs.
    void SetNotation(int notation);
    // A choice from View > Result digits: stored and shown at once.
    void SetResultDigits(NCalculatorText::ResultDigits digits);

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
    // The window's minimum: the keypad at its smallest, every bar and a
    // usable editor.
    void KeepEditorUsable();
    // Room for 20 columns and 4 lines of the editor's font.
    QSize UsableEditorSize() const;
    // The action of one command-table entry, translated.
    QAction* MakeAction(const CommandEntry& entry);
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateBars();
    void DockBars();
    void ConnectPanels();
    // `name`: what the pane shows, for screen readers.
    QLabel* AddPane(int indicatorId, const QString& indicatorText, const QString& name);
    // Shows `text` in a pane; readers hear it after the pane's name.
    void ShowInPane(int indicatorId, const QString& text);
    // The live result's pane shows while the live result is on and no
    // prompt is in the status bar.
    void ShowLivePane();
    // A key of the panels' table that a text field would otherwise keep.
    bool IsPanelWideKey(const QKeyEvent* event) const;

    CCalcDoc* document_;
    CRecentFileList* recentFiles_;
    CCalcView* view_;
    CCalcHelp* help_;
    CCalcTrigonometricUnits* units_ = nullptr;
    CCalcToolBar* toolBar_ = nullptr;
    CCalcKeyPad* keypad_ = nullptr;
    CCalcLog* log_ = nullptr;
    CCalcMemory* memory_ = nullptr;
    CCalcStatistics* statistics_ = nullptr;
    CCalcDlgBar* keypadBar_ = nullptr;
    CCalcDlgBar* logBar_ = nullptr;
    CCalcDlgBar* memoryBar_ = nullptr;
    CCalcDlgBar* statisticsBar_ = nullptr;
    bool layoutRestored_ = false;
    bool shown_ = false;
    bool floatingRaised_ = false;
    QMenu* fileMenu_ = nullptr;
    QAction* recentPlaceholder_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QHash<int, QAction*> actions_;
    QHash<int, QLabel*> panes_;
    bool placementRestored_ = false;
    CCalcPrintPreview* preview_ = nullptr;
    // The preview's "Page n" beside the prompts.
    QLabel* previewStatus_ = nullptr;
    EditorAssist* assist_ = nullptr;
};
