#include "shell/HelpTopics.h"

#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <initializer_list>

#include "document/CCalcView.h"
#include "panels/CCalcKeyPad.h"
#include "panels/CCalcLog.h"
#include "panels/CCalcMemory.h"
#include "panels/CCalcStatistics.h"
#include "panels/CCalcTrigonometricUnits.h"
#include "panels/CColorButton.h"
#include "panels/KeypadTable.h"
#include "shell/CCalcDlgBar.h"
#include "shell/CCalcPreferences.h"
#include "shell/CCalcToolBar.h"
#include "shell/core/CommandIds.h"
#include "toolkit/TaDialog.h"

namespace HelpTopic {

namespace {

struct KeypadGroup {
    const char* page;
    std::initializer_list<int> ids;  // control ids of the group's buttons
};

// The keypad's button groups, each with its section of the keypad page.
const KeypadGroup kKeypadGroups[] = {
    {"keypad.html#trigonometric", {1028, 1053, 1027, 1052, 1029, 1030}},
    {"keypad.html#hyperbolic", {1031, 1055, 1032, 1054, 1033, 1034}},
    {"keypad.html#functions", {1035, 1038, 1037, 1039, 1060, 1036}},
    {"keypad.html#inverse-trigonometric", {1040, 1056, 1041, 1057, 1042, 1043}},
    {"keypad.html#inverse-hyperbolic", {1044, 1058, 1045, 1059, 1046, 1047}},
    {"keypad.html#digits",
     {1048, 1049, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1015, 1026}},
    {"keypad.html#operators", {1020, 1021, 1022, 1023, 1018, 1019, 1016, 1017}},
    {"keypad.html#cells", {1065, 1066, 1064, 1063, 1071}},
    {"keypad.html#calculate", {1001, 1062}},
    {"keypad.html#memory", {1069, 1070, 1068, 1061}},
    {"keypad.html#editing", {1051, 1050}},
};

struct MessagePage {
    unsigned promptId;
    const char* page;
};

// Messages by the string id of their prompt (or their own help context).
const MessagePage kMessagePages[] = {
    {32829, "messages.html#clear-all"},
    {32830, "messages.html#erase-memory"},
    {32832, "messages.html#cannot-open-reading"},
    {32833, "messages.html#cannot-read"},
    {32834, "messages.html#cannot-open-writing"},
    {32836, "messages.html#print-job"},
    {32837, "messages.html#not-found"},
    {32838, "messages.html#exists"},
    {32840, "messages.html#print-cancelled"},
    {32841, "messages.html#save-changes"},
    {32881, "messages.html#settings"},
    {61699, "messages.html#save-changes"},
    {61707, "messages.html#unregister"},
    {61708, "messages.html#unregister"},
    {33100, "recovery.html#offer"},
    {33101, "recovery.html#refused"},
    {33106, "recovery.html#unavailable"},
};

}  // namespace

QUrl Url(const QString& page) {
    return QUrl(QStringLiteral("qthelp://%1/%2/%3")
                    .arg(QLatin1String(Namespace), QLatin1String(Folder), page));
}

QString ForKeypadContext(uint32_t context) {
    for (const KeypadGroup& group : kKeypadGroups)
        for (const int id : group.ids)
            if (Keypad::HelpContext(id) == context) return QString::fromLatin1(group.page);
    return QStringLiteral("keypad.html");
}

QString ForMessageHelpId(unsigned helpId) {
    for (const MessagePage& message : kMessagePages)
        if (0x10000u + message.promptId == helpId) return QString::fromLatin1(message.page);
    return QStringLiteral("messages.html");
}

QString ForCommand(int commandId) {
    using namespace CommandId;
    switch (commandId) {
        case New:
        case Open:
        case Save:
        case SaveAs:
        case RecentFile1:
        case RecentFile2:
        case RecentFile3:
        case RecentFile4:
        case Exit:
            return QStringLiteral("files.html#commands");
        case Execute:
            return QStringLiteral("files.html#execute");
        case MemoryFree:
        case MemoryLoad:
        case MemorySave:
            return QStringLiteral("memory.html#menu");
        case PageSetup:
            return QStringLiteral("printing.html#page-setup");
        case Print:
        case PrintDirect:
        case PrintPreview:
            return QStringLiteral("printing.html#print");
        case Undo:
        case Cut:
        case Copy:
        case Paste:
            return QStringLiteral("editor.html#editing");
        case Calculate:
        case CalculateAll:
            return QStringLiteral("getting-started.html");
        case ViewKeypad:
            return QStringLiteral("keypad.html");
        case ViewLog:
            return QStringLiteral("log.html");
        case ViewMemory:
            return QStringLiteral("memory-panel.html");
        case ViewStatistics:
            return QStringLiteral("statistics.html");
        case ViewToolbar:
            return QStringLiteral("window.html#toolbar");
        case ViewStatusBar:
            return QStringLiteral("window.html#status-bar");
        case ViewLiveResult:
            return QStringLiteral("editor.html#live-result");
        case ViewHighlighting:
            return QStringLiteral("editor.html#colours");
        case ResultDigitsExact:
        case ResultDigitsShortest:
        case ResultDigitsOther:
            return QStringLiteral("preferences.html#digits");
        case CommandId::Preferences:
            return QStringLiteral("preferences.html");
        case TrigonometricUnits:
            return QStringLiteral("units.html");
        case NotationEast:
        case NotationWest:
            return QStringLiteral("keypad.html#notation");
        case EditorFontSelect:
        case EditorFontDefault:
            return QStringLiteral("editor.html#font");
        case ContextHelp:
            return QStringLiteral("window.html#toolbar");
        case HelpIndex:
        case Help:
        case DefaultHelp:
        case About:
            return QString::fromLatin1(StartPage);
        default:
            if (commandId >= KeypadStyleXP && commandId <= KeypadColorDefault)
                return QStringLiteral("keypad.html#appearance");
            if (commandId > ResultDigitsSignificant && commandId < ResultDigitsOther)
                return QStringLiteral("preferences.html#digits");
            return QStringLiteral("window.html");
    }
}

QString ForMenuItem(const QMenu* menu) {
    const QAction* item = menu->activeAction();
    // A submenu speaks through its first command.
    while (item != nullptr && item->menu() != nullptr) {
        const QList<QAction*> items = item->menu()->actions();
        const auto first = std::find_if(items.begin(), items.end(), [](const QAction* a) {
            return a->menu() != nullptr || a->data().toInt() != 0;
        });
        item = first != items.end() ? *first : nullptr;
    }
    const int command = item != nullptr ? item->data().toInt() : 0;
    return command != 0 ? ForCommand(command) : ForWidget(menu->parentWidget());
}

QString ForWidget(const QWidget* widget) {
    if (!widget) return QStringLiteral("window.html");
    if (widget->window()->property("numeraHelpWindow").toBool()) return {};
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (const auto* button = qobject_cast<const CColorButton*>(w))
            return ForKeypadContext(button->HelpContext());
        if (const auto* dialog = qobject_cast<const TaDialog*>(w)) {
            // The message dialog keeps a help id; the printing window and
            // the about box have none of their own.
            if (dialog->HelpId() != 0) return ForMessageHelpId(dialog->HelpId());
            return dialog->TemplateId() == 107 ? QStringLiteral("printing.html#print")
                                               : QString::fromLatin1(StartPage);
        }
        if (qobject_cast<const CCalcView*>(w)) return QString::fromLatin1(LanguagePage);
        if (qobject_cast<const CCalcKeyPad*>(w)) return QStringLiteral("keypad.html");
        if (qobject_cast<const CCalcLog*>(w)) return QStringLiteral("log.html");
        if (qobject_cast<const CCalcMemory*>(w)) return QStringLiteral("memory-panel.html");
        if (qobject_cast<const CCalcStatistics*>(w)) return QStringLiteral("statistics.html");
        if (qobject_cast<const CCalcTrigonometricUnits*>(w)) return QStringLiteral("units.html");
        if (qobject_cast<const CCalcPreferences*>(w)) return QStringLiteral("preferences.html");
        // A bar's caption and frame speak for the panel inside.
        if (const auto* bar = qobject_cast<const CCalcDlgBar*>(w))
            if (bar->Dialog() && bar->Dialog() != widget) return ForWidget(bar->Dialog());
        if (const auto* tool = qobject_cast<const QToolButton*>(w))
            if (tool->defaultAction() && qobject_cast<const CCalcToolBar*>(tool->parentWidget()))
                return ForCommand(tool->defaultAction()->data().toInt());
        if (qobject_cast<const QComboBox*>(w) &&
            qobject_cast<const CCalcToolBar*>(w->parentWidget()))
            return QStringLiteral("units.html");
        if (qobject_cast<const CCalcToolBar*>(w)) return QStringLiteral("window.html#toolbar");
        if (qobject_cast<const QStatusBar*>(w)) return QStringLiteral("window.html#status-bar");
        if (qobject_cast<const QMenuBar*>(w)) return QStringLiteral("window.html#menus");
    }
    return QStringLiteral("window.html");
}

}  // namespace HelpTopic
