#include "toolkit/TaStrings.h"

#include <QCoreApplication>

namespace {

using namespace TaStringId;

constexpr TaStringEntry kStrings[] = {
    {CaptionAsks, QT_TRANSLATE_NOOP("Strings", "Calculator asks")},
    {CaptionWarns, QT_TRANSLATE_NOOP("Strings", "Calculator warns")},
    {CaptionInforms, QT_TRANSLATE_NOOP("Strings", "Calculator informs")},
    {CaptionStops, QT_TRANSLATE_NOOP("Strings", "Calculator stops")},
    {ButtonClose, QT_TRANSLATE_NOOP("Strings", "Close")},
    {ButtonOk, QT_TRANSLATE_NOOP("Strings", "OK")},
    {ButtonYes, QT_TRANSLATE_NOOP("Strings", "Yes")},
    {ButtonNo, QT_TRANSLATE_NOOP("Strings", "No")},
    {ButtonCancel, QT_TRANSLATE_NOOP("Strings", "Cancel")},
    {ButtonContinue, QT_TRANSLATE_NOOP("Strings", "Continue")},
    {ButtonRetry, QT_TRANSLATE_NOOP("Strings", "Retry")},
    {ButtonAbort, QT_TRANSLATE_NOOP("Strings", "Abort")},
    {ButtonIgnore, QT_TRANSLATE_NOOP("Strings", "Ignore")},
    {ButtonTryAgain, QT_TRANSLATE_NOOP("Strings", "Try again")},
};

}  // namespace

std::span<const TaStringEntry> TaStringTable() { return kStrings; }

QString TaLoadString(int id) {
    for (const TaStringEntry& entry : kStrings)
        if (entry.id == id) return QCoreApplication::translate(kStringsContext, entry.source);
    return QString();
}
