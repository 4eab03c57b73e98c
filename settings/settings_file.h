// "vesk.cfg" and "key.cfg" of the configuration directory, loaded into and saved from the groups
// the page objects hold.
#pragma once

#include "settings_record.h"

// directory ends in a backslash. Reads "key.cfg", then every key of "vesk.cfg"; missing keys take
// their defaults and out-of-range values are repaired.
void LoadSettings(const char* directory, const SettingsRecord& record);
// Writes "key.cfg", then every key of "vesk.cfg"; read-only files are made writable first. A file
// whose save fails (full disk, locked file) keeps what it held; the result is then false.
bool SaveSettings(const char* directory, const SettingsRecord& record);
