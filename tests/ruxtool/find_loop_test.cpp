// The loop search on songs of generated music that went through a lossy round trip: shaped as games
// ship their loops, the loop that runs to the music's end comes first, exact; an introduction, a
// section repeated two or three times and more music after it give the section, to within 2 frames
// and inside the repeats; music in which nothing repeats, and noise, give none.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "game_songs.h"
#include "loop_search/loop_search.h"
#include "music_generator.h"

namespace {

struct Song {
  const char* name;
  SongShape shape;
  int channels;
  long rate;
};

struct GameCase {
  const char* name;
  GameShape shape;
  double leadSeconds;
  int channels;
  long rate;
};

TEST(FindLoops, PutsFirstTheLoopThatPlaysOnFromTheMusicsEndExactly) {
  const GameCase cases[] = {
      {"a second of introduction, stereo, 44100 Hz", GameShape::kLoopToTheEnd, 1, 2, 44100},
      {"five seconds of introduction, mono, 48000 Hz", GameShape::kLoopToTheEnd, 5, 1, 48000},
      {"a tail of three seconds, stereo, 44100 Hz", GameShape::kTailAfterTheLoop, 3, 2, 44100},
  };
  for (const GameCase& game : cases) {
    SCOPED_TRACE(game.name);
    const GameSong song = MakeGameSong(game.shape, game.leadSeconds, game.channels, game.rate);
    const std::vector<LoopCandidate> loops = FindLoops(MixToMono(song.audio), game.rate, {});
    ASSERT_FALSE(loops.empty());
    const LoopCandidate& best = loops.front();
    EXPECT_EQ(best.kind, LoopKind::kToTheEnd);
    EXPECT_NEAR(best.loop.Length(), song.loop.Length(), 2);
    // It ends with the file; with a tail, it starts as far into the loop as the tail is long, which
    // plays the same music.
    EXPECT_EQ(best.loop.end, song.audio.Frames());
    EXPECT_GE(best.loop.start, song.loop.start);
    EXPECT_LE(best.loop.start, song.audio.Frames() - song.loop.Length());
    EXPECT_GT(best.score, 0.95);
  }
}

TEST(FindLoops, FindsNothingWhereNothingRepeats) {
  const GameSong song = MakeGameSong(GameShape::kNothingRepeats, 0, 2, 44100);
  EXPECT_TRUE(FindLoops(MixToMono(song.audio), 44100, {}).empty());
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
    const std::vector<LoopCandidate> loops = FindLoops(MixToMono(LossyRoundTrip(generated.audio)), song.rate, {});
    ASSERT_FALSE(loops.empty());
    EXPECT_EQ(loops.front().kind, LoopKind::kRepeatedSection);
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
