// The float to 16-bit conversion: truncation toward zero and clamping that no value escapes, equal to the
// definition for every float that matters, and the interleaving loops equal to converting sample by sample.
#include "sample_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#ifdef _WIN32
#include <float.h>
#endif
#include <iterator>
#include <random>
#include <vector>

namespace {

// The definition, as plainly as it can be written.
int16_t DefinedSample(float sample) {
  const double scaled = static_cast<double>(sample) * 32767.0;
  if (scaled >= 32767.0) return 32767;
  if (!(scaled > -32768.0)) return -32768;
  return static_cast<int16_t>(scaled);
}

float FloatOfBits(uint32_t bits) {
  float sample;
  std::memcpy(&sample, &bits, sizeof sample);
  return sample;
}

// Where the result depends on the fraction, from 2^-15 (below it every sample gives 0) to 2 (from there on
// every sample clamps), every float is checked: natively every one, under the emulator, where that would take
// minutes, every 257th. Elsewhere the fractions at both ends of each exponent and a spread between them.
#ifdef _WIN32
constexpr uint32_t kFractionStride = 257;
#else
constexpr uint32_t kFractionStride = 1;
#endif
constexpr uint32_t kFractions = 1u << 23;

bool FractionMatters(uint32_t exponent) { return exponent >= 112 && exponent <= 127; }

uint32_t NextFraction(uint32_t exponent, uint32_t fraction) {
  if (FractionMatters(exponent) || fraction < 4096 || fraction >= kFractions - 4096) {
    return fraction + kFractionStride;
  }
  return fraction + 4099;
}

// Floats converted one by one, and eight at a time as the decoder converts them.
std::vector<int16_t> OneByOne(const std::vector<float>& samples) {
  std::vector<int16_t> converted;
  for (float sample : samples) converted.push_back(ConvertSample(sample));
  return converted;
}

std::vector<int16_t> AsTheDecoderDoes(const std::vector<float>& samples) {
  std::vector<int16_t> converted(samples.size());
  const float* pcm = samples.data();
  WriteInterleaved(&pcm, 1, static_cast<int>(samples.size()), reinterpret_cast<unsigned char*>(converted.data()));
  return converted;
}

// The first float whose conversion differs from the definition, or none.
testing::AssertionResult EqualsTheDefinition(std::vector<int16_t> (*convert)(const std::vector<float>&)) {
  for (uint32_t sign = 0; sign < 2; ++sign) {
    for (uint32_t exponent = 0; exponent < 256; ++exponent) {
      std::vector<float> samples;
      for (uint32_t fraction = 0; fraction < kFractions; fraction = NextFraction(exponent, fraction)) {
        samples.push_back(FloatOfBits(sign << 31 | exponent << 23 | fraction));
      }
      const std::vector<int16_t> converted = convert(samples);
      for (size_t i = 0; i < samples.size(); ++i) {
        if (converted[i] == DefinedSample(samples[i])) continue;
        return testing::AssertionFailure() << "sign " << sign << ", exponent " << exponent << " (" << samples[i]
                                           << ") gives " << converted[i] << ", not " << DefinedSample(samples[i]);
      }
    }
  }
  return testing::AssertionSuccess();
}

TEST(SampleConversion, TruncatesTowardZeroAndClampsToSixteenBits) {
  const struct {
    float sample;
    int16_t expected;
  } cases[] = {
      {1.0f, 32767},    {-1.0f, -32767},   {0.99999f, 32766},   {1.5f, 32767},   {-1.5f, -32768},
      {-0.00001f, 0},   {0.00001f, 0},     {0.5f, 16383},       {-0.5f, -16383}, {1e10f, 32767},
      {-1e10f, -32768}, {INFINITY, 32767}, {-INFINITY, -32768}, {NAN, -32768},   {-NAN, -32768},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConvertSample(c.sample), c.expected) << c.sample;
  }
}

TEST(SampleConversion, EqualsTheDefinitionForEveryFloatThatMatters) {
  EXPECT_TRUE(EqualsTheDefinition(OneByOne));
  EXPECT_TRUE(EqualsTheDefinition(AsTheDecoderDoes));
}

#ifdef _WIN32
// Direct3D 9 lowers the x87 unit's precision to 24 bits unless told otherwise, and the engine may call with
// it so. These samples times 32767 then round up to the next integer before truncation.
TEST(SampleConversion, TheCallersFloatingPointPrecisionChangesNothing) {
  const struct {
    uint32_t bits;
    int16_t expected;
  } cases[] = {{0x3F05910B, 17095}, {0x3F10B321, 18520}, {0xBF05910B, -17095}, {0xBF10B321, -18520}};
  std::vector<float> samples;
  for (const auto& c : cases) {
    ASSERT_EQ(DefinedSample(FloatOfBits(c.bits)), c.expected);
    samples.push_back(FloatOfBits(c.bits));
  }
  const float* pcm = samples.data();
  int16_t converted[std::size(cases)];
  const unsigned precision = _controlfp(0, 0) & _MCW_PC;
  _controlfp(_PC_24, _MCW_PC);
  WriteInterleaved(&pcm, 1, static_cast<int>(samples.size()), reinterpret_cast<unsigned char*>(converted));
  _controlfp(precision, _MCW_PC);
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(converted[i], cases[i].expected) << cases[i].bits;
}
#endif

// Samples around every edge of the conversion, and ordinary ones.
std::vector<float> Samples(size_t count, unsigned seed) {
  const float edges[] = {0.0f,      -0.0f, 1.0f,        -1.0f,        1.0000305f, -1.0000305f,
                         32767.5f,  2.0f,  -2.0f,       1e-40f,       -1e-40f,    INFINITY,
                         -INFINITY, NAN,   0.99999994f, -0.99999994f, 3e38f,      -3e38f};
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> ordinary(-1.2f, 1.2f);
  std::vector<float> samples(count);
  for (size_t i = 0; i < count; ++i) {
    samples[i] = random() % 4 == 0 ? edges[random() % std::size(edges)] : ordinary(random);
  }
  return samples;
}

TEST(SampleConversion, InterleavingWritesEveryChannelSampleBySampleAndNothingMore) {
  constexpr unsigned char kUnwritten = 0xA5;
  for (int channels : {1, 2, 3, 6, 255}) {
    for (int frames : {0, 1, 7, 64, 1023, 4096}) {
      std::vector<std::vector<float>> samples;
      std::vector<const float*> pcm;
      for (int channel = 0; channel < channels; ++channel) {
        samples.push_back(Samples(frames, channels * 10000 + frames * 10 + channel));
        pcm.push_back(samples.back().data());
      }
      // One byte in, so that the samples land unaligned.
      const size_t bytes = 2 * static_cast<size_t>(channels) * frames;
      std::vector<unsigned char> output(bytes + 2, kUnwritten);
      WriteInterleaved(pcm.data(), channels, frames, output.data() + 1);
      ASSERT_EQ(output.front(), kUnwritten);
      ASSERT_EQ(output.back(), kUnwritten);
      for (int frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels; ++channel) {
          const unsigned char* written = output.data() + 1 + 2 * (frame * channels + channel);
          const auto value = static_cast<int16_t>(written[0] | written[1] << 8);
          ASSERT_EQ(value, DefinedSample(samples[channel][frame]))
              << channels << " channels, frame " << frame << ", channel " << channel;
        }
      }
    }
  }
}

}  // namespace
