// ChooseGain and LevelLoudness: decibels of loudness and of true peak move together under one gain.
#include "loudness/loudness_gain.h"

#include <cmath>
#include <cstdio>

LoudnessLevel ChooseGain(const Loudness& measured, const LoudnessTarget& target) {
  LoudnessLevel level{measured, target.lufs - measured.lufs, false};
  if (measured.truePeakDb + level.gainDb > target.truePeakCeilingDb) {
    level.gainDb = target.truePeakCeilingDb - measured.truePeakDb;
    level.heldByTruePeak = true;
  }
  return level;
}

bool LevelLoudness(const LoudnessTarget& target, long heardFrames, PcmAudio& audio, LoudnessLevel& level,
                   std::string& error) {
  Loudness measured;
  if (!MeasureLoudness(audio, heardFrames, measured)) {
    error = "libebur128 cannot measure " + std::to_string(audio.channels) + " channels at " +
            std::to_string(audio.rate) + " Hz";
    return false;
  }
  if (!std::isfinite(measured.lufs)) {
    // The meter's blocks are 400 ms long: a shorter sound fills none.
    const bool tooShort = heardFrames < audio.rate * 4 / 10;
    char lufs[16];
    std::snprintf(lufs, sizeof lufs, "%.1f", target.lufs);
    error = std::string("what the player hears first is ") +
            (tooShort ? "shorter than the meter's block of 400 ms" : "below the meter's gate of -70 LUFS") +
            ": no gain brings it to " + lufs + " LUFS";
    return false;
  }
  level = ChooseGain(measured, target);
  const float factor = static_cast<float>(std::pow(10.0, level.gainDb / 20));
  for (float& sample : audio.samples) sample *= factor;
  return true;
}
