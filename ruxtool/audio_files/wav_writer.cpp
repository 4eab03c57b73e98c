// WriteWavFile: a RIFF header with a "fmt " chunk, a "smpl" chunk when there is a loop, a "data"
// chunk, then the samples.
#include "audio_files/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {

void PutLittleEndian(std::string& bytes, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes += static_cast<char>(value >> (8 * i));
}

// One forward loop; a smpl chunk's end field is the loop's last frame.
std::string SamplerChunk(unsigned long rate, const LoopPoints& loop) {
  std::string chunk = "smpl";
  PutLittleEndian(chunk, 36 + 24, 4);
  const uint32_t fields[] = {0, 0, static_cast<uint32_t>(1000000000.0 / rate), 60, 0, 0, 0, 1, 0,
                             0, 0, static_cast<uint32_t>(loop.start), static_cast<uint32_t>(loop.end - 1), 0, 0};
  for (uint32_t field : fields) PutLittleEndian(chunk, field, 4);
  return chunk;
}

// The RIFF header and the chunks before the samples.
std::string WavHeader(int channels, unsigned long rate, uint32_t dataSize, const LoopPoints* loop) {
  const uint32_t blockAlign = 2 * channels;
  const std::string sampler = loop ? SamplerChunk(rate, *loop) : std::string();
  std::string header = "RIFF";
  PutLittleEndian(header, static_cast<uint32_t>(36 + sampler.size()) + dataSize, 4);
  header += "WAVEfmt ";
  PutLittleEndian(header, 16, 4);
  PutLittleEndian(header, 1, 2);
  PutLittleEndian(header, channels, 2);
  PutLittleEndian(header, rate, 4);
  PutLittleEndian(header, rate * blockAlign, 4);
  PutLittleEndian(header, blockAlign, 2);
  PutLittleEndian(header, 16, 2);
  header += sampler + "data";
  PutLittleEndian(header, dataSize, 4);
  return header;
}

}  // namespace

bool WriteWavFile(const std::string& path, int channels, unsigned long rate, const std::string& pcm,
                  const LoopPoints* loop) {
  const std::string header = WavHeader(channels, rate, static_cast<uint32_t>(pcm.size()), loop);
  std::ofstream file(path, std::ios::binary);
  file.write(header.data(), static_cast<std::streamsize>(header.size()));
  file.write(pcm.data(), static_cast<std::streamsize>(pcm.size()));
  file.close();
  return static_cast<bool>(file);
}

std::string WavFileBytes(int channels, unsigned long rate, const std::string& pcm) {
  return WavHeader(channels, rate, static_cast<uint32_t>(pcm.size()), nullptr) + pcm;
}

std::string Pcm16(const std::vector<float>& samples) {
  std::string pcm;
  pcm.reserve(samples.size() * 2);
  for (float sample : samples) {
    const long value = std::clamp(std::lround(sample * 32767.0), -32768L, 32767L);
    pcm += static_cast<char>(value & 0xff);
    pcm += static_cast<char>((value >> 8) & 0xff);
  }
  return pcm;
}
