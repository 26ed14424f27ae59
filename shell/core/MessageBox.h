// The program's one message-box operation, with the platform's flag and
// answer values, and the tables that decide caption, buttons and default.
#pragma once

#include <QString>
#include <QVector>
#include <functional>

// The platform's flag and answer values (MB_*, ID*), shared with the toolkit.
#include "toolkit/MessageBoxTypes.h"

// The kinds, captions, button sets and help ids of messages are the
// message dialog's own tables (TaMessageDialog).

class TaFonts;

// Beeps, shows the program's message dialog modally and answers the button
// pressed.
// helpContext: the prompt's string id or help context, 0 for none.
int AppMessageBox(const QString& text, unsigned type, unsigned helpContext = 0);
// The same dialog, past any handler, owned by the active window.
int ShowMessageDialog(const QString& text, unsigned type, unsigned helpContext);

// Tests replace the dialog: the handler gets text, type and help context
// and answers as the dialog would. Returns the previous handler.
using MessageBoxHandler =
    std::function<int(const QString& text, unsigned type, unsigned helpContext)>;
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The embedded faces the program's own dialogs draw with: the application's,
// once it hands them over (null takes them back), else a set loaded on first use.
// `loadFirst` runs once, before the handed faces are first given out.
void SetApplicationFonts(const TaFonts* fonts, std::function<void()> loadFirst = {});
const TaFonts& ApplicationFonts();
