// The program's command line.
#pragma once

#include <QString>
#include <QStringList>

struct CommandLineInfo {
    enum Kind { NewDocument, OpenFile, PrintFile, PrintTo, Unregister };
    Kind kind = NewDocument;
    QString path;
    QString printer;
    QString driver;
    QString port;
    // "/lang ru": the language of the texts, one we ship, else empty (English).
    QString language;
};

// Arguments without the program name. A switch starts with '/' or '-'; a
// '/' argument that is no known switch is a path (absolute paths start so).
// "/lang" takes the next argument as its language, before or after the path.
CommandLineInfo ParseCommandLine(const QStringList& arguments);
