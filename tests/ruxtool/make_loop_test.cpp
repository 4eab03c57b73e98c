// The loop make cuts at, from its options or the input's tags, on songs shaped the way released games
// ship their loops: points a little off from where the music repeats are moved there and make says
// so; points where nothing repeats, or with --exact-loop, stay exactly as given. And the crossfade
// make bakes into the wrap where the music does not repeat across it, played through the exports.
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

bool ParseArguments(const std::string& line, MakeOptions& options, const std::string& files = " song.wav intro.ogg loop.ogg") {
  std::istringstream words(line + files);
  std::vector<std::string> arguments{std::istream_iterator<std::string>(words), {}};
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(&argument[0]);
  std::string error;
  return ParseMakeOptions(static_cast<int>(pointers.size()), pointers.data(), options, error);
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
    ASSERT_TRUE(ParseArguments("--exact-loop " + crossfade.options(song.loop), options,
                               " " + (directory / "song.wav") + " " + (directory / "intro.ogg") + " " + (directory / "loop.ogg")));
    MakeRequest request = RequestFor(options, options.input, "the command line");
    request.introPath = options.output;
    request.loopPath = options.loopOutput;
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
