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
};

// Arguments without the program name. A switch starts with '/' or '-'; a
// '/' argument that is no known switch is a path (absolute paths start so).
CommandLineInfo ParseCommandLine(const QStringList& arguments);
