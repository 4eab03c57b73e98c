// Load: many records decoding at once on threads of their own, from files and memory, each output
// compared with its reference; and records opened, decoded a little and closed thousands of times,
// leaving no handle, thread or heap byte behind.
#include <gtest/gtest.h>

#include <atomic>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "file_bytes.h"
#include "process_resources.h"
#include "record_life.h"
#include "reference_decoder.h"
#include "rux2_under_test.h"
#include "temp_directory.h"
#include "test_streams.h"

namespace {

const TestStream* const kLoadStreams[] = {&kMono22050, &kStereo44100, &kStereo48000, &kMono48000, &kBlip};
constexpr size_t kStreamCount = std::size(kLoadStreams);

enum class Binding { kMemory, kFile, kMemoryPair, kFilePair };
constexpr Binding kBindings[] = {Binding::kMemory, Binding::kFile, Binding::kMemoryPair, Binding::kFilePair};

// Where a single stream begins in its file: past what the file source loads before its reader
// thread starts, so that reading it waits for the reader.
constexpr uint32_t kStreamOffset = 600000;

// The test streams as files, whole and behind kStreamOffset bytes, and their bytes and references,
// all read before any thread starts.
class LoadStreams {
 public:
  LoadStreams() {
    for (const TestStream* stream : kLoadStreams) {
      paths_.push_back(directory_ / (std::string(stream->name) + ".ogg"));
      WriteFileBytes(paths_.back(), StreamBytes(*stream));
      WriteFileBytes(paths_.back() + ".pack", std::string(kStreamOffset, 'p') + StreamBytes(*stream));
      Reference(*stream);
    }
  }
  const std::string& Path(size_t stream) const { return paths_[stream]; }
  std::string PackPath(size_t stream) const { return paths_[stream] + ".pack"; }

 private:
  TempDirectory directory_;
  std::vector<std::string> paths_;
};

// Binds the record to stream, or to stream as introduction and next as loop part.
uint64_t Bind(DecoderRecord& record, Binding binding, const LoadStreams& files, size_t stream, size_t next) {
  const std::string& intro = StreamBytes(*kLoadStreams[stream]);
  const std::string& loop = StreamBytes(*kLoadStreams[next]);
  auto* introImage = const_cast<char*>(intro.data());
  auto* loopImage = const_cast<char*>(loop.data());
  const auto introSize = static_cast<uint32_t>(intro.size());
  const auto loopSize = static_cast<uint32_t>(loop.size());
  switch (binding) {
    case Binding::kMemory:
      Rux2().RUX_InputMemory(&record, introImage, introSize, 0);
      return introSize;
    case Binding::kFile:
      Rux2().RUX_InputFile(&record, files.PackPath(stream).c_str(), kStreamOffset, introSize);
      return introSize;
    case Binding::kMemoryPair:
      Rux2().RUX_InputMemory2(&record, introImage, introSize, loopImage, loopSize, 0);
      break;
    case Binding::kFilePair:
      Rux2().RUX_InputFile2(&record, files.Path(stream).c_str(), files.Path(next).c_str());
      break;
  }
  return introSize + loopSize;
}

bool IsPair(Binding binding) { return binding == Binding::kMemoryPair || binding == Binding::kFilePair; }

// The loop part of a stream: the next stream of as many channels (at another rate, or the same).
size_t LoopPartner(size_t stream) {
  size_t next = (stream + 1) % kStreamCount;
  while (kLoadStreams[next]->channels != kLoadStreams[stream]->channels) next = (next + 1) % kStreamCount;
  return next;
}

TEST(Load, TwentyFourRecordsDecodeAtOnceEachAsItsReference) {
  constexpr size_t kRecords = 24;
  const LoadStreams files;
  std::vector<LifeOutcome> outcomes(kRecords);
  std::atomic<size_t> waiting{kRecords};
  std::vector<std::thread> threads;
  for (size_t i = 0; i < kRecords; ++i) {
    threads.emplace_back([&, i] {
      LifePlan plan;
      plan.lengths = {static_cast<uint32_t>(1 + 997 * i), 4096};
      plan.replays = 2;
      DecoderRecord record{};
      Rux2().RUX_Init(&record);
      const uint64_t bytes =
          Bind(record, kBindings[i % 4], files, i % kStreamCount, LoopPartner(i % kStreamCount));
      // All records start decoding together.
      for (--waiting; waiting > 0;) std::this_thread::yield();
      outcomes[i] = LiveRecordLife(record, bytes, plan);
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (size_t i = 0; i < kRecords; ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    const LifeOutcome& outcome = outcomes[i];
    ASSERT_EQ(outcome.violation, "");
    ASSERT_EQ(outcome.detection, RUX_OK);
    ASSERT_EQ(outcome.plays.size(), 3u);
    const std::string& first = Reference(*kLoadStreams[i % kStreamCount]).pcm;
    const std::string& again =
        IsPair(kBindings[i % 4]) ? Reference(*kLoadStreams[LoopPartner(i % kStreamCount)]).pcm : first;
    EXPECT_TRUE(SamePcm(outcome.plays[0], first));
    EXPECT_TRUE(SamePcm(outcome.plays[1], again));
    EXPECT_TRUE(SamePcm(outcome.plays[2], again));
  }
}

// One short life: detection, a few frames, sometimes a replay or RUX_CloseCoder first, then close.
void LiveBriefly(const LoadStreams& files, size_t cycle) {
  LifePlan plan;
  plan.lengths = {4096};
  plan.keepPcm = false;
  plan.pcmLimit = 3 * 4096;
  plan.replays = cycle % 3 == 0 ? 1 : 0;
  plan.closeCoderFirst = cycle % 5 == 0;
  DecoderRecord record{};
  Rux2().RUX_Init(&record);
  const uint64_t bytes =
      Bind(record, kBindings[cycle % 4], files, cycle % kStreamCount, LoopPartner(cycle % kStreamCount));
  const LifeOutcome outcome = LiveRecordLife(record, bytes, plan);
  EXPECT_EQ(outcome.violation, "") << "cycle " << cycle;
  EXPECT_EQ(outcome.detection, RUX_OK) << "cycle " << cycle;
}

TEST(Load, ThousandsOfShortLivesLeaveNothingBehind) {
  constexpr size_t kWarmUp = 40, kThreads = 4, kCyclesPerThread = 500, kCycles = kThreads * kCyclesPerThread;
  const LoadStreams files;
  // The first lives fill the allocators' caches and the runtime's lazy state.
  for (size_t cycle = 0; cycle < kWarmUp; ++cycle) LiveBriefly(files, cycle);
  const ProcessResources before = CountProcessResources();
  // Four series at once, so that closing waits for the readers of several records in parallel.
  std::vector<std::thread> threads;
  for (size_t thread = 0; thread < kThreads; ++thread) {
    threads.emplace_back([&, thread] {
      for (size_t cycle = 0; cycle < kCyclesPerThread; ++cycle)
        LiveBriefly(files, thread * kCyclesPerThread + cycle);
    });
  }
  for (std::thread& thread : threads) thread.join();
  const ProcessResources after = CountProcessResources();
  EXPECT_EQ(after.handles, before.handles);
  EXPECT_EQ(after.threads, before.threads);
  // A leak of even one block per life would grow the heap by more than a byte per life.
  EXPECT_LT(after.heapBytes - before.heapBytes, static_cast<int64_t>(kCycles))
      << before.heapBytes << " bytes in use before, " << after.heapBytes << " after";
}

}  // namespace
