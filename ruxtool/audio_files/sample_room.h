// Whether an input fits in this process's memory: the one check of both readers as they grow an
// input's samples, and the memory a job takes to make an input, known from its header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The bytes making an input of frames and channels takes at its peak: its samples as float, the
// one-channel copy that the loop search and the loop check take with their working buffers, and the
// encoder's streams.
uint64_t MemoryToMake(int64_t frames, int channels);

// "880.0 MiB".
std::string MebibytesText(uint64_t bytes);

// Samples appended as a file is read. The count its header or last granule declares is reserved only
// where it fits, as a damaged file may declare more than it holds; past what the process can hold the
// reading stops with a reason rather than an exception.
class SampleRoom {
 public:
  SampleRoom(std::vector<float>& samples, int64_t declaredFrames, int channels);
  // False, with the reason in error, when more samples would not fit.
  bool Take(int64_t more, std::string& error) const;

 private:
  const std::vector<float>& samples_;
  uint64_t limit_;
  std::string problem_;  // why the samples cannot be held at all
};
