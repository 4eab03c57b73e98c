// make_benchmark [MUSIC START END]...: run in the folder of a build's test streams. Prints how long
// ruxtool make takes for the 200 s benchmark stream, written as a WAV file as composers deliver it,
// against oggenc encoding the same file at the same quality, and what --loudness adds; how much faster a folder of songs is made with -j 2 than with -j 1; then what each seam of
// the seam cases costs, as make encodes it, split and encoded alone, and in one uncut stream. Each
// MUSIC file (any audio file make reads) is measured as well, with a loop from frame START to END
// mastered with a crossfade of a second.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "audio_files/audio_file.h"
#include "audio_files/wav_writer.h"
#include "loudness/loudness_gain.h"
#include "make_options/make_request.h"
#include "music_generator.h"
#include "report/soundtrack_report.h"
#include "rux2_under_test.h"
#include "seam_comparison.h"
#include "soundtrack/folder_make.h"
#include "system/folder_files.h"
#include "system/free_memory.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kWav[] = "make_benchmark.wav";
constexpr char kSongs[] = "make_benchmark_songs";
constexpr char kMadeSongs[] = "make_benchmark_made";
constexpr unsigned kSongCount = 4;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double SecondsOf(const std::function<bool()>& work, bool& done) {
  const Clock::time_point start = Clock::now();
  done = work();
  return SecondsSince(start);
}

// The benchmark stream as 16-bit WAV files: the whole of it, and songs of generated music with their
// loop in a smpl chunk.
bool WriteInputs() {
  PcmAudio audio;
  std::string error;
  if (!ReadAudioFile("long_stereo_44100.ogg", audio, error)) {
    std::printf("%s\n", error.c_str());
    return false;
  }
  bool written = WriteWavFile(kWav, audio.channels, audio.rate, Pcm16(audio.samples));
  MakeParentFolders(std::string(kSongs) + "/song");
  for (unsigned seed = 1; seed <= kSongCount; ++seed) {
    SongShape shape;
    shape.loopBars = 8;
    shape.seed = seed;
    const GeneratedSong song = MakeSong(shape, 2, 44100);
    written = written && WriteWavFile(std::string(kSongs) + "/song" + std::to_string(seed) + ".wav", 2, 44100,
                                      Pcm16(song.audio.samples), &song.loop);
  }
  return written;
}

bool MakeWith(const std::vector<std::string>& words) {
  std::vector<std::string> arguments = words;
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(&argument[0]);
  MakeOptions options;
  std::string error;
  if (!ParseMakeOptions(static_cast<int>(pointers.size()), pointers.data(), options, error)) return false;
  if (options.folder && !options.report.empty()) {
    return MakeFolderWithReport(Rux2(), options, [] { return false; }, FreeMemory()) == 0;
  }
  if (options.folder) return MakeFolder(Rux2(), options, [] { return false; }, FreeMemory()) == 0;
  MakeRequest request = RequestFor(options, options.input, "the command line");
  request.introPath = options.output;
  request.loopPath = options.loopOutput;
  MadeStreams made;
  return MakeStreams(Rux2(), request, [] { return false; }, made, error);
}

// Processor seconds, which another process taking a core for a while leaves as they are.
double ProcessorSecondsOf(const std::function<bool()>& work, bool& done) {
  const std::clock_t start = std::clock();
  done = work();
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// What the report adds to making the folder of songs, -j 1: made again with and without --report, and
// the report of the streams made, alone; the fastest of five runs of each, as the machine's other
// work slows a run by several per cent now and then.
void PrintReportTime() {
  const std::vector<std::string> make{"-j", "1", "--force", kSongs, kMadeSongs};
  std::vector<std::string> withReport = make;
  withReport.insert(withReport.begin(), {"--report", "make_benchmark_report"});
  double seconds[3] = {1e9, 1e9, 1e9};
  bool done = true, run = false;
  for (int round = 0; round < 5; ++round) {
    seconds[0] = std::min(seconds[0], ProcessorSecondsOf([&] { return MakeWith(make); }, run));
    done = done && run;
    seconds[1] = std::min(seconds[1], ProcessorSecondsOf([&] { return MakeWith(withReport); }, run));
    done = done && run;
    seconds[2] = std::min(seconds[2], ProcessorSecondsOf([] {
      return ReportSoundtrack(Rux2(), {kMadeSongs, "make_benchmark_report", 1}, [] { return false; }) == 0;
    }, run));
    done = done && run;
  }
  std::printf("the report of the folder of %u songs (%s), processor time, -j 1: make %.2f s, make --report %.2f s "
              "(%+.1f %%, goal: at most +10 %%); ruxtool report alone %.2f s (%.1f %% of make's time)\n",
              kSongCount, done ? "written" : "failed", seconds[0], seconds[1], 100 * (seconds[1] / seconds[0] - 1),
              seconds[2], 100 * seconds[2] / seconds[0]);
}

void PrintMakeTime() {
  if (!WriteInputs()) return;
  bool made = false, encoded = false, levelled = false, folders = true;
  const double make =
      SecondsOf([] { return MakeWith({"--loop-start", "60s", "--loop-end", "180s", kWav, "i.ogg", "l.ogg"}); }, made);
  const double oggenc = SecondsOf([] { return std::system("oggenc -Q -q 5 -o o.ogg make_benchmark.wav") == 0; }, encoded);
  PcmAudio audio;
  std::string error;
  ReadAudioFile(kWav, audio, error);
  const double loudness = SecondsOf([&] {
    LoudnessLevel level;
    return LevelLoudness({-16, -1}, 180 * audio.rate, audio, level, error);
  }, levelled);
  std::printf("ruxtool make on long_stereo_44100.ogg as a WAV file (%ld s), its loop from 60 s to 180 s, quality 5:\n",
              audio.Frames() / audio.rate);
  std::printf("  %.2f s (%s); oggenc -q 5 on the same file: %.2f s%s: make takes %.2f times as long (goal: at "
              "most 2); --loudness -16 adds %.2f s\n",
              make, made ? "made" : "failed", oggenc, encoded ? "" : " (oggenc cannot be run here)", make / oggenc,
              loudness);
  double seconds[2] = {};
  // The faster of two runs each, as another process may take a core for a while.
  for (const int jobs : {1, 2, 1, 2}) {
    const double run = SecondsOf([&] { return MakeWith({"-j", std::to_string(jobs), "--force", kSongs, kMadeSongs}); },
                                 made);
    seconds[jobs - 1] = seconds[jobs - 1] ? std::min(seconds[jobs - 1], run) : run;
    folders = folders && made;
  }
  std::printf("ruxtool make on a folder of %u songs (%s): -j 1 %.2f s, -j 2 %.2f s: %.2f times as fast (goal: at least "
              "1.7 on 2 cores)\n",
              kSongCount, folders ? "made" : "failed", seconds[0], seconds[1], seconds[0] / seconds[1]);
  PrintReportTime();
  for (const char* file : {kWav, "i.ogg", "l.ogg", "o.ogg"}) std::remove(file);
}

void PrintSeams(const SeamCase& seamCase) {
  const SeamCheck made = MadeSeams(seamCase), split = SplitSeams(seamCase);
  const std::vector<SeamError> uncut = UncutSeams(seamCase, made);
  if (!made.problem.empty() || !split.problem.empty() || uncut.size() != made.seams.size()) {
    std::printf("  %-44s does not play: %s%s\n", seamCase.name, made.problem.c_str(), split.problem.c_str());
    return;
  }
  for (size_t i = 0; i < made.seams.size(); ++i) {
    std::printf("  %-44s %-26s %+6.2f  %+6.2f  %+6.2f   %+6.2f  %+6.2f\n", seamCase.name, made.seams[i].name,
                made.seams[i].error.Cost(), split.seams[i].error.Cost(), uncut[i].Cost(),
                made.seams[i].error.Cost() - uncut[i].Cost(), split.seams[i].error.Cost() - uncut[i].Cost());
  }
}

}  // namespace

int main(int argc, char** argv) {
  PrintMakeTime();
  std::printf("\nWhat each seam costs, in dB of signal to noise in the 2048 frames around it below the median of the\n"
              "windows 2 to 16 window lengths away (goal: make's at most 1 dB more than the uncut stream's):\n");
  std::printf("  %-44s %-26s %6s  %6s  %6s   %6s  %6s\n", "loop", "seam", "make", "split", "uncut", "make-u",
              "split-u");
  for (const SeamCase& seamCase : SeamCases("")) PrintSeams(seamCase);
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
