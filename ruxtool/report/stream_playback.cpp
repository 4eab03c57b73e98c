// PlayStream: the lengths read first from records bound to each part alone, so that the listening
// knows where the parts lie before the first frame plays; then one record plays them in turn.
#include "report/stream_playback.h"

#include "seams/part_playback.h"

namespace {

// A record bound to the parts, closed at the end.
class BoundParts {
 public:
  BoundParts(const Rux2Exports& rux, const std::string& intro, const std::string& loopPart) : rux_(rux) {
    rux_.RUX_Init(&record_);
    void* loopImage = const_cast<char*>(loopPart.data());
    if (intro.empty()) {
      rux_.RUX_InputMemory(&record_, loopImage, static_cast<uint32_t>(loopPart.size()), 0);
    } else {
      rux_.RUX_InputMemory2(&record_, const_cast<char*>(intro.data()), static_cast<uint32_t>(intro.size()), loopImage,
                            static_cast<uint32_t>(loopPart.size()), 0);
    }
  }
  ~BoundParts() { rux_.RUX_Close(&record_); }
  BoundParts(const BoundParts&) = delete;
  BoundParts& operator=(const BoundParts&) = delete;

  DecoderRecord& Record() { return record_; }
  long Length() {
    int32_t length = 0;
    rux_.RUX_GetPcmLength(&record_, &length);
    return length;
  }
  const WAVEFORMATEX& Format() { return *rux_.RUX_GetPcmFormat(&record_); }

 private:
  const Rux2Exports& rux_;
  DecoderRecord record_{};
};

std::string Detect(const Rux2Exports& rux, BoundParts& parts, const char* part) {
  const int detected = rux.RUX_DetectConfigure(&parts.Record());
  if (detected == RUX_OK) return {};
  return std::string("rux2.dll cannot read the Vorbis headers of its ") + part + " (" + std::to_string(detected) + ")";
}

// The part's length as the library reports it, and its format once detected.
std::string ReadPart(const Rux2Exports& rux, const std::string& image, const char* part, long& length,
                     WAVEFORMATEX& format) {
  BoundParts alone(rux, {}, image);
  const std::string problem = Detect(rux, alone, part);
  length = alone.Length();
  format = alone.Format();
  if (problem.empty() && length <= 0) return std::string("its ") + part + " holds no frames";
  return problem;
}

std::string PlayActive(const Rux2Exports& rux, BoundParts& parts, const PlaybackLayout& layout, const char* part,
                       long frames, StreamListening& listening) {
  const PcmSink sink = [&](const char* pcm, size_t bytes) { listening.Hear(pcm, bytes); };
  const long played = static_cast<long>(PlayActivePart(rux, parts.Record(), layout.channels, sink));
  if (played == frames) return {};
  return std::string("its ") + part + " plays " + std::to_string(played) + " frames, not the " +
         std::to_string(frames) + " its length says";
}

}  // namespace

std::string PlayStream(const Rux2Exports& rux, const std::string& intro, const std::string& loopPart,
                       StreamListening& listening) {
  const bool twoParts = !intro.empty();
  const char* loopName = twoParts ? "loop part" : "stream";
  PlaybackLayout layout;
  WAVEFORMATEX introFormat{}, loopFormat{};
  std::string problem = twoParts ? ReadPart(rux, intro, "introduction", layout.introFrames, introFormat) : "";
  if (problem.empty()) problem = ReadPart(rux, loopPart, loopName, layout.loopFrames, loopFormat);
  if (!problem.empty()) return problem;
  if (twoParts &&
      (introFormat.nChannels != loopFormat.nChannels || introFormat.nSamplesPerSec != loopFormat.nSamplesPerSec)) {
    return "its introduction and loop part differ in their channels or rate";
  }
  layout.channels = loopFormat.nChannels;
  layout.rate = static_cast<long>(loopFormat.nSamplesPerSec);
  listening.Begin(layout);

  BoundParts parts(rux, intro, loopPart);
  problem = Detect(rux, parts, twoParts ? "introduction" : "stream");
  if (problem.empty() && twoParts)
    problem = PlayActive(rux, parts, layout, "introduction", layout.introFrames, listening);
  if (!problem.empty()) return problem;
  if (twoParts) rux.RUX_Replay(&parts.Record());
  problem = PlayActive(rux, parts, layout, loopName, layout.loopFrames, listening);
  if (!problem.empty()) return problem;
  rux.RUX_Replay(&parts.Record());
  const PcmSink sink = [&](const char* pcm, size_t bytes) { listening.Hear(pcm, bytes); };
  PlayActivePart(rux, parts.Record(), layout.channels, sink,
                 static_cast<size_t>(listening.FramesWanted() - layout.introFrames - layout.loopFrames));
  return {};
}
