// ProfileUpdate: the writes kept until the files are rewritten together.
#include "profile_update.h"

#include "format_text.h"
#include "ini_text.h"

void ProfileUpdate::WriteText(const char* section, const char* key, const char* text) {
  writes_.push_back({section, key, text});
}

void ProfileUpdate::WriteInteger(const char* section, const char* key, int value) {
  char text[16];
  FormatText(text, sizeof text, "%d", value);
  WriteText(section, key, text);
}

std::string ProfileUpdate::AppliedTo(const std::string& bytes) const {
  IniText text(bytes);
  for (const Write& write : writes_) text.Set(write.section, write.key, write.text);
  return text.Bytes();
}
