// WriteInterleavedInIntegers, and WriteInterleaved's choice between the two ways.
#include "sample_conversion.h"

#include "sample_interleaving.h"

namespace {

// Internal, so that these loops are never taken for the ones of another instruction set.
struct InIntegers {
  static int16_t Convert(float sample) { return ConvertSampleInIntegers(sample); }
};

}  // namespace

void WriteInterleavedInIntegers(const float* const* pcm, int channels, int frames, unsigned char* output) {
  SampleInterleaving<InIntegers>::Write(pcm, channels, frames, output);
}

void WriteInterleaved(const float* const* pcm, int channels, int frames, unsigned char* output) {
#ifdef __SSE2_MATH__
  WriteInterleavedInDoubles(pcm, channels, frames, output);
#else
  // The 32-bit library also runs on processors without SSE2. On the x87 unit each truncation would switch the
  // control word twice, and the product would follow the caller's precision control, which Direct3D 9 lowers
  // to 24 bits unless told otherwise: there the integers are faster.
  static const bool hasSse2 = (__builtin_cpu_init(), __builtin_cpu_supports("sse2"));
  (hasSse2 ? WriteInterleavedInDoubles : WriteInterleavedInIntegers)(pcm, channels, frames, output);
#endif
}
