#include "panels/PanelServices.h"

#include <QFontMetrics>
#include <QWidget>

#include "shell/core/DialogUnits.h"
#include "shell/core/MessageBox.h"
#include "shell/core/SettingsStore.h"

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
    (void)widget;  // templates keep their size whatever the widget's font
    const QSize base = DialogBaseUnits(DialogFont());
    return QSize(x * base.width() / 4, y * base.height() / 8);
}
