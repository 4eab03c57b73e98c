// EncodeLoopStreams: each part encoded with the context its plan gives it.
#include "loop_streams.h"

#include "part_encoder.h"
#include "part_plan.h"

bool EncodeLoopStreams(const PcmAudio& audio, LoopPoints loop, const VorbisSettings& settings, LoopStreams& streams) {
  const long context = ContextFrames(settings);
  if (context == 0) return false;
  VorbisSettings part = settings;
  if (loop.start > 0) {
    streams.intro = EncodePart(audio, IntroPlan(loop, audio.Frames(), context), part);
    ++part.serial;
  }
  streams.loop = EncodePart(audio, LoopPlan(loop, audio.Frames(), context), part);
  return true;
}
