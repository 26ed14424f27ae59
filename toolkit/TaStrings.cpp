#include "toolkit/TaStrings.h"

#include <QCoreApplication>

QString TaLoadString(int id) {
    using namespace TaStringId;
    const char* source = nullptr;
    switch (id) {
        case CaptionAsks:
            source = "Calculator asks";
            break;
        case CaptionWarns:
            source = "Calculator warns";
            break;
        case CaptionInforms:
            source = "Calculator informs";
            break;
        case CaptionStops:
            source = "Calculator stops";
            break;
        case ButtonClose:
            source = "Close";
            break;
        case ButtonOk:
            source = "OK";
            break;
        case ButtonYes:
            source = "Yes";
            break;
        case ButtonNo:
            source = "No";
            break;
        case ButtonCancel:
            source = "Cancel";
            break;
        case ButtonContinue:
            source = "Continue";
            break;
        case ButtonRetry:
            source = "Retry";
            break;
        case ButtonAbort:
            source = "Abort";
            break;
        case ButtonIgnore:
            source = "Ignore";
            break;
        case ButtonTryAgain:
            source = "Try again";
            break;
        default:
            return QString();
    }
    // Same context as the application's string table, so one translation serves both.
    return QCoreApplication::translate("Strings", source);
}
