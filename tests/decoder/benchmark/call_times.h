// The time of every RUX_GetProcessFrame call while a stream plays through, and its distribution.
#pragma once

#include <cstdint>
#include <vector>

#include "rux2.h"

struct CallTimes {
  std::vector<double> microseconds;  // sorted

  double Percentile(double fraction) const;
  double Worst() const { return microseconds.empty() ? 0 : microseconds.back(); }
};

// Plays the bound record to its end plays times (with RUX_Replay between), requesting requestBytes
// per call. The record is closed afterwards.
CallTimes TimeFrameCalls(DecoderRecord& record, uint32_t requestBytes, int plays);
