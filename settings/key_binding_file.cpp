// Reading and writing "key.cfg".
#include "key_binding_file.h"

#include "format_text.h"
#include "profile_file.h"
#include "profile_update.h"

namespace {

constexpr int kFirstDefaultSection = 51;

struct KeyName {
  char section[32];
  char key[32];
};

// Section and key numbers always have two digits: "KEY_FUNCTION_01", "KEY_DATA_05".
KeyName NameOf(int section, int slot) {
  KeyName name;
  FormatText(name.section, sizeof name.section, "KEY_FUNCTION_%z2", section);
  FormatText(name.key, sizeof name.key, "KEY_DATA_%z2", slot + 1);
  return name;
}

void LoadTable(const ProfileFile& file, int firstSection, KeyTable& table) {
  for (int function = 0; function < kFunctionCount; ++function) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
      const KeyName name = NameOf(firstSection + function, slot);
      const std::int32_t code = file.ReadInteger(name.section, name.key, 0);
      table[function][slot] = code >= 0 && code <= kHighestInputCode ? static_cast<std::uint16_t>(code) : 0;
    }
  }
}

}  // namespace

void LoadKeyBindings(const char* directory, KeyBindings& keys) {
  const ProfileFile file(std::string(directory) + kKeyBindingFileName);
  LoadTable(file, 1, keys.current);
  LoadTable(file, kFirstDefaultSection, keys.defaults);
}

void WriteKeyBindings(const KeyBindings& keys, ProfileUpdate& file) {
  for (int function = 0; function < kFunctionCount; ++function) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
      const KeyName name = NameOf(function + 1, slot);
      file.WriteInteger(name.section, name.key, keys.current[function][slot]);
    }
  }
}
