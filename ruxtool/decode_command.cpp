// Decode: detection, frames until each part ends, RUX_Replay between plays, then the WAV file.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bound_stream.h"
#include "commands.h"
#include "wav_file.h"

namespace {

constexpr uint32_t kRequestBytes = 65536;
// A call may overshoot its request by one decoded chunk, at most this many frames.
constexpr uint32_t kMaxChunkFrames = 4096;

// Appends the active part's PCM until it has ended: exhausted, and a call that returned nothing.
size_t DecodeToEnd(const Rux2Library& rux, DecoderRecord& record, int channels, std::string& pcm) {
  std::vector<char> buffer(kRequestBytes + kMaxChunkFrames * 2 * channels);
  const size_t start = pcm.size();
  for (;;) {
    const uint32_t written = rux.RUX_GetProcessFrame(&record, buffer.data(), kRequestBytes);
    pcm.append(buffer.data(), written);
    if (written == 0 && RuxActivePart(&record)->source.exhausted) break;
  }
  return (pcm.size() - start) / (2 * channels);
}

bool SameFormat(const WAVEFORMATEX& first, const WAVEFORMATEX& second) {
  return first.nChannels == second.nChannels && first.nSamplesPerSec == second.nSamplesPerSec;
}

}  // namespace

int Decode(const Rux2Library& rux, const ToolOptions& options) {
  BoundStream stream(rux, options);
  if (!stream.Error().empty()) {
    std::fprintf(stderr, "ruxtool: %s\n", stream.Error().c_str());
    return 1;
  }
  DecoderRecord& record = stream.Record();
  const int result = rux.RUX_DetectConfigure(&record);
  if (result != RUX_OK) {
    std::fprintf(stderr, "ruxtool: the Vorbis headers of %s cannot be read (%d)\n", options.stream.c_str(),
                 result);
    return 1;
  }
  const WAVEFORMATEX format = *rux.RUX_GetPcmFormat(&record);
  const bool twoPart = !options.loopStream.empty();
  const unsigned plays = options.loops + (twoPart ? 1 : 0);
  std::string pcm;
  for (unsigned play = 0; play < plays; ++play) {
    if (play > 0) rux.RUX_Replay(&record);
    if (!SameFormat(format, *rux.RUX_GetPcmFormat(&record))) {
      std::fprintf(stderr, "ruxtool: the loop part's channels or rate differ from the introduction's\n");
      return 1;
    }
    const char* part = twoPart && play == 0 ? "introduction" : twoPart ? "loop part" : "stream";
    const size_t frames = DecodeToEnd(rux, record, format.nChannels, pcm);
    std::printf("%s: %u frames\n", part, static_cast<unsigned>(frames));
    if (frames == 0) std::fprintf(stderr, "ruxtool: warning: the %s delivered nothing\n", part);
  }
  if (!WriteWavFile(options.output, format.nChannels, format.nSamplesPerSec, pcm)) {
    std::fprintf(stderr, "ruxtool: cannot write %s\n", options.output.c_str());
    return 1;
  }
  std::printf("%s: %u frames, %u channels, %lu Hz\n", options.output.c_str(),
              static_cast<unsigned>(pcm.size() / (2 * format.nChannels)), format.nChannels,
              format.nSamplesPerSec);
  return 0;
}
