// Help requests of the whole program: who shows a page (the help window, or
// a presenter that tests put in its place), the "what is this" mode of
// context help, and F1 in the program's own dialogs.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// Shows one page of the manual ("language.html", "keypad.html#digits").
using HelpPresenter = std::function<void(const QString& page)>;

// Replaces who shows pages; an empty presenter brings the help window back.
// Answers the presenter it replaced.
HelpPresenter SetHelpPresenter(HelpPresenter presenter);

// Shows a page through the presenter, or in the help window.
void ShowHelpPage(const QString& page);

class CCalcHelp : public QObject {
    Q_OBJECT
public:
    // Watches the application for F1 in the program's dialogs.
    explicit CCalcHelp(QObject* parent = nullptr);
    ~CCalcHelp() override;

    // Context help: the question-arrow cursor, until a click opens the
    // clicked widget's topic or Esc leaves.
    void EnterContextMode();
    void LeaveContextMode();
    bool InContextMode() const { return contextMode_; }

    // F1: the topic of what has the focus; nothing inside the help window.
    static void ShowTopicOf(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool contextMode_ = false;
    bool swallowRelease_ = false;
};
