// A repeat settled on the waveform itself: its lag to the frame, and where a loop of that lag best
// starts.
#pragma once

#include <vector>

struct LagMatch {
  long lag = 0;
  double correlation = 0;  // normalised, up to 1
};

// The lag within reach frames of approximate at which mono's frames [from, from + length) best match
// those a lag later. The frames reached must lie in mono.
LagMatch SettleLag(const std::vector<float>& mono, long from, long length, long approximate, long reach);

struct SeamPlace {
  long start = 0;
  double mismatch = 1;  // the energy of the difference over that of both, 0 for a perfect seam
};

// The frame in [from, to) where the window around it best matches the window a lag later: a loop
// that starts there and is lag frames long meets its start again where the music is most alike.
// meanPower: of the whole song's frames, against which a window counts as quiet.
SeamPlace PlaceSeam(const std::vector<float>& mono, long lag, long from, long to, long window, double meanPower);

// The mean of the squares of the frames.
double MeanPower(const std::vector<float>& mono);
