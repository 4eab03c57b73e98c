// The fuzz target: a record's whole life on memory images, from RUX_Init through detection, frames
// of varying lengths and replays to RUX_Close, on a thread with a game's stack, every result held to
// the interface (record_life.h). A violation aborts, as a crash would.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_input.h"
#include "game_thread.h"
#include "kernel.h"
#include "ogg_pages.h"
#include "record_life.h"
#include "rux2_under_test.h"

namespace {

// The samples of one play stop counting here: a few bytes can stand for 255 channels of packets.
constexpr uint64_t kPcmLimit = 1 << 18;

// An image of exactly its bytes from the local heap, where a read past its end is caught by the
// address sanitizer, and which the library may free.
void* LocalImage(const std::string& bytes) {
  void* image = kernel::LocalAllocate(bytes.size());
  if (image && !bytes.empty()) std::memcpy(image, bytes.data(), bytes.size());
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input = ReadFuzzInput(data, size);
  if (input.resealPages) ResealEveryPage(input.stream);
  const size_t split = input.twoPart ? input.stream.size() * input.splitAt / 65536 : input.stream.size();
  void* intro = LocalImage(input.stream.substr(0, split));
  void* loop = input.twoPart ? LocalImage(input.stream.substr(split)) : nullptr;
  LifePlan plan;
  plan.lengths = input.lengths;
  plan.replays = input.replays;
  plan.closeCoderFirst = input.closeCoderFirst;
  plan.keepPcm = false;
  plan.pcmLimit = kPcmLimit;
  LifeOutcome outcome;
  const bool ran = RunOnGameThread([&] {
    DecoderRecord record{};
    Rux2().RUX_Init(&record);
    if (input.twoPart) {
      Rux2().RUX_InputMemory2(&record, intro, static_cast<uint32_t>(split), loop,
                              static_cast<uint32_t>(input.stream.size() - split), input.freeOnClose);
    } else {
      Rux2().RUX_InputMemory(&record, intro, static_cast<uint32_t>(split), input.freeOnClose);
    }
    outcome = LiveRecordLife(record, input.stream.size(), plan);
  });
  if (!ran) outcome.violation = "no thread to run the life on";
  if (!input.freeOnClose) {
    kernel::LocalRelease(intro);
    kernel::LocalRelease(loop);
  }
  if (!outcome.violation.empty()) {
    std::fprintf(stderr, "rux2 fuzz target: %s\n", outcome.violation.c_str());
    std::abort();
  }
  return 0;
}
