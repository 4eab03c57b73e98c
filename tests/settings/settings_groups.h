// The six groups of the settings record, held together as the page objects hold them.
#pragma once

#include <string>

#include "settings_file.h"
#include "temp_directory.h"

struct SettingsGroups {
  KeyBindings keys;
  SystemSettings system;
  GraphicSettings graphic;
  SoundSettings sound;
  MouseVideoSettings mouseVideo;
  MessageSettings message;

  SettingsRecord Record() { return {keys, system, graphic, sound, mouseVideo, message}; }
  void Load(const TempDirectory& directory) { LoadSettings(directory.Path().c_str(), Record()); }
  SaveResult Save(const TempDirectory& directory) { return SaveSettings(directory.Path().c_str(), Record()); }
};

// The value of a key as the platform reads it back from a file.
std::string ProfileText(const std::string& path, const char* section, const char* key);
