// A repeat settled on the waveform itself: its lag to the frame, and where a loop of that lag best
// starts.
#pragma once

#include <vector>

struct LagMatch {
  long lag = 0;
  double correlation = 0;  // normalised, up to 1
};

// The normalised correlation of mono's frames [from, from + length) with those a lag later, for each
// lag from approximate - reach to approximate + reach. The frames reached must lie in mono.
std::vector<double> LagCorrelations(const std::vector<float>& mono, long from, long length, long approximate,
                                    long reach);

// The lag within reach frames of approximate at which mono's frames [from, from + length) best match
// those a lag later. The frames reached must lie in mono.
LagMatch SettleLag(const std::vector<float>& mono, long from, long length, long approximate, long reach);

// The normalised correlation of mono's frames [first, first + length) with those lag frames later,
// which must lie in mono.
double Correlation(const std::vector<float>& mono, long first, long lag, long length);

// Whether mono's frames [first, first + length) are heard again as a copy match.lag frames later, as
// a rendered section written out again is, rather than as music that is only alike.
bool IsCopy(const std::vector<float>& mono, long first, const LagMatch& match, long length);

// As IsCopy, but the frames compared step frames at a time, each step whatever its level on either
// side: a copy that fades out, or in, is one too. correlation: the steps' correlations, each weighted
// by the energy of the earlier frames.
bool IsCopyAtAnyLevel(const std::vector<float>& mono, long first, long lag, long length, long step, double& correlation);

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
