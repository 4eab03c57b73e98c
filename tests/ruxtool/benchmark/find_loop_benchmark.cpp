// find_loop_benchmark write SECONDS FILE: writes a generated stereo song at 44100 Hz of about that
// length, as a 16-bit WAV file: an introduction of 8 bars, 16 bars three times, the rest other music.
// find_loop_benchmark search FILE: prints how long ruxtool find-loop's work takes for it (reading it
// mixed to one channel, and the search), what it finds, and the process's peak memory. The two are
// separate runs, so that the peak is the search's alone.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "audio_file.h"
#include "loop_search.h"
#include "music_generator.h"
#include "process_memory.h"
#include "wav_writer.h"

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
  PcmAudio audio;
  std::string error;
  if (!ReadAudioFile(path, audio, error, true)) {
    std::printf("%s\n", error.c_str());
    return 1;
  }
  const auto read = std::chrono::steady_clock::now();
  const std::vector<LoopCandidate> loops = FindLoops(audio.samples, audio.rate, {});
  const auto searched = std::chrono::steady_clock::now();
  const auto seconds = [](auto from, auto to) { return std::chrono::duration<double>(to - from).count(); };
  std::printf("find-loop on %s (%.0f s): reading %.2f s, searching %.2f s, %.2f s in all (goal for 4 minutes: a "
              "few seconds); peak memory %.1f MiB (goal for 10 minutes: below 256 MiB)\n",
              path, audio.Frames() / static_cast<double>(audio.rate), seconds(start, read), seconds(read, searched),
              seconds(start, searched), PeakMemoryBytes() / 1048576.0);
  for (const LoopCandidate& loop : loops) {
    std::printf("  %ld %ld %.3f (%ld frames)\n", loop.loop.start, loop.loop.end, loop.score, loop.loop.Length());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "write") == 0) return Write(std::atof(argv[2]), argv[3]);
  if (argc == 3 && std::strcmp(argv[1], "search") == 0) return Search(argv[2]);
  std::fprintf(stderr, "usage: find_loop_benchmark write SECONDS FILE | search FILE\n");
  return 2;
}
