// Shared by the panel tests: settings in a temporary directory, scripted
// answers for questions, engine helpers.
#pragma once

#include <QList>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "engine/CalculateText.h"
#include "engine/MemoryStore.h"
#include "toolkit/MessageBoxTypes.h"
#include "panels/PanelServices.h"
#include "engine/Preferences.h"

// Points the native settings store at a fresh temporary directory.
class TempSettings {
public:
    TempSettings() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    }
    // A fresh view of the store, opened on `group`.
    static std::unique_ptr<QSettings> Open(const QString& group) {
        auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                    QStringLiteral("Tarvik"), QStringLiteral("Numera"));
        settings->beginGroup(group);
        return settings;
    }
    QString Directory() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

struct Asked {
    QString text;
    unsigned type;
    unsigned help;
};

// Records every question and answers from a queue (IDCANCEL once it is empty).
class ScriptedAsk {
public:
    explicit ScriptedAsk(QList<int> answers = {}) : answers(std::move(answers)) {}
    PanelAsk Function() {
        return [this](const QString& text, unsigned type, unsigned help) {
            asked.append({text, type, help});
            return answers.isEmpty() ? IDCANCEL : answers.takeFirst();
        };
    }
    QStringList Texts() const {
        QStringList texts;
        for (const Asked& question : asked) texts.append(question.text);
        return texts;
    }

    QList<Asked> asked;
    QList<int> answers;
};

// Calculates every cell of `text` as the editor would and answers the new text.
inline QString CalculateAll(const QString& text) {
    std::u16string units = text.toStdU16String();
    int32_t position = -1;
    NCalculatorText::CalculateText(units, position);
    return QString::fromStdU16String(units);
}

// Empties the store and leaves its changed flag clear.
inline void ResetMemory() {
    NCalculatorText::MemoryStore::Instance().Clear();
    NCalculatorText::MemoryStore::Instance().changed = false;
}

// Preferences as at a first start.
inline void ResetPreferences() {
    Preferences = PreferencesValues{};
    PreferencesChanged = false;
}
