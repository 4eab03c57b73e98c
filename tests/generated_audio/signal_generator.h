// Signals to encode: a tone per channel with a slow sweep and a little noise, and every second a
// short full-scale square burst whose decoded samples go past the 16-bit range.
#pragma once

#include <vector>

// Interleaved frames; the same arguments always give the same signal, other seeds other tones.
std::vector<float> MakeSignal(int channels, long rate, long frames, unsigned seed);
