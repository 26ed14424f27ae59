#include "shell/CCalcApp.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QScreen>
#include <QSessionManager>
#include <QSettings>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <QWindow>
#include <QtMath>
#include <cstdio>
#include <functional>

#include "document/CCalcDoc.h"
#include "document/CCalcView.h"
#include "document/PrintSettings.h"
#include "document/PrinterSelection.h"
#include "panels/CCalcKeyPad.h"
#include "shell/CCalcMainFrame.h"
#include "shell/CCalcToolBar.h"
#include "shell/FileTypes.h"
#include "shell/PreferencesStore.h"
#include "shell/RecoveryKeeper.h"
#include "shell/Unregister.h"
#include "shell/core/MessageBox.h"
#include "shell/core/SettingsStore.h"
#include "shell/core/StringIds.h"
#include "toolkit/TaFirstFrame.h"
#include "toolkit/TaResources.h"

namespace {

// While it lives, every message also goes to standard error as one line.
class EchoedMessages {
public:
    EchoedMessages()
        : previous_(SetMessageBoxHandler([this](const QString& text, unsigned type, unsigned help) {
              std::fprintf(stderr, "numera: %s\n", qPrintable(QString(text).replace(u'\n', u' ')));
              if (previous_) return previous_(text, type, help);
              return ShowMessageDialog(text, type, help);
          })) {}
    ~EchoedMessages() { SetMessageBoxHandler(std::move(previous_)); }
    EchoedMessages(const EchoedMessages&) = delete;
    EchoedMessages& operator=(const EchoedMessages&) = delete;

private:
    MessageBoxHandler previous_;
};

}  // namespace

void CCalcApp::AfterFirstPaint(QWidget* window, std::function<void()> work) {
    QWindow* handle = window->windowHandle();
    if (!handle || QGuiApplication::platformName() == QLatin1String("offscreen")) {
        // Nothing will be drawn on a screen: the work is done now.
        work();
        return;
    }
    if (handle->isExposed()) {
        // Drawn already (a large file opens in the window shown first): no
        // exposure is coming.
        QTimer::singleShot(0, window, std::move(work));
        return;
    }
    // The window is exposed, painted and flushed in one go: work posted from
    // the exposure runs after the user sees it.
    TaOnFirstExposure(handle, [handle, work = std::move(work)]() mutable {
        QTimer::singleShot(0, handle, std::move(work));
    });
}

CCalcApp::CCalcApp() = default;

CCalcApp::~CCalcApp() {
    // The dialogs must not draw with faces that go with this object.
    SetApplicationFonts(nullptr);
    // Before the application object and its bus manager go.
    if (busConnection_.joinable()) busConnection_.join();
}

const TaFonts& CCalcApp::Fonts() const {
    ApplicationFonts();  // loads them when they are this application's and still waiting
    return fonts_;
}

QString CCalcApp::TranslationsDirectory() {
    const QDir program(QCoreApplication::applicationDirPath());
    QString beside = program.filePath(QStringLiteral("translations"));
    if (QDir(beside).exists()) return beside;
    return QDir::cleanPath(program.filePath(QStringLiteral("../share/numera/translations")));
}

void CCalcApp::LoadLanguage(const QString& language) {
    if (language.isEmpty()) return;
    const QString directory = TranslationsDirectory();
    auto own = std::make_unique<QTranslator>();
    if (!own->load(QStringLiteral("numera_") + language, directory)) {
        std::fprintf(stderr, "numera: no %s texts in %s; using English\n", qPrintable(language),
                     qPrintable(directory));
        return;
    }
    // Qt's own texts for its standard dialogs (file, font, colour, print).
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_") + language, directory)) {
        QCoreApplication::installTranslator(qt.get());
        qtTranslator_ = std::move(qt);
    }
    QCoreApplication::installTranslator(own.get());
    translator_ = std::move(own);
}

bool CCalcApp::InitInstance(const QStringList& arguments) {
    // English texts and number formats whatever the user's locale; only
    // "/lang" changes the texts, and before the first of them is loaded.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const CommandLineInfo info = ParseCommandLine(arguments);
    // The accessibility bridge connects to the session bus when the first
    // widget reports to it, which is while the window is built; where the bus
    // must first be started (dbus-launch), the window waited for it. The
    // connection is made beside the building instead, and shared.
    if (QGuiApplication::platformName() == QLatin1String("xcb") &&
        info.kind != CommandLineInfo::Unregister)
        busConnection_ = std::thread([] { QDBusConnection::sessionBus(); });
    // The toolbar's images are drawn on a worker thread meanwhile too.
    if (info.kind != CommandLineInfo::Unregister)
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            TaPrefetchToolbarImages(qCeil(CCalcToolBar::kIconSize * screen->devicePixelRatio()));
    LoadLanguage(info.language);
    // The drawing session, then the three embedded faces every dialog of the
    // program draws with.
    gdiPlus_.Startup();
    TaInitResources();
    // Loaded once the window is drawn (its own texts do not use them), or
    // when a dialog asks for them before.
    SetApplicationFonts(&fonts_, [this] { fonts_.Load(); });
    // Icon 128 on every window of the program.
    QApplication::setWindowIcon(TaProgramIcon());

    QCoreApplication::setOrganizationName(SettingsLocation::Maker);
    QCoreApplication::setApplicationName(LoadString(StringId::AppTitle));
    std::unique_ptr<QSettings> settings = OpenSettingsStore();
    recentFiles_.Load(*settings);
    LoadPreferences(*settings);
    ApplicationPrintSettings().Load(*settings);

    // The desktop learns the two file types at every start; nothing is
    // written when it already knows them, and failures go unnoticed. A
    // first start writes files and icons: a window opened for the user
    // comes first then.
    const bool interactive =
        info.kind == CommandLineInfo::NewDocument || info.kind == CommandLineInfo::OpenFile;
    if (!interactive) FileTypes::RegisterFileTypes();

    // Unregister opens no window: its panels would write their settings
    // back as they are destroyed.
    if (info.kind == CommandLineInfo::Unregister) return ProcessShellCommand(info);

    // The document and its window.
    document_ = std::make_unique<CCalcDoc>();
    frame_ = std::make_unique<CCalcMainFrame>(document_.get(), &recentFiles_);
    frame_->View()->LoadFont(*settings);
    frame_->UpdateCommandStates();
    const bool maximized = frame_->RestorePlacement(*settings);

    TaPrepareFirstFrame(frame_.get());
    const auto show = [this, maximized] {
        if (maximized)
            frame_->showMaximized();
        else
            frame_->show();
    };
    if (info.kind == CommandLineInfo::PrintFile || info.kind == CommandLineInfo::PrintTo) {
        // Told on standard error too: the run has no window left to show it.
        const EchoedMessages echoed;
        if (info.path.isEmpty()) {
            const QString text =
                tr("%1 needs the file to print.")
                    .arg(info.kind == CommandLineInfo::PrintTo ? QStringLiteral("/pt")
                                                               : QStringLiteral("/p"));
            AppMessageBox(text, MB_OK | MB_ICONEXCLAMATION, 0);
            return false;
        }
        // Opened, shown with its placement, printed without the dialog, ended.
        if (document_->OpenDocumentFile(info.path) == CCalcDoc::OpenResult::Failed) return false;
        show();
        printed_ = PrintFromCommandLine(info);
        return false;
    }
    // Work that an instance gone before did not save is offered before the
    // command line's file opens; a recovered calculation is the new document.
    // This run's slot is a lock file written through to the disk, which can
    // take long on a busy one: it is taken once the window is drawn, unless
    // a copy is recovered first or the run ends before.
    recovery_ = std::make_unique<RecoveryKeeper>(document_.get());
    recovery_->CatchTerminationSignals();
    const bool recovered = recovery_->OfferOrphans();
    // A large file named on the command line opens in the window already
    // shown, so that its progress shows there and Esc can call it off.
    constexpr qint64 kLargeFile = qint64{2} << 20;
    if (info.kind == CommandLineInfo::OpenFile && QFileInfo(info.path).size() > kLargeFile) {
        show();
        // It settles first: the window manager may size it once it is mapped,
        // and a width change under the text would give each of its lines a
        // layout object of its own (some 300 bytes a line).
        QElapsedTimer waited;
        waited.start();
        const QWindow* window = frame_->windowHandle();
        do {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (window != nullptr && window->isExposed()) break;
            QThread::msleep(10);
        } while (waited.elapsed() < 1000);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    if (!(recovered && info.kind == CommandLineInfo::NewDocument) && !ProcessShellCommand(info)) {
        // The program ends, but not with the recovered work.
        if (document_->IsModified()) {
            recovery_->Start();
            recovery_->KeepForNextStart();
        }
        FileTypes::RegisterFileTypes();
        return false;
    }

    show();
    AfterFirstPaint(frame_.get(), [this] {
        ApplicationFonts();
        if (recovery_) recovery_->Start();
        FileTypes::RegisterFileTypes();
        ReportUnwritableSettings();
    });
    frame_->View()->setFocus();
    recovery_->WatchWindow(frame_.get());

    // The keypad types into the document from now on.
    frame_->Keypad()->SetReceiver(document_.get());

    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (document_ && !document_->SaveModified()) manager.cancel();
    });

    frame_->RefreshFromPreferences();
    // The printer chosen last, unless the command line named one.
    ApplicationPrinterSelection().Restore(*OpenSettingsStore());
    return true;
}

// A store that cannot be written would lose this run's settings at its end
// without a word: the user hears it while there is still time to act.
void CCalcApp::ReportUnwritableSettings() {
    if (OpenSettingsStore()->isWritable()) return;
    AppMessageBox(
        LoadString(StringId::SettingsUnwritable).arg(QDir::toNativeSeparators(SettingsStoreName())),
        MB_ICONEXCLAMATION, StringId::SettingsUnwritable);
}

bool CCalcApp::ProcessShellCommand(const CommandLineInfo& info) {
    switch (info.kind) {
        case CommandLineInfo::NewDocument:
            return document_->OnNewDocument();
        case CommandLineInfo::OpenFile:
            return document_->OpenDocumentFile(info.path) != CCalcDoc::OpenResult::Failed;
        case CommandLineInfo::Unregister: {
            const int prompt =
                RemoveProgramSettings() ? StringId::UnregisterDone : StringId::UnregisterFailed;
            AppMessageBox(LoadString(prompt), MB_OK, prompt);
            // That is all this run does; what it leaves is not saved again.
            unregistered_ = true;
            return false;
        }
        case CommandLineInfo::PrintFile:
        case CommandLineInfo::PrintTo:
            return PrintFromCommandLine(info);
    }
    return false;
}

bool CCalcApp::PrintFromCommandLine(const CommandLineInfo& info) {
    if (info.kind == CommandLineInfo::PrintTo) {
        const NamedPrinter named{info.printer, info.driver, info.port};
        return frame_->PrintDocument(false, &named) == CCalcPrintJob::Outcome::Printed;
    }
    // Without any printer the pages go into NAME.pdf beside the document
    // (or the first free "NAME (n).pdf"); the user learns which.
    const QFileInfo document(info.path);
    const QString pdf =
        document.dir().filePath(document.completeBaseName() + QStringLiteral(".pdf"));
    QString written;
    const bool printed =
        frame_->PrintDocument(false, nullptr, pdf, &written) == CCalcPrintJob::Outcome::Printed;
    if (!written.isEmpty())
        std::fprintf(stderr, "numera: %s\n", qPrintable(CCalcPrintJob::WrittenMessage(written)));
    return printed;
}

void CCalcApp::ExitInstance() {
    // A normal end takes the recovery copy with it; an abrupt one keeps it.
    if (recovery_) recovery_->Finish();
    // A main window still there goes first; it saves its state as it closes.
    if (frame_ && frame_->isVisible()) {
        std::unique_ptr<QSettings> settings = OpenSettingsStore();
        frame_->SaveState(*settings);
    }
    frame_.reset();

    std::unique_ptr<QSettings> settings = OpenSettingsStore();
    StorePreferences(*settings);
    // After Unregister the page setup, the printer and the recent files would
    // bring back the settings the user was just told are gone.
    if (!unregistered_) {
        ApplicationPrintSettings().Save(*settings);
        ApplicationPrinterSelection().Save(*settings);
        recentFiles_.Save(*settings);
    }
    settings->sync();

    SetApplicationFonts(nullptr);
    fonts_.Free();
    gdiPlus_.Shutdown();
}

int CCalcApp::Run(const QStringList& arguments) {
    int code = 1;
    const bool started = InitInstance(arguments);
    const bool endedBySignal = recovery_ && recovery_->EndedAbruptly();
    if (started && !endedBySignal) {
        QApplication::setQuitOnLastWindowClosed(true);
        code = QApplication::exec();
    } else if (endedBySignal || unregistered_ || printed_) {
        code = 0;  // a signal during start-up ended it as it asks, or it did what was asked
    }
    ExitInstance();
    return code;
}
