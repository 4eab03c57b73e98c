// The loop make cuts at, from its options or the input's tags, on songs shaped the way released games
// ship their loops: points a little off from where the music repeats are moved there and make says
// so; points where nothing repeats, or with --exact-loop, stay exactly as given; on music that repeats
// at every period, points whose seam is already a copy stay as given too; with --loop-tolerance, points
// known only roughly move to where the music joins best, on the bar line. And the crossfade make bakes
// into the wrap where the music does not repeat across it, played through the exports.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <vector>

#include "audio_files/wav_writer.h"
#include "deterministic_noise.h"
#include "file_bytes.h"
#include "game_songs.h"
#include "make_options/make_request.h"
#include "music_generator.h"
#include "periodic_music.h"
#include "reference_decoder.h"
#include "rux2_under_test.h"
#include "temp_directory.h"

namespace {

// The shortest loop make takes at 44100 Hz and quality 5: four long blocks.
constexpr long kMinimumLoop = 8192;

const GameSong& Song(GameShape shape) {
  static std::map<GameShape, GameSong> songs;
  const double lead = shape == GameShape::kLoopToTheEnd ? 1.5 : 3;
  if (!songs.count(shape)) songs[shape] = MakeGameSong(shape, lead, 2, 44100);
  return songs[shape];
}

bool ParseArguments(const std::string& line, MakeOptions& options, std::string& error) {
  std::istringstream words(line + " song.wav intro.ogg loop.ogg");
  std::vector<std::string> arguments{std::istream_iterator<std::string>(words), {}};
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(&argument[0]);
  return ParseMakeOptions(static_cast<int>(pointers.size()), pointers.data(), options, error);
}

bool ParseArguments(const std::string& line, MakeOptions& options) {
  std::string error;
  return ParseArguments(line, options, error);
}

struct GivenLoopCase {
  const char* name;
  GameShape shape;
  // The options as frames or seconds, from the song's loop [start, end).
  std::string (*options)(LoopPoints loop);
  // The input's own tagged loop, if any.
  LoopPoints (*tags)(LoopPoints loop);
  bool moved;
  const char* why;
};

std::string Frames(long frames) { return std::to_string(frames); }

TEST(MakeLoop, MovesPointsALittleOffToWhereTheMusicRepeatsAndKeepsTheRest) {
  const auto none = [](LoopPoints) { return LoopPoints{}; };
  const GivenLoopCase cases[] = {
      {"the start 992 frames late, the end the file's", GameShape::kLoopToTheEnd,
       [](LoopPoints loop) { return "--loop-start " + Frames(loop.start + 992); }, none, true,
       "the music repeats 992 frames earlier than the start given"},
      // 1.5 s of introduction: 1.52 s is 882 frames late.
      {"the start in seconds, 20 ms late", GameShape::kLoopToTheEnd,
       [](LoopPoints) { return std::string("--loop-start 1.52s"); }, none, true,
       "the music repeats 882 frames earlier than the start given"},
      {"the end 14 frames early, before a tail", GameShape::kTailAfterTheLoop,
       [](LoopPoints loop) { return "--loop-start " + Frames(loop.start) + " --loop-end " + Frames(loop.end - 14); },
       none, true, "the music repeats 14 frames later than the end given"},
      {"a smpl chunk whose start is 10 frames early", GameShape::kLoopToTheEnd, [](LoopPoints) { return std::string(); },
       [](LoopPoints loop) { return LoopPoints{loop.start - 10, loop.end}; }, true,
       "the music repeats 10 frames later than the start given"},
      {"the start 992 frames late, with --exact-loop", GameShape::kLoopToTheEnd,
       [](LoopPoints loop) { return "--exact-loop --loop-start " + Frames(loop.start + 992); }, none, false, ""},
      {"music in which nothing repeats", GameShape::kNothingRepeats,
       [](LoopPoints loop) { return "--loop-start " + Frames(loop.start + 992) + " --loop-end " + Frames(loop.end - 14); },
       none, false, ""},
  };
  for (const GivenLoopCase& given : cases) {
    SCOPED_TRACE(given.name);
    const GameSong& song = Song(given.shape);
    // Without an end, the loop ends with the input.
    const LoopPoints truth{song.loop.start, given.shape == GameShape::kLoopToTheEnd ? song.audio.Frames() : song.loop.end};
    PcmAudio audio = song.audio;
    const LoopPoints tagged = given.tags(truth);
    if (tagged.end) {
      audio.loopTag = "smpl chunk";
      audio.taggedLoop = tagged;
    }
    MakeOptions options;
    ASSERT_TRUE(ParseArguments(given.options(truth), options));
    LoopChoice choice;
    std::string error;
    ASSERT_TRUE(ChooseLoop(RequestFor(options, "song.wav", "").loop, "song.wav", audio, kMinimumLoop, choice, error))
        << error;
    if (options.loopStart.IsTime()) EXPECT_NE(choice.source.find("1.52s is frame 67032"), std::string::npos) << choice.source;
    if (given.moved) {
      EXPECT_EQ(choice.loop.start, truth.start);
      EXPECT_EQ(choice.loop.end, truth.end);
      EXPECT_NE(choice.moved.find(given.why), std::string::npos) << choice.moved;
    } else {
      EXPECT_TRUE(choice.moved.empty()) << choice.moved;
      EXPECT_EQ(choice.loop.start, options.loopStart.FrameAt(44100));
      EXPECT_EQ(choice.loop.end, options.loopEndGiven ? options.loopEnd.FrameAt(44100) : audio.Frames());
    }
  }
}

struct PeriodicCase {
  const char* name;
  PeriodicMusic music;
  bool lossy;  // through a lossy round trip, else as a 16-bit WAV holds it
  LoopPoints given;
  LoopPoints used;
  const char* why;  // empty where the points are kept
};

PcmAudio PeriodicSong(PeriodicMusic music, bool lossy) {
  PcmAudio audio = MakePeriodicMusic(music, 44100, 7);
  if (lossy) return LossyRoundTrip(audio);
  for (float& sample : audio.samples) sample = std::round(sample * 32768) / 32768;
  return audio;
}

TEST(MakeLoop, KeepsPointsWhoseSeamIsACopyOnMusicThatRepeatsAtEveryPeriod) {
  // Frames 88200 to 220500: 3 s, whole periods of each kind of music.
  const PeriodicCase cases[] = {
      {"steady tones, seamless as given", PeriodicMusic::kSteadyTones, false, {88200, 220500}, {88200, 220500}, ""},
      {"steady tones, the start a period of both late", PeriodicMusic::kSteadyTones, false, {88494, 220500},
       {88494, 220500}, ""},
      {"steady tones, the start 100 frames late", PeriodicMusic::kSteadyTones, false, {88300, 220500}, {88200, 220500},
       "the music repeats 100 frames earlier than the start given"},
      {"a square-wave phrase, seamless as given", PeriodicMusic::kSquareWavePhrase, true, {88200, 220500},
       {88200, 220500}, ""},
      {"a square-wave phrase, the start 10 ms late", PeriodicMusic::kSquareWavePhrase, true, {88641, 220500},
       {88200, 220500}, "the music repeats 441 frames earlier than the start given"},
      {"a drone, seamless as given", PeriodicMusic::kDrone, true, {88200, 220500}, {88200, 220500}, ""},
      {"a drone, the end 5 ms early", PeriodicMusic::kDrone, true, {88200, 220280}, {87980, 220280},
       "the music repeats 220 frames earlier than the start given"},
  };
  for (const PeriodicCase& periodic : cases) {
    SCOPED_TRACE(periodic.name);
    MakeOptions options;
    ASSERT_TRUE(ParseArguments("--loop-start " + Frames(periodic.given.start) + " --loop-end " + Frames(periodic.given.end),
                               options));
    LoopChoice choice;
    std::string error;
    ASSERT_TRUE(ChooseLoop(RequestFor(options, "song.wav", "").loop, "song.wav", PeriodicSong(periodic.music, periodic.lossy),
                           kMinimumLoop, choice, error))
        << error;
    EXPECT_EQ(choice.loop.start, periodic.used.start);
    EXPECT_EQ(choice.loop.end, periodic.used.end);
    if (*periodic.why) {
      EXPECT_NE(choice.moved.find(periodic.why), std::string::npos) << choice.moved;
    } else {
      EXPECT_TRUE(choice.moved.empty()) << choice.moved;
    }
  }
}

// A second of music, the loop half of it: the music a second either side of the start is looked at only
// where the input holds it.
TEST(MakeLoop, ChecksTheLoopOfAShortInputWithinIt) {
  MakeOptions options;
  ASSERT_TRUE(ParseArguments("--loop-start 11025 --loop-end 33075", options));
  LoopChoice choice;
  std::string error;
  ASSERT_TRUE(ChooseLoop(RequestFor(options, "song.wav", "").loop, "song.wav",
                         MakePeriodicMusic(PeriodicMusic::kSteadyTones, 44100, 1), kMinimumLoop, choice, error))
      << error;
  EXPECT_EQ(choice.loop.start, 11025);
  EXPECT_EQ(choice.loop.end, 33075);
}

// 123 beats a minute at 44100 Hz: a bar of 86048.8 frames.
constexpr double kBar = 4 * 60 / 123.0 * 44100;

std::string Seconds(double frames) { return std::to_string(frames / 44100) + "s"; }

struct ToleranceCase {
  const char* name;
  std::string options;
  const char* moved;    // what make says, or empty where the points stay
  const char* problem;  // the error, for options make refuses
};

TEST(MakeLoop, MovesPointsKnownRoughlyOntoTheBarLineWithinTheTolerance) {
  static const PcmAudio song = MakeSongWithAnEnding(1, 123, 2, 44100);
  const std::string late = " --loop-start " + Seconds(2 * kBar + 0.4 * 44100) + " --loop-end " + Seconds(10 * kBar);
  const ToleranceCase cases[] = {
      {"the start 0.4 s late, a tolerance of 1 s", late + " --loop-tolerance 1s", "on the downbeat, in step", nullptr},
      {"the same, the tolerance in frames", late + " --loop-tolerance 44100", "on the downbeat, in step", nullptr},
      {"the same without a tolerance", late, nullptr, nullptr},
      {"a tolerance reaching before the input's start", " --loop-start 0.5s --loop-end " + Seconds(10 * kBar) +
           " --loop-tolerance 1s", "", nullptr},
      {"a tolerance as long as the loop", late + " --loop-tolerance 20s", nullptr, "reaches across the loop"},
      {"a tolerance that is no duration", late + " --loop-tolerance 1x", nullptr, "--loop-tolerance cannot take 1x"},
      {"a tolerance with --exact-loop", late + " --exact-loop --loop-tolerance 1s", nullptr, "give one of the two"},
  };
  for (const ToleranceCase& tolerance : cases) {
    SCOPED_TRACE(tolerance.name);
    MakeOptions options;
    std::string error;
    LoopChoice choice;
    const bool parsed = ParseArguments(tolerance.options, options, error);
    const bool chosen = parsed && ChooseLoop(RequestFor(options, "song.wav", "").loop, "song.wav", song, kMinimumLoop, choice, error);
    if (tolerance.problem) {
      EXPECT_FALSE(chosen);
      EXPECT_NE(error.find(tolerance.problem), std::string::npos) << error;
      continue;
    }
    ASSERT_TRUE(chosen) << error;
    if (!tolerance.moved) {
      EXPECT_TRUE(choice.moved.empty()) << choice.moved;
      EXPECT_EQ(choice.loop.start, options.loopStart.FrameAt(44100));
      continue;
    }
    if (*tolerance.moved == 0) {
      EXPECT_NE(choice.source.find("the tolerance clipped to the input's start"), std::string::npos) << choice.source;
      EXPECT_GE(choice.loop.start, 1);
      continue;
    }
    EXPECT_NE(choice.moved.find(tolerance.moved), std::string::npos) << choice.moved;
    // On the bar lines, within an eighth of a beat.
    EXPECT_NEAR(choice.loop.start, 2 * kBar, kBar / 32);
    EXPECT_NEAR(choice.loop.end, 10 * kBar, kBar / 32);
  }
}

// Music in which nothing repeats: two bars of introduction, four of the body, one after it.
const GeneratedSong& Music() {
  static const GeneratedSong music = [] {
    SongShape shape;
    shape.loopBars = 4;
    shape.repeats = 1;
    shape.outroBars = 1;
    shape.seamlessLoop = false;
    return MakeSong(shape, 2, 44100);
  }();
  return music;
}

// Noise of seconds, with the loop from a second on; written out twice, the loop is a copy.
GeneratedSong Noise(double seconds, bool writtenTwice) {
  GeneratedSong noise{{2, 44100}, {44100, std::lround((1 + seconds) * 44100)}};
  DeterministicNoise source(7);
  for (long frame = 0; frame < noise.loop.end; ++frame) noise.audio.samples.insert(noise.audio.samples.end(), 2, 0.5f * source.Next());
  if (writtenTwice) {
    noise.audio.samples.insert(noise.audio.samples.end(), noise.audio.samples.begin() + 2 * noise.loop.start,
                               noise.audio.samples.end());
  } else {
    noise.audio.samples.resize(noise.audio.samples.size() * 2);
    for (float& sample : noise.audio.samples) sample = sample ? sample : 0.5f * source.Next();
  }
  return noise;
}

// A 441 Hz tone whose loop holds 1323.45 periods: across the wrap the two sides are 162 degrees apart.
GeneratedSong CancellingTone() {
  GeneratedSong tone{{1, 44100}, {44100, 44100 + 132345}};
  for (long frame = 0; frame < 6 * 44100; ++frame) tone.audio.samples.push_back(0.4f * std::sin(2 * 3.14159265358979 * frame / 100));
  return tone;
}

// The frames of the decoded streams played one after the other, within -1..1.
std::vector<float> Decoded(const std::vector<std::string>& paths) {
  std::vector<float> samples;
  for (const std::string& path : paths) {
    const std::string pcm = DecodeReference(ReadFileBytes(path)).pcm;
    for (size_t i = 0; i + 1 < pcm.size(); i += 2) {
      int16_t sample;
      std::memcpy(&sample, &pcm[i], 2);
      samples.push_back(sample / 32768.0f);
    }
  }
  return samples;
}

// dB of the input's samples [0, count) over their difference from played's.
double SignalToNoise(const std::vector<float>& input, const std::vector<float>& played, size_t count) {
  double signal = 0, noise = 0;
  for (size_t i = 0; i < count && i < played.size(); ++i) {
    signal += static_cast<double>(input[i]) * input[i];
    noise += (static_cast<double>(played[i]) - input[i]) * (played[i] - input[i]);
  }
  return 10 * std::log10(signal / std::max(noise, 1e-12));
}

struct CrossfadeCase {
  const char* name;
  std::function<GeneratedSong()> song;
  // The options, from the song's loop [start, end).
  std::function<std::string(LoopPoints)> options;
  long crossfade;  // frames; -1: chosen from the music, up to 2 s
  long shortenedFrom;  // the length asked, where it was shortened; else 0
  // How much later than the loop's start the parts meet, at most the crossfade.
  std::function<long(long crossfade, const PcmAudio&, LoopPoints)> shift;
  bool clicks;
  // dB the first pass plays the input at least, up to the crossfade: what the lossy coding keeps of it.
  double firstPassSnr = 20;
};

TEST(MakeLoop, CrossfadesTheWrapWithoutAStepOrADipKeepingTheFirstPassAndTheLength) {
  const auto points = [](LoopPoints loop) {
    return "--loop-start " + Frames(loop.start) + " --loop-end " + Frames(loop.end);
  };
  const auto offBeat = [](LoopPoints loop) {
    const long bar = loop.Length() / 4;
    return "--loop-start " + Frames(loop.start + 37 * bar / 100) + " --loop-end " + Frames(loop.end - 21 * bar / 100);
  };
  const auto musicAfter = [](long crossfade, const PcmAudio& audio, LoopPoints loop) {
    return std::min(crossfade, audio.Frames() - loop.end);
  };
  const auto none = [](long, const PcmAudio&, LoopPoints) { return 0L; };
  const CrossfadeCase cases[] = {
      {"at bar lines, music after the loop", Music, points, -1, 0, musicAfter, false},
      {"off the beat, music after the loop", Music, offBeat, -1, 0, musicAfter, false},
      {"a loop to the end of the file", Music,
       [](LoopPoints loop) { return "--loop-start " + Frames(loop.start); }, -1, 0, none, false},
      {"a second asked, 0.2 s of music after the loop", Music,
       [](LoopPoints loop) { return "--crossfade 1s --loop-start " + Frames(loop.start) + " --loop-end " + Frames(loop.end + 42185); },
       44100, 0, musicAfter, false},
      {"half a second asked, the loop 441 frames into the file and to its end", Music,
       [](LoopPoints) { return std::string("--crossfade 0.5s --loop-start 441"); }, 441, 22050, none, false},
      {"cut, off the beat: the wrap clicks", Music, [&](LoopPoints loop) { return "--crossfade 0 " + offBeat(loop); }, 0, 0,
       none, true},
      // Lossy coding keeps little of noise's waveform.
      {"noise", [] { return Noise(3, false); }, points, -1, 0, musicAfter, false, 5},
      {"a tone whose two sides cancel", CancellingTone,
       [&](LoopPoints loop) { return "--crossfade 0.5s " + points(loop); }, 22050, 0, musicAfter, false},
      {"a copy: the loop's end played before its start", [] {
         const GameSong song = MakeGameSong(GameShape::kLoopToTheEnd, 1.5, 2, 44100);
         return GeneratedSong{song.audio, song.loop};
       }, points, 0, 0, none, false},
      {"a copy: noise written out twice", [] { return Noise(3, true); }, points, 0, 0, none, false, 5},
  };
  for (const CrossfadeCase& crossfade : cases) {
    SCOPED_TRACE(crossfade.name);
    const GeneratedSong song = crossfade.song();
    TempDirectory directory;
    ASSERT_TRUE(WriteWavFile(directory / "song.wav", song.audio.channels, song.audio.rate, Pcm16(song.audio.samples)));
    MakeOptions options;
    ASSERT_TRUE(ParseArguments("--exact-loop " + crossfade.options(song.loop), options));
    MakeRequest request = RequestFor(options, directory / "song.wav", "the command line");
    request.introPath = directory / "intro.ogg";
    request.loopPath = directory / "loop.ogg";
    MadeStreams made;
    std::string error;
    ASSERT_TRUE(MakeStreams(Rux2(), request, [] { return false; }, made, error)) << error;

    const LoopPoints loop = made.loop.loop, parts = made.crossfade.parts;
    const long frames = made.crossfade.frames;
    if (crossfade.crossfade < 0) {
      EXPECT_GT(frames, 0);
      EXPECT_LE(frames, 2 * 44100);
    } else {
      EXPECT_EQ(frames, crossfade.crossfade);
    }
    EXPECT_EQ(made.crossfade.asked, crossfade.shortenedFrom ? crossfade.shortenedFrom : frames);
    EXPECT_EQ(made.seamRepeats, crossfade.crossfade == 0 && !crossfade.clicks);
    EXPECT_EQ(parts.start - loop.start, crossfade.shift(frames, song.audio, loop));
    // The loop as the engine plays it: its length exact, played whole twice after the introduction.
    EXPECT_EQ(parts.Length(), loop.Length());
    EXPECT_EQ(made.check.playedFrames, parts.end + loop.Length());
    const std::vector<float> played = Decoded({directory / "intro.ogg", directory / "loop.ogg"});
    ASSERT_EQ(static_cast<long>(played.size()), parts.end * song.audio.channels);
    // Up to the crossfade, the first pass plays the input: only the lossy coding's noise is not.
    const size_t firstPass = static_cast<size_t>(parts.end - frames) * song.audio.channels;
    EXPECT_GT(SignalToNoise(song.audio.samples, played, firstPass), crossfade.firstPassSnr);
    EXPECT_EQ(made.check.wrap.Clicks(), crossfade.clicks)
        << made.check.wrap.click << " against " << made.check.wrap.musicClick << " and " << made.check.wrap.typicalClick;
    EXPECT_LE(made.check.wrap.dipDb, 3);
  }
}

}  // namespace
