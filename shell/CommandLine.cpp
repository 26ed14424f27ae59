#include "shell/CommandLine.h"

namespace {

bool IsKnownSwitch(const QString& name) {
    for (const char* known : {"p", "pt", "Unregister", "Unregserver", "lang"})
        if (name.compare(QLatin1String(known), Qt::CaseInsensitive) == 0) return true;
    return false;
}

// The translations that ship with the program.
QString ShippedLanguage(const QString& name) {
    for (const char* shipped : {"ru"})
        if (name.compare(QLatin1String(shipped), Qt::CaseInsensitive) == 0)
            return QLatin1String(shipped);
    return QString();
}

}  // namespace

CommandLineInfo ParseCommandLine(const QStringList& arguments) {
    CommandLineInfo info;
    int parameter = 0;  // parameters after the switch: path, printer, driver, port
    bool languageNext = false;
    for (const QString& argument : arguments) {
        if (languageNext) {
            languageNext = false;
            // A language we do not ship is dropped; the program stays English.
            if (!argument.startsWith(QLatin1Char('/')) && !argument.startsWith(QLatin1Char('-'))) {
                info.language = ShippedLanguage(argument);
                continue;
            }
        }
        const bool slash = argument.startsWith(QLatin1Char('/'));
        const bool dash = argument.startsWith(QLatin1Char('-'));
        if ((slash && IsKnownSwitch(argument.mid(1))) || (dash && argument.size() > 1)) {
            const QString name = argument.mid(1);
            if (name.compare(QLatin1String("pt"), Qt::CaseInsensitive) == 0)
                info.kind = CommandLineInfo::PrintTo;
            else if (name.compare(QLatin1String("p"), Qt::CaseInsensitive) == 0)
                info.kind = CommandLineInfo::PrintFile;
            else if (name.compare(QLatin1String("Unregister"), Qt::CaseInsensitive) == 0 ||
                     name.compare(QLatin1String("Unregserver"), Qt::CaseInsensitive) == 0)
                info.kind = CommandLineInfo::Unregister;
            else if (name.compare(QLatin1String("lang"), Qt::CaseInsensitive) == 0)
                languageNext = true;
            // Unknown switches are ignored.
            continue;
        }
        switch (parameter++) {
            case 0:
                info.path = argument;
                if (info.kind == CommandLineInfo::NewDocument)
                    info.kind = CommandLineInfo::OpenFile;
                break;
            case 1:
                info.printer = argument;
                break;
            case 2:
                info.driver = argument;
                break;
            case 3:
                info.port = argument;
                break;
            default:
                break;
        }
    }
    return info;
}
