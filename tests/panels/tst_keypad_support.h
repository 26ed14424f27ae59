// Shared pieces of the keypad tests: a receiver that records what it gets
// and settings kept in a temporary directory.
#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "document/ICmdReceiver.h"
#include "panels/KeypadSettings.h"
#include "shell/core/SettingsStore.h"
#include "tests/support/TempSettings.h"

class RecordingReceiver : public ICmdReceiver {
public:
    // "insert:<text>" or "command:<code>", in order.
    QStringList calls;

    void ExecuteCommand(int command) override {
        calls << QStringLiteral("command:%1").arg(command);
    }
    void InsertText(const QString& text) override { calls << QStringLiteral("insert:") + text; }
};

// Points the user settings at a fresh temporary directory; call before the
// first QSettings is made.
inline std::unique_ptr<QTemporaryDir> RedirectSettings() {
    auto dir = std::make_unique<QTemporaryDir>();
    TempSettings::Redirect(dir->path());
    return dir;
}

inline void ClearKeypadSettings() {
    const std::unique_ptr<QSettings> settings = OpenSettingsStore();
    settings->remove(Keypad::SettingsGroup);
    settings->sync();
}

// The offscreen platform warns each time a window's size limits change.
inline void SilenceSizeHintWarnings() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (text.contains(QLatin1String("propagateSizeHints"))) return;
            if (previous) previous(type, context, text);
        });
}
