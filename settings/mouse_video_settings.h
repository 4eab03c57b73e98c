// The mouse and video page's group of settings.
#pragma once

#include <cstdint>

struct MouseVideoSettings {
  std::int32_t AUTO_CLEAR = 0;
  std::int32_t FRAME_CTRL = 0;
};
