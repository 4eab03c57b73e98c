// The message page's group of settings: font, decoration, speed, voice, effects and auto mode.
#pragma once

#include <cstdint>

constexpr int kFontFieldSize = 256;

struct MessageSettings {
  char FONT[kFontFieldSize] = {};  // Shift-JIS face name
  std::int32_t TEXT_BOLD = 0;
  std::int32_t TEXT_GANG = 0;
  std::int32_t TEXT_WAIT = 0;
  std::int32_t VOICE_CUT_MODE = 0;
  std::int32_t EFFECT_TYPE = 0;
  std::int32_t EFFECT_TIMER = 0;
  std::int32_t READ_SKIP = 0;
  std::int32_t AUTO_VOICE_SYNC = 0;
  std::int32_t AUTO_MODE_1 = 0;
  std::int32_t AUTO_MODE_2 = 0;
  std::int32_t AUTO_MODE_3 = 0;
};
