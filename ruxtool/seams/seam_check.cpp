// CheckSeams: the played frames near each seam and through the wrap are kept as they arrive, and the
// input's frames that should have played there are looked up through the loop.
#include "seams/seam_check.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>

#include "seams/part_playback.h"

namespace {

struct Part {
  const char* name;
  long frames;
};

// The frames played in each of a few spans of the playback, and the click figures of all of it.
class PlaybackRecorder {
 public:
  PlaybackRecorder(const std::vector<PlaybackSpan>& spans, int channels)
      : spans_(spans), channels_(channels), played_(spans.size()), moments_(channels) {}

  void Add(const char* pcm, size_t bytes) {
    const long frames = static_cast<long>(bytes / (2 * channels_));
    std::vector<float> samples(static_cast<size_t>(frames) * channels_);
    for (size_t i = 0; i < samples.size(); ++i) {
      int16_t sample;
      std::memcpy(&sample, pcm + 2 * i, 2);
      samples[i] = sample / 32767.0f;
    }
    for (size_t s = 0; s < spans_.size(); ++s) {
      const long from = std::max(position_, spans_[s].first);
      const long to = std::min(position_ + frames, spans_[s].end);
      if (to > from) {
        played_[s].insert(played_[s].end(), samples.begin() + (from - position_) * channels_,
                          samples.begin() + (to - position_) * channels_);
      }
    }
    moments_.Add(samples.data(), frames);
    position_ += frames;
  }

  const std::vector<float>& Played(size_t span) const { return played_[span]; }
  const ClickMoments& Moments() const { return moments_; }

 private:
  const std::vector<PlaybackSpan> spans_;
  const int channels_;
  long position_ = 0;
  std::vector<std::vector<float>> played_;
  ClickMoments moments_;
};

bool Bind(const Rux2Exports& rux, DecoderRecord& record, const std::string& intro, const std::string& loopPart) {
  void* loopImage = const_cast<char*>(loopPart.data());
  const auto loopSize = static_cast<uint32_t>(loopPart.size());
  if (intro.empty()) return rux.RUX_InputMemory(&record, loopImage, loopSize, 0) == 0;
  return rux.RUX_InputMemory2(&record, const_cast<char*>(intro.data()), static_cast<uint32_t>(intro.size()),
                              loopImage, loopSize, 0) == 0;
}

// Makes the part active (the first by detection, each other by RUX_Replay) and checks its format and
// length. Empty, or the problem.
std::string ActivatePart(const Rux2Exports& rux, DecoderRecord& record, const PcmAudio& audio, const Part& part,
                         bool first) {
  if (first) {
    const int detected = rux.RUX_DetectConfigure(&record);
    if (detected != RUX_OK) return "rux2.dll cannot read its Vorbis headers (" + std::to_string(detected) + ")";
  } else {
    rux.RUX_Replay(&record);
  }
  const WAVEFORMATEX& format = *rux.RUX_GetPcmFormat(&record);
  if (format.nChannels != audio.channels || format.nSamplesPerSec != static_cast<uint32_t>(audio.rate)) {
    return std::string("rux2.dll reports another format for the ") + part.name;
  }
  int32_t length = 0;
  rux.RUX_GetPcmLength(&record, &length);
  if (length != part.frames) {
    return std::string("rux2.dll reports ") + std::to_string(length) + " frames for the " + part.name + ", not " +
           std::to_string(part.frames);
  }
  return {};
}

// The parts in the order they play, each checked for its format and length before it plays.
std::string PlayParts(const Rux2Exports& rux, DecoderRecord& record, const PcmAudio& audio,
                      const std::vector<Part>& parts, const PcmSink& sink, long& played) {
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string problem = ActivatePart(rux, record, audio, parts[i], i == 0);
    if (!problem.empty()) return problem;
    played += static_cast<long>(PlayActivePart(rux, record, audio.channels, sink));
  }
  return {};
}

// The parts as they play: the introduction, if any, then the loop part or the single stream twice.
std::vector<Part> PartsOf(LoopPoints loop, bool hasIntro) {
  std::vector<Part> parts;
  if (hasIntro) parts.push_back({"introduction", loop.start});
  const char* loopName = hasIntro ? "loop part" : "stream";
  parts.push_back({loopName, loop.Length()});
  parts.push_back({loopName, loop.Length()});
  return parts;
}

// Runs work on a record bound to the streams, closed after it.
std::string WithBoundRecord(const Rux2Exports& rux, const std::string& intro, const std::string& loopPart,
                            const std::function<std::string(DecoderRecord&)>& work) {
  DecoderRecord record{};
  rux.RUX_Init(&record);
  const std::string problem = Bind(rux, record, intro, loopPart) ? work(record) : "rux2.dll cannot bind the streams";
  rux.RUX_Close(&record);
  return problem;
}

}  // namespace

SeamCheck CheckSeams(const Rux2Exports& rux, const PcmAudio& audio, LoopPoints loop, const std::string& intro,
                     const std::string& loopPart, const CrossfadeSides& crossfade, PlaybackListener* listener) {
  const std::vector<Part> parts = PartsOf(loop, !intro.empty());
  SeamCheck check;
  if (!intro.empty()) check.seams.push_back({"introduction -> loop part", loop.start, {}});
  check.seams.push_back({intro.empty() ? "stream -> stream again" : "loop part -> loop part", loop.end, {}});
  for (const Part& part : parts) check.expectedFrames += part.frames;

  // The frames within kSeamReach of each seam, then those the wrap's figures read.
  std::vector<PlaybackSpan> spans;
  for (const SeamResult& seam : check.seams) {
    spans.push_back({std::max(0L, seam.frame - kSeamReach), seam.frame + kSeamReach});
  }
  spans.push_back(WrapSpanOf(audio, loop, crossfade.frames));
  PlaybackRecorder recorder(spans, audio.channels);
  if (listener) listener->Begin({audio.channels, audio.rate, intro.empty() ? 0 : loop.start, loop.Length()});
  const PcmSink sink = [&](const char* pcm, size_t bytes) {
    recorder.Add(pcm, bytes);
    if (listener) listener->Hear(pcm, bytes);
  };
  check.problem = WithBoundRecord(rux, intro, loopPart, [&](DecoderRecord& record) {
    return PlayParts(rux, record, audio, parts, sink, check.playedFrames);
  });
  if (check.problem.empty() && check.playedFrames != check.expectedFrames) {
    check.problem = "the streams played " + std::to_string(check.playedFrames) + " frames, not " +
                    std::to_string(check.expectedFrames);
  }
  if (!check.problem.empty()) return check;
  for (size_t s = 0; s < check.seams.size(); ++s) {
    const std::vector<float>& played = recorder.Played(s);
    const long frames = static_cast<long>(played.size() / audio.channels);
    const std::vector<float> ideal = IdealPlayback(audio, loop, spans[s].first, frames);
    check.seams[s].error =
        MeasureSeam(ideal.data(), played.data(), frames, audio.channels, check.seams[s].frame - spans[s].first);
  }
  const std::vector<float> none;
  const PlayedJoin entry =
      intro.empty() ? PlayedJoin{none, 0} : PlayedJoin{recorder.Played(0), loop.start - spans[0].first};
  check.wrap = MeasureWrap(audio, loop, crossfade, recorder.Played(spans.size() - 1), entry, recorder.Moments());
  return check;
}

std::string CheckHeaders(const Rux2Exports& rux, const PcmAudio& audio, LoopPoints loop, const std::string& intro,
                         const std::string& loopPart) {
  const std::vector<Part> parts = PartsOf(loop, !intro.empty());
  return WithBoundRecord(rux, intro, loopPart, [&](DecoderRecord& record) {
    std::string problem;
    for (size_t i = 0; i + 1 < parts.size() && problem.empty(); ++i) {
      problem = ActivatePart(rux, record, audio, parts[i], i == 0);
    }
    return problem;
  });
}
