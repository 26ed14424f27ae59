// Loading and writing the process-wide preferences: the seven and ResultDigits.
#pragma once

#include <cstdint>

class QSettings;

// Reads "Preferences" into the process-wide values; each missing or invalid
// value takes its default. Sets SSE2Available and the SSE2 switch.
void LoadPreferences(QSettings& settings);

// Writes every value when PreferencesChanged is set. True if written.
bool StorePreferences(QSettings& settings);

// Applies UseSSE2 to the runtime switch (only where SSE2Available).
void ApplySSE2Choice();
