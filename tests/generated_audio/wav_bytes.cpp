// WavBytes: the chunks as the RIFF format lays them out; integer samples scaled by 2^(bits-1) and
// clamped, 8-bit ones offset by 128.
#include "wav_bytes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

void Put(std::string& bytes, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes += static_cast<char>(value >> (8 * i));
}

std::string Chunk(const char* id, const std::string& body) {
  std::string chunk = id;
  Put(chunk, static_cast<uint32_t>(body.size()), 4);
  return chunk + body + (body.size() % 2 ? std::string(1, '\0') : std::string());
}

std::string FormatChunk(const WavShape& shape) {
  const int blockAlign = shape.channels * shape.bits / 8;
  std::string body;
  Put(body, shape.extensible ? 0xFFFE : shape.isFloat ? 3 : 1, 2);
  Put(body, shape.channels, 2);
  Put(body, static_cast<uint32_t>(shape.rate), 4);
  Put(body, static_cast<uint32_t>(shape.rate * blockAlign), 4);
  Put(body, blockAlign, 2);
  Put(body, shape.bits, 2);
  if (shape.extensible) {
    static const uint32_t kMasks[] = {0x4, 0x3, 0x7, 0x33, 0x37, 0x3F, 0x70F, 0x63F};
    Put(body, 22, 2);
    Put(body, shape.bits, 2);
    Put(body, kMasks[shape.channels - 1], 4);
    Put(body, shape.isFloat ? 3 : 1, 2);
    body.append("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
  }
  return Chunk("fmt ", body);
}

std::string Sample(const WavShape& shape, float value) {
  std::string bytes;
  if (shape.isFloat) {
    bytes.resize(4);
    std::memcpy(&bytes[0], &value, 4);
    return bytes;
  }
  const double scale = std::ldexp(1.0, shape.bits - 1);
  const long long integer = std::clamp<long long>(std::llround(value * scale), static_cast<long long>(-scale),
                                                  static_cast<long long>(scale) - 1);
  Put(bytes, static_cast<uint32_t>(shape.bits == 8 ? integer + 128 : integer), shape.bits / 8);
  return bytes;
}

std::string SamplerChunk(const LoopPoints& loop) {
  std::string body;
  for (uint32_t field : {0u, 0u, 22676u, 60u, 0u, 0u, 0u, 1u, 0u}) Put(body, field, 4);
  for (uint32_t field : {0u, 0u, static_cast<uint32_t>(loop.start), static_cast<uint32_t>(loop.end - 1), 0u, 0u}) {
    Put(body, field, 4);
  }
  return Chunk("smpl", body);
}

}  // namespace

std::string WavBytes(const WavShape& shape, const std::vector<float>& samples, const LoopPoints* loop) {
  std::string data;
  for (float value : samples) data += Sample(shape, value);
  const std::string body = "WAVE" + FormatChunk(shape) + (loop ? SamplerChunk(*loop) : "") + Chunk("data", data);
  std::string file = "RIFF";
  Put(file, static_cast<uint32_t>(body.size()), 4);
  return file + body;
}
