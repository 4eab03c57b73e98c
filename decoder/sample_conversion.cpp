// WriteInterleaved: one and two channels, by far the most common, eight frames at a time in SSE2
// registers; other channel counts sample by sample.
#include "sample_conversion.h"

#include <emmintrin.h>

#include <cstring>

#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "samples are stored in the machine's byte order, which must be little-endian"
#endif

namespace {

// Two samples as ConvertSample converts them, in 32 bits. MAXPD gives its second operand when the
// first is NaN, so NaN goes low as there.
__m128i ConvertTwo(__m128 samples) {
  const __m128d scaled = _mm_mul_pd(_mm_cvtps_pd(samples), _mm_set1_pd(32767.0));
  const __m128d clamped = _mm_min_pd(_mm_max_pd(scaled, _mm_set1_pd(-32768.0)), _mm_set1_pd(32767.0));
  return _mm_cvttpd_epi32(clamped);
}

// Eight samples, in 16 bits, in order.
__m128i ConvertEight(const float* samples) {
  const __m128 low = _mm_loadu_ps(samples);
  const __m128 high = _mm_loadu_ps(samples + 4);
  const __m128i first = _mm_unpacklo_epi64(ConvertTwo(low), ConvertTwo(_mm_movehl_ps(low, low)));
  const __m128i second = _mm_unpacklo_epi64(ConvertTwo(high), ConvertTwo(_mm_movehl_ps(high, high)));
  // Every value is in range already: the saturation changes nothing.
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
