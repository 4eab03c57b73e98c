// Loudness as ITU-R BS.1770 measures it: the integrated loudness with EBU R128's gates, through
// libebur128, and the true peak.
#pragma once

#include <ebur128.h>

#include "audio_files/pcm_audio.h"
#include "loudness/true_peak_meter.h"

struct Loudness {
  double lufs = 0;        // -infinity where every block falls below the absolute gate of -70 LUFS
  double truePeakDb = 0;  // dBTP: the highest peak between the samples too, in dB of full scale
};

// Frames added a block at a time, their channels in Vorbis order and weighted as BS.1770 weighs their
// speakers.
class LoudnessMeter {
 public:
  LoudnessMeter(int channels, long rate);
  ~LoudnessMeter();
  LoudnessMeter(const LoudnessMeter&) = delete;
  LoudnessMeter& operator=(const LoudnessMeter&) = delete;

  // False when libebur128 cannot measure audio of these channels and rate; nothing else may be called
  // then.
  bool Ready() const { return state_ != nullptr; }
  // Interleaved frames that follow those added before. False when libebur128 runs out of memory.
  bool Add(const float* frames, long count);
  Loudness Result() const;

 private:
  ebur128_state* state_;
  TruePeakMeter truePeak_;
};

// The frames [0, frames) of audio. False when libebur128 cannot measure audio of its channels and rate.
bool MeasureLoudness(const PcmAudio& audio, long frames, Loudness& loudness);
