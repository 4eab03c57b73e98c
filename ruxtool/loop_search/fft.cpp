// Fft: iterative radix-2, the bit-reversed order first, the twiddles of each stage in double.
#include "loop_search/fft.h"

#include <cmath>
#include <utility>

void Fft(std::vector<std::complex<float>>& data, bool inverse) {
  const size_t size = data.size();
  for (size_t i = 1, j = 0; i < size; ++i) {
    size_t bit = size >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(data[i], data[j]);
  }
  const double sign = inverse ? 1.0 : -1.0;
  for (size_t length = 2; length <= size; length <<= 1) {
    const double angle = sign * 2 * 3.14159265358979323846 / static_cast<double>(length);
    const std::complex<double> step(std::cos(angle), std::sin(angle));
    for (size_t start = 0; start < size; start += length) {
      std::complex<double> twiddle(1.0, 0.0);
      for (size_t k = 0; k < length / 2; ++k) {
        const std::complex<float> odd = data[start + k + length / 2] * std::complex<float>(twiddle);
        data[start + k + length / 2] = data[start + k] - odd;
        data[start + k] += odd;
        twiddle *= step;
      }
    }
  }
}

size_t PowerOfTwoAtLeast(size_t count) {
  size_t power = 1;
  while (power < count) power <<= 1;
  return power;
}
