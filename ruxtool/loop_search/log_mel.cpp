// LogMel: 40 triangular bands from 40 Hz to 16 kHz (or the Nyquist frequency), on the mel scale.
#include "loop_search/log_mel.h"

#include <algorithm>
#include <cmath>

#include "loop_search/fft.h"

namespace {

constexpr int kBands = 40;
constexpr double kLowestHertz = 40;
constexpr double kHighestHertz = 16000;

double Mel(double hertz) { return 2595 * std::log10(1 + hertz / 700); }
double Hertz(double mel) { return 700 * (std::pow(10, mel / 2595) - 1); }

}  // namespace

LogMel::LogMel(const std::vector<float>& mono, long rate, long window)
    : mono_(mono), window_(window), hann_(static_cast<size_t>(window)),
      spectrum_(static_cast<size_t>(window)) {
  for (long i = 0; i < window; ++i) hann_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * 3.14159265358979 * i / window));
  const double lowest = Mel(kLowestHertz), highest = Mel(std::min(kHighestHertz, rate / 2.0));
  const double binHertz = static_cast<double>(rate) / window;
  for (int band = 0; band < kBands; ++band) {
    const double left = Hertz(lowest + (highest - lowest) * band / (kBands + 1));
    const double centre = Hertz(lowest + (highest - lowest) * (band + 1) / (kBands + 1));
    const double right = Hertz(lowest + (highest - lowest) * (band + 2) / (kBands + 1));
    const size_t first = static_cast<size_t>(std::ceil(left / binHertz));
    const size_t last = std::max(first, static_cast<size_t>(std::floor(right / binHertz)));
    std::vector<float> weights;
    for (size_t bin = first; bin <= last; ++bin) {
      const double hertz = bin * binHertz;
      const double weight = hertz <= centre ? (hertz - left) / (centre - left) : (right - hertz) / (right - centre);
      weights.push_back(static_cast<float>(std::max(weight, 0.0)));
    }
    // A band narrower than a bin at low rates still takes the bin nearest its centre.
    if (std::all_of(weights.begin(), weights.end(), [](float weight) { return weight == 0; })) {
      weights.assign(1, 1.0f);
      firstBin_.push_back(static_cast<size_t>(std::lround(centre / binHertz)));
    } else {
      firstBin_.push_back(first);
    }
    weights_.push_back(weights);
  }
}

std::vector<float> LogMel::PowersAt(long first) const {
  const long frames = static_cast<long>(mono_.size());
  for (long i = 0; i < window_; ++i) {
    const long frame = first + i;
    spectrum_[i] = frame >= 0 && frame < frames ? mono_[frame] * hann_[i] : 0.0f;
  }
  Fft(spectrum_);
  std::vector<float> powers(weights_.size());
  for (size_t band = 0; band < weights_.size(); ++band) {
    double power = 0;
    for (size_t i = 0; i < weights_[band].size(); ++i) {
      const size_t bin = std::min(firstBin_[band] + i, static_cast<size_t>(window_ / 2));
      power += weights_[band][i] * std::norm(spectrum_[bin]);
    }
    powers[band] = static_cast<float>(power);
  }
  return powers;
}

std::vector<float> LogMel::Levels(const std::vector<float>& powers, const std::vector<float>& floors) {
  std::vector<float> levels(powers.size());
  for (size_t band = 0; band < powers.size(); ++band) {
    levels[band] = static_cast<float>(10 * std::log10(std::max(powers[band], floors[band])));
  }
  return levels;
}

double LogMel::Distance(const std::vector<float>& a, const std::vector<float>& b) {
  double sum = 0;
  for (size_t band = 0; band < a.size(); ++band) sum += std::fabs(a[band] - b[band]);
  return a.empty() ? 0 : sum / static_cast<double>(a.size());
}
