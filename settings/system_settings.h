// The system page's group of settings: window mode, confirmations, timing, effects, image cache,
// pack-file checks and two special switches. Fields are named by their keys in "vesk.cfg".
#pragma once

#include <cstdint>

struct SystemSettings {
  std::int32_t WINDOW_FULL_MOVE_USE = 0;
  std::int32_t PACK_HEADER_CHECK = 0;
  std::int32_t PACK_DATA_CHECK = 0;
  std::int32_t DLG_LOAD = 0;
  std::int32_t DLG_SAVE = 0;
  std::int32_t WINDOW_MODE = 0;  // 1 = full screen, 0 = window (the file holds the inverse)
  std::int32_t WAIT_TIMING = 0;
  std::int32_t EFFECT_USE = 0;
  std::int32_t ACTIVE_DRAW = 0;
  std::int32_t IMAGE_CACHE_SIZE = 0;
  std::int32_t PERFORMANCE_TIMER = 0;
  std::int32_t ONE_CPU = 0;
};
