// The per-user settings store and its section names.
#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <optional>

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
// The last folder of each kind of file dialog (our own section).
inline const QString Folders = QStringLiteral("GUI/Folders");
inline const QString Print = QStringLiteral("Print");
}  // namespace SettingsSection

// Where the store lives: HKCU\Software\<Maker>\<Product> on Windows,
// <config folder>/<Maker>/<Product>.conf here.
namespace SettingsLocation {
inline const QString Maker = QStringLiteral("Tarvik");
inline const QString Product = QStringLiteral("Numera");
#ifndef Q_OS_WIN
// The per-user or the system-wide store file, found without opening any store.
QString StoreFile(QSettings::Scope scope);
#endif
}  // namespace SettingsLocation

// The store. When a file the store would read is there but is not a regular file (a
// FIFO, a directory, a device, a dangling link), opening it could block or
// fail: the store then keeps its values in this process only and never reads
// or writes any file (see MemoryOnlySettingsPath).
std::unique_ptr<QSettings> OpenSettingsStore();

// The store as the user knows it: its file, or its registry key on Windows.
QString SettingsStoreName();

// The path the memory-only store lives at: below /dev/null, where nothing can
// be read and no file, folder or lock file can be made.
QString MemoryOnlySettingsPath();

// The one rule for integer values, the same in every section:
// - a number of any integer type from INT32_MIN to UINT32_MAX is taken as a
//   32-bit value: values written signed read as written ("-20" is -20), and
//   DWORD-style values above INT32_MAX keep their bit pattern ("4294967295"
//   is -1, "2147483648" is INT32_MIN);
// - where the store keeps no types (the file, not the registry), a text
//   counts when it is exactly an optional "-" and decimal digits. Anything
//   else is not a number, surrounding blanks included (" 7", "7 ", "+7",
//   "12abc", ""): nothing here writes blanks, and trimming would accept hand
//   edits the registry would refuse as text. Blanks outside quotes in the
//   file belong to its format and are gone before this rule sees the text
//   (Key= 7 is "7", Key=" 7" is " 7");
// - any other type (lists, byte arrays, booleans, reals) is not a number.
// Not a number means missing: nothing, and the reader's default.
std::optional<int32_t> ProfileIntOf(const QVariant& stored);
int ReadProfileInt(const QSettings& settings, const QString& key, int defaultValue);
// Integers are written as integers: "-20" in the file, a DWORD in the registry.
void WriteProfileInt(QSettings& settings, const QString& key, int value);

// A text value: the stored text when the value is text, else the default
// (an "@Variant(int 5)" or a byte array is not a face name "5").
QString ReadProfileString(const QSettings& settings, const QString& key,
                          const QString& defaultValue);
void WriteProfileString(QSettings& settings, const QString& key, const QString& value);
