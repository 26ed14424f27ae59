// Loading and writing the seven process-wide preferences.
#pragma once

#include <QVariant>
#include <cstdint>

class QSettings;

// A stored value as a 32-bit unsigned number; false for a value of another
// type (on Linux: a text that is not a valid unsigned 32-bit integer).
bool ReadPreferenceValue(const QVariant& stored, uint32_t& value);

// Reads "Preferences" into the process-wide values; each missing or invalid
// value takes its default. Sets SSE2Available and the SSE2 switch.
void LoadPreferences(QSettings& settings);

// Writes the seven values when PreferencesChanged is set. True if written.
bool StorePreferences(QSettings& settings);

// Applies UseSSE2 to the runtime switch (only where SSE2Available).
void ApplySSE2Choice();
