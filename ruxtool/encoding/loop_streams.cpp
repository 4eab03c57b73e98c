// MakeLoopStreams: each part encoded with the context its plan gives it; the loop part in two ways.
//
// A steady sound is encoded as finely as the encoder's blocks happen to meet it, by a decibel or so
// either way. The introduction is cut into blocks as a stream that went on into the loop would be,
// so a loop part whose blocks lie in step with the introduction's meets the introduction's end as
// such a stream would, and its context is lengthened until its first frame lies as far past a
// block's centre as the introduction's end does. Its start then meets the loop's end, whose blocks
// follow the introduction's by the loop's length, out of step; the loop part as its own context lays
// it meets it otherwise. The first is kept where its loop's seam plays no worse than the music around
// it; else the second is made too, and the one whose worse seam costs less kept. Seams are measured
// from the frames near them.
#include "encoding/loop_streams.h"

#include <algorithm>

#include "encoding/part_encoder.h"
#include "encoding/part_plan.h"
#include "encoding/seam_estimate.h"

namespace {

// Frames to add to the context before the loop part to bring its first frame to the phase.
long StepIntoPhase(const PcmAudio& audio, LoopPoints loop, const PartContext& context, const VorbisSettings& settings,
                   long phase) {
  // The blocks at the loop's start follow from the context and the look-ahead alone.
  const PartPlan trial = Shortened(LoopPlan(loop, audio.Frames(), context), context.after, context.after);
  const long hop = LongBlockSize(settings) / 2;
  const long trialPhase = EncodePart(audio, trial, settings).startPhase;
  return ((phase - trialPhase) % hop + hop) % hop;
}


}  // namespace

bool MakeLoopStreams(const PcmAudio& audio, LoopPoints loop, const VorbisSettings& settings, LoopStreams& streams) {
  const PartContext context = ContextFor(settings);
  if (context.after == 0) return false;
  if (loop.start == 0) {
    streams.loop = EncodePart(audio, LoopPlan(loop, audio.Frames(), context), settings).stream;
    return true;
  }
  VorbisSettings loopSettings = settings;
  ++loopSettings.serial;
  const EncodedPart intro = EncodePart(audio, IntroPlan(loop, audio.Frames(), context), settings);
  streams.intro = intro.stream;
  const long inStep = StepIntoPhase(audio, loop, context, loopSettings, intro.endPhase);
  PartContext lengthened = context;
  lengthened.before += inStep;
  streams.loop = EncodePart(audio, LoopPlan(loop, audio.Frames(), lengthened), loopSettings).stream;
  // Already in step, the two ways are one.
  if (inStep == 0) return true;
  const SeamCosts inStepCosts = EstimateSeamCosts(audio, loop, streams.intro, streams.loop);
  // A loop's seam no worse than the music around it is kept; the introduction's is in step already.
  if (inStepCosts.loop <= 0) return true;
  std::string own = EncodePart(audio, LoopPlan(loop, audio.Frames(), context), loopSettings).stream;
  if (EstimateSeamCosts(audio, loop, streams.intro, own).Worst() < inStepCosts.Worst()) streams.loop = std::move(own);
  return true;
}
