#include "panels/PanelServices.h"

#include <QFontMetrics>
#include <QWidget>

#include "shell/core/DialogUnits.h"
#include "shell/core/MessageBox.h"
#include "shell/core/SettingsStore.h"

PanelAsk DefaultPanelAsk() {
    return [](const QString& text, unsigned type, unsigned help) {
        return AppMessageBox(text, type, help);
    };
}

std::unique_ptr<QSettings> OpenPanelSettings(const QString& group) {
    std::unique_ptr<QSettings> settings = OpenSettingsStore();
    settings->beginGroup(group);
    return settings;
}

QSize PanelDialogUnits(const QWidget* widget, int x, int y) {
    (void)widget;  // templates keep their size whatever the widget's font
    const QSize base = DialogBaseUnits(DialogFont());
    return QSize(x * base.width() / 4, y * base.height() / 8);
}
