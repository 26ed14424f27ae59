// Removing the program's settings for the "Unregister" switch.
#pragma once

// Deletes the per-user settings: the key Software\Tarvik\Numera (and
// Software\Tarvik when nothing else is left in it) on Windows, the settings
// file (and the Tarvik folder when it is left empty) here. True when nothing
// of them remains.
bool RemoveProgramSettings();
