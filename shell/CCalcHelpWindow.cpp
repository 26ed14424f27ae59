#include "shell/CCalcHelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>

#include "shell/HelpTopics.h"
#include "shell/core/MessageBox.h"

namespace {

QPointer<CCalcHelpWindow>& TheWindow() {
    static QPointer<CCalcHelpWindow> window;
    return window;
}

// Pages, style and search results come out of the manual, not the disk.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine* engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {}

    QVariant loadResource(int type, const QUrl& name) override {
        // The style sheet comes relative to the page being loaded, which
        // source() names only once it has loaded.
        const QUrl url = name.isRelative() ? page_.resolved(name) : name;
        if (url.scheme() == QLatin1String("qthelp")) return engine_->fileData(url);
        return QTextBrowser::loadResource(type, name);
    }

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override {
        page_ = name.isRelative() ? page_.resolved(name) : name;
        QTextBrowser::doSetSource(name, type);
    }

private:
    QHelpEngine* engine_;
    QUrl page_;
};

constexpr char kStampKey[] = "numera/helpFileStamp";

// Size and time of the manual: a rebuilt or reinstalled file is registered anew.
QString StampOf(const QFileInfo& file) {
    return QStringLiteral("%1/%2/%3")
        .arg(file.absoluteFilePath())
        .arg(file.size())
        .arg(file.lastModified().toMSecsSinceEpoch());
}

// The collection, with the manual registered once per version of the file.
QHelpEngine* OpenEngine(const QString& helpFile) {
    const QString collection = CCalcHelpWindow::CollectionFilePath();
    QDir().mkpath(QFileInfo(collection).absolutePath());
    auto* engine = new QHelpEngine(collection);
    // Qt opens collections read-only unless told: ours registers the manual.
    engine->setReadOnly(false);
    if (!engine->setupData()) {
        qWarning("help: %s", qPrintable(engine->error()));
        delete engine;
        return nullptr;
    }
    const QString stamp = StampOf(QFileInfo(helpFile));
    const QString space = QString::fromLatin1(HelpTopic::Namespace);
    if (engine->customValue(QLatin1String(kStampKey)).toString() != stamp ||
        !engine->registeredDocumentations().contains(space)) {
        if (engine->registeredDocumentations().contains(space))
            engine->unregisterDocumentation(space);
        if (!engine->registerDocumentation(helpFile)) {
            qWarning("help: %s", qPrintable(engine->error()));
            delete engine;
            return nullptr;
        }
        engine->setCustomValue(QLatin1String(kStampKey), stamp);
        engine->searchEngine()->reindexDocumentation();
    }
    return engine;
}

}  // namespace

QString CCalcHelpWindow::HelpFilePath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("numera.qch"));
}

QString CCalcHelpWindow::CollectionFilePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("help/numera.qhc"));
}

CCalcHelpWindow* CCalcHelpWindow::Instance() { return TheWindow(); }

void CCalcHelpWindow::DestroyInstance() { delete TheWindow().data(); }

void CCalcHelpWindow::ShowPage(const QString& page) {
    if (!TheWindow()) {
        const QString helpFile = HelpFilePath();
        QHelpEngine* engine = QFileInfo::exists(helpFile) ? OpenEngine(helpFile) : nullptr;
        if (!engine) {
            AppMessageBox(tr("The help file %1 cannot be opened.\nInstall the program again to "
                             "restore its manual.")
                              .arg(QDir::toNativeSeparators(helpFile)),
                          MB_ICONEXCLAMATION);
            return;
        }
        TheWindow() = new CCalcHelpWindow(engine);
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, TheWindow(), &QObject::deleteLater);
    }
    CCalcHelpWindow* window = TheWindow();
    // The start page goes with the table of contents beside it.
    if (page == QLatin1String(HelpTopic::StartPage)) window->tabs_->setCurrentIndex(0);
    window->Open(HelpTopic::Url(page));
    // Asked from a modal dialog (F1 in a message), the window belongs to
    // that dialog for the while, or the dialog would block it.
    QWidget* modal = QApplication::activeModalWidget();
    window->winId();
    window->windowHandle()->setTransientParent(modal && modal != window ? modal->windowHandle()
                                                                        : nullptr);
    window->show();
    window->raise();
    window->activateWindow();
}

CCalcHelpWindow::CCalcHelpWindow(QHelpEngine* engine) : engine_(engine) {
    engine_->setParent(this);
    setObjectName(QStringLiteral("CCalcHelpWindow"));
    // The topic map answers nothing for this window: F1 here stays here.
    setProperty("numeraHelpWindow", true);
    setWindowTitle(tr("Numera Help"));

    browser_ = new HelpBrowser(engine_, this);
    // QTextBrowser hands every link of a qthelp page to the desktop's
    // opener, which knows no manual: links are followed here.
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &CCalcHelpWindow::FollowLink);

    tabs_ = new QTabWidget(this);
    QHelpContentWidget* contents = engine_->contentWidget();
    tabs_->addTab(contents, tr("&Contents"));

    auto* indexPage = new QWidget(this);
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(2, 2, 2, 2);
    indexFilter_ = new QLineEdit(indexPage);
    indexFilter_->setPlaceholderText(tr("Look for a keyword"));
    indexFilter_->setClearButtonEnabled(true);
    QHelpIndexWidget* index = engine_->indexWidget();
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index);
    tabs_->addTab(indexPage, tr("&Index"));

    auto* searchPage = new QWidget(this);
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(2, 2, 2, 2);
    QHelpSearchEngine* search = engine_->searchEngine();
    searchLayout->addWidget(search->queryWidget());
    searchLayout->addWidget(search->resultWidget(), 1);
    tabs_->addTab(searchPage, tr("&Search"));

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    setCentralWidget(splitter);

    QToolBar* bar = addToolBar(tr("Navigation"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* back = bar->addAction(tr("Back"), browser_, &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    QAction* forward = bar->addAction(tr("Forward"), browser_, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    bar->addAction(tr("Contents"), this, [this] {
        tabs_->setCurrentIndex(0);
        Open(HelpTopic::Url(QString::fromLatin1(HelpTopic::StartPage)));
    });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &CCalcHelpWindow::SyncContents);

    connect(contents, &QHelpContentWidget::linkActivated, this, &CCalcHelpWindow::Open);
    // A page of the contents opens at a single click, as in the platform's help viewer.
    connect(contents, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (const QHelpContentItem* item = engine_->contentModel()->contentItemAt(index))
            Open(item->url());
    });
    connect(indexFilter_, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    connect(indexFilter_, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link) { Open(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& links) {
                if (!links.isEmpty()) Open(links.first().url);
            });
    connect(search->queryWidget(), &QHelpSearchQueryWidget::search, this,
            [this, search] { search->search(search->queryWidget()->searchInput()); });
    connect(search->resultWidget(), &QHelpSearchResultWidget::requestShowLink, this,
            &CCalcHelpWindow::Open);
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, this,
            [this] { SyncContents(browser_->source()); });

    // Alt+C, Alt+I, Alt+S: the tab, ready for typing.
    connect(tabs_, &QTabWidget::currentChanged, this, [this, contents, search](int tab) {
        QWidget* input[] = {contents, indexFilter_, search->queryWidget()};
        if (tab >= 0 && tab < 3) input[tab]->setFocus(Qt::ShortcutFocusReason);
    });

    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this, search] {
        tabs_->setCurrentIndex(2);
        search->queryWidget()->setFocus(Qt::ShortcutFocusReason);
    });
}

CCalcHelpWindow::~CCalcHelpWindow() = default;

void CCalcHelpWindow::showEvent(QShowEvent* event) {
    if (!sizedOnce_) {
        sizedOnce_ = true;
        resize(1000, 700);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = geometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QMainWindow::showEvent(event);
}

QUrl CCalcHelpWindow::CurrentUrl() const { return browser_->source(); }

void CCalcHelpWindow::Open(const QUrl& url) {
    browser_->setSource(url);
    if (url.scheme() == QLatin1String("qthelp") && !url.fragment().isEmpty())
        browser_->scrollToAnchor(url.fragment());
}

void CCalcHelpWindow::FollowLink(const QUrl& link) {
    const QUrl url = link.isRelative() ? browser_->source().resolved(link) : link;
    if (url.scheme() == QLatin1String("qthelp"))
        Open(url);
    else
        QDesktopServices::openUrl(url);
}

void CCalcHelpWindow::SyncContents(const QUrl& url) {
    QHelpContentWidget* contents = engine_->contentWidget();
    const QModelIndex index = contents->indexOf(url);
    if (index.isValid()) {
        contents->setCurrentIndex(index);
        contents->scrollTo(index);
    }
}
