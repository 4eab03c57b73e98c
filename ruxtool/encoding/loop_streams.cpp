// MakeLoopStreams: each part encoded with the context its plan gives it; the loop part in two ways, the
// introduction's end in two.
//
// A sound is encoded as finely as the encoder's blocks happen to meet it, by a decibel or so either
// way, and an attack pins the blocks around it where it falls. The loop part is first encoded after
// the introduction's last seconds, fed from where its blocks fall on the introduction's: its first
// packets are then those of a stream that went on from the introduction into the loop, and the
// introduction's seam plays as in such a stream. Its start then meets the loop's end otherwise than
// a stream that went on from the loop's end would, and the loop part encoded after the loop's end
// meets it as such a stream does. The first is kept where its loop's seam plays no worse than the
// music around it; else the second is made too, and the one whose worse seam costs less kept. Then
// the introduction ended as a part encoded alone ends, in short blocks that owe nothing to the loop's
// start, is weighed against the one that sees it, and the one whose seam costs less kept. Seams are
// measured from the frames near them.
#include "encoding/loop_streams.h"

#include <string>
#include <utility>

#include "encoding/intro_ending.h"
#include "encoding/part_encoder.h"
#include "encoding/part_plan.h"
#include "encoding/seam_estimate.h"

namespace {

// The loop part after the introduction or after the loop's end, and the costs of its seams with the
// introduction.
SeamCosts MakeLoopPart(const PcmAudio& audio, LoopPoints loop, const VorbisSettings& settings,
                       const PartPackets& intro, LoopStreams& streams) {
  const PartContext context = ContextFor(settings);
  VorbisSettings loopSettings = settings;
  ++loopSettings.serial;
  const long introFrom = AlignedStart(intro.audio, loop.start - context.before);
  streams.loop = EncodePart(audio, LoopPlanAfterIntro(loop, audio.Frames(), context, introFrom), loopSettings);
  const SeamCosts afterIntro = EstimateSeamCosts(audio, loop, streams.intro, streams.loop);
  // A loop's seam no worse than the music around it is kept.
  if (afterIntro.loop <= 0) return afterIntro;
  std::string afterLoop = EncodePart(audio, LoopPlan(loop, audio.Frames(), context), loopSettings);
  const SeamCosts afterLoopCosts = EstimateSeamCosts(audio, loop, streams.intro, afterLoop);
  if (afterLoopCosts.Worst() >= afterIntro.Worst()) return afterIntro;
  streams.loop = std::move(afterLoop);
  return afterLoopCosts;
}

}  // namespace

bool MakeLoopStreams(const PcmAudio& audio, LoopPoints loop, const VorbisSettings& settings, LoopStreams& streams) {
  const PartContext context = ContextFor(settings);
  if (context.after == 0) return false;
  if (loop.start == 0) {
    streams.loop = EncodePart(audio, LoopPlan(loop, audio.Frames(), context), settings);
    return true;
  }
  const PartPlan introPlan = IntroPlan(loop, audio.Frames(), context);
  const PartPackets intro = EncodePackets(audio, introPlan, settings);
  streams.intro = LayPart(intro, introPlan, settings.serial);
  const SeamCosts costs = MakeLoopPart(audio, loop, settings, intro, streams);
  // Weighed whatever the introduction's seam costs: the other ending is two seconds of encoding.
  std::string endedAlone = IntroEndedAlone(audio, loop, settings, intro);
  if (!endedAlone.empty() && EstimateSeamCosts(audio, loop, endedAlone, streams.loop).intro < costs.intro) {
    streams.intro = std::move(endedAlone);
  }
  return true;
}
