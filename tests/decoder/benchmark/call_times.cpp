// TimeFrameCalls: each call timed on its own with the steady clock.
#include "call_times.h"

#include <algorithm>
#include <chrono>

#include "rux2_under_test.h"

double CallTimes::Percentile(double fraction) const {
  if (microseconds.empty()) return 0;
  const auto index = static_cast<size_t>(fraction * static_cast<double>(microseconds.size() - 1) + 0.5);
  return microseconds[std::min(index, microseconds.size() - 1)];
}

CallTimes TimeFrameCalls(DecoderRecord& record, uint32_t requestBytes, int plays) {
  using Clock = std::chrono::steady_clock;
  std::vector<char> buffer(requestBytes + 4096 * 2 * 16);
  CallTimes times;
  if (Rux2().RUX_DetectConfigure(&record) == RUX_OK) {
    for (int play = 0; play < plays; ++play) {
      if (play > 0) Rux2().RUX_Replay(&record);
      for (;;) {
        const Clock::time_point start = Clock::now();
        const uint32_t written = Rux2().RUX_GetProcessFrame(&record, buffer.data(), requestBytes);
        times.microseconds.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        if (written == 0 && RuxActivePart(&record)->source.exhausted) break;
      }
    }
  }
  Rux2().RUX_Close(&record);
  std::sort(times.microseconds.begin(), times.microseconds.end());
  return times;
}
