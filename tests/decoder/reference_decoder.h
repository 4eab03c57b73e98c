// The reference decode the DLL is compared with: vorbisfile's synthesis of the stream, converted to
// 16 bits by truncation and clamping, written here independently of the DLL.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "test_streams.h"

struct ReferencePcm {
  int channels = 0;
  long rate = 0;
  std::string pcm;  // interleaved little-endian 16-bit samples

  long Frames() const { return channels ? static_cast<long>(pcm.size()) / (2 * channels) : 0; }
};

// The first logical stream of an Ogg Vorbis image; empty when it cannot be opened.
ReferencePcm DecodeReference(const std::string& stream);
// The reference of a test stream, decoded once.
const ReferencePcm& Reference(const TestStream& stream);

// Whether delivered PCM equals a reference sample for sample; names the first sample that differs.
testing::AssertionResult SamePcm(const std::string& delivered, const std::string& expected);
