// make's loudness: the tests' own meter against signals of known loudness and peak; the gain to the
// target, held where the true peak would pass the ceiling; and a quiet and a loud song made into an
// introduction and a loop part at the target, decoded again and measured with the tests' meter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <ebur128.h>

#include "audio_files/wav_writer.h"
#include "deterministic_noise.h"
#include "encoding/loop_streams.h"
#include "loudness/loudness_gain.h"
#include "loudness/true_peak_meter.h"
#include "music_generator.h"
#include "reference_decoder.h"
#include "reference_loudness.h"
#include "rux2_under_test.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr long kRate = 48000;

// As 16-bit PCM.
std::string StereoSine(double hertz, double amplitude, double phase, long frames) {
  std::vector<float> samples;
  for (long frame = 0; frame < frames; ++frame) {
    const float value = static_cast<float>(amplitude * std::sin(2 * kPi * hertz * frame / kRate + phase));
    samples.insert(samples.end(), {value, value});
  }
  return Pcm16(samples);
}

TEST(Loudness, TheTestsMeterReadsSignalsOfKnownLoudnessAndPeak) {
  // EBU Tech 3341's first case: a 1 kHz stereo sine at -23 dBFS is -23.0 LUFS.
  EXPECT_NEAR(MeasureReferenceLoudness(StereoSine(1000, std::pow(10, -23 / 20.0), 0, 20 * kRate), 2).lufs, -23.0, 0.05);
  // A sine at a quarter of the rate, its samples 45 degrees off its crests: they peak 3 dB below it.
  const ReferenceLoudness quarter = MeasureReferenceLoudness(StereoSine(kRate / 4.0, 0.5, kPi / 4, kRate), 2);
  EXPECT_NEAR(quarter.truePeakDb, 20 * std::log10(0.5), 0.1);
}

struct TruePeakCase {
  const char* name;
  int channels;
  long rate;
  std::vector<float> (*signal)(int channels, long rate);
};

// libebur128's true peak of the whole signal, fed at once.
double LibraryTruePeak(const std::vector<float>& samples, int channels, long rate) {
  ebur128_state* state =
      ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(rate), EBUR128_MODE_TRUE_PEAK);
  ebur128_add_frames_float(state, samples.data(), samples.size() / channels);
  double highest = 0;
  for (int channel = 0; channel < channels; ++channel) {
    double peak = 0;
    ebur128_true_peak(state, static_cast<unsigned>(channel), &peak);
    highest = std::max(highest, peak);
  }
  ebur128_destroy(&state);
  return highest;
}

// Its first three seconds.
std::vector<float> Song(int channels, long rate) {
  std::vector<float> samples = MakeSong(SongShape{}, channels, rate).audio.samples;
  samples.resize(static_cast<size_t>(3 * rate * channels));
  return samples;
}

// Full-scale noise, its channels apart.
std::vector<float> Noise(int channels, long rate) {
  DeterministicNoise noise(7);
  std::vector<float> samples(static_cast<size_t>(rate * channels));
  for (float& sample : samples) sample = 1.9f * noise.Next();
  return samples;
}

// +1 +1 -1 -1: a sine at a quarter of the rate sampled 45 degrees off its crests, 3 dB over its samples.
std::vector<float> QuarterRate(int channels, long rate) {
  std::vector<float> samples;
  for (long frame = 0; frame < rate; ++frame) samples.insert(samples.end(), channels, frame % 4 < 2 ? 0.7f : -0.7f);
  return samples;
}

TEST(Loudness, TheTruePeakIsLibebur128sFedInBlocksOfAnySize) {
  const TruePeakCase cases[] = {
      {"generated music, stereo, 48000 Hz", 2, 48000, Song},
      {"generated music, mono, 44100 Hz", 1, 44100, Song},
      {"noise, 5.1, 44100 Hz", 6, 44100, Noise},
      {"a quarter of the rate, stereo, 48000 Hz", 2, 48000, QuarterRate},
      {"a quarter of the rate, 96000 Hz", 2, 96000, QuarterRate},
      {"noise at 192000 Hz: the sample peak", 1, 192000, Noise},
  };
  for (const TruePeakCase& peak : cases) {
    SCOPED_TRACE(peak.name);
    const std::vector<float> samples = peak.signal(peak.channels, peak.rate);
    const long frames = static_cast<long>(samples.size()) / peak.channels;
    const double expected = LibraryTruePeak(samples, peak.channels, peak.rate);
    // Blocks shorter than the interpolator's reach too.
    for (const long block : {5L, 65536L}) {
      TruePeakMeter meter(peak.channels, peak.rate);
      for (long frame = 0; frame < frames; frame += block) {
        meter.Add(samples.data() + frame * peak.channels, std::min(block, frames - frame));
      }
      EXPECT_NEAR(20 * std::log10(meter.Peak()), 20 * std::log10(expected), 0.001) << "blocks of " << block;
    }
  }
}

struct GainCase {
  const char* name;
  Loudness measured;
  LoudnessTarget target;
  double gainDb;
  bool heldByTruePeak;
};

TEST(Loudness, GainsToTheTargetUnlessTheTruePeakWouldPassTheCeiling) {
  const GainCase cases[] = {
      {"quiet, up to the target", {-30, -20}, {-16, -1}, 14, false},
      {"loud, down to the target", {-8, 0.5}, {-16, -1}, -8, false},
      {"up to the ceiling", {-30, -6}, {-16, -1}, 5, true},
      {"down to a lower ceiling", {-14, -1}, {-16, -6}, -5, true},
  };
  for (const GainCase& gain : cases) {
    SCOPED_TRACE(gain.name);
    const LoudnessLevel level = ChooseGain(gain.measured, gain.target);
    EXPECT_DOUBLE_EQ(level.gainDb, gain.gainDb);
    EXPECT_EQ(level.heldByTruePeak, gain.heldByTruePeak);
  }
}

// A song of generated music whose samples peak at peak.
GeneratedSong SongPeakingAt(unsigned seed, float peak) {
  SongShape shape;
  shape.seed = seed;
  GeneratedSong song = MakeSong(shape, 2, kRate);
  float highest = 0;
  for (float sample : song.audio.samples) highest = std::max(highest, std::abs(sample));
  for (float& sample : song.audio.samples) sample *= peak / highest;
  return song;
}

TEST(Loudness, AQuietAndALoudSongPlayAtTheTargetWithTheirTruePeakUnderTheCeiling) {
  const LoudnessTarget target{-18, -1};
  for (const GeneratedSong& song : {SongPeakingAt(1, 0.03f), SongPeakingAt(2, 1.0f)}) {
    PcmAudio audio = song.audio;
    LoudnessLevel level;
    std::string error;
    ASSERT_TRUE(LevelLoudness(target, song.loop.end, audio, level, error)) << error;
    SCOPED_TRACE(level.measured.lufs);
    EXPECT_FALSE(level.heldByTruePeak);
    // The two meters agree on what the player hears first of the input.
    const std::vector<float> heardInput(song.audio.samples.begin(), song.audio.samples.begin() + song.loop.end * 2);
    EXPECT_NEAR(MeasureReferenceLoudness(Pcm16(heardInput), 2).lufs, level.measured.lufs, 0.1);
    LoopStreams streams;
    ASSERT_TRUE(MakeLoopStreams(audio, song.loop, {2, kRate, 0.5f, 1}, streams));
    const ReferenceLoudness played =
        MeasureReferenceLoudness(DecodeReference(streams.intro).pcm + DecodeReference(streams.loop).pcm, 2);
    std::printf("input %.2f LUFS, true peak %.2f dBTP; gain %+.2f dB; played %.2f LUFS, true peak %.2f dBTP\n",
                level.measured.lufs, level.measured.truePeakDb, level.gainDb, played.lufs, played.truePeakDb);
    EXPECT_NEAR(played.lufs, target.lufs, 0.5);
    EXPECT_LE(played.truePeakDb, target.truePeakCeilingDb + 0.5);
  }
}

}  // namespace
