// WriteWavFile: a RIFF header with one "fmt " and one "data" chunk, then the samples.
#include "wav_file.h"

#include <cstdint>
#include <fstream>

namespace {

void PutLittleEndian(std::string& bytes, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes += static_cast<char>(value >> (8 * i));
}

}  // namespace

bool WriteWavFile(const std::string& path, int channels, unsigned long rate, const std::string& pcm) {
  const uint32_t blockAlign = 2 * channels;
  const uint32_t dataSize = static_cast<uint32_t>(pcm.size());
  std::string header = "RIFF";
  PutLittleEndian(header, 36 + dataSize, 4);
  header += "WAVEfmt ";
  PutLittleEndian(header, 16, 4);
  PutLittleEndian(header, 1, 2);
  PutLittleEndian(header, channels, 2);
  PutLittleEndian(header, rate, 4);
  PutLittleEndian(header, rate * blockAlign, 4);
  PutLittleEndian(header, blockAlign, 2);
  PutLittleEndian(header, 16, 2);
  header += "data";
  PutLittleEndian(header, dataSize, 4);
  std::ofstream file(path, std::ios::binary);
  file.write(header.data(), static_cast<std::streamsize>(header.size()));
  file.write(pcm.data(), static_cast<std::streamsize>(pcm.size()));
  file.close();
  return static_cast<bool>(file);
}
