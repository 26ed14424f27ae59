#include "shell/CCalcHelp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>

#include "shell/CCalcHelpWindow.h"
#include "shell/HelpTopics.h"
#include "toolkit/TaDialog.h"

namespace {

HelpPresenter& Presenter() {
    static HelpPresenter presenter;
    return presenter;
}

}  // namespace

HelpPresenter SetHelpPresenter(HelpPresenter presenter) {
    HelpPresenter previous = std::move(Presenter());
    Presenter() = std::move(presenter);
    return previous;
}

void ShowHelpPage(const QString& page) {
    if (page.isEmpty()) return;
    if (Presenter()) {
        Presenter()(page);
        return;
    }
    CCalcHelpWindow::ShowPage(page);
}

CCalcHelp::CCalcHelp(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

CCalcHelp::~CCalcHelp() {
    LeaveContextMode();
    qApp->removeEventFilter(this);
}

void CCalcHelp::EnterContextMode() {
    if (contextMode_) return;
    contextMode_ = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

void CCalcHelp::LeaveContextMode() {
    if (!contextMode_) return;
    contextMode_ = false;
    QApplication::restoreOverrideCursor();
}

void CCalcHelp::ShowTopicOf(const QWidget* widget) { ShowHelpPage(HelpTopic::ForWidget(widget)); }

bool CCalcHelp::eventFilter(QObject* watched, QEvent* event) {
    // Widgets only: a window hands its input on to the widget it is meant for.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (contextMode_) {
                LeaveContextMode();
                swallowRelease_ = true;
                ShowTopicOf(widget);
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            if (swallowRelease_) {
                swallowRelease_ = false;
                return true;
            }
            break;
        case QEvent::ShortcutOverride:
            // Esc must reach the mode before any shortcut or dialog takes it.
            if (contextMode_ && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                event->accept();
                return true;
            }
            break;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (contextMode_ && key->key() == Qt::Key_Escape) {
                LeaveContextMode();
                return true;
            }
            // F1 on a menu's highlighted item: the topic of its command.
            // The menus close, as the help window takes the input.
            if (const auto* menu = qobject_cast<const QMenu*>(widget);
                menu != nullptr && key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
                const QString page = HelpTopic::ForMenuItem(menu);
                TaDialog::ClosePopups();
                ShowHelpPage(page);
                return true;
            }
            // The frame's F1 does not reach a modal dialog of the program's
            // own; its help id names the topic.
            if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier &&
                qobject_cast<TaDialog*>(widget->window()) && QApplication::activeModalWidget()) {
                ShowTopicOf(widget->window());
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}
