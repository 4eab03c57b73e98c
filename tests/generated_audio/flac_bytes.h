// FLAC files written by the tests through libFLAC's encoder, with Vorbis comments, independently of
// ruxtool's reader.
#pragma once

#include <string>
#include <vector>

// samples: interleaved, in FLAC's (WAV's) channel order, within -1..1, coded with bits (16 or 24).
// comments: "NAME=value".
std::string FlacBytes(int channels, long rate, int bits, const std::vector<float>& samples,
                      const std::vector<std::string>& comments);
