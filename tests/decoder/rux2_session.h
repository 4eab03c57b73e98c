// One decoder record driven through the exports the way the engine drives them, with the checks
// every frame call must pass.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rux2_under_test.h"

class Rux2Session {
 public:
  // A call may write its request plus one decoded chunk of at most this many frames.
  static constexpr uint32_t kMaxChunkFrames = 4096;

  Rux2Session();   // RUX_Init
  ~Rux2Session();  // RUX_Close
  Rux2Session(const Rux2Session&) = delete;
  Rux2Session& operator=(const Rux2Session&) = delete;

  DecoderRecord& Record() { return record_; }
  // The image must outlive the session; the library does not own it.
  void InputMemory(const std::string& image);
  void InputFile(const std::string& path, uint32_t offset = 0, uint32_t size = 0);
  int Detect();
  WAVEFORMATEX Format();
  int32_t Length();
  void Replay();

  // Requests frames with the lengths in turn until the active part has ended (exhausted, and a call
  // that returned nothing) and returns them. Fails the test when a call writes more than its length
  // plus one chunk, or anything past what it returns.
  std::string DecodeToEnd(const std::vector<uint32_t>& lengths = {4096});

 private:
  DecoderRecord record_{};
};
