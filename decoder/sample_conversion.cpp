// WriteInterleaved: one and two channels, by far the most common, eight frames at a time in SSE2
// registers; other channel counts sample by sample.
#include "sample_conversion.h"

#include <emmintrin.h>

#include <cstring>

#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "samples are stored in the machine's byte order, which must be little-endian"
#endif

namespace {

// Samples are first capped at 1, so that no product exceeds 32767. A product below the 16-bit range,
// -infinity and NaN (which the truncating conversions turn into the lowest 32-bit integer) are
// brought to -32768 by the saturation that packs the samples into 16 bits. MINPS gives its second
// operand when one is NaN: NaN stays NaN.
__m128 CapFour(const float* samples) { return _mm_min_ps(_mm_set1_ps(1.0f), _mm_loadu_ps(samples)); }

// Two capped samples as ConvertSample converts them, in 32 bits: the product in doubles is exact.
__m128i ConvertTwoInDoubles(__m128 capped) {
  return _mm_cvttpd_epi32(_mm_mul_pd(_mm_cvtps_pd(capped), _mm_set1_pd(32767.0)));
}

__m128i ConvertFourInDoubles(__m128 capped) {
  return _mm_unpacklo_epi64(ConvertTwoInDoubles(capped), ConvertTwoInDoubles(_mm_movehl_ps(capped, capped)));
}

// Four capped samples converted from their product in floats, rounded to nearest (as the library's
// floating-point state guarantees). Truncating it gives the exact product's truncation unless it
// rounded onto a nonzero whole number, which may lie just past the exact product: those lanes are
// marked in wholes.
__m128i ConvertFourInFloats(__m128 capped, __m128& wholes) {
  const __m128 product = _mm_mul_ps(capped, _mm_set1_ps(32767.0f));
  const __m128i truncated = _mm_cvttps_epi32(product);
  const __m128i zero = _mm_setzero_si128();
  wholes = _mm_andnot_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(truncated, zero)),
                         _mm_cmpeq_ps(product, _mm_cvtepi32_ps(truncated)));
  return truncated;
}

// Eight samples, in 16 bits, in order: in floats, twice as fast, unless a product came out whole,
// which few do; then in doubles.
__m128i ConvertEight(const float* samples) {
  const __m128 low = CapFour(samples);
  const __m128 high = CapFour(samples + 4);
  __m128 lowWholes, highWholes;
  const __m128i first = ConvertFourInFloats(low, lowWholes);
  const __m128i second = ConvertFourInFloats(high, highWholes);
  if (_mm_movemask_ps(_mm_or_ps(lowWholes, highWholes)) == 0) return _mm_packs_epi32(first, second);
  return _mm_packs_epi32(ConvertFourInDoubles(low), ConvertFourInDoubles(high));
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
