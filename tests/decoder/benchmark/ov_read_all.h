// A whole stream image decoded with libvorbisfile's ov_read to 16-bit PCM, as a game would decode it
// without this library: in the benchmark over the build's libvorbis, and in ov_read_x87.dll over one
// built for the x87 unit.
#pragma once

#include <cstdint>
#include <string>

// Returns the samples decoded, over all channels.
extern "C" uint64_t ReadAllWithOvRead(const std::string* image);
using ReadAllFunction = uint64_t (*)(const std::string* image);
