// WriteWavFile and WavFileWriter: a RIFF header with a "fmt " chunk, a "smpl" chunk when there is a
// loop, a "data" chunk, then the samples.
#include "audio_files/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "system/file_access.h"

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

// The RIFF header, the "fmt " chunk, any chunks between and the "data" chunk's header.
std::string WavHeader(int channels, unsigned long rate, uint32_t dataSize, const std::string& chunks) {
  const uint32_t blockAlign = 2 * channels;
  std::string header = "RIFF";
  PutLittleEndian(header, static_cast<uint32_t>(36 + chunks.size()) + dataSize, 4);
  header += "WAVEfmt ";
  PutLittleEndian(header, 16, 4);
  PutLittleEndian(header, 1, 2);
  PutLittleEndian(header, channels, 2);
  PutLittleEndian(header, rate, 4);
  PutLittleEndian(header, rate * blockAlign, 4);
  PutLittleEndian(header, blockAlign, 2);
  PutLittleEndian(header, 16, 2);
  header += chunks + "data";
  PutLittleEndian(header, dataSize, 4);
  return header;
}

}  // namespace

bool WriteWavFile(const std::string& path, int channels, unsigned long rate, const std::string& pcm,
                  const LoopPoints* loop) {
  const std::string header =
      WavHeader(channels, rate, static_cast<uint32_t>(pcm.size()), loop ? SamplerChunk(rate, *loop) : std::string());
  std::FILE* file = OpenFileStream(path, "wb");
  if (!file) return false;
  const bool written = std::fwrite(header.data(), 1, header.size(), file) == header.size() &&
                       std::fwrite(pcm.data(), 1, pcm.size(), file) == pcm.size();
  return std::fclose(file) == 0 && written;
}

WavFileWriter::WavFileWriter(const std::string& path, int channels, unsigned long rate)
    : file_(OpenFileStream(path, "wb")), channels_(channels), rate_(rate) {
  const std::string header = WavHeader(channels, rate, 0, {});
  written_ = file_ && std::fwrite(header.data(), 1, header.size(), file_) == header.size();
}

WavFileWriter::~WavFileWriter() {
  if (file_) std::fclose(file_);
}

bool WavFileWriter::Append(const char* pcm, size_t bytes) {
  // The RIFF size counts the header's 36 bytes too.
  tooLong_ = tooLong_ || dataBytes_ + bytes > UINT32_MAX - 36;
  if (tooLong_ || !written_) return false;
  written_ = std::fwrite(pcm, 1, bytes, file_) == bytes;
  dataBytes_ += bytes;
  return written_;
}

bool WavFileWriter::Finish() {
  const std::string header = WavHeader(channels_, rate_, static_cast<uint32_t>(dataBytes_), {});
  written_ = written_ && std::fseek(file_, 0, SEEK_SET) == 0 &&
             std::fwrite(header.data(), 1, header.size(), file_) == header.size();
  const bool closed = file_ && std::fclose(file_) == 0;
  file_ = nullptr;
  return !tooLong_ && written_ && closed;
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

std::string WavFileBytes(int channels, unsigned long rate, const std::string& pcm) {
  return WavHeader(channels, rate, static_cast<uint32_t>(pcm.size()), {}) + pcm;
}
