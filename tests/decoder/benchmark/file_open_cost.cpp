// MeasureFileOpen: RUX_InputFile timed, the file source's loaded count read when it returns, the
// memory in use before and after, and a whole decode compared with the stream's from memory.
#include "file_open_cost.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "file_bytes.h"
#include "file_stream.h"
#include "process_memory.h"
#include "rux2_under_test.h"

namespace {

using Clock = std::chrono::steady_clock;

// Every sample the record delivers, as the engine plays a stream once.
std::string DecodeAll(DecoderRecord& record) {
  std::string pcm;
  std::vector<char> buffer(4096 + 4096 * 2 * 16);
  if (Rux2().RUX_DetectConfigure(&record) != RUX_OK) return pcm;
  for (;;) {
    const uint32_t written = Rux2().RUX_GetProcessFrame(&record, buffer.data(), 4096);
    pcm.append(buffer.data(), written);
    if (written == 0 && RuxActivePart(&record)->source.exhausted) return pcm;
  }
}

std::string DecodeFromMemory(const std::string& stream) {
  DecoderRecord record{};
  Rux2().RUX_Init(&record);
  Rux2().RUX_InputMemory(&record, const_cast<char*>(stream.data()), static_cast<uint32_t>(stream.size()), 0);
  std::string pcm = DecodeAll(record);
  Rux2().RUX_Close(&record);
  return pcm;
}

}  // namespace

FileOpenCost MeasureFileOpen(const std::string& path, const std::string& stream, uint64_t fileBytes,
                             uint64_t offset, int runs) {
  FileOpenCost cost;
  if (!WriteSparseFile(path, fileBytes, {{offset, stream}})) return cost;
  const auto streamOffset = static_cast<uint32_t>(offset);
  const auto streamSize = static_cast<uint32_t>(stream.size());
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    DecoderRecord record{};
    Rux2().RUX_Init(&record);
    const uint64_t memoryBefore = MemoryInUseBytes();
    const Clock::time_point start = Clock::now();
    Rux2().RUX_InputFile(&record, path.c_str(), streamOffset, streamSize);
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    const uint64_t memoryAfter = MemoryInUseBytes();
    if (memoryAfter > memoryBefore) cost.memoryBytes = std::max(cost.memoryBytes, memoryAfter - memoryBefore);
    // The reader thread loads nothing more until the decoder reads near the end of what is there.
    const auto* file = record.part[0].source.fileSource;
    cost.bytesRead = std::max(cost.bytesRead, file ? file->Loaded() : 0);
    if (run == 0) cost.decodesAsAlone = DecodeAll(record) == DecodeFromMemory(stream);
    Rux2().RUX_Close(&record);
  }
  std::remove(path.c_str());
  std::sort(times.begin(), times.end());
  cost.milliseconds = times[times.size() / 2];
  return cost;
}
