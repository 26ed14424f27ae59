#include <QCoreApplication>

#include "shell/core/StringIds.h"
#include "toolkit/TaStrings.h"

namespace {

// Literal sources in one literal context, so lupdate finds every text.
constexpr StringEntry kStrings[] = {
    {StringId::AppTitle, QT_TRANSLATE_NOOP("Strings", "Numera")},
    {StringId::ClearAllQuestion, QT_TRANSLATE_NOOP("Strings", "Clear all the calculations?")},
    {StringId::EraseMemoryQuestion, QT_TRANSLATE_NOOP("Strings", "Erase all the memory?")},
    {StringId::CannotOpenForReading,
     QT_TRANSLATE_NOOP("Strings", "Cannot open the file for reading.")},
    {StringId::CannotReadFile, QT_TRANSLATE_NOOP("Strings", "Cannot read the file.")},
    {StringId::CannotOpenForWriting,
     QT_TRANSLATE_NOOP("Strings", "Cannot open the file for writing.")},
    {StringId::CouldNotStartPrintJob, QT_TRANSLATE_NOOP("Strings", "Could not start print job.")},
    {StringId::FileNotFound,
     QT_TRANSLATE_NOOP("Strings",
                       "File \u201c%s\u201d is not found.\nVerify the file name and try again.")},
    {StringId::FileExists,
     QT_TRANSLATE_NOOP("Strings",
                       "File \u201c%s\u201d already exists.\nDo you wish to overwrite it?")},
    {StringId::OfPages, QT_TRANSLATE_NOOP("Strings", "Of %u page   ")},
    {StringId::PrintingCancelled, QT_TRANSLATE_NOOP("Strings", "The printing was cancelled.")},
    {StringId::SaveChangesQuestion,
     QT_TRANSLATE_NOOP("Strings", "Save changes to \u201c%1\u201d?")},
    {StringId::RecoveryQuestion,
     QT_TRANSLATE_NOOP("Strings",
                       "The calculation \u201c%1\u201d was not saved when Numera ended "
                       "unexpectedly at %2. Recover it?")},
    {StringId::RecoveryRefused,
     QT_TRANSLATE_NOOP("Strings",
                       "A recovery copy of unsaved work cannot be used: %1\nIt was kept as %2.")},
    {StringId::RecoveryCorrupt, QT_TRANSLATE_NOOP("Strings", "the copy is damaged.")},
    {StringId::RecoveryTruncated, QT_TRANSLATE_NOOP("Strings", "the copy is incomplete.")},
    {StringId::RecoveryNewerFormat,
     QT_TRANSLATE_NOOP("Strings", "the copy was written by a newer version of Numera.")},
    {StringId::RecoveryTooLarge,
     QT_TRANSLATE_NOOP("Strings", "the copy holds more text than Numera opens.")},
    {StringId::RecoveryUnavailable,
     QT_TRANSLATE_NOOP("Strings",
                       "Numera cannot keep recovery copies of unsaved work in %1.\nUntil it "
                       "can, work that is not saved is lost if Numera ends unexpectedly.")},
    {StringId::ChangedOnDiskQuestion,
     QT_TRANSLATE_NOOP("Strings",
                       "\u201c%1\u201d was changed by another program after it was opened or "
                       "saved here.\nDo you want to overwrite it?\n\nYes overwrites it, No saves "
                       "under another name, Cancel does not save.")},
    {StringId::SettingsUnwritable,
     QT_TRANSLATE_NOOP("Strings",
                       "Numera cannot save its settings in %1.\nChanges to the window, the "
                       "preferences and the recent files last only until Numera ends.")},
    {StringId::SaveAsTitle, QT_TRANSLATE_NOOP("Strings", "Save As")},
    {StringId::Untitled, QT_TRANSLATE_NOOP("Strings", "Untitled")},
    {StringId::UnregisterDone,
     QT_TRANSLATE_NOOP("Strings",
                       "System registry entries have been removed and the INI file (if "
                       "any) was deleted.")},
    {StringId::UnregisterFailed,
     QT_TRANSLATE_NOOP("Strings",
                       "Not all of the system registry entries (or INI file) were "
                       "removed.")},
};

}  // namespace

std::span<const StringEntry> StringTable() { return kStrings; }

QString LoadString(int id) {
    for (const StringEntry& entry : kStrings)
        if (entry.id == id) return QCoreApplication::translate(kStringsContext, entry.source);
    // The message dialog's captions and buttons are the toolkit's.
    return TaLoadString(id);
}

namespace DocTemplate {
QString WindowTitle() { return QCoreApplication::translate("Strings", "Tarvik F"); }
QString DocumentName() { return QCoreApplication::translate("Strings", "Calculation"); }
QString FilterExtension() { return QStringLiteral(".tvc"); }
}  // namespace DocTemplate
