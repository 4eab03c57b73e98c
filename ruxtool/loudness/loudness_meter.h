// Loudness as ITU-R BS.1770 measures it, through libebur128: the integrated loudness with EBU R128's
// gates, and the true peak.
#pragma once

#include "audio_files/pcm_audio.h"

struct Loudness {
  double lufs = 0;        // -infinity where every block falls below the absolute gate of -70 LUFS
  double truePeakDb = 0;  // dBTP: the highest peak between the samples too, in dB of full scale
};

// The frames [0, frames) of audio, its channels in Vorbis order and weighted as BS.1770 weighs their
// speakers. False when libebur128 cannot measure audio of its channels and rate.
bool MeasureLoudness(const PcmAudio& audio, long frames, Loudness& loudness);
