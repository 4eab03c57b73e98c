// The loop search on songs of generated music that went through a lossy round trip: an introduction,
// a section repeated two or three times, more music after it. The best loop is the section, or a whole
// number of sections, to within 2 frames and inside the repeats; noise has none.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

#include "loop_search.h"
#include "music_generator.h"
#include "part_encoder.h"
#include "reference_decoder.h"

namespace {

struct Song {
  const char* name;
  SongShape shape;
  int channels;
  long rate;
};

// The song encoded and decoded again, its channels mixed.
std::vector<float> LossyMono(const PcmAudio& audio) {
  const VorbisSettings settings{audio.channels, audio.rate, 0.3f, 1};
  const PartPlan whole{{{0, audio.Frames()}}, 0, audio.Frames()};
  const ReferencePcm decoded = DecodeReference(EncodePart(audio, whole, settings).stream);
  std::vector<float> mono(static_cast<size_t>(decoded.Frames()));
  for (size_t i = 0; i < decoded.pcm.size() / 2; ++i) {
    int16_t sample;
    std::memcpy(&sample, &decoded.pcm[2 * i], 2);
    mono[i / decoded.channels] += sample / 32768.0f / decoded.channels;
  }
  return mono;
}

SongShape Shape(int loopBars, int repeats, double beatsPerMinute, unsigned seed) {
  SongShape shape;
  shape.introBars = 2;
  shape.loopBars = loopBars;
  shape.repeats = repeats;
  shape.outroBars = 2;
  shape.beatsPerMinute = beatsPerMinute;
  shape.seamlessLoop = false;
  shape.seed = seed;
  return shape;
}

TEST(FindLoops, FindsTheRepeatedSectionToWithinTwoFrames) {
  const Song songs[] = {
      {"four bars twice, stereo, 44100 Hz", Shape(4, 2, 123, 1), 2, 44100},
      {"two bars three times, stereo, 48000 Hz", Shape(2, 3, 97, 2), 2, 48000},
      {"four bars three times, mono, 22050 Hz", Shape(4, 3, 140, 3), 1, 22050},
  };
  for (const Song& song : songs) {
    SCOPED_TRACE(song.name);
    const GeneratedSong generated = MakeSong(song.shape, song.channels, song.rate);
    const std::vector<LoopCandidate> loops = FindLoops(LossyMono(generated.audio), song.rate, {});
    ASSERT_FALSE(loops.empty());
    const LoopPoints best = loops.front().loop;
    const double section = song.shape.loopBars * 4 * 60.0 / song.shape.beatsPerMinute * song.rate;
    const double sections = std::max(1.0, std::round(best.Length() / section));
    EXPECT_NEAR(best.Length(), sections * section, 2.0);
    EXPECT_GE(best.start, generated.loop.start);
    EXPECT_LE(best.end, generated.loop.start + song.shape.repeats * section);
    EXPECT_GT(loops.front().score, 0.9);
  }
}

TEST(FindLoops, FindsNothingInNoise) {
  std::mt19937 generator(1);
  std::normal_distribution<float> noise(0, 0.2f);
  std::vector<float> samples(44100 * 20);
  for (float& sample : samples) sample = noise(generator);
  EXPECT_TRUE(FindLoops(samples, 44100, {}).empty());
}

}  // namespace
