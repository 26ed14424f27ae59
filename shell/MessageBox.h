// The program's one message-box operation, with the platform's flag and
// answer values, and the tables that decide caption, buttons and default.
#pragma once

#include <QString>
#include <QVector>
#include <functional>

// The platform's flag and answer values. The toolkit declares the same set;
// use its header where it is on the include path so both can meet in one file.
#if __has_include("MessageBoxTypes.h")
#include "MessageBoxTypes.h"
#else
// Buttons (low 4 bits).
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_RETRYCANCEL = 0x5;
inline constexpr unsigned MB_CANCELTRYCONTINUE = 0x6;
inline constexpr unsigned MB_TYPEMASK = 0xF;

// Icon (next 4 bits).
inline constexpr unsigned MB_ICONSTOP = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_ICONMASK = 0xF0;

// Default button (bits 8-11).
inline constexpr unsigned MB_DEFBUTTON1 = 0x000;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;
inline constexpr unsigned MB_DEFBUTTON4 = 0x300;
inline constexpr unsigned MB_DEFMASK = 0xF00;

// Answers.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDTRYAGAIN = 10;
inline constexpr int IDCONTINUE = 11;
#endif

enum class MessageKind { Stops, Asks, Warns, Informs };

struct MessageButton {
    int captionId;  // string id of the caption
    int result;     // IDOK, IDYES, ...
};

// Kind by the icon bits; Yes/No and Yes/No/Cancel turn "informs" into "asks".
MessageKind MessageKindOf(unsigned type);
// String id of the caption of that kind.
int MessageCaptionId(MessageKind kind);
// Buttons left to right.
QVector<MessageButton> MessageButtonsOf(unsigned type);
// Index of the default button.
int MessageDefaultButton(unsigned type);
// Help id of the dialog: 0x10000 + prompt id, or 128 without one.
unsigned MessageHelpId(unsigned promptId);
// The first line and the second (empty when there is none).
QPair<QString, QString> MessageLines(const QString& text);

// Shows a message modally and answers the button pressed.
// helpContext: the prompt's string id or help context, 0 for none.
int AppMessageBox(const QString& text, unsigned type, unsigned helpContext = 0);

// Tests replace the dialog: the handler gets text, type and help context
// and answers as the dialog would. Returns the previous handler.
using MessageBoxHandler =
    std::function<int(const QString& text, unsigned type, unsigned helpContext)>;
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
