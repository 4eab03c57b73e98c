// A loop's wrap made a crossfade in the audio itself, before it is encoded: over the loop part's last
// frames the music going out fades out as the music coming in fades in, and the crossfade ends where
// the loop's music goes on as the input does, so that the engine plays the parts as it always has.
#pragma once

#include "audio_files/pcm_audio.h"
#include "seams/wrap_measure.h"

enum class CrossfadeCurve {
  kEqualGain,   // gains that sum to one: even where the two sides are alike, 3 dB down where unrelated
  kEqualPower,  // squared gains that sum to one: even where unrelated, 3 dB up where alike, down where
                // they cancel
  kWeighted,    // equal power, each moment's gains corrected by how alike the two sides are there
};

struct CrossfadePlan {
  long frames = 0;  // 0: no crossfade
  long asked = 0;   // the length asked for, more than frames where the input holds too little
  // The loop as the parts play it: the loop moved later by as much of the crossfade as the input goes
  // on past its end. The crossfade is its last frames: the input's frames there fade out as the frames
  // before its start fade in, so that its end plays on into its start as the input does.
  LoopPoints parts;

  long OutFirst() const { return parts.end - frames; }
  long InFirst() const { return parts.start - frames; }
};

// A crossfade of up to frames at the loop's wrap: the music that follows the loop's end in the input
// fades out where there is some, else the loop's own end. Shortened to the frames the input holds
// before the loop's start where that is all the lead-in there is.
CrossfadePlan PlanCrossfade(LoopPoints loop, long inputFrames, long frames);

// The crossfade of frames interleaved frames out (fading out) and in (fading in) into mixed, which may
// be out itself. rate: the audio's, for how long a moment is.
void MixCrossfade(const float* out, const float* in, long frames, int channels, long rate, CrossfadeCurve curve,
                  float* mixed);

// The two sides of the plan's crossfade in audio, before they are mixed.
CrossfadeSides SidesOf(const CrossfadePlan& plan, const PcmAudio& audio);

// The plan's crossfade, if any, mixed into audio, which is then cut at the parts' loop's end: what
// follows is the loop's start, not the input past it, which no longer goes on from the crossfade.
void BakeCrossfade(const CrossfadePlan& plan, CrossfadeCurve curve, PcmAudio& audio);
