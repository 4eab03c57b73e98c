// How a stream's wrap sounds beside the rest of it: how abrupt it is (a click), how far its level dips,
// and its level over the seconds around it. Abruptness is the largest second difference of the 10 ms
// around a moment against the level of the 50 ms around it, compared with the song's own moments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Per 10 ms block of frames fed in order: the largest second difference of any channel, and the energy,
// in whole numbers of the 16-bit samples, which the compiler sums several at a time.
class BlockStats {
 public:
  BlockStats(int channels, long rate);
  // frames: interleaved 16-bit samples.
  void Add(const int16_t* frames, long count);
  // A moment's abruptness: the largest second difference of block b over the root mean square of the
  // blocks b - 2 to b + 2, which must have been fed, floored at -60 dBFS so that silence keeps it
  // finite and a click in silence counts.
  double Abruptness(long block) const;
  long Blocks() const { return static_cast<long>(energy_.size()); }
  long BlockFrames() const { return block_; }

 private:
  void AddToBlock(const int16_t* samples, long from, long to);

  const int channels_;
  const long block_;
  long fed_ = 0;
  std::vector<int16_t> samples_;  // the two frames fed last, then those being fed
  std::vector<int32_t> largestDifference_;
  std::vector<int64_t> energy_;
};

// What the song's moments say of a figure: the share of them, in percent, that are less abrupt.
double PercentileAmong(const BlockStats& song, double abruptness);

// A stretch of what played: interleaved 16-bit samples from the playback's frame first on.
struct Excerpt {
  long first = 0;
  std::string pcm;
  long Frames(int channels) const { return static_cast<long>(pcm.size() / (2 * static_cast<size_t>(channels))); }
  const int16_t* At(long frame, int channels) const {
    return reinterpret_cast<const int16_t*>(pcm.data()) + (frame - first) * channels;
  }
};

// The abruptness of the 10 ms centred on the playback's frame, as BlockStats measures the song's.
double AbruptnessAt(const Excerpt& excerpt, int channels, long rate, long frame);
// How many dB the 400 ms around the frame lie below the median of the 400 ms windows every 100 ms in
// the 3 s either side, those that overlap it left out; 0 where none fits.
double LevelDipAt(const Excerpt& excerpt, int channels, long rate, long frame);

// The level in dBFS of 20 ms windows every 10 ms, centred from seconds before the frame to seconds
// after it, as far as the excerpt reaches; first: the offset from the frame of the first window's
// centre, in frames.
struct LevelCurve {
  long first = 0;
  long hop = 0;
  std::vector<double> decibels;
};
LevelCurve LevelAround(const Excerpt& excerpt, int channels, long rate, long frame, double seconds);
