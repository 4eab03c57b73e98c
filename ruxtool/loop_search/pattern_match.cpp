// FindPattern: the song thinned by averaging runs of frames, then correlated with the pattern block by
// block through the FFT (overlap-save), so that no more than a block is held beside the song.
#include "loop_search/pattern_match.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "loop_search/fft.h"
#include "loop_search/thinned_song.h"
#include "system/stop_request.h"

namespace {

// Thinned to about this many frames a second: the music's body lies below 2.5 kHz.
constexpr long kThinnedRate = 5000;

// Keeps the best match of each run at or above the threshold.
class RunPeaks {
 public:
  explicit RunPeaks(double threshold) : threshold_(threshold) {}

  void Add(long position, double correlation) {
    if (correlation < threshold_) {
      EndRun();
      return;
    }
    if (!inRun_ || correlation > best_.correlation) best_ = {position, correlation};
    inRun_ = true;
  }
  std::vector<PatternMatch> Take(size_t count) {
    EndRun();
    std::sort(peaks_.begin(), peaks_.end(),
              [](const PatternMatch& a, const PatternMatch& b) { return a.correlation > b.correlation; });
    if (peaks_.size() > count) peaks_.resize(count);
    return peaks_;
  }

 private:
  void EndRun() {
    if (inRun_) peaks_.push_back(best_);
    inRun_ = false;
  }

  const double threshold_;
  bool inRun_ = false;
  PatternMatch best_;
  std::vector<PatternMatch> peaks_;
};

}  // namespace

std::vector<PatternMatch> FindPattern(const std::vector<float>& mono, long rate, long patternFirst, long patternEnd,
                                      long searchEnd, double threshold, size_t count) {
  const ThinnedSong song(mono, rate, kThinnedRate);
  const long factor = song.Factor();
  const long first = patternFirst / factor, length = (patternEnd - patternFirst) / factor, songLength = searchEnd / factor;
  if (length < 1 || songLength < length) return {};
  const size_t block = PowerOfTwoAtLeast(static_cast<size_t>(4 * length));
  const long step = static_cast<long>(block) - length + 1;

  std::vector<std::complex<float>> pattern(block);
  double patternEnergy = 0;
  for (long i = 0; i < length; ++i) {
    pattern[i] = song.At(first + i);
    patternEnergy += std::norm(pattern[i]);
  }
  Fft(pattern);

  RunPeaks peaks(threshold);
  std::vector<std::complex<float>> product(block);
  std::vector<float> window(block);
  double windowEnergy = 0;  // of the thinned frames [start, start + length), carried from block to block
  for (long start = 0; start + length <= songLength && !StopRequested(); start += step) {
    const long available = std::min<long>(static_cast<long>(block), songLength - start);
    for (long i = 0; i < static_cast<long>(block); ++i) window[i] = i < available ? song.At(start + i) : 0.0f;
    for (size_t i = 0; i < block; ++i) product[i] = window[i];
    Fft(product);
    for (size_t i = 0; i < block; ++i) product[i] *= std::conj(pattern[i]);
    Fft(product, true);
    if (start == 0) {
      for (long i = 0; i < length; ++i) windowEnergy += static_cast<double>(window[i]) * window[i];
    }
    const long positions = std::min(step, songLength - length - start + 1);
    for (long i = 0; i < positions; ++i) {
      if (i > 0 || start > 0) {
        const double entering = window[i + length - 1], leaving = i > 0 ? window[i - 1] : song.At(start - 1);
        windowEnergy += entering * entering - leaving * leaving;
      }
      const double energies = std::sqrt(patternEnergy * std::max(windowEnergy, 0.0));
      peaks.Add((start + i) * factor, energies > 0 ? product[i].real() / static_cast<double>(block) / energies : 0);
    }
  }
  return peaks.Take(count);
}
