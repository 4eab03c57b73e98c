// Decode: detection, frames until each part ends, RUX_Replay between plays, written to the WAV file
// as they come under a temporary name, which becomes the file's once the playback is whole.
#include <cstring>
#include <string>

#include "audio_files/wav_writer.h"
#include "commands/bound_stream.h"
#include "commands/commands.h"
#include "making/output_files.h"
#include "seams/part_playback.h"
#include "system/console_output.h"

namespace {

bool SameFormat(const WAVEFORMATEX& first, const WAVEFORMATEX& second) {
  return first.nChannels == second.nChannels && first.nSamplesPerSec == second.nSamplesPerSec;
}

int Fail(const std::string& error) {
  PrintError("ruxtool: %s\n", error.c_str());
  return 1;
}

// Every play of the stream appended to wav; false, with the reason in error, when one cannot be.
bool Play(const Rux2Library& rux, const ToolOptions& options, DecoderRecord& record, WavFileWriter& wav,
          std::string& error) {
  const WAVEFORMATEX format = *rux.RUX_GetPcmFormat(&record);
  const bool twoPart = !options.loopStream.empty();
  const unsigned plays = options.loops + (twoPart ? 1 : 0);
  for (unsigned play = 0; play < plays; ++play) {
    if (play > 0) rux.RUX_Replay(&record);
    if (!SameFormat(format, *rux.RUX_GetPcmFormat(&record))) {
      error = "the loop part's channels or rate differ from the introduction's";
      return false;
    }
    const char* part = twoPart && play == 0 ? "introduction" : twoPart ? "loop part" : "stream";
    bool written = true;
    const size_t frames = PlayActivePart(rux, record, format.nChannels, [&](const char* bytes, size_t count) {
      written = written && wav.Append(bytes, count);
    });
    if (!written) {
      error = wav.TooLong() ? "the playback passes the 4 GiB a WAV file holds: ask for fewer --loops"
                            : "cannot write " + options.output + ": the disk is full or failed";
      return false;
    }
    Print("%s: %u frames\n", part, static_cast<unsigned>(frames));
    if (frames == 0) PrintError("ruxtool: warning: the %s delivered nothing\n", part);
  }
  return true;
}

}  // namespace

int Decode(const Rux2Library& rux, const ToolOptions& options) {
  BoundStream stream(rux, options);
  if (!stream.Error().empty()) return Fail(stream.Error());
  DecoderRecord& record = stream.Record();
  const int result = rux.RUX_DetectConfigure(&record);
  if (result != RUX_OK) {
    return Fail("the Vorbis headers of " + options.stream + " cannot be read (" + std::to_string(result) + ")");
  }
  const WAVEFORMATEX format = *rux.RUX_GetPcmFormat(&record);
  OutputFiles outputs;
  std::string error;
  const std::string temporary = outputs.Begin(options.output, error);
  if (temporary.empty()) return Fail(error);
  WavFileWriter wav(temporary, format.nChannels, format.nSamplesPerSec);
  if (!Play(rux, options, record, wav, error)) return Fail(error);
  if (!wav.Finish()) return Fail("cannot write " + options.output + ": the disk is full or failed");
  if (!outputs.Commit(error)) return Fail(error);
  Print("%s: %u frames, %u channels, %lu Hz\n", options.output.c_str(),
        static_cast<unsigned>(wav.DataBytes() / (2 * format.nChannels)), format.nChannels,
        format.nSamplesPerSec);
  return 0;
}
