// MarkStreams and PutWorstFirst: the thresholds the docs give, in one place.
#include "report/report_marks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <tuple>

#include "loudness/loudness_gain.h"

namespace {

constexpr double kJoinPercentile = 90;
// A join that jumps no more than the music itself does at one of its points is a copy's, however
// abrupt that moment of the music is: a downbeat's.
constexpr double kJoinBeyondDb = 1;
// A wrap that plays as cleanly as the rest of the song passes the 90th percentile one time in ten:
// the click's mark waits for what only one moment in a hundred reaches.
constexpr double kClickPercentile = 99;
constexpr double kDipDb = 3;
constexpr double kLoudnessSpreadLu = 1;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Whether the game is meant to play on from the stream's end into its loop: not for a sound made from
// an input without a loop (a chime), which the game plays once.
bool MeantToLoop(const StreamReport& report) {
  return report.heard.LoopStart() > 0 || report.made.loopFrom.compare(0, 7, "no loop") != 0;
}

std::vector<Mark> MarksOf(const StreamReport& report, double medianLufs) {
  const HeardStream& heard = report.heard;
  std::vector<Mark> marks;
  const RecordedJoin join = JoinOf(report.made);
  if (join.percentile > kJoinPercentile && join.beyondDb > kJoinBeyondDb) marks.push_back(Mark::kJoin);
  if (MeantToLoop(report) && heard.wrapPercentile > kClickPercentile) marks.push_back(Mark::kClick);
  if (MeantToLoop(report) && heard.wrapDipDb > kDipDb) marks.push_back(Mark::kDip);
  if (!(std::fabs(heard.loudness.lufs - medianLufs) <= kLoudnessSpreadLu)) marks.push_back(Mark::kLoudness);
  if (heard.loudness.truePeakDb > TruePeakCeilingOf(report.made)) marks.push_back(Mark::kTruePeak);
  return marks;
}

}  // namespace

double TruePeakCeilingOf(const MadeFrom& made) {
  const size_t option = made.options.find("--true-peak ");
  if (option == std::string::npos) return LoudnessTarget().truePeakCeilingDb;
  return std::strtod(made.options.c_str() + option + 12, nullptr);
}

RecordedJoin JoinOf(const MadeFrom& made) {
  RecordedJoin join;
  join.recorded = std::sscanf(made.join.c_str(), "join at percentile %lf, excess %lf dB; %lf dB beyond",
                              &join.percentile, &join.excessDb, &join.beyondDb) == 3;
  return join.recorded ? join : RecordedJoin();
}

SoundtrackTotals MarkStreams(std::vector<StreamReport>& reports) {
  SoundtrackTotals totals;
  totals.streams = reports.size();
  std::vector<double> loudness;
  for (const StreamReport& report : reports) {
    if (report.failure.empty() && std::isfinite(report.heard.loudness.lufs))
      loudness.push_back(report.heard.loudness.lufs);
  }
  totals.measured = loudness.size();
  if (!loudness.empty()) {
    totals.lowestLufs = *std::min_element(loudness.begin(), loudness.end());
    totals.highestLufs = *std::max_element(loudness.begin(), loudness.end());
    totals.medianLufs = Median(loudness);
  }
  for (StreamReport& report : reports) {
    if (!report.failure.empty()) {
      ++totals.failed;
      continue;
    }
    report.marks = MarksOf(report, totals.medianLufs);
    if (!report.marks.empty()) ++totals.marked;
  }
  return totals;
}

void PutWorstFirst(std::vector<StreamReport>& reports) {
  const auto key = [](const StreamReport& report) {
    return std::make_tuple(!report.failure.empty(), !report.marks.empty(), JoinOf(report.made).percentile,
                           MeantToLoop(report) ? report.heard.wrapPercentile : -1.0);
  };
  std::stable_sort(reports.begin(), reports.end(),
                   [&](const StreamReport& a, const StreamReport& b) { return key(a) > key(b); });
}
