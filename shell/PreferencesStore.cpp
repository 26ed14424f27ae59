#include "shell/PreferencesStore.h"

#include <QSettings>

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
};

}  // namespace

bool ReadPreferenceValue(const QVariant& stored, uint32_t& value) {
    bool ok = false;
    switch (stored.typeId()) {
        case QMetaType::Int: {
            // A DWORD read back as a signed int keeps its bits.
            value = static_cast<uint32_t>(stored.toInt());
            return true;
        }
        case QMetaType::UInt:
            value = stored.toUInt();
            return true;
        case QMetaType::LongLong:
        case QMetaType::ULongLong: {
            const qulonglong wide = stored.toULongLong(&ok);
            if (!ok || wide > UINT32_MAX) return false;
            value = static_cast<uint32_t>(wide);
            return true;
        }
#ifndef Q_OS_WIN
        case QMetaType::QString: {
            // The Linux file keeps no types: a value is taken when its text is
            // an unsigned 32-bit decimal number.
            const QString text = stored.toString();
            if (text.isEmpty() || !text.front().isDigit()) return false;
            const uint parsed = text.toUInt(&ok, 10);
            if (!ok) return false;
            value = parsed;
            return true;
        }
#endif
        default:
            return false;
    }
}

void LoadPreferences(QSettings& settings) {
    SSE2Available = SetSSE2Switch(true);

    const PreferencesValues defaults;
    settings.beginGroup(SettingsSection::Preferences);
    for (const Field& field : kFields) {
        uint32_t value = 0;
        const QVariant stored = settings.value(QLatin1String(field.name));
        if (stored.isValid() && ReadPreferenceValue(stored, value) && value <= field.maximum)
            Preferences.*field.member = value;
        else
            Preferences.*field.member = defaults.*field.member;
    }
    settings.endGroup();

    SetSSE2Switch(SSE2Available && Preferences.UseSSE2 != 0);
}

bool StorePreferences(QSettings& settings) {
    if (!PreferencesChanged) return false;
    if (!settings.isWritable()) return false;
    settings.beginGroup(SettingsSection::Preferences);
    for (const Field& field : kFields)
        settings.setValue(QLatin1String(field.name), Preferences.*field.member);
    settings.endGroup();
    settings.sync();
    return true;
}

void ApplySSE2Choice() {
    if (SSE2Available) SetSSE2Switch(Preferences.UseSSE2 != 0);
}
