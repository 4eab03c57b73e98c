// The settings record as the six page objects hold it: one group in each page.
#pragma once

#include "graphic_settings.h"
#include "key_bindings.h"
#include "message_settings.h"
#include "mouse_video_settings.h"
#include "sound_settings.h"
#include "system_settings.h"

struct SettingsRecord {
  KeyBindings& keys;
  SystemSettings& system;
  GraphicSettings& graphic;
  SoundSettings& sound;
  MouseVideoSettings& mouseVideo;
  MessageSettings& message;
};
