// The per-user settings store and its section names.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

namespace SettingsSection {
inline const QString Preferences = QStringLiteral("Preferences");
inline const QString RecentFileList = QStringLiteral("Recent File List");
inline const QString Settings = QStringLiteral("Settings");
inline const QString Frame = QStringLiteral("GUI/Frame");
inline const QString BarState = QStringLiteral("GUI/BarState");
inline const QString Keypad = QStringLiteral("GUI/Keypad");
inline const QString Log = QStringLiteral("GUI/Log");
inline const QString Memory = QStringLiteral("GUI/Memory");
inline const QString Editor = QStringLiteral("GUI/Editor");
inline const QString Print = QStringLiteral("Print");
}  // namespace SettingsSection

// HKCU\Software\Tarvik\Numera on Windows, ~/.config/Tarvik/Numera.conf here.
std::unique_ptr<QSettings> OpenSettingsStore();

// An integer value of a section: the stored number when it is one, else the
// default. (Text values in the Linux file count when they spell an integer.)
int ReadProfileInt(QSettings& settings, const QString& key, int defaultValue);
