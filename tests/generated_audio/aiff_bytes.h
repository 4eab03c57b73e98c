// AIFF files of 16-bit PCM with a sustain loop, written by the tests independently of libsndfile: the
// loop as composers' audio programs export it, an INST chunk naming two markers of a MARK chunk.
#pragma once

#include <string>
#include <vector>

#include "audio_files/pcm_audio.h"

// samples: interleaved, within -1..1. loop, when given, is the sustain loop: frames [start, end), its
// markers at the positions start and end (a marker lies before the frame of its position).
std::string AiffBytes(int channels, long rate, const std::vector<float>& samples, const LoopPoints* loop = nullptr);
