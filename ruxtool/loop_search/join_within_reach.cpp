// JoinWithinReach: the copy check first, as for points given exactly; then the smoothest of the joins
// near the points, whose own points are checked for a copy in turn.
#include "loop_search/join_within_reach.h"

#include <cstdlib>

#include "loop_search/given_loop_check.h"
#include "loop_search/musical_joins.h"

namespace {

bool Same(LoopPoints a, LoopPoints b) { return a.start == b.start && a.end == b.end; }

}  // namespace

MovedJoin JoinWithinReach(const std::vector<float>& mono, long rate, LoopPoints given, long reach) {
  const JoinMeasure measure(mono, rate);
  MovedJoin moved{given, false, false, measure.Measure(given), {}, 0};
  const LoopPoints repeat = CheckGivenLoop(mono, rate, given);
  if (!Same(repeat, given)) {
    moved.loop = repeat;
    moved.copy = true;
  } else {
    const MusicalJoins joins(mono, rate, measure);
    const LoopPoints best = joins.Near(given, reach, 1).front().loop;
    const LoopPoints copied = CheckGivenLoop(mono, rate, best);
    moved.copy = !Same(copied, best) && std::abs(copied.start - given.start) <= reach &&
                 std::abs(copied.end - given.end) <= reach;
    moved.loop = moved.copy ? copied : best;
    moved.onDownbeat = joins.OnDownbeat(moved.loop.start);
    moved.givenBeatError = joins.BeatError(given);
  }
  moved.used = measure.Measure(moved.loop);
  return moved;
}
