// "key.cfg": the current bindings in sections 01 to 20, the game's defaults in sections 51 to 70.
#pragma once

#include "key_bindings.h"
#include "profile_update.h"

constexpr char kKeyBindingFileName[] = "key.cfg";

// Reads both tables; codes outside 0..123 read as 0. JOYPAD_USE lives in "vesk.cfg".
void LoadKeyBindings(const char* directory, KeyBindings& keys);
// Writes the current table only; the default sections are left as the file holds them.
void WriteKeyBindings(const KeyBindings& keys, ProfileUpdate& file);
