// ReadWav: the chunks in file order; the samples converted block by block, so that a long file is
// never held twice.
#include "wav_reader.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "channel_order.h"

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;
// The GUID of an extensible format's subformat, after its first two bytes (the plain format tag).
constexpr unsigned char kSubformatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                              0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr uint32_t kBytesPerBlock = 1 << 20;

uint32_t LittleEndian(const unsigned char* bytes, int width) {
  uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

struct WavFormat {
  uint16_t tag = 0;  // kFormatPcm or kFormatFloat, also for an extensible format
  int channels = 0;
  uint32_t rate = 0;
  int bytesPerSample = 0;
  uint32_t blockAlign = 0;
};

bool ParseFormat(const std::vector<unsigned char>& chunk, WavFormat& format, std::string& error) {
  if (chunk.size() < 16) {
    error = "its fmt chunk is shorter than 16 bytes";
    return false;
  }
  format.tag = static_cast<uint16_t>(LittleEndian(&chunk[0], 2));
  format.channels = static_cast<int>(LittleEndian(&chunk[2], 2));
  format.rate = LittleEndian(&chunk[4], 4);
  format.blockAlign = LittleEndian(&chunk[12], 2);
  const uint32_t bits = LittleEndian(&chunk[14], 2);
  if (format.tag == kFormatExtensible) {
    if (chunk.size() < 40 || std::memcmp(&chunk[26], kSubformatTail, sizeof kSubformatTail) != 0) {
      error = "its WAVE_FORMAT_EXTENSIBLE fmt chunk names no PCM or float subformat";
      return false;
    }
    format.tag = static_cast<uint16_t>(LittleEndian(&chunk[24], 2));
  }
  if (format.tag != kFormatPcm && format.tag != kFormatFloat) {
    error = "it holds format " + std::to_string(format.tag) + ", not PCM or float samples";
    return false;
  }
  const bool bitsTaken = format.tag == kFormatFloat ? bits == 32 : bits == 8 || bits == 16 || bits == 24 || bits == 32;
  if (!bitsTaken) {
    error = "it holds " + std::to_string(bits) + "-bit " + (format.tag == kFormatFloat ? "float" : "PCM") +
            " samples; ruxtool takes 8, 16, 24 and 32-bit PCM and 32-bit float";
    return false;
  }
  if (format.channels < 1 || format.channels > 8) {
    error = "it has " + std::to_string(format.channels) + " channels; ruxtool takes 1 to 8";
    return false;
  }
  format.bytesPerSample = static_cast<int>(bits / 8);
  if (format.blockAlign != static_cast<uint32_t>(format.channels * format.bytesPerSample)) {
    error = "its block align " + std::to_string(format.blockAlign) + " does not match " +
            std::to_string(format.channels) + " channels of " + std::to_string(bits) + " bits";
    return false;
  }
  if (format.rate == 0 || format.rate > 0x7FFFFFFF) {
    error = "its sample rate of " + std::to_string(format.rate) + " Hz is none";
    return false;
  }
  return true;
}

float SampleAt(const unsigned char* bytes, const WavFormat& format) {
  switch (format.tag == kFormatFloat ? 0 : format.bytesPerSample) {
    case 0: {
      float value;
      std::memcpy(&value, bytes, sizeof value);
      return value;
    }
    case 1:
      return (bytes[0] - 128) / 128.0f;
    case 2:
      return static_cast<int16_t>(LittleEndian(bytes, 2)) / 32768.0f;
    case 3:
      return static_cast<int32_t>(LittleEndian(bytes, 3) << 8) / 2147483648.0f;
    default:
      return static_cast<float>(static_cast<int32_t>(LittleEndian(bytes, 4)) / 2147483648.0);
  }
}

// The data chunk's frames, converted to floats in Vorbis channel order.
bool ReadSamples(std::istream& file, uint32_t size, const WavFormat& format, PcmAudio& audio) {
  const int* wavChannel = WavChannelOfVorbisChannel(format.channels);
  const uint32_t blockBytes = kBytesPerBlock / format.blockAlign * format.blockAlign;
  std::vector<unsigned char> block(blockBytes);
  audio.samples.reserve(size / format.blockAlign * audio.channels);
  float values[8];
  for (uint32_t done = 0; done < size;) {
    const uint32_t count = std::min(blockBytes, size - done);
    if (!file.read(reinterpret_cast<char*>(block.data()), count)) return false;
    for (uint32_t frame = 0; frame < count; frame += format.blockAlign) {
      for (int channel = 0; channel < format.channels; ++channel) {
        values[channel] = SampleAt(&block[frame + wavChannel[channel] * format.bytesPerSample], format);
      }
      audio.AppendFrame(values, format.channels);
    }
    done += count;
  }
  return true;
}

// The first loop of a smpl chunk; its end field is the loop's last frame.
void ReadSamplerLoop(const std::vector<unsigned char>& chunk, PcmAudio& audio) {
  if (chunk.size() < 36 + 24 || LittleEndian(&chunk[28], 4) == 0) return;
  audio.loopTag = "smpl chunk";
  audio.taggedLoop.start = static_cast<long>(LittleEndian(&chunk[36 + 8], 4));
  audio.taggedLoop.end = static_cast<long>(LittleEndian(&chunk[36 + 12], 4)) + 1;
}

}  // namespace

bool ReadWav(std::istream& file, bool mixToMono, PcmAudio& audio, std::string& error) {
  const std::streamoff start = file.tellg();
  const std::streamoff fileSize = file.seekg(0, std::ios::end).tellg() - start;
  file.seekg(start + 12);
  WavFormat format;
  bool formatSeen = false, dataSeen = false;
  for (std::streamoff position = 12; position + 8 <= fileSize;) {
    unsigned char chunkHeader[8];
    file.read(reinterpret_cast<char*>(chunkHeader), 8);
    const uint32_t size = LittleEndian(chunkHeader + 4, 4);
    const std::string id(reinterpret_cast<char*>(chunkHeader), 4);
    if (position + 8 + size > fileSize) {
      error = "it is cut short: its " + id + " chunk holds " + std::to_string(size) + " bytes, the file " +
              std::to_string(fileSize - position - 8) + " more";
      return false;
    }
    if (id == "data") {
      if (!formatSeen) {
        error = "its data chunk comes before any fmt chunk";
        return false;
      }
      if (dataSeen) {
        error = "it has two data chunks";
        return false;
      }
      if (size % format.blockAlign) {
        error = "its data chunk of " + std::to_string(size) + " bytes is no whole number of " +
                std::to_string(format.blockAlign) + "-byte frames";
        return false;
      }
      audio.channels = mixToMono ? 1 : format.channels;
      if (!ReadSamples(file, size, format, audio)) {
        error = "it cannot be read";
        return false;
      }
      dataSeen = true;
    } else if (id == "fmt " || id == "smpl") {
      std::vector<unsigned char> chunk(size);
      file.read(reinterpret_cast<char*>(chunk.data()), size);
      if (id == "smpl") {
        ReadSamplerLoop(chunk, audio);
      } else if (formatSeen) {
        error = "it has two fmt chunks";
        return false;
      } else if (!ParseFormat(chunk, format, error)) {
        return false;
      }
      formatSeen = formatSeen || id == "fmt ";
    }
    // Chunks are padded to an even size.
    position += 8 + size + (size & 1);
    file.seekg(start + position);
  }
  if (!dataSeen) {
    error = formatSeen ? "it has no data chunk" : "it has no fmt chunk";
    return false;
  }
  audio.rate = static_cast<long>(format.rate);
  return true;
}
