// make_memory_benchmark write FOLDER COUNT SECONDS CHANNELS RATE: writes a generated song of about
// SECONDS COUNT times into FOLDER as 16-bit WAV files of CHANNELS (1 to 8) at RATE, their loops in
// loops.txt; more than two channels carry the stereo music at other levels.
// make_memory_benchmark make BUDGET_MIB|free SOURCE OUTPUT [OPTION...]: ruxtool make on the folder with
// make's options given and the memory budget given (or the memory free), and prints the time, what the
// files were judged to need, and the process's peak memory. Each run is a process of its own, so that the peak
// is that run's.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "audio_files/audio_file.h"
#include "audio_files/sample_room.h"
#include "audio_files/wav_writer.h"
#include "music_generator.h"
#include "process_memory.h"
#include "rux2_under_test.h"
#include "soundtrack/audio_file_names.h"
#include "soundtrack/folder_make.h"
#include "system/folder_files.h"
#include "system/free_memory.h"

namespace {

// The stereo song's channels spread over more, each at a level of its own.
std::vector<float> Spread(const std::vector<float>& stereo, int channels) {
  if (channels <= 2) return stereo;
  std::vector<float> spread;
  spread.reserve(stereo.size() / 2 * channels);
  for (size_t frame = 0; frame < stereo.size() / 2; ++frame) {
    for (int channel = 0; channel < channels; ++channel) spread.push_back(stereo[frame * 2 + channel % 2] * (1.0f - 0.08f * channel));
  }
  return spread;
}

// One song rendered, written COUNT times: the figures are of memory and of the work, which the notes
// do not change.
int Write(const std::string& folder, int count, double seconds, int channels, long rate) {
  MakeParentFolders(folder + "/song");
  SongShape shape;
  shape.introBars = 8;
  shape.loopBars = 32;
  shape.outroBars = std::max(0, static_cast<int>(seconds / 2) - 8 - 64);
  shape.beatsPerMinute = 120;
  const GeneratedSong song = MakeSong(shape, channels == 1 ? 1 : 2, rate);
  const std::string pcm = Pcm16(Spread(song.audio.samples, channels));
  std::ofstream loops(folder + "/loops.txt");
  for (int index = 1; index <= count; ++index) {
    const std::string name = "song" + std::to_string(index) + ".wav";
    if (!WriteWavFile(folder + "/" + name, channels, rate, pcm)) return 1;
    loops << song.loop.start << " " << song.loop.end << " " << name << "\n";
  }
  std::printf("%s: %d songs of %.0f s, %d channels at %ld Hz\n", folder.c_str(), count,
              song.audio.Frames() / static_cast<double>(rate), channels, rate);
  return 0;
}

int Make(uint64_t budget, const std::string& source, const std::string& output, std::vector<std::string> words) {
  words.insert(words.end(), {"--force", source, output});
  std::vector<char*> arguments;
  for (std::string& word : words) arguments.push_back(&word[0]);
  MakeOptions options;
  std::string error;
  if (!ParseMakeOptions(static_cast<int>(arguments.size()), arguments.data(), options, error)) return 2;
  std::vector<std::string> files;
  size_t macFiles = 0;
  ListAudioFiles(source, files, macFiles, error);
  uint64_t needs = 0;
  for (const std::string& file : files) {
    AudioShape shape;
    if (ReadAudioShape(source + "/" + file, shape)) needs += MemoryToMake(shape.frames, shape.channels);
  }
  const auto start = std::chrono::steady_clock::now();
  const int code = MakeFolder(Rux2(), options, [] { return false; }, budget);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::string given;
  for (size_t i = 0; i + 3 < words.size(); ++i) given += words[i] + " ";
  std::printf("ruxtool make %son %zu files (%s), memory budget %s: %.1f s; the files judged to need %s in all; "
              "peak memory %s\n",
              given.c_str(), files.size(), code == 0 ? "made" : "failed", MebibytesText(budget).c_str(), seconds,
              MebibytesText(needs).c_str(), MebibytesText(PeakMemoryBytes()).c_str());
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "write" && argc == 7) {
    return Write(argv[2], std::atoi(argv[3]), std::atof(argv[4]), std::atoi(argv[5]), std::atol(argv[6]));
  }
  if (mode == "make" && argc >= 5) {
    const uint64_t budget = std::string(argv[2]) == "free" ? FreeMemory() : std::strtoull(argv[2], nullptr, 10) << 20;
    return Make(budget, argv[3], argv[4], std::vector<std::string>(argv + 5, argv + argc));
  }
  std::fprintf(stderr, "usage: make_memory_benchmark write FOLDER COUNT SECONDS CHANNELS RATE\n"
                       "       make_memory_benchmark make BUDGET_MIB|free SOURCE OUTPUT [OPTION...]\n");
  return 2;
}
