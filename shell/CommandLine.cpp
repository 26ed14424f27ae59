#include "shell/CommandLine.h"

namespace {

bool IsKnownSwitch(const QString& name) {
    for (const char* known : {"p", "pt", "Unregister", "Unregserver"})
        if (name.compare(QLatin1String(known), Qt::CaseInsensitive) == 0) return true;
    return false;
}

}  // namespace

CommandLineInfo ParseCommandLine(const QStringList& arguments) {
    CommandLineInfo info;
    int parameter = 0;  // parameters after the switch: path, printer, driver, port
    for (const QString& argument : arguments) {
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
