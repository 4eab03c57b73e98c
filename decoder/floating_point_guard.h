// FloatingPointGuard: the floating-point state the library decodes in, whatever the caller's.
#pragma once

#include <cstdint>

// While it lives, the x87 and SSE control words hold the platform's defaults (53-bit x87 precision,
// rounding to nearest, no flushing of denormals, every exception masked); afterwards the caller's own
// are back. libvorbis rounds through the SSE control word and its mathematical functions follow the x87
// one, and an engine may call with either changed (Direct3D 9 lowers the x87 precision to 24 bits
// unless told otherwise): without this, the same stream could decode differently from one call to the
// next.
class FloatingPointGuard {
 public:
  FloatingPointGuard();
  ~FloatingPointGuard();
  FloatingPointGuard(const FloatingPointGuard&) = delete;
  FloatingPointGuard& operator=(const FloatingPointGuard&) = delete;

 private:
  uint16_t callersX87Control_;
  uint32_t callersSseControl_;
};
