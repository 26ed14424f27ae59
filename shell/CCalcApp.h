// The application: start-up in order, the command line, and exit.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <thread>

#include "shell/CommandLine.h"
#include "shell/RecentFileList.h"
#include "toolkit/CGDIPlus.h"
#include "toolkit/TaFonts.h"

class CCalcDoc;
class QTranslator;
class QWidget;
class CCalcMainFrame;
class RecoveryKeeper;

class CCalcApp : public QObject {
    Q_OBJECT
public:
    CCalcApp();
    ~CCalcApp() override;

    // Start-up, the event loop and exit; the process exit code.
    int Run(const QStringList& arguments);

    // Start-up up to the shown main window; false when the program is to end.
    bool InitInstance(const QStringList& arguments);
    // Exit processing: the main window first, then preferences and the
    // recent-file list (not after Unregister).
    void ExitInstance();

    CCalcDoc* Document() const { return document_.get(); }
    CCalcMainFrame* MainFrame() const { return frame_.get(); }
    RecoveryKeeper* Recovery() const { return recovery_.get(); }
    CRecentFileList& RecentFiles() { return recentFiles_; }
    bool Unregistered() const { return unregistered_; }
    const TaFonts& Fonts() const;

    // Where the program's translations lie: bin/translations beside the
    // program (the build), else share/numera/translations (the install).
    static QString TranslationsDirectory();
    // Runs `work` once `window` has been drawn for the first time (at once
    // where nothing is drawn on a screen).
    static void AfterFirstPaint(QWidget* window, std::function<void()> work);

private:
    bool ProcessShellCommand(const CommandLineInfo& info);
    // Installs the program's and Qt's own texts in that language; English
    // stays when the program's own set cannot be loaded.
    void LoadLanguage(const QString& language);
    // "/p" and "/pt": the open document printed without the dialog.
    bool PrintFromCommandLine(const CommandLineInfo& info);
    // Tells once the window is up that the settings cannot be saved.
    static void ReportUnwritableSettings();

    // Connects to the session bus beside the building of the window.
    std::thread busConnection_;
    CGDIPlus gdiPlus_;
    TaFonts fonts_;
    CRecentFileList recentFiles_;
    // Before the windows, so they outlive them: a closing window may still
    // ask for a text.
    std::unique_ptr<QTranslator> qtTranslator_;
    std::unique_ptr<QTranslator> translator_;
    std::unique_ptr<CCalcDoc> document_;
    std::unique_ptr<CCalcMainFrame> frame_;
    // After the document and the window: it follows them while they live.
    std::unique_ptr<RecoveryKeeper> recovery_;

    bool unregistered_ = false;  // the run was "Unregister": save no recent files
    bool printed_ = false;       // a command-line print that printed
};
