// Finding a song's loop: where a section repeats, its length to the frame, and the start whose seam
// is least audible.
#pragma once

#include <vector>

#include "audio_files/pcm_audio.h"
#include "loop_search/loop_candidate.h"

struct LoopSearchOptions {
  double minimumSeconds = 3;
  size_t count = 5;
};

// mono: the song, its channels mixed. Best first; empty when nothing repeats for long enough.
std::vector<LoopCandidate> FindLoops(const std::vector<float>& mono, long rate, const LoopSearchOptions& options);

// The channels of audio mixed into one.
std::vector<float> MixToMono(const PcmAudio& audio);
