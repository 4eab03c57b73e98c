// rux2_benchmark [--repeat N]: run in the folder of a build's test streams. Prints, for one stream:
// decoding throughput through the exports against libvorbisfile's ov_read and against libvorbis
// synthesis alone; the time of single RUX_GetProcessFrame calls for 4096-byte requests, from memory
// and from a file; what RUX_InputFile costs before it returns for files of 1, 10 and 100 MB; and
// the process's peak memory. Figures, not verdicts: the goals are printed beside them.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "call_times.h"
#include "decoders.h"
#include "file_open_cost.h"
#include "peak_memory.h"
#include "rux2_under_test.h"
#include "test_streams.h"

namespace {

const TestStream& kStream = kHalfMinuteStereo44100;

std::string ReadStream(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void PrintRun(const char* name, const DecodeRun& run, const DecodeRun& floor) {
  const double seconds = static_cast<double>(run.samples) / (kStream.channels * kStream.rate);
  std::printf("  %-34s %8.4f s  %7.1fx real time  %+6.1f %% over the floor  (%llu samples)\n", name,
              run.seconds, seconds / run.seconds, 100.0 * (run.seconds / floor.seconds - 1.0),
              static_cast<unsigned long long>(run.samples));
}

void PrintThroughput(const std::string& image, int repeats) {
  std::printf("Decoding throughput, whole life from binding to closing, fastest of %d runs:\n", repeats);
  // The fastest run is the one least disturbed by the rest of the machine; the decoders take turns,
  // so that a slow spell does not fall on one of them only.
  DecodeRun floor, ovRead, exports, largeCalls, opening;
  floor.seconds = ovRead.seconds = exports.seconds = largeCalls.seconds = opening.seconds = 1e30;
  for (int run = 0; run < repeats; ++run) {
    const auto keep = [](DecodeRun& best, const DecodeRun& next) {
      if (next.seconds < best.seconds) best = next;
    };
    keep(floor, SynthesisFloor(image));
    keep(ovRead, DecodeWithOvRead(image));
    keep(exports, DecodeThroughExports(image, 4096));
    keep(largeCalls, DecodeThroughExports(image, 65536));
    keep(opening, OpenThroughExports(image));
  }
  PrintRun("libvorbis synthesis alone (floor)", floor, floor);
  PrintRun("ov_read, 16-bit, 4096-byte calls", ovRead, floor);
  PrintRun("exports, 4096-byte calls", exports, floor);
  PrintRun("exports, 65536-byte calls", largeCalls, floor);
  std::printf("  of the exports' time, binding, detection and closing alone: %.4f s (%.1f %% of the floor)\n",
              opening.seconds, 100.0 * opening.seconds / floor.seconds);
  std::printf("  exports (4096) against ov_read: %.3f times as fast (goal: at least 1)\n",
              ovRead.seconds / exports.seconds);
  std::printf("  exports (4096) against the floor: %+.1f %% time (goal: at most +5 %%)\n",
              100.0 * (exports.seconds / floor.seconds - 1.0));
}

void PrintCallTimes(const char* source, const CallTimes& times) {
  std::printf("  %-7s %6zu calls: median %8.1f us, 99th %8.1f us, 99.9th %8.1f us, worst %8.1f us\n", source,
              times.microseconds.size(), times.Percentile(0.5), times.Percentile(0.99),
              times.Percentile(0.999), times.Worst());
}

void PrintFrameCallTimes(const std::string& image, const std::string& path, int plays) {
  std::printf("RUX_GetProcessFrame, 4096-byte requests, %d plays of the stream:\n", plays);
  DecoderRecord memory{};
  Rux2().RUX_Init(&memory);
  Rux2().RUX_InputMemory(&memory, const_cast<char*>(image.data()), static_cast<uint32_t>(image.size()), 0);
  PrintCallTimes("memory", TimeFrameCalls(memory, 4096, plays));
  DecoderRecord file{};
  Rux2().RUX_Init(&file);
  Rux2().RUX_InputFile(&file, path.c_str(), 0, 0);
  PrintCallTimes("file", TimeFrameCalls(file, 4096, plays));
}

void PrintFileOpenCosts(const std::string& image) {
  std::printf("RUX_InputFile until it returns (median of 5 opens):\n");
  const std::string path = (std::filesystem::temp_directory_path() / "rux2-benchmark.bin").string();
  for (uint64_t megabytes : {1, 10, 100}) {
    const FileOpenCost cost = MeasureFileOpen(path, image, megabytes * 1000000, 5);
    std::printf("  %4llu MB file: %8.3f ms, %7u bytes read%s\n", static_cast<unsigned long long>(megabytes),
                cost.milliseconds, cost.bytesRead, cost.decodes ? "" : "  (the stream did not decode!)");
  }
}

double Mebibytes(uint64_t bytes) { return static_cast<double>(bytes) / (1 << 20); }

}  // namespace

int main(int argc, char** argv) {
  int repeats = 5;
  if (argc == 3 && std::strcmp(argv[1], "--repeat") == 0) repeats = std::max(1, std::atoi(argv[2]));
  const std::string path = std::string(kStream.name) + ".ogg";
  const std::string image = ReadStream(path);
  if (image.empty()) {
    std::fprintf(stderr, "rux2_benchmark: no %s here; run it in the folder of the test streams\n",
                 path.c_str());
    return 1;
  }
  std::printf("Stream %s: %ld s, %d channels, %ld Hz, %zu bytes\n", path.c_str(),
              kStream.frames / kStream.rate, kStream.channels, kStream.rate, image.size());
  PrintThroughput(image, repeats);
  PrintFrameCallTimes(image, path, std::max(2, repeats / 2));
  std::printf("Peak memory after decoding: %.1f MiB\n", Mebibytes(PeakMemoryBytes()));
  PrintFileOpenCosts(image);
  std::printf("Peak memory after the file opens: %.1f MiB\n", Mebibytes(PeakMemoryBytes()));
  return 0;
}
