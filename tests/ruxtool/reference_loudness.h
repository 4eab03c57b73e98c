// A loudness meter of the tests' own, independent of libebur128, to check what make's outputs measure:
// ITU-R BS.1770-4's K-weighting with the coefficients the standard gives for 48 kHz, 400 ms blocks
// every 100 ms, EBU R128's gates (-70 LUFS, then 10 LU below the loudness of the blocks above that),
// and the true peak at four times the sample rate.
#pragma once

#include <string>

struct ReferenceLoudness {
  double lufs = 0;
  double truePeakDb = 0;
};

// pcm: interleaved little-endian 16-bit samples, as decoders deliver them, of 1 or 2 channels (each
// weighted 1, as the front speakers are) at 48000 Hz.
ReferenceLoudness MeasureReferenceLoudness(const std::string& pcm, int channels);
