// find_loop_benchmark write SECONDS FILE: writes a generated stereo song at 44100 Hz of about that
// length, as a 16-bit WAV file: an introduction of 8 bars, 16 bars three times, the rest other music.
// find_loop_benchmark search FILE: prints how long ruxtool find-loop's work takes for it (reading it
// mixed to one channel, and the search), what it finds, and the process's peak memory. The two are
// separate runs, so that the peak is the search's alone.
// find_loop_benchmark shapes TRACK...: makes each track (WAV or Ogg Vorbis) into the shapes released
// games ship their loops in, fading tails among them, each through a lossy round trip, and prints
// whether find-loop puts the loop first and exact, and whether make's check puts loop points given a
// little off back where the music repeats, and keeps them where nothing repeats.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "audio_files/audio_file.h"
#include "audio_files/wav_writer.h"
#include "game_songs.h"
#include "loop_search/given_loop_check.h"
#include "loop_search/loop_search.h"
#include "music_generator.h"
#include "process_memory.h"

namespace {

constexpr long kRate = 44100;

int Write(double seconds, const char* path) {
  SongShape shape;
  shape.beatsPerMinute = 120;
  shape.introBars = 8;
  shape.loopBars = 16;
  shape.repeats = 3;
  shape.outroBars = std::max(0, static_cast<int>(seconds / 2) - 8 - 48);
  shape.seamlessLoop = false;
  const GeneratedSong song = MakeSong(shape, 2, kRate);
  if (!WriteWavFile(path, 2, kRate, Pcm16(song.audio.samples))) return 1;
  std::printf("%s: %.0f s, the section of 16 bars (%ld frames) from frame %ld, three times\n", path,
              song.audio.Frames() / static_cast<double>(kRate), song.loop.Length(), song.loop.start);
  return 0;
}

int Search(const char* path) {
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t processorStart = std::clock();
  PcmAudio audio;
  std::string error;
  if (!ReadAudioFile(path, audio, error, true)) {
    std::printf("%s\n", error.c_str());
    return 1;
  }
  const auto read = std::chrono::steady_clock::now();
  const std::vector<LoopCandidate> loops = FindLoops(audio.samples, audio.rate, {});
  const auto searched = std::chrono::steady_clock::now();
  const double processor = static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC;
  const auto seconds = [](auto from, auto to) { return std::chrono::duration<double>(to - from).count(); };
  // On a machine shared with other work the processor time tells more than the time that passed.
  std::printf("find-loop on %s (%.0f s): reading %.2f s, searching %.2f s, %.2f s in all, %.2f s of processor time "
              "(goal: 2.5 s for 4 minutes, 6 s for 10); peak memory %.1f MiB (goal for 10 minutes: below 256 MiB)\n",
              path, audio.Frames() / static_cast<double>(audio.rate), seconds(start, read), seconds(read, searched),
              seconds(start, searched), processor, PeakMemoryBytes() / 1048576.0);
  for (const LoopCandidate& loop : loops) {
    std::printf("  %ld %ld %.3f (%ld frames, %s)\n", loop.loop.start, loop.loop.end, loop.score, loop.loop.Length(),
                loop.kind == LoopKind::kToTheEnd       ? "to the end"
                : loop.kind == LoopKind::kMusicalJoin ? "a musical join"
                                                      : "a repeated section");
  }
  return 0;
}

struct ShapeCase {
  const char* name;
  GameShape shape;
  double leadSeconds;
};

// What make's check makes of points given off by start and end frames: where nothing repeats, "kept"
// or the points it moved; else whether the loop it uses has the loop's length, and how far it moved
// each point.
std::string CheckedPoints(const std::vector<float>& mono, long rate, LoopPoints truth, long start, long end,
                          bool repeats) {
  const LoopPoints given{truth.start + start, truth.end + end};
  const LoopPoints used = CheckGivenLoop(mono, rate, given);
  const long movedStart = used.start - given.start, movedEnd = used.end - given.end;
  if (!repeats && movedStart == 0 && movedEnd == 0) return "kept";
  return std::string(used.Length() == truth.Length() ? "length exact" : "length wrong") + ", start " +
         std::to_string(movedStart) + ", end " + std::to_string(movedEnd);
}

// Whether a loop of the song's length ends as it should: with the file, or before its fading tail has
// taken 2 dB off the music, where the music repeats.
bool EndsWhereItShould(const GameSong& song, const ShapeCase& shape, LoopPoints loop) {
  if (shape.shape != GameShape::kFadingTail) return loop.end == song.audio.Frames();
  const long rate = song.audio.rate;
  return loop.start >= song.loop.start - std::lround(shape.leadSeconds * rate) &&
         loop.end <= song.loop.end + std::lround(2 / (kFadeDepth / kFadeSeconds) * rate);
}

void PrintShape(const char* track, const PcmAudio& music, const ShapeCase& shape) {
  // A loop of up to 128 s from the sixth second, with other music before it and four seconds after.
  const long rate = music.rate, first = 6 * rate;
  const LoopPoints section{first, first + std::min(music.Frames() - first - 4 * rate, 128 * rate)};
  const GameSong song = ShapeGameSong(music, section, shape.shape, shape.leadSeconds);
  const std::vector<float> mono = MixToMono(song.audio);
  const std::vector<LoopCandidate> loops = FindLoops(mono, rate, {});
  const bool repeats = shape.shape != GameShape::kNothingRepeats;
  // The loop a game plays, as the search gives it: to the file's end.
  const LoopPoints truth = shape.shape == GameShape::kLoopToTheEnd ? LoopPoints{song.loop.start, song.audio.Frames()}
                                                                   : song.loop;
  std::printf("  %-12s %-36s ", track, shape.name);
  if (loops.empty()) {
    std::printf("find-loop: no loop");
  } else {
    const LoopCandidate& best = loops.front();
    const bool exact = best.kind == LoopKind::kToTheEnd && std::abs(best.loop.Length() - truth.Length()) <= 2 &&
                       EndsWhereItShould(song, shape, best.loop);
    std::printf("find-loop: %ld to %ld, %s (score %.3f)", best.loop.start, best.loop.end,
                exact ? "the loop, exact" : "not the loop", best.score);
  }
  const long twentyMs = std::lround(0.02 * rate);
  std::printf("; given start 992 late: %s; end 14 early: %s; start 20 ms early: %s\n",
              CheckedPoints(mono, rate, truth, 992, 0, repeats).c_str(),
              CheckedPoints(mono, rate, truth, 0, -14, repeats).c_str(),
              CheckedPoints(mono, rate, truth, -twentyMs, 0, repeats).c_str());
}

int Shapes(int count, char** tracks) {
  const ShapeCase shapes[] = {
      {"loop to the end, 1 s of introduction", GameShape::kLoopToTheEnd, 1},
      {"loop to the end, 5 s of introduction", GameShape::kLoopToTheEnd, 5},
      {"a tail of 3 s after the loop", GameShape::kTailAfterTheLoop, 3},
      {"a fading tail", GameShape::kFadingTail, 0},
      {"a fading tail, 1.6 s of introduction", GameShape::kFadingTail, 1.6},
      {"as released: nothing repeats", GameShape::kNothingRepeats, 0},
  };
  for (int i = 0; i < count; ++i) {
    PcmAudio music;
    std::string error;
    if (!ReadAudioFile(tracks[i], music, error)) {
      std::printf("  %s\n", error.c_str());
      continue;
    }
    const char* name = std::strrchr(tracks[i], '/') ? std::strrchr(tracks[i], '/') + 1 : tracks[i];
    for (const ShapeCase& shape : shapes) PrintShape(name, music, shape);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "write") == 0) return Write(std::atof(argv[2]), argv[3]);
  if (argc == 3 && std::strcmp(argv[1], "search") == 0) return Search(argv[2]);
  if (argc >= 2 && std::strcmp(argv[1], "shapes") == 0) return Shapes(argc - 2, argv + 2);
  std::fprintf(stderr, "usage: find_loop_benchmark write SECONDS FILE | search FILE | shapes TRACK...\n");
  return 2;
}
