// The conversion of decoded float samples to 16-bit PCM.
#pragma once

#include <cstdint>

// Scaled by 32767 in double precision, truncated toward zero, clamped to the 16-bit range. Clamping
// comes first, so that no out-of-range value is ever converted to an integer; NaN clamps low.
inline int16_t ConvertSample(float sample) {
  const double scaled = static_cast<double>(sample) * 32767.0;
  if (scaled >= 32767.0) return 32767;
  if (!(scaled > -32768.0)) return -32768;
  return static_cast<int16_t>(scaled);
}
