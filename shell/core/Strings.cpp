#include <QCoreApplication>

#include "shell/core/StringIds.h"
#include "toolkit/TaStrings.h"

namespace {
const char* const kContext = "Strings";
}

QString LoadString(int id) {
    const char* source = nullptr;
    switch (id) {
        case StringId::AppTitle:
            source = "Numera";
            break;
        case StringId::ClearAllQuestion:
            source = "Clear all the calculations?";
            break;
        case StringId::EraseMemoryQuestion:
            source = "Erase all the memory?";
            break;
        case StringId::CannotOpenForReading:
            source = "Cannot open the file for reading.";
            break;
        case StringId::CannotReadFile:
            source = "Cannot read the file.";
            break;
        case StringId::CannotOpenForWriting:
            source = "Cannot open the file for writing.";
            break;
        case StringId::FileNotFound:
            source = "File \u201c%s\u201d is not found.\nVerify the file name and try again.";
            break;
        case StringId::FileExists:
            source = "File \u201c%s\u201d already exists.\nDo you wish to overwrite it?";
            break;
        case StringId::SaveChangesQuestion:
            source = "Save changes to \u201c%1\u201d?";
            break;
        case StringId::SaveAsTitle:
            source = "Save As";
            break;
        case StringId::Untitled:
            source = "Untitled";
            break;
        default:
            // The message dialog's captions and buttons are the toolkit's.
            return TaLoadString(id);
    }
    return QCoreApplication::translate(kContext, source);
}

namespace DocTemplate {
QString WindowTitle() { return QCoreApplication::translate(kContext, "Tarvik F"); }
QString DocumentName() { return QCoreApplication::translate(kContext, "Calculation"); }
QString FilterExtension() { return QStringLiteral(".tvc"); }
}  // namespace DocTemplate
