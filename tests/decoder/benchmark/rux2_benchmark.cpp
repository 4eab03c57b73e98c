// rux2_benchmark [--repeat N]: run in the folder of a build's test streams. Prints, for one long stream:
// decoding throughput through the exports, for small and large requests, against libvorbisfile's ov_read
// (over the build's libvorbis and, in the Windows build, over one built for the x87 unit) and against
// libvorbis synthesis alone; the time of single RUX_GetProcessFrame calls for 4096-byte requests, from
// memory and from a file; what RUX_InputFile costs before it returns for streams at the start of files
// and at the end of pack files of gigabytes; and the process's peak memory. Figures, not verdicts: the
// goals are printed beside them.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "call_times.h"
#include "decoders.h"
#include "file_bytes.h"
#include "file_open_cost.h"
#include "process_memory.h"
#include "rux2_under_test.h"
#include "test_streams.h"

namespace {

const TestStream& kStream = kLongStereo44100;

// ov_read over libvorbis built for the x87 unit, from ov_read_x87.dll beside the benchmark; null where
// there is none.
ReadAllFunction X87OvRead() {
#ifdef _WIN32
  const HMODULE library = LoadLibraryA("ov_read_x87.dll");
  if (!library) return nullptr;
  return reinterpret_cast<ReadAllFunction>(reinterpret_cast<void*>(GetProcAddress(library, "ReadAllWithOvRead")));
#else
  return nullptr;
#endif
}

void PrintRun(const char* name, const DecodeRun& run, const DecodeRun& floor) {
  const double seconds = static_cast<double>(run.samples) / (kStream.channels * kStream.rate);
  std::printf("  %-40s %8.4f s  %7.1fx real time  %+6.1f %% over the floor  (%llu samples)\n", name,
              run.seconds, seconds / run.seconds, 100.0 * (run.seconds / floor.seconds - 1.0),
              static_cast<unsigned long long>(run.samples));
}

void PrintThroughput(const std::string& image, int repeats) {
  std::printf("Decoding throughput, whole life from binding to closing, fastest of %d runs:\n", repeats);
  const ReadAllFunction x87OvRead = X87OvRead();
  // The fastest run is the one least disturbed by the rest of the machine; the decoders take turns,
  // so that a slow spell does not fall on one of them only.
  DecodeRun floor, ovRead, x87, smallCalls, exports, largeCalls, opening;
  for (DecodeRun* run : {&floor, &ovRead, &x87, &smallCalls, &exports, &largeCalls, &opening}) run->seconds = 1e30;
  const auto keep = [](DecodeRun& best, const DecodeRun& next) {
    if (next.seconds < best.seconds) best = next;
  };
  for (int run = 0; run < repeats; ++run) {
    keep(floor, SynthesisFloor(image));
    keep(ovRead, DecodeWithOvRead(image, ReadAllWithOvRead));
    if (x87OvRead) keep(x87, DecodeWithOvRead(image, x87OvRead));
    keep(smallCalls, DecodeThroughExports(image, 1024));
    keep(exports, DecodeThroughExports(image, 4096));
    keep(largeCalls, DecodeThroughExports(image, 65536));
    keep(opening, OpenThroughExports(image));
  }
  PrintRun("libvorbis synthesis alone (floor)", floor, floor);
  PrintRun("ov_read, 16-bit, 4096-byte calls", ovRead, floor);
  if (x87OvRead) PrintRun("ov_read over libvorbis for the x87 unit", x87, floor);
  PrintRun("exports, 1024-byte calls", smallCalls, floor);
  PrintRun("exports, 4096-byte calls", exports, floor);
  PrintRun("exports, 65536-byte calls", largeCalls, floor);
  std::printf("  of the exports' time, binding, detection and closing alone: %.4f s (%.1f %% of the floor)\n",
              opening.seconds, 100.0 * opening.seconds / floor.seconds);
  std::printf("  exports (4096) against the floor: %+.1f %% time (goal: at most +3 %%)\n",
              100.0 * (exports.seconds / floor.seconds - 1.0));
  std::printf("  exports (4096) against ov_read: %.3f times as fast\n", ovRead.seconds / exports.seconds);
  if (x87OvRead) {
    std::printf("  exports (4096) against ov_read for the x87 unit: %.3f times as fast (goal: at least 1.3)\n",
                x87.seconds / exports.seconds);
  }
  std::printf("  1024-byte calls against 65536-byte calls: %.1f %% of the throughput (goal: at least 90 %%)\n",
              100.0 * largeCalls.seconds / smallCalls.seconds);
}

void PrintCallTimes(const char* source, const CallTimes& times) {
  std::printf("  %-7s %6zu calls: median %8.1f us, 99th %8.1f us, 99.9th %8.1f us, worst %8.1f us\n", source,
              times.microseconds.size(), times.Percentile(0.5), times.Percentile(0.99),
              times.Percentile(0.999), times.Worst());
}

void PrintFrameCallTimes(const std::string& image, const std::string& path, int plays) {
  std::printf("RUX_GetProcessFrame, 4096-byte requests, %d plays of the stream (goal: 99.9th at most 500 us):\n",
              plays);
  DecoderRecord memory{};
  Rux2().RUX_Init(&memory);
  Rux2().RUX_InputMemory(&memory, const_cast<char*>(image.data()), static_cast<uint32_t>(image.size()), 0);
  PrintCallTimes("memory", TimeFrameCalls(memory, 4096, plays));
  DecoderRecord file{};
  Rux2().RUX_Init(&file);
  Rux2().RUX_InputFile(&file, path.c_str(), 0, 0);
  PrintCallTimes("file", TimeFrameCalls(file, 4096, plays));
}

double Mebibytes(uint64_t bytes) { return static_cast<double>(bytes) / (1 << 20); }

void PrintFileOpenCosts(const std::string& image) {
  std::printf("RUX_InputFile until it returns, the stream bound by its offset and size (median of 5 binds):\n");
  const std::string path = (std::filesystem::temp_directory_path() / "rux2-benchmark.pak").string();
  constexpr uint64_t kMB = 1000000, kGiB = uint64_t{1} << 30;
  const struct {
    const char* name;
    uint64_t fileBytes;
    bool atTheEnd;
  } files[] = {{"10 MB file, at its start", 10 * kMB, false},
               {"100 MB file, at its start", 100 * kMB, false},
               {"1.5 GiB pack, at its end", 3 * kGiB / 2, true},
               {"3.5 GiB pack, at its end", 7 * kGiB / 2, true}};
  for (const auto& file : files) {
    const uint64_t offset = file.atTheEnd ? file.fileBytes - image.size() : 0;
    const FileOpenCost cost = MeasureFileOpen(path, image, file.fileBytes, offset, 5);
    std::printf("  %-26s %8.3f ms, %7u bytes read, %6.1f MiB held, %s\n", file.name, cost.milliseconds,
                cost.bytesRead, Mebibytes(cost.memoryBytes),
                cost.decodesAsAlone ? "decodes as the stream alone" : "DOES NOT DECODE AS THE STREAM ALONE");
  }
}

}  // namespace

int main(int argc, char** argv) {
  int repeats = 5;
  if (argc == 3 && std::strcmp(argv[1], "--repeat") == 0) repeats = std::max(1, std::atoi(argv[2]));
  const std::string path = std::string(kStream.name) + ".ogg";
  const std::string image = ReadFileBytes(path);
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
