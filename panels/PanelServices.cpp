#include "PanelServices.h"

#include <QFontMetrics>
#include <QWidget>

#include "MessageBox.h"
#include "SettingsStore.h"

PanelAsk DefaultPanelAsk() {
    return [](const QString& text, unsigned type, unsigned help) { return AppMessageBox(text, type, help); };
}

std::unique_ptr<QSettings> OpenPanelSettings(const QString& group) {
    std::unique_ptr<QSettings> settings = OpenSettingsStore();
    settings->beginGroup(group);
    return settings;
}

int ReadPanelInt(QSettings& settings, const QString& key, int fallback) {
    const QVariant value = settings.value(key);
    if (!value.isValid()) return fallback;
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return static_cast<int>(static_cast<uint32_t>(value.toLongLong()));
        case QMetaType::QString: {
            bool ok = false;
            const uint number = value.toString().toUInt(&ok);
            return ok ? static_cast<int>(number) : fallback;
        }
        default:
            return fallback;
    }
}

QSize PanelDialogUnits(const QWidget* widget, int x, int y) {
    // The platform's base units: average width of the alphabet and the line height.
    const QFontMetrics metrics(widget->font());
    const int alphabet = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int baseX = (alphabet / 26 + 1) / 2;
    const int baseY = metrics.height();
    return QSize(x * baseX / 4, y * baseY / 8);
}
