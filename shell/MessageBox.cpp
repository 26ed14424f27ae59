#include "MessageBox.h"

#include <QApplication>

#include "StringIds.h"
#include "TaFonts.h"
#include "TaMessageDialog.h"
#include "TaResources.h"

namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

const TaFonts*& HandedFonts() {
    static const TaFonts* fonts = nullptr;
    return fonts;
}

}  // namespace

MessageKind MessageKindOf(unsigned type) {
    MessageKind kind = MessageKind::Informs;
    switch (type & MB_ICONMASK) {
        case MB_ICONSTOP:
            kind = MessageKind::Stops;
            break;
        case MB_ICONQUESTION:
            kind = MessageKind::Asks;
            break;
        case MB_ICONEXCLAMATION:
            kind = MessageKind::Warns;
            break;
        default:
            break;
    }
    const unsigned buttons = type & MB_TYPEMASK;
    if (kind == MessageKind::Informs && (buttons == MB_YESNO || buttons == MB_YESNOCANCEL))
        kind = MessageKind::Asks;
    return kind;
}

int MessageCaptionId(MessageKind kind) {
    switch (kind) {
        case MessageKind::Stops:
            return StringId::CaptionStops;
        case MessageKind::Asks:
            return StringId::CaptionAsks;
        case MessageKind::Warns:
            return StringId::CaptionWarns;
        case MessageKind::Informs:
            break;
    }
    return StringId::CaptionInforms;
}

QVector<MessageButton> MessageButtonsOf(unsigned type) {
    using namespace StringId;
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{ButtonOk, IDOK}, {ButtonCancel, IDCANCEL}};
        case MB_ABORTRETRYIGNORE:
            return {{ButtonAbort, IDABORT}, {ButtonRetry, IDRETRY}, {ButtonIgnore, IDIGNORE}};
        case MB_YESNOCANCEL:
            return {{ButtonYes, IDYES}, {ButtonNo, IDNO}, {ButtonCancel, IDCANCEL}};
        case MB_YESNO:
            return {{ButtonYes, IDYES}, {ButtonNo, IDNO}};
        case MB_RETRYCANCEL:
            return {{ButtonRetry, IDRETRY}, {ButtonCancel, IDCANCEL}};
        case MB_CANCELTRYCONTINUE:
            return {{ButtonCancel, IDCANCEL},
                    {ButtonTryAgain, IDTRYAGAIN},
                    {ButtonContinue, IDCONTINUE}};
        default:
            return {{ButtonClose, IDOK}};
    }
}

int MessageDefaultButton(unsigned type) {
    const int index = static_cast<int>((type & MB_DEFMASK) >> 8);
    return index < MessageButtonsOf(type).size() ? index : 0;
}

unsigned MessageHelpId(unsigned promptId) { return promptId != 0 ? 0x10000u + promptId : 128u; }

QPair<QString, QString> MessageLines(const QString& text) {
    const qsizetype first = text.indexOf(QLatin1Char('\n'));
    if (first < 0) return {text, QString()};
    const qsizetype second = text.indexOf(QLatin1Char('\n'), first + 1);
    return {text.left(first),
            second < 0 ? text.mid(first + 1) : text.mid(first + 1, second - first - 1)};
}

int AppMessageBox(const QString& text, unsigned type, unsigned helpContext) {
    if (Handler()) return Handler()(text, type, helpContext);
    // The message dialog beeps itself and keeps 0x10000 + id as its help id.
    return TaMessageBox(QApplication::activeWindow(), text, type, helpContext, ApplicationFonts());
}

void SetApplicationFonts(const TaFonts* fonts) { HandedFonts() = fonts; }

const TaFonts& ApplicationFonts() {
    if (const TaFonts* fonts = HandedFonts()) return *fonts;
    // Without the application (tools, tests) a set of its own, kept to the
    // end of the process.
    static const TaFonts* own = [] {
        TaInitResources();
        auto* fonts = new TaFonts;
        fonts->Load();
        return fonts;
    }();
    return *own;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}
