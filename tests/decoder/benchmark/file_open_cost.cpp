// MeasureFileOpen: RUX_InputFile timed, and the file source's loaded count read when it returns.
#include "file_open_cost.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <vector>

#include "file_stream.h"
#include "rux2_under_test.h"

namespace {

void WriteFile(const std::string& path, const std::string& stream, uint64_t fileBytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(stream.data(), static_cast<std::streamsize>(stream.size()));
  const std::vector<char> zeros(1 << 20, '\0');
  for (uint64_t left = fileBytes - stream.size(); left > 0;) {
    const uint64_t count = std::min<uint64_t>(left, zeros.size());
    file.write(zeros.data(), static_cast<std::streamsize>(count));
    left -= count;
  }
}

// Calls return nothing while they feed the first audio page: a few dozen calls reach samples.
bool DetectsAndPlays(DecoderRecord& record) {
  std::vector<char> buffer(4096 + 4096 * 2 * 16);
  if (Rux2().RUX_DetectConfigure(&record) != RUX_OK) return false;
  for (int call = 0; call < 64; ++call) {
    if (Rux2().RUX_GetProcessFrame(&record, buffer.data(), 4096) > 0) return true;
  }
  return false;
}

}  // namespace

FileOpenCost MeasureFileOpen(const std::string& path, const std::string& stream, uint64_t fileBytes,
                             int runs) {
  using Clock = std::chrono::steady_clock;
  WriteFile(path, stream, fileBytes);
  FileOpenCost cost;
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    DecoderRecord record{};
    Rux2().RUX_Init(&record);
    const Clock::time_point start = Clock::now();
    Rux2().RUX_InputFile(&record, path.c_str(), 0, 0);
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    // The reader thread loads nothing more until the decoder reads near the end of what is there.
    const auto* file = record.part[0].source.fileSource;
    cost.bytesRead = std::max(cost.bytesRead, file ? file->Loaded() : 0);
    cost.decodes = DetectsAndPlays(record);
    Rux2().RUX_Close(&record);
  }
  std::remove(path.c_str());
  std::sort(times.begin(), times.end());
  cost.milliseconds = times[times.size() / 2];
  return cost;
}
