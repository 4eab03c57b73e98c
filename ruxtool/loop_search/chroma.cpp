// ChromaMeter: each FFT bin's power added to the pitch class nearest its frequency.
#include "loop_search/chroma.h"

#include <algorithm>
#include <cmath>

#include "loop_search/fft.h"

namespace {

constexpr double kLowestHertz = 55;
constexpr double kHighestHertz = 2000;

}  // namespace

ChromaMeter::ChromaMeter(const ThinnedSong& song, long size)
    : song_(song), spectrum_(PowerOfTwoAtLeast(static_cast<size_t>(size))) {
  const double binHertz = static_cast<double>(song.Rate()) / spectrum_.size();
  for (size_t bin = 0; bin < spectrum_.size() / 2; ++bin) {
    const double hertz = bin * binHertz;
    if (hertz < kLowestHertz || hertz > kHighestHertz) {
      pitchClass_.push_back(-1);
      continue;
    }
    // MIDI note 69 is A at 440 Hz; note 0 is a C.
    const long note = std::lround(69 + 12 * std::log2(hertz / 440));
    pitchClass_.push_back(static_cast<int>(note % 12));
  }
}

Chroma ChromaMeter::At(long first, long count) const {
  std::fill(spectrum_.begin(), spectrum_.end(), std::complex<float>());
  count = std::min<long>(count, static_cast<long>(spectrum_.size()));
  for (long i = 0; i < count; ++i) {
    const double hann = 0.5 - 0.5 * std::cos(2 * 3.14159265358979 * (i + 0.5) / count);
    spectrum_[i] = static_cast<float>(song_.At(first + i) * hann);
  }
  Fft(spectrum_);
  std::array<double, 12> power{};
  for (size_t bin = 0; bin < pitchClass_.size(); ++bin) {
    if (pitchClass_[bin] >= 0) power[pitchClass_[bin]] += std::norm(spectrum_[bin]);
  }
  double length = 0;
  for (double& value : power) {
    value = std::sqrt(value);
    length += value * value;
  }
  Chroma chroma{};
  length = std::sqrt(length);
  if (length <= 1e-9) return chroma;
  for (int pitch = 0; pitch < 12; ++pitch) chroma[pitch] = static_cast<float>(power[pitch] / length);
  return chroma;
}

double ChromaMeter::Distance(const Chroma& a, const Chroma& b) {
  double cosine = 0;
  for (int pitch = 0; pitch < 12; ++pitch) cosine += a[pitch] * b[pitch];
  return 1 - cosine;
}
