// The one gain make puts on an input for --loudness: the same for the introduction and the loop, so that
// the seams stay as clean as without it.
#pragma once

#include <string>

#include "audio_files/pcm_audio.h"
#include "loudness/loudness_meter.h"

struct LoudnessTarget {
  double lufs = 0;                // integrated loudness
  double truePeakCeilingDb = -1;  // dBTP
};

struct LoudnessLevel {
  Loudness measured;  // of what the player hears first
  double gainDb = 0;
  bool heldByTruePeak = false;  // the gain stops short of the target, where the true peak meets the ceiling
  Loudness Result() const { return {measured.lufs + gainDb, measured.truePeakDb + gainDb}; }
};

// The gain to the target, lowered where the true peak would pass the ceiling.
LoudnessLevel ChooseGain(const Loudness& measured, const LoudnessTarget& target);
// Measures what the player hears first (the frames up to the loop's end: the introduction and one pass
// of the loop, or the whole of a single stream), then puts the gain on every frame of audio. False,
// with the reason in error, when the meter finds nothing to measure there.
bool LevelLoudness(const LoudnessTarget& target, long heardFrames, PcmAudio& audio, LoudnessLevel& level,
                   std::string& error);
