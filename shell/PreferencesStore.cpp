#include "shell/PreferencesStore.h"

#include <QSettings>

#include "engine/NumberFormat.h"
#include "engine/Preferences.h"
#include "shell/core/SettingsStore.h"

#if defined(_MSC_VER) && defined(_M_IX86)
#include <math.h>
#define NUMERA_HAS_SSE2_SWITCH 1
#endif

namespace {

// The runtime's switch between SSE2 and x87 elementary functions exists only
// in the 32-bit Windows runtime; elsewhere it never takes effect.
bool SetSSE2Switch(bool on) {
#ifdef NUMERA_HAS_SSE2_SWITCH
    return _set_SSE2_enable(on ? 1 : 0) != 0;
#else
    (void)on;
    return false;
#endif
}

struct Field {
    const char* name;
    uint32_t PreferencesValues::*member;
    uint32_t maximum;  // larger values read as the default
};

const Field kFields[] = {
    {"AppendPower", &PreferencesValues::AppendPower, UINT32_MAX},
    {"Notation", &PreferencesValues::Notation, 1},
    {"LogPopup", &PreferencesValues::LogPopup, UINT32_MAX},
    {"TrigonometricUnits", &PreferencesValues::TrigonometricUnits, 2},
    {"UseSSE2", &PreferencesValues::UseSSE2, UINT32_MAX},
    {"FreeConfirmation", &PreferencesValues::FreeConfirmation, UINT32_MAX},
    {"ClearConfirmation", &PreferencesValues::ClearConfirmation, UINT32_MAX},
    // Beside the seven, under its own name; only the codes of a choice read.
    {"ResultDigits", &PreferencesValues::ResultDigits, UINT32_MAX},
};

bool Accepts(const Field& field, uint32_t value) {
    if (field.member == &PreferencesValues::ResultDigits) {
        NCalculatorText::ResultDigits digits;
        return NCalculatorText::ResultDigitsFromCode(value, digits);
    }
    return value <= field.maximum;
}

}  // namespace

void LoadPreferences(QSettings& settings) {
    SSE2Available = SetSSE2Switch(true);

    const PreferencesValues defaults;
    settings.beginGroup(SettingsSection::Preferences);
    for (const Field& field : kFields) {
        // The maxima compare unsigned: a stored -1 is 0xFFFFFFFF.
        const std::optional<int32_t> stored =
            ProfileIntOf(settings.value(QLatin1String(field.name)));
        const uint32_t value = stored ? static_cast<uint32_t>(*stored) : 0;
        Preferences.*field.member =
            stored && Accepts(field, value) ? value : defaults.*field.member;
    }
    settings.endGroup();

    SetSSE2Switch(SSE2Available && Preferences.UseSSE2 != 0);
}

bool StorePreferences(QSettings& settings) {
    if (!PreferencesChanged) return false;
    if (!settings.isWritable()) return false;
    settings.beginGroup(SettingsSection::Preferences);
    for (const Field& field : kFields)
        WriteProfileInt(settings, QLatin1String(field.name),
                        static_cast<int>(Preferences.*field.member));
    settings.endGroup();
    settings.sync();
    return true;
}

void ApplySSE2Choice() {
    if (SSE2Available) SetSSE2Switch(Preferences.UseSSE2 != 0);
}
