// One record's whole life on a stream through the exports, every result held to what the interface
// defines: detection gives 0 or one of its negative codes; a frame call writes whole sample frames,
// at most its request plus one decoded chunk, and nothing past what it returns; every play ends
// within a bound of calls; after a failed detection nothing is delivered. The corpus, load and fuzz
// tests share it and differ in how they react to a violation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rux2.h"

struct LifePlan {
  std::vector<uint32_t> lengths{4096};  // requested in turn
  int replays = 1;                      // RUX_Replay after each play but the last
  bool closeCoderFirst = false;         // RUX_CloseCoder before RUX_Close
  bool keepPcm = true;                  // keep what each play delivers
  // A play stops early, as a caller may, once it has delivered this much.
  uint64_t pcmLimit = UINT64_MAX;
};

struct LifeOutcome {
  int detection = 0;
  std::vector<std::string> plays;  // the first play and one per replay, when kept
  std::string violation;           // empty when every result was one the interface defines
};

// record: initialised and bound to a stream of streamBytes bytes (both parts together). The life
// ends with RUX_Close.
LifeOutcome LiveRecordLife(DecoderRecord& record, uint64_t streamBytes, const LifePlan& plan);
