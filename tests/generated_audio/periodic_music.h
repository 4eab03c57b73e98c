// Music that repeats at every period of its own, as chiptunes, pads and drones do: a loop of whole
// periods is seamless, and so is one a period longer or shorter.
#pragma once

#include "audio_files/pcm_audio.h"

enum class PeriodicMusic {
  // A sine tone in each channel, 300 Hz on the left and 450 Hz on the right: the pair repeats every
  // 1/150 s, 294 frames at 44100 Hz.
  kSteadyTones,
  // A phrase of six square-wave notes, a quarter of a second each, played over and over.
  kSquareWavePhrase,
  // Three low tones (55, 110 and 165 Hz), one of them beating against its neighbour once every 3 s,
  // and a swell every 1.5 s.
  kDrone,
};

// seconds of the music at rate, in stereo.
PcmAudio MakePeriodicMusic(PeriodicMusic music, long rate, double seconds);
