// The graphic page's group of settings: texture size, colour depth, frame rate and filters.
#pragma once

#include <cstdint>

struct GraphicSettings {
  std::int32_t TEXTURE_CREATE_LEVEL = 0;
  std::int32_t TEXTURE_COLOR = 0;
  std::int32_t TEXTURE_MAX = 0;
  std::int32_t FRAME_RATE = 0;
  std::int32_t TEXTURE_MIN_FILTER = 0;
  std::int32_t TEXTURE_MAG_FILTER = 0;
  std::int32_t ASPECT_RATIO_FILTER = 0;
  std::int32_t DITHER_FILTER = 0;
  std::int32_t ASPECT_RATIO_USE = 0;
  std::int32_t SOFTWARE_VERTEX = 0;
};
