// The process-wide preferences, memory and last result as at start-up, for
// tests that build a document or a window of their own.
#pragma once

#include "engine/MemoryStore.h"
#include "engine/Preferences.h"

inline void ResetProcessState() {
    Preferences = PreferencesValues{};
    NCalculatorText::MemoryStore::Instance().Clear();
    NCalculatorText::lastResult = 0;
}
