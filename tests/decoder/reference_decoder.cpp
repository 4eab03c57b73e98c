// DecodeReference through vorbisfile over the string and ov_read_float.
#include "reference_decoder.h"

#include <algorithm>
#include <map>

#include "string_source.h"

namespace {

void AppendSample(std::string& pcm, float sample) {
  const long value = std::clamp(static_cast<long>(sample * 32767.0), -32768L, 32767L);
  pcm += static_cast<char>(value & 0xff);
  pcm += static_cast<char>((value >> 8) & 0xff);
}

}  // namespace

ReferencePcm DecodeReference(const std::string& stream) {
  ReferencePcm reference;
  StringSource source{stream};
  OggVorbis_File file;
  if (OpenStringSource(source, file) != 0) return reference;
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
