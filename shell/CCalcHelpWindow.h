// The help window: the manual (numera.qch beside the program) with its
// contents, index and full-text search, back and forward. One window for the
// process, raised when asked for again.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QUrl>

class QHelpEngine;
class QLineEdit;
class QTabWidget;
class QTextBrowser;

// Only DestroyInstance deletes the window (and Qt, through its virtual base).
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor)
class CCalcHelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // The manual beside the program, and the per-user collection that
    // registers it.
    static QString HelpFilePath();
    static QString CollectionFilePath();

    // Shows the page in the window, making the window when there is none
    // and raising it; a missing manual is said in one message instead.
    static void ShowPage(const QString& page);
    // The window, when there is one.
    static CCalcHelpWindow* Instance();
    // Closes and deletes the window (at exit and in tests).
    static void DestroyInstance();

    QUrl CurrentUrl() const;
    QHelpEngine* Engine() const { return engine_; }
    QTabWidget* Tabs() const { return tabs_; }
    QTextBrowser* Browser() const { return browser_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    explicit CCalcHelpWindow(QHelpEngine* engine);
    ~CCalcHelpWindow() override;
    void Open(const QUrl& url);
    void FollowLink(const QUrl& link);
    void SyncContents(const QUrl& url);

    QHelpEngine* engine_;
    QTabWidget* tabs_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    QLineEdit* indexFilter_ = nullptr;
    bool sizedOnce_ = false;
};
