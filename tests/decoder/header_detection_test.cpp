// Header detection on damaged streams, from memory and from files, and what a record does after a
// failed detection: it delivers nothing, replays nothing, and closes cleanly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "crafted_setup_headers.h"
#include "file_bytes.h"
#include "ogg_pages.h"
#include "rux2_session.h"
#include "temp_directory.h"
#include "test_streams.h"

namespace {

std::vector<std::string> Pages() { return SplitPages(StreamBytes(kStereo44100)); }

// Changes the first byte of a packet, found by the packet's type byte and the "vorbis" signature.
std::string ChangePacketType(size_t pageIndex, char type, char newType) {
  std::vector<std::string> pages = Pages();
  std::string& page = pages[pageIndex];
  page[page.find(std::string(1, type) + "vorbis")] = newType;
  Reseal(page);
  return JoinPages(pages);
}

std::string JunkBeforeTheFirstPage() { return std::string(2000, 'j') + StreamBytes(kStereo44100); }

std::string Nothing() { return ""; }

std::string FirstPageRefused() {
  std::vector<std::string> pages = Pages();
  pages[0][kPageVersion] = 1;
  Reseal(pages[0]);
  return JoinPages(pages);
}

std::string FirstPacketIncomplete() {
  std::vector<std::string> pages = Pages();
  pages[0] = MakePage(0x02, 1, 0, {255, 255, 255}, std::string(765, 'p'));
  return JoinPages(pages);
}

std::string NotVorbis() { return ChangePacketType(0, '\x01', '\x02'); }

std::string GapBeforeTheCommentHeader() {
  std::vector<std::string> pages = Pages();
  pages[1][kPageSequence] = 5;
  Reseal(pages[1]);
  return JoinPages(pages);
}

std::string CommentHeaderCut() { return StreamBytes(kStereo44100).substr(0, Pages()[0].size() + 20); }

std::string SetupHeaderDamaged() { return ChangePacketType(1, '\x05', '\x07'); }

// One more codebook, whose 2^17 entries would overflow a game thread's stack inside libvorbis.
std::string SetupHeaderBeyondTheLimits() {
  return CraftStream(StreamBytes(kStereo44100), [](SetupHeader& header) {
    header.books.push_back(CompleteBook(1 << 17));
    ++header.declaredBooks;
  });
}

struct DamagedStream {
  const char* name;
  std::string (*make)();
  int result;
};

const DamagedStream kDamagedStreams[] = {
    {"JunkBeforeTheFirstPage", JunkBeforeTheFirstPage, RUX_NO_FIRST_PAGE},
    {"Nothing", Nothing, RUX_NO_FIRST_PAGE},
    {"FirstPageRefused", FirstPageRefused, RUX_FIRST_PAGE_REFUSED},
    {"FirstPacketIncomplete", FirstPacketIncomplete, RUX_NO_FIRST_PACKET},
    {"NotVorbis", NotVorbis, RUX_NOT_VORBIS},
    {"GapBeforeTheCommentHeader", GapBeforeTheCommentHeader, RUX_HEADER_GAP},
    {"CommentHeaderCut", CommentHeaderCut, RUX_HEADERS_CUT},
    {"SetupHeaderDamaged", SetupHeaderDamaged, RUX_HEADERS_DAMAGED},
    {"SetupHeaderBeyondTheLimits", SetupHeaderBeyondTheLimits, RUX_HEADERS_DAMAGED},
};

void PrintTo(const DamagedStream& stream, std::ostream* out) { *out << stream.name; }

class HeaderDetection : public testing::TestWithParam<std::tuple<DamagedStream, bool>> {
 protected:
  const DamagedStream& Damage() const { return std::get<0>(GetParam()); }
  bool FromFile() const { return std::get<1>(GetParam()); }

  void Bind(Rux2Session& session) {
    image_ = Damage().make();
    if (!FromFile()) {
      session.InputMemory(image_);
      return;
    }
    WriteFileBytes(directory_ / "damaged.ogg", image_);
    session.InputFile(directory_ / "damaged.ogg");
  }

  // After a failure: nothing delivered, nothing replayed, and the part reads as ended.
  static void ExpectSilence(Rux2Session& session) {
    std::vector<char> buffer(1 << 16);
    for (int call = 0; call < 3; ++call) {
      EXPECT_EQ(Rux2().RUX_GetProcessFrame(&session.Record(), buffer.data(), 4096), 0u);
      session.Replay();
    }
    EXPECT_TRUE(RuxActivePart(&session.Record())->source.exhausted);
  }

  TempDirectory directory_;
  std::string image_;
};

TEST_P(HeaderDetection, FailsWithItsCodeThenDeliversNothingAndClosesCleanly) {
  Rux2Session session;
  Bind(session);
  EXPECT_EQ(session.Detect(), Damage().result);
  ExpectSilence(session);
}

TEST_P(HeaderDetection, ClosingTheCoderAfterAFailureReleasesOnlyWhatWasPrepared) {
  Rux2Session session;
  Bind(session);
  EXPECT_EQ(session.Detect(), Damage().result);
  EXPECT_EQ(Rux2().RUX_CloseCoder(&session.Record()), 0);
  EXPECT_EQ(session.Record().decoderReady, 0u);
  ExpectSilence(session);
}

INSTANTIATE_TEST_SUITE_P(DamagedStreams, HeaderDetection,
                         testing::Combine(testing::ValuesIn(kDamagedStreams), testing::Bool()),
                         [](const testing::TestParamInfo<HeaderDetection::ParamType>& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) ? "File" : "Memory");
                         });

TEST(HeaderDetectionOfFiles, AMissingFileIsAnEmptyStream) {
  TempDirectory directory;
  Rux2Session session;
  session.InputFile(directory / "missing.ogg");
  EXPECT_EQ(session.Detect(), RUX_NO_FIRST_PAGE);
}

}  // namespace
