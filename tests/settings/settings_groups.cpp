// Reading a key back through the platform, bypassing the program's own reader.
#include "settings_groups.h"

#include <windows.h>

std::string ProfileText(const std::string& path, const char* section, const char* key) {
  char text[512];
  GetPrivateProfileStringA(section, key, "<missing>", text, sizeof text, path.c_str());
  return text;
}
