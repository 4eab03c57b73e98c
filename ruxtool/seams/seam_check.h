// make's proof that its streams play as the input does: they are played through rux2's exports, as
// the engine plays them, and each seam is measured against the input.
#pragma once

#include <string>
#include <vector>

#include "audio_files/pcm_audio.h"
#include "rux2_library/rux2_exports.h"
#include "seams/playback_listener.h"
#include "seams/seam_measure.h"
#include "seams/wrap_measure.h"

struct SeamResult {
  const char* name;
  long frame;  // where in the playback the seam lies
  SeamError error;
};

struct SeamCheck {
  std::string problem;  // empty when the streams played with the input's format and lengths
  long playedFrames = 0;
  long expectedFrames = 0;
  std::vector<SeamResult> seams;
  WrapFigures wrap;  // of the loop part's, or the single stream's, end into its start
};

// Plays the introduction, then the loop part twice; or, with no introduction, the loop part (a single
// stream, which may begin with a header) twice. audio: what they should play; loop: where the parts lie
// in it; crossfade: the sides of the crossfade baked into the loop part's last frames, if any. listener,
// when given, hears all that plays.
SeamCheck CheckSeams(const Rux2Exports& rux, const PcmAudio& audio, LoopPoints loop, const std::string& intro,
                     const std::string& loopPart, const CrossfadeSides& crossfade = CrossfadeSides(),
                     PlaybackListener* listener = nullptr);
// The parts' headers read as CheckSeams reads them, with their format and length checked, and nothing
// played: for streams whose audio pages are those CheckSeams played. Empty, or the problem.
std::string CheckHeaders(const Rux2Exports& rux, const PcmAudio& audio, LoopPoints loop, const std::string& intro,
                         const std::string& loopPart);
