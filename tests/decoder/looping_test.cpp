// Looping: RUX_Replay delivers the same samples again, from the end or from the middle, and a
// two-part stream switches once to its loop part, whose format and length it then reports; a loop
// part with other channels than its introduction plays as ended.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "reference_decoder.h"
#include "rux2_session.h"
#include "temp_directory.h"

namespace {

class Looping : public testing::TestWithParam<bool> {
 protected:
  bool FromFile() const { return GetParam(); }

  void Bind(Rux2Session& session, const TestStream& stream) {
    if (!FromFile()) {
      session.InputMemory(StreamBytes(stream));
      return;
    }
    WriteFileBytes(directory_ / "stream.ogg", StreamBytes(stream));
    session.InputFile(directory_ / "stream.ogg");
  }

  void BindTwoParts(Rux2Session& session, const std::string& loop, const TestStream& intro = kMono22050) {
    if (!FromFile()) {
      Rux2().RUX_InputMemory2(&session.Record(), const_cast<char*>(StreamBytes(intro).data()),
                              static_cast<uint32_t>(StreamBytes(intro).size()),
                              const_cast<char*>(loop.data()), static_cast<uint32_t>(loop.size()), 0);
      return;
    }
    WriteFileBytes(directory_ / "intro.ogg", StreamBytes(intro));
    WriteFileBytes(directory_ / "loop.ogg", loop);
    Rux2().RUX_InputFile2(&session.Record(), (directory_ / "intro.ogg").c_str(),
                          (directory_ / "loop.ogg").c_str());
  }

  TempDirectory directory_;
};

TEST_P(Looping, AReplayAtTheEndDeliversTheSameSamplesAgain) {
  Rux2Session session;
  Bind(session, kStereo48000);
  ASSERT_EQ(session.Detect(), RUX_OK);
  const std::string first = session.DecodeToEnd();
  EXPECT_TRUE(SamePcm(first, Reference(kStereo48000).pcm));
  for (int replay = 0; replay < 2; ++replay) {
    session.Replay();
    EXPECT_EQ(session.Format().nSamplesPerSec, 48000u);
    EXPECT_EQ(session.Format().nChannels, 2u);
    EXPECT_TRUE(SamePcm(session.DecodeToEnd({12345}), first));
  }
}

TEST_P(Looping, AReplayInTheMiddleStartsFromTheBeginning) {
  Rux2Session session;
  Bind(session, kStereo44100);
  ASSERT_EQ(session.Detect(), RUX_OK);
  std::vector<char> buffer(65536 + Rux2Session::kMaxChunkFrames * 4);
  for (int call = 0; call < 20; ++call) Rux2().RUX_GetProcessFrame(&session.Record(), buffer.data(), 65536);
  session.Replay();
  EXPECT_FALSE(session.Record().resumePending);
  EXPECT_TRUE(SamePcm(session.DecodeToEnd(), Reference(kStereo44100).pcm));
}

TEST_P(Looping, TwoPartsSwitchOnceToTheLoopPartAndReportIt) {
  // Parts of different rates.
  Rux2Session session;
  BindTwoParts(session, StreamBytes(kMono48000));
  DecoderRecord& record = session.Record();
  EXPECT_TRUE(record.twoPart);
  EXPECT_EQ(session.Length(), FromFile() ? 0 : Reference(kMono22050).Frames());
  EXPECT_EQ(record.part[1].header.pcmLength, FromFile() ? 0 : Reference(kMono48000).Frames());
  ASSERT_EQ(session.Detect(), RUX_OK);
  EXPECT_EQ(session.Format().nChannels, 1u);
  EXPECT_EQ(session.Format().nSamplesPerSec, 22050u);
  EXPECT_TRUE(SamePcm(session.DecodeToEnd(), Reference(kMono22050).pcm));

  for (int replay = 0; replay < 3; ++replay) {
    session.Replay();
    EXPECT_TRUE(record.loopPartActive);
    EXPECT_EQ(static_cast<void*>(Rux2().RUX_GetPcmFormat(&record)), &record.part[1].header.formatTag);
    EXPECT_EQ(session.Format().nChannels, 1u);
    EXPECT_EQ(session.Format().nSamplesPerSec, 48000u);
    EXPECT_EQ(session.Format().nAvgBytesPerSec, 96000u);
    EXPECT_EQ(session.Length(), FromFile() ? 0 : Reference(kMono48000).Frames());
    EXPECT_TRUE(SamePcm(session.DecodeToEnd({4096, 333}), Reference(kMono48000).pcm)) << replay;
  }
  EXPECT_EQ(record.part[0].header.samplesPerSec, 22050u);
}

TEST_P(Looping, ALoopPartWithOtherChannelsThanItsIntroductionPlaysAsEnded) {
  // The engine sized its buffer by the introduction's format: more channels would overrun it.
  constexpr uint32_t kLength = 4096;
  constexpr unsigned char kUnwritten = 0xA5;
  for (const auto& [intro, loop] :
       {std::pair{&kMono22050, &kStereo48000}, std::pair{&kStereo44100, &kMono48000}}) {
    Rux2Session session;
    BindTwoParts(session, StreamBytes(*loop), *intro);
    ASSERT_EQ(session.Detect(), RUX_OK);
    const uint32_t introChannels = session.Format().nChannels;
    EXPECT_TRUE(SamePcm(session.DecodeToEnd(), Reference(*intro).pcm));
    std::vector<unsigned char> buffer(kLength + Rux2Session::kMaxChunkFrames * introChannels * 2, kUnwritten);
    for (int replay = 0; replay < 2; ++replay) {
      session.Replay();
      EXPECT_EQ(session.Format().nChannels, loop->channels);
      for (int call = 0; call < 3; ++call) {
        EXPECT_EQ(Rux2().RUX_GetProcessFrame(&session.Record(), buffer.data(), kLength), 0u);
      }
      EXPECT_TRUE(session.Record().part[1].source.exhausted);
    }
    EXPECT_TRUE(
        std::all_of(buffer.begin(), buffer.end(), [](unsigned char byte) { return byte == kUnwritten; }));
  }
}

TEST_P(Looping, ALoopPartWithoutVorbisHeadersDeliversNothingOnceSwitchedTo) {
  Rux2Session session;
  const std::string junk(5000, 'j');
  BindTwoParts(session, junk);
  ASSERT_EQ(session.Detect(), RUX_OK);
  EXPECT_TRUE(SamePcm(session.DecodeToEnd(), Reference(kMono22050).pcm));
  session.Replay();
  EXPECT_EQ(session.DecodeToEnd(), "");
  session.Replay();
  EXPECT_EQ(session.DecodeToEnd(), "");
}

INSTANTIATE_TEST_SUITE_P(Sources, Looping, testing::Bool(), [](const testing::TestParamInfo<bool>& info) {
  return info.param ? "File" : "Memory";
});

}  // namespace
