#include "shell/CCalcApp.h"

#include <QApplication>
#include <QLocale>
#include <QSessionManager>
#include <QSettings>
#include <cstdio>

#include "document/CCalcDoc.h"
#include "panels/CCalcKeyPad.h"
#include "shell/CCalcMainFrame.h"
#include "shell/FileTypes.h"
#include "shell/Unregister.h"
#include "document/CCalcView.h"
#include "shell/core/MessageBox.h"
#include "shell/PreferencesStore.h"
#include "shell/core/SettingsStore.h"
#include "shell/core/StringIds.h"
#include "toolkit/TaResources.h"

CCalcApp::CCalcApp() = default;

CCalcApp::~CCalcApp() {
    // The dialogs must not draw with faces that go with this object.
    SetApplicationFonts(nullptr);
}

bool CCalcApp::InitInstance(const QStringList& arguments) {
    // English texts and number formats whatever the user's locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // The drawing session, then the three embedded faces every dialog of the
    // program draws with.
    m_gdiPlus.Startup();
    TaInitResources();
    m_fonts.Load();
    SetApplicationFonts(&m_fonts);
    // Icon 128 on every window of the program.
    QApplication::setWindowIcon(TaProgramIcon());

    // The settings store: maker "Tarvik", product "Numera".
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvik"));
    QCoreApplication::setApplicationName(LoadString(StringId::AppTitle));
    std::unique_ptr<QSettings> settings = OpenSettingsStore();
    m_recentFiles.Load(*settings);
    LoadPreferences(*settings);

    // The desktop learns the two file types at every start; nothing is
    // written when it already knows them, and failures go unnoticed.
    FileTypes::RegisterFileTypes();

    const CommandLineInfo info = ParseCommandLine(arguments);
    // Unregister opens no window: its panels would write their settings
    // back as they are destroyed.
    if (info.kind == CommandLineInfo::Unregister) return ProcessShellCommand(info);

    // The document and its window.
    m_document = std::make_unique<CCalcDoc>();
    m_frame = std::make_unique<CCalcMainFrame>(m_document.get(), &m_recentFiles);
    m_frame->View()->LoadFont(*settings);
    m_frame->UpdateCommandStates();
    const bool maximized = m_frame->RestorePlacement(*settings);

    if (!ProcessShellCommand(info)) return false;

    if (maximized)
        m_frame->showMaximized();
    else
        m_frame->show();
    m_frame->View()->setFocus();

    // The keypad types into the document from now on.
    m_frame->Keypad()->SetReceiver(m_document.get());

    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (m_document && !m_document->SaveModified()) manager.cancel();
    });

    m_frame->RefreshFromPreferences();
    return true;
}

bool CCalcApp::ProcessShellCommand(const CommandLineInfo& info) {
    switch (info.kind) {
        case CommandLineInfo::NewDocument:
            return m_document->OnNewDocument();
        case CommandLineInfo::OpenFile:
            return m_document->OpenDocumentFile(info.path) != CCalcDoc::OpenResult::Failed;
        case CommandLineInfo::Unregister: {
            const int prompt =
                RemoveProgramSettings() ? StringId::UnregisterDone : StringId::UnregisterFailed;
            AppMessageBox(LoadString(prompt), MB_OK, prompt);
            // That is all this run does; what it leaves is not saved again.
            m_unregistered = true;
            return false;
        }
        case CommandLineInfo::PrintFile:
        case CommandLineInfo::PrintTo:
            break;
    }
    std::fputs("numera: printing from the command line is not available yet\n", stderr);
    return false;
}

void CCalcApp::ExitInstance() {
    // A main window still there goes first; it saves its state as it closes.
    if (m_frame && m_frame->isVisible()) {
        std::unique_ptr<QSettings> settings = OpenSettingsStore();
        m_frame->SaveState(*settings);
    }
    m_frame.reset();

    std::unique_ptr<QSettings> settings = OpenSettingsStore();
    StorePreferences(*settings);
    // After Unregister the recent files would bring the settings back.
    if (!m_unregistered) m_recentFiles.Save(*settings);
    settings->sync();

    SetApplicationFonts(nullptr);
    m_fonts.Free();
    m_gdiPlus.Shutdown();
}

int CCalcApp::Run(const QStringList& arguments) {
    int code = 1;
    if (InitInstance(arguments)) {
        QApplication::setQuitOnLastWindowClosed(true);
        code = QApplication::exec();
    } else if (m_unregistered) {
        code = 0;  // it did what was asked
    }
    ExitInstance();
    return code;
}
