// EstimateSeamCosts: each part decoded from memory through vorbisfile, just the frames within reach of a
// seam, which MeasureSeam weighs against the input's frames that should play there.
#include "encoding/seam_estimate.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "seams/seam_measure.h"

namespace {

// A stream in memory, read by vorbisfile through its callbacks.
struct MemoryStream {
  const std::string& bytes;
  size_t position = 0;
};

size_t ReadMemory(void* buffer, size_t size, size_t count, void* source) {
  MemoryStream& stream = *static_cast<MemoryStream*>(source);
  const size_t bytes = std::min(size * count, stream.bytes.size() - stream.position);
  std::memcpy(buffer, stream.bytes.data() + stream.position, bytes);
  stream.position += bytes;
  return size ? bytes / size : 0;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
  MemoryStream& stream = *static_cast<MemoryStream*>(source);
  const long long base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? stream.position : stream.bytes.size();
  if (base + offset < 0 || base + offset > static_cast<long long>(stream.bytes.size())) return -1;
  stream.position = static_cast<size_t>(base + offset);
  return 0;
}

long TellMemory(void* source) { return static_cast<long>(static_cast<MemoryStream*>(source)->position); }

const ov_callbacks kMemoryCallbacks = {ReadMemory, SeekMemory, nullptr, TellMemory};

// Interleaved frames [first, first + count) of a part, as it plays; empty where it cannot be decoded.
std::vector<float> DecodeFrames(const std::string& part, long first, long count) {
  MemoryStream stream{part};
  OggVorbis_File file;
  if (ov_open_callbacks(&stream, &file, nullptr, 0, kMemoryCallbacks) != 0) return {};
  const int channels = ov_info(&file, -1)->channels;
  std::vector<float> frames;
  if (first == 0 || ov_pcm_seek(&file, first) == 0) {
    while (static_cast<long>(frames.size()) < count * channels) {
      float** pcm = nullptr;
      int link = 0;
      const long got = ov_read_float(&file, &pcm, 4096, &link);
      if (got <= 0) break;
      for (long frame = 0; frame < got && static_cast<long>(frames.size()) < count * channels; ++frame) {
        for (int channel = 0; channel < channels; ++channel) frames.push_back(pcm[channel][frame]);
      }
    }
  }
  ov_clear(&file);
  if (static_cast<long>(frames.size()) != count * channels) frames.clear();
  return frames;
}

// The cost of the seam between before's last frames and after's first, the first of before being the
// playback's frame idealFirst.
double SeamCost(const PcmAudio& audio, const std::vector<float>& before, const std::vector<float>& after,
                long idealFirst, LoopPoints loop) {
  std::vector<float> played = before;
  played.insert(played.end(), after.begin(), after.end());
  const long frames = static_cast<long>(played.size()) / audio.channels;
  const std::vector<float> ideal = IdealPlayback(audio, loop, idealFirst, frames);
  const SeamError error = MeasureSeam(ideal.data(), played.data(), frames, audio.channels,
                                      static_cast<long>(before.size()) / audio.channels);
  return error.measured ? error.Cost() : -std::numeric_limits<double>::infinity();
}

}  // namespace

SeamCosts EstimateSeamCosts(const PcmAudio& audio, LoopPoints loop, const std::string& intro,
                            const std::string& loopPart) {
  constexpr double kUnplayable = std::numeric_limits<double>::infinity();
  const long reach = std::min(kSeamReach, loop.Length());
  const std::vector<float> head = DecodeFrames(loopPart, 0, reach);
  const std::vector<float> tail = DecodeFrames(loopPart, loop.Length() - reach, reach);
  if (head.empty() || tail.empty()) return {kUnplayable, kUnplayable};
  SeamCosts costs{-kUnplayable, SeamCost(audio, tail, head, loop.end - reach, loop)};
  if (intro.empty()) return costs;
  const long introReach = std::min(kSeamReach, loop.start);
  const std::vector<float> introTail = DecodeFrames(intro, loop.start - introReach, introReach);
  costs.intro = introTail.empty() ? kUnplayable : SeamCost(audio, introTail, head, loop.start - introReach, loop);
  return costs;
}
