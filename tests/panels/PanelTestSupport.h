// Shared by the panel tests: settings in a temporary directory, scripted
// answers for questions, engine helpers.
#pragma once

#include <QString>
#include <string>

#include "engine/CalculateText.h"
#include "engine/MemoryStore.h"
#include "engine/Preferences.h"
#include "panels/PanelServices.h"
#include "tests/support/ScriptedAnswers.h"
#include "tests/support/TempSettings.h"
#include "toolkit/MessageBoxTypes.h"

// The panel suites' names for the shared scripted answers.
using Asked = AskedQuestion;
using ScriptedAsk = ScriptedAnswers;

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
