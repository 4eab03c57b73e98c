// The discrete Fourier transform of a power-of-two number of samples, for the loop search.
#pragma once

#include <complex>
#include <vector>

// In place; data.size() must be a power of two. inverse: the inverse transform, unscaled.
void Fft(std::vector<std::complex<float>>& data, bool inverse = false);
// The least power of two at or above count.
size_t PowerOfTwoAtLeast(size_t count);
