// The loop search on songs of generated music that went through a lossy round trip: shaped as games
// ship their loops, the loop that runs to the music's end (before a fade-out) comes first, exact; an
// introduction, a section repeated two or three times and more music after it give the section, to
// within 2 frames and inside the repeats, before an ending that repeats for less than a second or
// less clearly; music in which nothing repeats gives musical joins on its bar lines, inside its body;
// noise, silence and music too short give none.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "game_songs.h"
#include "loop_search/join_measure.h"
#include "loop_search/loop_search.h"
#include "loop_search/musical_joins.h"
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

// The frames the loop found may span: it plays the game's loop from wherever the music repeats it,
// ending with the file, or before a fade-out has taken 2 dB off the music.
LoopPoints Reach(const GameCase& game, const GameSong& song) {
  if (game.shape != GameShape::kFadingTail) return {song.loop.start, song.audio.Frames()};
  const double fadeSeconds = 2 / (kFadeDepth / kFadeSeconds);
  return {song.loop.start - std::lround(game.leadSeconds * game.rate), song.loop.end + std::lround(fadeSeconds * game.rate)};
}

TEST(FindLoops, PutsFirstTheLoopThatPlaysOnFromTheMusicsEndExactly) {
  const GameCase cases[] = {
      {"a second of introduction, stereo, 44100 Hz", GameShape::kLoopToTheEnd, 1, 2, 44100},
      {"five seconds of introduction, mono, 48000 Hz", GameShape::kLoopToTheEnd, 5, 1, 48000},
      {"a tail of three seconds, stereo, 44100 Hz", GameShape::kTailAfterTheLoop, 3, 2, 44100},
      // What is copied lies only in the fade, whose last second the coder keeps too roughly to match.
      {"a tail that fades out, stereo, 44100 Hz", GameShape::kFadingTail, 0, 2, 44100},
      {"1.6 s of introduction and a tail that fades out, mono, 48000 Hz", GameShape::kFadingTail, 1.6, 1, 48000},
  };
  for (const GameCase& game : cases) {
    SCOPED_TRACE(game.name);
    const GameSong song = MakeGameSong(game.shape, game.leadSeconds, game.channels, game.rate);
    const std::vector<LoopCandidate> loops = FindLoops(MixToMono(song.audio), game.rate, {});
    ASSERT_FALSE(loops.empty());
    const LoopCandidate& best = loops.front();
    EXPECT_EQ(best.kind, LoopKind::kToTheEnd);
    EXPECT_NEAR(best.loop.Length(), song.loop.Length(), 2);
    // With a tail, it starts as far into the loop as the tail is long, which plays the same music.
    const LoopPoints reach = Reach(game, song);
    EXPECT_GE(best.loop.start, reach.start);
    EXPECT_LE(best.loop.end, reach.end);
    if (game.shape != GameShape::kFadingTail) EXPECT_EQ(best.loop.end, song.audio.Frames());
    EXPECT_GT(best.score, 0.95);
  }
}

TEST(FindLoops, FindsNoCopyWhereNothingRepeats) {
  const GameSong song = MakeGameSong(GameShape::kNothingRepeats, 0, 2, 44100);
  for (const LoopCandidate& loop : FindLoops(MixToMono(song.audio), 44100, {})) EXPECT_EQ(loop.kind, LoopKind::kMusicalJoin);
}

struct JoinCase {
  const char* name;
  unsigned seed;  // the chords of the body and every bar's melody and drums
  double beatsPerMinute;
  int channels;
  long rate;
};

constexpr int kIntroBars = kEndingSongIntroBars;
constexpr int kFadeStart = kEndingSongIntroBars + kEndingSongBodyBars + kEndingSongEndingBars - kEndingSongFadedBars;
// Refined within three thirty-seconds of a beat of the beats found, which lie within a fiftieth of one.
constexpr double kRefinedBeats = 0.125;

PcmAudio SongWithAnEnding(const JoinCase& join) {
  return MakeSongWithAnEnding(join.seed, join.beatsPerMinute, join.channels, join.rate);
}

const JoinCase kJoinCases[] = {
    {"A minor, F, C, G at 123 bpm, stereo, 44100 Hz", 1, 123, 2, 44100},
    {"A minor, D minor, G, C at 97 bpm, mono, 48000 Hz", 2, 97, 1, 48000},
    {"F, G, A minor, E at 140 bpm, stereo, 22050 Hz", 3, 140, 2, 22050},
};

// Bars from the song's start to frame, and how far it lies from the nearest bar line, in beats.
double Bars(const JoinCase& join, long frame) { return frame / (4 * 60 / join.beatsPerMinute * join.rate); }
double BeatsOffTheBar(const JoinCase& join, long frame) {
  return 4 * std::fabs(Bars(join, frame) - std::round(Bars(join, frame)));
}

TEST(FindLoops, PutsFirstTheLongestMusicalJoinOnBarLinesAfterTheIntroductionAndBeforeTheFade) {
  for (const JoinCase& join : kJoinCases) {
    SCOPED_TRACE(join.name);
    const std::vector<LoopCandidate> loops = FindLoops(MixToMono(SongWithAnEnding(join)), join.rate, {});
    ASSERT_FALSE(loops.empty());
    const LoopCandidate& first = loops.front();
    EXPECT_EQ(first.kind, LoopKind::kMusicalJoin);
    EXPECT_LE(BeatsOffTheBar(join, first.loop.start), kRefinedBeats) << Bars(join, first.loop.start);
    EXPECT_LE(BeatsOffTheBar(join, first.loop.end), kRefinedBeats) << Bars(join, first.loop.end);
    EXPECT_GE(std::round(Bars(join, first.loop.start)), kIntroBars);
    EXPECT_LE(std::round(Bars(join, first.loop.end)), kFadeStart);
    EXPECT_GE(Bars(join, first.loop.Length()), 4 - kRefinedBeats / 4);
    EXPECT_LE(first.join.percentile, 70);
    // Those after it are clearly smoother.
    for (size_t i = 1; i < loops.size(); ++i) EXPECT_LT(loops[i].join.percentile, first.join.percentile);
  }
}

TEST(MusicalJoins, PutsAPointGivenOffBackOnTheBarLineWithinTheTolerance) {
  for (const JoinCase& join : kJoinCases) {
    SCOPED_TRACE(join.name);
    const std::vector<float> mono = MixToMono(SongWithAnEnding(join));
    const JoinMeasure measure(mono, join.rate);
    const MusicalJoins joins(mono, join.rate, measure);
    const long bar = std::lround(4 * 60 / join.beatsPerMinute * join.rate);
    const LoopPoints given{kIntroBars * bar + std::lround(0.4 * join.rate), (kIntroBars + 8) * bar};
    const LoopPoints moved = joins.Near(given, join.rate, 1).front().loop;
    EXPECT_LE(BeatsOffTheBar(join, moved.start), kRefinedBeats) << Bars(join, moved.start);
    EXPECT_NEAR(Bars(join, moved.start), kIntroBars, 0.25);
    EXPECT_NEAR(Bars(join, moved.end), kIntroBars + 8, 0.25);
    const LoopPoints kept = joins.Near(given, 0, 1).front().loop;
    EXPECT_EQ(kept.start, given.start);
    EXPECT_EQ(kept.end, given.end);
  }
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

// A composer's delivery: an introduction of 31 s, a section of 47.27 s played twice, 20 s of the piece
// going on, through a lossy round trip; then a short ending that begins as a bar of the section does.
struct EndingCase {
  const char* name;
  double seconds;
  float otherMusic;  // the level of other music under the ending
};

TEST(FindLoops, PutsTheRepeatedSectionBeforeAnEndThatRepeatsLessClearly) {
  constexpr long kRate = 44100;
  SongShape shape = Shape(24, 2, 121.86, 1);
  shape.introBars = 16;
  shape.outroBars = 10;
  const GeneratedSong generated = MakeSong(shape, 2, kRate);
  const PcmAudio delivered = LossyRoundTrip(generated.audio);
  const EndingCase cases[] = {
      {"the last 0.8 s copy a bar of the section", 0.8, 0},
      {"the last 1.5 s copy a bar of the section under other music", 1.5, 0.4f},
  };
  for (const EndingCase& ending : cases) {
    SCOPED_TRACE(ending.name);
    PcmAudio song = delivered;
    const long bar = std::lround(generated.loop.Length() / 24.0), copied = std::lround(ending.seconds * kRate);
    for (long frame = 0; frame < copied; ++frame) {
      const float* copy = delivered.Frame(generated.loop.start + 7 * bar + frame);
      const float* other = delivered.Frame(frame);
      for (int channel = 0; channel < 2; ++channel) {
        song.samples.push_back(copy[channel] + ending.otherMusic * other[channel]);
      }
    }
    const std::vector<LoopCandidate> loops = FindLoops(MixToMono(song), kRate, {});
    ASSERT_FALSE(loops.empty());
    EXPECT_EQ(loops.front().kind, LoopKind::kRepeatedSection);
    EXPECT_NEAR(loops.front().loop.Length(), generated.loop.Length(), 2);
    EXPECT_GT(loops.front().score, 0.95);
  }
}

TEST(FindLoops, FindsNothingInNoiseSilenceOrMusicTooShort) {
  std::mt19937 generator(1);
  std::normal_distribution<float> noise(0, 0.2f);
  std::vector<float> noisy(44100 * 20);
  for (float& sample : noisy) sample = noise(generator);
  SongShape twoBars;
  twoBars.introBars = 1;
  twoBars.loopBars = 1;
  twoBars.repeats = 1;
  twoBars.seamlessLoop = false;
  const struct {
    const char* name;
    std::vector<float> mono;
  } cases[] = {
      {"20 s of noise", noisy},
      {"20 s of silence", std::vector<float>(44100 * 20, 0.0f)},
      {"two bars of music", MixToMono(MakeSong(twoBars, 1, 44100).audio)},
  };
  for (const auto& tried : cases) EXPECT_TRUE(FindLoops(tried.mono, 44100, {}).empty()) << tried.name;
}

}  // namespace
