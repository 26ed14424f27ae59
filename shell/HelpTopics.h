// Where the manual answers each help request: the pages of numera.qch for
// keypad help contexts, message help ids, commands and widgets. The one map
// from the program's help ids to pages.
#pragma once

#include <QString>
#include <QUrl>
#include <cstdint>

class QMenu;
class QWidget;

namespace HelpTopic {

// The manual's namespace and folder inside numera.qch.
inline constexpr char Namespace[] = "numera.help";
inline constexpr char Folder[] = "doc";

// Pages, relative to the manual's folder, with an optional "#anchor".
inline constexpr char StartPage[] = "index.html";
inline constexpr char LanguagePage[] = "language.html";

// The qthelp URL of a page.
QUrl Url(const QString& page);

// A keypad button's help context (its control id minus 0x7F9A0000): the
// topic of its button group; the keypad page for an unknown context.
QString ForKeypadContext(uint32_t context);
// The message dialog's help id (0x10000 + prompt id, or 128).
QString ForMessageHelpId(unsigned helpId);
// A command of the menus and the toolbar.
QString ForCommand(int commandId);
// The highlighted item of a menu: its command (a submenu's first command);
// an item without one speaks for the widget the menu belongs to.
QString ForMenuItem(const QMenu* menu);
// What the widget belongs to, found up its parents: a keypad button, a
// panel, the editor, a dialog, the toolbar. Empty inside the help window,
// which answers its own questions.
QString ForWidget(const QWidget* widget);

}  // namespace HelpTopic
