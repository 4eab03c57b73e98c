// WriteInterleaved: one and two channels, by far the most common, eight frames at a time in SSE2
// registers; other channel counts sample by sample.
#include "sample_conversion.h"

#include <emmintrin.h>

#include <cstring>

#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "samples are stored in the machine's byte order, which must be little-endian"
#endif

namespace {

// Two samples as ConvertSample converts them, in 32 bits, once capped at 1 (below). A product below the
// 16-bit range, -infinity and NaN (whose product CVTTPD2DQ turns into the lowest 32-bit integer) are
// brought to -32768 by the saturation that packs the samples into 16 bits.
__m128i ConvertTwo(__m128 cappedSamples) {
  return _mm_cvttpd_epi32(_mm_mul_pd(_mm_cvtps_pd(cappedSamples), _mm_set1_pd(32767.0)));
}

// Four samples capped at 1, so that no product exceeds 32767. MINPS gives its second operand when one
// is NaN: NaN stays NaN.
__m128 CapFour(const float* samples) { return _mm_min_ps(_mm_set1_ps(1.0f), _mm_loadu_ps(samples)); }

// Eight samples, in 16 bits, in order.
__m128i ConvertEight(const float* samples) {
  const __m128 low = CapFour(samples);
  const __m128 high = CapFour(samples + 4);
  const __m128i first = _mm_unpacklo_epi64(ConvertTwo(low), ConvertTwo(_mm_movehl_ps(low, low)));
  const __m128i second = _mm_unpacklo_epi64(ConvertTwo(high), ConvertTwo(_mm_movehl_ps(high, high)));
  return _mm_packs_epi32(first, second);
}

// One sample, little-endian, at any alignment.
void StoreSample(unsigned char* target, float sample) {
  const int16_t value = ConvertSample(sample);
  std::memcpy(target, &value, sizeof value);
}

void WriteMono(const float* samples, int frames, unsigned char* output) {
  int frame = 0;
  for (; frame + 8 <= frames; frame += 8) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(output + 2 * frame), ConvertEight(samples + frame));
  }
  for (; frame < frames; ++frame) StoreSample(output + 2 * frame, samples[frame]);
}

void WriteStereo(const float* left, const float* right, int frames, unsigned char* output) {
  int frame = 0;
  for (; frame + 8 <= frames; frame += 8) {
    const __m128i lefts = ConvertEight(left + frame);
    const __m128i rights = ConvertEight(right + frame);
    auto* target = reinterpret_cast<__m128i*>(output + 4 * frame);
    _mm_storeu_si128(target, _mm_unpacklo_epi16(lefts, rights));
    _mm_storeu_si128(target + 1, _mm_unpackhi_epi16(lefts, rights));
  }
  for (; frame < frames; ++frame) {
    StoreSample(output + 4 * frame, left[frame]);
    StoreSample(output + 4 * frame + 2, right[frame]);
  }
}

void WriteAnyChannels(const float* const* pcm, int channels, int frames, unsigned char* output) {
  for (int channel = 0; channel < channels; ++channel) {
    const float* samples = pcm[channel];
    for (int frame = 0; frame < frames; ++frame) {
      StoreSample(output + 2 * (frame * channels + channel), samples[frame]);
    }
  }
}

}  // namespace

void WriteInterleaved(const float* const* pcm, int channels, int frames, unsigned char* output) {
  switch (channels) {
    case 1:
      WriteMono(pcm[0], frames, output);
      return;
    case 2:
      WriteStereo(pcm[0], pcm[1], frames, output);
      return;
    default:
      WriteAnyChannels(pcm, channels, frames, output);
  }
}
