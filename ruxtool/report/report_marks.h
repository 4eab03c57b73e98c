// The soundtrack's marks and order: which streams need a person's ear, worst first, and the totals.
#pragma once

#include <vector>

#include "report/stream_report.h"

struct SoundtrackTotals {
  size_t streams = 0;
  size_t marked = 0;
  size_t failed = 0;
  size_t measured = 0;  // streams whose loudness the meter measured
  double lowestLufs = 0;
  double highestLufs = 0;
  double medianLufs = 0;
};

// The true-peak ceiling the stream was levelled to (its recorded --true-peak), else make's default.
double TruePeakCeilingOf(const MadeFrom& made);
// The musical join's figure as the stream records it ("join at percentile 72, excess +0.4 dB; +0.1 dB
// beyond the music's own jump").
struct RecordedJoin {
  bool recorded = false;
  double percentile = -1;  // of the song's moments, the share less abrupt
  double excessDb = 0;     // over the song's own jump at the loop's two points, on average
  double beyondDb = 0;     // over the larger of those two jumps
};
RecordedJoin JoinOf(const MadeFrom& made);

// Marks every stream that played, against the soundtrack's median loudness, and counts the totals.
SoundtrackTotals MarkStreams(std::vector<StreamReport>& reports);
// Failed streams first, then marked ones, each by the join's figure, then by how abrupt the wrap is
// where the game plays on from the stream's end into its loop.
void PutWorstFirst(std::vector<StreamReport>& reports);
