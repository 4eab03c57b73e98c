// "vesk.cfg" and "key.cfg" of the configuration directory, loaded into and saved from the groups
// the page objects hold.
#pragma once

#include "save_result.h"
#include "settings_record.h"

// directory ends in a backslash. Reads "key.cfg", then every key of "vesk.cfg"; missing keys take
// their defaults and out-of-range values are repaired.
void LoadSettings(const char* directory, const SettingsRecord& record);
// Writes "key.cfg" and every key of "vesk.cfg", both or neither: when either file cannot be saved
// (full disk, locked file, protected folder), both keep every byte they held. Read-only files are
// made writable first.
SaveResult SaveSettings(const char* directory, const SettingsRecord& record);
