// Hostile streams through the exports, from guarded memory images and from files: streams cut at
// many points, with flipped bits, with pages reordered or duplicated, followed by a second stream,
// behind headers whose sizes and format fields are absurd, with setup headers crafted against
// libvorbis. Every case ends with defined results only (record_life.h) and never reads outside its
// image; where the outcome is known, the samples are checked too.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "crafted_setup_headers.h"
#include "file_bytes.h"
#include "game_thread.h"
#include "guarded_image.h"
#include "ogg_pages.h"
#include "process_resources.h"
#include "record_life.h"
#include "reference_decoder.h"
#include "rux2_under_test.h"
#include "temp_directory.h"
#include "test_streams.h"

namespace {

const TestStream* const kCorpusStreams[] = {&kBlip, &kMono22050, &kStereo48000};

LifePlan Plan() {
  LifePlan plan;
  plan.lengths = {4096, 1, 333, 65536};
  return plan;
}

LifeOutcome PlayMemory(const std::string& image, const LifePlan& plan = Plan()) {
  const GuardedImage guarded(image);
  DecoderRecord record{};
  Rux2().RUX_Init(&record);
  Rux2().RUX_InputMemory(&record, guarded.Image(), guarded.Size(), 0);
  return LiveRecordLife(record, image.size(), plan);
}

LifeOutcome PlayFile(const std::string& bytes, uint32_t offset = 0, uint32_t size = 0) {
  const TempDirectory directory;
  const std::string path = directory / "hostile.ogg";
  WriteFileBytes(path, bytes);
  DecoderRecord record{};
  Rux2().RUX_Init(&record);
  Rux2().RUX_InputFile(&record, path.c_str(), offset, size);
  return LiveRecordLife(record, bytes.size(), Plan());
}

// Defined results, and a replay that delivers the first play again.
void ExpectDefinedAndRepeatable(const LifeOutcome& outcome) {
  EXPECT_EQ(outcome.violation, "");
  if (outcome.detection == RUX_OK && outcome.violation.empty()) {
    ASSERT_EQ(outcome.plays.size(), 2u);
    EXPECT_TRUE(SamePcm(outcome.plays[1], outcome.plays[0]));
  }
}

std::string LittleEndian(uint32_t value, int width) {
  std::string bytes;
  for (int i = 0; i < width; ++i) bytes += static_cast<char>(value >> (8 * i));
  return bytes;
}

std::vector<uint32_t> CutPoints(const TestStream& stream) {
  std::vector<uint32_t> cuts;
  uint32_t boundary = 0;
  for (const std::string& page : SplitPages(StreamBytes(stream))) {
    for (uint32_t cut : {boundary, boundary + 1, boundary + 27}) cuts.push_back(cut);
    boundary += static_cast<uint32_t>(page.size());
  }
  const auto size = static_cast<uint32_t>(StreamBytes(stream).size());
  for (uint32_t step = 1; step < 16; ++step) cuts.push_back(size * step / 16);
  cuts.push_back(size - 1);
  return cuts;
}

class HostileStreams : public testing::TestWithParam<const TestStream*> {
 protected:
  const TestStream& Stream() const { return *GetParam(); }
  const std::string& Bytes() const { return StreamBytes(Stream()); }
  const ReferencePcm& Expected() const { return Reference(Stream()); }
};

TEST_P(HostileStreams, ACutStreamDeliversABeginningOfItsSamples) {
  for (uint32_t cut : CutPoints(Stream())) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    const LifeOutcome outcome = PlayMemory(Bytes().substr(0, cut));
    ExpectDefinedAndRepeatable(outcome);
    if (outcome.detection != RUX_OK || outcome.plays.empty()) continue;
    const std::string& pcm = outcome.plays[0];
    EXPECT_TRUE(SamePcm(pcm, Expected().pcm.substr(0, pcm.size())));
  }
}

TEST_P(HostileStreams, AFileCutByItsSizeOrItsEndDeliversABeginningOfItsSamples) {
  const auto size = static_cast<uint32_t>(Bytes().size());
  for (uint32_t cut : {size / 3, size / 2, size - 100}) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    for (const LifeOutcome& outcome : {PlayFile(Bytes().substr(0, cut)), PlayFile(Bytes(), 0, cut)}) {
      ExpectDefinedAndRepeatable(outcome);
      if (outcome.detection != RUX_OK || outcome.plays.empty()) continue;
      const std::string& pcm = outcome.plays[0];
      EXPECT_TRUE(SamePcm(pcm, Expected().pcm.substr(0, pcm.size())));
    }
  }
}

TEST_P(HostileStreams, FlippedBitsGiveDefinedResults) {
  std::mt19937 random(Stream().seed);
  const std::vector<std::string> pages = SplitPages(Bytes());
  for (int flip = 0; flip < 16; ++flip) {
    std::vector<std::string> damaged = pages;
    std::string& page = damaged[random() % damaged.size()];
    // Resealed, the damage passes the checksum and reaches the codec; the segment count stays, so
    // that the page keeps its length.
    const bool reseal = flip % 2 == 1;
    size_t position;
    do {
      position = random() % page.size();
    } while (reseal && position == 26);
    page[position] = static_cast<char>(page[position] ^ (1 << random() % 8));
    if (reseal) Reseal(page);
    SCOPED_TRACE("bit flip " + std::to_string(flip) + " at " + std::to_string(position));
    ExpectDefinedAndRepeatable(PlayMemory(JoinPages(damaged)));
  }
}

TEST_P(HostileStreams, ReorderedOrDuplicatedPagesGiveDefinedResults) {
  const std::vector<std::string> pages = SplitPages(Bytes());
  std::vector<std::vector<std::string>> cases;
  auto withPages = [&](auto change) {
    std::vector<std::string> changed = pages;
    change(changed);
    cases.push_back(changed);
  };
  withPages([](auto& p) { std::swap(p[0], p[1]); });
  withPages([](auto& p) { std::rotate(p.begin(), p.begin() + 1, p.end()); });
  withPages([](auto& p) { std::reverse(p.begin() + 2, p.end()); });
  withPages([](auto& p) { std::swap(p[p.size() - 1], p[p.size() - 2]); });
  withPages([&](auto& p) { std::shuffle(p.begin() + 2, p.end(), std::mt19937(Stream().seed)); });
  for (size_t duplicate = 0; duplicate < pages.size(); duplicate += 2) {
    withPages([&](auto& p) { p.insert(p.begin() + duplicate, p[duplicate]); });
  }
  withPages([](auto& p) {
    std::vector<std::string> twice;
    for (const std::string& page : p) twice.insert(twice.end(), 2, page);
    p = twice;
  });
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    ExpectDefinedAndRepeatable(PlayMemory(JoinPages(cases[i])));
  }
}

TEST_P(HostileStreams, ASecondChainedStreamIsNotDelivered) {
  // The test streams all have serial numbers of their own.
  const std::string& other = StreamBytes(GetParam() == &kBlip ? kMono48000 : kBlip);
  for (const LifeOutcome& outcome : {PlayMemory(Bytes() + other), PlayFile(Bytes() + other)}) {
    ExpectDefinedAndRepeatable(outcome);
    ASSERT_EQ(outcome.detection, RUX_OK);
    EXPECT_TRUE(SamePcm(outcome.plays[0], Expected().pcm));
  }
  ExpectDefinedAndRepeatable(PlayMemory(Bytes() + Bytes()));
}

TEST_P(HostileStreams, BeforeADamagedSecondStreamTheFirstReportsItsFormatAndLength) {
  std::vector<std::string> second = SplitPages(StreamBytes(GetParam() == &kBlip ? kMono48000 : kBlip));
  second.erase(second.begin() + 1);
  const std::string image = Bytes() + JoinPages(second);
  DecoderRecord record{};
  Rux2().RUX_Init(&record);
  Rux2().RUX_InputMemory(&record, const_cast<char*>(image.data()), static_cast<uint32_t>(image.size()), 0);
  int32_t length = 0;
  Rux2().RUX_GetPcmLength(&record, &length);
  EXPECT_EQ(length, Expected().Frames());
  EXPECT_EQ(Rux2().RUX_GetPcmFormat(&record)->nChannels, Stream().channels);
  EXPECT_EQ(Rux2().RUX_GetPcmFormat(&record)->nSamplesPerSec, static_cast<uint32_t>(Stream().rate));
  const LifeOutcome outcome = LiveRecordLife(record, image.size(), Plan());
  ExpectDefinedAndRepeatable(outcome);
  ASSERT_EQ(outcome.detection, RUX_OK);
  EXPECT_TRUE(SamePcm(outcome.plays[0], Expected().pcm));
}

TEST_P(HostileStreams, AbsurdFormatFieldsInTheIdentificationHeaderGiveDefinedResults) {
  // Positions in the first page: 27 header bytes and one lacing value, then the packet.
  constexpr size_t kChannels = 28 + 11, kRate = 28 + 12, kBlockSizes = 28 + 28;
  const std::vector<std::string> pages = SplitPages(Bytes());
  const struct {
    size_t position;
    std::string value;
  } fields[] = {{kChannels, LittleEndian(0, 1)},      {kChannels, LittleEndian(255, 1)},
                {kRate, LittleEndian(0, 4)},          {kRate, LittleEndian(0xFFFFFFFF, 4)},
                {kBlockSizes, LittleEndian(0xDD, 1)}, {kBlockSizes, LittleEndian(0x00, 1)}};
  // 255 channels multiply the samples of every packet: the first mebibyte of each play will do.
  LifePlan plan = Plan();
  plan.pcmLimit = 1 << 20;
  for (const auto& field : fields) {
    std::vector<std::string> damaged = pages;
    damaged[0].replace(field.position, field.value.size(), field.value);
    Reseal(damaged[0]);
    SCOPED_TRACE("field at " + std::to_string(field.position));
    ExpectDefinedAndRepeatable(PlayMemory(JoinPages(damaged), plan));
  }
}

INSTANTIATE_TEST_SUITE_P(Streams, HostileStreams, testing::ValuesIn(kCorpusStreams),
                         [](const testing::TestParamInfo<const TestStream*>& info) {
                           return info.param->name;
                         });

// A header with the given format fields, values and PCM length; the rest of an RX2A header is 0xEE.
std::string Header(bool rx2a, uint16_t channels, uint32_t rate, uint32_t pcmLength) {
  const std::string format = LittleEndian(0xFFFF, 2) + LittleEndian(channels, 2) + LittleEndian(rate, 4) +
                             LittleEndian(0xFFFFFFFF, 4) + LittleEndian(0, 2) + LittleEndian(0, 2) +
                             LittleEndian(0xFFFF, 2);
  const std::string values =
      LittleEndian(0xFFFFFFFF, 4) + LittleEndian(pcmLength, 4) + LittleEndian(0x80000000, 4);
  if (rx2a) return "RX2A" + values + std::string(16, '\xEE') + format + "\xEE\xEE";
  return "RUX\xFF" + values + format + "\xEE\xEE";
}

TEST(AbsurdHeaders, AreCarriedToTheCallerWhileTheStreamDecodesAsItIs) {
  const std::string& stream = StreamBytes(kMono22050);
  for (bool rx2a : {false, true}) {
    for (uint16_t channels : {0, 255}) {
      for (uint32_t rate : {0u, 0xFFFFFFFFu}) {
        for (uint32_t pcmLength : {0xFFFFFFFFu, 0x80000000u, 0xFFFFFFF0u}) {
          const std::string header = Header(rx2a, channels, rate, pcmLength);
          SCOPED_TRACE(header.substr(0, 4) + " " + std::to_string(channels) + " channels, rate " +
                       std::to_string(rate) + ", length " + std::to_string(pcmLength));
          const GuardedImage guarded(header + stream);
          DecoderRecord record{};
          Rux2().RUX_Init(&record);
          Rux2().RUX_InputMemory(&record, guarded.Image(), guarded.Size(), 0);
          int32_t length = 0;
          Rux2().RUX_GetPcmLength(&record, &length);
          EXPECT_EQ(static_cast<uint32_t>(length), pcmLength);
          EXPECT_EQ(Rux2().RUX_GetPcmFormat(&record)->nChannels, channels);
          const LifeOutcome outcome = LiveRecordLife(record, guarded.Size(), Plan());
          ExpectDefinedAndRepeatable(outcome);
          ASSERT_EQ(outcome.detection, RUX_OK);
          EXPECT_TRUE(SamePcm(outcome.plays[0], Reference(kMono22050).pcm));
        }
      }
    }
  }
}

TEST(AbsurdHeaders, AHeaderWithNothingBehindItIsAnEmptyStream) {
  for (bool rx2a : {false, true}) {
    const std::string header = Header(rx2a, 255, 0, 0xFFFFFFFF);
    EXPECT_EQ(PlayMemory(header).detection, RUX_NO_FIRST_PAGE);
    EXPECT_EQ(PlayFile(header).detection, RUX_NO_FIRST_PAGE);
    EXPECT_EQ(PlayMemory(header + std::string(3000, '\0')).detection, RUX_NO_FIRST_PAGE);
  }
}

TEST(AbsurdHeaders, FileOffsetsAndSizesNearFourGibibytesStayInsideTheFile) {
  const std::string& stream = StreamBytes(kMono22050);
  // The size reaches past the end of the file, where reading stops.
  const LifeOutcome whole = PlayFile(stream, 0, 0xFFFFFFFF);
  ExpectDefinedAndRepeatable(whole);
  ASSERT_EQ(whole.detection, RUX_OK);
  EXPECT_TRUE(SamePcm(whole.plays[0], Reference(kMono22050).pcm));
  // Offsets past the end of the file, and a limit that wraps below the offset: nothing to read.
  for (const auto& [offset, size] : {std::pair<uint32_t, uint32_t>{0xFFFFFFF0, 0x100},
                                     {0xFFFFFFFF, 0},
                                     {0x10000, 0xFFFFFFFF},
                                     {0x80000000, 0x80000000}}) {
    SCOPED_TRACE(std::to_string(offset) + ", " + std::to_string(size));
    const LifeOutcome outcome = PlayFile(stream, offset, size);
    EXPECT_EQ(outcome.violation, "");
    EXPECT_EQ(outcome.detection, RUX_NO_FIRST_PAGE);
  }
}

// Each class is bound from memory and detected on a game thread, within a second and 64 MiB, then
// lives its life there; what the probe and detection make of it depends on its class.
class CraftedSetupHeaders : public testing::TestWithParam<CraftedHeaderClass> {};

TEST_P(CraftedSetupHeaders, CostAGameThreadLittleAndGiveDefinedResults) {
  constexpr int64_t kMemoryLimit = 64 << 20;
  const CraftedHeaderClass& crafted = GetParam();
  const std::string image = CraftStream(StreamBytes(kMono22050), crafted.craft);
  ASSERT_FALSE(image.empty());
  const GuardedImage guarded(image);
  DecoderRecord record{};
  WAVEFORMATEX probed{};
  int32_t length = -1;
  int detection = 0;
  std::chrono::duration<double> detectionTime{};
  int64_t memoryRise = 0;
  LifeOutcome outcome;
  ASSERT_TRUE(RunOnGameThread([&] {
    const int64_t memoryBefore = MemoryInUse();
    const auto start = std::chrono::steady_clock::now();
    Rux2().RUX_Init(&record);
    Rux2().RUX_InputMemory(&record, guarded.Image(), guarded.Size(), 0);
    probed = *Rux2().RUX_GetPcmFormat(&record);
    Rux2().RUX_GetPcmLength(&record, &length);
    detection = Rux2().RUX_DetectConfigure(&record);
    detectionTime = std::chrono::steady_clock::now() - start;
    memoryRise = MemoryInUse() - memoryBefore;
    outcome = LiveRecordLife(record, image.size(), Plan());
  }));
  EXPECT_LT(detectionTime.count(), 1.0);
  EXPECT_LT(memoryRise, kMemoryLimit);
  ExpectDefinedAndRepeatable(outcome);
  if (crafted.outcome == CraftedOutcome::kRefused) {
    EXPECT_EQ(detection, RUX_HEADERS_DAMAGED);
    EXPECT_EQ(probed.nChannels, 2);
    EXPECT_EQ(probed.nSamplesPerSec, 44100u);
    EXPECT_EQ(length, 0);
    return;
  }
  EXPECT_EQ(detection, RUX_OK);
  EXPECT_EQ(probed.nChannels, 1);
  if (crafted.outcome == CraftedOutcome::kPlays && !outcome.plays.empty()) {
    EXPECT_EQ(length, Reference(kMono22050).Frames());
    EXPECT_TRUE(SamePcm(outcome.plays[0], Reference(kMono22050).pcm));
  }
}

INSTANTIATE_TEST_SUITE_P(Classes, CraftedSetupHeaders,
                         testing::ValuesIn(kCraftedHeaderClasses,
                                           kCraftedHeaderClasses + kCraftedHeaderClassCount),
                         [](const testing::TestParamInfo<CraftedHeaderClass>& info) {
                           return info.param.name;
                         });

}  // namespace
