// MakeLoopStreams: each part encoded with the context its plan gives it; the loop part in two ways.
//
// A steady sound is encoded as finely as the encoder's blocks happen to meet it, by a decibel or so
// either way. The introduction is cut into blocks as a stream that went on into the loop would be,
// so a loop part whose blocks lie in step with the introduction's meets the introduction's end as
// such a stream would, and its context is lengthened until its first frame lies as far past a
// block's centre as the introduction's end does. Its start then meets the loop's end, whose blocks
// follow the introduction's by the loop's length, out of step; the loop part as its own context lays
// it meets it otherwise. Both are played and the better kept.
#include "loop_streams.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "part_encoder.h"
#include "part_plan.h"
#include "seam_check.h"

namespace {

// Frames to add to the context before the loop part to bring its first frame to the phase.
long StepIntoPhase(const PcmAudio& audio, LoopPoints loop, const PartContext& context, const VorbisSettings& settings,
                   long phase) {
  // The blocks at the loop's start follow from the context and the look-ahead alone.
  PartPlan trial = LoopPlan(loop, audio.Frames(), context);
  trial.length = std::min(trial.length, context.after);
  const long hop = LongBlockSize(settings) / 2;
  const long trialPhase = EncodePart(audio, trial, settings).startPhase;
  return ((phase - trialPhase) % hop + hop) % hop;
}

double WorstCost(const SeamCheck& check) {
  if (!check.problem.empty()) return std::numeric_limits<double>::infinity();
  double worst = -std::numeric_limits<double>::infinity();
  for (const SeamResult& seam : check.seams) worst = std::max(worst, seam.error.Cost());
  return worst;
}

}  // namespace

bool MakeLoopStreams(const Rux2Exports& rux, const PcmAudio& audio, LoopPoints loop, const VorbisSettings& settings,
                     LoopStreams& streams) {
  const PartContext context = ContextFor(settings);
  if (context.after == 0) return false;
  if (loop.start == 0) {
    streams.loop = EncodePart(audio, LoopPlan(loop, audio.Frames(), context), settings).stream;
    return true;
  }
  const EncodedPart intro = EncodePart(audio, IntroPlan(loop, audio.Frames(), context), settings);
  streams.intro = intro.stream;
  VorbisSettings loopSettings = settings;
  ++loopSettings.serial;
  const long inStep = StepIntoPhase(audio, loop, context, loopSettings, intro.endPhase);
  // Already in step, the two ways are one.
  std::vector<long> extras{inStep};
  if (inStep != 0) extras.push_back(0);
  double best = std::numeric_limits<double>::infinity();
  for (const long extra : extras) {
    PartContext lengthened = context;
    lengthened.before += extra;
    std::string part = EncodePart(audio, LoopPlan(loop, audio.Frames(), lengthened), loopSettings).stream;
    const double cost = WorstCost(CheckSeams(rux, audio, loop, intro.stream, part));
    if (cost < best || streams.loop.empty()) {
      best = cost;
      streams.loop = std::move(part);
    }
  }
  return true;
}
