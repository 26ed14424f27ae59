#include "engine/Preferences.h"

PreferencesValues Preferences;
bool PreferencesChanged = false;
bool SSE2Available = false;
