// The seams of the streams make encodes, played through the exports as the engine plays them,
// against one uncut encoding of the same playback: a seam may cost at most 1 dB more than the uncut
// stream costs at the same place, on tones and on music, and the playback is exact to the frame. And
// the measure sees a seam that clicks: parts split and encoded alone cost clearly more where they do.
#include <gtest/gtest.h>

#include "seam_comparison.h"
#include "temp_directory.h"

namespace {

constexpr double kAllowedDecibels = 1.0;
// What a click costs at the least, above an uncut stream: the tones' split parts cost 3.7 to 6.7 dB.
constexpr double kClickDecibels = 2.0;

// Made once for both tests: the music is generated, and one case written to a file and read back.
const std::vector<SeamCase>& Cases() {
  static const std::vector<SeamCase> cases = [] {
    const TempDirectory folder;
    return SeamCases(folder.Path());
  }();
  return cases;
}

TEST(SeamQuality, EverySeamCostsAtMostOneDecibelMoreThanAnUncutStreamThere) {
  for (const SeamCase& seamCase : Cases()) {
    SCOPED_TRACE(seamCase.name);
    const SeamCheck made = MadeSeams(seamCase);
    ASSERT_EQ(made.problem, "");
    const LoopPoints loop = seamCase.song.loop;
    EXPECT_EQ(made.playedFrames, loop.end + loop.Length());
    const std::vector<SeamError> uncut = UncutSeams(seamCase, made);
    ASSERT_EQ(uncut.size(), made.seams.size());
    for (size_t i = 0; i < uncut.size(); ++i) {
      const SeamResult& seam = made.seams[i];
      ASSERT_TRUE(seam.error.measured && uncut[i].measured) << seam.name;
      EXPECT_LE(seam.error.Cost(), uncut[i].Cost() + kAllowedDecibels)
          << seam.name << ": " << seam.error.seamSnr << " dB at the seam, " << seam.error.bodySnr << " dB around it";
    }
  }
}

TEST(SeamQuality, PartsSplitAndEncodedAloneCostClearlyMoreWhereTheyClick) {
  size_t controls = 0;
  for (const SeamCase& seamCase : Cases()) {
    if (!seamCase.splitClicks) continue;
    SCOPED_TRACE(seamCase.name);
    ++controls;
    const SeamCheck split = SplitSeams(seamCase);
    ASSERT_EQ(split.problem, "");
    const std::vector<SeamError> uncut = UncutSeams(seamCase, split);
    ASSERT_EQ(uncut.size(), split.seams.size());
    for (size_t i = 0; i < uncut.size(); ++i) {
      const SeamResult& seam = split.seams[i];
      ASSERT_TRUE(seam.error.measured && uncut[i].measured) << seam.name;
      EXPECT_GE(seam.error.Cost(), uncut[i].Cost() + kClickDecibels) << seam.name;
    }
  }
  EXPECT_GT(controls, 0u);
}

}  // namespace
