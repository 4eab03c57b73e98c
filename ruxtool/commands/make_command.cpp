// Make: a folder made file by file, and reported on when asked, or one input made into its streams,
// with all that make did and measured printed for the developer.
#include <cstdio>

#include "commands/commands.h"
#include "commands/interruption.h"
#include "make_options/make_request.h"
#include "making/stream_making.h"
#include "report/soundtrack_report.h"
#include "soundtrack/folder_make.h"

namespace {

int Fail(const std::string& error) {
  std::fprintf(stderr, "ruxtool: %s\n", error.c_str());
  return 1;
}

void PrintInput(const MakeOptions& options, const MadeStreams& made) {
  if (made.decodedFromVorbis) {
    std::printf("%s is Ogg Vorbis: it is decoded and encoded again, which costs quality\n", options.input.c_str());
  }
  std::printf("input:        %s, %d channels, %ld Hz, %ld frames\n", options.input.c_str(), made.channels, made.rate,
              made.frames);
}

void PrintLoudness(const MadeStreams& made, const LoudnessTarget& target) {
  const LoudnessLevel& level = made.level;
  std::printf("loudness:     %.1f LUFS, true peak %.1f dBTP: %s (frames 0 to %ld)\n", level.measured.lufs,
              level.measured.truePeakDb,
              made.loop.wholeInput ? "the whole stream" : "the introduction and one pass of the loop",
              made.loop.loop.end);
  const Loudness result = level.Result();
  std::printf("gain:         %+.1f dB, to %.1f LUFS, true peak %.1f dBTP", level.gainDb, result.lufs,
              result.truePeakDb);
  if (level.heldByTruePeak) std::printf(": the true peak may not pass %.1f dBTP", target.truePeakCeilingDb);
  std::printf("\n");
}

void PrintParts(const MadeStreams& made) {
  const LoopPoints loop = made.loop.loop;
  if (made.loop.wholeInput) {
    std::printf("stream:       %s, %ld frames, %zu bytes\n", made.loopPath.c_str(), loop.Length(), made.loopBytes);
    return;
  }
  std::printf("loop:         frames %ld to %ld, from %s\n", loop.start, loop.end, made.loop.source.c_str());
  if (!made.loop.moved.empty()) std::printf("loop moved:   %s\n", made.loop.moved.c_str());
  std::printf("introduction: %s, frames 0 to %ld, %zu bytes\n", made.introPath.c_str(), loop.start, made.introBytes);
  std::printf("loop part:    %s, frames %ld to %ld (%ld frames), %zu bytes\n", made.loopPath.c_str(), loop.start,
              loop.end, loop.Length(), made.loopBytes);
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

int MakeFile(const Rux2Exports& rux, const MakeOptions& options) {
  const bool pointsGiven = options.loopStartGiven && !options.loopStartAuto;
  const std::string loopGiven =
      pointsGiven ? "the command line " + options.loopStart.text + " " + (options.loopEndGiven ? options.loopEnd.text : "-")
                  : "the input";
  MakeRequest request = RequestFor(options, options.input, loopGiven);
  const bool twoParts = !options.loopOutput.empty();
  (twoParts ? request.introPath : request.singlePath) = options.output;
  request.loopPath = options.loopOutput;
  MadeStreams made;
  std::string error;
  if (!MakeStreams(rux, request, Interrupted, made, error)) return Fail(error);
  PrintInput(options, made);
  if (made.levelled) PrintLoudness(made, options.loudness);
  PrintParts(made);
  PrintCheck(made.check, twoParts);
  return 0;
}

}  // namespace

int Make(const Rux2Exports& rux, const MakeOptions& options) {
  CatchInterruptions();
  if (!options.folder) return MakeFile(rux, options);
  return options.report.empty() ? MakeFolder(rux, options, Interrupted) : MakeFolderWithReport(rux, options, Interrupted);
}
