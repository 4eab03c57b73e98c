// make_test_signals FOLDER: the signal of every test stream as a 16-bit WAV file "name.wav", for
// oggenc to encode.
#include <cstdio>
#include <string>
#include <vector>

#include "audio_files/wav_writer.h"
#include "signal_generator.h"
#include "test_streams.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_test_signals FOLDER\n");
    return 2;
  }
  for (const TestStream& stream : kTestStreams) {
    const std::string path = std::string(argv[1]) + "/" + stream.name + ".wav";
    const auto samples = MakeSignal(stream.channels, stream.rate, stream.frames, stream.seed);
    if (!WriteWavFile(path, stream.channels, stream.rate, Pcm16(samples))) {
      std::fprintf(stderr, "make_test_signals: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
