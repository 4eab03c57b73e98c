// The life of a record: images handed over with freeOnClose, closing before detection and twice,
// preparing a closed record again, binding again after RUX_CloseCoder, calls in orders outside the
// usual life, and records decoding on two threads at once.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "file_bytes.h"
#include "kernel.h"
#include "process_resources.h"
#include "reference_decoder.h"
#include "rux2_session.h"
#include "temp_directory.h"

namespace {

// An image the library may free: allocated from the local heap.
void* LocalCopy(const std::string& bytes) {
  void* image = kernel::LocalAllocate(bytes.size());
  std::memcpy(image, bytes.data(), bytes.size());
  return image;
}

uint32_t SizeOf(const TestStream& stream) { return static_cast<uint32_t>(StreamBytes(stream).size()); }

class RecordLifecycle : public testing::Test {
 protected:
  std::string WriteStream(const char* name, const TestStream& stream) {
    const std::string path = directory_ / name;
    WriteFileBytes(path, StreamBytes(stream));
    return path;
  }
  TempDirectory directory_;
};

TEST_F(RecordLifecycle, ClosingTheCoderFreesTheImagesHandedOverAndKeepsTheOthers) {
  std::string kept = StreamBytes(kMono22050);
  Rux2Session keeping;
  Rux2().RUX_InputMemory(&keeping.Record(), &kept[0], SizeOf(kMono22050), 0);
  Rux2().RUX_CloseCoder(&keeping.Record());
  EXPECT_EQ(keeping.Record().part[0].source.memoryImage, &kept[0]);

  Rux2Session handing;
  Rux2().RUX_InputMemory2(&handing.Record(), LocalCopy(StreamBytes(kMono22050)), SizeOf(kMono22050),
                          LocalCopy(StreamBytes(kStereo48000)), SizeOf(kStereo48000), 1);
  ASSERT_EQ(handing.Detect(), RUX_OK);
  Rux2().RUX_CloseCoder(&handing.Record());
  EXPECT_EQ(handing.Record().part[0].source.memoryImage, nullptr);
  EXPECT_EQ(handing.Record().part[1].source.memoryImage, nullptr);
  EXPECT_EQ(handing.Record().decoderReady, 0u);
}

TEST_F(RecordLifecycle, ClosingBeforeDetectionStopsTheReadersAndReleasesEverything) {
  const std::string intro = WriteStream("intro.ogg", kLongMono22050);
  const std::string loop = WriteStream("loop.ogg", kStereo44100);
  // The first thread of a process may start helpers of the runtime's (the thread sanitizer's does):
  // one reader comes and goes first.
  Rux2Session().InputFile(loop);
  Rux2Session session;
  DecoderRecord& record = session.Record();
  const ProcessResources before = CountProcessResources();
  Rux2().RUX_InputFile2(&record, intro.c_str(), loop.c_str());
  const ProcessResources reading = CountProcessResources();
  EXPECT_EQ(reading.threads, before.threads + 2);
  EXPECT_GE(reading.handles, before.handles + 2);
  Rux2().RUX_Close(&record);
  const ProcessResources after = CountProcessResources();
  EXPECT_EQ(after.threads, before.threads);
  EXPECT_EQ(after.handles, before.handles);
  for (void* block : {record.syncState, record.page, record.streamState, record.packet, record.vorbisInfo,
                      record.vorbisComment, record.dspState, record.block}) {
    EXPECT_EQ(block, nullptr);
  }
  EXPECT_EQ(record.part[0].source.fileSource, nullptr);
  EXPECT_EQ(record.part[1].source.fileSource, nullptr);
}

TEST_F(RecordLifecycle, ARecordClosedTwiceCanBePreparedAgain) {
  Rux2Session session;
  DecoderRecord& record = session.Record();
  Rux2().RUX_InputMemory(&record, LocalCopy(StreamBytes(kBlip)), SizeOf(kBlip), 1);
  ASSERT_EQ(session.Detect(), RUX_OK);
  session.DecodeToEnd();
  Rux2().RUX_Close(&record);
  Rux2().RUX_Close(&record);
  Rux2().RUX_Init(&record);
  session.InputMemory(StreamBytes(kMono22050));
  ASSERT_EQ(session.Detect(), RUX_OK);
  EXPECT_TRUE(SamePcm(session.DecodeToEnd(), Reference(kMono22050).pcm));
}

TEST_F(RecordLifecycle, BindingAgainAfterClosingTheCoderLeavesTheOldFileBehind) {
  const std::string first = WriteStream("first.ogg", kStereo44100);
  const std::string second = WriteStream("second.ogg", kStereo48000);
  Rux2Session session;
  const ProcessResources unbound = CountProcessResources();
  session.InputFile(first);
  const ProcessResources oneFile = CountProcessResources();
  ASSERT_EQ(session.Detect(), RUX_OK);
  std::vector<char> buffer(1 << 16);
  Rux2().RUX_GetProcessFrame(&session.Record(), buffer.data(), 4096);
  Rux2().RUX_CloseCoder(&session.Record());

  session.InputFile(second);
  EXPECT_EQ(CountProcessResources().threads, oneFile.threads);
  EXPECT_EQ(CountProcessResources().handles, oneFile.handles);
  ASSERT_EQ(session.Detect(), RUX_OK);
  EXPECT_TRUE(SamePcm(session.DecodeToEnd(), Reference(kStereo48000).pcm));
  Rux2().RUX_CloseCoder(&session.Record());

  session.InputMemory(StreamBytes(kMono22050));
  EXPECT_EQ(CountProcessResources().threads, unbound.threads);
  EXPECT_EQ(CountProcessResources().handles, unbound.handles);
  ASSERT_EQ(session.Detect(), RUX_OK);
  EXPECT_TRUE(SamePcm(session.DecodeToEnd(), Reference(kMono22050).pcm));
}

// Calls out of the usual order, each ending with the record bound to the final stream: the stream
// the test then detects and plays.
struct CallOrder {
  const char* name;
  void (*calls)(DecoderRecord& record, const std::string& otherFile, const std::string& finalFile);
};

constexpr uint32_t kSomeBytes = 4096;

void AskForFrames(DecoderRecord& record, int calls) {
  std::vector<char> buffer(kSomeBytes + Rux2Session::kMaxChunkFrames * 2 * 2);
  for (int call = 0; call < calls; ++call) Rux2().RUX_GetProcessFrame(&record, buffer.data(), kSomeBytes);
}

void BindFinal(DecoderRecord& record) {
  Rux2().RUX_InputMemory(&record, const_cast<char*>(StreamBytes(kMono22050).data()), SizeOf(kMono22050), 0);
}

void BindOtherAndDecode(DecoderRecord& record) {
  Rux2().RUX_InputMemory(&record, LocalCopy(StreamBytes(kStereo48000)), SizeOf(kStereo48000), 1);
  Rux2().RUX_DetectConfigure(&record);
  AskForFrames(record, 3);
}

const CallOrder kCallOrders[] = {
    {"FramesAndReplayBeforeDetection",
     [](DecoderRecord& record, const std::string&, const std::string&) {
       BindFinal(record);
       AskForFrames(record, 3);
       Rux2().RUX_Replay(&record);
     }},
    {"DetectionTwice",
     [](DecoderRecord& record, const std::string&, const std::string&) {
       BindFinal(record);
       Rux2().RUX_DetectConfigure(&record);
       AskForFrames(record, 3);
       Rux2().RUX_DetectConfigure(&record);
     }},
    {"DetectionTwiceThenReplay",
     [](DecoderRecord& record, const std::string&, const std::string&) {
       BindFinal(record);
       Rux2().RUX_DetectConfigure(&record);
       AskForFrames(record, 3);
       Rux2().RUX_DetectConfigure(&record);
       AskForFrames(record, 3);
       Rux2().RUX_Replay(&record);
     }},
    {"MemoryBoundAgainWhileDecoding",
     [](DecoderRecord& record, const std::string&, const std::string&) {
       BindOtherAndDecode(record);
       BindFinal(record);
     }},
    {"FileBoundAgainWhileDecodingAFile",
     [](DecoderRecord& record, const std::string& otherFile, const std::string& finalFile) {
       Rux2().RUX_InputFile2(&record, otherFile.c_str(), otherFile.c_str());
       Rux2().RUX_DetectConfigure(&record);
       AskForFrames(record, 3);
       Rux2().RUX_InputFile(&record, finalFile.c_str(), 0, 0);
     }},
    {"FileBoundAgainWhileDecodingAnImage",
     [](DecoderRecord& record, const std::string&, const std::string& finalFile) {
       BindOtherAndDecode(record);
       Rux2().RUX_InputFile(&record, finalFile.c_str(), 0, 0);
     }},
    {"AHandedOverImageBoundAgainWhileDecodingIt",
     [](DecoderRecord& record, const std::string&, const std::string&) {
       void* image = LocalCopy(StreamBytes(kMono22050));
       Rux2().RUX_InputMemory(&record, image, SizeOf(kMono22050), 1);
       Rux2().RUX_DetectConfigure(&record);
       AskForFrames(record, 3);
       Rux2().RUX_InputMemory(&record, image, SizeOf(kMono22050), 1);
     }},
    {"FramesAfterClosingTheCoderTwice",
     [](DecoderRecord& record, const std::string&, const std::string&) {
       BindOtherAndDecode(record);
       Rux2().RUX_CloseCoder(&record);
       AskForFrames(record, 2);
       Rux2().RUX_CloseCoder(&record);
       AskForFrames(record, 2);
       BindFinal(record);
     }},
    {"ClosedTwiceAndPreparedAgain",
     [](DecoderRecord& record, const std::string&, const std::string&) {
       BindOtherAndDecode(record);
       Rux2().RUX_Close(&record);
       Rux2().RUX_Close(&record);
       AskForFrames(record, 2);
       Rux2().RUX_Init(&record);
       BindFinal(record);
     }},
};

class CallOrders : public testing::TestWithParam<CallOrder> {
 protected:
  TempDirectory directory_;
};

TEST_P(CallOrders, LeaveTheStreamBoundLastWholeAndNothingBehind) {
  const std::string otherFile = directory_ / "other.ogg";
  const std::string finalFile = directory_ / "final.ogg";
  WriteFileBytes(otherFile, StreamBytes(kStereo48000));
  WriteFileBytes(finalFile, StreamBytes(kMono22050));
  const auto live = [&](bool play) {
    Rux2Session session;
    GetParam().calls(session.Record(), otherFile, finalFile);
    ASSERT_EQ(session.Detect(), RUX_OK);
    if (!play) return AskForFrames(session.Record(), 3);
    EXPECT_TRUE(SamePcm(session.DecodeToEnd({kSomeBytes, 333}), Reference(kMono22050).pcm));
    session.Replay();
    EXPECT_TRUE(SamePcm(session.DecodeToEnd(), Reference(kMono22050).pcm));
  };
  live(true);
  // Each earlier life held about 130 KB of decoder, a thread or an image when it leaked.
  const ProcessResources before = CountProcessResources();
  const int64_t memoryBefore = MemoryInUse();
  for (int life = 0; life < 20; ++life) live(false);
  const ProcessResources after = CountProcessResources();
  EXPECT_EQ(after.threads, before.threads);
  EXPECT_EQ(after.handles, before.handles);
  EXPECT_LT(after.heapBytes - before.heapBytes, 4096);
  EXPECT_LT(MemoryInUse() - memoryBefore, 1 << 20);
}

INSTANTIATE_TEST_SUITE_P(Orders, CallOrders, testing::ValuesIn(kCallOrders),
                         [](const testing::TestParamInfo<CallOrder>& info) { return info.param.name; });

TEST_F(RecordLifecycle, RecordsOnTwoThreadsDecodeIndependently) {
  const std::string path = WriteStream("stream.ogg", kStereo44100);
  const std::string& image = StreamBytes(kStereo48000);
  std::string fromFile, fromMemory;
  std::thread fileThread([&] {
    Rux2Session session;
    session.InputFile(path);
    if (session.Detect() == RUX_OK) fromFile = session.DecodeToEnd({333});
  });
  std::thread memoryThread([&] {
    Rux2Session session;
    session.InputMemory(image);
    if (session.Detect() == RUX_OK) fromMemory = session.DecodeToEnd({4096});
  });
  fileThread.join();
  memoryThread.join();
  EXPECT_TRUE(SamePcm(fromFile, Reference(kStereo44100).pcm));
  EXPECT_TRUE(SamePcm(fromMemory, Reference(kStereo48000).pcm));
}

}  // namespace
