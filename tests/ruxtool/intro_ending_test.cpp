// The introduction ended as a part encoded alone ends: played through the exports, it is the
// introduction's own frames up to its last half second, then an ending of its own that still plays
// the input, to the introduction's length; on music, whose attacks pin the encoder's blocks, and on a
// steady tone, where only the feed's start places them.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "encoding/intro_ending.h"
#include "encoding/part_plan.h"
#include "music_generator.h"
#include "seam_comparison.h"

namespace {

// Far below what music encoded at quality 5 plays, far above a splice whose blocks do not meet.
constexpr double kEndingDecibels = 12;

GeneratedSong Song(int introBars) {
  SongShape shape;
  shape.introBars = introBars;
  return MakeSong(shape, 2, 44100);
}

// Signal to noise of the played samples [first, end) against the input's, in dB.
double Decibels(const std::vector<float>& played, const PcmAudio& input, size_t first, size_t end) {
  double signal = 0, noise = 0;
  for (size_t i = first; i < end; ++i) {
    signal += static_cast<double>(input.samples[i]) * input.samples[i];
    noise += (played[i] - input.samples[i]) * static_cast<double>(played[i] - input.samples[i]);
  }
  return 10 * std::log10(signal / noise);
}

TEST(IntroEnding, PlaysTheIntroductionUpToItsLastHalfSecondThenAnEndingOfItsOwn) {
  struct Case {
    const char* name;
    GeneratedSong song;
  };
  const Case cases[] = {
      {"three bars of music before the loop", Song(3)},
      {"one bar of music before the loop, shorter than the ending", Song(1)},
      {"a steady tone", Tone(2, 44100, 441, {5 * 44100, 7 * 44100})},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    const PcmAudio& audio = test.song.audio;
    const LoopPoints loop = test.song.loop;
    const VorbisSettings settings{audio.channels, audio.rate, 0.5f, 1};
    const PartPlan plan = IntroPlan(loop, audio.Frames(), ContextFor(settings));
    const PartPackets intro = EncodePackets(audio, plan, settings);
    const std::vector<float> played = PlayedOnce(LayPart(intro, plan, settings.serial), audio.channels);
    const std::vector<float> ended = PlayedOnce(IntroEndedAlone(audio, loop, settings, intro), audio.channels);
    const size_t length = static_cast<size_t>(loop.start * audio.channels);
    ASSERT_EQ(played.size(), length);
    ASSERT_EQ(ended.size(), length);
    const size_t lastHalfSecond = length - static_cast<size_t>(audio.rate / 2 * audio.channels);
    EXPECT_TRUE(std::equal(played.begin(), played.begin() + lastHalfSecond, ended.begin()));
    EXPECT_FALSE(std::equal(played.begin() + lastHalfSecond, played.end(), ended.begin() + lastHalfSecond));
    EXPECT_GT(Decibels(ended, audio, lastHalfSecond, length), kEndingDecibels);
  }
}

}  // namespace
