// 16-bit PCM WAV files: what decode writes, the sample phrase with its loop, and the report's excerpts.
#pragma once

#include <cstdint>
#include <cstdio>
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

// A 16-bit PCM WAV file written as its samples come, so that a long playback is never held whole;
// its sizes are filled in at the end.
class WavFileWriter {
 public:
  WavFileWriter(const std::string& path, int channels, unsigned long rate);
  ~WavFileWriter();
  WavFileWriter(const WavFileWriter&) = delete;
  WavFileWriter& operator=(const WavFileWriter&) = delete;
  // False when the file cannot be written, or would pass the 4 GiB that a WAV file's sizes can count.
  bool Append(const char* pcm, size_t bytes);
  // Fills in the sizes and closes the file; false when it could not be written whole.
  bool Finish();
  uint64_t DataBytes() const { return dataBytes_; }
  bool TooLong() const { return tooLong_; }

 private:
  std::FILE* file_;
  bool written_ = false;  // every byte so far
  int channels_;
  unsigned long rate_;
  uint64_t dataBytes_ = 0;
  bool tooLong_ = false;
};
