#include "shell/Unregister.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "shell/core/SettingsStore.h"

#ifdef Q_OS_WIN
using SettingsLocation::Maker;
using SettingsLocation::Product;

bool RemoveProgramSettings() {
    QSettings maker(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + Maker,
                    QSettings::NativeFormat);
    maker.remove(Product);
    maker.sync();
    const bool removed =
        maker.status() == QSettings::NoError && !maker.childGroups().contains(Product);
    if (maker.childGroups().isEmpty() && maker.childKeys().isEmpty()) {
        QSettings software(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat);
        software.remove(Maker);
    }
    return removed;
}
#else
bool RemoveProgramSettings() {
    // Found without opening the program's own store, which would read a file
    // that may be no regular file.
    const QString file = SettingsLocation::StoreFile(QSettings::UserScope);
    const QString folder = QFileInfo(file).path();
    const QFileInfo info(file);
    if (info.exists() || info.isSymLink()) QFile::remove(file);
    // Only an empty folder goes; rmdir refuses any other.
    QDir().rmdir(folder);
    const QFileInfo after(file);
    return !after.exists() && !after.isSymLink();
}
#endif
