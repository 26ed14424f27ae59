#include "shell/core/SettingsStore.h"

std::unique_ptr<QSettings> OpenSettingsStore() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Tarvik"), QStringLiteral("Numera"));
}

int ReadProfileInt(QSettings& settings, const QString& key, int defaultValue) {
    const QVariant value = settings.value(key);
    if (!value.isValid()) return defaultValue;
    bool ok = false;
    int number = 0;
    if (value.typeId() == QMetaType::QString) {
        number = value.toString().trimmed().toInt(&ok);
    } else if (value.canConvert<int>()) {
        number = value.toInt(&ok);
    }
    return ok ? number : defaultValue;
}
