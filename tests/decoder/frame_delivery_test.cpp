// Frame delivery compared sample for sample with the reference, from memory and from files, for
// requests of every size; how a call stops inside a page and at the end of the stream; and samples that
// do not depend on the caller's floating-point state.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <float.h>
#endif

#include <string>
#include <vector>

#include "file_bytes.h"
#include "reference_decoder.h"
#include "rux2_session.h"
#include "temp_directory.h"

namespace {

constexpr uint32_t kMiB = 1 << 20;

struct Delivery {
  const TestStream* stream;
  std::vector<uint32_t> lengths;  // requested in turn
  bool fromFile;
};

std::string Name(const Delivery& delivery) {
  std::string name = std::string(delivery.stream->name) + (delivery.fromFile ? "_file" : "_memory");
  for (uint32_t length : delivery.lengths) name += "_" + std::to_string(length);
  return name;
}

std::vector<Delivery> Deliveries() {
  const std::vector<std::vector<uint32_t>> lengths = {
      {0}, {1}, {333}, {4095}, {4096}, {kMiB}, {1, 4097, 0, 12345, 65535}};
  std::vector<Delivery> deliveries;
  for (const TestStream* stream : {&kMono22050, &kStereo44100, &kStereo48000, &kBlip}) {
    for (const auto& lengthsInTurn : lengths) deliveries.push_back({stream, lengthsInTurn, false});
    deliveries.push_back({stream, {4096}, true});
    deliveries.push_back({stream, {1, 4097, 0, 12345, 65535}, true});
  }
  deliveries.push_back({&kLongMono22050, {kMiB}, true});
  deliveries.push_back({&kLongMono22050, {4096}, false});
  return deliveries;
}

void PrintTo(const Delivery& delivery, std::ostream* out) { *out << Name(delivery); }

class FrameDelivery : public testing::TestWithParam<Delivery> {};

TEST_P(FrameDelivery, DeliversTheReferenceSampleForSample) {
  const Delivery& delivery = GetParam();
  TempDirectory directory;
  const std::string& bytes = StreamBytes(*delivery.stream);
  Rux2Session session;
  if (delivery.fromFile) {
    WriteFileBytes(directory / "stream.ogg", bytes);
    session.InputFile(directory / "stream.ogg");
  } else {
    session.InputMemory(bytes);
  }
  ASSERT_EQ(session.Detect(), RUX_OK);
  EXPECT_TRUE(SamePcm(session.DecodeToEnd(delivery.lengths), Reference(*delivery.stream).pcm));
}

INSTANTIATE_TEST_SUITE_P(Streams, FrameDelivery, testing::ValuesIn(Deliveries()),
                         [](const testing::TestParamInfo<Delivery>& info) { return Name(info.param); });

TEST(FrameDeliveryCalls, ATinyRequestStopsAfterOneChunkAndTheNextCallFinishesThePage) {
  Rux2Session session;
  session.InputMemory(StreamBytes(kStereo44100));
  ASSERT_EQ(session.Detect(), RUX_OK);
  std::vector<char> buffer(Rux2Session::kMaxChunkFrames * 4);
  uint32_t written = 0;
  while ((written = Rux2().RUX_GetProcessFrame(&session.Record(), buffer.data(), 1)) == 0) {
  }
  EXPECT_TRUE(session.Record().resumePending);
  EXPECT_EQ(written % 4, 0u);
  const std::string rest = session.DecodeToEnd({1});
  EXPECT_EQ(written + rest.size(), Reference(kStereo44100).pcm.size());
}

TEST(FrameDeliveryCalls, AfterTheEndEveryCallReturnsNothing) {
  Rux2Session session;
  session.InputMemory(StreamBytes(kMono22050));
  ASSERT_EQ(session.Detect(), RUX_OK);
  session.DecodeToEnd();
  std::vector<char> buffer(1 << 16);
  for (int call = 0; call < 5; ++call) {
    EXPECT_EQ(Rux2().RUX_GetProcessFrame(&session.Record(), buffer.data(), 4096), 0u);
  }
}

#ifdef _WIN32
// The engine's thread may call with its x87 precision lowered (Direct3D 9 does so unless told otherwise)
// or with another rounding mode (which the C runtime sets for SSE too): the samples stay the same, and
// the caller's state is back after every call.
TEST(FrameDeliveryCalls, TheCallersFloatingPointStateChangesNoSample) {
  const auto decode = [] {
    Rux2Session session;
    session.InputMemory(StreamBytes(kStereo44100));
    EXPECT_EQ(session.Detect(), RUX_OK);
    const std::string first = session.DecodeToEnd({4096});
    session.Replay();
    EXPECT_EQ(session.DecodeToEnd({4096}), first);
    return first;
  };
  const std::string normal = decode();
  ASSERT_TRUE(SamePcm(normal, Reference(kStereo44100).pcm));
  const struct {
    const char* name;
    unsigned value, mask;
  } states[] = {{"24-bit precision", _PC_24, _MCW_PC},
                {"rounding toward zero", _RC_CHOP, _MCW_RC},
                {"rounding down", _RC_DOWN, _MCW_RC},
                {"denormals flushed", _DN_FLUSH, _MCW_DN}};
  const unsigned callers = _controlfp(0, 0);
  for (const auto& state : states) {
    _controlfp(state.value, state.mask);
    const unsigned set = _controlfp(0, 0);
    const std::string changed = decode();
    const unsigned after = _controlfp(0, 0);
    _controlfp(callers, _MCW_PC | _MCW_RC | _MCW_DN);
    EXPECT_EQ(after, set) << state.name;
    EXPECT_TRUE(changed == normal) << state.name << ": " << SamePcm(changed, normal).message();
  }
}
#endif

}  // namespace
