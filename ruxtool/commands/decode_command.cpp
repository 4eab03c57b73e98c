// Decode: detection, frames until each part ends, RUX_Replay between plays, then the WAV file.
#include <cstring>
#include <string>

#include "audio_files/wav_writer.h"
#include "commands/bound_stream.h"
#include "commands/commands.h"
#include "seams/part_playback.h"
#include "system/console_output.h"

namespace {

bool SameFormat(const WAVEFORMATEX& first, const WAVEFORMATEX& second) {
  return first.nChannels == second.nChannels && first.nSamplesPerSec == second.nSamplesPerSec;
}

}  // namespace

int Decode(const Rux2Library& rux, const ToolOptions& options) {
  BoundStream stream(rux, options);
  if (!stream.Error().empty()) {
    PrintError("ruxtool: %s\n", stream.Error().c_str());
    return 1;
  }
  DecoderRecord& record = stream.Record();
  const int result = rux.RUX_DetectConfigure(&record);
  if (result != RUX_OK) {
    PrintError("ruxtool: the Vorbis headers of %s cannot be read (%d)\n", options.stream.c_str(),
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
      PrintError("ruxtool: the loop part's channels or rate differ from the introduction's\n");
      return 1;
    }
    const char* part = twoPart && play == 0 ? "introduction" : twoPart ? "loop part" : "stream";
    const size_t frames = PlayActivePart(rux, record, format.nChannels,
                                         [&pcm](const char* bytes, size_t count) { pcm.append(bytes, count); });
    Print("%s: %u frames\n", part, static_cast<unsigned>(frames));
    if (frames == 0) PrintError("ruxtool: warning: the %s delivered nothing\n", part);
  }
  if (!WriteWavFile(options.output, format.nChannels, format.nSamplesPerSec, pcm)) {
    PrintError("ruxtool: cannot write %s\n", options.output.c_str());
    return 1;
  }
  Print("%s: %u frames, %u channels, %lu Hz\n", options.output.c_str(),
              static_cast<unsigned>(pcm.size() / (2 * format.nChannels)), format.nChannels,
              format.nSamplesPerSec);
  return 0;
}
