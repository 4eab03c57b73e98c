// DecodeReference through ov_open_callbacks over a string and ov_read_float.
#include "reference_decoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

namespace {

struct StringSource {
  const std::string& bytes;
  size_t position;
};

size_t ReadString(void* target, size_t size, size_t count, void* source) {
  auto& input = *static_cast<StringSource*>(source);
  const size_t bytes = std::min(size * count, input.bytes.size() - input.position);
  std::memcpy(target, input.bytes.data() + input.position, bytes);
  input.position += bytes;
  return bytes / size;
}

int SeekString(void* source, ogg_int64_t offset, int origin) {
  auto& input = *static_cast<StringSource*>(source);
  const ogg_int64_t size = static_cast<ogg_int64_t>(input.bytes.size());
  const ogg_int64_t target = offset + (origin == SEEK_SET ? 0 : origin == SEEK_CUR ? input.position : size);
  if (target < 0 || target > size) return -1;
  input.position = static_cast<size_t>(target);
  return 0;
}

long TellString(void* source) { return static_cast<long>(static_cast<StringSource*>(source)->position); }

void AppendSample(std::string& pcm, float sample) {
  const long value = std::clamp(static_cast<long>(sample * 32767.0), -32768L, 32767L);
  pcm += static_cast<char>(value & 0xff);
  pcm += static_cast<char>((value >> 8) & 0xff);
}

}  // namespace

ReferencePcm DecodeReference(const std::string& stream) {
  ReferencePcm reference;
  StringSource source{stream, 0};
  OggVorbis_File file;
  if (ov_open_callbacks(&source, &file, nullptr, 0,
                        ov_callbacks{ReadString, SeekString, nullptr, TellString})) {
    return reference;
  }
  reference.channels = ov_info(&file, 0)->channels;
  reference.rate = ov_info(&file, 0)->rate;
  float** channels = nullptr;
  int link = 0;
  long frames;
  while ((frames = ov_read_float(&file, &channels, 4096, &link)) > 0 && link == 0) {
    for (long frame = 0; frame < frames; ++frame) {
      for (int channel = 0; channel < reference.channels; ++channel) {
        AppendSample(reference.pcm, channels[channel][frame]);
      }
    }
  }
  ov_clear(&file);
  return reference;
}

const ReferencePcm& Reference(const TestStream& stream) {
  static std::map<std::string, ReferencePcm> cache;
  auto found = cache.find(stream.name);
  if (found == cache.end()) found = cache.emplace(stream.name, DecodeReference(StreamBytes(stream))).first;
  return found->second;
}

testing::AssertionResult SamePcm(const std::string& delivered, const std::string& expected) {
  const auto mismatch = std::mismatch(delivered.begin(), delivered.end(), expected.begin(), expected.end());
  if (mismatch.first == delivered.end() && mismatch.second == expected.end()) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << delivered.size() << " bytes delivered, " << expected.size()
                                     << " expected; first difference at sample "
                                     << (mismatch.first - delivered.begin()) / 2;
}
