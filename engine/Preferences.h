// The process-wide preferences. The engine reads TrigonometricUnits and
// ResultDigits; the shell loads and stores them.
#pragma once

#include <cstdint>

struct PreferencesValues {
    uint32_t AppendPower = 1;
    uint32_t Notation = 0;
    uint32_t LogPopup = 1;
    uint32_t TrigonometricUnits = 0;
    uint32_t UseSSE2 = 0;
    uint32_t FreeConfirmation = 0;
    uint32_t ClearConfirmation = 0;
    // How results show their digits, a code of ResultDigitsFromCode
    // (engine/NumberFormat.h); 0 is "%.19g".
    uint32_t ResultDigits = 0;
};

extern PreferencesValues Preferences;
extern bool PreferencesChanged;
extern bool SSE2Available;
