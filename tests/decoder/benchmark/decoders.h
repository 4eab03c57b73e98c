// Three ways to decode one stream image to its end, for the benchmark: through the exports as the
// engine calls them, with libvorbisfile's ov_read to 16-bit PCM (over one build of libvorbis or
// another), and libvorbis synthesis alone without any conversion (the floor the others build on).
#pragma once

#include <cstdint>
#include <string>

#include "ov_read_all.h"

struct DecodeRun {
  double seconds = 0;
  uint64_t samples = 0;  // over all channels
};

DecodeRun DecodeThroughExports(const std::string& image, uint32_t requestBytes);
// Binding, detection and closing alone: the part of the exports' time that does not grow with the
// stream.
DecodeRun OpenThroughExports(const std::string& image);
DecodeRun DecodeWithOvRead(const std::string& image, ReadAllFunction readAll);
DecodeRun SynthesisFloor(const std::string& image);
