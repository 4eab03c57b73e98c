// 16-bit PCM WAV files.
#pragma once

#include <string>

// pcm: interleaved little-endian 16-bit samples. False when the file cannot be written.
bool WriteWavFile(const std::string& path, int channels, unsigned long rate, const std::string& pcm);
