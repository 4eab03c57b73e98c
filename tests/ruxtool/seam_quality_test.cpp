// The seams of the streams make encodes, played through the exports as the engine plays them,
// against one uncut encoding of the same playback: a seam may cost at most 1 dB more than the uncut
// stream costs at the same place, on tones and on music, and the playback is exact to the frame.
#include <gtest/gtest.h>

#include "seam_comparison.h"

namespace {

constexpr double kAllowedDecibels = 1.0;

TEST(SeamQuality, EverySeamCostsAtMostOneDecibelMoreThanAnUncutStreamThere) {
  for (const SeamCase& seamCase : SeamCases()) {
    SCOPED_TRACE(seamCase.name);
    const SeamCheck made = MadeSeams(seamCase);
    ASSERT_EQ(made.problem, "");
    const LoopPoints loop = seamCase.song.loop;
    EXPECT_EQ(made.playedFrames, loop.end + loop.Length());
    const std::vector<double> uncut = UncutCosts(seamCase, made);
    ASSERT_EQ(uncut.size(), made.seams.size());
    for (size_t i = 0; i < uncut.size(); ++i) {
      const SeamResult& seam = made.seams[i];
      EXPECT_LE(seam.error.Cost(), uncut[i] + kAllowedDecibels)
          << seam.name << ": " << seam.error.seamSnr << " dB at the seam, " << seam.error.bodySnr << " dB around it";
    }
  }
}

}  // namespace
