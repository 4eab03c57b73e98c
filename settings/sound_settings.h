// The sound page's group of settings. Volumes and voice-fade values are held in the pages' coarser
// units (sixteenths, 5 % steps, 100 ms steps); the settings file converts them.
#pragma once

#include <cstdint>

struct SoundSettings {
  std::int32_t SOUND_HARDWARE = 0;
  std::int32_t SOUND_QUALITY = 0;
  std::int32_t SOUND_BUFFER = 0;
  std::int32_t SOUND_STREAM = 0;
  std::int32_t SOUND_GLOBAL_FOCUS = 0;
  std::int32_t SOUND_3D_USE = 0;
  std::int32_t MUSIC_USE = 0;
  std::int32_t SE_USE = 0;
  std::int32_t VOICE_USE = 0;
  std::int32_t MASTER_VOLUME = 0;
  std::int32_t MUSIC_VOLUME = 0;
  std::int32_t SE_VOLUME = 0;
  std::int32_t VOICE_VOLUME = 0;
  std::int32_t VIDEO_VOLUME = 0;
  std::int32_t VOICE_FADE_VOLOME = 0;  // spelled so by the engine
  std::int32_t VOICE_FADE_TIMER = 0;
  std::int32_t VOICE_FADE_WAIT = 0;
  std::int32_t VOICE_FADE_USE = 0;
};
