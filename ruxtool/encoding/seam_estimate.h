// What each seam of a loop's parts costs, measured as make's proof measures it but from the frames
// near each seam alone: the parts decoded with vorbisfile, the loop part's end reached by seeking.
// Cheap enough to choose between ways of encoding the loop part before the proof plays the chosen
// one whole through rux2's exports.
#pragma once

#include <string>

#include "audio_files/pcm_audio.h"

struct SeamCosts {
  // dB the seam is worse than the music around it; minus infinity where the parts are too short to
  // measure it, infinity where a part cannot be decoded.
  double intro;  // the introduction's into the loop part (minus infinity for a single stream)
  double loop;   // the loop part's, or a single stream's, into itself
  double Worst() const { return intro > loop ? intro : loop; }
};

SeamCosts EstimateSeamCosts(const PcmAudio& audio, LoopPoints loop, const std::string& intro,
                            const std::string& loopPart);
