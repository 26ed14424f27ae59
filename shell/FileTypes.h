// Making the two file types known to the desktop at every start: the texts
// and tables (pure, checked by tests) and the thin part that writes them.
// Every failure here is ignored: the program runs the same without them.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace FileTypes {

inline const QString CalculationMimeType = QStringLiteral("application/x-tarvik-calculation");
inline const QString MemoryMimeType = QStringLiteral("application/x-tarvik-memory");
inline const QString DesktopId = QStringLiteral("numera.desktop");
inline const QString TemplateName = QStringLiteral("Calculation file.tvc");

// ---- freedesktop --------------------------------------------------------

// The program as the first word of an Exec line: quoted when it holds a
// reserved character, with the escapes of the desktop-entry format.
QString ExecProgram(const QString& programPath);

// The desktop entry running programPath (from the template also installed).
QString DesktopEntryText(const QString& programPath);

// The first application a mimeapps.list text names as the default for the
// type; empty when it names none.
QString DefaultApplication(const QString& mimeAppsText, const QString& mimeType);

// The text with desktopId as the type's default application; everything
// else stays as it was.
QString WithDefaultApplication(const QString& mimeAppsText, const QString& mimeType,
                               const QString& desktopId);

// The calculation type is taken only when nobody has it or we already do.
bool MayTakeDefault(const QString& currentDefault, const QString& desktopId);

struct DesktopLocations {
    QString dataHome;    // $XDG_DATA_HOME or ~/.local/share
    QString configHome;  // $XDG_CONFIG_HOME or ~/.config (mimeapps.list)
    QString templates;   // the user's templates folder; empty when none is configured
};

// From the environment and the user-dirs file, as the desktop reads them.
DesktopLocations LocationsFromEnvironment();

// The templates folder named by a user-dirs.dirs text ("$HOME/..." expanded
// with home); empty when it names none or names the home folder itself
// (the desktop's way of turning the folder off).
QString TemplatesFolder(const QString& userDirsText, const QString& home);

// Writes what is missing or out of date and refreshes the desktop's caches
// when their tools are installed. Answers the files it wrote (empty when
// everything was current).
QStringList RegisterDesktopFileTypes(const DesktopLocations& locations, const QString& programPath);

// ---- Windows ------------------------------------------------------------

// One value under HKCU\Software\Classes; an empty name is the key's default.
struct ClassValue {
    QString key;
    QString name;
    QString value;
};

// Every value the two types need, in the order they are written. The
// ".tvc" rows are there only when takeCalculationExtension is true.
QVector<ClassValue> WindowsClassValues(const QString& programPath, bool takeCalculationExtension);

// ".tvc" may be taken when it has no association yet or already ours.
bool MayTakeExtension(const QString& currentClass);

// ---- both ---------------------------------------------------------------

// Registers the file types for the running program the platform's way.
void RegisterFileTypes();

}  // namespace FileTypes
