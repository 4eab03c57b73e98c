// AiffBytes: the chunks as the AIFF format lays them out, big-endian, the sample rate an 80-bit
// extended float.
#include "aiff_bytes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

void Put(std::string& bytes, uint64_t value, int width) {
  for (int i = width - 1; i >= 0; --i) bytes += static_cast<char>(value >> (8 * i));
}

std::string Chunk(const char* id, const std::string& body) {
  std::string chunk = id;
  Put(chunk, body.size(), 4);
  return chunk + body + (body.size() % 2 ? std::string(1, '\0') : std::string());
}

// A whole number of hertz as an IEEE 754 extended float: sign and exponent, then a 64-bit mantissa
// with its leading one.
std::string ExtendedRate(long rate) {
  int exponent = 0;
  while ((rate >> (exponent + 1)) != 0) ++exponent;
  std::string bytes;
  Put(bytes, 16383 + exponent, 2);
  Put(bytes, static_cast<uint64_t>(rate) << (63 - exponent), 8);
  return bytes;
}

std::string CommonChunk(int channels, long rate, long frames) {
  std::string body;
  Put(body, channels, 2);
  Put(body, frames, 4);
  Put(body, 16, 2);
  return Chunk("COMM", body + ExtendedRate(rate));
}

// Markers 1 and 2, and an INST chunk whose sustain loop (forward, play mode 1) runs from one to the
// other; no release loop.
std::string LoopChunks(const LoopPoints& loop) {
  std::string markers;
  Put(markers, 2, 2);
  for (uint64_t marker : {1u, 2u}) {
    Put(markers, marker, 2);
    Put(markers, marker == 1 ? loop.start : loop.end, 4);
    markers += std::string("\x04", 1) + (marker == 1 ? "beg " : "end ") + std::string(1, '\0');
  }
  std::string instrument("\x3C\x00\x00\x7F\x00\x7F", 6);
  Put(instrument, 0, 2);
  for (uint64_t field : {1u, 1u, 2u, 0u, 0u, 0u}) Put(instrument, field, 2);
  return Chunk("MARK", markers) + Chunk("INST", instrument);
}

std::string SoundDataChunk(const std::vector<float>& samples) {
  std::string body(8, '\0');
  for (float sample : samples) {
    Put(body, static_cast<uint16_t>(std::clamp(std::lround(sample * 32768.0), -32768L, 32767L)), 2);
  }
  return Chunk("SSND", body);
}

}  // namespace

std::string AiffBytes(int channels, long rate, const std::vector<float>& samples, const LoopPoints* loop) {
  const long frames = static_cast<long>(samples.size()) / channels;
  const std::string body = "AIFF" + CommonChunk(channels, rate, frames) + (loop ? LoopChunks(*loop) : "") +
                           SoundDataChunk(samples);
  std::string file = "FORM";
  Put(file, body.size(), 4);
  return file + body;
}
