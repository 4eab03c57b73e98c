// 16-bit PCM WAV files: what decode writes, and the sample phrase with its loop.
#pragma once

#include <string>

#include "audio_files/pcm_audio.h"

// pcm: interleaved little-endian 16-bit samples. loop, when given, goes into a smpl chunk. False when
// the file cannot be written.
bool WriteWavFile(const std::string& path, int channels, unsigned long rate, const std::string& pcm,
                  const LoopPoints* loop = nullptr);
// Samples within -1..1 as 16-bit PCM, rounded.
std::string Pcm16(const std::vector<float>& samples);
