// The seams of the streams make encodes, each played through the exports as the engine plays it,
// against one uncut encoding of the same playback: a seam may cost at most 1 dB more than the uncut
// stream costs at the same place, on tones and on music, and the playback is exact to the frame.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "loop_streams.h"
#include "music_generator.h"
#include "part_encoder.h"
#include "reference_decoder.h"
#include "rux2_under_test.h"
#include "seam_check.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kAllowedDecibels = 1.0;

struct SeamCase {
  const char* name;
  GeneratedSong song;
  float quality;
};

// A tone of a whole number of periods in the loop, so that the loop loops; the input goes on past it.
GeneratedSong Tone(int channels, long rate, double hertz, LoopPoints loop) {
  GeneratedSong tone{{channels, rate}, loop};
  for (long frame = 0; frame < loop.end + rate; ++frame) {
    for (int channel = 0; channel < channels; ++channel) {
      tone.audio.samples.push_back(static_cast<float>(0.5 * std::sin(2 * kPi * hertz * frame / rate + channel)));
    }
  }
  return tone;
}

GeneratedSong Music(const SongShape& shape) { return MakeSong(shape, 2, 44100); }

// A song played whole, as a single stream that loops whole.
GeneratedSong Whole(GeneratedSong song) {
  song.loop = {0, song.audio.Frames()};
  return song;
}

// The introduction, then the loop twice.
PcmAudio IdealPlayback(const GeneratedSong& song) {
  PcmAudio ideal{song.audio.channels, song.audio.rate};
  const LoopPoints loop = song.loop;
  ideal.samples.assign(song.audio.samples.begin(), song.audio.samples.begin() + loop.end * ideal.channels);
  ideal.samples.insert(ideal.samples.end(), song.audio.samples.begin() + loop.start * ideal.channels,
                       song.audio.samples.begin() + loop.end * ideal.channels);
  return ideal;
}

std::vector<float> Floats(const std::string& pcm) {
  std::vector<float> samples(pcm.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i) {
    int16_t sample;
    std::memcpy(&sample, &pcm[2 * i], 2);
    samples[i] = sample / 32767.0f;
  }
  return samples;
}

// What the ideal playback, encoded as one stream, costs at the frame.
double UncutCost(const PcmAudio& ideal, const std::vector<float>& played, long frame) {
  return MeasureSeam(ideal.samples.data(), played.data(), ideal.Frames(), ideal.channels, frame).Cost();
}

TEST(SeamQuality, EverySeamCostsAtMostOneDecibelMoreThanAnUncutStreamThere) {
  SongShape shortSong;
  shortSong.introBars = 1;
  shortSong.loopBars = 2;
  const SeamCase cases[] = {
      {"441 Hz stereo tone at 44100 Hz, quality 3", Tone(2, 44100, 441, {44123, 44123 + 3 * 44100}), 0.3f},
      {"441 Hz stereo tone at 44100 Hz, quality 5", Tone(2, 44100, 441, {44123, 44123 + 3 * 44100}), 0.5f},
      {"441 Hz mono tone at 22050 Hz", Tone(1, 22050, 441, {22071, 22071 + 2 * 22050}), 0.5f},
      {"music", Music(shortSong), 0.5f},
      {"music played whole", Whole(Music(shortSong)), 0.5f},
  };
  for (const SeamCase& seamCase : cases) {
    SCOPED_TRACE(seamCase.name);
    const PcmAudio& audio = seamCase.song.audio;
    const VorbisSettings settings{audio.channels, audio.rate, seamCase.quality, 1};
    LoopStreams streams;
    ASSERT_TRUE(EncodeLoopStreams(audio, seamCase.song.loop, settings, streams));
    const SeamCheck check = CheckSeams(Rux2(), audio, seamCase.song.loop, streams.intro, streams.loop);
    ASSERT_EQ(check.problem, "");
    const PcmAudio ideal = IdealPlayback(seamCase.song);
    EXPECT_EQ(check.playedFrames, ideal.Frames());

    const PartPlan uncut{{{0, ideal.Frames()}}, 0, ideal.Frames()};
    const std::vector<float> uncutPlayed = Floats(DecodeReference(EncodePart(ideal, uncut, settings)).pcm);
    ASSERT_EQ(uncutPlayed.size(), ideal.samples.size());
    for (const SeamResult& seam : check.seams) {
      const double uncutCost = UncutCost(ideal, uncutPlayed, seam.frame);
      EXPECT_LE(seam.error.Cost(), uncutCost + kAllowedDecibels)
          << seam.name << ": " << seam.error.seamSnr << " dB at the seam, " << seam.error.bodySnr << " dB around it";
      std::printf("%-42s %-26s seam %+5.2f dB, uncut %+5.2f dB\n", seamCase.name, seam.name, seam.error.Cost(),
                  uncutCost);
    }
  }
}

}  // namespace
