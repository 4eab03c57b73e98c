// A linear congruential generator: the same noise on every run and every machine, for generated
// signals.
#pragma once

#include <cstdint>

class DeterministicNoise {
 public:
  explicit DeterministicNoise(unsigned seed) : state_(seed * 2654435761u + 1) {}
  // Uniform in -0.5..0.5.
  float Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<float>(state_ >> 8) / 16777216.0f - 0.5f;
  }
  // Uniform in 0..count-1.
  unsigned Below(unsigned count) { return static_cast<unsigned>((Next() + 0.5f) * count) % count; }

 private:
  uint32_t state_;
};
