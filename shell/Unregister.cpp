#include "shell/Unregister.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kOrganization = QStringLiteral("Tarvik");
const QString kApplication = QStringLiteral("Numera");

}  // namespace

#ifdef Q_OS_WIN
bool RemoveProgramSettings() {
    QSettings maker(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + kOrganization,
                    QSettings::NativeFormat);
    maker.remove(kApplication);
    maker.sync();
    const bool removed =
        maker.status() == QSettings::NoError && !maker.childGroups().contains(kApplication);
    if (maker.childGroups().isEmpty() && maker.childKeys().isEmpty()) {
        QSettings software(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat);
        software.remove(kOrganization);
    }
    return removed;
}
#else
bool RemoveProgramSettings() {
    // The file's place from a store of a name that owns no file: opening the
    // program's own store would read a file that may be no regular file.
    const QSettings probe(QSettings::NativeFormat, QSettings::UserScope,
                          QStringLiteral(".numera-probe"), QStringLiteral("probe"));
    const QString folder =
        QFileInfo(QFileInfo(probe.fileName()).path()).path() + QLatin1Char('/') + kOrganization;
    const QString file = folder + QLatin1Char('/') + kApplication + QStringLiteral(".conf");
    const QFileInfo info(file);
    if (info.exists() || info.isSymLink()) QFile::remove(file);
    // Only an empty folder goes; rmdir refuses any other.
    QDir().rmdir(folder);
    const QFileInfo after(file);
    return !after.exists() && !after.isSymLink();
}
#endif
