// The interleaving loops, over a conversion of one sample: a loop per common channel count, which the
// compiler can unroll and vectorize, and one for the rest. Each way of converting instantiates them in its
// own file, compiled for its own instruction set.
#pragma once

#include <cstring>

#include "sample_conversion.h"

#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "samples are stored in the machine's byte order, which must be little-endian"
#endif

template <typename Conversion>
class SampleInterleaving {
 public:
  static void Write(const float* const* pcm, int channels, int frames, unsigned char* output) {
    switch (channels) {
      case 1:
        WriteFixedChannels<1>(pcm, frames, output);
        return;
      case 2:
        WriteFixedChannels<2>(pcm, frames, output);
        return;
      default:
        WriteAnyChannels(pcm, channels, frames, output);
    }
  }

  // One sample, little-endian, at any alignment.
  static void Store(unsigned char* target, float sample) {
    const int16_t value = Conversion::Convert(sample);
    std::memcpy(target, &value, sizeof value);
  }

  // Sample by sample, channel after channel, for any count.
  static void WriteAnyChannels(const float* const* pcm, int channels, int frames, unsigned char* output) {
    for (int channel = 0; channel < channels; ++channel) {
      const float* samples = pcm[channel];
      for (int frame = 0; frame < frames; ++frame) {
        Store(output + 2 * (frame * channels + channel), samples[frame]);
      }
    }
  }

 private:
  template <int kChannels>
  static void WriteFixedChannels(const float* const* pcm, int frames, unsigned char* output) {
    // Taken out first: stores through output could alias the table of channels.
    const float* channels[kChannels];
    for (int channel = 0; channel < kChannels; ++channel) channels[channel] = pcm[channel];
    for (int frame = 0; frame < frames; ++frame) {
      for (int channel = 0; channel < kChannels; ++channel) {
        Store(output + 2 * (frame * kChannels + channel), channels[channel][frame]);
      }
    }
  }
};
