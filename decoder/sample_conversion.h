// The conversion of decoded float samples to interleaved 16-bit PCM.
#pragma once

#include <cstdint>

// A sample is scaled by 32767 in double precision, truncated toward zero and clamped to the 16-bit range; NaN
// gives -32768. The product of a float and 32767 needs 39 bits and so is exact in a double, and clamping
// before the conversion keeps every conversion in range.
inline int16_t ConvertSample(float sample) {
  double scaled = static_cast<double>(sample) * 32767.0;
  scaled = scaled > -32768.0 ? scaled : -32768.0;  // NaN fails the comparison and goes low
  scaled = scaled < 32767.0 ? scaled : 32767.0;
  return static_cast<int16_t>(static_cast<int32_t>(scaled));
}

// Converts frames samples of each channel and writes them interleaved, frame by frame, as little-endian
// 16-bit samples at output, which needs no alignment.
void WriteInterleaved(const float* const* pcm, int channels, int frames, unsigned char* output);
