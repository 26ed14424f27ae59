// Settings in a fresh temporary directory for the lifetime of the object;
// make it before the first QSettings of the test.
#pragma once

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class TempSettings {
public:
    TempSettings() { Redirect(dir_.path()); }
    TempSettings(const TempSettings&) = delete;
    TempSettings& operator=(const TempSettings&) = delete;

    QString Directory() const { return dir_.path(); }
    // Where the store of the user scope keeps the program's settings.
    QString FilePath() const { return dir_.path() + QStringLiteral("/Tarvik/Numera.conf"); }

    // A fresh view of the store, opened on `group`.
    static std::unique_ptr<QSettings> Open(const QString& group) {
        auto settings =
            std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                        QStringLiteral("Tarvik"), QStringLiteral("Numera"));
        settings->beginGroup(group);
        return settings;
    }

    // Points the user-scope stores (native and INI) and the standard paths
    // away from the real home, so no test reads or writes the user's files.
    static void Redirect(const QString& directory) {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, directory);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, directory);
    }

private:
    QTemporaryDir dir_;
};
