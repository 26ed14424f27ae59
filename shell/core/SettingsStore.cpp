#include "shell/core/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <limits>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

using SettingsLocation::Maker;
using SettingsLocation::Product;

#ifndef Q_OS_WIN
// True when the path is absent, a regular file or a link to one; everything
// else would be opened by QSettings with no way to tell it not to. lstat and
// stat look at the entry without opening it, so a FIFO cannot block here.
bool SafeToOpen(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat entry {};
    if (lstat(native.constData(), &entry) != 0) return true;  // nothing there
    if (S_ISREG(entry.st_mode)) return true;
    if (!S_ISLNK(entry.st_mode)) return false;
    struct stat target {};
    return stat(native.constData(), &target) == 0 && S_ISREG(target.st_mode);
}

// The files QSettings reads for the maker and product, without constructing
// one for them (that reads them).
QStringList StoreFiles() {
    QStringList files;
    for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
        const QString file = SettingsLocation::StoreFile(scope);
        files << file << QFileInfo(file).path() + QStringLiteral(".conf");  // the maker's own
    }
    return files;
}
#endif

// Exactly an optional "-" and at least one decimal digit.
bool IsDecimalText(const QString& text) {
    const qsizetype start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (text.size() == start) return false;
    for (qsizetype i = start; i < text.size(); ++i)
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9')) return false;
    return true;
}

std::optional<int32_t> As32Bits(long long number) {
    if (number < std::numeric_limits<int32_t>::min() ||
        number > static_cast<long long>(std::numeric_limits<uint32_t>::max()))
        return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(number));
}

}  // namespace

#ifndef Q_OS_WIN
// A store of a name that owns no files tells the folder: its file is
// "<folder>/<maker>/<product>.conf".
QString SettingsLocation::StoreFile(QSettings::Scope scope) {
    const QSettings probe(QSettings::NativeFormat, scope, QStringLiteral(".numera-probe"),
                          QStringLiteral("probe"));
    return QFileInfo(QFileInfo(probe.fileName()).path()).path() + QLatin1Char('/') + Maker +
           QLatin1Char('/') + Product + QStringLiteral(".conf");
}
#endif

QString MemoryOnlySettingsPath() {
    return QStringLiteral("/dev/null/") + Maker + QLatin1Char('/') + Product +
           QStringLiteral(".conf");
}

QString SettingsStoreName() {
#ifndef Q_OS_WIN
    return SettingsLocation::StoreFile(QSettings::UserScope);
#else
    return OpenSettingsStore()->fileName();
#endif
}

std::unique_ptr<QSettings> OpenSettingsStore() {
#ifndef Q_OS_WIN
    for (const QString& file : StoreFiles())
        if (!SafeToOpen(file))
            return std::make_unique<QSettings>(MemoryOnlySettingsPath(), QSettings::IniFormat);
#endif
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, Maker,
                                       Product);
}

std::optional<int32_t> ProfileIntOf(const QVariant& stored) {
    switch (stored.typeId()) {
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::Long:
        case QMetaType::LongLong:
            return As32Bits(stored.toLongLong());
        case QMetaType::UInt:
        case QMetaType::UShort:
        case QMetaType::ULong:
        case QMetaType::ULongLong: {
            const qulonglong number = stored.toULongLong();
            if (number > std::numeric_limits<uint32_t>::max()) return std::nullopt;
            return As32Bits(static_cast<long long>(number));
        }
#ifndef Q_OS_WIN
        // The registry keeps types and a text there is never a number.
        case QMetaType::QString: {
            const QString text = stored.toString();
            if (!IsDecimalText(text)) return std::nullopt;
            bool ok = false;
            const long long number = text.toLongLong(&ok, 10);
            return ok ? As32Bits(number) : std::nullopt;
        }
#endif
        default:
            return std::nullopt;
    }
}

int ReadProfileInt(const QSettings& settings, const QString& key, int defaultValue) {
    return ProfileIntOf(settings.value(key)).value_or(defaultValue);
}

void WriteProfileInt(QSettings& settings, const QString& key, int value) {
    settings.setValue(key, value);
}

QString ReadProfileString(const QSettings& settings, const QString& key,
                          const QString& defaultValue) {
    const QVariant stored = settings.value(key);
    return stored.typeId() == QMetaType::QString ? stored.toString() : defaultValue;
}

void WriteProfileString(QSettings& settings, const QString& key, const QString& value) {
    settings.setValue(key, value);
}
