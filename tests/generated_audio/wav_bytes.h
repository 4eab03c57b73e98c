// WAV files of every format make reads, written by the tests independently of ruxtool's reader.
#pragma once

#include <string>
#include <vector>

#include "audio_files/pcm_audio.h"

struct WavShape {
  const char* name;
  int bits;
  bool isFloat;
  bool extensible;  // WAVE_FORMAT_EXTENSIBLE with the subformat's GUID
  int channels;
  long rate;
};

// samples: interleaved, in WAV channel order, within -1..1. loop, when given, goes into a smpl chunk.
std::string WavBytes(const WavShape& shape, const std::vector<float>& samples, const LoopPoints* loop = nullptr);
