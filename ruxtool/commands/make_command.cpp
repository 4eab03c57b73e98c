// Make: read the input, choose the loop, level its loudness if asked, encode the parts, write them
// under temporary names, play them back through rux2.dll, and give them their names only when they
// played as they should.
#include <cstdio>

#include "audio_file.h"
#include "commands.h"
#include "loop_choice.h"
#include "loop_streams.h"
#include "loudness_gain.h"
#include "output_files.h"
#include "part_encoder.h"
#include "seam_check.h"

namespace {

int Fail(const std::string& error) {
  std::fprintf(stderr, "ruxtool: %s\n", error.c_str());
  return 1;
}

void PrintInput(const MakeOptions& options, const PcmAudio& audio) {
  if (audio.decodedFromVorbis) {
    std::printf("%s is Ogg Vorbis: it is decoded and encoded again, which costs quality\n", options.input.c_str());
  }
  std::printf("input:        %s, %d channels, %ld Hz, %ld frames\n", options.input.c_str(), audio.channels,
              audio.rate, audio.Frames());
}

void PrintLoudness(const LoudnessLevel& level, const LoudnessTarget& target, LoopPoints loop, bool twoParts) {
  std::printf("loudness:     %.1f LUFS, true peak %.1f dBTP: %s (frames 0 to %ld)\n", level.measured.lufs,
              level.measured.truePeakDb, twoParts ? "the introduction and one pass of the loop" : "the whole stream",
              loop.end);
  const Loudness result = level.Result();
  std::printf("gain:         %+.1f dB, to %.1f LUFS, true peak %.1f dBTP", level.gainDb, result.lufs,
              result.truePeakDb);
  if (level.heldByTruePeak) std::printf(": the true peak may not pass %.1f dBTP", target.truePeakCeilingDb);
  std::printf("\n");
}

// --loudness: one gain on every frame, after what the player hears first is measured.
bool LevelInput(const MakeOptions& options, LoopPoints loop, PcmAudio& audio, std::string& error) {
  if (!options.loudnessGiven) return true;
  LoudnessLevel level;
  if (!LevelLoudness(options.loudness, loop.end, audio, level, error)) {
    error = options.input + ": " + error;
    return false;
  }
  PrintLoudness(level, options.loudness, loop, !options.loopOutput.empty());
  return true;
}

void PrintParts(const MakeOptions& options, const LoopChoice& choice, const LoopStreams& streams) {
  const LoopPoints loop = choice.loop;
  if (streams.intro.empty()) {
    std::printf("stream:       %s, %ld frames, %zu bytes\n", options.output.c_str(), loop.Length(),
                streams.loop.size());
    return;
  }
  std::printf("loop:         frames %ld to %ld, from %s\n", loop.start, loop.end, choice.source.c_str());
  if (!choice.moved.empty()) std::printf("loop moved:   %s\n", choice.moved.c_str());
  std::printf("introduction: %s, frames 0 to %ld, %zu bytes\n", options.output.c_str(), loop.start,
              streams.intro.size());
  std::printf("loop part:    %s, frames %ld to %ld (%ld frames), %zu bytes\n", options.loopOutput.c_str(),
              loop.start, loop.end, loop.Length(), streams.loop.size());
}

void PrintCheck(const SeamCheck& check, bool twoParts) {
  std::printf("played:       %s through rux2.dll: %ld frames, as the input plays\n",
              twoParts ? "introduction, loop part, loop part" : "stream, stream again", check.playedFrames);
  for (const SeamResult& seam : check.seams) {
    std::printf("seam %-24s at frame %ld: ", seam.name, seam.frame);
    if (!seam.error.measured) {
      std::printf("the playback is too short to measure it\n");
      continue;
    }
    const double cost = seam.error.Cost();
    std::printf("%.1f dB signal to noise in the %ld frames around it, %.1f dB in the music around them: %.1f dB %s\n",
                seam.error.seamSnr, kSeamWindow, seam.error.bodySnr, cost < 0 ? -cost : cost,
                cost <= 0 ? "better" : "worse");
  }
}

// The stream of a single output, behind its header if it has one.
std::string SingleStream(const MakeOptions& options, const PcmAudio& audio, const std::string& stream) {
  return StreamHeaderBytes(options.header, static_cast<int32_t>(audio.Frames()), audio.channels, audio.rate) + stream;
}

}  // namespace

int Make(const Rux2Exports& rux, const MakeOptions& options) {
  PcmAudio audio;
  std::string error;
  if (!ReadAudioFile(options.input, audio, error)) return Fail(error);
  PrintInput(options, audio);
  const VorbisSettings settings{audio.channels, audio.rate, options.quality / 10, 1};
  const std::string refused = "libvorbisenc takes no stream of " + std::to_string(audio.channels) +
                              " channels at " + std::to_string(audio.rate) + " Hz";
  const long minimumLoop = ContextFor(settings).minimumLoop;
  if (minimumLoop == 0) return Fail(refused);
  LoopChoice choice;
  if (!ChooseLoop(options, audio, minimumLoop, choice, error)) return Fail(error);
  const LoopPoints loop = choice.loop;
  if (!LevelInput(options, loop, audio, error)) return Fail(error);
  const bool twoParts = !options.loopOutput.empty();
  LoopStreams streams;
  if (!MakeLoopStreams(audio, loop, settings, streams)) return Fail(refused);
  if (!twoParts) streams.loop = SingleStream(options, audio, streams.loop);
  PrintParts(options, choice, streams);

  OutputFiles outputs;
  if (twoParts && !outputs.Write(options.output, streams.intro, error)) return Fail(error);
  const std::string& loopPath = twoParts ? options.loopOutput : options.output;
  if (!outputs.Write(loopPath, streams.loop, error)) return Fail(error);
  const SeamCheck check =
      CheckSeams(rux, audio, loop, twoParts ? outputs.ReadBack(options.output) : std::string(), outputs.ReadBack(loopPath));
  if (!check.problem.empty()) return Fail("the streams do not play as the input does: " + check.problem);
  PrintCheck(check, twoParts);
  if (!outputs.Commit(error)) return Fail(error);
  return 0;
}
