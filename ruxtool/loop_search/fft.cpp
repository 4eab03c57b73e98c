// Fft: iterative radix-2, the bit-reversed order first; the twiddles of a size computed once in double
// and kept per thread, as the search transforms many blocks of one size.
#include "loop_search/fft.h"

#include <cmath>
#include <utility>

namespace {

// exp(-2 pi i k / size) for k below size / 2.
const std::vector<std::complex<float>>& TwiddlesFor(size_t size) {
  thread_local std::vector<std::complex<float>> twiddles;
  thread_local size_t twiddleSize = 0;
  if (twiddleSize != size) {
    twiddles.resize(size / 2);
    for (size_t k = 0; k < size / 2; ++k) {
      const double angle = -2 * 3.14159265358979323846 * static_cast<double>(k) / static_cast<double>(size);
      twiddles[k] = {static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
    }
    twiddleSize = size;
  }
  return twiddles;
}

}  // namespace

void Fft(std::vector<std::complex<float>>& data, bool inverse) {
  const size_t size = data.size();
  for (size_t i = 1, j = 0; i < size; ++i) {
    size_t bit = size >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(data[i], data[j]);
  }
  const std::vector<std::complex<float>>& twiddles = TwiddlesFor(size);
  for (size_t length = 2; length <= size; length <<= 1) {
    const size_t stride = size / length, half = length / 2;
    for (size_t start = 0; start < size; start += length) {
      for (size_t k = 0; k < half; ++k) {
        // Written out: the library's complex product checks for infinities at every call.
        const float re = twiddles[k * stride].real(), im = inverse ? -twiddles[k * stride].imag() : twiddles[k * stride].imag();
        const std::complex<float> value = data[start + k + half];
        const std::complex<float> odd(value.real() * re - value.imag() * im, value.real() * im + value.imag() * re);
        data[start + k + half] = data[start + k] - odd;
        data[start + k] += odd;
      }
    }
  }
}

size_t PowerOfTwoAtLeast(size_t count) {
  size_t power = 1;
  while (power < count) power <<= 1;
  return power;
}
