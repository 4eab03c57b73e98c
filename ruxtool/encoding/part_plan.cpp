// IntroPlan and LoopPlan: runs of the input, wrapping around the loop where the context outlasts it.
#include "encoding/part_plan.h"

#include <algorithm>

namespace {

// count frames of the loop, from offset frames into it, passing its end as often as needed.
void AppendLoop(std::vector<FrameRun>& runs, LoopPoints loop, long offset, long count) {
  while (count > 0) {
    const long take = std::min(count, loop.Length() - offset);
    runs.push_back({loop.start + offset, take});
    count -= take;
    offset = 0;
  }
}

// count frames from the input's frame from on, then from the loop's start.
void AppendFollowing(std::vector<FrameRun>& runs, long from, LoopPoints loop, long inputFrames, long count) {
  const long take = std::clamp(inputFrames - from, 0L, count);
  if (take) runs.push_back({from, take});
  AppendLoop(runs, loop, 0, count - take);
}

}  // namespace

PartPlan IntroPlan(LoopPoints loop, long inputFrames, const PartContext& context) {
  PartPlan plan;
  plan.runs.push_back({0, loop.start});
  plan.length = loop.start;
  AppendFollowing(plan.runs, loop.start, loop, inputFrames, context.after);
  return plan;
}

PartPlan LoopPlan(LoopPoints loop, long inputFrames, const PartContext& context) {
  PartPlan plan;
  if (loop.Length() >= context.minimumLoop) {
    plan.before = context.before;
    const long wraps = context.before % loop.Length();
    AppendLoop(plan.runs, loop, wraps ? loop.Length() - wraps : 0, context.before);
  }
  plan.runs.push_back({loop.start, loop.Length()});
  plan.length = loop.Length();
  AppendFollowing(plan.runs, loop.end, loop, inputFrames, context.after);
  return plan;
}

PartPlan LoopPlanAfterIntro(LoopPoints loop, long inputFrames, const PartContext& context, long introFrom) {
  PartPlan plan;
  if (loop.Length() >= context.minimumLoop) plan.before = loop.start - introFrom;
  plan.runs.push_back({loop.start - plan.before, plan.before + loop.Length()});
  plan.length = loop.Length();
  AppendFollowing(plan.runs, loop.end, loop, inputFrames, context.after);
  return plan;
}
