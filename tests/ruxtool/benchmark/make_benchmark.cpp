// make_benchmark [MUSIC START END]...: run in the folder of a build's test streams. Prints how long
// ruxtool make's work takes for the 200 s benchmark stream (reading it, levelling its loudness,
// encoding an introduction and a loop part, playing them back through the exports) and the memory it
// takes; then what each seam of the seam cases costs, as make encodes it, split and encoded alone, and
// in one uncut stream. Each MUSIC file (any audio file make reads) is measured as well, with a loop
// from frame START to END mastered with a crossfade of a second.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "audio_file.h"
#include "loop_streams.h"
#include "loudness_gain.h"
#include "process_memory.h"
#include "rux2_under_test.h"
#include "seam_comparison.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void PrintMakeTime() {
  const char* path = "long_stereo_44100.ogg";
  const Clock::time_point start = Clock::now();
  PcmAudio audio;
  std::string error;
  if (!ReadAudioFile(path, audio, error)) {
    std::printf("%s\n", error.c_str());
    return;
  }
  const double read = SecondsSince(start);
  const LoopPoints loop{60 * audio.rate, 180 * audio.rate};
  LoudnessLevel level;
  LevelLoudness({-16, -1}, loop.end, audio, level, error);
  const double levelled = SecondsSince(start);
  LoopStreams streams;
  MakeLoopStreams(audio, loop, {audio.channels, audio.rate, 0.5f, 1}, streams);
  const double encoded = SecondsSince(start);
  const SeamCheck check = CheckSeams(Rux2(), audio, loop, streams.intro, streams.loop);
  const double total = SecondsSince(start);
  std::printf("ruxtool make --loudness -16 on %s (%ld s), its loop from 60 s to 180 s, quality 5:\n", path,
              audio.Frames() / audio.rate);
  std::printf("  reading and decoding %.2f s, measuring 180 s of loudness and putting the gain on %.2f s (%.1f LUFS, "
              "%+.1f dB),\n  encoding the parts and choosing %.2f s, playing them back %.2f s: %.2f s in all "
              "(%.1fx real time)\n",
              read, levelled - read, level.measured.lufs, level.gainDb, encoded - levelled, total - encoded, total,
              audio.Frames() / static_cast<double>(audio.rate) / total);
  std::printf("  %s; peak memory %.1f MiB\n", check.problem.empty() ? "played exactly" : check.problem.c_str(),
              PeakMemoryBytes() / 1048576.0);
}

void PrintSeams(const SeamCase& seamCase) {
  const SeamCheck made = MadeSeams(seamCase), split = SplitSeams(seamCase);
  const std::vector<double> uncut = UncutCosts(seamCase, made);
  if (!made.problem.empty() || !split.problem.empty() || uncut.size() != made.seams.size()) {
    std::printf("  %-44s does not play: %s%s\n", seamCase.name, made.problem.c_str(), split.problem.c_str());
    return;
  }
  for (size_t i = 0; i < made.seams.size(); ++i) {
    std::printf("  %-44s %-26s %+6.2f  %+6.2f  %+6.2f   %+6.2f  %+6.2f\n", seamCase.name, made.seams[i].name,
                made.seams[i].error.Cost(), split.seams[i].error.Cost(), uncut[i],
                made.seams[i].error.Cost() - uncut[i], split.seams[i].error.Cost() - uncut[i]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  PrintMakeTime();
  std::printf("\nWhat each seam costs, in dB of signal to noise in the 2048 frames around it below the median of the\n"
              "windows 2 to 16 window lengths away (goal: make's at most 1 dB more than the uncut stream's):\n");
  std::printf("  %-44s %-26s %6s  %6s  %6s   %6s  %6s\n", "loop", "seam", "make", "split", "uncut", "make-u",
              "split-u");
  for (const SeamCase& seamCase : SeamCases()) PrintSeams(seamCase);
  for (int i = 1; i + 2 < argc; i += 3) {
    SeamCase music{argv[i], {}, 0.5f};
    std::string error;
    if (!ReadAudioFile(argv[i], music.song.audio, error)) {
      std::printf("  %s\n", error.c_str());
      continue;
    }
    const PcmAudio source = music.song.audio;
    music.song = CrossfadeMastered(source, {std::atol(argv[i + 1]), std::atol(argv[i + 2])}, source.rate);
    PrintSeams(music);
  }
  return 0;
}
