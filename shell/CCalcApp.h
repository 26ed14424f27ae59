// The application: start-up in order, the command line, and exit.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "toolkit/CGDIPlus.h"
#include "shell/CommandLine.h"
#include "shell/RecentFileList.h"
#include "toolkit/TaFonts.h"

class CCalcDoc;
class CCalcMainFrame;

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

    CCalcDoc* Document() const { return m_document.get(); }
    CCalcMainFrame* MainFrame() const { return m_frame.get(); }
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    bool Unregistered() const { return m_unregistered; }
    const TaFonts& Fonts() const { return m_fonts; }

private:
    bool ProcessShellCommand(const CommandLineInfo& info);

    CGDIPlus m_gdiPlus;
    TaFonts m_fonts;
    CRecentFileList m_recentFiles;
    std::unique_ptr<CCalcDoc> m_document;
    std::unique_ptr<CCalcMainFrame> m_frame;
    bool m_unregistered = false;  // the run was "Unregister": save no recent files
};
