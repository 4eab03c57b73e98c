// vorbisfile over the bytes of a string, seekable, for the reference decode and the benchmark.
#pragma once

#include <vorbis/vorbisfile.h>

#include <cstddef>
#include <string>

struct StringSource {
  const std::string& bytes;
  size_t position = 0;
};

// Opens file over source, which must outlive it; 0 on success, as ov_open_callbacks returns.
int OpenStringSource(StringSource& source, OggVorbis_File& file);
