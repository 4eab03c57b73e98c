// make_sample_stream FOLDER: writes the tool's sample stream into FOLDER, an introduction
// "intro.ogg" and a loop part "loop.ogg", both stereo at 44100 Hz.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "signal_generator.h"
#include "vorbis_encoder.h"

namespace {

constexpr long kRate = 44100;

bool WriteStream(const std::string& path, long frames, unsigned seed) {
  const std::string bytes = EncodeVorbis(MakeSignal(2, kRate, frames, seed), VorbisSettings{2, kRate});
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (bytes.empty() || !file) {
    std::fprintf(stderr, "make_sample_stream: cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("%s: %ld frames\n", path.c_str(), frames);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_stream FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const bool written =
      WriteStream(folder + "intro.ogg", kRate * 5 / 2, 1) && WriteStream(folder + "loop.ogg", kRate * 4, 2);
  return written ? 0 : 1;
}
