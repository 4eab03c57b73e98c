// make_sample_soundtrack FOLDER: writes a small soundtrack into FOLDER, as a composer delivers one:
// "phrase.wav", a two-bar introduction and a four-bar loop written out twice, with the loop in its smpl
// chunk; "theme.flac", another song, with its loop in LOOPSTART and LOOPLENGTH comments; and
// "se\chime.wav", a sound without a loop. All in stereo at 44100 Hz.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "audio_files/wav_writer.h"
#include "flac_bytes.h"
#include "music_generator.h"

namespace {

constexpr long kRate = 44100;

// Three bell partials, struck at once and dying away over a second and a half.
std::vector<float> Chime() {
  std::vector<float> samples;
  for (long frame = 0; frame < kRate * 3 / 2; ++frame) {
    const double time = static_cast<double>(frame) / kRate;
    double value = 0;
    for (const double hertz : {880.0, 1320.0, 2217.0}) value += std::sin(2 * 3.14159265358979 * hertz * time) / 3;
    value *= 0.5 * std::exp(-time * 3);
    samples.insert(samples.end(), 2, static_cast<float>(value));
  }
  return samples;
}

bool WriteFlac(const std::string& path, const GeneratedSong& song) {
  const std::string bytes = FlacBytes(2, kRate, 16, song.audio.samples,
                                      {"TITLE=theme", "LOOPSTART=" + std::to_string(song.loop.start),
                                       "LOOPLENGTH=" + std::to_string(song.loop.Length())});
  FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return file && std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_soundtrack FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "se").c_str(), nullptr);
  const GeneratedSong phrase = MakeSong(SongShape{}, 2, kRate);
  SongShape themeShape;
  themeShape.introBars = 1;
  themeShape.beatsPerMinute = 96;
  themeShape.seed = 2;
  const GeneratedSong theme = MakeSong(themeShape, 2, kRate);
  const bool written = WriteWavFile(folder + "phrase.wav", 2, kRate, Pcm16(phrase.audio.samples), &phrase.loop) &&
                       WriteFlac(folder + "theme.flac", theme) &&
                       WriteWavFile(folder + "se\\chime.wav", 2, kRate, Pcm16(Chime()));
  if (!written) {
    std::fprintf(stderr, "make_sample_soundtrack: cannot write into %s\n", folder.c_str());
    return 1;
  }
  std::printf("%sphrase.wav: %ld frames, the loop from frame %ld to %ld, in its smpl chunk\n", folder.c_str(),
              phrase.audio.Frames(), phrase.loop.start, phrase.loop.end);
  std::printf("%stheme.flac: %ld frames, the loop from frame %ld to %ld, in its comments\n", folder.c_str(),
              theme.audio.Frames(), theme.loop.start, theme.loop.end);
  std::printf("%sse\\chime.wav: %ld frames, no loop\n", folder.c_str(), kRate * 3 / 2);
  return 0;
}
