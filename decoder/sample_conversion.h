// The conversion of decoded float samples to interleaved 16-bit PCM.
#pragma once

#include <cstdint>
#include <cstring>

// A sample is scaled by 32767 in double precision, truncated toward zero and clamped to the 16-bit range; NaN
// gives -32768. Two ways compute exactly that for every float.

// In doubles, for SSE2: the product of a float and 32767 needs 39 bits and so is exact, and clamping before
// the conversion keeps every conversion in range.
inline int16_t ConvertSampleInDoubles(float sample) {
  double scaled = static_cast<double>(sample) * 32767.0;
  scaled = scaled > -32768.0 ? scaled : -32768.0;  // NaN fails the comparison and goes low
  scaled = scaled < 32767.0 ? scaled : 32767.0;
  return static_cast<int16_t>(static_cast<int32_t>(scaled));
}

// In integers, on the float's bits, for the x87 unit: there each truncation switches the control word twice,
// and the product would follow the caller's precision control, which Direct3D 9 lowers to 24 bits unless told
// otherwise.
inline int16_t ConvertSampleInIntegers(float sample) {
  uint32_t bits;
  std::memcpy(&bits, &sample, sizeof bits);
  const uint32_t exponent = (bits >> 23) & 0xFF;
  const uint32_t fraction = bits & 0x7FFFFF;
  const bool negative = (bits >> 31) != 0;
  // 2 and more, infinities and NaN clamp.
  if (exponent >= 128) return negative || (exponent == 255 && fraction) ? -32768 : 32767;
  // |sample| = mantissa * 2^(exponent - 150), so |sample| * 32767 truncates to this shift.
  const uint32_t mantissa = exponent ? fraction | 0x800000 : fraction;
  const uint32_t shift = 150 - exponent < 63 ? 150 - exponent : 63;
  const auto magnitude = static_cast<uint32_t>((uint64_t{mantissa} * 32767) >> shift);
  if (negative) return static_cast<int16_t>(-static_cast<int32_t>(magnitude < 32768 ? magnitude : 32768));
  return static_cast<int16_t>(magnitude < 32767 ? magnitude : 32767);
}

// Converts frames samples of each channel and writes them interleaved, frame by frame, as little-endian
// 16-bit samples at output, which needs no alignment. WriteInterleaved takes the fastest way the processor
// has; the other two are its ways, in doubles for processors with SSE2 and in integers for any.
void WriteInterleaved(const float* const* pcm, int channels, int frames, unsigned char* output);
void WriteInterleavedInDoubles(const float* const* pcm, int channels, int frames, unsigned char* output);
void WriteInterleavedInIntegers(const float* const* pcm, int channels, int frames, unsigned char* output);
