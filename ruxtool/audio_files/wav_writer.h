// 16-bit PCM WAV files: what decode writes, the sample phrase with its loop, and the report's excerpts.
#pragma once

#include <string>

#include "audio_files/pcm_audio.h"

// pcm: interleaved little-endian 16-bit samples. loop, when given, goes into a smpl chunk. False when
// the file cannot be written.
bool WriteWavFile(const std::string& path, int channels, unsigned long rate, const std::string& pcm,
                  const LoopPoints* loop = nullptr);
// The bytes of such a file without a loop.
std::string WavFileBytes(int channels, unsigned long rate, const std::string& pcm);
// Samples within -1..1 as 16-bit PCM, rounded.
std::string Pcm16(const std::vector<float>& samples);
